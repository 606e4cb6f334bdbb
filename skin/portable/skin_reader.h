#pragma once
// The skin container: the decoded entry table and the entries by name.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/base/streams.h"

class TSkinReader {
public:
  static constexpr int MaxEntries = 1001;
  static constexpr const char* OldVersionMessage = "This is Older Skin File\rPlease update to new version !";

  // Told once for each failed Load, with the text to show the user.
  // Unset, failures are only returned.
  std::function<void(const std::string& message)> OnReport;

  // Decodes the whole container; false (entry table unchanged, OnReport told)
  // for an unknown version or a damaged container.
  bool Load(TMemoryStream& source);
  // Decodes source (position 0: int32 decoded size, then the code stream)
  // into destination, which ends up holding exactly the decoded bytes.
  static void Decompress(TMemoryStream& source, TMemoryStream& destination);

  // The first entry whose name equals name lower-cased; out is cleared, then
  // holds its bytes at position 0 (empty when there is none).
  bool GetEntry(const std::string& name, TMemoryStream& out) const;
  // The first entry whose name contains fragment (case kept); its full name
  // goes to name, which is left alone when there is none.
  bool FindEntry(const std::string& fragment, TMemoryStream& out, std::string& name) const;

  int Version() const { return version_; }
  int NamesLength() const { return namesLength_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // Lower-case entry names and sizes, in container order.
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::int32_t>& Sizes() const { return sizes_; }
  // Length of the version's extra block, or -1 for an unknown version.
  static int ExtraBlockLength(int version);

private:
  void CopyEntry(std::size_t index, TMemoryStream& out) const;
  int version_ = 0;
  int namesLength_ = 0;
  std::vector<std::string> names_;
  std::vector<std::int32_t> sizes_;
  std::vector<std::int64_t> offsets_;  // within decoded_, past the entry table
  std::unique_ptr<TMemoryStream> decoded_;
};
