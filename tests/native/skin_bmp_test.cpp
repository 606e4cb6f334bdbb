// The ".bmp" entries of a skin container: checking and decoding.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin/portable/bmp_entry.h"

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A bitmap file with a 40-byte header; pixel(x, y) gives the stored value of
// each pixel (a palette index, or 0xRRGGBB), y counted from the top.
template <class Pixel>
std::vector<std::uint8_t> MakeBmp(int w, int h, int bpp, const std::vector<std::uint32_t>& palette, Pixel pixel,
                                  bool topDown = false) {
  std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
  std::size_t offset = 14 + 40 + palette.size() * 4;
  std::vector<std::uint8_t> b(offset + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, static_cast<std::uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(w));
  Put32(b, 22, static_cast<std::uint32_t>(topDown ? -h : h));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<std::uint16_t>(bpp));
  Put32(b, 46, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    std::uint32_t c = palette[i];
    b[54 + i * 4] = static_cast<std::uint8_t>(c);  // blue
    b[54 + i * 4 + 1] = static_cast<std::uint8_t>(c >> 8);
    b[54 + i * 4 + 2] = static_cast<std::uint8_t>(c >> 16);
  }
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = b.data() + offset + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      std::uint32_t v = pixel(x, y);
      switch (bpp) {
        case 1: row[x / 8] |= static_cast<std::uint8_t>(v << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>(v << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = static_cast<std::uint8_t>(v); break;
        default:
          row[x * (bpp / 8)] = static_cast<std::uint8_t>(v);
          row[x * (bpp / 8) + 1] = static_cast<std::uint8_t>(v >> 8);
          row[x * (bpp / 8) + 2] = static_cast<std::uint8_t>(v >> 16);
      }
    }
  }
  return b;
}

std::vector<std::uint8_t> Sample24() {
  return MakeBmp(3, 2, 24, {}, [](int x, int y) { return static_cast<std::uint32_t>(0x102030 * (x + 1) + y); });
}

}  // namespace

TEST(SkinBmp, DecodesEveryDepthTopRowFirst) {
  TImage24 img;
  std::string why;
  std::vector<std::uint8_t> b24 = Sample24();
  ASSERT_TRUE(DecodeBmpEntry(b24.data(), b24.size(), img, why)) << why;
  ASSERT_EQ(img.Width(), 3);
  EXPECT_EQ(img.Pixel(2, 1), MakeRgb(0x30, 0x60, 0x91));  // stored 0x306091: blue byte first
  // Palettes: 1, 4 and 8 bits, bottom-up and top-down.
  std::vector<std::uint32_t> grey = {0x000000, 0xFFFFFF};
  auto b1 = MakeBmp(9, 2, 1, grey, [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2); }, true);
  ASSERT_TRUE(DecodeBmpEntry(b1.data(), b1.size(), img, why)) << why;
  EXPECT_EQ(img.Pixel(8, 0), 0u);
  EXPECT_EQ(img.Pixel(8, 1), 0xFFFFFFu);
  std::vector<std::uint32_t> vga(16);
  for (int i = 0; i < 16; ++i) vga[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i * 0x010101);
  auto b4 = MakeBmp(5, 3, 4, vga, [](int x, int y) { return static_cast<std::uint32_t>(x + 5 * y); });
  ASSERT_TRUE(DecodeBmpEntry(b4.data(), b4.size(), img, why)) << why;
  EXPECT_EQ(img.Pixel(4, 2), 14u * 0x010101u);
  auto b8 = MakeBmp(2, 1, 8, {0xFF00FF, 0x00FF00}, [](int x, int) { return static_cast<std::uint32_t>(x); });
  ASSERT_TRUE(DecodeBmpEntry(b8.data(), b8.size(), img, why)) << why;
  EXPECT_EQ(img.Pixel(0, 0), KeyColour);
}

TEST(SkinBmp, RefusesDamagedFilesWithAReason) {
  std::vector<std::uint8_t> good = Sample24();
  TBmpInfo info;
  std::string why;
  ASSERT_TRUE(ParseBmpEntry(good.data(), good.size(), info, why));
  EXPECT_EQ(info.Stride, 12u);  // 9 bytes of pixels padded to 12
  // Every shorter prefix is refused without reading past it.
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(ParseBmpEntry(cut.data(), cut.size(), info, why)) << n;
  }
  struct Damage {
    std::size_t at;
    std::uint32_t value;
    bool wide;
    const char* reason;
  };
  const Damage cases[] = {
      {0, 'X', false, "not a bitmap file"},
      {10, 0xFFFFFFF0u, true, "pixel data offset out of range"},
      {14, 20, true, "unknown header size"},
      {14, 0x7FFFFFFF, true, "unknown header size"},
      {18, 0, true, "size out of range"},
      {18, 0x80000000u, true, "size out of range"},
      {18, 40000, true, "size out of range"},
      {22, 0x7FFFFFFF, true, "size out of range"},
      {26, 2, false, "planes must be 1"},
      {28, 16, false, "unsupported bits per pixel"},
      {30, 1, true, "compressed bitmaps are not supported"},
      {22, 3, true, "pixel data truncated"},
  };
  for (const Damage& d : cases) {
    std::vector<std::uint8_t> bad = good;
    if (d.wide) Put32(bad, d.at, d.value);
    else Put16(bad, d.at, static_cast<std::uint16_t>(d.value));
    EXPECT_FALSE(ParseBmpEntry(bad.data(), bad.size(), info, why)) << d.reason;
    EXPECT_EQ(why, d.reason);
  }
  // A colour table longer than the depth allows, or reaching past the data.
  auto pal = MakeBmp(2, 1, 1, {0, 0xFFFFFF}, [](int x, int) { return static_cast<std::uint32_t>(x); });
  Put32(pal, 46, 3);
  EXPECT_FALSE(ParseBmpEntry(pal.data(), pal.size(), info, why));
  EXPECT_EQ(why, "too many colours");
  // A decode that fails leaves the image as it was.
  TImage24 img(1, 1);
  img.SetPixel(0, 0, 0x123456);
  good[28] = 7;
  EXPECT_FALSE(DecodeBmpEntry(good.data(), good.size(), img, why));
  EXPECT_EQ(img.Pixel(0, 0), 0x123456u);
}
