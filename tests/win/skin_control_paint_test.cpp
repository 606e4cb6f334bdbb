// The paint routines the skinned-control families share.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/win/controls/control.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
const TColor kFrames[3] = {Rgb(200, 0, 0), Rgb(0, 160, 0), Rgb(0, 0, 220)};
const TColor kBack = Rgb(17, 34, 51);

void Fill(HDC dc, const RECT& r, TColor c) { FillRectColor(dc, r, c); }

// Three 10 x 10 frames side by side, each with a magenta column at x = 0.
void MakeStrip(TBitmap& strip) {
  strip.SetSize(30, 10);
  for (int f = 0; f < 3; ++f) {
    Fill(strip.CanvasDC(), RECT{f * 10, 0, f * 10 + 10, 10}, kFrames[f]);
    Fill(strip.CanvasDC(), RECT{f * 10, 0, f * 10 + 1, 10}, clFuchsia);
  }
}

TEST(SkinControlPaint, StripFramesPickTheFrameStretchItAndLeaveMagentaOut) {
  TBitmap strip;
  MakeStrip(strip);
  for (int way = 0; way < 3; ++way) {
    TBitmap target;
    target.SetSize(60, 40);
    Fill(target.CanvasDC(), RECT{0, 0, 60, 40}, kBack);
    const RECT r{10, 5, 50, 25};  // 40 x 20: the frame doubled, quadrupled
    if (way == 0) DrawStripFrame(target.CanvasDC(), r, 3, 2, strip);
    if (way == 1) DrawStripFrameCanvas(target.Canvas(), r, 3, 2, strip);
    if (way == 2) DrawStripFrameMasked(target.CanvasDC(), r, 3, 2, strip);
    SCOPED_TRACE(way);
    EXPECT_EQ(target.GetPixel(30, 15), kFrames[1]);
    EXPECT_EQ(target.GetPixel(49, 24), kFrames[1]);
    EXPECT_EQ(target.GetPixel(10, 15), kBack) << "the magenta column, stretched, stays out";
    EXPECT_EQ(target.GetPixel(9, 15), kBack);
    EXPECT_EQ(target.GetPixel(50, 15), kBack);
  }
}

TEST(SkinControlPaint, StripFramesDrawNothingForBadInput) {
  TBitmap strip;
  MakeStrip(strip);
  TBitmap empty;
  TBitmap target;
  target.SetSize(20, 20);
  Fill(target.CanvasDC(), RECT{0, 0, 20, 20}, kBack);
  DrawStripFrame(target.CanvasDC(), RECT{15, 0, 5, 10}, 3, 1, strip);   // inverted
  DrawStripFrame(target.CanvasDC(), RECT{0, 0, 20, 20}, 0, 1, strip);   // no frames
  DrawStripFrameMasked(target.CanvasDC(), RECT{0, 0, 20, 20}, 3, 1, empty);
  DrawStripFrameMasked(target.CanvasDC(), RECT{0, 0, 20, 20}, 40, 1, strip);  // frames narrower than a pixel
  for (int x = 0; x < 20; x += 3)
    for (int y = 0; y < 20; y += 3) ASSERT_EQ(target.GetPixel(x, y), kBack) << x << "," << y;
}

// A caption drawn centred into a 160 x 30 bitmap over kBack in a font of the
// given style: by DrawCaptionText, or (item) by DrawImageListItem without an image.
std::vector<TColor> Caption(TFontStyles style, bool item) {
  TSkinControl ctl(nullptr);
  ctl.FEnabled = true;
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(160, 30);
  const RECT r{0, 0, 160, 30};
  Fill(b.CanvasDC(), r, kBack);
  {
    TCanvas canvas(b.CanvasDC());
    canvas.Font().SetHeight(-16);
    canvas.Font().SetStyle(style);
    canvas.Font().SetColor(clWhite);
    canvas.Brush().SetColor(Rgb(250, 0, 0));  // an opaque brush the caption must not use
    canvas.Prepare();
    if (item) DrawImageListItem(ctl, canvas, r, 1, L"Tapmira", -1, static_cast<HIMAGELIST>(nullptr));
    else DrawCaptionText(ctl, canvas, r, DT_CENTER, true, L"Tapmira");
  }
  std::vector<TColor> pixels;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 160; ++x) pixels.push_back(b.GetPixel(x, y));
  return pixels;
}

TEST(SkinControlPaint, CaptionsAreDrawnInThePlainStyleOfTheirFont) {
  for (bool item : {false, true}) {
    SCOPED_TRACE(item ? "image list item" : "caption text");
    const std::vector<TColor> plain = Caption(0, item);
    EXPECT_NE(std::count(plain.begin(), plain.end(), clWhite), 0) << "the caption is drawn";
    EXPECT_EQ(std::count(plain.begin(), plain.end(), Rgb(250, 0, 0)), 0) << "on a transparent background";
    EXPECT_TRUE(Caption(fsBold, item) == plain);
    EXPECT_TRUE(Caption(fsItalic | fsUnderline | fsStrikeOut, item) == plain);
  }
}

TEST(SkinControlPaint, CopyBitmapTakesSizeFormatAndPixels) {
  TBitmap src, dst;
  src.SetPixelFormat(TPixelFormat::pf32bit);
  MakeStrip(src);
  dst.SetSize(3, 3);
  CopyBitmap(src, dst);
  EXPECT_EQ(dst.GetWidth(), 30);
  EXPECT_EQ(dst.GetHeight(), 10);
  EXPECT_EQ(dst.GetPixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(dst.GetPixel(25, 5), kFrames[2]);
  EXPECT_EQ(dst.GetPixel(0, 5), clFuchsia);
}

TEST(SkinControlPaint, PopupWindowsAreThePopupStyleOrChildrenOfTheDesktop) {
  HWND popup = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND overlapped = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, overlapped, nullptr, nullptr, nullptr);
  HWND onDesktop = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, GetDesktopWindow(), nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsPopupWindow(popup));
  EXPECT_FALSE(IsPopupWindow(overlapped));
  EXPECT_FALSE(IsPopupWindow(child));
  if (onDesktop) EXPECT_TRUE(IsPopupWindow(onDesktop));
  for (HWND w : {onDesktop, child, overlapped, popup})
    if (w) DestroyWindow(w);
}

}  // namespace
