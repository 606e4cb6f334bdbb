#pragma once
// Skin strips of plain, distinct colours per frame, for the skinned-control
// tests that read back which frame was drawn; and what a window shows compared
// with a frame of a skin's strip (the program's skin in the screenshot tests).
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

// Pixel (x, y) of frame k (from 1) of `frames` frames side by side in strip.
inline TColor StripFramePixel(TBitmap& strip, int frames, int k, int x, int y) {
  return strip.GetPixel(strip.GetWidth() / frames * (k - 1) + x, y);
}

// The top row of frame k at the middle of its width: what a face drawn
// nine-piece from the strip shows along the middle of its top edge.
inline TColor StripTopEdge(TBitmap& strip, int frames, int k) {
  return StripFramePixel(strip, frames, k, strip.GetWidth() / frames / 2, 0);
}

// The window shows frame k of the strip at (left, top) of its client area:
// every pixel of the frame but the see-through (fuchsia) ones.
inline bool ShowsStripFrame(HWND w, TBitmap& strip, int frames, int k, int left, int top) {
  const int fw = strip.GetWidth() / frames, fh = strip.GetHeight();
  HDC dc = GetDC(w);
  int compared = 0, differ = 0;
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      const TColor want = StripFramePixel(strip, frames, k, x, y);
      if (want == clFuchsia) continue;
      ++compared;
      differ += static_cast<TColor>(GetPixel(dc, left + x, top + y)) != want;
    }
  ReleaseDC(w, dc);
  return compared > 0 && differ == 0;
}

// The same for a box at the left of the client area, centred in height (a
// check box's or a radio button's).
inline bool ShowsBoxFrame(HWND w, TBitmap& strip, int frames, int k) {
  RECT c;
  GetClientRect(w, &c);
  return ShowsStripFrame(w, strip, frames, k, 0, (c.bottom - strip.GetHeight()) / 2);
}
