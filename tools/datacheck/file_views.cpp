#include "tools/datacheck/file_views.h"

#include <cstring>
#include "practice/data/dict_parse.h"
#include "tools/dictgen/gbk.h"

namespace {

std::string SoundsOf(const std::string* names, int count) {
  std::string out;
  for (int k = 1; k <= count; ++k)
    if (names[k].size() > std::strlen(kSoundPrefix)) out += (out.empty() ? "" : " ") + names[k].substr(std::strlen(kSoundPrefix));
  return out;
}

}  // namespace

std::string Utf8(const std::string& gbk) {
  std::string u;
  return GbkToUtf8(gbk, u) ? u : "";
}

std::map<std::string, std::string> FirstReadings(const TDictionaries& d) {
  std::map<std::string, std::string> out;
  for (int r = d.PYOneTable.Count(); r >= 1; --r)
    out[Utf8(d.PYOneTable[r].Character)] = d.PYOneTable[r].SoundName.substr(std::strlen(kSoundPrefix));
  return out;
}

std::map<std::string, std::string> WordReadings(const TDictionaries& d) {
  std::map<std::string, std::string> out;
  for (int r = 1; r <= d.PYTwoTable.Count(); ++r)
    out.emplace(Utf8(d.PYTwoTable[r].Phrase), SoundsOf(&d.PYTwoTable[r].SoundNames[0], 2));
  for (int r = 1; r <= d.PYMultiTable.Count(); ++r)
    out.emplace(Utf8(d.PYMultiTable[r].Phrase), SoundsOf(&d.PYMultiTable[r].SoundNames[0], kPYMultiSounds));
  return out;
}

std::map<std::string, std::string> WordCodes(const TDictionaries& d) {
  std::map<std::string, std::string> out;
  for (int r = 1; r <= d.WbTwoTable.Count(); ++r) out.emplace(Utf8(d.WbTwoTable[r].Word), d.WbTwoTable[r].Code);
  for (int r = 1; r <= d.WbMultiTable.Count(); ++r) out.emplace(Utf8(d.WbMultiTable[r].Word), d.WbMultiTable[r].Code);
  return out;
}
