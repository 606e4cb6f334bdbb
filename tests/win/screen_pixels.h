#pragma once
// What a part of the screen shows, read back pixel by pixel, and how well
// text stands out there (the contrast ratio of relative luminances).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "toolkit/win/controls.h"

struct TScreenPixels {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;  // rows top to bottom
  COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// Copies `r` (screen coordinates) off the screen.
inline TScreenPixels ReadScreen(const RECT& r) {
  TScreenPixels p;
  p.Width = r.right - r.left;
  p.Height = r.bottom - r.top;
  if (p.Width <= 0 || p.Height <= 0) return p;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.Width;
  bi.bmiHeader.biHeight = -p.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, p.Width, p.Height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  p.Pixels.resize(static_cast<std::size_t>(p.Width * p.Height));
  for (std::size_t i = 0; i < p.Pixels.size(); ++i)
    p.Pixels[i] = RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return p;
}

// The client rectangle `r` of window `w` in screen coordinates.
inline RECT ScreenRectOf(HWND w, RECT r) {
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline double RelativeLuminance(COLORREF c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

inline double ContrastRatio(COLORREF a, COLORREF b) {
  double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

// Text on a plain background: the background is the commonest colour, the
// text colour the one that stands out most from it; `InkPixels` counts the
// pixels that differ from the background at all.
struct TTextContrast {
  COLORREF Background = 0, Text = 0;
  double Ratio = 1;
  int InkPixels = 0;
};

inline TTextContrast MeasureTextContrast(const TScreenPixels& p) {
  TTextContrast t;
  std::map<COLORREF, int> counts;
  for (COLORREF c : p.Pixels) ++counts[c];
  if (counts.empty()) return t;
  t.Background = std::max_element(counts.begin(), counts.end(),
                                  [](const auto& a, const auto& b) { return a.second < b.second; })->first;
  t.Text = t.Background;
  for (const auto& [colour, n] : counts) {
    if (colour == t.Background) continue;
    t.InkPixels += n;
    if (ContrastRatio(colour, t.Background) > t.Ratio) {
      t.Ratio = ContrastRatio(colour, t.Background);
      t.Text = colour;
    }
  }
  return t;
}

// A pixel that stands apart from the background at all.
inline bool IsInk(COLORREF c, COLORREF background) {
  return std::abs(GetRValue(c) - GetRValue(background)) + std::abs(GetGValue(c) - GetGValue(background)) +
             std::abs(GetBValue(c) - GetBValue(background)) > 24;
}

// Pixels whose contrast with `background` is at least `ratio`.
inline int PixelsAtContrast(const TScreenPixels& p, COLORREF background, double ratio) {
  int n = 0;
  for (COLORREF c : p.Pixels) n += ContrastRatio(c, background) >= ratio;
  return n;
}

// The median contrast of the pixels that differ from `background` at all: how
// dark text looks as a whole, smoothing included.
inline double MedianInkContrast(const TScreenPixels& p, COLORREF background) {
  std::vector<double> ratios;
  for (COLORREF c : p.Pixels)
    if (IsInk(c, background)) ratios.push_back(ContrastRatio(c, background));
  if (ratios.empty()) return 1;
  std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2), ratios.end());
  return ratios[ratios.size() / 2];
}

// Columns or rows [First, Last] that hold a pixel standing apart from the
// background (First > Last when there is none).
struct TInkSpan {
  int First = 1, Last = 0;
  int Width() const { return First > Last ? 0 : Last - First + 1; }
};

// The columns and the rows of the ink.
struct TInkBox {
  TInkSpan Columns, Rows;
};

inline TInkBox InkBox(const TScreenPixels& p, COLORREF background) {
  TInkBox ink{{p.Width, -1}, {p.Height, -1}};
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x)
      if (IsInk(p.At(x, y), background)) {
        ink.Columns = {std::min(ink.Columns.First, x), std::max(ink.Columns.Last, x)};
        ink.Rows = {std::min(ink.Rows.First, y), std::max(ink.Rows.Last, y)};
      }
  return ink;
}

inline TInkSpan InkColumns(const TScreenPixels& p, COLORREF background) { return InkBox(p, background).Columns; }

// What a control shows, widened by `margin` pixels on each side, once its
// window has painted.
inline TScreenPixels ReadControl(TControl* c, int margin = 0) {
  TWinControl* parent = c->Parent();
  RedrawWindow(parent->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{c->GetLeft() - margin, c->GetTop() - margin, c->GetLeft() + c->GetWidth() + margin,
         c->GetTop() + c->GetHeight() + margin};
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    r = RECT{-margin, -margin, c->GetWidth() + margin, c->GetHeight() + margin};
    return ReadScreen(ScreenRectOf(w->Handle(), r));
  }
  return ReadScreen(ScreenRectOf(parent->Handle(), r));
}
