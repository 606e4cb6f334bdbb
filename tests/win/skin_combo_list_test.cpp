// The scroll bar of a combo box's list in the skin: a drop-down list's bar
// painted into the list's frame and read back from the screen, still scrolled
// by the wheel and the arrows; dropped and closed again without leaks; the
// always visible list of a simple combo covered by overlays; one owner.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gdi_count.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/input/combo.h"
#include "skin/win/controls/scroll/combo_scrollbar.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin_fixture.h"
#include "skin_scroll_skin.h"
#include "skin_strips.h"
#include "skin_support.h"

namespace {

namespace ss = scroll_skin;

struct SkinComboListTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    ss::MakeScrollSkin(*data);
    data->ComboButton = ColourObject<TDataSkinBorder>(Distinct(4, 1), 16, 20);
  }
  // A combo of 12 items showing 8 of them when dropped down, skinned.
  TSkinComBox* Combo(TComboBoxStyle style, int height = 24) {
    combo = Make<TComboBox>(10, 10, 150, height);
    combo->SetStyle(style);
    std::vector<std::string> items;
    for (int i = 0; i < 12; ++i) items.push_back("item " + std::to_string(i));
    combo->SetItemsList(items);
    combo->SetDropDownCount(8);
    form->Show();
    Pump();
    auto* s = new TSkinComBox(combo);
    s->AttachControl(&list, data.get(), false, &canvas);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    lb = info.hwndList;
    return s;
  }
  void Drop(bool down) {
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, down, 0);
    Pump();
    PumpFor(50);
  }
  SCROLLBARINFO Bar() const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(lb, OBJID_VSCROLL, &info);
    return info;
  }
  // What the list window shows at a point of its vertical bar (y from the bar's top).
  TColor OnBar(int y) const {
    const SCROLLBARINFO info = Bar();
    RECT window;
    GetWindowRect(lb, &window);
    return PixelAt(lb, info.rcScrollBar.left - window.left + ss::ArrowSize() / 2,
                   info.rcScrollBar.top - window.top + y);
  }
  // The bar's arrows, track and thumb as the skin draws them.
  void ExpectSkinnedBar() const {
    const SCROLLBARINFO info = Bar();
    const int a = ss::ArrowSize(), length = info.rcScrollBar.bottom - info.rcScrollBar.top;
    EXPECT_EQ(OnBar(a / 2), ss::ArrowColour(9)) << "the up arrow";
    EXPECT_EQ(OnBar(length - a / 2), ss::ArrowColour(13)) << "the down arrow";
    EXPECT_EQ(OnBar(info.xyThumbTop + 1), ss::VertThumb(1)) << "the thumb's top";
    if (info.xyThumbTop - a > 2) {
      EXPECT_EQ(OnBar(info.xyThumbTop - 2), ss::VertTrack(1)) << "the track above it";
    }
    if (length - a - info.xyThumbBottom > 2) {
      EXPECT_EQ(OnBar(info.xyThumbBottom + 1), ss::VertTrack(1));
    }
  }
  int TopIndex() const { return static_cast<int>(SendMessageW(lb, LB_GETTOPINDEX, 0, 0)); }

  TComboBox* combo = nullptr;
  HWND lb = nullptr;
};

TEST_F(SkinComboListTest, DroppedListShowsTheSkinsBarAndStillScrolls) {
  TSkinComBox* s = Combo(TComboBoxStyle::csDropDownList);
  ASSERT_NE(s->FListScrollBar, nullptr);
  EXPECT_EQ(s->FListScrollBar->Handle(), lb);
  EXPECT_EQ(s->FListScrollBar->Owner(), s) << "the combo's skin owns its list's bar";
  EXPECT_TRUE(list.Contains(s->FListScrollBar));
  EXPECT_EQ(s->FListScrollbars, nullptr);
  Drop(true);
  ASSERT_TRUE(combo->DroppedDown());
  ASSERT_FALSE(Bar().rgstate[0] & STATE_SYSTEM_INVISIBLE) << "12 items, 8 shown: the list has a bar";
  ExpectSkinnedBar();
  EXPECT_TRUE(SaveWindowShot(lb, ArtefactFolder() + "skin_combo_list_dropped.bmp"));

  // The wheel scrolls the list, and the bar is the skin's at its new place.
  const int before = TopIndex();
  const SCROLLBARINFO bar = Bar();
  SendMessageW(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM(bar.rcScrollBar.left - 20, bar.rcScrollBar.top + 5));
  Pump();
  EXPECT_GT(TopIndex(), before);
  EXPECT_GT(Bar().xyThumbTop, bar.xyThumbTop);
  ExpectSkinnedBar();

  // A click on the up arrow is the system's: one line back.
  const int scrolled = TopIndex();
  RECT window;
  GetWindowRect(lb, &window);
  const POINT up{bar.rcScrollBar.left + ss::ArrowSize() / 2, bar.rcScrollBar.top + ss::ArrowSize() / 2};
  PostMessageW(lb, WM_LBUTTONUP, 0, MAKELPARAM(up.x - window.left, up.y - window.top));
  SendMessageW(lb, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(up.x, up.y));
  Pump();
  EXPECT_EQ(TopIndex(), scrolled - 1);
  ExpectSkinnedBar();

  // The thumb dragged past the bottom by the skin's own drag: the last page.
  const SCROLLBARINFO now = Bar();
  const POINT thumb{up.x, now.rcScrollBar.top + (now.xyThumbTop + now.xyThumbBottom) / 2};
  const LPARAM below = MAKELPARAM(thumb.x - window.left, now.rcScrollBar.bottom + 200 - window.top);
  PostMessageW(lb, WM_MOUSEMOVE, MK_LBUTTON, below);
  PostMessageW(lb, WM_LBUTTONUP, 0, below);
  SendMessageW(lb, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
  Pump();
  EXPECT_EQ(TopIndex(), 12 - 8);
  ExpectSkinnedBar();
  Drop(false);
}

TEST_F(SkinComboListTest, DroppedAgainAndAgainKeepsOneBarAndNoNewObjects) {
  TSkinComBox* s = Combo(TComboBoxStyle::csDropDown);
  TComboxScrollBar* bar = s->FListScrollBar;
  ASSERT_NE(bar, nullptr);
  const int listed = list.Count();
  Drop(true);
  Drop(false);
  const long gdi = CountGdiSlots();
  for (int i = 0; i < 20; ++i) {
    Drop(true);
    Drop(false);
  }
  EXPECT_LE(CountGdiSlots(), gdi + 2) << "a drop and a close leave nothing behind";
  EXPECT_EQ(s->FListScrollBar, bar);
  EXPECT_EQ(list.Count(), listed);
  Drop(true);
  ExpectSkinnedBar();
  Drop(false);

  // Unskin frees the bar and gives the list its own procedure back; skinned
  // again, the list gets a new one.
  const LONG_PTR skinned = GetWindowLongPtrW(lb, GWLP_WNDPROC);
  s->Unskin();
  EXPECT_EQ(s->FListScrollBar, nullptr);
  EXPECT_NE(GetWindowLongPtrW(lb, GWLP_WNDPROC), skinned);
  EXPECT_EQ(list.Count(), listed - 1) << "the bar left the list";
  delete s;
  auto* again = new TSkinComBox(combo);
  again->AttachControl(&list, data.get(), false, &canvas);
  ASSERT_NE(again->FListScrollBar, nullptr);
  Drop(true);
  ExpectSkinnedBar();
  Drop(false);

  // The combo destroyed while skinned: its skin and the bar go with it once.
  delete combo;
  list.FreeDead();
  EXPECT_EQ(list.Count(), 0);
}

// The form's pixels where the list drops stay the form's while the list is
// closed: when the skinned combo is shown and filled, and after a drop.
TEST_F(SkinComboListTest, AClosedListLeavesNothingOnTheForm) {
  TSkinComBox* s = Combo(TComboBoxStyle::csDropDown);
  ASSERT_NE(s->FListScrollBar, nullptr);
  Drop(true);
  RECT dropped, at;
  GetWindowRect(lb, &dropped);
  Drop(false);
  GetWindowRect(form->Handle(), &at);
  // Points inside the list's frame, its bar and its border, in form window coordinates.
  const POINT points[] = {{(dropped.left + dropped.right) / 2 - at.left, (dropped.top + dropped.bottom) / 2 - at.top},
                          {dropped.right - ss::ArrowSize() / 2 - at.left, dropped.top + ss::ArrowSize() - at.top},
                          {dropped.left - at.left, dropped.bottom - 1 - at.top}};
  auto formShows = [&] {
    std::vector<TColor> colours;
    for (const POINT& p : points) colours.push_back(PixelAt(form->Handle(), p.x, p.y));
    return colours;
  };
  combo->SetVisible(false);
  form->Repaint();
  Pump();
  const std::vector<TColor> bare = formShows();
  // As the program shows its article chooser: shown, emptied and filled again
  // (each item sets the list's height through the combo's window height).
  combo->SetVisible(true);
  combo->Items()->Clear();
  combo->SetItemIndex(-1);
  combo->SetText("choose");
  for (int i = 0; i < 6; ++i) combo->Items()->Add("article " + std::to_string(i));
  Pump();
  PumpFor(50);
  EXPECT_EQ(formShows(), bare) << "shown again and filled, closed";
  Drop(true);
  Drop(false);
  EXPECT_EQ(formShows(), bare) << "dropped and closed";
}

TEST_F(SkinComboListTest, SimpleCombosListGetsOverlays) {
  TSkinComBox* s = Combo(TComboBoxStyle::csSimple, 120);
  EXPECT_EQ(s->FListScrollBar, nullptr);
  ASSERT_NE(s->FListScrollbars, nullptr);
  EXPECT_EQ(s->FListScrollbars->Handle(), lb);
  EXPECT_EQ(s->FListScrollbars->Owner(), s);
  Pump();
  TWScrollbar* vert = s->FListScrollbars->FBars.Vert.get();
  ASSERT_TRUE(vert && vert->FShown);
  const int a = ss::ArrowSize();
  EXPECT_EQ(PixelAt(vert->Handle(), a / 2, a / 2), ss::ArrowColour(9));
  EXPECT_EQ(ss::Painted(*vert).At(a / 2, vert->FBarLength - a / 2), ss::ArrowColour(13));
  HWND overlay = vert->Handle();
  s->Unskin();
  EXPECT_EQ(s->FListScrollbars, nullptr);
  EXPECT_FALSE(IsWindow(overlay));
}

TEST_F(SkinComboListTest, SkinsLackingOneScrollBarObject) {
  TSkinComBox* s = Combo(TComboBoxStyle::csDropDownList);
  ASSERT_NE(s->FListScrollBar, nullptr);
  const int a = ss::ArrowSize();
  for (int lacking = 0; lacking < 3; ++lacking) {
    SCOPED_TRACE(lacking);
    ss::MakeScrollSkin(*data);
    if (lacking == 0) data->Scrollbar.reset();
    if (lacking == 1) data->VertScroll.reset();
    if (lacking == 2) data->VertScrollThumb.reset();
    Drop(true);
    const SCROLLBARINFO info = Bar();
    const TColor arrow = OnBar(a / 2), thumb = OnBar(info.xyThumbTop + 1), track = OnBar(info.xyThumbBottom + 1);
    if (lacking == 0) {
      // No arrow strip: the system's bar stays, drawn by the system.
      EXPECT_NE(arrow, ss::ArrowColour(9));
      EXPECT_NE(thumb, ss::VertThumb(1));
      EXPECT_NE(track, ss::VertTrack(1));
    } else {
      EXPECT_EQ(arrow, ss::ArrowColour(9));
      EXPECT_EQ(track, lacking == 1 ? ss::kFace : ss::VertTrack(1));
      EXPECT_EQ(thumb, lacking == 2 ? ss::VertTrack(1) : ss::VertThumb(1)) << "no thumb: the track shows";
    }
    const int top = TopIndex();
    SendMessageW(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_GT(TopIndex(), top) << "the list still scrolls";
    SendMessageW(lb, LB_SETTOPINDEX, 0, 0);
    Drop(false);
  }
}

TEST_F(SkinComboListTest, ScreenshotOfADroppedListWithTheProgramsSkin) {
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(EmbeddedSkinStream());
  ASSERT_TRUE(data->Scrollbar && data->Scrollbar->HasImage());
  TSkinComBox* s = Combo(TComboBoxStyle::csDropDownList);
  ASSERT_NE(s->FListScrollBar, nullptr);
  Drop(true);
  EXPECT_TRUE(SaveWindowShot(lb, ArtefactFolder() + "skin_combo_list_program_skin.bmp"));
  // The up arrow's glyph at the middle of the bar's first square: frame 9 of the skin's Scrollbar strip.
  TBitmap& arrows = *data->Scrollbar->Bitmap;
  const int square = arrows.GetHeight();
  EXPECT_EQ(OnBar(ss::ArrowSize() / 2), StripFramePixel(arrows, 23, 9, square / 2, square / 2));
  Drop(false);
}

}  // namespace
