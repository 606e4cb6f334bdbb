// Skinned scroll bars: overlays laid over a control's own bars, painted from a
// skin of plain distinct colours and read back; hit testing; presses handed to
// the system's scroll-bar logic by real mouse messages, with the scrolled
// position read back; skins lacking each scroll-bar object; ownership.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "message_spy.h"
#include "skin/win/controls/input/combo.h"
#include "skin/win/controls/scroll/combo_scrollbar.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin/win/messages.h"
#include "skin_fixture.h"
#include "skin_scroll_skin.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/rich_edit.h"

namespace {

using namespace scroll_skin;

// A window whose posted WM_APP runs the next queued probe: the probes look at
// the bar while the system's tracking loop runs.
struct Probe {
  static std::vector<std::function<void()>>& Queue() {
    static std::vector<std::function<void()>> queue;
    return queue;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP && wp < Queue().size()) Queue()[wp]();
    return DefWindowProcW(w, msg, wp, lp);
  }
  Probe() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"ScrollbarTestProbe";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    Queue().clear();
    window = CreateWindowExW(0, L"ScrollbarTestProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  ~Probe() { DestroyWindow(window); }
  void Post(std::function<void()> f) {
    Queue().push_back(std::move(f));
    PostMessageW(window, WM_APP, Queue().size() - 1, 0);
  }
  HWND window = nullptr;
};

struct ScrollbarTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    MakeScrollSkin(*data);
  }
  TListBox* ListBox(int rows, int height = 150) {
    auto* box = Make<TListBox>(20, 20, 200, height);
    std::vector<std::string> items;
    for (int i = 0; i < rows; ++i) items.push_back("row " + std::to_string(i));
    box->SetItemsList(items);
    return box;
  }
  // A report list view with a wide column and many rows: both bars.
  TListView* ListView() {
    auto* view = Make<TListView>(240, 20, 240, 160);
    view->SetViewStyle(TViewStyle::vsReport);
    view->Columns()->Add()->SetWidth(900);
    view->SetOwnerData(true);
    view->OnData = [](TObject*, int index, TListItem* item) { item->SetCaption("row " + std::to_string(index)); };
    view->SetItemCount(80);
    return view;
  }
  TSkinScrollbar* Skin(TControl* control) {
    form->Show();
    Pump();
    auto* skin = new TSkinScrollbar(control);
    skin->AttachControl(&list, data.get(), false, &canvas);
    Pump();
    return skin;
  }
  static SCROLLBARINFO Info(HWND w, LONG id) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(w, id, &info);
    return info;
  }
  static LRESULT TopIndex(TListBox* box) { return SendMessageW(box->Handle(), LB_GETTOPINDEX, 0, 0); }
  // The screen point of an overlay point.
  static POINT OnScreen(TWScrollbar& bar, POINT p) {
    ClientToScreen(bar.Handle(), &p);
    return p;
  }
  static LPARAM ClientOf(HWND w, POINT screen) {
    ScreenToClient(w, &screen);
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(screen.x)), static_cast<WORD>(static_cast<SHORT>(screen.y)));
  }
};

TEST_F(ScrollbarTest, OverlayCoversTheBarAndPaintsTheVerticalObjects) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  ASSERT_TRUE(bar.FShown);
  EXPECT_FALSE(skin->FBars.Horz->FShown) << "the list box has no horizontal bar";
  RECT placed;
  GetWindowRect(bar.Handle(), &placed);
  const SCROLLBARINFO info = Info(box->Handle(), OBJID_VSCROLL);
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));
  EXPECT_EQ(GetParent(bar.Handle()), form->Handle());
  EXPECT_EQ(GetWindowLongW(bar.Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(box->Handle(), GW_HWNDPREV), bar.Handle()) << "directly above the list box";

  const int a = ArrowSize(), mid = a / 2;
  Painted p(bar);
  const int length = bar.FBarLength;
  EXPECT_EQ(length, info.rcScrollBar.bottom - info.rcScrollBar.top);
  EXPECT_EQ(p.At(mid, mid), ArrowColour(9));
  EXPECT_EQ(p.At(mid, length - mid), ArrowColour(13));
  EXPECT_EQ(p.At(mid, length - a - 1), VertTrack(1));
  EXPECT_EQ(bar.FThumbStart, info.xyThumbTop);
  EXPECT_EQ(bar.FThumbEnd, info.xyThumbBottom);
  int grip = 0;
  const bool hasGrip = ScrollGripStart(bar.FThumbStart, bar.FThumbEnd, a, grip);
  EXPECT_EQ(p.At(mid, bar.FThumbStart), hasGrip && grip == bar.FThumbStart ? ArrowColour(20) : VertThumb(1));
  if (hasGrip) {
    EXPECT_EQ(p.At(mid, grip + a / 2), ArrowColour(20));
  }

  // Hot parts follow the mouse.
  SendMessageW(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(mid, length - 2));
  EXPECT_EQ(bar.FHotPart, spSecondArrow);
  EXPECT_EQ(Painted(bar).At(mid, length - mid), ArrowColour(16));
  SendMessageW(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(mid, (bar.FThumbStart + bar.FThumbEnd) / 2));
  EXPECT_EQ(bar.FHotPart, spThumb);
  Painted hot(bar);
  EXPECT_EQ(hot.At(mid, bar.FThumbEnd - 1), hasGrip && grip + a > bar.FThumbEnd - 1 ? ArrowColour(22) : VertThumb(3));
  SendMessageW(bar.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(bar.FHotPart, spNone);
  EXPECT_EQ(Painted(bar).At(mid, length - mid), ArrowColour(13));
}

TEST_F(ScrollbarTest, VerticalBarTakesTheHorizontalObjectsSwitches) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  ASSERT_TRUE(bar.FShown);
  const int a = ArrowSize(), mid = a / 2;
  // The thumb: the vertical image cut into the horizontal thumb's 3 frames, its magenta left out.
  ASSERT_NE(data->VertScrollThumb->FrameCount, data->HorzScrollThumb->FrameCount);
  ASSERT_NE(data->VertScrollThumb->Trans, data->HorzScrollThumb->Trans);
  Painted p(bar);
  int grip = 0, y = bar.FThumbStart;
  if (ScrollGripStart(bar.FThumbStart, bar.FThumbEnd, a, grip) && grip <= y) y = grip + a;  // a row the grip leaves
  ASSERT_LT(y, bar.FThumbEnd);
  EXPECT_EQ(p.At(mid, y), VertThumb(1));
  EXPECT_EQ(p.At(a - 1, y), VertTrack(1)) << "the thumb's magenta edge shows the track";

  // The track: a band on the last two rows of each frame repeats when HorzScroll tiles.
  const TColor band = Rgb(250, 120, 0);
  data->VertScroll = Strip(4, 8, a, VertTrack);
  FillRectColor(data->VertScroll->Bitmap->CanvasDC(), RECT{0, a - 2, 32, a}, band);
  data->VertScroll->Tile = 0;
  SendMessageW(box->Handle(), LB_SETTOPINDEX, 99, 0);  // the thumb at the bottom, the track clear above
  Pump();
  Painted tiled(bar);
  ASSERT_GT(bar.FThumbStart, 4 * a);
  EXPECT_EQ(tiled.At(mid, 2 * a - 1), band) << "the first tile's last row";
  EXPECT_EQ(tiled.At(mid, 2 * a), VertTrack(1));
  EXPECT_EQ(tiled.At(mid, 3 * a - 2), band);
  data->HorzScroll->Tile = 0;
  data->VertScroll->Tile = 1;
  Painted stretched(bar);
  EXPECT_EQ(stretched.At(mid, 2 * a - 1), VertTrack(1)) << "one frame stretched: its band only at the end";
  EXPECT_EQ(stretched.At(mid, 3 * a - 2), VertTrack(1));
}

TEST_F(ScrollbarTest, HitTestingInBothOrientations) {
  auto* view = ListView();
  TSkinScrollbar* skin = Skin(view);
  ASSERT_TRUE(skin->FBars.BothShown());
  // Thumbs away from both ends.
  SendMessageW(view->Handle(), LVM_SCROLL, 300, 40 * 16);
  Pump();
  for (TWScrollbar* bar : {skin->FBars.Vert.get(), skin->FBars.Horz.get()}) {
    SCOPED_TRACE(bar->FKind == TWScrollbar::kVertical ? "vertical" : "horizontal");
    Painted p(*bar);  // the thumb extent is the one of the last paint
    const int a = ArrowSize(), across = a / 2;
    const int start = bar->FThumbStart, end = bar->FThumbEnd, length = bar->FBarLength;
    ASSERT_GT(start, a + 1);
    ASSERT_LT(end, length - a - 1);
    auto at = [&](int along) {
      return bar->FKind == TWScrollbar::kVertical ? POINT{across, along} : POINT{along, across};
    };
    EXPECT_EQ(bar->HitTest(at(0)), spFirstArrow);
    EXPECT_EQ(bar->HitTest(at(a - 1)), spFirstArrow);
    EXPECT_EQ(bar->HitTest(at(a)), spPageBefore);
    EXPECT_EQ(bar->HitTest(at(start - 1)), spPageBefore);
    EXPECT_EQ(bar->HitTest(at(start)), spThumb);
    EXPECT_EQ(bar->HitTest(at(end - 1)), spThumb);
    EXPECT_EQ(bar->HitTest(at(end)), spPageAfter);
    EXPECT_EQ(bar->HitTest(at(length - a)), spSecondArrow);
    EXPECT_EQ(bar->HitTest(at(length - 1)), spSecondArrow);
    // The horizontal bar draws from the horizontal objects.
    const bool vertical = bar->FKind == TWScrollbar::kVertical;
    EXPECT_EQ(p.At(vertical ? across : a + 1, vertical ? a + 1 : across), vertical ? VertTrack(1) : HorzTrack(1));
    EXPECT_EQ(p.At(vertical ? across : 1, vertical ? 1 : across), ArrowColour(vertical ? 9 : 1));
    EXPECT_EQ(p.At(vertical ? across : length - 2, vertical ? length - 2 : across), ArrowColour(vertical ? 13 : 5));
  }
}

TEST_F(ScrollbarTest, ThumbDraggedByTheMouseScrollsAndStopsAtBothEnds) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  const int a = ArrowSize(), mid = a / 2;
  const HWND target = box->Handle();

  struct Seen {
    bool pressed = false;
    int hot = 0, start = 0, end = 0;
    LRESULT top = 0;
    TColor thumb = 0;
  };
  int startBefore = 0, thumbLength = 0;
  // Grabs the thumb in its middle, drags it by each travel in turn, then lets go.
  auto drag = [&](const std::vector<int>& travels) {
    Painted before(bar);
    startBefore = bar.FThumbStart;
    thumbLength = bar.FThumbEnd - bar.FThumbStart;
    const POINT grab{mid, (bar.FThumbStart + bar.FThumbEnd) / 2};
    Probe probe;
    std::vector<Seen> seen(travels.size());
    const POINT from = OnScreen(bar, grab);
    SetCursorPos(from.x, from.y);
    for (std::size_t i = 0; i < travels.size(); ++i) {
      const POINT to{from.x, from.y + travels[i]};
      PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, ClientOf(target, to));
      probe.Post([&, i, to] {
        SetCursorPos(to.x, to.y);
        Seen& s = seen[i];
        s.pressed = bar.FPressed;
        s.hot = bar.FHotPart;
        Painted p(bar);
        s.start = bar.FThumbStart;
        s.end = bar.FThumbEnd;
        s.thumb = p.At(mid, s.start);
        s.top = TopIndex(box);
      });
    }
    const POINT last{from.x, from.y + travels.back()};
    PostMessageW(target, WM_LBUTTONUP, 0, ClientOf(target, last));
    // The press: the overlay hands it on and the system tracks until the release.
    SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
    EXPECT_FALSE(bar.FPressed);
    Pump();
    return seen;
  };

  const int visible = box->ClientHeight() / static_cast<int>(SendMessageW(target, LB_GETITEMHEIGHT, 0, 0));
  // Past the bar's end, but not so far aside that the system gives the thumb back.
  std::vector<Seen> down = drag({30, bar.FBarLength});
  ASSERT_EQ(down.size(), 2u);
  EXPECT_TRUE(down[0].pressed);
  EXPECT_EQ(down[0].hot, spThumb);
  EXPECT_EQ(down[0].start, startBefore + 30) << "the drawn thumb follows the cursor";
  EXPECT_EQ(down[0].end - down[0].start, thumbLength);
  EXPECT_GT(down[0].top, 0) << "the list scrolled while the thumb moved";
  // Past the end: the drawn thumb stops at the second arrow, the list at its last page.
  EXPECT_EQ(down[1].end, bar.FBarLength - a);
  EXPECT_TRUE(down[1].thumb == VertThumb(2) || down[1].thumb == ArrowColour(21)) << "pressed thumb or grip";
  EXPECT_EQ(TopIndex(box), 100 - visible);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(target, SB_VERT, &si);
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
  EXPECT_EQ(Painted(bar).At(mid, bar.FBarLength - a - 1), VertThumb(1)) << "released, the thumb is normal again";

  // And back up past the start.
  std::vector<Seen> up = drag({-bar.FBarLength});
  EXPECT_EQ(up[0].start, a);
  EXPECT_EQ(TopIndex(box), 0);
  GetScrollInfo(target, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 0);
}

TEST_F(ScrollbarTest, ArrowPressScrollsOneLineAndPagesByTheTrack) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  Painted before(bar);
  const int mid = ArrowSize() / 2;
  const HWND target = box->Handle();
  auto press = [&](int y) {
    POINT screen = OnScreen(bar, POINT{mid, y});
    SetCursorPos(screen.x, screen.y);
    PostMessageW(target, WM_LBUTTONUP, 0, ClientOf(target, screen));
    SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mid, y));
    Pump();
  };
  press(bar.FBarLength - 2);
  EXPECT_EQ(TopIndex(box), 1);
  press(1);
  EXPECT_EQ(TopIndex(box), 0);
  Painted now(bar);
  press(bar.FThumbEnd + 2);  // the track after the thumb: a page
  const int visible = box->ClientHeight() / static_cast<int>(SendMessageW(target, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(TopIndex(box), visible - 1);
  EXPECT_EQ(bar.FHotPart == spPageAfter || bar.FHotPart == SB_ENDSCROLL, true);
}

TEST_F(ScrollbarTest, SkinsLackingEachScrollBarObject) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  const int a = ArrowSize(), mid = a / 2;
  Painted full(bar);
  const int length = bar.FBarLength, thumbAt = bar.FThumbStart;
  int grip = 0;
  const bool gripAtStart = ScrollGripStart(bar.FThumbStart, bar.FThumbEnd, a, grip) && grip == thumbAt;
  struct Case {
    const char* name;
    std::unique_ptr<TDataSkinObject> TSkinData::*object;
    bool frameless;  // FrameCount 0 instead of no object
  };
  const Case cases[] = {
      {"Scrollbar", &TSkinData::Scrollbar, false},         {"VertScroll", &TSkinData::VertScroll, false},
      {"VertScrollThumb", &TSkinData::VertScrollThumb, false}, {"HorzScroll", &TSkinData::HorzScroll, false},
      {"HorzScrollThumb", &TSkinData::HorzScrollThumb, false}, {"VertScroll frames", &TSkinData::VertScroll, true},
      {"VertScrollThumb frames", &TSkinData::VertScrollThumb, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeScrollSkin(*data);
    if (c.frameless) ((*data).*(c.object))->FrameCount = 0;
    else ((*data).*(c.object)).reset();
    Painted p(bar);
    const TColor up = p.At(mid, mid), track = p.At(mid, length - a - 1), thumb = p.At(mid, thumbAt);
    if (c.object == &TSkinData::Scrollbar) {
      // No arrows image: nothing at all is drawn, nothing erased.
      EXPECT_EQ(up, kUntouched);
      EXPECT_EQ(track, kUntouched);
      continue;
    }
    EXPECT_EQ(up, ArrowColour(9));
    const bool noTrack = c.object == &TSkinData::VertScroll, noThumb = c.object == &TSkinData::VertScrollThumb;
    EXPECT_EQ(track, noTrack ? kFace : VertTrack(1));
    if (!gripAtStart) {
      EXPECT_EQ(thumb, noThumb ? VertTrack(1) : VertThumb(1)) << "no thumb: the track shows";
    }
  }
  // The bar of a short list box: two half arrows, no track.
  auto* small = Make<TListBox>(300, 20, 120, 2 * a);
  small->SetItemsList({"a", "b", "c", "d", "e", "f"});
  TSkinScrollbar* smallSkin = Skin(small);
  MakeScrollSkin(*data);
  TWScrollbar& shortBar = *smallSkin->FBars.Vert;
  ASSERT_TRUE(shortBar.FShown);
  Painted sp(shortBar);
  const int half = shortBar.FBarLength / 2;
  ASSERT_LT(shortBar.FBarLength, 2 * a);
  EXPECT_EQ(sp.At(mid, half - 1), ArrowColour(9));
  EXPECT_EQ(sp.At(mid, shortBar.FBarLength - half), ArrowColour(13));
}

TEST_F(ScrollbarTest, DisabledBarShowsTheDisabledTrackAndNoThumb) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  Painted enabled(bar);
  const int a = ArrowSize(), mid = a / 2, thumbAt = bar.FThumbStart + 1;
  box->SetEnabled(false);
  Painted p(bar);
  EXPECT_EQ(p.At(mid, mid), ArrowColour(9));
  EXPECT_EQ(p.At(mid, bar.FBarLength - mid), ArrowColour(13));
  EXPECT_EQ(p.At(mid, thumbAt), VertTrack(3));
  EXPECT_EQ(p.At(mid, bar.FBarLength - a - 1), VertTrack(3));
  EXPECT_FALSE(IsWindowEnabled(bar.Handle())) << "the overlays of a disabled control take no input";
  box->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(bar.Handle()));
  EXPECT_EQ(Painted(bar).At(mid, thumbAt), VertThumb(1));
}

TEST_F(ScrollbarTest, CornerAndBorderFollowTheWindowsOwnBorder) {
  auto* view = ListView();
  TSkinScrollbar* skin = Skin(view);
  ASSERT_TRUE(skin->FBars.BothShown());
  ASSERT_TRUE(skin->FDrawBorder);
  for (bool thin : {false, true}) {
    SCOPED_TRACE(thin ? "one-pixel border" : "client edge");
    if (thin) {
      // A one-pixel border: the corner must not be taken 2 pixels in.
      HWND w = view->Handle();
      SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
      SetWindowLongW(w, GWL_STYLE, GetWindowLongW(w, GWL_STYLE) | WS_BORDER);
      SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
      Pump();
    }
    const SCROLLBARINFO v = Info(view->Handle(), OBJID_VSCROLL), h = Info(view->Handle(), OBJID_HSCROLL);
    RECT window;
    GetWindowRect(view->Handle(), &window);
    RECT corner{v.rcScrollBar.left, h.rcScrollBar.top, v.rcScrollBar.right, h.rcScrollBar.bottom};
    OffsetRect(&corner, -window.left, -window.top);
    HDC dc = GetWindowDC(view->Handle());
    FillRectColor(dc, corner, kUntouched);
    skin->PaintWindow(dc);
    // The bars' rectangles may overlap the corner's edges: look at its middle and far corner.
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, (corner.left + corner.right) / 2, (corner.top + corner.bottom) / 2)),
              kFace);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, corner.right - 1, corner.bottom - 1)), kFace);
    // Taken 2 pixels in, the fill would cover the one-pixel border's shadow.
    if (thin) {
      EXPECT_EQ(static_cast<TColor>(GetPixel(dc, corner.right, corner.bottom)), kShadow);
    }
    // The border: shadow outside, face one pixel in.
    FillRectColor(dc, RECT{0, 0, 4, 4}, kUntouched);
    SendMessageW(view->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 2)), kShadow);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 2)), kFace);
    ReleaseDC(view->Handle(), dc);
  }
}

TEST_F(ScrollbarTest, BordersFollowBorderStyleAndTheSingleKind) {
  auto* rich = Make<TRichEdit>(20, 200, 200, 80);
  rich->SetBorderStyle(TBorderStyle::bsNone);
  auto* box = ListBox(5);
  form->Show();
  Pump();
  TSkinControl* plain = CreateSkinObject(TSkinKind::Scrollbar, box);
  TSkinControl* single = CreateSkinObject(TSkinKind::SingleScrollbar, rich);
  ASSERT_TRUE(plain && single);
  plain->AttachControl(&list, data.get(), false, &canvas);
  single->AttachControl(&list, data.get(), false, &canvas);
  EXPECT_TRUE(dynamic_cast<TSkinScrollbar*>(plain)->FDrawBorder) << "a control without BorderStyle is bordered";
  EXPECT_FALSE(dynamic_cast<TSkinScrollbar*>(single)->FDrawBorder);
  EXPECT_EQ(single->FMode, 1);
  auto* memo = Make<TRichEdit>(240, 200, 200, 80);
  memo->SetBorderStyle(TBorderStyle::bsNone);
  auto* none = new TSkinScrollbar(memo);
  none->AttachControl(&list, data.get(), false, &canvas);
  EXPECT_FALSE(none->FDrawBorder) << "bsNone";
  EXPECT_EQ(list.Count(), 3);
}

TEST_F(ScrollbarTest, OneOwnerForObjectsAndOverlays) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  HWND vert = skin->FBars.Vert->Handle(), horz = skin->FBars.Horz->Handle();
  ASSERT_TRUE(IsWindow(vert) && IsWindow(horz));
  // Attaching again changes nothing.
  skin->AttachControl(&list, data.get(), false, &canvas);
  EXPECT_EQ(skin->FBars.Vert->Handle(), vert);
  // Hidden with the control, placed again when shown.
  box->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(vert));
  box->SetVisible(true);
  Pump();
  EXPECT_TRUE(IsWindowVisible(vert));
  // Unskin frees the overlays; deleting the control frees the object, which leaves the list.
  skin->Unskin();
  EXPECT_FALSE(IsWindow(vert));
  EXPECT_FALSE(skin->FBars.Vert);
  delete box;
  EXPECT_EQ(list.Count(), 0);

  // The control's window destroyed first: the overlays hide and go with the object.
  auto* other = ListBox(100);
  TSkinScrollbar* second = Skin(other);
  HWND overlay = second->FBars.Vert->Handle();
  other->DestroyHandle();
  EXPECT_TRUE(second->Destroyed());
  EXPECT_FALSE(IsWindowVisible(overlay));
  // The control's next window cannot switch the dead object on again.
  SendMessageW(other->Handle(), SM_SKINCONTROL, 1, 0);
  EXPECT_TRUE(second->Destroyed());
  EXPECT_FALSE(second->Active());
  list.FreeDead();
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ScrollbarTest, WindowKnownByItsHandle) {
  form->Show();
  HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              20, 20, 150, 100, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 50; ++i) SendMessageW(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  const auto original = GetWindowLongPtrW(bare, GWLP_WNDPROC);
  TComponent owner(nullptr);
  auto* skin = new TSkinScrollbarH(&owner);
  skin->AttachHandle(bare, data.get(), &list, &canvas);
  skin->AttachHandle(bare, data.get(), &list, &canvas);  // once only
  Pump();
  ASSERT_TRUE(skin->FBars.Vert && skin->FBars.Vert->FShown);
  RECT placed;
  GetWindowRect(skin->FBars.Vert->Handle(), &placed);
  const SCROLLBARINFO info = Info(bare, OBJID_VSCROLL);
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar));
  EXPECT_EQ(Painted(*skin->FBars.Vert).At(ArrowSize() / 2, ArrowSize() / 2), ArrowColour(9));
  // Scroll messages name the overlay's part.
  SendMessageW(bare, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(skin->FBars.Vert->FHotPart, spSecondArrow);
  HWND overlay = skin->FBars.Vert->Handle();
  delete skin;
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_EQ(GetWindowLongPtrW(bare, GWLP_WNDPROC), original);
  EXPECT_EQ(list.Count(), 0);
  DestroyWindow(bare);
}

TEST_F(ScrollbarTest, SkinTakenOffWhileThePressIsTracked) {
  auto* box = ListBox(100);
  TSkinScrollbar* skin = Skin(box);
  TWScrollbar& bar = *skin->FBars.Vert;
  Painted before(bar);
  const HWND overlay = bar.Handle(), target = box->Handle();
  const POINT at{ArrowSize() / 2, bar.FBarLength - 2};
  const POINT screen = OnScreen(bar, at);
  SetCursorPos(screen.x, screen.y);
  Probe probe;
  probe.Post([&] { skin->Unskin(); });  // frees the overlay whose press is being tracked
  PostMessageW(target, WM_LBUTTONUP, 0, ClientOf(target, screen));
  SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  Pump();
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_FALSE(skin->FBars.Vert);
  EXPECT_EQ(TopIndex(box), 1) << "the press itself went on";
}

// Whether the window under the skin heard WM_VSCROLL with this request (and
// this position, unless it is -1).
bool HeardScroll(int request, int pos = -1) {
  for (WPARAM w : MessageSpy::WParamsOf(WM_VSCROLL))
    if (LOWORD(w) == request && (pos < 0 || HIWORD(w) == pos)) return true;
  return false;
}

TEST_F(ScrollbarTest, DropDownListThumbDragSendsTheListsScrollMessages) {
  form->Show();
  HWND lb = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 20, 20,
                            150, 100, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 100; ++i) SendMessageW(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  const int rowHeight = static_cast<int>(SendMessageW(lb, LB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(lb, nullptr, 0, 0, 150, 10 * rowHeight, SWP_NOMOVE | SWP_NOZORDER);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(lb, SB_VERT, &si);
  ASSERT_EQ(si.nPage, 10u);
  ASSERT_EQ(si.nMax, 99);
  MessageSpy::Install(lb);
  const LONG_PTR spied = GetWindowLongPtrW(lb, GWLP_WNDPROC);
  TComponent owner(nullptr);
  auto* skin = new TComboxScrollBar(&owner);
  skin->AttachHandle(lb, data.get(), &list, &canvas);
  Pump();

  const SCROLLBARINFO info = Info(lb, OBJID_VSCROLL);
  const int a = ArrowSize();
  const POINT thumb{info.rcScrollBar.left + a / 2, info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
  auto press = [&](POINT at, const std::vector<POINT>& moves) {
    MessageSpy::Log().clear();
    for (POINT m : moves) PostMessageW(lb, WM_MOUSEMOVE, MK_LBUTTON, ClientOf(lb, m));
    PostMessageW(lb, WM_LBUTTONUP, 0, ClientOf(lb, moves.empty() ? at : moves.back()));
    SendMessageW(lb, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(at.x, at.y));
    Pump();
  };
  // Pressed and released without moving: the current position.
  press(thumb, {});
  EXPECT_FALSE(HeardScroll(SB_THUMBTRACK));
  EXPECT_TRUE(HeardScroll(SB_THUMBPOSITION, 0));
  EXPECT_TRUE(HeardScroll(SB_ENDSCROLL, 0));
  // Dragged past the bottom: the last page.
  press(thumb, {POINT{thumb.x, thumb.y + 20}, POINT{thumb.x, info.rcScrollBar.bottom + 300}});
  EXPECT_TRUE(HeardScroll(SB_THUMBTRACK, 90));
  EXPECT_TRUE(HeardScroll(SB_THUMBPOSITION, 90));
  EXPECT_EQ(SendMessageW(lb, LB_GETTOPINDEX, 0, 0), 90);
  EXPECT_EQ(GetCapture(), nullptr);
  // A press off the thumb is the system's.
  TMessage arrow{WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, info.rcScrollBar.top + 1), 0};
  EXPECT_FALSE(skin->DragThumb(arrow));

  // Painted in the list's frame in its normal look.
  HDC dc = GetWindowDC(lb);
  RECT window;
  GetWindowRect(lb, &window);
  skin->PaintWindow(dc);
  const int x = info.rcScrollBar.left - window.left + a / 2, y = info.rcScrollBar.top - window.top;
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, x, y + a / 2)), ArrowColour(9));
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, x, info.rcScrollBar.bottom - window.top - a / 2)), ArrowColour(13));
  ReleaseDC(lb, dc);
  delete skin;
  EXPECT_EQ(GetWindowLongPtrW(lb, GWLP_WNDPROC), spied);
  DestroyWindow(lb);
}


// Every pixel of a window (frame included), read back from the screen.
std::vector<COLORREF> WindowPixels(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  std::vector<COLORREF> pixels;
  HDC dc = GetWindowDC(w);
  for (int y = 0; y < r.bottom - r.top; ++y)
    for (int x = 0; x < r.right - r.left; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(w, dc);
  return pixels;
}

TEST_F(ScrollbarTest, HiddenControlsAreSkinnedWhenTheirWindowsAreFirstMade) {
  // Pairs alike: one shown when the form is skinned, one hidden until later.
  auto rich = [this](int top, bool visible) {
    auto* r = Make<TRichEdit>(20, top, 260, 60);
    r->SetVisible(visible);
    r->SetText("line 1\r\nline 2");
    return r;
  };
  TRichEdit* shownRich = rich(20, true);
  TRichEdit* hiddenRich = rich(100, false);
  TListBox* shownBox = ListBox(40, 100);
  TListBox* hiddenBox = ListBox(40, 100);
  hiddenBox->SetLeft(240);
  hiddenBox->SetVisible(false);
  shownBox->SetTop(180);
  hiddenBox->SetTop(180);
  auto* combo = Make<TComboBox>(300, 20, 120, 25);
  combo->SetVisible(false);
  auto* edit = Make<TEdit>(300, 60, 120, 25);
  edit->SetVisible(false);
  form->Show();
  Pump();
  NewDispatcher();
  dispatcher->SkinFormControls(form);

  // Skinned, but no window is made for a control nobody sees yet.
  std::vector<TWinControl*> hidden{hiddenRich, hiddenBox, combo, edit};
  for (TWinControl* c : hidden) {
    SCOPED_TRACE(c->ClassName());
    EXPECT_FALSE(c->HandleAllocated());
    TSkinControl* skin = list.FindByControl(c);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->Handle(), nullptr);
  }
  auto* boxSkin = dynamic_cast<TSkinScrollbar*>(list.FindByControl(hiddenBox));
  ASSERT_NE(boxSkin, nullptr);
  EXPECT_FALSE(boxSkin->FBars.Vert) << "no overlays before the window";

  // First shown: each skin takes the new window and finishes its attach.
  for (TWinControl* c : hidden) c->SetVisible(true);
  Pump();
  for (TWinControl* c : hidden) {
    SCOPED_TRACE(c->ClassName());
    EXPECT_EQ(list.FindByControl(c)->Handle(), c->HandleOrNull());
    EXPECT_EQ(SendMessageW(c->HandleOrNull(), SM_ISSKINNED, 0, 0), 1);
  }
  ASSERT_TRUE(boxSkin->FBars.Vert);
  EXPECT_TRUE(IsWindowVisible(boxSkin->FBars.Vert->Handle()));
  auto* comboSkin = dynamic_cast<TSkinComBox*>(list.FindByControl(combo));
  ASSERT_NE(comboSkin, nullptr);
  EXPECT_EQ(comboSkin->FStyle, GetWindowLongW(combo->HandleOrNull(), GWL_STYLE));
  EXPECT_NE(comboSkin->FEditHandle, nullptr) << "a drop-down combo's edit is watched";

  // A late control shows exactly what its twin skinned from the start shows.
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  for (auto [early, late] : {std::pair<TWinControl*, TWinControl*>{shownRich, hiddenRich}, {shownBox, hiddenBox}}) {
    SCOPED_TRACE(early->ClassName());
    const std::vector<COLORREF> a = WindowPixels(early->Handle()), b = WindowPixels(late->Handle());
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b);
  }
  HDC dc = GetWindowDC(hiddenRich->Handle());
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 2)), kShadow) << "the skin's border";
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 2)), kFace);
  ReleaseDC(hiddenRich->Handle(), dc);
  HWND overlay = boxSkin->FBars.Vert->Handle();
  RECT bar;
  GetClientRect(overlay, &bar);
  dc = GetDC(overlay);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, bar.right / 2, 2)), ArrowColour(9)) << "the overlay's up arrow";
  ReleaseDC(overlay, dc);
}

}  // namespace
