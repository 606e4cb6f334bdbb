#pragma once
// A small RGB picture with the drawing the skin needs, written as BMP files.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skingen {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr Rgb kKey{255, 0, 255};  // the transparent key colour
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb Lighter(Rgb c, double t);
Rgb Darker(Rgb c, double t);

class Image {
public:
  Image() = default;
  Image(int width, int height, Rgb fill = kKey);
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb Get(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void Set(int x, int y, Rgb c);  // outside the picture: ignored

  void Fill(int x0, int y0, int x1, int y1, Rgb c);  // [x0, x1) x [y0, y1)
  void VerticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
  void HorizontalGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right);
  void HLine(int x0, int x1, int y, Rgb c);  // inclusive
  void VLine(int x, int y0, int y1, Rgb c);
  // Pixels of [x0, x1) x [y0, y1) for which inside(x, y) holds get colour(x, y).
  void Paint(int x0, int y0, int x1, int y1, const std::function<bool(int, int)>& inside,
             const std::function<Rgb(int, int)>& colour);
  // A polygon filled by the even-odd rule at pixel centres.
  void FillPolygon(const std::vector<std::pair<double, double>>& points, Rgb c);
  void Blit(const Image& from, int x, int y);  // key-coloured pixels of from are skipped
  Image Mirrored() const;
  Image Flipped() const;  // upside down
  Image Transposed() const;

private:
  int width_ = 0, height_ = 0;
  std::vector<Rgb> pixels_;
};

// Frames side by side (or stacked), each drawn by frame(index from 1, cell).
Image Strip(int frames, int frameWidth, int frameHeight, const std::function<void(int, Image&)>& frame,
            bool vertical = false);

// A rounded box: outside the corners the key colour, a one-pixel border, a
// vertical gradient inside.
void RoundedBox(Image& img, int x0, int y0, int x1, int y1, int radius, Rgb border, Rgb top, Rgb bottom);

void SaveBmp24(const Image& img, const std::string& path);
// A palette picture: every pixel's colour must be in the palette (at most 16 or 2 entries).
void SaveBmpIndexed(const Image& img, const std::vector<Rgb>& palette, int bitsPerPixel, const std::string& path);

}  // namespace skingen
