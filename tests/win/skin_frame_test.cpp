// The skinned frame in a real window: attach, completion, filter, region,
// painted pixels, caption buttons, style switches and detach.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app_support.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin_support_frame.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/timer.h"

using namespace frame_skin;

namespace {

struct SkinFrameTest : FrameSkinFixture {
  // A button press and release as the system posts them, at window coordinates.
  static void NcClick(HWND w, POINT down, POINT up) {
    RECT r = WindowRectOf(w);
    PostMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + down.x, r.top + down.y));
    PostMessageW(w, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(r.left + up.x, r.top + up.y));
    PumpFor(100);
  }
  static POINT ButtonCentre(HWND w, int index) {
    RECT r = WindowRectOf(w);
    return POINT{(r.right - r.left) - kButtonX[index] + kButtonW / 2, 6 + kButtonH / 2};
  }
};

TEST_F(SkinFrameTest, CompletedFrameHoldsTheClientInsideTheSkinFrame) {
  TForm* f = NewForm(40, 40, 400, 260);
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  EXPECT_EQ(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
  POINT origin = ClientOrigin(w);
  EXPECT_EQ(origin.x, kSide);
  EXPECT_EQ(origin.y, kCaption);
  RECT c{}, r = WindowRectOf(w);
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 400);
  EXPECT_EQ(c.bottom, 260);
  EXPECT_EQ(r.right - r.left, 400 + 2 * kSide);
  EXPECT_EQ(r.bottom - r.top, 260 + kCaption + kSide);
  // Activated again: still one frame.
  SkinManager()->SkinWindow(w);
  int count = 0;
  for (TWinSkinForm* x : SkinManager()->Forms()) count += x->Window() == w;
  EXPECT_EQ(count, 1);
}

TEST_F(SkinFrameTest, FilterRefusesTag99ZeroSizeAndOtherModulesButTakesDialogBoxes) {
  TForm* tagged = NewForm(40, 40, 200, 100);
  tagged->SetTag(99);
  tagged->Show();
  PumpFor(100);
  EXPECT_EQ(SkinManager()->FormOfWindow(tagged->Handle()), nullptr);
  EXPECT_NE(SendMessageW(tagged->Handle(), SM_ISSKINNED, 0, 0), 1);

  HINSTANCE own = GetModuleHandleW(nullptr), other = GetModuleHandleW(L"kernel32.dll");
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  HWND empty = CreateWindowExW(0, L"STATIC", L"", style, 10, 10, 0, 0, nullptr, nullptr, own, nullptr);
  HWND foreign = CreateWindowExW(0, L"STATIC", L"", style, 10, 10, 200, 100, nullptr, nullptr, other, nullptr);
  HWND dialog = CreateWindowExW(0, L"#32770", L"Box", style, 10, 10, 200, 100, nullptr, nullptr, other, nullptr);
  ASSERT_TRUE(empty && foreign && dialog);
  EXPECT_FALSE(SkinManager()->SkinWindow(empty));
  EXPECT_FALSE(SkinManager()->SkinWindow(foreign));
  EXPECT_TRUE(SkinManager()->SkinWindow(dialog));
  EXPECT_EQ(SendMessageW(dialog, SM_ISSKINNED, 0, 0), 1);
  PumpFor(50);
  TWinSkinForm* frame = SkinManager()->FormOfWindow(dialog);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->Traits().Dialog);
  EXPECT_EQ(frame->Traits().Border, TBorderKind::Dialog);
  for (HWND w : {empty, foreign, dialog}) DestroyWindow(w);
  PumpFor(20);
}

// A dialog frame needs no caption of its own: a dialog box class or a modal
// dialog frame is given the skin's dialog frame.
TEST_F(SkinFrameTest, WindowsWithoutCaptionGetTheDialogFrameFromTheirClassOrExtendedStyle) {
  const DWORD style = WS_POPUP | WS_VISIBLE;
  HWND box = CreateWindowExW(0, L"#32770", L"Box", style, 40, 40, 240, 140, nullptr, nullptr,
                             GetModuleHandleW(L"kernel32.dll"), nullptr);
  HWND modal = CreateWindowExW(WS_EX_DLGMODALFRAME, L"STATIC", L"Modal", style, 320, 40, 240, 140, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(box && modal);
  for (HWND w : {box, modal}) {
    SkinManager()->SkinWindow(w);
    TWinSkinForm* frame = WaitForSkinnedFrame(w);
    ASSERT_NE(frame, nullptr);
    PumpFor(50);
    EXPECT_EQ(frame->Traits().Border, TBorderKind::Dialog);
    EXPECT_EQ(frame->Metrics().Top, kCaption);
    POINT origin = ClientOrigin(w);
    EXPECT_EQ(origin.x, kSide);
    EXPECT_EQ(origin.y, kCaption);
    RECT r = WindowRectOf(w);
    EXPECT_EQ(PixelAt(w, 1, (r.bottom - r.top) / 2), kLeft[frame->Active() ? 0 : 1]);
  }
  SaveWindowShot(box, ArtefactFolder() + "skin_frame_dialog_without_caption.bmp");
  for (HWND w : {box, modal}) DestroyWindow(w);
  PumpFor(20);
  SkinManager()->PurgeDeadForms();
}

TEST_F(SkinFrameTest, RegionCutsTheMagentaCornersAndFollowsResizes) {
  TForm* f = NewForm(40, 40, 300, 200);
  ASSERT_NE(ShowSkinned(f), nullptr);
  HWND w = f->Handle();
  auto inRegion = [&](int x, int y) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    bool has = GetWindowRgn(w, r) != ERROR;
    bool in = has && PtInRegion(r, x, y);
    DeleteObject(r);
    return in;
  };
  RECT r = WindowRectOf(w);
  int W = r.right - r.left, H = r.bottom - r.top;
  EXPECT_FALSE(inRegion(0, 0));
  EXPECT_FALSE(inRegion(1, 0));
  EXPECT_FALSE(inRegion(0, 1));
  EXPECT_FALSE(inRegion(W - 1, 0));
  EXPECT_TRUE(inRegion(2, 0));
  EXPECT_TRUE(inRegion(1, 1));
  EXPECT_TRUE(inRegion(W - 3, 0));
  EXPECT_TRUE(inRegion(0, H - 1));
  EXPECT_TRUE(inRegion(W / 2, H / 2));

  SetWindowPos(w, nullptr, 0, 0, W + 60, H + 40, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(50);
  EXPECT_FALSE(inRegion(W + 59, 0));
  EXPECT_TRUE(inRegion(W + 57, 0));
  EXPECT_TRUE(inRegion(W + 59, H + 39));
  EXPECT_FALSE(inRegion(W + 60, 5));
}

TEST_F(SkinFrameTest, BordersCaptionAndButtonsArePaintedActiveAndInactive) {
  TForm* f = NewForm(40, 40, 400, 260);
  ASSERT_NE(ShowSkinned(f), nullptr);
  HWND w = f->Handle();
  RECT r = WindowRectOf(w);
  const int W = r.right - r.left, H = r.bottom - r.top;
  auto expectFrame = [&](int state) {
    EXPECT_EQ(PixelAt(w, 1, H / 2), kLeft[state]);
    EXPECT_EQ(PixelAt(w, W - 2, H / 2), kRight[state]);
    EXPECT_EQ(PixelAt(w, W / 2, H - 2), kBottom[state]);
    EXPECT_EQ(PixelAt(w, W / 2 - 40, 2), kTop[state]);
    POINT close = ButtonCentre(w, kClose), max = ButtonCentre(w, kMaximize), min = ButtonCentre(w, kMinimize);
    EXPECT_EQ(PixelAt(w, close.x, close.y), state == 0 ? kButtonNormal[kClose] : kInactive);
    EXPECT_EQ(PixelAt(w, max.x, max.y), state == 0 ? kButtonNormal[kMaximize] : kInactive);
    EXPECT_EQ(PixelAt(w, min.x, min.y), state == 0 ? kButtonNormal[kMinimize] : kInactive);
  };
  expectFrame(0);
  TForm* other = NewForm(600, 400, 120, 80);
  other->Show();
  PumpFor(100);
  ASSERT_NE(GetActiveWindow(), w);
  expectFrame(1);
  SaveWindowShot(w, ArtefactFolder() + "skin_frame_inactive.bmp");
  f->BringToForeground();
  PumpFor(100);
  expectFrame(0);
  // The system paints its own caption for a new text, an icon and activation: the skin's comes back.
  f->SetCaption("Another title");
  SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
  SendMessageW(w, WM_NCACTIVATE, TRUE, 0);
  PumpFor(50);
  expectFrame(0);
  EXPECT_EQ(PixelAt(w, W / 2, kCaption / 2), kTop[0]);
  SaveWindowShot(w, ArtefactFolder() + "skin_frame_active.bmp");
}

TEST_F(SkinFrameTest, FramePaintedAfterResizesMatchesAFreshFrameOfThatSize) {
  // One window made larger and then smaller than before: its paints reuse what
  // they kept. Another made at that size once. Both frames, pixel by pixel.
  TForm* a = NewForm(40, 40, 400, 260);
  TWinSkinForm* resized = ShowSkinned(a);
  ASSERT_NE(resized, nullptr);
  RECT r = WindowRectOf(a->Handle());
  const int W = r.right - r.left - 50, H = r.bottom - r.top - 40;
  SetWindowPos(a->Handle(), nullptr, 0, 0, W + 170, H + 130, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(50);
  SetWindowPos(a->Handle(), nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(50);
  TForm* b = NewForm(500, 40, 200, 120);
  TWinSkinForm* fresh = ShowSkinned(b);
  ASSERT_NE(fresh, nullptr);
  SetWindowPos(b->Handle(), nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(50);
  auto framePixels = [&](TWinSkinForm* frame, BYTE active) {
    SendMessageW(frame->Window(), WM_NCACTIVATE, active, 0);  // the look to paint
    auto shot = std::make_unique<TBitmap>();
    shot->SetPixelFormat(TPixelFormat::pf24bit);
    shot->SetSize(W, H);
    frame->PaintFrame(shot->CanvasDC());
    return shot;
  };
  for (BYTE active : {BYTE{1}, BYTE{0}}) {
    auto one = framePixels(resized, active), other = framePixels(fresh, active);
    int differing = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) differing += one->GetPixel(x, y) != other->GetPixel(x, y);
    EXPECT_EQ(differing, 0) << (active ? "active" : "inactive");
    EXPECT_EQ(one->GetPixel(1, H / 2), kLeft[active ? 0 : 1]);
    EXPECT_EQ(one->GetPixel(W - kButtonX[kClose] + kButtonW / 2, 6 + kButtonH / 2),
              active ? kButtonNormal[kClose] : kInactive);
    EXPECT_EQ(one->GetPixel(W / 2, H - 2), kBottom[active ? 0 : 1]);
  }
}

TEST_F(SkinFrameTest, CaptionButtonsMinimiseMaximiseRestoreAndClose) {
  TForm* f = NewForm(40, 40, 400, 260);
  ASSERT_NE(ShowSkinned(f), nullptr);
  HWND w = f->Handle();
  // Pressed on one button and released on another: nothing happens.
  NcClick(w, ButtonCentre(w, kMinimize), ButtonCentre(w, kMaximize));
  EXPECT_FALSE(IsIconic(w));
  EXPECT_FALSE(IsZoomed(w));

  NcClick(w, ButtonCentre(w, kMaximize), ButtonCentre(w, kMaximize));
  EXPECT_TRUE(IsZoomed(w));
  POINT restore = ButtonCentre(w, kRestore);
  EXPECT_EQ(PixelAt(w, restore.x, restore.y), kButtonNormal[kRestore]);
  NcClick(w, restore, restore);
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_EQ(ClientOrigin(w).y, kCaption);

  NcClick(w, ButtonCentre(w, kMinimize), ButtonCentre(w, kMinimize));
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  PumpFor(50);

  bool closed = false;
  f->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  NcClick(w, ButtonCentre(w, kClose), ButtonCentre(w, kClose));
  EXPECT_TRUE(closed);
  EXPECT_FALSE(IsWindowVisible(w));
}

// The frame's 250 ms timer rests while nothing on the frame is hot; a caption
// button under the pointer wakes it, and its ticks still notice the pointer
// leaving without a message.
TEST_F(SkinFrameTest, FrameTimerRestsUntilACaptionButtonIsHot) {
  POINT saved{};
  GetCursorPos(&saved);
  TForm* f = NewForm(40, 40, 400, 260);
  TWinSkinForm* frame = ShowSkinned(f);
  ASSERT_NE(frame, nullptr);
  HWND w = f->Handle();
  PumpFor(400);  // a tick with nothing hot
  EXPECT_FALSE(frame->FrameTimerRunning());

  RECT r = WindowRectOf(w);
  POINT close = ButtonCentre(w, kClose);
  SetCursorPos(r.left + close.x, r.top + close.y);
  SendMessageW(w, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(r.left + close.x, r.top + close.y));
  EXPECT_EQ(PixelAt(w, close.x, close.y), kHot);
  EXPECT_TRUE(frame->FrameTimerRunning());
  PumpFor(400);
  EXPECT_EQ(PixelAt(w, close.x, close.y), kHot);  // still under the pointer

  SetCursorPos(r.left + 200, r.bottom + 100);  // away, below the window
  EXPECT_TRUE(PumpUntil([&] { return PixelAt(w, close.x, close.y) == kButtonNormal[kClose]; }, 2000));
  EXPECT_EQ(frame->HotObject(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return !frame->FrameTimerRunning(); }, 2000));
  SetCursorPos(saved.x, saved.y);
}

TEST_F(SkinFrameTest, HitTestAndDoubleClickKeepToTheCaption) {
  TForm* f = NewForm(40, 40, 400, 260);
  ASSERT_NE(ShowSkinned(f), nullptr);
  HWND w = f->Handle();
  RECT r = WindowRectOf(w);
  const int W = r.right - r.left, H = r.bottom - r.top;
  auto hit = [&](int x, int y) { return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y)); };
  EXPECT_EQ(hit(W / 2, kCaption / 2), HTCAPTION);
  EXPECT_NE(hit(W / 2, H - 2), HTCAPTION);
  EXPECT_NE(hit(1, H / 2), HTCAPTION);
  EXPECT_EQ(hit(W / 2, H / 2), HTCLIENT);
  // A double click on the bottom border does not maximise; on the caption it does.
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTBORDER, MAKELPARAM(r.left + W / 2, r.top + H - 2));
  PumpFor(50);
  EXPECT_FALSE(IsZoomed(w));
  SendMessageW(w, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(r.left + W / 2, r.top + kCaption / 2));
  PumpFor(50);
  EXPECT_TRUE(IsZoomed(w));
}

TEST_F(SkinFrameTest, BorderSwitchToNoneAndBackFollowsTheStyle) {
  TForm* f = NewForm(40, 40, 400, 260);
  ASSERT_NE(ShowSkinned(f), nullptr);
  HWND w = f->Handle();
  f->SetBorderStyle(TFormBorderStyle::bsNone);
  PumpFor(50);
  EXPECT_EQ(ClientOrigin(w).x, 0);
  EXPECT_EQ(ClientOrigin(w).y, 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, rgn), ERROR);
  f->SetBorderStyle(TFormBorderStyle::bsSingle);
  f->SetBounds(40, 40, 500, 300);
  PumpFor(50);
  EXPECT_EQ(ClientOrigin(w).x, kSide);
  EXPECT_EQ(ClientOrigin(w).y, kCaption);
  EXPECT_NE(GetWindowRgn(w, rgn), ERROR);
  DeleteObject(rgn);
  EXPECT_EQ(PixelAt(w, 1, 150), kLeft[0]);
}

int styleWrites = 0;
HWND watched = nullptr;
LRESULT CALLBACK CountStyleWrites(int code, WPARAM wp, LPARAM lp) {
  auto* m = reinterpret_cast<CWPSTRUCT*>(lp);
  if (code >= 0 && m->hwnd == watched && m->message == WM_STYLECHANGED) ++styleWrites;
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(SkinFrameTest, RepaintsDoNotRewriteTheStyle) {
  TForm* f = NewForm(40, 40, 300, 200);
  ASSERT_NE(ShowSkinned(f), nullptr);
  watched = f->Handle();
  styleWrites = 0;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountStyleWrites, nullptr, GetCurrentThreadId());
  for (int i = 0; i < 5; ++i) RedrawWindow(watched, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(styleWrites, 0);
  EXPECT_EQ(GetWindowLongW(watched, GWL_STYLE) & WS_SYSMENU, 0);  // the skin draws the buttons
}

TEST_F(SkinFrameTest, DetachGivesBackProcedureStyleMenuSizeAndRegion) {
  TForm* f = NewForm(40, 40, 400, 260);
  auto* menu = new TMainMenu(f);
  auto* item = new TMenuItem(menu);
  item->SetCaption("File");
  menu->Items()->Add(item);
  HWND w = f->Handle();
  menu->AttachTo(f);
  f->Show();
  PumpFor(20);
  // What the window has before the skin (the first activation skinned it: detach first).
  if (SkinManager()->FormOfWindow(w)) {
    data->SetActive(false);
    PumpUntil([&] { return !SkinManager()->FormOfWindow(w); }, 3000);
  }
  const LONG_PTR proc = GetWindowLongPtrW(w, GWLP_WNDPROC);
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  const HMENU bar = GetMenu(w);
  const RECT before = WindowRectOf(w);
  ASSERT_NE(bar, nullptr);

  data->SetActive(true);
  TWinSkinForm* frame = WaitForSkinnedFrame(w);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(GetMenu(w), nullptr);
  EXPECT_NE(GetWindowLongPtrW(w, GWLP_WNDPROC), proc);
  EXPECT_EQ(ClientOrigin(w).y, kCaption + GetSystemMetrics(SM_CYMENU));

  data->SetActive(false);
  PumpUntil([&] { return !SkinManager()->FormOfWindow(w); }, 3000);
  PumpFor(50);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), proc);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE), style);
  EXPECT_EQ(GetMenu(w), bar);
  RECT after = WindowRectOf(w);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, rgn), ERROR);
  DeleteObject(rgn);
  EXPECT_NE(SendMessageW(w, SM_ISSKINNED, 0, 0), 1);
}

}  // namespace
