#pragma once
// A small read-only INI reader for the skin description.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/classes.h"
#include "toolkit/base/streams.h"

class TQuickIni {
public:
  // Parses the text from the stream's position to its end (a NUL ends it).
  void LoadFromStream(TStream& stream);
  void LoadFromText(const std::string& text);

  // Sections and keys match without regard to ASCII case; a missing or empty
  // value gives the default.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Decimal, "$" or "0x" hexadecimal; anything else gives the default.
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def) const;
  // The section names without brackets, trimmed, in text order (duplicates kept).
  void ReadSections(TStrings& list) const;
  // Index of the section's header in Lines(), or -1; the name inside the
  // brackets is compared trimmed, as ReadSections lists it.
  int SectionLine(const std::string& name) const;

  // The text's lines, trimmed, without empty and comment lines.
  const std::vector<std::string>& Lines() const { return lines_; }

private:
  struct TSection {
    std::string name;  // trimmed, without brackets
    int line;
  };
  std::vector<std::string> lines_;
  std::vector<TSection> sections_;
};
