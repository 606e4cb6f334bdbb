// The program's own skin as the build made it (build/native/skin): it decodes,
// and its description names every object the skin engine reads, each with an
// image that divides into the frames the engine cuts it into.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "build_dir.h"
#include "skin/portable/quick_ini.h"
#include "skin/portable/skin_reader.h"

namespace {
std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TBmp {
  int width = 0, height = 0, bits = 0;
};
bool ParseBmp(const std::uint8_t* b, std::size_t size, TBmp& bmp) {
  if (size < 54 || b[0] != 'B' || b[1] != 'M') return false;
  auto i32 = [b](int at) { return static_cast<int>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
  bmp = {i32(18), i32(22), b[28] | b[29] << 8};
  return true;
}

class GeneratedSkin : public ::testing::Test {
protected:
  void SetUp() override {
    std::vector<std::uint8_t> file = ReadFile(BuildDir() + "/skin/tapmira.skin");
    ASSERT_FALSE(file.empty()) << "no skin at " << BuildDir() << "/skin";
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    std::string report;
    reader.OnReport = [&report](const std::string& m) { report = m; };
    ASSERT_TRUE(reader.Load(stream)) << report;
    TMemoryStream description;
    std::string name;
    ASSERT_TRUE(reader.FindEntry(".ini", description, name));
    ini.LoadFromStream(description);
  }

  // The image a key names: present, 24 bits, and `frames` whole frames along its strip.
  void ExpectImage(const std::string& section, const std::string& key, int frames, bool vertical = false) {
    SCOPED_TRACE(section + "." + key);
    std::string file = ini.ReadString(section, key, "");
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.substr(file.size() - 4), ".bmp");  // the engine compares the extension with case
    TMemoryStream entry;
    ASSERT_TRUE(reader.GetEntry(file, entry));
    TBmp bmp;
    ASSERT_TRUE(ParseBmp(entry.Memory(), static_cast<std::size_t>(entry.Size()), bmp));
    EXPECT_EQ(bmp.bits, 24);
    int along = vertical ? bmp.height : bmp.width;
    EXPECT_GT(along / frames, 0);
    EXPECT_EQ(along % frames, 0) << along << " pixels in " << frames << " frames";
    EXPECT_GT(vertical ? bmp.width : bmp.height, 0);
  }

  TSkinReader reader;
  TQuickIni ini;
};
}  // namespace

TEST_F(GeneratedSkin, HasEveryObjectWithWholeFrames) {
  EXPECT_EQ(reader.Version(), 70000);
  for (const char* side : {"Left", "Right"}) ExpectImage("Personality", side, 2);
  for (const char* side : {"Top", "Bottom"}) ExpectImage("Personality", side, 2, true);
  ExpectImage("Personality", "menuBar", 2, true);
  ExpectImage("Buttons", "Bitmap", 5);
  ExpectImage("Buttons", "CheckButton", ini.ReadInteger("Buttons", "CheckButtonFrame", 0));
  ExpectImage("Buttons", "RadioButton", ini.ReadInteger("Buttons", "RadioButtonFrame", 0));
  ExpectImage("Progress", "Bitmap", 2);
  ExpectImage("MDICONTROLS", "Image", 12);
  ExpectImage("Tabs", "Border", 1);
  ExpectImage("UpDown.Horz", "GlyphImage", 8);
  ExpectImage("UpDown.Vert", "GlyphImage", 8);
  const std::pair<const char*, int> objects[] = {
      {"Progress.Chunk", 1}, {"GroupBoxEdge", 2}, {"GroupBox", 1}, {"Tabs", 5}, {"StatusBarEdges", 3},
      {"Tab.Pane", 1}, {"ToolBars", 5}, {"ComboButton", 4}, {"SunkEdge", 4}, {"ExtraImages", 5},
      {"Headerbar", 5}, {"MenuItem", 5}, {"MenuBackground", 1}, {"Scrollbar", 23}, {"HorzScroll", 4},
      {"VertScroll", 4}, {"HorzScrollThumb", 3}, {"VertScrollThumb", 3}, {"Trackbar.ThumbHorz", 5},
      {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5}, {"Trackbar.ThumbRight", 5},
      {"Trackbar.ThumbUp", 5}, {"Trackbar.ThumbDown", 5}, {"UpDown.Horz", 8}, {"UpDown.Vert", 8},
      {"Track", 1}, {"TRACKVERT", 1}};
  for (const auto& [section, frames] : objects) ExpectImage(section, "Image", frames);
  // The thumbs' frame count is read from the description, not fixed.
  EXPECT_EQ(ini.ReadInteger("HorzScrollThumb", "FrameCount", 0), 3);
  EXPECT_EQ(ini.ReadInteger("VertScrollThumb", "FrameCount", 0), 3);
  // The tab pane's margins are cut to 4 by the engine: keep them there.
  for (const char* m : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight"})
    EXPECT_LE(ini.ReadInteger("Tab.Pane", m, 0), 4);
}

TEST_F(GeneratedSkin, GivesEveryColourAndTheCaptionButtons) {
  for (const char* key : {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
                          "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight",
                          "Menubar", "MenuBarText", "MenuText", "Menu", "Scrollbar"}) {
    std::string text = ini.ReadString("Colours", key, "");
    int a = -1, b = -1, c = -1;
    EXPECT_EQ(std::sscanf(text.c_str(), "%d %d %d", &a, &b, &c), 3) << key;
  }
  // Close, maximise (not maximised), restore (maximised), minimise; each with a 4-frame image.
  TStringList sections;
  ini.ReadSections(sections);
  std::vector<std::pair<int, int>> actions;
  for (const std::string& s : sections.ToVector()) {
    if (s.rfind("Button", 0) != 0 || s == "Buttons") continue;
    actions.push_back({ini.ReadInteger(s, "Action", -9), ini.ReadInteger(s, "Visibility", -9)});
    if (!ini.ReadString(s, "ButtonImage", "").empty()) {
      EXPECT_EQ(ini.ReadInteger(s, "frame", 0), 4) << s;
      ExpectImage(s, "ButtonImage", 4);
    }
  }
  for (auto wanted : std::vector<std::pair<int, int>>{{0, 0}, {1, 2}, {1, 1}, {2, 0}})
    EXPECT_NE(std::find(actions.begin(), actions.end(), wanted), actions.end())
        << "action " << wanted.first << " visibility " << wanted.second;
}

TEST(GeneratedBitmaps, ProgramBitmapsHaveTheirSizesAndDepths) {
  const std::string dir = BuildDir() + "/skin/bitmaps/";
  struct TWanted {
    const char* name;
    int width, height, bits;
  };
  for (const TWanted& w : {TWanted{"TRACK", 16, 4, 4}, TWanted{"TRACKVERT", 4, 16, 4}, TWanted{"VELLORAMENU", 64, 16, 1}}) {
    std::vector<std::uint8_t> f = ReadFile(dir + w.name + ".bmp");
    TBmp bmp;
    ASSERT_TRUE(ParseBmp(f.data(), f.size(), bmp)) << w.name;
    EXPECT_EQ(bmp.width, w.width) << w.name;
    EXPECT_EQ(bmp.height, w.height) << w.name;
    EXPECT_EQ(bmp.bits, w.bits) << w.name;
  }
  int media = 0;
  for (const char* state : {"EN", "DI", "CL"})
    for (const char* button : {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"}) {
      std::vector<std::uint8_t> f = ReadFile(dir + state + "_" + button + ".bmp");
      TBmp bmp;
      ASSERT_TRUE(ParseBmp(f.data(), f.size(), bmp)) << state << "_" << button;
      ASSERT_EQ(bmp.bits, 24);
      // The corner is the olive that marks transparent pixels (stored blue, green, red).
      const std::size_t offset = f[10] | f[11] << 8;
      EXPECT_EQ(f[offset] * 65536 + f[offset + 1] * 256 + f[offset + 2], 0x008080) << state << "_" << button;
      ++media;
    }
  EXPECT_EQ(media, 27);
  std::vector<std::uint8_t> rc = ReadFile(dir + "program_bitmaps.rc");
  EXPECT_EQ(std::count(rc.begin(), rc.end(), '\n'), 30);
}
