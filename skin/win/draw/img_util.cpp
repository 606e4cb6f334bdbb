#include "skin/win/draw/img_util.h"

#include <algorithm>

TPixels24 Pixels24(TBitmap& bitmap) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  if (bitmap.Empty()) return TPixels24{};
  return TPixels24{static_cast<std::uint8_t*>(bitmap.ScanLine(0)), bitmap.GetWidth(), bitmap.GetHeight(),
                   bitmap.RowBytes()};
}

namespace {
// Pixels changed behind GDI's back: tell the bitmap's listeners.
void Touched(TBitmap& bitmap) {
  if (bitmap.OnChange) bitmap.OnChange(&bitmap);
}
}  // namespace

void LoadImage24(TBitmap& bitmap, TImage24& image) {
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(image.Width(), image.Height());
  TPixels24 from = image.View(), to = Pixels24(bitmap);
  for (int y = 0; y < to.Height; ++y) std::copy_n(from.Row(y), to.Width * 3, to.Row(y));
  Touched(bitmap);
}

void ReplaceColorKey(TBitmap& bitmap, TColor colour) {
  ::ReplaceColorKey(Pixels24(bitmap), static_cast<TRgb>(ColorToRGB(colour)));
  Touched(bitmap);
}

void MirrorBitmap(TBitmap& bitmap) {
  MirrorPixels(Pixels24(bitmap));
  Touched(bitmap);
}

void FlipBitmap(TBitmap& bitmap) {
  FlipPixels(Pixels24(bitmap));
  Touched(bitmap);
}

namespace {
template <class Turn>
void Rotate(TBitmap& bitmap, Turn turn) {
  TPixels24 pixels = Pixels24(bitmap);
  if (!pixels.Bits) return;
  TImage24 copy(pixels.Width, pixels.Height);
  TPixels24 source = copy.View();
  for (int y = 0; y < pixels.Height; ++y) std::copy_n(pixels.Row(y), pixels.Width * 3, source.Row(y));
  bitmap.SetSize(pixels.Height, pixels.Width);  // keeps the format and the transparency settings
  turn(source, Pixels24(bitmap));
  Touched(bitmap);
}
}  // namespace

void RotateBitmapLeft(TBitmap& bitmap) { Rotate(bitmap, RotatePixelsLeft); }
void RotateBitmapRight(TBitmap& bitmap) { Rotate(bitmap, RotatePixelsRight); }

TColor Blend(TColor colour1, TColor colour2, int weight) {
  return static_cast<TColor>(BlendRgb(ColorToRGB(colour1), ColorToRGB(colour2), weight));
}

// The low three bytes as they are: a system colour is not resolved.
int SaturationLevel(TColor colour) { return ::SaturationLevel(static_cast<TRgb>(colour & 0xFFFFFF)); }

TGradientCache& GradientRamps() {
  static TGradientCache cache;
  return cache;
}

int FindGradientRamp(int count, TColor start, TColor end) { return GradientRamps().Find(count, start, end); }
int MakeGradientRamp(int count, TColor start, TColor end) { return GradientRamps().Make(count, start, end); }
int GetGradientRamp(int count, TColor start, TColor end) { return GradientRamps().Get(count, start, end); }

void GradientFill(HDC dc, const RECT& rect, TColor startColour, TColor endColour, int direction) {
  if (!RectVisible(dc, &rect)) return;
  TRgb start = static_cast<TRgb>(ColorToRGB(startColour)), end = static_cast<TRgb>(ColorToRGB(endColour));
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  bool vertical = direction == 1;
  int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  if (n <= 0) return;
  int origin = vertical ? rect.top : rect.left;
  int first = std::max(0, static_cast<int>(vertical ? clip.top : clip.left) - origin);
  int last = std::min(n - 1, static_cast<int>(vertical ? clip.bottom : clip.right) - origin - 1);
  const std::vector<TRgb>& ramp = GradientRamps().Ramp(GradientRamps().Get(n, start, end));
  for (int i = first; i <= last; ++i) {
    HBRUSH brush = CreateSolidBrush(ramp[static_cast<std::size_t>(i)]);
    RECT line = vertical ? RECT{rect.left, origin + i, rect.right, origin + i + 1}
                         : RECT{origin + i, rect.top, origin + i + 1, rect.bottom};
    FillRect(dc, &line, brush);
    DeleteObject(brush);
  }
}
