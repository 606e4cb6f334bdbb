// The skin description reader on any text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/portable/quick_ini.h"
#include "toolkit/base/classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, static_cast<std::int64_t>(size));
  stream.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(stream);

  TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    const std::string section = sections[i];
    // Every listed section can be found again, so reading it never falls back to defaults by accident.
    if (ini.SectionLine(section) < 0) std::abort();
    const int line = ini.SectionLine(section);
    if (line + 1 < static_cast<int>(ini.Lines().size())) {
      const std::string& next = ini.Lines()[line + 1];
      std::size_t eq = next.find('=');
      if (eq != std::string::npos) {
        std::string key = next.substr(0, eq);
        std::string value = ini.ReadString(section, key, "\x01");
        if (value.empty()) std::abort();  // an empty value gives the default, never ""
        ini.ReadInteger(section, key, -7);
      }
    }
  }
  ini.ReadString("Personality", "Left", "");
  ini.ReadInteger("Buttons", "LeftWidth", 0);
  return 0;
}
