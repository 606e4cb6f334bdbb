// List views and check lists in the skin: the header's sections and its hot
// section under the real mouse, the section's image and text, and the check
// glyphs and scroll bars of a check list box; each with skins lacking their object.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "screenshot.h"
#include "skin/win/controls/scroll/check_list.h"
#include "skin/win/controls/scroll/list_view.h"
#include "skin_family_support.h"
#include "skin_scroll_skin.h"
#include "toolkit/win/check_list_box.h"
#include "toolkit/win/listview.h"

namespace {

const TColor kNormal = Rgb(40, 90, 160), kHot = Rgb(220, 120, 20);

struct SkinListViewTest : SkinFamilyTest {
  void SetUp() override {
    SkinFamilyTest::SetUp();
    data->Headerbar = PlainObject<TDataSkinObject>({kNormal, kHot}, 12, 18);
  }
  // A report view of two sections, 80 and 60 wide, in a 300-wide list.
  TSkinListView* ListWithHeader() {
    lv = Make<TListView>(10, 10, 300, 150);
    lv->SetViewStyle(TViewStyle::vsReport);
    TListColumn* a = lv->Columns()->Add();
    a->SetCaption("A");
    a->SetWidth(80);
    TListColumn* b = lv->Columns()->Add();
    b->SetCaption("B");
    b->SetWidth(60);
    form->Show();
    dispatcher->SkinControl(lv, form);
    auto* skin = dynamic_cast<TSkinListView*>(list.FindByControl(lv));
    if (skin && skin->FHeader) header = skin->FHeader->Handle();
    return skin;
  }
  TListView* lv = nullptr;
  HWND header = nullptr;
};

TEST_F(SkinListViewTest, HeaderSectionsRestOfTheBarAndHoverZones) {
  TSkinListView* skin = ListWithHeader();
  ASSERT_NE(skin, nullptr);
  ASSERT_NE(skin->FHeader, nullptr);
  EXPECT_EQ(header, reinterpret_cast<HWND>(SendMessageW(lv->Handle(), LVM_GETHEADER, 0, 0)));
  EXPECT_TRUE(list.Contains(skin->FHeader));
  EXPECT_EQ(SendMessageW(header, 0x3523, 0, 0), 1) << "the header answers as skinned";
  EXPECT_EQ(PixelAt(header, 60, 2), kNormal);
  EXPECT_EQ(PixelAt(header, 130, 2), kNormal);
  EXPECT_EQ(PixelAt(header, 250, 2), kNormal) << "the rest of the bar in frame 1";
  ASSERT_EQ(skin->FHeader->FSectionRects.size(), 2u);
  EXPECT_EQ(skin->FHeader->FSectionRects[0].left, 3);
  EXPECT_EQ(skin->FHeader->FSectionRects[0].right, 77);
  EXPECT_EQ(skin->FHeader->FSectionRects[1].left, 83);
  EXPECT_EQ(skin->FHeader->FSectionRects[1].right, 137);
  EXPECT_EQ(skin->FHeader->FHotSection, -1);
}

TEST_F(SkinListViewTest, HotSectionFollowsTheMouse) {
  TSkinListView* skin = ListWithHeader();
  ASSERT_TRUE(skin && skin->FHeader);
  TSkinHeader& h = *skin->FHeader;
  PixelAt(header, 0, 0);  // one paint lays out the hover zones
  MoveMouse(header, 40, 8);
  ASSERT_TRUE(PumpUntil([&] { return h.FHotSection == 0; }, 2000)) << "the mouse over section 0";
  EXPECT_EQ(PixelAt(header, 60, 2), kHot);
  EXPECT_EQ(PixelAt(header, 130, 2), kNormal);
  // The outer 3 pixels of section 1 are no hover zone.
  MoveMouse(header, 81, 8);
  PumpFor(100);
  EXPECT_EQ(h.FHotSection, 0);
  MoveMouse(header, 100, 8);
  ASSERT_TRUE(PumpUntil([&] { return h.FHotSection == 1; }, 2000));
  EXPECT_EQ(PixelAt(header, 60, 2), kNormal);
  EXPECT_EQ(PixelAt(header, 130, 2), kHot);
  // Onto the empty bar: the last section stays hot until the mouse leaves.
  MoveMouse(header, 250, 8);
  PumpFor(100);
  EXPECT_EQ(h.FHotSection, 1);
  MoveMouse(lv->Handle(), 150, 120);
  ASSERT_TRUE(PumpUntil([&] { return h.FHotSection == -1; }, 3000)) << "leaving the header ends the hover";
  EXPECT_EQ(PixelAt(header, 130, 2), kNormal);
}

TEST_F(SkinListViewTest, SectionImageAndTextPlaces) {
  TSkinListView* skin = ListWithHeader();
  ASSERT_TRUE(skin && skin->FHeader);
  HIMAGELIST images = OneImageList(Rgb(250, 0, 0));
  SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  HDITEMW item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  item.fmt = HDF_LEFT | HDF_STRING | HDF_IMAGE;
  item.iImage = 0;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT s;
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&s));
  const int cy = (s.bottom - s.top - 16) / 2;
  EXPECT_EQ(PixelAt(header, 3, cy + 8), Rgb(250, 0, 0)) << "the image starts 3 pixels in";
  EXPECT_EQ(PixelAt(header, 2, cy + 8), kNormal);
  EXPECT_EQ(PixelAt(header, 18, cy + 8), Rgb(250, 0, 0));
  EXPECT_EQ(PixelAt(header, 19, cy + 8), kNormal);

  // A centred content wider than its section starts 1 pixel from its left edge.
  HDC dc = GetDC(header);
  const TImageTextLayout at = LayoutImageAndText(dc, RECT{0, 0, 30, 20}, 1, L"A rather long caption", 16, true,
                                                 DT_END_ELLIPSIS | DT_EXPANDTABS);
  ReleaseDC(header, dc);
  EXPECT_TRUE(at.Image);
  EXPECT_EQ(at.ImageAt.x, 1);
  EXPECT_EQ(at.Text.left, 17);
  EXPECT_EQ(at.Text.right, 30) << "the text is clipped to the section";
  SendMessageW(header, HDM_SETIMAGELIST, 0, 0);
  ImageList_Destroy(images);
}

TEST_F(SkinListViewTest, HeaderWithoutHeaderbarKeepsItsOwnLook) {
  TSkinListView* skin = ListWithHeader();
  ASSERT_TRUE(skin && skin->FHeader);
  // The header's own look, with its skin switched off.
  SendMessageW(header, 0x3506, 0, 0);
  const TColor ownRest = PixelAt(header, 250, 10), ownSection = PixelAt(header, 60, 2);
  SendMessageW(header, 0x3506, 1, 0);
  EXPECT_EQ(PixelAt(header, 60, 2), kNormal);
  data->Headerbar->Bitmap->SetSize(0, 0);
  EXPECT_EQ(PixelAt(header, 250, 10), ownRest) << "an empty image: the header paints itself";
  EXPECT_EQ(PixelAt(header, 60, 2), ownSection);
  data->Headerbar.reset();
  EXPECT_EQ(PixelAt(header, 250, 10), ownRest);
  EXPECT_EQ(PixelAt(header, 60, 2), ownSection);
  // The list view's window made again: both objects go with their windows
  // and the list view is skinned anew, header and all.
  lv->RecreateWnd();
  list.FreeDead();
  EXPECT_EQ(list.Count(), 0);
  dispatcher->SkinControl(lv, form);
  auto* again = dynamic_cast<TSkinListView*>(list.FindByControl(lv));
  ASSERT_TRUE(again && again->FHeader);
  EXPECT_EQ(again->FHeader->Handle(), reinterpret_cast<HWND>(SendMessageW(lv->Handle(), LVM_GETHEADER, 0, 0)));
  delete again->FHeader;
  EXPECT_EQ(again->FHeader, nullptr) << "the list view hears of its header object's end";
}

// --- Check lists -----------------------------------------------------------------

const TColor kGlyph[12] = {Rgb(10, 10, 10),   Rgb(20, 200, 20), Rgb(30, 30, 30),   Rgb(40, 40, 200),
                           Rgb(200, 20, 20),  Rgb(60, 60, 60),  Rgb(70, 70, 70),   Rgb(200, 200, 20),
                           Rgb(90, 90, 90),   Rgb(100, 10, 10), Rgb(110, 10, 110), Rgb(120, 120, 10)};

struct SkinCheckListTest : SkinFamilyTest {
  void Strip(int frames) {
    data->Buttons = std::make_unique<TDataSkinButton>();
    data->Buttons->Bitmap2 = PlainStrip(std::vector<TColor>(kGlyph, kGlyph + frames), 12, 12);
    data->Buttons->CheckFrameCount = frames;
  }
  TCheckListBox* Make4() {
    auto* box = Make<TCheckListBox>(10, 10, 200, 120);
    box->Items()->Add("none");
    box->Items()->Add("checked");
    box->Items()->Add("greyed");
    box->Items()->Add("off");
    box->SetState(1, TCheckBoxState::cbChecked);
    box->SetState(2, TCheckBoxState::cbGrayed);
    box->SetState(3, TCheckBoxState::cbChecked);
    box->SetItemEnabled(3, false);
    form->Show();
    dispatcher->SkinControl(box, form);
    return box;
  }
  // The centre of item i's glyph.
  static TColor GlyphAt(TCheckListBox* box, int i) {
    RECT r;
    SendMessageW(box->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return PixelAt(box->Handle(), r.left + 2 + 6, (r.top + r.bottom) / 2);
  }
  // The darkest grey level (green channel) in item i's text area: the text's
  // own colour shows at the cores of its strokes.
  static int Darkest(TCheckListBox* box, int i) {
    RECT r;
    SendMessageW(box->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    PixelAt(box->Handle(), 0, 0);
    HDC dc = GetDC(box->Handle());
    int darkest = 255;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left + 16; x < r.left + 80; ++x) darkest = std::min(darkest, int(GetGValue(GetPixel(dc, x, y))));
    ReleaseDC(box->Handle(), dc);
    return darkest;
  }
};

TEST_F(SkinCheckListTest, GlyphFramesByStateForFourAndTwelveFrames) {
  EXPECT_EQ(CheckListGlyphFrame(0, 4), 1);
  EXPECT_EQ(CheckListGlyphFrame(1, 4), 2);
  EXPECT_EQ(CheckListGlyphFrame(2, 4), 4);
  EXPECT_EQ(CheckListGlyphFrame(1, 12), 5);
  EXPECT_EQ(CheckListGlyphFrame(2, 12), 8);
  Strip(4);
  TCheckListBox* box = Make4();
  ASSERT_NE(dynamic_cast<TSkinCheckList*>(list.FindByControl(box)), nullptr);
  EXPECT_EQ(GlyphAt(box, 0), kGlyph[0]);
  EXPECT_EQ(GlyphAt(box, 1), kGlyph[1]);
  EXPECT_EQ(GlyphAt(box, 2), kGlyph[3]);
  EXPECT_EQ(GlyphAt(box, 3), kGlyph[1]) << "a disabled item keeps the glyph of its state";
  const int grey = GetGValue(GetSysColor(COLOR_GRAYTEXT));
  EXPECT_GE(Darkest(box, 3), grey) << "a disabled item's text is grey";
  EXPECT_LT(Darkest(box, 3), 250) << "and it is there";
  EXPECT_LT(Darkest(box, 1), grey);
  Strip(12);
  EXPECT_EQ(GlyphAt(box, 0), kGlyph[0]);
  EXPECT_EQ(GlyphAt(box, 1), kGlyph[4]);
  EXPECT_EQ(GlyphAt(box, 2), kGlyph[7]);
}

TEST_F(SkinCheckListTest, WithoutACheckStripTheListDrawsItsItems) {
  Strip(4);
  TCheckListBox* box = Make4();
  auto* skin = dynamic_cast<TSkinCheckList*>(list.FindByControl(box));
  ASSERT_NE(skin, nullptr);
  for (int lacking = 0; lacking < 3; ++lacking) {
    SCOPED_TRACE(lacking);
    Strip(4);
    if (lacking == 0) data->Buttons->Bitmap2->SetSize(0, 0);
    if (lacking == 1) data->Buttons->CheckFrameCount = 0;
    if (lacking == 2) data->Buttons.reset();
    for (int i = 0; i < 3; ++i) EXPECT_NE(GlyphAt(box, i), kGlyph[CheckListGlyphFrame(i, 4) - 1]);
    EXPECT_LT(Darkest(box, 1), 100) << "the items are still there";
  }
}

TEST_F(SkinCheckListTest, LongListShowsSkinnedScrollBars) {
  namespace ss = scroll_skin;
  Strip(4);
  ss::MakeScrollSkin(*data);
  auto* box = Make<TCheckListBox>(10, 10, 200, 120);
  for (int i = 0; i < 12; ++i) box->Items()->Add("item " + std::to_string(i));
  form->Show();
  dispatcher->SkinControl(box, form);
  auto* skin = dynamic_cast<TSkinCheckList*>(list.FindByControl(box));
  ASSERT_NE(skin, nullptr);
  EXPECT_NE(dynamic_cast<TSkinScrollbar*>(skin), nullptr);
  Pump();
  TWScrollbar* vert = skin->FBars.Vert.get();
  ASSERT_TRUE(vert && vert->FShown) << "12 items in a list that shows 7: a bar, covered";
  ASSERT_TRUE(skin->FBars.Horz);
  EXPECT_FALSE(skin->FBars.Horz->FShown);
  const int a = ss::ArrowSize();
  // The top of the thumb as it is drawn now (the paint places it).
  auto thumbTop = [&] {
    PixelAt(vert->Handle(), 0, 0);
    HDC dc = GetDC(vert->Handle());
    const TColor c = static_cast<TColor>(GetPixel(dc, a / 2, vert->FThumbStart + 1));
    ReleaseDC(vert->Handle(), dc);
    return c;
  };
  EXPECT_EQ(PixelAt(vert->Handle(), a / 2, a / 2), ss::ArrowColour(9));
  EXPECT_EQ(PixelAt(vert->Handle(), a / 2, vert->FBarLength - a / 2), ss::ArrowColour(13));
  EXPECT_EQ(thumbTop(), ss::VertThumb(1));
  EXPECT_EQ(GlyphAt(box, 0), kGlyph[0]) << "and the items are the skin's still";
  // The wheel moves the list and the drawn thumb with it.
  const int thumb = vert->FThumbStart;
  SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_GT(SendMessageW(box->Handle(), LB_GETTOPINDEX, 0, 0), 0);
  EXPECT_EQ(thumbTop(), ss::VertThumb(1));
  EXPECT_GT(vert->FThumbStart, thumb);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_check_list_scrolled.bmp"));
  HWND overlay = vert->Handle();
  skin->Unskin();
  EXPECT_FALSE(IsWindow(overlay));
}

}  // namespace
