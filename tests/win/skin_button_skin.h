#pragma once
// A test skin whose Buttons strip holds five plain, distinct colours, so a
// pixel read back tells which frame was drawn.
#include <windows.h>

#include <memory>

#include "skin/win/data/skin_data.h"
#include "toolkit/win/bitmap.h"

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
// Frames 1..5 of the test button strip.
inline constexpr TColor kFrame[5] = {Rgb(10, 120, 10), Rgb(120, 10, 10), Rgb(90, 90, 90), Rgb(10, 10, 200),
                                     Rgb(200, 200, 10)};
inline constexpr TColor kFace = Rgb(230, 225, 200);

inline void FillBitmapRect(TBitmap& b, const RECT& r, TColor c) {
  HBRUSH brush = CreateSolidBrush(c);
  FillRect(b.CanvasDC(), &r, brush);
  DeleteObject(brush);
}

inline void MakeButtonSkin(TSkinData& data) {
  data.Buttons = std::make_unique<TDataSkinButton>();
  TDataSkinButton& b = *data.Buttons;
  b.Bitmap = std::make_unique<TBitmap>();
  b.Bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  b.Bitmap->SetSize(5 * 20, 20);
  for (int f = 0; f < 5; ++f) FillBitmapRect(*b.Bitmap, RECT{f * 20, 0, f * 20 + 20, 20}, kFrame[f]);
  b.FrameCount = 5;
  b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 3;
  data.Colors[scButtonFace] = kFace;
  data.Colors[scButtonText] = Rgb(0, 0, 0);
}
