#pragma once
// The mainland tables of the Unicode Han database (Debian unicode-data), as
// extracted into "U+XXXX<TAB>field<TAB>value" lines: the numbers of the general
// standard character table of 2013 (kTGH), the entries of three dictionaries,
// each a place and a reading: the 2013 standard character dictionary
// (kTGHZ2013), Xiandai Hanyu Cidian, 1983 (kXHC1983) and Hanyu Da Zidian
// (kHanyuPinyin); and the database's own customary readings (kMandarin).
#include <map>
#include <string>
#include <vector>

#include "tools/dictgen/mainland.h"

struct DictionaryEntry {
  std::string place;     // page and position ("038.110"; volume first in Hanyu Da Zidian: "10520.010")
  std::string syllable;  // as a sound name ("chang2", "de5")
};
// character -> its entries, in the dictionary's order
using CharacterEntries = std::map<std::string, std::vector<DictionaryEntry>>;

struct StandardTables {
  std::map<std::string, int> tableNumber;  // character -> its number in the 2013 table
  CharacterEntries standard;               // kTGHZ2013
  CharacterEntries xhc;                    // kXHC1983
  CharacterEntries hdz;                    // kHanyuPinyin
  CharacterEntries mandarin;               // kMandarin, without places
};

// False when the file cannot be read or holds no table numbers.
bool ReadStandardTables(const std::string& path, StandardTables& out);

// One of the 3,500 common characters: level 1 of the 2013 table (numbers 1-3500).
bool IsCommonCharacter(const StandardTables& t, const std::string& ch);

// Whether the dictionary gives the character `ch` the reading `syllable`
// (at `place` too, unless it is empty).
bool GivesReading(const CharacterEntries& dictionary, const std::string& ch, const std::string& syllable,
                  const std::string& place = "");

// Whether a mainland dictionary gives the character this reading: the standard
// readings (the 2013 standard dictionary, Xiandai Hanyu Cidian) or CC-CEDICT's
// mainland entries of the character.
bool IsMainlandReading(const StandardTables& t, const Cedict& cedict, const std::string& ch, const std::string& syllable);
// Whether a character no such dictionary lists at all (a radical form, an old
// variant) has this reading in Hanyu Da Zidian or the database's own readings.
bool IsReadingOfUnlistedCharacter(const StandardTables& t, const Cedict& cedict, const std::string& ch,
                                  const std::string& syllable);
