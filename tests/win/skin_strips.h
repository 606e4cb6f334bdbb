#pragma once
// Skin strips of plain, distinct colours per frame, for the skinned-control
// tests that read back which frame was drawn.
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "skin/win/data/objects.h"
#include "toolkit/win/bitmap.h"

constexpr TColor StripRgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

// Frames side by side, frameWidth x height each, frame i filled with colours[i].
inline std::unique_ptr<TBitmap> ColourStrip(const std::vector<TColor>& colours, int frameWidth, int height) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(static_cast<int>(colours.size()) * frameWidth, height);
  for (std::size_t f = 0; f < colours.size(); ++f) {
    HBRUSH brush = CreateSolidBrush(colours[f]);
    RECT r{static_cast<LONG>(f) * frameWidth, 0, static_cast<LONG>(f + 1) * frameWidth, height};
    FillRect(b->CanvasDC(), &r, brush);
    DeleteObject(brush);
  }
  return b;
}

template <class T>
std::unique_ptr<T> ColourObject(const std::vector<TColor>& colours, int frameWidth, int height) {
  auto o = std::make_unique<T>();
  o->Bitmap = ColourStrip(colours, frameWidth, height);
  o->FrameCount = static_cast<int>(colours.size());
  return o;
}

// Eight distinct colours, offset so that strips of one test differ.
inline std::vector<TColor> Distinct(int count, int seed) {
  std::vector<TColor> out;
  for (int i = 0; i < count; ++i) out.push_back(StripRgb(20 + 25 * i, 200 - 20 * seed, 40 + 30 * seed + i));
  return out;
}

inline TColor PixelAt(HWND w, int x, int y) {
  HDC dc = GetWindowDC(w);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return static_cast<TColor>(c);
}

// The control painted into its window DC; the colour then at (x, y).
template <class Skin>
TColor PaintedPixel(Skin* s, int x, int y) {
  HDC dc = GetWindowDC(s->Handle());
  s->PaintWindow(dc);
  TColor c = static_cast<TColor>(GetPixel(dc, x, y));
  ReleaseDC(s->Handle(), dc);
  return c;
}
