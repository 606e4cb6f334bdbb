#pragma once
// Shared set-up of the skinned-family tests: skin objects whose frames are
// plain, distinct colours, a dispatcher over a form, pixels read back from the
// screen and the mouse moved as a user moves it.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "services_pump.h"
#include "skin_fixture.h"
#include "toolkit/win/bitmap.h"

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

// Frames of frameWidth x height side by side, one plain colour each.
inline std::unique_ptr<TBitmap> PlainStrip(const std::vector<TColor>& frames, int frameWidth, int height) {
  auto strip = std::make_unique<TBitmap>();
  strip->SetPixelFormat(TPixelFormat::pf24bit);
  strip->SetSize(frameWidth * static_cast<int>(frames.size()), height);
  for (std::size_t f = 0; f < frames.size(); ++f) {
    const int x = static_cast<int>(f) * frameWidth;
    FillRectColor(strip->CanvasDC(), RECT{x, 0, x + frameWidth, height}, frames[f]);
  }
  return strip;
}

// A system image list of one 16 x 16 image in a plain colour (the caller destroys it).
inline HIMAGELIST OneImageList(TColor colour) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  HDC screen = GetDC(nullptr);
  HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, image);
  FillRectColor(mem, RECT{0, 0, 16, 16}, colour);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  ImageList_Add(images, image, nullptr);
  DeleteObject(image);
  return images;
}

template <class T>
std::unique_ptr<T> PlainObject(const std::vector<TColor>& frames, int frameWidth, int height, int margin = 2) {
  auto obj = std::make_unique<T>();
  obj->Bitmap = PlainStrip(frames, frameWidth, height);
  obj->FrameCount = static_cast<int>(frames.size());
  obj->LeftWidth = obj->TopHeight = obj->RightWidth = obj->BottomHeight = margin;
  return obj;
}

struct SkinFamilyTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    data->Colors[scButtonFace] = kFace;
    NewDispatcher();
  }
  // What the window shows at client point (x, y), after it has painted.
  static TColor PixelAt(HWND w, int x, int y) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return static_cast<TColor>(c);
  }
  // The pointer moved to client point (x, y) of w, as the mouse moves it.
  static void MoveMouse(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    PumpFor(50);
  }

  static constexpr TColor kFace = Rgb(230, 225, 200);
};
