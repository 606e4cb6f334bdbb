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
      {28, 2, false, "unsupported bits per pixel"},
      {30, 1, true, "compression does not fit the bits per pixel"},
      {30, 4, true, "unsupported compression"},
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

namespace {

// Colour table entries as stored: blue, green, red, unused.
const std::vector<std::uint8_t> kFiveColours = {
    0x30, 0x20, 0x10, 0,  // 0: (0x10, 0x20, 0x30)
    0x00, 0x00, 0xFF, 0,  // 1: red
    0x00, 0xFF, 0x00, 0,  // 2: green
    0xFF, 0x00, 0x00, 0,  // 3: blue
    0x80, 0x80, 0x80, 0,  // 4: grey
};
const TRgb c0 = MakeRgb(0x10, 0x20, 0x30), c1 = MakeRgb(255, 0, 0), c2 = MakeRgb(0, 255, 0), c3 = MakeRgb(0, 0, 255),
           c4 = MakeRgb(0x80, 0x80, 0x80);

// Decodes and compares every pixel, top row first.
void ExpectPixels(const std::vector<std::uint8_t>& file, const std::vector<std::vector<TRgb>>& rows) {
  TImage24 img;
  std::string why;
  ASSERT_TRUE(DecodeBmpEntry(file.data(), file.size(), img, why)) << why;
  ASSERT_EQ(img.Height(), static_cast<int>(rows.size()));
  ASSERT_EQ(img.Width(), static_cast<int>(rows[0].size()));
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      EXPECT_EQ(img.Pixel(x, y), rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) << x << "," << y;
}

std::string Refusal(const std::vector<std::uint8_t>& file) {
  TBmpInfo info;
  std::string why;
  EXPECT_FALSE(ParseBmpEntry(file.data(), file.size(), info, why));
  return why;
}


}  // namespace

TEST(SkinBmp, DecodesRle8RunsLiteralsDeltasAndLineEnds) {
  // Rows are coded from the bottom; pixels the code skips keep colour 0.
  const std::vector<std::uint8_t> code = {
      0x03, 0x01,                    // row 0: three pixels of 1
      0x00, 0x00,                    // end of line
      0x00, 0x03, 0x02, 0x03, 0x01,  // row 1: literal 2 3 1
      0x00,                          //   padding to a whole word
      0x00, 0x02, 0x00, 0x01,        // delta: same column (3), one row up
      0x01, 0x02,                    // row 2, x 3: one pixel of 2
      0x00, 0x00,                    // end of line
      0x00, 0x02, 0x02, 0x00,        // delta: two columns right
      0x02, 0x03,                    // row 3, x 2-3: two pixels of 3
      0x00, 0x01,                    // end of bitmap
  };
  ExpectPixels(RawBmp(4, 4, 8, 1, 5, kFiveColours, code), {{c0, c0, c3, c3},  // row 3
                                                           {c0, c0, c0, c2},  // row 2
                                                           {c2, c3, c1, c0},  // row 1
                                                           {c1, c1, c1, c0}});
}

TEST(SkinBmp, DecodesRle4HalfBytesAndCutsRunsAtTheRowEnd) {
  const std::vector<std::uint8_t> code = {
      0x05, 0x12,                    // row 0: 1 2 1 2 1 (high half first)
      0x00, 0x00,                    // end of line
      0x00, 0x03, 0x30, 0x10,        // row 1: literal 3 0 1 (two bytes, no padding)
      0x04, 0x23,                    //   2 3 at x 3-4; the rest of the run is past the edge
      0x00, 0x00,                    // end of line
      0x00, 0x05, 0x12, 0x30, 0x40,  // row 2: literal 1 2 3 0 4
      0x00,                          //   padding to a whole word
      0x00, 0x01,                    // end of bitmap
  };
  ExpectPixels(RawBmp(5, 3, 4, 2, 5, kFiveColours, code), {{c1, c2, c3, c0, c4},
                                                           {c3, c0, c1, c2, c3},
                                                           {c1, c2, c1, c2, c1}});
  // The last row full and no end mark: whole.
  ExpectPixels(RawBmp(2, 1, 4, 2, 5, kFiveColours, {0x02, 0x34}), {{c3, c4}});
}

TEST(SkinBmp, DecodesSixteenBitPixelsWithAndWithoutMasks) {
  // 5-5-5 without masks; the top bit is unused. Five bits b become (b << 3) | (b >> 2).
  const std::vector<std::uint8_t> rows555 = {
      0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0x00,  // bottom row: red, green, blue, padding
      0x10, 0x42, 0x1F, 0x80, 0x00, 0x00, 0x00, 0x00,  // top row: 16 16 16, blue (top bit set), black
  };
  ExpectPixels(RawBmp(3, 2, 16, 0, 0, {}, rows555),
               {{MakeRgb(132, 132, 132), MakeRgb(0, 0, 255), 0}, {MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255)}});
  // 5-6-5 through masks after the header: six bits g become (g << 2) | (g >> 4).
  const std::vector<std::uint8_t> rows565 = {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0x00, 0x00};
  ExpectPixels(RawBmp(3, 1, 16, 3, 0, BmpMasks(0xF800, 0x07E0, 0x001F), rows565),
               {{MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(132, 130, 132)}});
  // 4-4-4 with the top four bits unused: four bits n become n * 17.
  const std::vector<std::uint8_t> rows444 = {0x5A, 0x0F, 0x34, 0x12};
  ExpectPixels(RawBmp(2, 1, 16, 3, 0, BmpMasks(0x0F00, 0x00F0, 0x000F), rows444),
               {{MakeRgb(255, 85, 170), MakeRgb(34, 51, 68)}});
}

TEST(SkinBmp, DecodesThirtyTwoBitPixelsWithAnyMasks) {
  // Red in the low byte, blue in the third.
  ExpectPixels(RawBmp(1, 1, 32, 3, 0, BmpMasks(0xFF, 0xFF00, 0xFF0000), {0x11, 0x22, 0x33, 0x44}),
               {{MakeRgb(0x11, 0x22, 0x33)}});
  // Ten bits a channel, masks inside a 108-byte header: the top eight bits count.
  // 0x200FFC01: red 0x200, green 0x3FF, blue 0x001.
  std::vector<std::uint8_t> v4 = RawBmp(1, 1, 32, 3, 0, {}, {0x01, 0xFC, 0x0F, 0x20}, 108);
  Put32(v4, 54, 0x3FF00000);
  Put32(v4, 58, 0x000FFC00);
  Put32(v4, 62, 0x000003FF);
  ExpectPixels(v4, {{MakeRgb(0x80, 0xFF, 0x00)}});
  TBmpInfo info;
  std::string why;
  ASSERT_TRUE(ParseBmpEntry(v4.data(), v4.size(), info, why));
  EXPECT_FALSE(info.SystemLayout());
  std::vector<std::uint8_t> plain = RawBmp(1, 1, 32, 3, 0, BmpMasks(0xFF0000, 0xFF00, 0xFF), {1, 2, 3, 0});
  ASSERT_TRUE(ParseBmpEntry(plain.data(), plain.size(), info, why));
  EXPECT_TRUE(info.SystemLayout());
}

TEST(SkinBmp, RefusesMalformedRleCodeAndMasks) {
  const std::vector<std::uint8_t> two = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    const char* reason;
  };
  std::vector<std::uint8_t> topDown = RawBmp(2, 1, 8, 1, 2, two, {0x02, 0x01, 0x00, 0x01});
  Put32(topDown, 22, static_cast<std::uint32_t>(-1));
  const Case cases[] = {
      {"a run past the last row", RawBmp(2, 1, 8, 1, 2, two, {0x02, 0x01, 0x00, 0x00, 0x01, 0x01}),
       "RLE code runs past the end of the bitmap"},
      {"a line end past the last row", RawBmp(2, 1, 8, 1, 2, two, {0x02, 0x01, 0x00, 0x00, 0x00, 0x00}),
       "RLE code runs past the end of the bitmap"},
      {"code that stops on the first of two rows", RawBmp(2, 2, 8, 1, 2, two, {0x02, 0x01, 0x00, 0x00}),
       "RLE code ends before the end of the bitmap"},
      {"a literal run longer than the code", RawBmp(4, 1, 8, 1, 2, two, {0x00, 0x04, 0x01, 0x00}),
       "RLE run cut short"},
      {"an RLE4 literal run longer than the code", RawBmp(8, 1, 4, 2, 2, two, {0x00, 0x07, 0x11, 0x11}),
       "RLE run cut short"},
      {"a delta past the right edge", RawBmp(2, 2, 8, 1, 2, two, {0x00, 0x02, 0x03, 0x00, 0x00, 0x01}),
       "RLE delta moves out of the bitmap"},
      {"a delta past the top", RawBmp(2, 2, 8, 1, 2, two, {0x00, 0x02, 0x00, 0x03, 0x00, 0x01}),
       "RLE delta moves out of the bitmap"},
      {"a delta without its offsets", RawBmp(2, 2, 8, 1, 2, two, {0x00, 0x02, 0x01}), "RLE delta cut short"},
      {"RLE stored top-down", topDown, "RLE bitmaps must be stored bottom-up"},
      {"RLE8 code for 4-bit pixels", RawBmp(2, 1, 4, 1, 2, two, {0x02, 0x01}),
       "compression does not fit the bits per pixel"},
      {"bit fields for 24-bit pixels", RawBmp(1, 1, 24, 3, 0, BmpMasks(0xFF0000, 0xFF00, 0xFF), {1, 2, 3, 0}),
       "compression does not fit the bits per pixel"},
      {"a mask in two pieces", RawBmp(1, 1, 16, 3, 0, BmpMasks(0x0F0F, 0x00F0, 0), {0, 0, 0, 0}),
       "unusable colour masks"},
      {"a mask wider than the pixel", RawBmp(1, 1, 16, 3, 0, BmpMasks(0x1F0000, 0x00F0, 0x000F), {0, 0, 0, 0}),
       "unusable colour masks"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.file), c.reason) << c.what;
  // A few bytes of code may claim a huge picture: at most 2048 x 2048 pixels are decoded.
  const std::vector<std::uint8_t> endMark = {0x00, 0x01};
  EXPECT_EQ(Refusal(RawBmp(2048, 2049, 8, 1, 2, two, endMark)), "RLE bitmap too large");
  EXPECT_EQ(Refusal(RawBmp(8208, 1792, 4, 2, 2, two, endMark)), "RLE bitmap too large");
  std::vector<std::uint8_t> largest = RawBmp(2048, 2048, 8, 1, 2, two, endMark);
  TBmpInfo info;
  std::string why;
  EXPECT_TRUE(ParseBmpEntry(largest.data(), largest.size(), info, why)) << why;
  // The code's size in the header ends it: here before the end mark.
  std::vector<std::uint8_t> cut = RawBmp(2, 2, 8, 1, 2, two, {0x02, 0x01, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01});
  Put32(cut, 34, 4);
  EXPECT_EQ(Refusal(cut), "RLE code ends before the end of the bitmap");
}
