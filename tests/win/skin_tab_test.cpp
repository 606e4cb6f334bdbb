// Tab controls in the skin: the strip and the pane on all four sides, the
// focused tab's frame, the scroll arrows left uncovered; tabs as buttons and
// tab sheets reached through the skin-control event; skins lacking objects.
#include <windows.h>

#include <commctrl.h>

#include "screenshot.h"
#include "skin/win/controls/boxes/status_bar.h"
#include "skin/win/controls/input/updown.h"
#include "skin/win/controls/scroll/list_view.h"
#include "skin/win/controls/tabs/tab.h"
#include "skin/win/messages.h"
#include "skin_family_support.h"
#include "skin_support.h"
#include "toolkit/win/check_list_box.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/status_bar.h"
#include "toolkit/win/tab_control.h"
#include "toolkit/win/tab_set.h"

namespace {

// Tab frames: an outer band (towards the tab's free edge) over an inner band.
const TColor kTabOuter = Rgb(200, 30, 30), kTabInner = Rgb(240, 180, 180);
const TColor kSelOuter = Rgb(30, 30, 200), kSelInner = Rgb(180, 180, 240);
// Pane: an edge band towards the tabs, the rest plain.
const TColor kPaneEdge = Rgb(20, 150, 20), kPane = Rgb(190, 240, 190);

std::unique_ptr<TDataSkinBorder> BandedTabs() {
  auto tabs = std::make_unique<TDataSkinBorder>();
  tabs->Bitmap = PlainStrip({kTabInner, kSelInner}, 20, 20);
  FillRectColor(tabs->Bitmap->CanvasDC(), RECT{0, 0, 20, 4}, kTabOuter);
  FillRectColor(tabs->Bitmap->CanvasDC(), RECT{20, 0, 40, 4}, kSelOuter);
  tabs->FrameCount = 2;
  tabs->LeftWidth = tabs->TopHeight = tabs->RightWidth = tabs->BottomHeight = 4;
  tabs->Bitmap2 = PlainStrip({kPane}, 30, 30);
  FillRectColor(tabs->Bitmap2->CanvasDC(), RECT{0, 0, 30, 5}, kPaneEdge);
  tabs->NormalColour2 = Rgb(0, 0, 0);
  tabs->MouseOverColour2 = Rgb(255, 255, 255);
  return tabs;
}

struct SkinTabTest : SkinFamilyTest {
  void SetUp() override {
    SkinFamilyTest::SetUp();
    data->Tabs = BandedTabs();
    parent = Make<TPanel>(0, 0, 600, 400);
    form->Show();
  }
  // A bare tab window of three tabs, skinned as the dispatcher skins it.
  HWND BareTabs(DWORD style, int width = 300, int height = 200) {
    HWND w = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | style, 20, 20, width, height,
                             parent->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    const wchar_t* names[] = {L"One", L"Two", L"Three", L"Four", L"Five", L"Six"};
    for (int i = 0; i < 6; ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(names[i]);
      SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    dispatcher->SkinChildWindow(w);
    return w;
  }
  static RECT TabRect(HWND w, int i) {
    RECT t;
    SendMessageW(w, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
    return t;
  }
  // A point of a tab's outer band (towards its free edge), away from its text.
  static POINT FreeEdge(int position, const RECT& t) {
    switch (position) {
      case 1: return POINT{t.left + 5, t.bottom - 3};
      case 2: return POINT{t.left + 1, t.bottom - 5};
      case 3: return POINT{t.right - 2, t.top + 5};
      default: return POINT{t.left + 5, t.top + 2};
    }
  }
  static RECT Pane(HWND w) {
    RECT p;
    GetClientRect(w, &p);
    SendMessageW(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&p));
    InflateRect(&p, 4, 4);
    return p;
  }
  TPanel* parent = nullptr;
};

TEST_F(SkinTabTest, StripAndPaneOnAllFourSides) {
  struct Side {
    DWORD style;
    int position;
  };
  const Side sides[] = {{0, 0}, {TCS_BOTTOM, 1}, {TCS_VERTICAL | TCS_MULTILINE, 2},
                        {TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 3}};
  for (const Side& side : sides) {
    SCOPED_TRACE(side.position);
    HWND w = BareTabs(side.style);
    auto* skin = dynamic_cast<TSkinTab*>(list.FindByHandle(w));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->FTabPosition, side.position);
    SendMessageW(w, TCM_SETCURFOCUS, 1, 0);
    const RECT t = TabRect(w, 0), u = TabRect(w, 1), p = Pane(w);
    // Sample each tab by its free edge and by its corner towards the pane
    // (away from the centred text); the pane by its edge towards the tabs.
    switch (side.position) {
      case 0:
        EXPECT_EQ(PixelAt(w, t.left + 5, t.top + 2), kTabOuter);
        EXPECT_EQ(PixelAt(w, t.left + 3, t.bottom - 4), kTabInner);
        EXPECT_EQ(PixelAt(w, u.left + 5, u.top + 2), kSelOuter);
        EXPECT_EQ(PixelAt(w, (p.left + p.right) / 2, p.top + 2), kPaneEdge);
        break;
      case 1:
        EXPECT_EQ(PixelAt(w, t.left + 5, t.bottom - 3), kTabOuter);
        EXPECT_EQ(PixelAt(w, t.left + 3, t.top + 3), kTabInner);
        EXPECT_EQ(PixelAt(w, u.left + 5, u.bottom - 3), kSelOuter);
        EXPECT_EQ(PixelAt(w, (p.left + p.right) / 2, p.bottom - 4), kPaneEdge);
        break;
      case 2:
        EXPECT_EQ(PixelAt(w, t.left + 1, t.bottom - 5), kTabOuter);
        EXPECT_EQ(PixelAt(w, t.right - 2, t.bottom - 5), kTabInner);
        EXPECT_EQ(PixelAt(w, u.left + 1, u.bottom - 5), kSelOuter);
        EXPECT_EQ(PixelAt(w, p.left + 2, (p.top + p.bottom) / 2), kPaneEdge);
        break;
      case 3:
        EXPECT_EQ(PixelAt(w, t.right - 2, t.top + 5), kTabOuter);
        EXPECT_EQ(PixelAt(w, t.left + 1, t.top + 5), kTabInner);
        EXPECT_EQ(PixelAt(w, u.right - 2, u.top + 5), kSelOuter);
        EXPECT_EQ(PixelAt(w, p.right - 4, (p.top + p.bottom) / 2), kPaneEdge);
        break;
    }
    EXPECT_EQ(PixelAt(w, (p.left + p.right) / 2, (p.top + p.bottom) / 2), kPane);
    // Every tab by its free edge: the focused one in frame 2, the others in
    // frame 1 (where the scroll arrows do not cover it).
    RECT arrows{};
    if (HWND a = FindWindowExW(w, nullptr, UPDOWN_CLASSW, nullptr); a && IsWindowVisible(a)) {
      GetWindowRect(a, &arrows);
      MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&arrows), 2);
    }
    for (int i = 0; i < 6; ++i) {
      const POINT at = FreeEdge(side.position, TabRect(w, i));
      if (PtInRect(&arrows, at)) continue;
      EXPECT_EQ(PixelAt(w, at.x, at.y), i == 1 ? kSelOuter : kTabOuter) << "tab " << i;
    }
    DestroyWindow(w);
    list.FreeDead();
  }
}

TEST_F(SkinTabTest, StripLeavesTheScrollArrowsUncovered) {
  HWND w = BareTabs(0, 120, 100);
  HWND arrows = FindWindowExW(w, nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(arrows, nullptr) << "six tabs do not fit 120 pixels";
  ASSERT_TRUE(IsWindowVisible(arrows));
  auto* skin = dynamic_cast<TSkinTab*>(list.FindByHandle(w));
  ASSERT_NE(skin, nullptr);
  RECT wr, ar;
  GetWindowRect(w, &wr);
  GetWindowRect(arrows, &ar);
  OffsetRect(&ar, -wr.left, -wr.top);
  // Painted into a DC that does not leave the child out by itself.
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(wr.right - wr.left, wr.bottom - wr.top);
  const TColor mark = Rgb(1, 2, 3);
  FillRectColor(target.CanvasDC(), RECT{0, 0, target.GetWidth(), target.GetHeight()}, mark);
  skin->PaintWindow(target.CanvasDC());
  EXPECT_EQ(target.GetPixel((ar.left + ar.right) / 2, ar.top + 2), mark);
  const RECT t = TabRect(w, 0);
  EXPECT_EQ(target.GetPixel(t.left + 5, t.top + 2), kSelOuter) << "the first tab has the focus";

  // The arrows' skin belongs to the tab skin: the sweep that frees it with its
  // window leaves no stale pointer, and arrows made again are skinned again.
  ASSERT_NE(skin->FUpDown, nullptr);
  EXPECT_EQ(skin->FUpDown->Handle(), arrows);
  EXPECT_EQ(skin->FUpDown->Owner(), skin);
  DestroyWindow(arrows);
  list.FreeDead();
  EXPECT_EQ(skin->FUpDown, nullptr);
  HWND again = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, ar.left, ar.top,
                               ar.right - ar.left, ar.bottom - ar.top, w, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(again, nullptr);
  PixelAt(w, 0, 0);
  ASSERT_NE(skin->FUpDown, nullptr);
  EXPECT_EQ(skin->FUpDown->Handle(), again);
  EXPECT_EQ(list.FindByHandle(again), skin->FUpDown);
  EXPECT_EQ(SendMessageW(again, SM_ISSKINNED, 0, 0), 1);
  // The tab window gone: its skin and the arrows' are freed once each.
  DestroyWindow(w);
  list.FreeDead();
  EXPECT_EQ(list.FindByHandle(again), nullptr);
}

TEST_F(SkinTabTest, TabImageLeftOfItsCentredText) {
  HWND w = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 20, 20, 300, 120, parent->Handle(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  HIMAGELIST images = OneImageList(Rgb(250, 0, 0));
  SendMessageW(w, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  const wchar_t* names[] = {L"With image", L"Without"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(names[i]);
    item.iImage = i == 0 ? 0 : -1;
    SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  dispatcher->SkinChildWindow(w);
  ASSERT_NE(list.FindByHandle(w), nullptr);
  // The red columns of each tab's middle row.
  auto redColumns = [&](int i) {
    const RECT t = TabRect(w, i);
    PixelAt(w, 0, 0);
    HDC dc = GetDC(w);
    std::vector<int> xs;
    for (int x = t.left; x < t.right; ++x)
      if (static_cast<TColor>(GetPixel(dc, x, (t.top + t.bottom) / 2 + 1)) == Rgb(250, 0, 0)) xs.push_back(x);
    ReleaseDC(w, dc);
    return xs;
  };
  const std::vector<int> first = redColumns(0);
  ASSERT_EQ(first.size(), 16u) << "the whole image, once";
  const RECT t = TabRect(w, 0);
  EXPECT_GT(first.front(), t.left + 2);
  EXPECT_LT(first.back(), (t.left + t.right) / 2) << "left of the centred text";
  EXPECT_TRUE(redColumns(1).empty());
  DestroyWindow(w);
  ImageList_Destroy(images);
}

TEST_F(SkinTabTest, ToolkitTabsThroughSkin3rdAndSkinsLackingObjects) {
  auto* tabs = Make<TTabControl>(10, 10, 300, 150, parent);
  tabs->SetTabsList({"Alpha", "Beta"});
  data->Skin3rd = {"TTabControl=tab"};
  dispatcher->SkinControl(tabs, form);
  auto* skin = dynamic_cast<TSkinTab*>(list.FindByControl(tabs));
  ASSERT_NE(skin, nullptr);
  HWND w = tabs->Handle();
  const RECT t = TabRect(w, 0), p = Pane(w);
  EXPECT_EQ(PixelAt(w, t.left + 5, t.top + 2), kTabOuter);

  // The pane from TabPane when Tabs says so; none when TabPane is missing.
  data->Tabs->Style = 1;
  data->TabPane = PlainObject<TDataSkinObject>({Rgb(90, 60, 30)}, 20, 20);
  skin->SkinChanged();
  EXPECT_EQ(PixelAt(w, (p.left + p.right) / 2, (p.top + p.bottom) / 2), Rgb(90, 60, 30));
  data->TabPane.reset();
  skin->SkinChanged();
  EXPECT_NE(PixelAt(w, (p.left + p.right) / 2, (p.top + p.bottom) / 2), Rgb(90, 60, 30));
  EXPECT_EQ(PixelAt(w, t.left + 5, t.top + 2), kTabOuter);

  // No Tabs at all: the control draws its own tabs, nothing of the old skin stays.
  data->Tabs.reset();
  skin->SkinChanged();
  EXPECT_TRUE(skin->FTabsBitmap->Empty());
  EXPECT_TRUE(skin->FPaneBitmap->Empty());
  const TColor own = PixelAt(w, t.left + 5, t.top + 2);
  EXPECT_NE(own, kTabOuter);
  EXPECT_NE(own, kTabInner);
}

TEST_F(SkinTabTest, OldStyleTabSetLeavesOutATabThatDoesNotFit) {
  auto* set = Make<TTabSet>(10, 10, 200, 24, parent);
  set->SetTabsList({"Short", "A caption far too long to fit here at all", "B"});
  set->SetTabIndex(2);
  dispatcher->SkinFormControls(form);
  auto* skin = dynamic_cast<TSkinTab31*>(list.FindByControl(set));
  ASSERT_NE(skin, nullptr);
  HWND w = set->Handle();
  HDC dc = GetDC(w);
  const std::vector<TTabSet::TShownTab> shown = set->ShownTabs(dc, set->ClientWidth(), set->ClientHeight());
  ReleaseDC(w, dc);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].Index, 0);
  EXPECT_EQ(shown[1].Index, 2) << "the shorter tab after the long one";
  EXPECT_EQ(shown[0].Rect.left, 5);
  // The Tabs image upside down: the outer band at the bottom.
  EXPECT_EQ(PixelAt(w, shown[0].Rect.left + 2, set->ClientHeight() - 2), kTabOuter);
  EXPECT_EQ(PixelAt(w, shown[0].Rect.left + 2, 1), kTabInner);
  EXPECT_EQ(PixelAt(w, shown[1].Rect.left + 2, set->ClientHeight() - 2), kSelOuter) << "the selected tab";
  EXPECT_EQ(PixelAt(w, 2, 10), kFace);
  EXPECT_EQ(PixelAt(w, shown[1].Rect.right + 2, set->ClientHeight() - 2), kFace) << "no tab after the two";
  EXPECT_EQ(PixelAt(w, set->ClientWidth() - 3, set->ClientHeight() - 2), kFace) << "the long tab is not drawn";

  // Without Tabs the set draws itself.
  data->Tabs.reset();
  skin->SkinChanged();
  const TColor own = PixelAt(w, shown[0].Rect.left + 2, set->ClientHeight() - 2);
  EXPECT_NE(own, kTabOuter);
  EXPECT_NE(own, kFace);
}

TEST_F(SkinTabTest, AHiddenTabSetIsSkinnedWhenItsWindowIsMade) {
  auto* set = new TTabSet(form);
  set->SetVisible(false);
  set->SetParent(parent);
  set->SetBounds(10, 10, 200, 24);
  set->SetTabsList({"Short", "B"});
  set->SetTabIndex(0);
  dispatcher->SkinFormControls(form);
  auto* skin = dynamic_cast<TSkinTab31*>(list.FindByControl(set));
  ASSERT_NE(skin, nullptr);
  EXPECT_FALSE(set->HandleAllocated()) << "skinning makes no window";
  const int skinned = list.Count();
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.Count(), skinned) << "skinned once";

  set->SetVisible(true);
  Pump();
  HWND w = set->HandleOrNull();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(skin->Handle(), w);
  EXPECT_EQ(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(skin->ControlHooked()) << "the window's procedure is taken over, not the WindowProc";
  EXPECT_EQ(PixelAt(w, 7, set->ClientHeight() - 2), kSelOuter) << "the first tab, selected";
  EXPECT_EQ(PixelAt(w, 7, 1), kSelInner);
}

// Tabs as buttons and tab sheets: only the skin-control event reaches them.
struct SkinTabEventTest : SkinTabTest {
  void SetUp() override {
    SkinTabTest::SetUp();
    data->Buttons = PlainObject<TDataSkinButton>({kNormalButton, kPressedButton, Rgb(9, 9, 9)}, 16, 16);
    data->OnSkinControl = [](TComponent*, TSkinData*, TControl*, TControl* control, const std::string& name,
                             TComponent*& skinned) {
      if (name == "TTABCONTROL" && GetEnumPropByName(control, "Style") == "tsButtons")
        skinned = new TSkinTabBtn(control);
      if (name == "TTABSHEET") skinned = new TSkinTabSheet(control);
      if (name == "TSTATUSBAR") skinned = new TSkinStatusBar(control);
    };
  }
  static constexpr TColor kNormalButton = Rgb(60, 160, 60), kPressedButton = Rgb(160, 60, 160);
};

TEST_F(SkinTabEventTest, ButtonTabsAndSheetsThroughTheEvent) {
  auto* plain = Make<TTabControl>(10, 10, 250, 120, parent);
  plain->SetTabsList({"A", "B"});
  auto* buttons = Make<TTabControl>(10, 140, 250, 120, parent);
  buttons->SetStyle(TTabStyle::tsButtons);
  buttons->SetTabsList({"One", "Two", "Three"});
  auto* sheet = Make<TTabSheet>(280, 10, 200, 120, parent);
  auto* label = Make<TLabel>(10, 10, 60, 20, sheet);
  label->SetCaption("on the sheet");
  dispatcher->SkinFormControls(form);
  EXPECT_EQ(list.FindByControl(plain), nullptr) << "a plain tab control needs a Skin3rd line";
  ASSERT_NE(dynamic_cast<TSkinTabBtn*>(list.FindByControl(buttons)), nullptr);
  ASSERT_NE(dynamic_cast<TSkinTabSheet*>(list.FindByControl(sheet)), nullptr);

  HWND w = buttons->Handle();
  SendMessageW(w, TCM_SETCURFOCUS, 2, 0);
  const RECT a = TabRect(w, 0), c = TabRect(w, 2);
  EXPECT_EQ(PixelAt(w, a.left + 3, a.top + 3), kNormalButton);
  EXPECT_EQ(PixelAt(w, c.left + 3, c.top + 3), kPressedButton) << "the focused tab pressed";
  EXPECT_EQ(PixelAt(sheet->Handle(), 150, 100), kFace);
  EXPECT_NE(PixelAt(sheet->Handle(), 150, 100), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));

  // Without the button image the control draws its own buttons.
  data->Buttons.reset();
  const TColor own = PixelAt(w, a.left + 3, a.top + 3);
  EXPECT_NE(own, kNormalButton);
  EXPECT_NE(own, kPressedButton);
}

// The program's skin on a form with tabs on two sides, a tab sheet, a check
// list, a list view and a status bar.
TEST_F(SkinFamilyTest, ScreenshotOfListsTabsAndStatusBarWithTheProgramsSkin) {
  data = std::make_unique<TSkinData>(nullptr);
  data->ReadSkinStream(EmbeddedSkinStream());
  ASSERT_TRUE(data->Tabs && data->Tabs->HasImage());
  dispatcher = std::make_unique<TSkinDispatcher>(data.get(), &list, &canvas, frameOwner.get());
  data->Skin3rd = {"TTabControl=tab"};
  data->OnSkinControl = [](TComponent*, TSkinData*, TControl*, TControl* control, const std::string& name,
                           TComponent*& skinned) {
    if (name == "TTABSHEET") skinned = new TSkinTabSheet(control);
    if (name == "TSTATUSBAR") skinned = new TSkinStatusBar(control);
  };
  form->SetColor(data->Colors[scButtonFace]);
  auto* top = Make<TTabControl>(10, 10, 300, 180);
  top->SetTabsList({"练习", "成绩", "设置"});
  top->SetTabIndex(1);
  auto* sheet = Make<TTabSheet>(10, 40, 280, 130, top);
  auto* checks = Make<TCheckListBox>(10, 10, 150, 90, sheet);
  checks->Items()->Add("键盘声音");
  checks->Items()->Add("背景音乐");
  checks->Items()->Add("读音");
  checks->SetChecked(0, true);
  checks->SetState(2, TCheckBoxState::cbGrayed);
  auto* bottom = Make<TTabControl>(320, 10, 300, 180);
  bottom->SetTabPosition(TTabPosition::tpBottom);
  bottom->SetTabsList({"Top", "Bottom"});
  auto* left = Make<TTabControl>(10, 200, 300, 150);
  left->SetTabPosition(TTabPosition::tpLeft);
  left->SetTabsList({"L1", "L2"});
  auto* right = Make<TTabControl>(320, 200, 150, 150);
  right->SetTabPosition(TTabPosition::tpRight);
  right->SetTabsList({"R1", "R2"});
  auto* lv = Make<TListView>(480, 200, 150, 150);
  lv->SetViewStyle(TViewStyle::vsReport);
  lv->Columns()->Add()->SetCaption("用户");
  lv->Columns()->Add()->SetCaption("速度");
  auto* set = Make<TTabSet>(10, 360, 300, 24);
  set->SetTabsList({"旧式", "标签", "一组"});
  set->SetTabIndex(0);
  auto* bar = Make<TStatusBar>(0, 0, 640, 22);
  bar->AddPanel()->SetText("就绪");
  bar->Panels(0)->SetWidth(200);
  bar->AddPanel()->SetText("速度 0");
  form->Show();
  dispatcher->SkinFormControls(form);
  EXPECT_NE(list.FindByControl(top), nullptr);
  EXPECT_NE(list.FindByControl(sheet), nullptr);
  EXPECT_NE(list.FindByControl(checks), nullptr);
  EXPECT_NE(list.FindByControl(lv), nullptr);
  EXPECT_NE(list.FindByControl(bar), nullptr);
  EXPECT_NE(list.FindByControl(set), nullptr);
  EXPECT_TRUE(ShootForm("skin_lists_tabs.bmp"));
  // The status bar's first panel lies in the lowered frame of the skin's edges.
  RECT panel{};
  SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
  TBitmap& edges = *data->StatusBarEdges->Bitmap;
  EXPECT_EQ(PixelAt(bar->Handle(), panel.left, panel.top), edges.GetPixel(0, 0));
  EXPECT_EQ(PixelAt(bar->Handle(), 100, panel.top), edges.GetPixel(6, 0));
}

}  // namespace
