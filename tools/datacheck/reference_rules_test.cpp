// The checker's rules for the second references: how a Wubi table is read and
// which reading differences a rule explains.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "tools/datacheck/reference_rules.h"

namespace {

std::string WriteTemp(const std::string& text) {
  char name[] = "/tmp/reference_rules_test.XXXXXX";
  int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  std::ofstream(name) << text;
  return name;
}

}  // namespace

TEST(WubiReferenceTest, ShortCodesTakeTheFirstCommonCharacterAndFullCodesAnyListedCode) {
  std::string path = WriteTemp(
      ";fcitx Version 0x03 Table file\nKeyCode=abcdefghijklmnopqrstuvwxy\n[Rule]\ne2=p11+p12+p21+p22\n"
      "[Data]\na 工\nmo 嶸\nmo 赕\nfcu 云\nfcuu 云\nkhlg 中国\n");
  WubiReference ref;
  ASSERT_TRUE(ReadWubiReference(path, ref));
  std::remove(path.c_str());
  EXPECT_EQ(ShortCodeCharacter(ref, "a"), "工");
  EXPECT_EQ(ShortCodeCharacter(ref, "mo"), "赕");  // 嶸 is not a GB 2312 character
  EXPECT_EQ(ShortCodeCharacter(ref, "ko"), "");
  EXPECT_TRUE(FullCodeAgrees(ref, "云", "fcu"));
  EXPECT_FALSE(FullCodeAgrees(ref, "云", "fcuy"));
  EXPECT_TRUE(FullCodeAgrees(ref, "中国", "khlg"));
  EXPECT_EQ(ShortCodeCharacter(ref, "e2"), "");  // the rule lines before the data are not codes
}

TEST(WubiReferenceTest, ATextWithoutDataIsRefused) {
  std::string path = WriteTemp("[Rule]\na 工\n");
  WubiReference ref;
  EXPECT_FALSE(ReadWubiReference(path, ref));
  std::remove(path.c_str());
  EXPECT_FALSE(ReadWubiReference("/nonexistent/table.txt", ref));
}

TEST(ReadingRulesTest, NeutralTonesAndYiBuAreOneRuleEach) {
  EXPECT_EQ(MatchReadings({"你", "好"}, {"ni3", "hao3"}, {"ni3", "hao3"}), ReadingMatch::Same);
  EXPECT_EQ(MatchReadings({"东", "西"}, {"dong1", "xi5"}, {"dong1", "xi1"}), ReadingMatch::NeutralTone);
  EXPECT_EQ(MatchReadings({"差", "不", "多"}, {"cha4", "bu5", "duo1"}, {"cha4", "bu4", "duo1"}),
            ReadingMatch::NeutralTone);
  EXPECT_EQ(MatchReadings({"一", "样"}, {"yi1", "yang4"}, {"yi2", "yang4"}), ReadingMatch::CitationTone);
  EXPECT_EQ(MatchReadings({"不", "是"}, {"bu4", "shi4"}, {"bu2", "shi4"}), ReadingMatch::CitationTone);
  // Both rules in one word: the 一/不 rule is named.
  EXPECT_EQ(MatchReadings({"一", "个"}, {"yi1", "ge5"}, {"yi2", "ge4"}), ReadingMatch::CitationTone);
}

TEST(ReadingRulesTest, OtherDifferencesAreNotExplained) {
  // A tone change of another character, or 一 written in a changed tone by the files.
  EXPECT_EQ(MatchReadings({"好"}, {"hao4"}, {"hao3"}), ReadingMatch::Differs);
  EXPECT_EQ(MatchReadings({"一", "样"}, {"yi2", "yang4"}, {"yi1", "yang4"}), ReadingMatch::Differs);
  EXPECT_EQ(MatchReadings({"长", "城"}, {"zhang3", "cheng2"}, {"chang2", "cheng2"}), ReadingMatch::Differs);
  EXPECT_EQ(MatchReadings({"局", "长"}, {"ju2", "zhang3"}, {"ju2"}), ReadingMatch::Differs);  // lengths differ
}
