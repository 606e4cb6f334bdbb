// The portable bitmap decoder against the system's own: every kind of file
// drawn by GDI into a 24-bit bitmap gives the pixels DecodeBmpEntry gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "native/bmp_file.h"
#include "skin/portable/bmp_entry.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

// The file's pixels as StretchDIBits draws them onto a white 24-bit bitmap.
std::vector<TRgb> SystemPixels(const Bytes& file, int w, int h) {
  std::vector<TRgb> out;
  BITMAPINFO target{};
  target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  target.bmiHeader.biWidth = w;
  target.bmiHeader.biHeight = -h;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  PatBlt(dc, 0, 0, w, h, WHITENESS);
  const std::uint32_t pixelsAt = file[10] | file[11] << 8 | file[12] << 16 | file[13] << 24;
  const int lines = StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, file.data() + pixelsAt,
                                  reinterpret_cast<const BITMAPINFO*>(file.data() + 14), DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  if (lines > 0) {
    const int stride = (w * 3 + 3) & ~3;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint8_t* p = static_cast<std::uint8_t*>(bits) + y * stride + x * 3;
        out.push_back(MakeRgb(p[2], p[1], p[0]));
      }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  return out;
}

void ExpectAsTheSystem(const char* what, const Bytes& file) {
  SCOPED_TRACE(what);
  TImage24 image;
  std::string why;
  ASSERT_TRUE(DecodeBmpEntry(file.data(), file.size(), image, why)) << why;
  const std::vector<TRgb> system = SystemPixels(file, image.Width(), image.Height());
  ASSERT_EQ(system.size(), static_cast<std::size_t>(image.Width() * image.Height()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      ASSERT_EQ(image.Pixel(x, y), system[static_cast<std::size_t>(y * image.Width() + x)]) << x << "," << y;
}


// Rows of 16-bit values: row 0 every value of the first channel, row 1 of the
// second, row 2 of the third (bottom row first).
Bytes Ramps(int width, const int shifts[3]) {
  Bytes rows;
  for (int channel = 0; channel < 3; ++channel)
    for (int x = 0; x < width; ++x) {
      const std::uint16_t v = static_cast<std::uint16_t>(x << shifts[channel]);
      rows.push_back(static_cast<std::uint8_t>(v));
      rows.push_back(static_cast<std::uint8_t>(v >> 8));
    }
  return rows;
}

const Bytes kTable = {0x30, 0x20, 0x10, 0, 0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0xFF, 0x00, 0x00, 0};
}  // namespace

TEST(SkinBmpSystem, DecodesEveryKindAsTheSystemDraws) {
  const int shifts555[3] = {10, 5, 0}, shifts565[3] = {11, 5, 0}, shifts444[3] = {8, 4, 0};
  ExpectAsTheSystem("5-5-5", RawBmp(32, 3, 16, 0, 0, {}, Ramps(32, shifts555)));
  ExpectAsTheSystem("5-6-5", RawBmp(64, 3, 16, 3, 0, BmpMasks(0xF800, 0x07E0, 0x001F), Ramps(64, shifts565)));
  ExpectAsTheSystem("4-4-4", RawBmp(16, 3, 16, 3, 0, BmpMasks(0x0F00, 0x00F0, 0x000F), Ramps(16, shifts444)));
  ExpectAsTheSystem("32 bits, red low", RawBmp(2, 1, 32, 3, 0, BmpMasks(0xFF, 0xFF00, 0xFF0000), {1, 2, 3, 4, 250, 128, 7, 0}));
  // RLE code that sets every pixel: runs, literals with and without padding, line ends.
  ExpectAsTheSystem("RLE8", RawBmp(5, 3, 8, 1, 4, kTable,
                                   {0x05, 0x01, 0x00, 0x00,                          // row 0
                                    0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x02, 0x00,  // row 1
                                    0x00, 0x00, 0x00, 0x05, 0x03, 0x02, 0x01, 0x00, 0x03, 0x00, 0x00, 0x01}));
  // RLE4 with an odd width; then a run reaching past the right edge is cut there.
  ExpectAsTheSystem("RLE4", RawBmp(5, 2, 4, 2, 4, kTable,
                                   {0x05, 0x12, 0x00, 0x00,                    // row 0: 1 2 1 2 1
                                    0x00, 0x03, 0x32, 0x10, 0x02, 0x33,        // row 1: 3 2 1, then 3 3
                                    0x00, 0x01}));
  ExpectAsTheSystem("RLE4 run past the edge", RawBmp(3, 1, 4, 2, 4, kTable, {0x04, 0x12, 0x00, 0x01}));
}
