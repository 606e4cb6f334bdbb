// The caption band of a skinned frame in a real window: a kept band is shown
// again only while everything it was made from is the same (the application's
// answer about a custom caption button, the window's icon), and the window
// icon's button takes the window's own icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin_support_frame.h"
#include "toolkit/win/bitmap.h"

using namespace frame_skin;

namespace {

constexpr TColor kCustom = Rgb(40, 180, 90);
constexpr int kCustomX = 120, kIconX = 8, kButtonY = 6;

// What the window answers when the skin asks whether its custom button shows.
LRESULT customAnswer = 1;

LRESULT CALLBACK AnsweringProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SM_CAPTIONVISIBLE) return customAnswer;
  return DefWindowProcW(w, msg, wp, lp);
}

// A window of the program's own class that answers SM_CAPTIONVISIBLE; not shown yet.
HWND AnsweringWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = AnsweringProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CaptionAnswerWindow";
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    return RegisterClassW(&wc);
  }();
  if (!atom) return nullptr;
  return CreateWindowExW(0, L"CaptionAnswerWindow", L"Caption", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 60, 60, 420,
                         240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// An icon of one colour at the small icon size (the caller destroys it).
HICON SolidIcon(COLORREF colour) {
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, picture);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);  // all zero: every pixel opaque
  ICONINFO info{TRUE, 0, 0, mask, picture};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(picture);
  return icon;
}

struct SkinCaptionTest : FrameSkinFixture {
  void AddToSkin(TSkinData& skin) override {
    // A custom button the application shows or hides (Visibility 1000), and
    // the window icon's button without an image of its own.
    TDataSkinSysButton& custom = AddButton(skin, 50, kCustomX, 1000);
    Strip(*custom.Bitmap, kButtonW, kButtonH, 1, false);
    Fill(*custom.Bitmap, 0, 0, kButtonW, kButtonH, kCustom);
    AddButton(skin, 3, kIconX, 0);
  }
  static TDataSkinSysButton& AddButton(TSkinData& skin, int action, int x, int visibility) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Action = action;
    b->Align = 0;
    b->Xcoord = x;
    b->Ycoord = kButtonY;
    b->Visibility = visibility;
    b->FrameCount = 1;
    skin.CaptionButtons.push_back(std::move(b));
    return *skin.CaptionButtons.back();
  }
  void TearDown() override {
    for (HWND w : windows) DestroyWindow(w);
    PumpFor(20);
    if (SkinManager()) SkinManager()->PurgeDeadForms();
    for (HICON i : icons) DestroyIcon(i);
    FrameSkinFixture::TearDown();
  }
  // Shows the window and waits until its frame is complete.
  TWinSkinForm* Show(HWND w) {
    windows.push_back(w);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    TWinSkinForm* frame = WaitForSkinnedFrame(w);
    PumpFor(50);
    return frame;
  }
  HICON Icon(COLORREF colour) {
    icons.push_back(SolidIcon(colour));
    return icons.back();
  }
  static POINT Centre(int x) { return POINT{x + kButtonW / 2, kButtonY + kButtonH / 2}; }

  std::vector<HWND> windows;
  std::vector<HICON> icons;
};

TEST_F(SkinCaptionTest, ApplicationsAnswerShowsAndHidesTheCustomButtonAtOnce) {
  customAnswer = 1;
  HWND w = AnsweringWindow();
  ASSERT_NE(w, nullptr);
  TWinSkinForm* frame = Show(w);
  ASSERT_NE(frame, nullptr);
  const POINT at = Centre(kCustomX);
  const TColor caption = kTop[frame->Active() ? 0 : 1];
  auto drawnAndClickable = [&](bool shown) {
    frame->PaintFrame(nullptr);
    EXPECT_EQ(PixelAt(w, at.x, at.y), shown ? kCustom : caption);
    TNCObject* hit = frame->NCObjectAtPoint(at);
    EXPECT_EQ(hit != nullptr, shown);
  };
  drawnAndClickable(true);
  // The same size, text and state: only the application's answer changes.
  customAnswer = 0;
  drawnAndClickable(false);
  customAnswer = 1;
  drawnAndClickable(true);
  SaveWindowShot(w, ArtefactFolder() + "skin_caption_custom_button.bmp");
}

TEST_F(SkinCaptionTest, IconButtonAndProgramIconTakeTheWindowsOwnIcon) {
  const COLORREF own = RGB(10, 200, 120), later = RGB(220, 40, 160);
  data->AppIcon->SetSize(0, 0);
  HWND w = AnsweringWindow();
  ASSERT_NE(w, nullptr);
  SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon(own)));
  TWinSkinForm* frame = Show(w);
  ASSERT_NE(frame, nullptr);
  const int small = GetSystemMetrics(SM_CXSMICON);
  // The icon button had no image: it has the window's own icon now, and so has the skin's program icon.
  TBitmap& button = *data->CaptionButtons.back()->Bitmap;
  ASSERT_EQ(button.GetWidth(), small);
  EXPECT_EQ(static_cast<COLORREF>(button.GetPixel(small / 2, small / 2)), own);
  ASSERT_FALSE(data->AppIcon->Empty());
  EXPECT_EQ(static_cast<COLORREF>(data->AppIcon->GetPixel(small / 2, small / 2)), own);
  EXPECT_EQ(static_cast<COLORREF>(PixelAt(w, kIconX + small / 2, kButtonY + small / 2)), own);
  // A new icon is on the caption at once.
  SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon(later)));
  PumpFor(20);
  EXPECT_EQ(static_cast<COLORREF>(PixelAt(w, kIconX + small / 2, kButtonY + small / 2)), later);
  SaveWindowShot(w, ArtefactFolder() + "skin_caption_window_icon.bmp");
}

}  // namespace
