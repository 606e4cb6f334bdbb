// The drill sets against the 3,500 common characters, and the readings a
// character must have for its phrases.
#include <gtest/gtest.h>

#include "practice/data/dict_parse.h"
#include "tools/datacheck/reading_rules.h"
#include "tools/dictgen/gbk.h"

namespace {

std::string Gbk(const std::string& utf8) {
  std::string g;
  EXPECT_TRUE(Utf8ToGbk(utf8, g)) << utf8;
  return g;
}

// Problems as "file: what".
struct Sink {
  std::vector<std::string> seen;
  ProblemSink Get() {
    return [this](const std::string& where, const std::string& what) { seen.push_back(where + ": " + what); };
  }
};

// The 2013 table's numbers: 的 1, 尴 1585 (common), 邱 3827 (not).
StandardTables Tables() {
  StandardTables t;
  t.tableNumber = {{"的", 1}, {"一", 2}, {"尴", 1585}, {"邱", 3827}};
  t.standard["地"] = {{"069.070", "de5"}, {"072.060", "di4"}};
  return t;
}

void AddWbOne(TDictionaries& d, const std::string& ch) { d.WbOneTable.Add({{"", "aaaa", "a", "aaaa", "a"}, Gbk(ch)}); }
void AddWbs(TDictionaries& d, const std::string& ch) { d.WbsTable.Add({{"", "aaaa", "a", "aaaa", "a"}, Gbk(ch), 0, 1}); }

void AddReading(TDictionaries& d, bool drill, const std::string& ch, const std::string& syllable) {
  svlcharsetPYOne r{syllable.substr(0, syllable.size() - 1), Gbk(ch), "", std::string(kSoundPrefix) + syllable};
  if (drill) d.PYsTable.Add(r);
  else d.PYOneTable.Add(r);
}

}  // namespace

TEST(DrillSetTest, CommonCharactersOnlyMostFrequentFirst) {
  TDictionaries d;
  for (const char* ch : {"的", "邱", "一", "尴"}) AddWbOne(d, ch);  // frequency order
  for (const char* ch : {"的", "一"}) AddWbs(d, ch), AddReading(d, true, ch, "de5");
  Sink s;
  CheckDrillSets(Tables(), d, s.Get());
  EXPECT_TRUE(s.seen.empty());

  // 邱 is no common character; 一 is skipped while the less frequent 尴 is drilled.
  TDictionaries bad;
  for (const char* ch : {"的", "邱", "一", "尴"}) AddWbOne(bad, ch);
  for (const char* ch : {"的", "邱", "尴"}) AddWbs(bad, ch);
  Sink t;
  CheckDrillSets(Tables(), bad, t.Get());
  EXPECT_EQ(t.seen, (std::vector<std::string>{"wbs.dat: 邱 is not one of the 3,500 common characters",
                                              "wbs.dat: 一 is skipped, though less frequent common characters are drilled",
                                              "wbs.dat: the characters are not in frequency order"}));
}

TEST(ReadingsOfCharactersTest, PhraseReadingsDrillReadingsAndMainlandOnes) {
  TDictionaries d;
  AddReading(d, false, "地", "di4");
  AddReading(d, false, "猛", "meng3");
  AddReading(d, false, "地", "tong1");  // no dictionary gives it
  d.PYTwoTable.Add({"mengde", Gbk("猛地"), "", {"", std::string(kSoundPrefix) + "meng3", std::string(kSoundPrefix) + "de5"}});
  AddReading(d, true, "地", "di4");
  Cedict cedict;
  cedict["猛"] = {CedictEntry{{"meng3"}, false, {"fierce"}}};
  Sink s;
  CheckReadingsOfCharacters(Tables(), cedict, {}, d, s.Get());
  EXPECT_EQ(s.seen, (std::vector<std::string>{"PYOne.dat: 地 lacks de5, its reading in 猛地",
                                              "PYs.dat: 地 is drilled with other readings than PYOne.dat gives it",
                                              "PYOne.dat: 地 tong1 is given by no mainland dictionary"}));
}
