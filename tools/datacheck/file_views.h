#pragma once
// What the loaded dictionary files say, keyed by UTF-8 text, for the checks
// that compare them with hand-checked lists and references.
#include <map>
#include <string>
#include <vector>

#include "practice/data/dict_load.h"
#include "practice/data/dict_parse.h"

// The UTF-8 text of a GBK field; empty when it is not GBK.
std::string Utf8(const std::string& gbk);
// Character -> its first reading in "PYOne.dat" ("hao3").
std::map<std::string, std::string> FirstReadings(const TDictionaries& d);
// Character -> each of its readings in "PYs.dat" or "PYOne.dat", in the file's order ("hao3").
template <class Table>
std::map<std::string, std::vector<std::string>> ReadingsOf(const Table& table) {
  std::map<std::string, std::vector<std::string>> out;
  for (int r = 1; r <= table.Count(); ++r)
    out[Utf8(table[r].Character)].push_back(table[r].SoundName.substr(std::string(kSoundPrefix).size()));
  return out;
}
// Word -> its sound names in "PYTwo.dat" and "PYMulti.dat" ("ni3 hao3"); the first record of a word.
std::map<std::string, std::string> WordReadings(const TDictionaries& d);
// Word -> its code in "wbTwo.dat" and "wbMulti.dat"; the first record of a word.
std::map<std::string, std::string> WordCodes(const TDictionaries& d);
