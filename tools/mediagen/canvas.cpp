#include "canvas.h"

#include <algorithm>
#include <cstdio>

namespace mediagen {

Canvas::Canvas(int w, int h, Rgba fill) : w_(w), h_(h), px_(size_t(w) * h, fill) {}

void Canvas::Set(int x, int y, Rgba c) {
  if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[size_t(y) * w_ + x] = c;
}

void Canvas::Blend(int x, int y, Rgba c, int coverage) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0) return;
  if (coverage >= 255) { px_[size_t(y) * w_ + x] = c | 0xFF000000u; return; }
  Rgba d = px_[size_t(y) * w_ + x];
  if ((d >> 24) == 0) d = Opaque(255, 255, 255);
  auto mix = [&](int shift) {
    int a = (c >> shift) & 0xFF, b = (d >> shift) & 0xFF;
    return uint32_t((a * coverage + b * (255 - coverage) + 127) / 255) << shift;
  };
  px_[size_t(y) * w_ + x] = 0xFF000000u | mix(16) | mix(8) | mix(0);
}

void Canvas::FillRect(const Rect& r, Rgba c) {
  int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  int x1 = std::min(r.x + r.w, w_), y1 = std::min(r.y + r.h, h_);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) px_[size_t(y) * w_ + x] = c;
}

void Canvas::FrameRect(const Rect& r, Rgba c, int t) {
  FillRect({r.x, r.y, r.w, t}, c);
  FillRect({r.x, r.y + r.h - t, r.w, t}, c);
  FillRect({r.x, r.y, t, r.h}, c);
  FillRect({r.x + r.w - t, r.y, t, r.h}, c);
}

void Canvas::FillRoundRect(const Rect& r, int rad, Rgba c) {
  rad = std::min(rad, std::min(r.w, r.h) / 2);
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x) {
      int dx = 0, dy = 0;
      if (x < rad) dx = rad - x; else if (x >= r.w - rad) dx = x - (r.w - rad - 1);
      if (y < rad) dy = rad - y; else if (y >= r.h - rad) dy = y - (r.h - rad - 1);
      if (dx * dx + dy * dy > rad * rad) continue;
      Set(r.x + x, r.y + y, c);
    }
  }
}

void Canvas::Paste(const Canvas& src, int x, int y) {
  for (int sy = 0; sy < src.h_; ++sy)
    for (int sx = 0; sx < src.w_; ++sx) {
      Rgba c = src.At(sx, sy);
      if (c >> 24) Set(x + sx, y + sy, c);
    }
}

bool Canvas::WritePpm(const std::string& path) const {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", w_, h_);
  std::vector<unsigned char> row(size_t(w_) * 3);
  for (int y = 0; y < h_; ++y) {
    for (int x = 0; x < w_; ++x) {
      Rgba c = At(x, y);
      if ((c >> 24) == 0) c = Opaque(255, 255, 255);
      row[x * 3] = (c >> 16) & 0xFF;
      row[x * 3 + 1] = (c >> 8) & 0xFF;
      row[x * 3 + 2] = c & 0xFF;
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  return std::fclose(f) == 0;
}

}  // namespace mediagen
