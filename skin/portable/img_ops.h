#pragma once
// Pixel arithmetic of the skin engine on 24-bit images (3 bytes a pixel,
// blue, green, red; rows padded to a stride), and colour mixing. No windows.h:
// the window side hands its bitmaps' memory in as views.
#include <array>
#include <cstdint>
#include <vector>

// Colours as the toolkit writes them: red in the low byte, then green, blue.
using TRgb = std::uint32_t;

constexpr int RgbRed(TRgb c) { return static_cast<int>(c & 0xFF); }
constexpr int RgbGreen(TRgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int RgbBlue(TRgb c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TRgb MakeRgb(int r, int g, int b) {
  return static_cast<TRgb>(r & 0xFF) | (static_cast<TRgb>(g & 0xFF) << 8) | (static_cast<TRgb>(b & 0xFF) << 16);
}
constexpr TRgb KeyColour = 0xFF00FF;  // magenta: transparent in every skin image

// A 24-bit image in memory the caller owns; row 0 is the top row.
struct TPixels24 {
  std::uint8_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // bytes from one row to the next (at least 3 * Width)
  std::uint8_t* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
};

// A 24-bit image that owns its pixels, rows padded to 4 bytes like a DIB.
class TImage24 {
public:
  TImage24() = default;
  TImage24(int width, int height) { Resize(width, height); }
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixels24 View() { return TPixels24{bits_.data(), width_, height_, Stride(width_)}; }
  TRgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, TRgb c);
  static int Stride(int width) { return (width * 3 + 3) & ~3; }

private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> bits_;
};

// Every pixel of exactly the key colour takes colour (already a plain RGB).
void ReplaceColorKey(const TPixels24& image, TRgb colour);
// Copies source onto target pixel by pixel, leaving out the pixels of exactly
// the key colour; the smaller of the two sizes is copied.
void CopyUnlessKey(const TPixels24& source, const TPixels24& target, TRgb key);
// Left-right mirror and top-bottom flip in place.
void MirrorPixels(const TPixels24& image);
void FlipPixels(const TPixels24& image);
// Quarter turns of source into target, which must be source.Height wide and
// source.Width high. Left is counter-clockwise.
void RotatePixelsLeft(const TPixels24& source, const TPixels24& target);
void RotatePixelsRight(const TPixels24& source, const TPixels24& target);

// Mix of two plain colours: weight below 100 is a percentage of colour1,
// from 100 on a per-mille value; weights outside 0..1000 are clamped.
TRgb BlendRgb(TRgb colour1, TRgb colour2, int weight);
// How vivid a colour is, 0..255; 200 for any colour with every channel below 160.
int SaturationLevel(TRgb colour);

// The 16 most recent two-colour ramps (one colour per line of a gradient),
// filled round robin. Each slot remembers the count and colours it was made
// for; a lookup compares those, not the ramp's ends.
class TGradientCache {
public:
  static constexpr int Slots = 16;
  // count must be positive (EAssertionFailed otherwise). Slot or -1.
  int Find(int count, TRgb start, TRgb end) const;
  int Make(int count, TRgb start, TRgb end);
  int Get(int count, TRgb start, TRgb end);
  const std::vector<TRgb>& Ramp(int slot) const { return slots_.at(static_cast<std::size_t>(slot)).ramp; }

private:
  struct TSlot {
    int count = 0;
    TRgb start = 0, end = 0;
    std::vector<TRgb> ramp;
  };
  std::array<TSlot, Slots> slots_{};
  int next_ = 0;
};
