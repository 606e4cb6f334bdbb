// The skin data component: the embedded skin, the description's roles and
// colours, damaged skins, the stored stream and the switches.
#include <gtest/gtest.h>

#include <algorithm>

#include "app_support.h"
#include "native/bmp_file.h"
#include "services_pump.h"
#include "skin/portable/img_ops.h"
#include "skin/portable/quick_ini.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/img_util.h"
#include "skin/win/draw/text.h"
#include "skin_support.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/form_reader.h"
#include "toolkit/win/form.h"
#include "toolkit/win/hint_window.h"
#include "toolkit/win/message_box.h"

namespace {

class SkinDataTest : public ::testing::Test {
protected:
  void SetUp() override {
    FreshApplication();
    RegisterSkinClasses();
    entries = EmbeddedSkinEntries();
    ASSERT_FALSE(entries.empty()) << "the main window's definition holds no skin";
    ini = FindSkinEntry(entries, ".ini");
    ASSERT_NE(ini, nullptr);
  }
  // Loads a changed copy of the skin into a new skin data component.
  std::unique_ptr<TSkinData> Load(const std::vector<TSkinEntry>& changed) {
    auto data = std::make_unique<TSkinData>(nullptr);
    data->ReadSkinStream(AsSkinStream(PackContainer(changed)));
    return data;
  }
  // The description with one section left out (its header and keys).
  std::string Without(const std::string& section) const {
    std::string text = EntryText(*ini), out;
    bool skipping = false;
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t end = text.find('\n', at);
      std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
      at = end == std::string::npos ? text.size() : end + 1;
      if (!line.empty() && line[0] == '[') skipping = line.compare(0, section.size() + 2, "[" + section + "]") == 0;
      if (!skipping) out += line;
    }
    return out;
  }

  // A binary property's value as a form definition writes it.
  static std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::uint8_t b : bytes) {
      hex += digits[b >> 4];
      hex += digits[b & 15];
    }
    return hex;
  }
  // The skin data S of a form read from a definition with these properties.
  static TSkinData* ReadSkinData(TForm& form, const std::string& properties) {
    ReadFormDefinition(form, "object F: TForm\n  object S: TSkinData\n" + properties + "  end\nend\n", "F.form");
    return dynamic_cast<TSkinData*>(form.FindComponent("S"));
  }

  std::vector<TSkinEntry> entries;
  TSkinEntry* ini = nullptr;
  TMessageBoxRecorder boxes{IDOK};
};

}  // namespace

TEST_F(SkinDataTest, OurSkinFillsEveryRole) {
  auto data = Load(entries);
  ASSERT_FALSE(data->NoSkin);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_TRUE(data->BadImages.empty());
  for (auto& b : data->Borders) EXPECT_TRUE(b->HasImage()) << b->Name;
  EXPECT_TRUE(data->Buttons->HasImage() && !data->Buttons->Bitmap2->Empty() && !data->Buttons->Bitmap3->Empty());
  EXPECT_EQ(data->Buttons->FrameCount, 5);
  const TDataSkinObject* roles[] = {data->Progress.get(), data->ProgressChunk.get(), data->MenuBar.get(),
                                    data->GroupBoxEdge.get(), data->GroupBox.get(), data->Tabs.get(),
                                    data->StatusBarEdges.get(), data->TabPane.get(), data->ToolBars.get(),
                                    data->ComboButton.get(), data->SunkEdge.get(), data->ExtraImages.get(),
                                    data->Headerbar.get(), data->MenuItem.get(), data->MenuBackground.get(),
                                    data->Scrollbar.get(), data->HorzScroll.get(), data->VertScroll.get(),
                                    data->HorzScrollThumb.get(), data->VertScrollThumb.get(),
                                    data->TrackbarThumbHorz.get(), data->TrackbarThumbVert.get(),
                                    data->TrackbarThumbLeft.get(), data->TrackbarThumbRight.get(),
                                    data->TrackbarThumbUp.get(), data->TrackbarThumbDown.get(),
                                    data->UpDownHorz.get(), data->UpDownVert.get(), data->Track.get(),
                                    data->TrackVert.get(), data->ComboxArrow.get(), data->Toolbar.get()};
  for (const TDataSkinObject* o : roles) {
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->HasImage()) << o->Name;
    EXPECT_GE(o->FrameCount, 1) << o->Name;
    EXPECT_GT(o->FrameWidth(), 0) << o->Name;
  }
  // Frame counts fixed by role; the combo images composed from the sunk edge and the button.
  EXPECT_EQ(data->Scrollbar->FrameCount, 23);
  EXPECT_EQ(data->UpDownHorz->FrameCount, 8);
  EXPECT_EQ(data->ComboButton->Style, 2);
  EXPECT_EQ(data->ComboButton->Bitmap->GetWidth(), 50 * data->SunkEdge->FrameCount);
  EXPECT_EQ(data->ComboButton->RightWidth, GetSystemMetrics(SM_CXHSCROLL) + 4);
  EXPECT_EQ(data->SunkEdge->LeftWidth, GetSystemMetrics(SM_CXHSCROLL) + 4);
  EXPECT_EQ(data->ComboxArrow->Bitmap->GetWidth(), 17 * data->ComboButton->FrameCount);
  EXPECT_EQ(data->Toolbar->Bitmap->GetWidth(), 10);
  EXPECT_EQ(data->Toolbar->Bitmap->GetHeight(), 40);
  EXPECT_LE(data->TabPane->LeftWidth, 4);
  // Colours as the description gives them, the title colour from the top border.
  TQuickIni description;
  description.LoadFromText(EntryText(*ini));
  EXPECT_EQ(data->Colors[scButtonFace], static_cast<TColor>(MakeRgb(236, 240, 243)));
  EXPECT_TRUE(data->ColorGiven[scButtonFace]);
  EXPECT_FALSE(data->ColorGiven[9]);
  EXPECT_EQ(data->Colors[scTitleColor],
            data->Borders[2]->Bitmap->GetPixel(data->Borders[2]->Bitmap->GetWidth() / 3,
                                               data->Borders[2]->Bitmap->GetHeight() / data->Borders[2]->FrameCount / 3));
  ASSERT_FALSE(data->SectionColors.empty());
  EXPECT_NE(data->FaceBrush, nullptr);
  // Caption buttons: the description's, then the three MDI buttons cut from one image.
  ASSERT_GE(data->CaptionButtons.size(), 3u);
  auto& mdi = data->CaptionButtons[data->CaptionButtons.size() - 3];
  EXPECT_EQ(mdi->Action, 7);
  EXPECT_EQ(mdi->FrameCount, 4);
  EXPECT_FALSE(mdi->Bitmap->Empty());
  for (auto& b : data->CaptionButtons) {
    if (b->Action == 3) {
      EXPECT_TRUE(b->Bitmap->Empty());  // the window icon has no image
    }
  }
}

TEST_F(SkinDataTest, ASkinLackingAnyOneSectionStillApplies) {
  TQuickIni description;
  description.LoadFromText(EntryText(*ini));
  TStringList sections;
  description.ReadSections(sections);
  ASSERT_GT(sections.Count(), 20);
  const std::string full = EntryText(*ini);
  for (int i = 0; i < sections.Count(); ++i) {
    SetEntryText(*ini, Without(sections[i]));
    auto data = Load(entries);
    EXPECT_FALSE(data->NoSkin) << sections[i];
    EXPECT_TRUE(boxes.Calls.empty()) << sections[i];
    SetEntryText(*ini, full);
  }
  SetEntryText(*ini, Without("SunkEdge"));
  auto noSunk = Load(entries);
  EXPECT_EQ(noSunk->SunkEdge, nullptr);
  ASSERT_NE(noSunk->ComboButton, nullptr);
  EXPECT_NE(noSunk->ComboButton->Style, 2);  // nothing composed
  // The arrow is the button's own strip with its key colour filled in.
  EXPECT_EQ(noSunk->ComboxArrow->Bitmap->GetWidth(), noSunk->ComboButton->Bitmap->GetWidth());
  SetEntryText(*ini, Without("Track"));
  auto builtInTrack = Load(entries);
  ASSERT_NE(builtInTrack->Track, nullptr);
  EXPECT_EQ(builtInTrack->Track->Bitmap->GetWidth(), 16);  // the program's own groove
  EXPECT_EQ(builtInTrack->Track->LeftWidth, 3);
  SetEntryText(*ini, "");
  auto empty = Load(entries);
  EXPECT_FALSE(empty->NoSkin);
  EXPECT_EQ(empty->Progress, nullptr);
  EXPECT_EQ(empty->Colors[scButtonFace], clBtnFace);
  EXPECT_EQ(empty->Colors[scMenubar], clBtnFace);
  EXPECT_EQ(empty->CaptionButtons.size(), 3u);
}

TEST_F(SkinDataTest, FrameCountsAndMarginsAreClamped) {
  std::string text = EntryText(*ini);
  for (const char* key : {"Frame=", "TopFrame=", "LeftFrame=", "frame=", "CheckButtonFrame=", "FrameCount="}) {
    for (std::size_t at = text.find(std::string("\n") + key); at != std::string::npos;
         at = text.find(std::string("\n") + key, at + 1)) {
      std::size_t value = at + 1 + std::strlen(key), end = text.find_first_of("\r\n", value);
      text.replace(value, end - value, key[0] == 'C' ? "-3" : "0");
    }
  }
  // The first occurrence of a key counts: these come before the section's own.
  auto firstKeys = [&text](const std::string& header, const std::string& keys) {
    std::size_t at = text.find(header);
    ASSERT_NE(at, std::string::npos) << header;
    text.insert(text.find('\n', at) + 1, keys);
  };
  firstKeys("[MenuItem]", "LeftWidth=-20\n");
  firstKeys("[Tab.Pane]", "LeftWidth=9\nTopHeight=12\n");
  SetEntryText(*ini, text);
  auto data = Load(entries);
  ASSERT_FALSE(data->NoSkin);
  EXPECT_EQ(data->Borders[2]->FrameCount, 1);
  EXPECT_GE(data->Headerbar->FrameCount, 1);
  EXPECT_EQ(data->HorzScrollThumb->FrameCount, 1);
  EXPECT_GE(data->Buttons->CheckFrameCount, 4);
  EXPECT_GE(data->MenuItem->LeftWidth, 0);
  EXPECT_EQ(data->TabPane->LeftWidth, 4);
  EXPECT_EQ(data->TabPane->TopHeight, 4);
  for (auto& b : data->CaptionButtons) EXPECT_GE(b->FrameCount, 1);
}

TEST_F(SkinDataTest, ASystemTitleColourIsReadByItsLowBytesForTheToolbar) {
  // Without a top border image or a ButtonFace of its own, the title colour is
  // the system's button face: its low bytes (15, 0, 0) are dark, so the
  // toolbar's bottom is the title colour lightened with white (read as the
  // resolved grey it would be darkened with grey).
  std::string text = EntryText(*ini);
  for (const char* key : {"\nTop=", "\nButtonFace="}) {
    const std::size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << key + 1;
    text.insert(at + 1, "Unused");
  }
  SetEntryText(*ini, text);
  auto data = Load(entries);
  ASSERT_FALSE(data->NoSkin);
  EXPECT_FALSE(data->Borders[2]->HasImage());
  EXPECT_EQ(data->Colors[scButtonFace], clBtnFace);
  EXPECT_EQ(SaturationLevel(clBtnFace), 200);
  EXPECT_EQ(SaturationLevel(static_cast<TColor>(MakeRgb(255, 0, 0))), 255);
  const int face = GetRValue(GetSysColor(COLOR_BTNFACE));
  const COLORREF top = data->Toolbar->Bitmap->GetPixel(5, 0), bottom = data->Toolbar->Bitmap->GetPixel(5, 39);
  EXPECT_GT(GetRValue(bottom), face) << "lightened";
  EXPECT_LE(GetRValue(bottom), GetRValue(top));
}

TEST_F(SkinDataTest, ADamagedImageLeavesItsObjectEmptyAndIsToldOnce) {
  TSkinEntry* button = FindSkinEntry(entries, "button.bmp");
  TSkinEntry* radio = FindSkinEntry(entries, "radio.bmp");
  ASSERT_TRUE(button && radio);
  button->bytes.resize(button->bytes.size() / 2);  // pixel rows missing
  radio->bytes[28] = 13;                            // no such pixel depth
  auto data = Load(entries);
  EXPECT_FALSE(data->NoSkin);
  EXPECT_TRUE(data->Buttons->Bitmap->Empty());
  EXPECT_TRUE(data->Buttons->Bitmap3->Empty());
  EXPECT_FALSE(data->Buttons->Bitmap2->Empty());
  EXPECT_EQ(data->BadImages.size(), 2u);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_NE(boxes.Calls[0].Text.find("button.bmp"), std::string::npos);
  // An image named with capitals in its extension is not an image of the skin.
  std::string text = EntryText(*ini);
  std::size_t at = text.find("Bitmap=progress.bmp");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 19, "Bitmap=progress.BMP");
  SetEntryText(*ini, text);
  auto capitals = Load(entries);
  ASSERT_NE(capitals->Progress, nullptr);
  EXPECT_TRUE(capitals->Progress->Bitmap->Empty());
}

TEST_F(SkinDataTest, ImagesOfOtherToolsLoadAsTwentyFourBits) {
  // RLE8 code and 5-6-5 pixels, as other skin makers write them.
  TSkinEntry* button = FindSkinEntry(entries, "button.bmp");
  TSkinEntry* radio = FindSkinEntry(entries, "radio.bmp");
  ASSERT_TRUE(button && radio);
  const std::vector<std::uint8_t> table = {0xFF, 0x00, 0xFF, 0, 0x00, 0x00, 0xFF, 0};  // magenta, red
  button->bytes = RawBmp(3, 2, 8, 1, 2, table, {0x03, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01});
  radio->bytes = RawBmp(2, 1, 16, 3, 0, BmpMasks(0xF800, 0x07E0, 0x001F), {0x1F, 0xF8, 0xE0, 0x07});
  auto data = Load(entries);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_TRUE(data->BadImages.empty());
  TBitmap& b = *data->Buttons->Bitmap;
  ASSERT_EQ(b.GetWidth(), 3);
  EXPECT_EQ(b.GetPixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(b.GetPixel(0, 0), static_cast<TColor>(0x0000FF));  // top row: red, then skipped pixels (colour 0)
  EXPECT_EQ(b.GetPixel(1, 0), static_cast<TColor>(0xFF00FF));
  EXPECT_EQ(b.GetPixel(2, 1), static_cast<TColor>(0x0000FF));
  TBitmap& r = *data->Buttons->Bitmap3;
  ASSERT_EQ(r.GetWidth(), 2);
  EXPECT_EQ(r.GetPixel(0, 0), static_cast<TColor>(0xFF00FF));  // red and blue at full strength
  EXPECT_EQ(r.GetPixel(1, 0), static_cast<TColor>(0x00FF00));
}

TEST_F(SkinDataTest, ADamagedContainerIsToldOnceAndLeavesTheProgramUnskinned) {
  std::vector<std::uint8_t> stream = EmbeddedSkinStream();
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<std::uint8_t> cut(stream.begin(), stream.begin() + 1000);
  std::vector<std::uint8_t> shortened = cut;
  std::int32_t n = 996;
  std::memcpy(shortened.data(), &n, 4);
  std::vector<std::uint8_t> scrambled = stream;
  for (std::size_t i = 200; i < scrambled.size(); i += 7) scrambled[i] = static_cast<std::uint8_t>(scrambled[i] * 31 + 7);
  const Case cases[] = {{"length beyond the data", cut},
                        {"container cut short", shortened},
                        {"scrambled code", scrambled},
                        {"three bytes", {1, 2, 3}}};
  for (const Case& c : cases) {
    boxes.Calls.clear();
    TSkinData data(nullptr);
    EXPECT_NO_THROW(data.ReadSkinStream(c.bytes)) << c.what;
    EXPECT_TRUE(data.NoSkin) << c.what;
    EXPECT_EQ(boxes.Calls.size(), 1u) << c.what;
  }
  // A stream of size 0 keeps the skin stored before.
  boxes.Calls.clear();
  TSkinData data(nullptr);
  data.ReadSkinStream(stream);
  ASSERT_FALSE(data.NoSkin);
  std::int64_t stored = data.SkinStreamData.Size();
  data.ReadSkinStream({0, 0, 0, 0});
  EXPECT_EQ(data.SkinStreamData.Size(), stored);
  EXPECT_FALSE(data.NoSkin);
  EXPECT_TRUE(boxes.Calls.empty());
  // The stored stream reads back through the property as it was given.
  EXPECT_EQ(GetPropValue(data, "SkinStream").Bytes, stream);
}

TEST_F(SkinDataTest, FormDefinitionSwitchesAndLoadedRules) {
  const std::string hex = Hex(EmbeddedSkinStream());
  std::string text = "object F: TForm\n  object SkinData1: TSkinData\n    Active = True\n"
                     "    SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu, xcScrollbar]\n"
                     "    Options = [xoPreview]\n    SkinFormtype = sfMainform\n    MenuMerge = False\n"
                     "    SkinStream = {" + hex + "}\n  end\nend\n";
  TForm form(nullptr);
  ReadFormDefinition(form, text, "F.form");
  auto* data = dynamic_cast<TSkinData*>(form.FindComponent("SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_FALSE(data->NoSkin);
  EXPECT_TRUE(data->GetActive());
  EXPECT_EQ(GetPropValue(*data, "Active").Int, 1);
  // With the main menu skinned, menu items are not skinned apart.
  EXPECT_EQ(data->SkinControls & SetOf(xcMenuItem), 0u);
  EXPECT_NE(data->SkinControls & SetOf(xcSystemMenu), 0u);
  EXPECT_EQ(data->Options, SetOf(xoPreview));
  EXPECT_EQ(data->Skin3rd.size(), 118u);
  EXPECT_EQ(GetStrProp(*data, "SkinStore"), "(none)");
  EXPECT_EQ(GetStrProp(*data, "Version"), "5.60.03.29");

  // Without a skin, Loaded turns Active off; without the main menu skinned, the system
  // menu is not. Setting Active while no skin is applied is only stored.
  TForm bare(nullptr);
  ReadFormDefinition(bare,
                     "object F: TForm\n  object S: TSkinData\n    Active = True\n"
                     "    SkinControls = [xcMenuItem, xcSystemMenu]\n  end\nend\n",
                     "F.form");
  auto* unskinned = dynamic_cast<TSkinData*>(bare.FindComponent("S"));
  EXPECT_FALSE(unskinned->GetActive());
  EXPECT_NE(unskinned->SkinControls & SetOf(xcMenuItem), 0u);
  EXPECT_EQ(unskinned->SkinControls & SetOf(xcSystemMenu), 0u);
  unskinned->SetActive(true);
  EXPECT_TRUE(unskinned->GetActive());

  bool skinIt = true;
  data->DoFormSkin(nullptr, "SysMonthCal32", skinIt);
  EXPECT_FALSE(skinIt);
  skinIt = true;
  data->DoFormSkin(nullptr, "TfrPreview", skinIt);
  EXPECT_TRUE(skinIt);  // only with xcFastReport
  data->OnFormSkin = [](TObject*, const std::string&, bool& doSkin) { doSkin = true; };
  skinIt = false;
  data->DoFormSkin(nullptr, "SysMonthCal32", skinIt);
  EXPECT_TRUE(skinIt);
}

TEST_F(SkinDataTest, ASkinFileNamedInTheDefinitionIsLoadedWhenTheDefinitionIsRead) {
  const std::vector<std::uint8_t> stream = EmbeddedSkinStream();
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "tapmira_skin_file_test.skin";
  ASSERT_TRUE(WriteFileBytes(file, stream.data() + 4, stream.size() - 4));
  {
    TForm form(nullptr);
    TSkinData* data = ReadSkinData(form, "    Active = True\n    SkinFile = '" + file + "'\n");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetSkinFile(), file);
    EXPECT_FALSE(data->NoSkin) << "the file's skin is applied";
    EXPECT_TRUE(data->GetActive());
    ASSERT_NE(data->Progress, nullptr);
    EXPECT_TRUE(data->Progress->HasImage());
    EXPECT_EQ(data->SkinStreamData.Size(), static_cast<std::int64_t>(stream.size() - 4));
  }
  // A skin stored in the definition wins: the file (not a skin at all) is not read.
  const char junk[] = "not a skin";
  ASSERT_TRUE(WriteFileBytes(file, junk, sizeof junk));
  {
    TForm form(nullptr);
    TSkinData* data =
        ReadSkinData(form, "    Active = True\n    SkinFile = '" + file + "'\n    SkinStream = {" + Hex(stream) + "}\n");
    EXPECT_FALSE(data->NoSkin);
    EXPECT_TRUE(data->GetActive());
    EXPECT_TRUE(boxes.Calls.empty());
  }
  // A file that is not there is ignored: no skin, Active off, nothing told.
  RemoveFile(file);
  TForm form(nullptr);
  TSkinData* data = ReadSkinData(form, "    Active = True\n    SkinFile = '" + file + "'\n");
  EXPECT_TRUE(data->NoSkin);
  EXPECT_FALSE(data->GetActive());
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(SkinDataTest, TheCaptionButtonHintBreaksItsTextAt500Pixels) {
  TSkinData data(nullptr);
  THintWindow& hint = *data.HintWindow;
  const int oneLine = hint.CalcHintRect(TSkinData::kHintMaxWidth, "最小化").bottom;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "最小化 还原 ";
  data.ShowHint(RECT{100, 120, 100, 120}, text);
  PumpFor(50);
  HWND w = hint.HandleOrNull();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(data.HintShown);
  EXPECT_TRUE(IsWindowVisible(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_LE(r.right - r.left, TSkinData::kHintMaxWidth + 10) << "the text and the window's padding";
  EXPECT_GT(r.bottom - r.top, 2 * oneLine) << "several lines";
  // The second line shows text, not only the hint's background.
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(w);
  const COLORREF background = GetPixel(dc, 1, 1);
  int inked = 0;
  for (int y = oneLine; y < 2 * oneLine - 4; ++y)
    for (int x = 0; x < r.right - r.left; ++x) inked += GetPixel(dc, x, y) != background;
  ReleaseDC(w, dc);
  EXPECT_GT(inked, 20);
  // A second hint waits until the first is hidden; a short one keeps one line.
  data.ShowHint(RECT{0, 0, 0, 0}, "最小化");
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 100);
  data.HideHint();
  EXPECT_FALSE(IsWindowVisible(w));
  data.ShowHint(RECT{30, 40, 30, 40}, "最小化");
  GetWindowRect(w, &r);
  EXPECT_EQ(r.bottom - r.top, oneLine);
  EXPECT_LT(r.right - r.left, 100);
  data.HideHint();
}

TEST(SkinText, WideCopyStopsAtTheText) {
  std::wstring out = L"old";
  const wchar_t text[] = L"abc";
  WideCopy(text, -1, out);
  EXPECT_EQ(out, L"abc");
  WideCopy(text, 2, out);
  EXPECT_EQ(out, L"ab");
  WideCopy(text, 1000, out);  // never past the terminating NUL
  EXPECT_EQ(out, L"abc");
  WideCopy(nullptr, 5, out);
  EXPECT_EQ(out, L"");
  EXPECT_EQ(AnsiToWide("皮肤"), L"\u76ae\u80a4");
}
