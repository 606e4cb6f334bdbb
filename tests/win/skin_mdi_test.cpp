// A skinned MDI frame: a bare Win32 frame window with an "MDIClient" child and
// MDI children made with WM_MDICREATE; and the attach step that switches a
// form's AutoScroll off when menu items are skinned.
#include <gtest/gtest.h>

#include <windows.h>

#include "app_support.h"
#include "services_pump.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"
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

struct SkinMdiTest : ::testing::Test {
  void SetUp() override {
    FreshApplication();
    SetExceptionReport([this](const std::string& m) { reports.push_back(m); });
    RegisterMdiClasses();
    data = new TSkinData(nullptr);
    MakeFrameSkin(*data);
    data->SetActive(true);
    data->Loaded();
  }
  void TearDown() override {
    if (frameWindow && IsWindow(frameWindow)) DestroyWindow(frameWindow);
    delete data;
    EXPECT_EQ(SkinManager(), nullptr);
    EXPECT_TRUE(reports.empty()) << reports.front();
  }
  // The frame with its client (scroll bars asked for), shown and skinned.
  TWinSkinForm* ShowFrame() {
    frameWindow = CreateWindowExW(0, L"TestMdiFrame", L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 520, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    TWinSkinForm* frame = nullptr;
    PumpUntil([&] {
      frame = SkinManager() ? SkinManager()->FormOfWindow(w) : nullptr;
      return frame && frame->SkinState == 1;
    }, 3000);
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
  static TColor PixelAt(HWND w, int x, int y) {
    HDC dc = GetWindowDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return static_cast<TColor>(c);
  }
  TSkinData* data = nullptr;
  HWND frameWindow = nullptr, client = nullptr;
  LONG_PTR originalClientProc = 0;
  std::vector<std::string> reports;
};

TEST_F(SkinMdiTest, FrameHooksItsClientDropsItsScrollBarsAndRepaintsOn3516) {
  TWinSkinForm* frame = ShowFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FormKind, 1);
  EXPECT_EQ(frame->MDIClient, client);
  EXPECT_TRUE(frame->MDIClientHooked());
  EXPECT_NE(GetWindowLongPtrW(client, GWLP_WNDPROC), originalClientProc);
  EXPECT_EQ(SkinManager()->MDIClientHandle, client);
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
  EXPECT_EQ(childFrame->FormKind, 2);
  EXPECT_EQ(SendMessageW(child, SM_ISSKINNED, 0, 0), 1);
  // A normal child has the skin's frame round its client area.
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  RECT cr{};
  GetWindowRect(child, &cr);
  EXPECT_EQ(origin.x - cr.left, kSide);
  EXPECT_EQ(origin.y - cr.top, childFrame->FrameTop + childFrame->MenuBarHeight);

  TSkinManage* mgr = SkinManager();
  childFrame->ToggleMaximize();
  PumpFor(100);
  EXPECT_TRUE(mgr->MDIChildMaximized);
  SendMessageW(client, WM_MDICASCADE, 0, 0);
  EXPECT_FALSE(mgr->MDIChildMaximized);

  childFrame->ToggleMaximize();
  PumpFor(100);
  ASSERT_TRUE(mgr->MDIChildMaximized);
  SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(50);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(mgr->MDIChildMaximized);
  EXPECT_TRUE(data->MenuUpdate);  // the last child gone
}

TEST_F(SkinMdiTest, DetachAndDestroyGiveTheClientBackAndLeaveNothingToPostTo) {
  TWinSkinForm* frame = ShowFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->MDIClientHooked());
  data->SetActive(false);  // the manager unskins every window
  PumpUntil([&] { return SkinManager()->FormOfWindow(frameWindow) == nullptr; }, 3000);
  EXPECT_EQ(GetWindowLongPtrW(client, GWLP_WNDPROC), originalClientProc);
  EXPECT_EQ(SkinManager()->MDIClientHandle, nullptr);

  DestroyWindow(frameWindow);
  data->SetActive(true);
  PumpFor(400);
  frame = ShowFrame();  // a new frame and client
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(SkinManager()->MDIClientHandle, client);
  HWND child = NewChild(L"Child");
  ASSERT_NE(WaitSkinned(child), nullptr);
  DestroyWindow(frameWindow);
  PumpFor(100);
  // The client went with its frame: a child skinned later posts nowhere.
  EXPECT_EQ(SkinManager()->MDIClientHandle, nullptr);
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
