// RGBA raster with the few drawing operations the media tools need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

// 0xAARRGGBB; alpha 0 is a transparent pixel.
using Rgba = uint32_t;

constexpr Rgba Opaque(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}
constexpr Rgba kTransparent = 0;

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Overlaps(const Rect& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
  bool Inside(int width, int height) const {
    return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= width && y + h <= height;
  }
};

class Canvas {
 public:
  Canvas(int w, int h, Rgba fill = kTransparent);
  int width() const { return w_; }
  int height() const { return h_; }
  Rgba At(int x, int y) const { return px_[size_t(y) * w_ + x]; }
  void Set(int x, int y, Rgba c);
  // Mixes c over the pixel with coverage 0..255 (the pixel becomes opaque).
  void Blend(int x, int y, Rgba c, int coverage);
  void FillRect(const Rect& r, Rgba c);
  void FrameRect(const Rect& r, Rgba c, int thickness = 1);
  // Rectangle with corners cut to radius rad (pixels outside stay as they are).
  void FillRoundRect(const Rect& r, int rad, Rgba c);
  void Paste(const Canvas& src, int x, int y);
  const std::vector<Rgba>& pixels() const { return px_; }
  // Binary PPM (transparent pixels as white).
  bool WritePpm(const std::string& path) const;

 private:
  int w_, h_;
  std::vector<Rgba> px_;
};

}  // namespace mediagen
