// The dictionary files the build generated, read back with the program's loader.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include "build_dir.h"
#include "dict_test_util.h"
#include "practice/data/dict_load.h"
#include "practice/rules/hint_lookup.h"

namespace {

class DictGeneratedTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    folder_ = new TDictFolder;
    dicts_ = new TDictionaries;
    const std::string appdata = BuildDir() + "/appdata/";
    for (const char* f : {"wb1.dat", "wb2.dat", "wbzg.dat", "wbOne.dat", "wbs.dat", "wbTwo.dat", "wbMulti.dat",
                          "PYs.dat", "PYOne.dat", "PYTwo.dat", "PYMulti.dat"}) {
      TBytes b;
      if (ReadFileBytes(appdata + f, b)) WriteFileBytes(folder_->Path() + f, b.data(), b.size());
    }
    result_ = LoadDictionaries(folder_->Path(), *dicts_);
  }
  static void TearDownTestSuite() {
    delete dicts_;
    delete folder_;
  }
  void SetUp() override { ASSERT_EQ(result_.Status, TDictLoadStatus::Ok) << result_.Message(); }

  static TDictFolder* folder_;
  static TDictionaries* dicts_;
  static TDictLoadResult result_;
};
TDictFolder* DictGeneratedTest::folder_ = nullptr;
TDictionaries* DictGeneratedTest::dicts_ = nullptr;
TDictLoadResult DictGeneratedTest::result_;

template <class Table, class Pred>
int Find(const Table& t, Pred pred) {
  for (int r = 1; r <= t.Count(); ++r)
    if (pred(t[r])) return r;
  return 0;
}
}  // namespace

TEST_F(DictGeneratedTest, LevelOneCodesAreTheStandardOnes) {
  const char* expected[] = {"g一", "f地", "d在", "s要", "a工", "h上", "j是", "k中", "l国", "m同", "t和", "r的", "e有",
                            "w人", "q我", "y主", "u产", "i不", "o为", "p这", "n民", "b了", "v发", "c以", "x经"};
  ASSERT_EQ(dicts_->Wb1Buffer.Count, 25);
  for (int k = 0; k < 25; ++k) {
    const char* rec = dicts_->Wb1Buffer.Record(k, kWb1RecordSize);
    EXPECT_EQ(std::string(1, rec[2]) + std::string(rec, 2), expected[k]) << k;
  }
}

TEST_F(DictGeneratedTest, SpotChecksALearnerWouldNotice) {
  int hao = Find(dicts_->WbOneTable, [](const svlcharsetWBOne& r) { return r.Character == "好"; });
  ASSERT_GT(hao, 0);
  EXPECT_EQ(dicts_->WbOneTable[hao].Codes[1], "vbg");
  EXPECT_EQ(dicts_->WbOneTable[hao].Codes[2], "vb");
  int wbs = Find(dicts_->WbsTable, [](const svlcharsetWBs& r) { return r.Character == "好"; });
  ASSERT_GT(wbs, 0);
  EXPECT_EQ(dicts_->WbsTable[wbs].PictureNo, hao);

  int reading = Find(dicts_->PYOneTable, [](const svlcharsetPYs& r) { return r.Character == "好"; });
  ASSERT_GT(reading, 0);
  EXPECT_EQ(dicts_->PYOneTable[reading].SoundName, "MyPyWAVhao3");
  EXPECT_EQ(dicts_->PYOneTable[reading].Pinyin, "hao");
  EXPECT_EQ(dicts_->PYOneTable[reading].HintSpelling, "hǎo");

  int zg = Find(dicts_->WbTwoTable, [](const svlcharsetWBTwo& r) { return r.Word == "中国"; });
  ASSERT_GT(zg, 0);
  EXPECT_EQ(dicts_->WbTwoTable[zg].Code, "khlg");
  int pzg = Find(dicts_->PYTwoTable, [](const svlcharsetpyTwo& r) { return r.Phrase == "中国"; });
  ASSERT_GT(pzg, 0);
  EXPECT_EQ(dicts_->PYTwoTable[pzg].Pinyin, "zhongguo");
  EXPECT_EQ(dicts_->PYTwoTable[pzg].SoundNames[1], "MyPyWAVzhong1");
  EXPECT_EQ(dicts_->PYTwoTable[pzg].SoundNames[2], "MyPyWAVguo2");

  int bank = Find(dicts_->PYTwoTable, [](const svlcharsetpyTwo& r) { return r.Phrase == "银行"; });
  ASSERT_GT(bank, 0);
  EXPECT_EQ(dicts_->PYTwoTable[bank].SoundNames[2], "MyPyWAVhang2");
  EXPECT_EQ(dicts_->PYTwoTable[bank].Pinyin, "yinhang");
}

TEST_F(DictGeneratedTest, GroupsHoldTheReadingsOfOneCharacter) {
  for (int g = 1; g <= kPinyinGroupCount; ++g) {
    int slots = g <= 17 ? 2 : 3;
    for (int s = 1; s <= slots; ++s) EXPECT_FALSE(dicts_->PinyinGroups[g].Pinyins[s].empty()) << g << "/" << s;
    EXPECT_NE(dicts_->PinyinGroups[g].Pinyins[1], dicts_->PinyinGroups[g].Pinyins[2]) << g;
  }
  EXPECT_EQ(dicts_->PYsTable[35].Character, dicts_->PYsTable[37].Character);
  EXPECT_EQ(dicts_->PYsTable[33].Character, dicts_->PYsTable[34].Character);
}

// The readings of a character in a table, in its order ("hao3 hao4").
template <class Table>
std::string ReadingsOf(const Table& t, const std::string& ch) {
  std::string out;
  for (int r = 1; r <= t.Count(); ++r)
    if (t[r].Character == ch) out += (out.empty() ? "" : " ") + t[r].SoundName.substr(7);
  return out;
}

TEST_F(DictGeneratedTest, DrillSetsHoldTheCommonCharactersOnly) {
  auto drilled = [this](const std::string& ch) {
    bool wbs = Find(dicts_->WbsTable, [&](const svlcharsetWBs& r) { return r.Character == ch; }) > 0;
    bool pys = Find(dicts_->PYsTable, [&](const svlcharsetPYs& r) { return r.Character == ch; }) > 0;
    EXPECT_EQ(wbs, pys) << ch;
    return wbs && pys;
  };
  // Common characters outside GB 2312 level 1, and names and literary ones outside the 3,500.
  for (const char* ch : {"尴", "尬", "浏", "朦", "胧", "咧", "馨"}) EXPECT_TRUE(drilled(ch)) << ch;
  for (const char* ch : {"耶", "韦", "邱", "邵", "陛", "嗣"}) EXPECT_FALSE(drilled(ch)) << ch;
  // A drill character with every reading it has in everyday words.
  std::string cha = ReadingsOf(dicts_->PYsTable, "差");
  for (const char* r : {"cha4", "cha1", "chai1", "ci1"}) EXPECT_NE(cha.find(r), std::string::npos) << cha;
  EXPECT_EQ(ReadingsOf(dicts_->PYsTable, "好"), ReadingsOf(dicts_->PYOneTable, "好"));
}

TEST_F(DictGeneratedTest, SingleCharactersHaveTheReadingsOfTheirPhrases) {
  const std::pair<const char*, const char*> everyday[] = {
      {"会", "kuai4"}, {"教", "jiao1"}, {"和", "he4"}, {"同", "tong4"}, {"正", "zheng1"},
      {"的", "di2"},   {"地", "de5"},   {"好", "hao4"}, {"大", "dai4"}};
  for (const auto& e : everyday) EXPECT_NE(ReadingsOf(dicts_->PYOneTable, e.first).find(e.second), std::string::npos) << e.first;
  // Readings no mainland dictionary gives these characters.
  EXPECT_EQ(ReadingsOf(dicts_->PYOneTable, "蓬"), "peng2");
  EXPECT_EQ(ReadingsOf(dicts_->PYOneTable, "拙"), "zhuo1");
  EXPECT_EQ(ReadingsOf(dicts_->PYOneTable, "洋"), "yang2");
}

TEST_F(DictGeneratedTest, F1InThePinyinArticleWalksEveryReading) {
  for (const auto& c : {std::make_pair("好", "hào"), std::make_pair("大", "dài")}) {
    TPinyinHint hint;
    const std::string ch = c.first;
    ASSERT_TRUE(LookUpPinyinHint(*dicts_, {ch, ch, ch, ch}, [] { return true; }, hint));
    std::string label8;
    ASSERT_TRUE(hint.Readings.Next(label8)) << ch;
    EXPECT_EQ(label8, std::string(c.second) + "(" + ch + ")");
    ASSERT_TRUE(hint.Readings.Next(label8));
    EXPECT_EQ(label8, hint.CodeHintText);
  }
}

TEST_F(DictGeneratedTest, DataCheckerFindsNoProblem) {
  std::string cmd = BuildDir() + "/tools/datacheck/datacheck > /dev/null";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
}
