// A skinned MDI frame: a bare Win32 frame window with an "MDIClient" child and
// MDI children made with WM_MDICREATE; its menu bar after the client changes
// the menu and with a maximised child; and the attach step that switches a
// form's AutoScroll off when menu items are skinned.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>

#include "app_support.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/messages.h"
#include "skin_support_frame.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"

using namespace frame_skin;

namespace {

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  HWND client = FindWindowExW(w, nullptr, L"MDIClient", nullptr);
  return DefFrameProcW(w, client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcW(w, msg, wp, lp); }

void RegisterMdiClasses() {
  static bool done = [] {
    WNDCLASSW c{};
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    c.lpfnWndProc = FrameProc;
    c.lpszClassName = L"TestMdiFrame";
    RegisterClassW(&c);
    c.lpfnWndProc = ChildProc;
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = L"TestMdiChild";
    RegisterClassW(&c);
    return true;
  }();
  (void)done;
}

struct SkinMdiTest : FrameSkinFixture {
  void SetUp() override {
    RegisterMdiClasses();
    FrameSkinFixture::SetUp();
  }
  void TearDown() override {
    if (frameWindow && IsWindow(frameWindow)) DestroyWindow(frameWindow);
    FrameSkinFixture::TearDown();
  }
  // The frame with its client (scroll bars asked for), shown and skinned.
  TWinSkinForm* ShowFrame(HMENU menu = nullptr, DWORD exStyle = 0) {
    frameWindow = CreateWindowExW(exStyle, L"TestMdiFrame", L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 520,
                                  400, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 1000;
    client = CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                             0, 0, 400, 300, frameWindow, nullptr, GetModuleHandleW(nullptr), &ccs);
    originalClientProc = GetWindowLongPtrW(client, GWLP_WNDPROC);
    ShowWindow(frameWindow, SW_SHOW);
    SetForegroundWindow(frameWindow);
    return WaitSkinned(frameWindow);
  }
  static TWinSkinForm* WaitSkinned(HWND w) {
    TWinSkinForm* frame = WaitForSkinnedFrame(w);
    PumpFor(50);
    return frame;
  }
  HWND NewChild(const wchar_t* title) {
    MDICREATESTRUCTW mcs{};
    mcs.szClass = L"TestMdiChild";
    mcs.szTitle = title;
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = 10;
    mcs.cx = 200;
    mcs.cy = 150;
    mcs.style = WS_OVERLAPPEDWINDOW;
    return reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  }
  HWND frameWindow = nullptr, client = nullptr;
  LONG_PTR originalClientProc = 0;
};

HMENU BarMenu(std::initializer_list<const wchar_t*> captions) {
  HMENU menu = CreateMenu();
  for (const wchar_t* c : captions) AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), c);
  return menu;
}

// Does the window's rect hold a pixel of the colour?
bool Shows(HWND w, const RECT& r, TColor colour) {
  HDC dc = GetWindowDC(w);
  bool found = false;
  for (int y = r.top; y < r.bottom && !found; ++y)
    for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == static_cast<COLORREF>(colour);
  ReleaseDC(w, dc);
  return found;
}

constexpr TColor kBarText = Rgb(250, 250, 250), kBarFace = Rgb(30, 60, 90);
// The MDI buttons (minimise, restore, close) and their normal frames; each has a see-through top-left pixel.
constexpr int kMdiX[3] = {60, 40, 20};
constexpr TColor kMdiFace[3] = {Rgb(10, 200, 120), Rgb(120, 10, 200), Rgb(200, 120, 10)};

void AddMdiButtons(TSkinData& data) {
  const int actions[3] = {2, 1, 0};
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Action = actions[i];
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->Xcoord = kMdiX[i];
    b->FrameCount = 4;
    Strip(*b->Bitmap, 16, 14, 4, false);
    for (int f = 0; f < 4; ++f) {
      Fill(*b->Bitmap, f * 16, 0, 16, 14, f == 0 ? kMdiFace[i] : kPressed);
      b->Bitmap->SetPixel(f * 16, 0, kKey);
    }
    data.CaptionButtons.push_back(std::move(b));
  }
  data.Colors[scMenubar] = kBarFace;
  data.Colors[scMenuBarText] = kBarText;
}

TEST_F(SkinMdiTest, NewFrameMenuFromTheClientBecomesTheBar) {
  data->Colors[scMenuBarText] = kBarText;
  HMENU original = BarMenu({L"&File", L"&Window"});
  TWinSkinForm* frame = ShowFrame(original);
  ASSERT_NE(frame, nullptr);
  const TWinSkinMenu* bar = frame->MenuBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->ButtonCount(), 2);
  RECT wr{};
  GetWindowRect(frameWindow, &wr);
  // Where a third item would be: nothing written there yet.
  RECT third{bar->Button(1)->BoundsRect.right + 1, frame->Metrics().Top, wr.right - wr.left - frame->Metrics().Right,
             frame->Metrics().Top + frame->Metrics().MenuBar};
  ASSERT_FALSE(Shows(frameWindow, third, kBarText));

  HMENU other = BarMenu({L"&Alpha", L"&Beta", L"&Gamma", L"&Delta"});
  SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(other), 0);
  EXPECT_EQ(GetMenu(frameWindow), nullptr);
  ASSERT_EQ(bar->ButtonCount(), 4);
  EXPECT_EQ(bar->Button(2)->Caption, "&Gamma");
  // Laid out at once, before any paint.
  EXPECT_EQ(bar->Button(1)->BoundsRect.left, bar->Button(0)->BoundsRect.right);
  EXPECT_GT(bar->Button(3)->BoundsRect.left, bar->Button(2)->BoundsRect.left);
  PumpFor(100);
  EXPECT_TRUE(Shows(frameWindow, third, kBarText));
  TMenuBtn* gamma = bar->ItemAtPoint(POINT{bar->Button(2)->BoundsRect.left + 2, frame->Metrics().Top + 3});
  ASSERT_NE(gamma, nullptr);
  EXPECT_EQ(gamma->Caption, "&Gamma");

  // The first menu again.
  SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(original), 0);
  ASSERT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(bar->Button(1)->Caption, "&Window");
  PumpFor(100);
  EXPECT_FALSE(Shows(frameWindow, third, kBarText));
  DestroyMenu(other);
}

TEST_F(SkinMdiTest, MaximisedChildPutsItsButtonsOnTheBarUntilRestored) {
  AddMdiButtons(*data);
  TWinSkinForm* frame = ShowFrame(BarMenu({L"&File", L"&Window"}));
  ASSERT_NE(frame, nullptr);
  HWND child = NewChild(L"Child");
  ASSERT_NE(WaitSkinned(child), nullptr);
  PumpFor(100);
  RECT wr{};
  GetWindowRect(frameWindow, &wr);
  const int W = wr.right - wr.left;
  auto placeOf = [&](int i) {
    int x = W - kMdiX[i] - frame->Metrics().Right, y = frame->Metrics().Top + (frame->Metrics().MenuBar - 14) / 2;
    return RECT{x, y, x + 16, y + 14};
  };
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Shows(frameWindow, placeOf(i), kMdiFace[i])) << i;

  TSkinManage* mgr = SkinManager();
  ASSERT_FALSE(mgr->MDIChildMaximized());
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(150);
  for (int i = 0; i < 3; ++i) {
    RECT r = placeOf(i);
    EXPECT_EQ(PixelAt(frameWindow, r.left + 8, r.top + 7), kMdiFace[i]) << i;
    EXPECT_EQ(PixelAt(frameWindow, r.left, r.top), kBarFace) << i;  // the see-through corner
  }
  EXPECT_TRUE(mgr->MDIChildMaximized());  // the bar told the manager
  // Hovered, a button is drawn again over the bar (not over the caption band).
  const RECT close = placeOf(2);
  SendMessageW(frameWindow, WM_NCMOUSEMOVE, HTMENU, MAKELPARAM(wr.left + close.left + 8, wr.top + close.top + 7));
  EXPECT_EQ(PixelAt(frameWindow, close.left + 8, close.top + 7), kPressed);
  EXPECT_EQ(PixelAt(frameWindow, close.left, close.top), kBarFace);
  SaveWindowShot(frameWindow, ArtefactFolder() + "skin_mdi_bar_maximised.bmp");

  SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(150);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Shows(frameWindow, placeOf(i), kMdiFace[i])) << i;
}

TEST_F(SkinMdiTest, RightToLeftBarItemsKeepClearOfTheMdiButtons) {
  AddMdiButtons(*data);
  TWinSkinForm* frame = ShowFrame(BarMenu({L"&File", L"&Window"}), WS_EX_LEFTSCROLLBAR);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->Traits().RightToLeft);
  TWinSkinMenu* bar = frame->MenuBar();
  ASSERT_NE(bar, nullptr);
  RECT wr{};
  GetWindowRect(frameWindow, &wr);
  const int stripRight = wr.right - wr.left - frame->Metrics().Right;
  bar->Layout();
  EXPECT_EQ(bar->Button(0)->BoundsRect.right, stripRight - 6);  // no MenuBar object: inset 6
  EXPECT_GT(bar->Button(0)->BoundsRect.left, bar->Button(1)->BoundsRect.left);

  HWND child = NewChild(L"Child");
  ASSERT_NE(WaitSkinned(child), nullptr);
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(150);
  const int leftmostMdi = stripRight - kMdiX[0];
  const RECT painted = bar->Button(0)->BoundsRect;
  EXPECT_EQ(painted.right, leftmostMdi - 5);
  bar->Layout();  // the layout agrees with the paint
  EXPECT_EQ(bar->Button(0)->BoundsRect.right, painted.right);
  EXPECT_EQ(bar->Button(0)->BoundsRect.left, painted.left);
}

TEST_F(SkinMdiTest, FrameHooksItsClientDropsItsScrollBarsAndRepaintsOn3516) {
  TWinSkinForm* frame = ShowFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Traits().Kind, TFormKind::MDIFrame);
  EXPECT_EQ(frame->MDIClient(), client);
  EXPECT_TRUE(frame->MDIClientHooked());
  EXPECT_NE(GetWindowLongPtrW(client, GWLP_WNDPROC), originalClientProc);
  EXPECT_EQ(SkinManager()->MDIClient(), client);
  SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(GetWindowLongW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

  // Something else drew over the frame; 0x3516 to the client has the skin's frame drawn again.
  RECT r{};
  GetWindowRect(frameWindow, &r);
  const int H = r.bottom - r.top;
  HDC dc = GetWindowDC(frameWindow);
  RECT left{0, 0, kSide, H};
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(frameWindow, dc);
  ASSERT_EQ(PixelAt(frameWindow, 1, H / 2), 0u);
  PostMessageW(client, SM_REPAINTMDIFRAME, 0, 0);
  PumpFor(100);
  EXPECT_EQ(PixelAt(frameWindow, 1, H / 2), kLeft[0]);
}

TEST_F(SkinMdiTest, ChildrenAreSkinnedAndMaximisedStateFollowsCascadeAndDestroy) {
  ASSERT_NE(ShowFrame(), nullptr);
  ASSERT_TRUE(data->MenuUpdate);
  HWND child = NewChild(L"Child one");
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(data->MenuUpdate);  // children bring their own menus
  TWinSkinForm* childFrame = WaitSkinned(child);
  ASSERT_NE(childFrame, nullptr);
  EXPECT_EQ(childFrame->Traits().Kind, TFormKind::MDIChild);
  EXPECT_EQ(SendMessageW(child, SM_ISSKINNED, 0, 0), 1);
  // A normal child has the skin's frame round its client area.
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  RECT cr{};
  GetWindowRect(child, &cr);
  EXPECT_EQ(origin.x - cr.left, kSide);
  EXPECT_EQ(origin.y - cr.top, childFrame->Metrics().Top + childFrame->Metrics().MenuBar);

  TSkinManage* mgr = SkinManager();
  childFrame->ToggleMaximize();
  PumpFor(100);
  EXPECT_TRUE(mgr->MDIChildMaximized());
  SendMessageW(client, WM_MDICASCADE, 0, 0);
  EXPECT_FALSE(mgr->MDIChildMaximized());

  childFrame->ToggleMaximize();
  PumpFor(100);
  ASSERT_TRUE(mgr->MDIChildMaximized());
  SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(50);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(mgr->MDIChildMaximized());
  EXPECT_TRUE(data->MenuUpdate);  // the last child gone
}

TEST_F(SkinMdiTest, DetachAndDestroyGiveTheClientBackAndLeaveNothingToPostTo) {
  TWinSkinForm* frame = ShowFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->MDIClientHooked());
  data->SetActive(false);  // the manager unskins every window
  PumpUntil([&] { return SkinManager()->FormOfWindow(frameWindow) == nullptr; }, 3000);
  EXPECT_EQ(GetWindowLongPtrW(client, GWLP_WNDPROC), originalClientProc);
  EXPECT_EQ(SkinManager()->MDIClient(), nullptr);

  DestroyWindow(frameWindow);
  data->SetActive(true);
  PumpFor(400);
  frame = ShowFrame();  // a new frame and client
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinManager()->MDIClient(), client);
  HWND child = NewChild(L"Child");
  ASSERT_NE(WaitSkinned(child), nullptr);
  DestroyWindow(frameWindow);
  PumpFor(100);
  // The client went with its frame: a child skinned later posts nowhere.
  EXPECT_EQ(SkinManager()->MDIClient(), nullptr);
}

// A form class with the published property the attach step switches off.
class TScrollingForm : public TForm {
  TK_CLASS(TScrollingForm)
public:
  using TForm::TForm;
  bool GetAutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v) { autoScroll_ = v; }

private:
  bool autoScroll_ = true;
};

const TClassInfo& TScrollingForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TScrollingForm>("TScrollingForm", &TForm::StaticClass())
                                     .Prop("AutoScroll", &TScrollingForm::GetAutoScroll, &TScrollingForm::SetAutoScroll)
                                     .Build();
  return info;
}

TEST_F(SkinMdiTest, SkinnedMenuItemsSwitchAFormsAutoScrollOffByName) {
  auto showSkinned = [&](TForm* f) {
    f->SetBounds(60, 60, 300, 200);
    f->Show();
    return WaitSkinned(f->Handle());
  };
  auto* plain = new TScrollingForm(Application);
  ASSERT_NE(showSkinned(plain), nullptr);
  EXPECT_TRUE(plain->GetAutoScroll());  // without skinned menu items the form scrolls as before
  delete plain;

  data->SkinControls |= SetOf(xcMenuItem);
  auto* scrolling = new TScrollingForm(Application);
  ASSERT_NE(showSkinned(scrolling), nullptr);
  EXPECT_FALSE(scrolling->GetAutoScroll());
  // A form class without the property is skinned as any other.
  auto* bare = new TForm(Application);
  EXPECT_NE(showSkinned(bare), nullptr);
  delete bare;
  delete scrolling;
}

}  // namespace
