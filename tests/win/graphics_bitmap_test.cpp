#include <array>
#include <cstring>
#include <functional>

#include "graphics_support.h"
#include "native/bmp_file.h"
#include "toolkit/base/file_io.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/image_list.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TColor FromRgb(std::uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

std::uint32_t Pattern24(int x, int y) { return static_cast<std::uint32_t>((x * 40) << 16 | (y * 70) << 8 | (x + y) * 9); }

struct BitmapTest : GraphicsFixture {};

TEST_F(BitmapTest, GoodFilesLoadWithTheirPixels) {
  const std::vector<std::uint32_t> pal8 = {0x0A141E, 0xC80000, 0x00C800, 0x0102FA};
  const std::vector<std::uint32_t> pal1 = {0x000000, 0xFFFFFF};
  const std::vector<std::uint32_t> pal4 = {0x000000, 0x090909, 0x5A5A5A, 0x00FFFF, 0xFF00FF};
  struct Case {
    const char* name;
    int w, h, bpp;
    std::vector<std::uint32_t> pal;
    std::function<std::uint32_t(int, int)> value;
    bool topDown;
    TPixelFormat format;
  } cases[] = {
      {"24 bpp bottom-up", 5, 3, 24, {}, Pattern24, false, TPixelFormat::pf24bit},
      {"24 bpp top-down", 5, 3, 24, {}, Pattern24, true, TPixelFormat::pf24bit},
      {"32 bpp", 3, 4, 32, {}, Pattern24, false, TPixelFormat::pf32bit},
      {"8 bpp, short colour table", 7, 2, 8, pal8, [](int x, int y) { return (x + y) % 4u; }, false,
       TPixelFormat::pf8bit},
      {"4 bpp", 9, 3, 4, pal4, [](int x, int y) { return (x * y) % 5u; }, false, TPixelFormat::pf4bit},
      {"1 bpp, padded rows", 35, 3, 1, pal1, [](int x, int y) { return (x ^ y) & 1u; }, false, TPixelFormat::pf1bit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file = MakeBmp(c.w, c.h, c.bpp, c.pal, c.value, c.topDown);
    TBitmap b;
    b.LoadFromMemory(file.data(), file.size());
    ASSERT_EQ(b.GetWidth(), c.w);
    ASSERT_EQ(b.GetHeight(), c.h);
    EXPECT_EQ(b.GetPixelFormat(), c.format);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        std::uint32_t v = c.value(x, y);
        TColor want = FromRgb(c.pal.empty() ? v : c.pal[v]);
        ASSERT_EQ(b.GetPixel(x, y), want) << x << "," << y;
      }
    // GDI sees the same pixels through the bitmap's canvas.
    EXPECT_EQ(::GetPixel(b.Canvas().Handle(), c.w - 1, 0), static_cast<COLORREF>(b.GetPixel(c.w - 1, 0)));
  }
}

TEST_F(BitmapTest, DamagedFilesRaiseAndKeepThePreviousPicture) {
  const Bytes good = MakeBmp(4, 4, 8, {0x010203, 0x040506}, [](int x, int) { return x & 1u; });
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
  } cases[] = {
      {"not a BMP", [](Bytes& b) { b[0] = 'X'; }},
      {"cut inside the header", [](Bytes& b) { b.resize(30); }},
      {"pixel offset past the end", [](Bytes& b) { Put32(b, 10, 100000); }},
      {"pixel offset inside the header", [](Bytes& b) { Put32(b, 10, 20); }},
      {"unknown header size", [](Bytes& b) { Put32(b, 14, 20); }},
      {"header larger than the data before the pixels", [](Bytes& b) { Put32(b, 14, 124); }},
      {"zero width", [](Bytes& b) { Put32(b, 18, 0); }},
      {"negative width", [](Bytes& b) { Put32(b, 18, static_cast<std::uint32_t>(-4)); }},
      {"zero height", [](Bytes& b) { Put32(b, 22, 0); }},
      {"huge size, little data", [](Bytes& b) { Put32(b, 18, 30000); Put32(b, 22, 30000); }},
      {"two planes", [](Bytes& b) { Put16(b, 26, 2); }},
      {"16 bpp", [](Bytes& b) { Put16(b, 28, 16); }},
      {"7 bpp", [](Bytes& b) { Put16(b, 28, 7); }},
      {"run-length compression", [](Bytes& b) { Put32(b, 30, 1); }},
      {"more colours than 8 bits hold", [](Bytes& b) { Put32(b, 46, 300); }},
      {"colour table longer than the file's", [](Bytes& b) { Put32(b, 46, 200); }},
      {"pixel rows cut short", [](Bytes& b) { b.pop_back(); }},
  };
  TBitmap b;
  b.LoadFromMemory(good.data(), good.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bad = good;
    c.damage(bad);
    EXPECT_THROW(b.LoadFromMemory(bad.data(), bad.size()), EInvalidGraphic);
    EXPECT_EQ(b.GetWidth(), 4);
    EXPECT_EQ(b.GetHeight(), 4);
    EXPECT_EQ(b.GetPixel(1, 0), RGB(4, 5, 6));
  }
  EXPECT_THROW(b.LoadFromMemory(nullptr, 0), EInvalidGraphic);
  EXPECT_THROW(b.LoadFromResourceName(GetModuleHandleW(nullptr), "NOSUCHBITMAP"), EInvalidGraphic);
}

TEST_F(BitmapTest, LoadsFromAFileWithAChinesePathAndFromAStream) {
  Bytes file = MakeBmp(3, 2, 24, {}, Pattern24);
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::string path = WideToGbk(tmp) + "位图测试.bmp";
  ASSERT_TRUE(WriteFileBytes(path, file.data(), file.size()));
  TBitmap b;
  b.LoadFromFile(path);
  RemoveFile(path);
  EXPECT_EQ(b.GetPixel(2, 1), FromRgb(Pattern24(2, 1)));
  EXPECT_THROW(b.LoadFromFile(path), EInvalidGraphic);

  struct Stream {
    const Bytes& data;
    std::int64_t pos = 0;
    std::int64_t Size() { return static_cast<std::int64_t>(data.size()); }
    std::int64_t Position() { return pos; }
    void ReadBuffer(void* buf, std::int64_t n) {
      std::memcpy(buf, data.data() + pos, static_cast<std::size_t>(n));
      pos += n;
    }
  };
  Bytes prefixed(5, 0xEE);
  Bytes second = MakeBmp(6, 1, 24, {}, Pattern24);
  prefixed.insert(prefixed.end(), second.begin(), second.end());
  Stream s{prefixed, 5};
  b.LoadFromStream(s);
  EXPECT_EQ(b.GetWidth(), 6);
  EXPECT_EQ(b.GetPixel(5, 0), FromRgb(Pattern24(5, 0)));
}

TEST_F(BitmapTest, PixelFormatConversionKeepsColours) {
  // Colours each format's palette holds exactly.
  struct Case {
    TPixelFormat format;
    std::vector<TColor> colours;
  } cases[] = {
      {TPixelFormat::pf1bit, {clBlack, clWhite}},
      {TPixelFormat::pf4bit, {clBlack, clMaroon, clTeal, clSilver, clGray, clRed, clFuchsia, clWhite}},
      {TPixelFormat::pf8bit, {RGB(0, 51, 102), RGB(255, 204, 153), RGB(255, 0, 255), clWhite}},
      {TPixelFormat::pf32bit, {RGB(1, 2, 3), RGB(254, 128, 7), clFuchsia}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(BitsPerPixel(c.format));
    TBitmap b;
    b.SetSize(static_cast<int>(c.colours.size()) * 3 + 1, 2);
    for (int x = 0; x < b.GetWidth(); ++x)
      for (int y = 0; y < 2; ++y) b.SetPixel(x, y, c.colours[static_cast<std::size_t>(x + y) % c.colours.size()]);
    b.SetPixelFormat(c.format);
    EXPECT_EQ(b.GetPixelFormat(), c.format);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    for (int x = 0; x < b.GetWidth(); ++x)
      for (int y = 0; y < 2; ++y)
        ASSERT_EQ(b.GetPixel(x, y), c.colours[static_cast<std::size_t>(x + y) % c.colours.size()]) << x << "," << y;
  }
  // Fewer bits pick the nearest colour.
  TBitmap g;
  g.SetSize(2, 1);
  g.SetPixel(0, 0, RGB(30, 30, 30));
  g.SetPixel(1, 0, RGB(220, 230, 210));
  g.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(g.GetPixel(0, 0), clBlack);
  EXPECT_EQ(g.GetPixel(1, 0), clWhite);
}

TEST_F(BitmapTest, ScanLinesAreTheRowsTopFirst) {
  TBitmap b;
  b.SetSize(5, 3);
  b.Canvas().Brush().SetColor(RGB(10, 20, 30));
  b.Canvas().FillRect(RECT{0, 1, 5, 2});
  auto* row1 = static_cast<std::uint8_t*>(b.ScanLine(1));
  EXPECT_EQ(row1[0], 30);  // blue, green, red
  EXPECT_EQ(row1[1], 20);
  EXPECT_EQ(row1[2], 10);
  EXPECT_EQ(static_cast<std::uint8_t*>(b.ScanLine(0))[0], 0);
  EXPECT_EQ(static_cast<std::uint8_t*>(b.ScanLine(1)) - static_cast<std::uint8_t*>(b.ScanLine(0)), 16);
  EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
  // Writing through the scan line is what GDI draws; the handle may go to another DC.
  row1[4 * 3 + 2] = 255;
  HBITMAP h = b.Handle();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, h);
  EXPECT_EQ(::GetPixel(dc, 4, 1), RGB(255, 20, 30));
  SelectObject(dc, old);
  DeleteDC(dc);
  b.Canvas().Brush().SetColor(clLime);
  b.Canvas().FillRect(RECT{0, 0, 1, 1});
  EXPECT_EQ(b.GetPixel(0, 0), clLime);
  // Growing keeps what fits.
  b.SetSize(7, 4);
  EXPECT_EQ(b.GetPixel(0, 0), clLime);
  EXPECT_EQ(b.GetPixel(4, 1), RGB(255, 20, 30));
  EXPECT_EQ(b.GetPixel(6, 3), clBlack);
  // A canvas held across a resize draws on the new pixels.
  TCanvas& held = b.Canvas();
  b.SetSize(8, 4);
  held.Brush().SetColor(clYellow);
  held.FillRect(RECT{7, 3, 8, 4});
  EXPECT_EQ(b.GetPixel(7, 3), clYellow);
}

TEST_F(BitmapTest, MaskOfAColourIsWhiteWhereThatColourWas) {
  TBitmap b;
  b.SetSize(4, 2);
  b.SetPixel(1, 0, clFuchsia);
  b.SetPixel(3, 1, clFuchsia);
  b.SetPixel(2, 1, RGB(254, 0, 255));  // near, but not the colour
  b.Mask(clFuchsia);
  EXPECT_EQ(b.GetPixelFormat(), TPixelFormat::pf1bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      bool hole = (x == 1 && y == 0) || (x == 3 && y == 1);
      EXPECT_EQ(b.GetPixel(x, y), hole ? clWhite : clBlack) << x << "," << y;
    }
}

TEST_F(BitmapTest, TransparentDrawKeepsTheBackgroundUnderTheKeyColour) {
  TBitmap dest;
  dest.SetSize(10, 10);
  dest.Canvas().Brush().SetColor(clGreen);
  dest.Canvas().FillRect(RECT{0, 0, 10, 10});
  TBitmap src;
  src.SetSize(4, 4);
  src.Canvas().Brush().SetColor(clFuchsia);
  src.Canvas().FillRect(RECT{0, 0, 4, 4});
  src.Canvas().Brush().SetColor(clRed);
  src.Canvas().FillRect(RECT{1, 1, 3, 3});

  src.SetTransparent(true);
  EXPECT_EQ(src.GetTransparentColor(), clFuchsia);  // the bottom-left pixel by default
  dest.Canvas().Draw(2, 2, src);
  EXPECT_EQ(dest.GetPixel(2, 2), clGreen);
  EXPECT_EQ(dest.GetPixel(5, 5), clGreen);
  EXPECT_EQ(dest.GetPixel(3, 3), clRed);
  EXPECT_EQ(dest.GetPixel(4, 4), clRed);

  src.SetTransparentColor(clRed);
  dest.Canvas().Draw(2, 2, src);
  EXPECT_EQ(dest.GetPixel(2, 2), clFuchsia);
  EXPECT_EQ(dest.GetPixel(3, 3), clRed);  // the red pixels drawn before show through

  src.SetTransparent(false);
  dest.Canvas().StretchDraw(RECT{0, 0, 8, 8}, src);
  EXPECT_EQ(dest.GetPixel(0, 0), clFuchsia);
  EXPECT_EQ(dest.GetPixel(3, 3), clRed);
  EXPECT_EQ(dest.GetPixel(6, 6), clFuchsia);
  EXPECT_EQ(dest.GetPixel(9, 9), clGreen);

  TBitmap copy;
  copy.SetSize(2, 2);
  copy.Canvas().CopyRect(RECT{0, 0, 2, 2}, dest.Canvas(), RECT{3, 3, 5, 5});
  EXPECT_EQ(copy.GetPixel(0, 0), clRed);
  EXPECT_EQ(copy.GetPixel(1, 1), clRed);
}

TEST_F(BitmapTest, AssignCopiesPixelsAndTransparency) {
  TBitmap a;
  a.SetPixelFormat(TPixelFormat::pf8bit);
  a.SetSize(3, 3);
  a.SetPixel(2, 2, clWhite);
  a.SetTransparent(true);
  a.SetTransparentColor(clWhite);
  TBitmap b;
  b.Assign(a);
  a.SetPixel(2, 2, clBlack);
  EXPECT_EQ(b.GetPixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(b.GetPixel(2, 2), clWhite);
  EXPECT_TRUE(b.GetTransparent());
  EXPECT_EQ(b.GetTransparentColor(), clWhite);
  TFont font;
  EXPECT_THROW(b.Assign(font), EPropertyError);
}

TEST_F(BitmapTest, ImageListSplitsStripsAndDrawsThroughTheMask) {
  // Two 16x16 glyphs on white: a black square, then a black bar.
  TBitmap strip;
  strip.SetSize(32, 16);
  strip.Canvas().Brush().SetColor(clWhite);
  strip.Canvas().FillRect(RECT{0, 0, 32, 16});
  strip.Canvas().Brush().SetColor(clBlack);
  strip.Canvas().FillRect(RECT{4, 4, 12, 12});
  strip.Canvas().FillRect(RECT{16, 7, 32, 9});
  TImageList list(nullptr);
  EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
  EXPECT_EQ(list.Count(), 2);

  TBitmap dest;
  dest.SetSize(20, 20);
  dest.Canvas().Brush().SetColor(clBlue);
  dest.Canvas().FillRect(RECT{0, 0, 20, 20});
  list.Draw(dest.Canvas(), 2, 2, 1);
  EXPECT_EQ(dest.GetPixel(2, 2), clBlue);     // white glyph background stays out
  EXPECT_EQ(dest.GetPixel(2, 9), clBlack);    // the bar (row 7 of the glyph)
  EXPECT_EQ(dest.GetPixel(17, 10), clBlack);
  EXPECT_EQ(dest.GetPixel(8, 8), clBlue);     // not the first glyph's square
  list.Draw(dest.Canvas(), 0, 0, 2);          // no such image
  list.Draw(dest.Canvas(), 0, 0, -1);
  EXPECT_EQ(dest.GetPixel(0, 0), clBlue);

  // Without a mask the whole cell is copied; an explicit mask chooses the holes.
  TImageList plain(nullptr);
  plain.Add(strip, nullptr);
  plain.Draw(dest.Canvas(), 0, 0, 0);
  EXPECT_EQ(dest.GetPixel(0, 0), clWhite);
  TBitmap mask;
  mask.SetSize(32, 16);
  mask.Canvas().Brush().SetColor(clWhite);
  mask.Canvas().FillRect(RECT{0, 0, 8, 16});
  EXPECT_EQ(plain.Add(strip, &mask), 2);
  dest.Canvas().Brush().SetColor(clBlue);
  dest.Canvas().FillRect(RECT{0, 0, 20, 20});
  plain.Draw(dest.Canvas(), 0, 0, 2);
  EXPECT_EQ(dest.GetPixel(1, 1), clBlue);
  EXPECT_EQ(dest.GetPixel(6, 6), clBlue);    // masked half of the square
  EXPECT_EQ(dest.GetPixel(10, 10), clBlack);
  EXPECT_EQ(dest.GetPixel(14, 1), clWhite);
}

}  // namespace
