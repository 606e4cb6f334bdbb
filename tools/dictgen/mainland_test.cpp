// The rules of the dictionary generator: readings chosen among CC-CEDICT
// entries, tone spellings, the 一/不 rule and the Wubi 86 phrase code.
#include <gtest/gtest.h>

#include "tools/dictgen/mainland.h"
#include "tools/dictgen/sources.h"

namespace {
CedictEntry Entry(std::vector<std::string> syl, std::vector<std::string> senses, bool proper = false) {
  CedictEntry e;
  e.syllables = std::move(syl);
  e.senses = std::move(senses);
  e.proper = proper;
  return e;
}
}  // namespace

TEST(MainlandTest, SyllablesSpellSoundNames) {
  EXPECT_EQ(NumberedSyllable("hǎo"), "hao3");
  EXPECT_EQ(NumberedSyllable("me"), "me5");
  EXPECT_EQ(NumberedSyllable("lǜ"), "lv4");
  EXPECT_EQ(NumberedSyllable("ń"), "");  // not plain pinyin
  EXPECT_EQ(CedictSyllable("lu:4"), "lv4");
  EXPECT_EQ(CedictSyllable("Zhong1"), "zhong1");
  EXPECT_EQ(CedictSyllable("r5"), "");  // erhua: the word is left out
  EXPECT_EQ(CedictSyllable("xx5"), "");
  EXPECT_EQ(CedictSyllable("C"), "");
}

TEST(MainlandTest, ReadingOfTheCommonSenseWins) {
  std::vector<std::string> syl;
  // 便宜: the entry with more senses (cheap), though the other agrees with the characters' first readings.
  ASSERT_TRUE(ChooseReading({Entry({"bian4", "yi2"}, {"convenient"}),
                             Entry({"pian2", "yi5"}, {"cheap", "a petty advantage", "to let sb off lightly"})},
                            {"bian4", "yi2"}, syl));
  EXPECT_EQ(syl, (std::vector<std::string>{"pian2", "yi5"}));
  // A variant entry or a name gives way to the word's own entry.
  ASSERT_TRUE(ChooseReading({Entry({"zen3", "me5"}, {"variant of 怎麼|怎么[zen3 me5]"}), Entry({"ze3", "me5"}, {"how?"})},
                            {}, syl));
  EXPECT_EQ(syl[0], "ze3");
  ASSERT_TRUE(ChooseReading({Entry({"sun1", "zi3"}, {"Sun Tzu", "author"}, true), Entry({"sun1", "zi5"}, {"grandson"})},
                            {}, syl));
  EXPECT_EQ(syl[1], "zi5");
  // A word does not start with a neutral tone when another reading exists.
  ASSERT_TRUE(ChooseReading({Entry({"qi5", "lai5"}, {"a", "b", "c"}), Entry({"qi3", "lai5"}, {"to stand up"})}, {}, syl));
  EXPECT_EQ(syl[0], "qi3");
  // Equal senses: the everyday neutral-tone reading (东西 thing), then agreement with first readings.
  ASSERT_TRUE(ChooseReading({Entry({"dong1", "xi1"}, {"east and west"}), Entry({"dong1", "xi5"}, {"thing"})}, {}, syl));
  EXPECT_EQ(syl[1], "xi5");
  ASSERT_TRUE(ChooseReading({Entry({"a1", "b2"}, {"x"}), Entry({"a1", "c2"}, {"y"})}, {"a1", "c2"}, syl));
  EXPECT_EQ(syl[1], "c2");
  EXPECT_FALSE(ChooseReading({}, {}, syl));
}

TEST(MainlandTest, YiAndBuKeepTheirCitationTones) {
  std::vector<std::string> syl{"yi2", "yang4"};
  CitationTones({"一", "样"}, syl);
  EXPECT_EQ(syl[0], "yi1");
  syl = {"bu2", "shi4"};
  CitationTones({"不", "是"}, syl);
  EXPECT_EQ(syl[0], "bu4");
  syl = {"cha4", "bu5", "duo1"};  // a neutral tone is the word's own, not a tone change
  CitationTones({"差", "不", "多"}, syl);
  EXPECT_EQ(syl[1], "bu5");
}

TEST(MainlandTest, ForeignAndWebOnlyEntriesAreRecognised) {
  EXPECT_TRUE(IsForeignOrWebOnly(Entry({"ming2", "gu3", "wu1"}, {"Nagoya, city in Japan"}, true)));
  EXPECT_TRUE(IsForeignOrWebOnly(Entry({"a1"}, {"(Internet slang) something"})));
  EXPECT_FALSE(IsForeignOrWebOnly(Entry({"mi3", "fan4"}, {"(cooked) rice"})));
  EXPECT_TRUE(IsVariantEntry(Entry({"a1"}, {"old variant of 和[he2]"})));
  EXPECT_FALSE(IsVariantEntry(Entry({"he2"}, {"and", "old variant of x"})));
}

TEST(WubiRuleTest, PhraseCodesFollowThe86Rule) {
  EXPECT_EQ(WubiPhraseCode({"khce", "khtd"}), "khkh");              // 踊跃
  EXPECT_EQ(WubiPhraseCode({"qtry", "qtjf"}), "qtqt");              // 狐狸
  EXPECT_EQ(WubiPhraseCode({"wwww", "kwb", "lgyi"}), "wklg");       // 三字词: 1+1+2
  EXPECT_EQ(WubiPhraseCode({"thgc", "scy", "rrh", "def"}), "tsrd");  // 版权所有
  EXPECT_EQ(WubiPhraseCode({"khk", "wxe", "www", "nan", "aw", "tkg", "lgyi"}), "kwwl");  // 中华人民共和国
  EXPECT_EQ(WubiPhraseCode({"g", "khk"}), "");
  EXPECT_EQ(FullCode({{"vb", 9}, {"vbg", 5}, {"vbgx", 1}, {"vbgy", 3}}), "vbgy");
}
