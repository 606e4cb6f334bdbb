#include "image.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace skingen {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, {255, 255, 255}, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, {0, 0, 0}, t); }

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Image::Set(int x, int y, Rgb c) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Image::Fill(int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) Set(x, y, c);
}

void Image::VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  for (int y = y0; y < y1; ++y) {
    Rgb c = Mix(top, bottom, y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0);
    for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
}

void Image::HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
  for (int x = x0; x < x1; ++x) {
    Rgb c = Mix(left, right, x1 - x0 > 1 ? double(x - x0) / (x1 - x0 - 1) : 0);
    for (int y = y0; y < y1; ++y) Set(x, y, c);
  }
}

void Image::HLine(int x0, int x1, int y, Rgb c) {
  for (int x = x0; x <= x1; ++x) Set(x, y, c);
}
void Image::VLine(int x, int y0, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y) Set(x, y, c);
}

void Image::Paint(int x0, int y0, int x1, int y1, const std::function<bool(int, int)>& inside,
                  const std::function<Rgb(int, int)>& colour) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (inside(x, y)) Set(x, y, colour(x, y));
}

void Image::FillPolygon(const std::vector<std::pair<double, double>>& pts, Rgb c) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      double px = x + 0.5, py = y + 0.5;
      bool in = false;
      for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        auto [xi, yi] = pts[i];
        auto [xj, yj] = pts[j];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
      }
      if (in) Set(x, y, c);
    }
  }
}

void Image::Blit(const Image& from, int x, int y) {
  for (int j = 0; j < from.height_; ++j)
    for (int i = 0; i < from.width_; ++i)
      if (from.Get(i, j) != kKey) Set(x + i, y + j, from.Get(i, j));
}

Image Image::Mirrored() const {
  Image m(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) m.Set(width_ - 1 - x, y, Get(x, y));
  return m;
}

Image Image::Flipped() const {
  Image m(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) m.Set(x, height_ - 1 - y, Get(x, y));
  return m;
}

Image Image::Transposed() const {
  Image t(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) t.Set(y, x, Get(x, y));
  return t;
}

Image Strip(int frames, int fw, int fh, const std::function<void(int, Image&)>& frame, bool vertical) {
  Image strip(vertical ? fw : fw * frames, vertical ? fh * frames : fh);
  for (int i = 1; i <= frames; ++i) {
    Image cell(fw, fh);
    frame(i, cell);
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x)
        strip.Set(vertical ? x : x + (i - 1) * fw, vertical ? y + (i - 1) * fh : y, cell.Get(x, y));
  }
  return strip;
}

namespace {
// Distance-based test of a rounded rectangle with the corner circles centred
// radius - 0.5 in from the edges.
bool InRounded(int x, int y, int x0, int y0, int x1, int y1, int radius) {
  if (radius <= 0) return true;
  double cx = x + 0.5, cy = y + 0.5;
  double left = x0 + radius, right = x1 - radius, top = y0 + radius, bottom = y1 - radius;
  double dx = cx < left ? left - cx : (cx > right ? cx - right : 0);
  double dy = cy < top ? top - cy : (cy > bottom ? cy - bottom : 0);
  return dx * dx + dy * dy <= radius * radius;
}
}  // namespace

void RoundedBox(Image& img, int x0, int y0, int x1, int y1, int radius, Rgb border, Rgb top, Rgb bottom) {
  for (int y = y0; y < y1; ++y) {
    Rgb fill = Mix(top, bottom, y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0);
    for (int x = x0; x < x1; ++x) {
      if (!InRounded(x, y, x0, y0, x1, y1, radius)) {
        img.Set(x, y, kKey);
        continue;
      }
      bool edge = !InRounded(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(radius - 1, 0)) || x == x0 ||
                  y == y0 || x == x1 - 1 || y == y1 - 1;
      img.Set(x, y, edge ? border : fill);
    }
  }
}

namespace {
void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void WriteBmp(const std::string& path, int width, int height, int bits, const std::vector<Rgb>& palette,
              const std::function<void(std::vector<std::uint8_t>&, int)>& row) {
  const unsigned rowBytes = ((static_cast<unsigned>(width) * bits + 31) / 32) * 4;
  const unsigned paletteBytes = static_cast<unsigned>(palette.size()) * 4;
  const unsigned offset = 14 + 40 + paletteBytes;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + rowBytes * height);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(width));
  Put32(out, static_cast<unsigned>(height));  // bottom-up
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);
  Put32(out, rowBytes * height);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<unsigned>(palette.size()));
  Put32(out, 0);
  for (Rgb c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> bytes;
    row(bytes, y);
    bytes.resize(rowBytes, 0);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}
}  // namespace

void SaveBmp24(const Image& img, const std::string& path) {
  if (img.Width() <= 0 || img.Height() <= 0) throw std::runtime_error(path + ": empty picture");
  WriteBmp(path, img.Width(), img.Height(), 24, {}, [&img](std::vector<std::uint8_t>& bytes, int y) {
    for (int x = 0; x < img.Width(); ++x) {
      Rgb c = img.Get(x, y);
      bytes.push_back(c.b);
      bytes.push_back(c.g);
      bytes.push_back(c.r);
    }
  });
}

void SaveBmpIndexed(const Image& img, const std::vector<Rgb>& palette, int bits, const std::string& path) {
  auto index = [&](int x, int y) {
    auto it = std::find(palette.begin(), palette.end(), img.Get(x, y));
    if (it == palette.end()) throw std::runtime_error(path + ": a colour outside the palette");
    return static_cast<unsigned>(it - palette.begin());
  };
  WriteBmp(path, img.Width(), img.Height(), bits, palette, [&](std::vector<std::uint8_t>& bytes, int y) {
    const int perByte = 8 / bits;
    for (int x = 0; x < img.Width(); x += perByte) {
      unsigned byte = 0;
      for (int k = 0; k < perByte; ++k)
        byte = (byte << bits) | (x + k < img.Width() ? index(x + k, y) : 0);
      bytes.push_back(static_cast<std::uint8_t>(byte));
    }
  });
}

}  // namespace skingen
