#include "skin/portable/img_ops.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "toolkit/base/exception.h"

void TImage24::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  bits_.assign(static_cast<std::size_t>(Stride(width_)) * height_, 0);
}

TRgb TImage24::Pixel(int x, int y) const {
  const std::uint8_t* p = bits_.data() + static_cast<std::size_t>(y) * Stride(width_) + x * 3;
  return MakeRgb(p[2], p[1], p[0]);
}

void TImage24::SetPixel(int x, int y, TRgb c) {
  std::uint8_t* p = bits_.data() + static_cast<std::size_t>(y) * Stride(width_) + x * 3;
  p[0] = static_cast<std::uint8_t>(RgbBlue(c));
  p[1] = static_cast<std::uint8_t>(RgbGreen(c));
  p[2] = static_cast<std::uint8_t>(RgbRed(c));
}

void ReplaceColorKey(const TPixels24& image, TRgb colour) {
  for (int y = 0; y < image.Height; ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < image.Width; ++x, p += 3)
      if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
        p[0] = static_cast<std::uint8_t>(RgbBlue(colour));
        p[1] = static_cast<std::uint8_t>(RgbGreen(colour));
        p[2] = static_cast<std::uint8_t>(RgbRed(colour));
      }
  }
}

void CopyUnlessKey(const TPixels24& source, const TPixels24& target, TRgb key) {
  const int w = std::min(source.Width, target.Width), h = std::min(source.Height, target.Height);
  const std::uint8_t b = static_cast<std::uint8_t>(RgbBlue(key)), g = static_cast<std::uint8_t>(RgbGreen(key)),
                     r = static_cast<std::uint8_t>(RgbRed(key));
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = source.Row(y);
    std::uint8_t* t = target.Row(y);
    for (int x = 0; x < w; ++x, s += 3, t += 3)
      if (s[0] != b || s[1] != g || s[2] != r) {
        t[0] = s[0];
        t[1] = s[1];
        t[2] = s[2];
      }
  }
}

void MirrorPixels(const TPixels24& image) {
  for (int y = 0; y < image.Height; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int a = 0, b = image.Width - 1; a < b; ++a, --b)
      std::swap_ranges(row + a * 3, row + a * 3 + 3, row + b * 3);
  }
}

void FlipPixels(const TPixels24& image) {
  std::size_t bytes = static_cast<std::size_t>(image.Width) * 3;
  for (int a = 0, b = image.Height - 1; a < b; ++a, --b) std::swap_ranges(image.Row(a), image.Row(a) + bytes, image.Row(b));
}

namespace {
void CheckTurn(const TPixels24& source, const TPixels24& target) {
  if (target.Width != source.Height || target.Height != source.Width)
    throw EAssertionFailed("rotation target must be the source turned by a quarter");
}
}  // namespace

void RotatePixelsLeft(const TPixels24& source, const TPixels24& target) {
  CheckTurn(source, target);
  // new (row r, column c) = old (row c, column W - 1 - r)
  for (int r = 0; r < target.Height; ++r) {
    std::uint8_t* out = target.Row(r);
    for (int c = 0; c < target.Width; ++c) std::memcpy(out + c * 3, source.Row(c) + (source.Width - 1 - r) * 3, 3);
  }
}

void RotatePixelsRight(const TPixels24& source, const TPixels24& target) {
  CheckTurn(source, target);
  // new (row r, column c) = old (row H - 1 - c, column r)
  for (int r = 0; r < target.Height; ++r) {
    std::uint8_t* out = target.Row(r);
    for (int c = 0; c < target.Width; ++c) std::memcpy(out + c * 3, source.Row(source.Height - 1 - c) + r * 3, 3);
  }
}

TRgb BlendRgb(TRgb colour1, TRgb colour2, int weight) {
  weight = std::clamp(weight, 0, 1000);
  int s = weight < 100 ? 100 : 1000;
  auto mix = [&](int a, int b) { return (a * weight + b * (s - weight) + s / 2) / s; };
  return MakeRgb(mix(RgbRed(colour1), RgbRed(colour2)), mix(RgbGreen(colour1), RgbGreen(colour2)),
                 mix(RgbBlue(colour1), RgbBlue(colour2)));
}

int SaturationLevel(TRgb colour) {
  int r = RgbRed(colour), g = RgbGreen(colour), b = RgbBlue(colour);
  if (r < 160 && g < 160 && b < 160) return 200;
  int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  if (hi == 0) return 0;
  return static_cast<int>(std::nearbyint((hi - lo) * 255.0 / hi));
}

int TGradientCache::Find(int count, TRgb start, TRgb end) const {
  if (count <= 0) throw EAssertionFailed("gradient of no lines");
  for (int i = Slots - 1; i >= 0; --i) {
    const TSlot& s = slots_[static_cast<std::size_t>(i)];
    if (s.count == count && s.start == start && s.end == end) return i;
  }
  return -1;
}

int TGradientCache::Make(int count, TRgb start, TRgb end) {
  if (count <= 0) throw EAssertionFailed("gradient of no lines");
  int slot = next_;
  next_ = (next_ + 1) % Slots;
  TSlot& s = slots_[static_cast<std::size_t>(slot)];
  s.count = count;
  s.start = start;
  s.end = end;
  s.ramp.assign(static_cast<std::size_t>(count), 0);
  int from[3] = {RgbRed(start), RgbGreen(start), RgbBlue(start)};
  int d[3] = {RgbRed(end) - from[0], RgbGreen(end) - from[1], RgbBlue(end) - from[2]};
  int c = count - 1, h = c / 2;
  for (int i = 0; i < count; ++i) {
    int ch[3];
    for (int k = 0; k < 3; ++k) ch[k] = from[k] + (count == 1 ? d[k] / 2 : (i * d[k] + h) / c);
    s.ramp[static_cast<std::size_t>(i)] = MakeRgb(ch[0], ch[1], ch[2]);
  }
  return slot;
}

int TGradientCache::Get(int count, TRgb start, TRgb end) {
  int slot = Find(count, start, end);
  return slot >= 0 ? slot : Make(count, start, end);
}
