#include <gtest/gtest.h>
#include <algorithm>
#include "practice/data/dict_parse.h"


namespace {
// Pads `s` with blanks to `width` bytes.
std::string Pad(std::string s, std::size_t width) {
  s.resize(std::max(s.size(), width), ' ');
  return s;
}
const std::string kCodes = Pad("vbg vb  vbg vb", 23);
}  // namespace

TEST(DictParseTest, ColumnsOfShortLines) {
  EXPECT_EQ(dictcol::Cols("abcdef", 2, 4), "bcd");
  EXPECT_EQ(dictcol::Cols("abc", 2, 10), "bc");
  EXPECT_EQ(dictcol::Cols("abc", 4, 10), "");
  EXPECT_EQ(dictcol::ColsToEnd("abc", 3), "c");
  EXPECT_EQ(dictcol::ColsToEnd("abc", 4), "");
}

TEST(DictParseTest, WubiCharacterLines) {
  svlcharsetWBOne one = ParsedLine(kCodes + "好", ParseWbOneLine);
  EXPECT_EQ(one.Codes[1], "vbg");
  EXPECT_EQ(one.Codes[2], "vb");
  EXPECT_EQ(one.Codes[4], "vb");
  EXPECT_EQ(one.Character, "好");
  // Adjacent four-letter codes need no blank between them.
  svlcharsetWBOne full = ParsedLine(Pad("ggllggllggl g", 23) + "一", ParseWbOneLine);
  EXPECT_EQ(full.Codes[1], "ggll");
  EXPECT_EQ(full.Codes[2], "ggll");
  EXPECT_EQ(full.Codes[3], "ggl");
  EXPECT_EQ(full.Codes[4], "g");

  struct {
    const char* tail;
    int picture;
    const char* character;
  } cases[] = {
      {"好   27", 27, "好"},
      {"好   x27", 1, "好"},
      {"好   ", 1, "好"},
      {"好   -3", -3, "好"},
      {"好   \t12\r", 12, "好"},
      {"好   99999999999", 1, "好"},
      // Column 28 belongs to the character and to the number.
      {"好  7", 7, "好  7"},
  };
  for (const auto& c : cases) {
    svlcharsetWBs s = ParsedLine(kCodes + c.tail, ParseWbsLine);
    EXPECT_EQ(s.PictureNo, c.picture) << c.tail;
    EXPECT_EQ(s.Character, c.character) << c.tail;
    EXPECT_EQ(s.HintCycle, 0);
    EXPECT_EQ(s.Codes[1], "vbg");
  }
}

TEST(DictParseTest, WubiPhraseLines) {
  svlcharsetWBTwo two = ParsedLine("khlg        中国", ParseWbTwoLine);
  EXPECT_EQ(two.Code, "khlg");
  EXPECT_EQ(two.Word, "中国");
  svlcharsetWBMulti multi = ParsedLine("khlw        中国人 ", ParseWbMultiLine);
  EXPECT_EQ(multi.Word, "中国人");
}

TEST(DictParseTest, PinyinCharacterLines) {
  svlcharsetPYs r = ParsedLine(Pad("hǎo", 12) + "好   hao3", ParsePYsLine);
  EXPECT_EQ(r.HintSpelling, "hǎo");
  EXPECT_EQ(r.Character, "好");
  EXPECT_EQ(r.Pinyin, "hao");
  EXPECT_EQ(r.SoundName, "MyPyWAVhao3");

  // Exactly 16 characters: no pinyin, the sound name takes column 16.
  svlcharsetPYs edge = ParsedLine("abcdefghijk 好 X", ParsePYsLine);
  ASSERT_EQ(std::string("abcdefghijk 好 X").size(), 16u);
  EXPECT_EQ(edge.Pinyin, "");
  EXPECT_EQ(edge.SoundName, "MyPyWAVX");
  EXPECT_EQ(edge.Character, "好 X");
  EXPECT_EQ(edge.HintSpelling, "abcdefghijk");
}

TEST(DictParseTest, PinyinPhraseSoundColumn) {
  const std::string head = Pad(Pad("zhongguo", 12) + Pad("中国", 6) + "zhōng guó", 39);
  ASSERT_EQ(head.size(), 39u);
  struct {
    const char* sounds;
    const char* first;
    const char* second;
  } cases[] = {
      {"zhong1 guo2", "MyPyWAVzhong1", "MyPyWAVguo2"},
      {"zhong1", "MyPyWAV", "MyPyWAVzhong1"},
      {"zhong1  guo2", "MyPyWAVzhong1", "MyPyWAVguo2"},
      {"", "MyPyWAV", "MyPyWAV"},
  };
  for (const auto& c : cases) {
    svlcharsetpyTwo r = ParsedLine(head + c.sounds, ParsePYTwoLine);
    EXPECT_EQ(r.SoundNames[1], c.first) << c.sounds;
    EXPECT_EQ(r.SoundNames[2], c.second) << c.sounds;
    EXPECT_EQ(r.Pinyin, "zhongguo");
    EXPECT_EQ(r.Phrase, "中国");
    EXPECT_EQ(r.HintSpelling, "zhōng guó");
  }
}

TEST(DictParseTest, PinyinMultiSoundWords) {
  std::string head = "zhongguoren ";
  head += "中国人";
  head.resize(84, ' ');
  svlcharsetpyMulti two = ParsedLine(head + "ren2  min2", ParsePYMultiLine);
  EXPECT_EQ(two.SoundNames[1], "MyPyWAVren2");
  EXPECT_EQ(two.SoundNames[2], "MyPyWAV");
  EXPECT_EQ(two.SoundNames[3], "MyPyWAVmin2");
  EXPECT_EQ(two.SoundNames[4], "");
  EXPECT_EQ(two.Phrase, "中国人");
  EXPECT_EQ(two.Pinyin, "zhongguoren");

  svlcharsetpyMulti many = ParsedLine(head + "a1 b2 c3 d4 e5 f1 g2 h3 i4 j5 k1 l2", ParsePYMultiLine);
  EXPECT_EQ(many.SoundNames[1], "MyPyWAVa1");
  EXPECT_EQ(many.SoundNames[10], "MyPyWAVj5");

  svlcharsetpyMulti hint = ParsedLine(std::string(31, ' ') + "xzhōng guó rén", ParsePYMultiLine);
  EXPECT_EQ(hint.HintSpelling, "xzhōng guó rén");
  EXPECT_EQ(hint.Phrase, "x");
}

TEST(DictParseTest, TempNames) {
  EXPECT_EQ(TempDictionaryName("wbOne.dat"), "wbOneTemp.dat");
  EXPECT_EQ(TempDictionaryName("PYMulti.dat"), "PYMultiTemp.dat");
}
