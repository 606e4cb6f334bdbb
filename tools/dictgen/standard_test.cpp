// The standard tables of the Unicode Han database and the sources of the hand decisions.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "tools/dictgen/decisions.h"
#include "tools/dictgen/standard.h"

namespace {
// A temporary file with `text`, removed with the object.
struct TempFile {
  std::string path;
  explicit TempFile(const std::string& text) {
    char name[] = "/tmp/standard_test.XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    std::ofstream(path) << text;
  }
  ~TempFile() { std::remove(path.c_str()); }
};

StandardTables Tables() {
  TempFile f(
      "#\tkTGH\n"
      "U+5C34\tkTGH\t2013:1585\n"   // 尴, level 1 (of GB 2312 level 2)
      "U+90B1\tkTGH\t2013:3827\n"   // 邱, level 2
      "U+957F\tkTGHZ2013\t038.110:cháng 466.110:zhǎng\n"
      "U+5730\tkTGHZ2013\t069.070:de 072.060:dì\n"
      "U+957F\tkXHC1983\t0121.040:cháng 1456.020:zhǎng\n"
      "U+5463\tkXHC1983\t0753.020:ḿ 0753.030:m̀\n"
      "U+5927\tkHanyuPinyin\t10520.010:dà,dài,tài\n"
      "U+961D\tkMandarin\tfù\n");
  StandardTables t;
  EXPECT_TRUE(ReadStandardTables(f.path, t));
  return t;
}

Citation Cite(const std::string& text) {
  Citation c;
  EXPECT_TRUE(ParseCitation(text, c)) << text;
  return c;
}

ReadingDecision Decision(std::vector<std::string> syl, std::vector<std::string> citations, std::string note = "") {
  ReadingDecision d{std::move(syl), {}, std::move(note)};
  for (const auto& c : citations) d.citations.push_back(Cite(c));
  return d;
}

CedictEntry Entry(std::vector<std::string> syl, std::string sense) {
  CedictEntry e;
  e.syllables = std::move(syl);
  e.senses = {std::move(sense)};
  return e;
}
}  // namespace

TEST(StandardTablesTest, CommonCharactersAndDictionaryEntries) {
  StandardTables t = Tables();
  EXPECT_TRUE(IsCommonCharacter(t, "尴"));
  EXPECT_FALSE(IsCommonCharacter(t, "邱"));
  EXPECT_FALSE(IsCommonCharacter(t, "好"));  // not in the table at all
  EXPECT_TRUE(GivesReading(t.standard, "长", "zhang3"));
  EXPECT_TRUE(GivesReading(t.standard, "长", "zhang3", "466.110"));
  EXPECT_FALSE(GivesReading(t.standard, "长", "zhang3", "038.110"));
  EXPECT_TRUE(GivesReading(t.standard, "地", "de5"));
  EXPECT_TRUE(GivesReading(t.hdz, "大", "dai4", "10520.010"));
  EXPECT_TRUE(GivesReading(t.mandarin, "阝", "fu4"));
  EXPECT_TRUE(t.xhc.count("呣") && t.xhc.at("呣").empty());  // ḿ spells no sound name
}

TEST(DecisionSourcesTest, CitationsAreReadStrictly) {
  Citation c = Cite("TGHZ2013 038.110 长 chang2");
  EXPECT_EQ(c.dictionary, "TGHZ2013");
  EXPECT_EQ(c.place, "038.110");
  EXPECT_EQ(c.headword, "长");
  c = Cite("CC-CEDICT 局长 ju2 zhang3");
  EXPECT_EQ(c.syllables, (std::vector<std::string>{"ju2", "zhang3"}));
  for (const char* bad : {"TGHZ2013 长 chang2", "XHC1983 0121.040 局长 ju2 zhang3", "CC-CEDICT 局长 ju2",
                          "Cidian 长 chang2", "CC-CEDICT 长 cháng", "UNIHAN 局长 ju2 zhang3", "TGHZ2013 .110 长 chang2"}) {
    Citation x;
    EXPECT_FALSE(ParseCitation(bad, x)) << bad;
  }
  TempFile f("# comment\n长\tchang2\tTGHZ2013 038.110 长 chang2; XHC1983 0121.040 长 chang2\n"
             "局长\tju2 zhang3\tCC-CEDICT 局长 ju2 zhang3; TGHZ2013 466.110 长 zhang3\ta note\n"
             "似\tsi4\n"
             "好\thao3\tTGHZ2013 132 好\n");
  DecisionList list;
  std::vector<std::string> bad;
  ASSERT_TRUE(ReadDecisionList(f.path, list, bad));
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list["局长"].note, "a note");
  EXPECT_EQ(list["长"].citations.size(), 2u);
  EXPECT_EQ(bad, (std::vector<std::string>{"似\tsi4", "好\thao3\tTGHZ2013 132 好"}));
}

TEST(DecisionSourcesTest, ASecondDictionaryMustAgreeAndEveryEntryBeFound) {
  StandardTables t = Tables();
  Cedict c;
  c["局长"] = {Entry({"ju2", "zhang3"}, "director")};
  c["薄膜"] = {Entry({"bo2", "mo2"}, "membrane")};
  c["长"] = {Entry({"chang2"}, "long")};
  EXPECT_EQ(SourceProblem("长", Decision({"chang2"}, {"TGHZ2013 038.110 长 chang2", "XHC1983 0121.040 长 chang2"}), c, t), "");
  EXPECT_EQ(SourceProblem("局长", Decision({"ju2", "zhang3"}, {"CC-CEDICT 局长 ju2 zhang3", "TGHZ2013 466.110 长 zhang3"}), c, t), "");
  // The neutral tone of a word agrees with the character's own reading spelled alike.
  c["长长"] = {Entry({"chang2", "chang5"}, "x")};
  EXPECT_EQ(SourceProblem("长长", Decision({"chang2", "chang5"}, {"CC-CEDICT 长长 chang2 chang5", "TGHZ2013 038.110 长 chang2"}), c, t), "");

  EXPECT_EQ(SourceProblem("长", Decision({"chang2"}, {}), c, t), "no source");
  // One dictionary alone needs a note saying why.
  EXPECT_NE(SourceProblem("长", Decision({"chang2"}, {"TGHZ2013 038.110 长 chang2"}), c, t), "");
  EXPECT_EQ(SourceProblem("长", Decision({"chang2"}, {"TGHZ2013 038.110 长 chang2"}, "no other lists it"), c, t), "");
  // Two editions of one dictionary are one dictionary.
  EXPECT_NE(SourceProblem("长", Decision({"chang2"}, {"XHC1983 0121.040 长 chang2", "XHC 长 chang2"}), c, t), "");
  // An entry the data lacks, at another place, or of another text.
  EXPECT_NE(SourceProblem("长", Decision({"chang2"}, {"TGHZ2013 466.110 长 chang2", "XHC1983 0121.040 长 chang2"}), c, t), "");
  EXPECT_NE(SourceProblem("局长", Decision({"ju2", "zhang3"}, {"CC-CEDICT 局长 ju2 chang2", "TGHZ2013 466.110 长 zhang3"}), c, t), "");
  EXPECT_NE(SourceProblem("局长", Decision({"ju2", "zhang3"}, {"CC-CEDICT 局长 ju2 zhang3", "TGHZ2013 038.110 地 de5"}), c, t), "");
  // Character entries only check: the whole word must be settled by one source.
  EXPECT_NE(SourceProblem("局长", Decision({"ju2", "zhang3"}, {"TGHZ2013 466.110 长 zhang3", "XHC1983 1456.020 长 zhang3"}), c, t), "");
  // A source reading it otherwise: the standard reading, and a note saying so.
  ReadingDecision thin = Decision({"bao2", "mo2"}, {"XHC 薄膜 bao2 mo2", "CC-CEDICT 薄膜 bo2 mo2"});
  EXPECT_NE(SourceProblem("薄膜", thin, c, t), "");
  thin.note = "the standard reading taken";
  EXPECT_EQ(SourceProblem("薄膜", thin, c, t), "");
  ReadingDecision other = Decision({"bo2", "mo2"}, {"CC-CEDICT 薄膜 bo2 mo2", "XHC 薄膜 bao2 mo2"}, "CC-CEDICT's");
  EXPECT_NE(SourceProblem("薄膜", other, c, t), "");
}

TEST(StandardTablesTest, MainlandReadingsAndCharactersNoDictionaryLists) {
  StandardTables t = Tables();
  Cedict c;
  c["拙"] = {Entry({"zhuo1"}, "clumsy")};
  c["矽"] = {Entry({"xi1"}, "(Tw) silicon")};
  EXPECT_TRUE(IsMainlandReading(t, c, "长", "zhang3"));  // the 2013 standard dictionary
  EXPECT_TRUE(IsMainlandReading(t, c, "拙", "zhuo1"));   // CC-CEDICT
  EXPECT_FALSE(IsMainlandReading(t, c, "拙", "zhuo2"));
  EXPECT_FALSE(IsMainlandReading(t, c, "矽", "xi1"));    // Taiwan only
  EXPECT_FALSE(IsMainlandReading(t, c, "大", "tai4"));   // Hanyu Da Zidian alone is no mainland reading
  EXPECT_TRUE(IsReadingOfUnlistedCharacter(t, c, "阝", "fu4"));
  EXPECT_TRUE(IsReadingOfUnlistedCharacter(t, c, "大", "tai4"));
  EXPECT_FALSE(IsReadingOfUnlistedCharacter(t, c, "长", "zhang3"));  // listed: it must be a mainland reading
}
