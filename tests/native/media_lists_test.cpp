#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/mediagen/lists.h"

using namespace mediagen;

TEST(MediaRoots, ReadsKeysCommentsAndLineEnds) {
  RootTable t;
  std::string err;
  ASSERT_TRUE(ParseRoots(u8"# comment\r\ng\t王 一 五\r\n\nY\t言 讠\n", t, err)) << err;
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t['g'], (std::vector<std::string>{u8"王", u8"一", u8"五"}));
  EXPECT_EQ(t['y'], (std::vector<std::string>{u8"言", u8"讠"}));
  EXPECT_EQ(MissingKeys(t), "abcdefhijklmnopqrstuvwx");
}

TEST(MediaRoots, RefusesDamagedTables) {
  struct Case { const char* text; const char* says; };
  const Case cases[] = {
      {u8"g 王 一\n", "line 1"},
      {u8"gg\t王\n", "one letter"},
      {u8"z\t王\n", "a to y"},
      {u8"g\t王\ng\t一\n", "line 2: key g given twice"},
      {u8"g\t王  一\n", "empty root"},
      {"g\t\xE7\x8E\n", "UTF-8"},
      {"# only a comment\n", "no keys"},
  };
  for (const auto& c : cases) {
    RootTable t;
    std::string err;
    EXPECT_FALSE(ParseRoots(c.text, t, err)) << c.text;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.text << " -> " << err;
  }
}

TEST(MediaPictureList, ReadsAndNormalisesCodes) {
  std::vector<PictureEntry> v;
  std::string err;
  ASSERT_TRUE(ParsePictures(u8"1\t工\taaaa\n3500\t国\tLGYI\r\n", v, err)) << err;
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[1].number, 3500);
  EXPECT_EQ(v[1].character, u8"国");
  EXPECT_EQ(v[1].code, "lgyi");
}

TEST(MediaPictureList, RefusesBadLines) {
  const char* bad[] = {
      u8"1\t工\n",               // two columns
      u8"x\t工\taaaa\n",         // not a number
      u8"0\t工\taaaa\n",         // zero
      u8"-3\t工\taaaa\n",        // negative
      u8"1\t工\taaaa\n1\t人\twwww\n",  // duplicate number
      u8"1\t工\tzz\n",           // z is no code key
      u8"1\t工\taaaaa\n",        // five letters
      "1\t\taaaa\n",           // no character
      "",                      // nothing listed
  };
  for (const char* t : bad) {
    std::vector<PictureEntry> v;
    std::string err;
    EXPECT_FALSE(ParsePictures(t, v, err)) << t;
    EXPECT_FALSE(err.empty());
  }
}

TEST(MediaSoundNames, DropsDuplicatesAndRefusesOddNames) {
  std::vector<std::string> v;
  std::string err;
  ASSERT_TRUE(ParseSoundNames("hao3\nlv4\r\n\nhao3\nma5\n", v, err)) << err;
  EXPECT_EQ(v, (std::vector<std::string>{"hao3", "lv4", "ma5"}));
  for (const char* t : {"hao 3\n", "Hao3\n", "3hao\n", "h\xC3\xBC\n", "a/b\n"}) {
    EXPECT_FALSE(ParseSoundNames(t, v, err)) << t;
    EXPECT_NE(err.find("line 1"), std::string::npos);
  }
}
