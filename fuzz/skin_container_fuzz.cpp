// The skin container from untrusted bytes: decoding, the entry table, entries by name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/portable/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream source;
  if (size > 0) source.WriteBuffer(data, static_cast<std::int64_t>(size));
  TSkinReader reader;
  int reports = 0;
  reader.OnReport = [&reports](const std::string&) { ++reports; };
  const bool loaded = reader.Load(source);
  if (loaded == (reports > 0)) std::abort();  // every failure is told exactly once, no success is
  if (!loaded) return 0;

  const auto& names = reader.Names();
  const auto& sizes = reader.Sizes();
  if (names.size() != sizes.size() || names.size() > TSkinReader::MaxEntries) std::abort();
  for (std::size_t i = 0; i < names.size(); ++i) {
    TMemoryStream entry;
    if (!reader.GetEntry(names[i], entry)) std::abort();
    // The first entry of a name answers; its size is the table's.
    std::size_t first = 0;
    while (names[first] != names[i]) ++first;
    if (entry.Size() != sizes[first] || entry.Position() != 0) std::abort();
  }
  TMemoryStream out;
  std::string name;
  if (reader.FindEntry(".ini", out, name) && name.find(".ini") == std::string::npos) std::abort();
  return 0;
}
