#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/mediagen/rc_writer.h"

using namespace mediagen;

TEST(MediaRc, PicturesSplitAtTheSecondModule) {
  std::vector<RcEntry> first, second;
  PictureRcEntries({1, 2, 3499, 3500, 6999}, "/g", first, second);
  ASSERT_EQ(first.size(), 3u);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(first[2].name, "MywbGIF3499");
  EXPECT_EQ(first[2].path, "/g/3499.gif");
  EXPECT_EQ(second[0].name, "MywbGIF3500");
  EXPECT_EQ(second[1].name, "MywbGIF6999");
  for (const auto& e : first) EXPECT_EQ(e.type, "GIF");
}

TEST(MediaRc, SoundModuleHoldsKeyErrorAndPronunciations) {
  auto v = SoundRcEntries({"hao3", "lv4"}, "/w");
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].name, "MyWAVabc");
  EXPECT_EQ(v[1].name, "MyWAVywerror");
  EXPECT_EQ(v[2].name, "MyPyWAVhao3");
  EXPECT_EQ(v[2].path, "/w/py/hao3.wav");
  EXPECT_EQ(v[3].type, "WAV");
  std::string rc, err;
  ASSERT_TRUE(RcText(v, rc, err)) << err;
  EXPECT_NE(rc.find("MyPyWAVlv4 WAV \"/w/py/lv4.wav\"\n"), std::string::npos);
}

TEST(MediaRc, RefusesWhatAScriptCannotHold) {
  const RcEntry bad[] = {
      {"My WAV", "WAV", "/a.wav"},
      {"1abc", "WAV", "/a.wav"},
      {"MyWAV", "W-V", "/a.wav"},
      {"MyWAV", "WAV", "/a\"b.wav"},
      {"MyWAV", "WAV", "C:\\a.wav"},
      {"", "WAV", "/a.wav"},
  };
  for (const auto& e : bad) {
    std::string rc, err;
    EXPECT_FALSE(RcText({e}, rc, err)) << e.name << " " << e.path;
    EXPECT_FALSE(err.empty());
  }
}

TEST(MediaRc, VersionBlockNamesTheModule) {
  std::string v = VersionBlock("wbrc2.dll", "pictures");
  EXPECT_EQ(v.rfind("1 VERSIONINFO", 0), 0u);
  EXPECT_NE(v.find("\"OriginalFilename\", \"wbrc2.dll\""), std::string::npos);
  // Balanced BEGIN/END so windres accepts it.
  size_t begins = 0, ends = 0;
  for (size_t p = 0; (p = v.find("BEGIN", p)) != std::string::npos; ++p) ++begins;
  for (size_t p = 0; (p = v.find("END", p)) != std::string::npos; ++p) ++ends;
  EXPECT_EQ(begins, ends);
}
