#pragma once
// A skin of plain, distinct colours built in memory for the frame tests: every
// border, frame state and caption button can be told apart by one pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app_support.h"
#include "services_pump.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skinned_frame.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/form.h"

namespace frame_skin {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
constexpr TColor kKey = Rgb(255, 0, 255);
constexpr TColor kLeft[2] = {Rgb(200, 0, 0), Rgb(100, 0, 0)};
constexpr TColor kRight[2] = {Rgb(0, 200, 0), Rgb(0, 100, 0)};
constexpr TColor kTop[2] = {Rgb(0, 0, 200), Rgb(0, 0, 100)};
constexpr TColor kBottom[2] = {Rgb(200, 200, 0), Rgb(100, 100, 0)};
constexpr TColor kFace = Rgb(220, 220, 220);
constexpr int kSide = 4, kCaption = 30, kButtonW = 21, kButtonH = 18;
// Caption buttons: close, maximise, restore, minimise (right-aligned at these distances).
enum { kClose, kMaximize, kRestore, kMinimize };
constexpr int kButtonX[4] = {27, 50, 50, 73};
// Frame 1 (normal) of each button, and the shared pressed, hot and inactive frames.
constexpr TColor kButtonNormal[4] = {Rgb(250, 128, 0), Rgb(0, 128, 250), Rgb(128, 250, 0), Rgb(250, 250, 128)};
constexpr TColor kPressed = Rgb(128, 0, 128), kHot = Rgb(0, 250, 250), kInactive = Rgb(90, 90, 90);

inline void Fill(TBitmap& b, int x, int y, int w, int h, TColor c) {
  HBRUSH brush = CreateSolidBrush(c);
  RECT r{x, y, x + w, y + h};
  FillRect(b.CanvasDC(), &r, brush);
  DeleteObject(brush);
}

inline void Strip(TBitmap& b, int w, int h, int frames, bool vertical) {
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(vertical ? w : w * frames, vertical ? h * frames : h);
}

// Fills data with the test skin (Active not set).
inline void MakeFrameSkin(TSkinData& data) {
  const int sideH = kCaption + 30 + kSide;
  for (int side = 0; side < 2; ++side) {
    TDataSkinBorder& b = *data.Borders[static_cast<std::size_t>(side)];
    Strip(*b.Bitmap, kSide, sideH, 2, false);
    for (int f = 0; f < 2; ++f) {
      Fill(*b.Bitmap, f * kSide, 0, kSide, sideH, side == 0 ? kLeft[f] : kRight[f]);
      // The outer top corner is see-through.
      int outer = side == 0 ? f * kSide : f * kSide + kSide - 1, inward = side == 0 ? 1 : -1;
      b.Bitmap->SetPixel(outer, 0, kKey);
      b.Bitmap->SetPixel(outer + inward, 0, kKey);
      b.Bitmap->SetPixel(outer, 1, kKey);
    }
    b.FrameCount = 2;
    b.TopHeight = kCaption;
    b.BottomHeight = kSide;
    b.Trans = 1;
    b.Tile = 1;
  }
  for (int side = 2; side < 4; ++side) {
    TDataSkinBorder& b = *data.Borders[static_cast<std::size_t>(side)];
    int h = side == 2 ? kCaption : kSide;
    Strip(*b.Bitmap, 64, h, 2, true);
    for (int f = 0; f < 2; ++f) Fill(*b.Bitmap, 0, f * h, 64, h, side == 2 ? kTop[f] : kBottom[f]);
    b.FrameCount = 2;
    b.Trans = 0;
    b.Tile = 1;
  }
  data.Title->LeftWidth = 10;
  data.Title->RightWidth = 80;
  data.CaptionButtons.clear();
  const int actions[4] = {0, 1, 1, 2}, visibility[4] = {0, 2, 1, 0};
  for (int i = 0; i < 4; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Action = actions[i];
    b->Align = 1;
    b->Xcoord = kButtonX[i];
    b->Ycoord = 6;
    b->Visibility = visibility[i];
    b->FrameCount = 4;
    Strip(*b->Bitmap, kButtonW, kButtonH, 4, false);
    const TColor frames[4] = {kButtonNormal[i], kPressed, kHot, kInactive};
    for (int f = 0; f < 4; ++f) Fill(*b->Bitmap, f * kButtonW, 0, kButtonW, kButtonH, frames[f]);
    data.CaptionButtons.push_back(std::move(b));
  }
  data.Colors[scButtonFace] = kFace;
  data.Colors[scTitleTextActive] = Rgb(255, 255, 255);
  data.Colors[scTitleTextNoActive] = Rgb(160, 160, 160);
  if (data.FaceBrush) DeleteObject(data.FaceBrush);
  data.FaceBrush = CreateSolidBrush(kFace);
  data.NoSkin = false;
}

// Shows the form (activation skins it) and waits until skinning is complete.
inline TWinSkinForm* ShowSkinned(TCustomForm* f) {
  f->Show();
  TWinSkinForm* frame = WaitForSkinnedFrame(f->Handle());
  PumpFor(50);
  return frame;
}

}  // namespace frame_skin

// A fresh application with the test skin active: windows are skinned as they
// are activated. Forms put in `forms` are freed after the test; an exception
// the application reports fails it.
struct FrameSkinFixture : ::testing::Test {
  void SetUp() override {
    FreshApplication();
    SetExceptionReport([this](const std::string& m) { reports.push_back(m); });
    data = new TSkinData(nullptr);
    frame_skin::MakeFrameSkin(*data);
    AddToSkin(*data);
    data->SetActive(true);
    data->Loaded();  // the manager, its hook
  }
  void TearDown() override {
    for (TCustomForm* f : forms) delete f;
    delete data;
    EXPECT_EQ(SkinManager(), nullptr);
    EXPECT_TRUE(reports.empty()) << reports.front();
  }
  // More of the skin, before it is made active.
  virtual void AddToSkin(TSkinData&) {}
  // A form freed after the test, with the system menu and both boxes, not shown yet.
  TForm* NewForm(int x, int y, int clientW, int clientH, TFormBorderStyle border = TFormBorderStyle::bsSingle) {
    auto* f = new TForm(Application);
    forms.push_back(f);
    f->SetBorderStyle(border);
    f->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    f->SetBounds(x, y, 300, 200);
    f->SetClientSize(clientW, clientH);
    f->SetCaption("Frame");
    return f;
  }
  static RECT WindowRectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
  }
  // The client area's top-left in window coordinates.
  static POINT ClientOrigin(HWND w) {
    POINT p{0, 0};
    ClientToScreen(w, &p);
    RECT r = WindowRectOf(w);
    return POINT{p.x - r.left, p.y - r.top};
  }
  // The window's pixel at window coordinates.
  static TColor PixelAt(HWND w, int x, int y) {
    HDC dc = GetWindowDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return static_cast<TColor>(c);
  }

  TSkinData* data = nullptr;
  std::vector<TCustomForm*> forms;
  std::vector<std::string> reports;
};
