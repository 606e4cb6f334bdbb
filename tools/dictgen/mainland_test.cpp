// The rules of the dictionary generator: readings chosen among CC-CEDICT
// entries, tone spellings, the 一/不 rule and the Wubi 86 phrase code.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

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

namespace {
std::vector<std::string> Syllables(const std::vector<Reading>& v) {
  std::vector<std::string> out;
  for (const auto& r : v) out.push_back(r.syllable);
  return out;
}
}  // namespace

TEST(ReadingRankTest, WordsDecideTheOrder) {
  // 佛: go-pinyin leads with fu2, the words read it fo2 far more often.
  std::vector<Reading> v{{"fu2", 100}, {"fo2", 0}, {"bi4", 0}};
  RankReadings(v, {{"fu2", 3254}, {"fo2", 8414}}, "");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"fo2", "fu2", "bi4"}));
  EXPECT_EQ(v[0].percent, 100.0);
  EXPECT_NEAR(v[1].percent, 100.0 * 3254 / (3254 + 8414), 1e-9);
  EXPECT_EQ(v[2].percent, 0.0);
  // 砝: a reading met only in words (砝码 fa3) joins and leads.
  v = {{"fa2", 100}};
  RankReadings(v, {{"fa3", 121}}, "");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"fa3", "fa2"}));
  // No word evidence: the order stays, the first keeps 100.
  v = {{"a1", 100}, {"b2", 0}};
  RankReadings(v, {}, "");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"a1", "b2"}));
  EXPECT_EQ(v[0].percent, 100.0);
}

TEST(ReadingRankTest, NeutralTonesOfWordsAndHandCheckedReadings) {
  // 子: 孩子 zi5 is the word's neutral tone, not a reading of 子.
  std::vector<Reading> v{{"zi3", 100}};
  RankReadings(v, {{"zi5", 9000}, {"zi3", 100}}, "");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"zi3"}));
  EXPECT_EQ(v[0].percent, 100.0);
  // 的: a particle's own neutral reading counts.
  v = {{"de5", 100}, {"di4", 0}};
  RankReadings(v, {{"de5", 5000}, {"di4", 3000}}, "");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"de5", "di4"}));
  // A hand-checked first reading leads whatever the words say, even one they lack.
  v = {{"bo2", 100}, {"po1", 0}};
  RankReadings(v, {{"po1", 3858}, {"bo2", 2312}}, "bo2");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"bo2", "po1"}));
  v = {{"ta4", 100}};
  RankReadings(v, {}, "ta1");
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"ta1", "ta4"}));
}

TEST(ReadingRankTest, OnlyFunctionWordsAloneCount) {
  for (const char* tag : {"d", "p", "c", "uj", "ul", "u", "y", "e", "r", "q", "m", "f"}) EXPECT_TRUE(IsFunctionWordTag(tag)) << tag;
  for (const char* tag : {"n", "v", "a", "nr", "ns", "zg", "vg", "", "dg"}) EXPECT_FALSE(IsFunctionWordTag(tag)) << tag;
}

TEST(WubiRuleTest, HandDecidedCodesReplaceTheSourceCodes) {
  WubiSource src;
  src.chars["纛"] = {{"gxf", 5}, {"gxgi", 5}};
  src.chars["咪"] = {{"ko", 60}, {"koy", 60}};
  src.chars["噗"] = {{"kog", 8}, {"kogy", 8}};
  src.shortCodes["ko"] = {"咪", 60};
  WubiDecisions d;
  d.fullCode["纛"] = "gxfi";
  d.shortCodeChar["ko"] = "噗";
  ApplyWubiDecisions(d, src);
  EXPECT_EQ(FullCode(src.chars["纛"]), "gxfi");
  EXPECT_EQ(src.chars["纛"].size(), 2u);  // the short code gxf stays
  std::string ch;
  ASSERT_TRUE(ShortCodeCharacter(src, "ko", ch));
  EXPECT_EQ(ch, "噗");
  EXPECT_EQ(src.chars["咪"].size(), 1u);  // koy only
  EXPECT_EQ(src.chars["噗"].size(), 3u);
}

TEST(WubiRuleTest, AShortCodeStaysWithTheMoreFrequentCharacter) {
  WubiSource src;
  src.chars["振"] = {{"rdf", 47}, {"rdfe", 47}};
  src.chars["翱"] = {{"rdf", 1}, {"rdfn", 1}};
  src.chars["云"] = {{"fcu", 9}};  // a full code of three letters is not a short code
  src.chars["坛"] = {{"fcu", 1}, {"ffcy", 1}};
  KeepShortCodesUnique({"振", "云", "坛", "翱"}, src);
  EXPECT_EQ(src.chars["振"].size(), 2u);
  ASSERT_EQ(src.chars["翱"].size(), 1u);
  EXPECT_EQ(src.chars["翱"][0].code, "rdfn");
  EXPECT_EQ(src.chars["云"].size(), 1u);
  EXPECT_EQ(src.chars["坛"].size(), 2u);  // 云's fcu is its full code, not taken as short
}

TEST(WubiRuleTest, DecisionListsAreReadStrictly) {
  char name[] = "/tmp/wubi_codes_test.XXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  WubiDecisions d;
  std::ofstream(name) << "# comment\nfull\t麸\tgqfw\nshort\tko\t噗\n";
  ASSERT_TRUE(ReadWubiDecisions(name, d));
  EXPECT_EQ(d.fullCode["麸"], "gqfw");
  EXPECT_EQ(d.shortCodeChar["ko"], "噗");
  for (const char* bad : {"full\t麸\tgq\n", "short\tkog\t噗\n", "short\tko\t噗咪\n", "level\tko\t噗\n", "full\t麸\n"}) {
    std::ofstream(name) << bad;
    EXPECT_FALSE(ReadWubiDecisions(name, d)) << bad;
  }
  std::remove(name);
}

TEST(ReadingRankTest, WordsAddOnlyReadingsAMainlandDictionaryGives) {
  // 红彤彤 hong2 tong1 tong1: CC-CEDICT's colloquial tone, a reading no dictionary gives 彤.
  std::vector<Reading> v{{"tong2", 100}};
  RankReadings(v, {{"tong2", 500}, {"tong1", 60}}, "", [](const std::string& s) { return s == "tong2"; });
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"tong2"}));
  v = {{"fa2", 100}};
  RankReadings(v, {{"fa3", 121}}, "", [](const std::string& s) { return s == "fa3"; });
  EXPECT_EQ(Syllables(v), (std::vector<std::string>{"fa3", "fa2"}));
}

TEST(ReadingRankTest, TaiwaneseOnlyEntriesGiveNoMainlandReading) {
  Cedict c;
  c["矽"] = {Entry({"xi1"}, {"(Tw) silicon (chemistry)", "Taiwan pr. [xi4]"})};
  c["拙"] = {Entry({"zhuo1"}, {"awkward", "clumsy", "Taiwan pr. [zhuo2]"})};
  EXPECT_TRUE(CedictCharacterReadings(c, "矽").empty());
  EXPECT_EQ(CedictCharacterReadings(c, "拙"), (std::vector<std::string>{"zhuo1"}));
}

TEST(KeptReadingsTest, EveryReadingOfThePhrasesIsKept) {
  // 会: kuai4 (会计) is far below 1 %, but a phrase reads it.
  std::vector<Reading> hui{{"hui4", 100}, {"kuai4", 0.4}};
  EXPECT_EQ(Syllables(KeptReadings(hui, {"hui4"}, 1.0, 4)), (std::vector<std::string>{"hui4"}));
  EXPECT_EQ(Syllables(KeptReadings(hui, {"hui4", "kuai4"}, 1.0, 4)), (std::vector<std::string>{"hui4", "kuai4"}));
  // A reading only a phrase gives joins at the end.
  EXPECT_EQ(Syllables(KeptReadings(hui, {"kuai3"}, 1.0, 4)), (std::vector<std::string>{"hui4", "kuai3"}));
  // 地: 猛地 de5 needs the character's own de5; 孩子 zi5 is the word's tone of 子 zi3.
  std::vector<Reading> di{{"di4", 100}, {"de5", 0.2}};
  EXPECT_EQ(Syllables(KeptReadings(di, {"de5"}, 1.0, 4)), (std::vector<std::string>{"di4", "de5"}));
  std::vector<Reading> zi{{"zi3", 100}, {"zi5", 0.1}};
  EXPECT_EQ(Syllables(KeptReadings(zi, {"zi5"}, 1.0, 4)), (std::vector<std::string>{"zi3"}));
  // Common readings fill what room the phrases' leave, in their ranked order.
  std::vector<Reading> cha{{"cha4", 100}, {"chai1", 30}, {"ci1", 2}, {"cha1", 1.5}, {"chai4", 0.1}};
  EXPECT_EQ(Syllables(KeptReadings(cha, {"chai4"}, 1.0, 4)), (std::vector<std::string>{"cha4", "chai1", "ci1", "chai4"}));
  EXPECT_TRUE(KeptReadings({}, {"a1"}, 1.0, 4).empty());
}

TEST(KeptReadingsTest, APhraseSyllableReadsWhenSpelledAlikeOnlyInTheNeutralTone) {
  EXPECT_TRUE(ReadsInWord({"zi3"}, "zi5"));
  EXPECT_TRUE(ReadsInWord({"hao3", "hao4"}, "hao4"));
  EXPECT_FALSE(ReadsInWord({"de5", "di4"}, "di2"));  // 的确
  EXPECT_FALSE(ReadsInWord({"di4"}, "de5"));         // 猛地
}
