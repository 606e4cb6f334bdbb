// The ".bmp" entries of a skin container: checking and decoding.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bmp_file.h"
#include "skin/portable/bmp_entry.h"

namespace {

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
