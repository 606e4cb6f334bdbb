// The bitmap fuzz target's seeds: a skin image written again in the kinds
// other tools use (RLE8, RLE4, 5-5-5, 5-6-5 top-down, 32 bits with swapped
// masks in a 108-byte header).
#include <string>
#include <vector>

#include "fuzz_seeds.h"
#include "skin/portable/bmp_entry.h"
#include "tests/native/bmp_file.h"
#include "toolkit/base/file_io.h"

namespace {
using TRow = std::vector<std::uint8_t>;

// Palette rows (bottom first) of the image and the table they index.
std::vector<TRow> Quantised(const TImage24& image, bool sixteen, TBytes& table) {
  table.clear();
  if (sixteen) {
    for (int i = 0; i < 16; ++i) {
      std::uint8_t level = i & 8 ? 255 : 128;
      table.insert(table.end(), {static_cast<std::uint8_t>(i & 1 ? level : 0), static_cast<std::uint8_t>(i & 2 ? level : 0),
                                 static_cast<std::uint8_t>(i & 4 ? level : 0), 0});
    }
  } else {
    for (int i = 0; i < 216; ++i)
      table.insert(table.end(), {static_cast<std::uint8_t>(i % 6 * 51), static_cast<std::uint8_t>(i / 6 % 6 * 51),
                                 static_cast<std::uint8_t>(i / 36 * 51), 0});
  }
  std::vector<TRow> rows;
  for (int y = image.Height() - 1; y >= 0; --y) {
    TRow row;
    for (int x = 0; x < image.Width(); ++x) {
      TRgb c = image.Pixel(x, y);
      int r = RgbRed(c), g = RgbGreen(c), b = RgbBlue(c);
      if (sixteen) {
        int bright = (r > 192 || g > 192 || b > 192) ? 8 : 0;
        row.push_back(static_cast<std::uint8_t>(bright | (b >= 96) | (g >= 96) << 1 | (r >= 96) << 2));
      } else {
        row.push_back(static_cast<std::uint8_t>(r * 6 / 256 * 36 + g * 6 / 256 * 6 + b * 6 / 256));
      }
    }
    rows.push_back(row);
  }
  return rows;
}

// Rows of 16- or 32-bit pixels made by `pixel`, bottom row first unless topDown.
template <class Pixel>
TBytes DirectRows(const TImage24& image, int bpp, bool topDown, Pixel pixel) {
  const std::size_t stride = ((static_cast<std::size_t>(image.Width()) * bpp + 31) / 32) * 4;
  TBytes out(stride * static_cast<std::size_t>(image.Height()), 0);
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = out.data() + stride * static_cast<std::size_t>(topDown ? y : image.Height() - 1 - y);
    for (int x = 0; x < image.Width(); ++x) {
      std::uint32_t v = pixel(image.Pixel(x, y));
      for (int k = 0; k < bpp / 8; ++k) row[x * bpp / 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
  }
  return out;
}

}  // namespace

int MakeBitmapSeeds(const std::string& path, const std::string& corpus) {
  TBytes source;
  TImage24 image;
  std::string why;
  if (!ReadFileBytes(path, source) || !DecodeBmpEntry(source.data(), source.size(), image, why)) return -1;
  const int w = image.Width(), h = image.Height();
  std::string name = path.substr(path.find_last_of('/') + 1);
  name = corpus + "/seed-" + name.substr(0, name.rfind('.'));
  TBytes table256, table16;
  const std::vector<TRow> rows256 = Quantised(image, false, table256), rows16 = Quantised(image, true, table16);
  auto rgb555 = [](TRgb c) { return static_cast<std::uint32_t>(RgbRed(c) >> 3 << 10 | RgbGreen(c) >> 3 << 5 | RgbBlue(c) >> 3); };
  auto rgb565 = [](TRgb c) { return static_cast<std::uint32_t>(RgbRed(c) >> 3 << 11 | RgbGreen(c) >> 2 << 5 | RgbBlue(c) >> 3); };
  const std::vector<std::pair<std::string, TBytes>> files = {
      {"-rle8.bmp", RawBmp(w, h, 8, 1, 216, table256, RleCode(rows256, false))},
      {"-rle4.bmp", RawBmp(w, h, 4, 2, 16, table16, RleCode(rows16, true))},
      {"-555.bmp", RawBmp(w, h, 16, 0, 0, {}, DirectRows(image, 16, false, rgb555))},
      {"-565.bmp", RawBmp(w, -h, 16, 3, 0, BmpMasks(0xF800, 0x07E0, 0x001F), DirectRows(image, 16, true, rgb565))},
  };
  int written = 0;
  for (const auto& [suffix, bytes] : files) written += WriteFileBytes(name + suffix, bytes.data(), bytes.size());
  // 32 bits, red in the low byte, the masks inside a 108-byte header.
  TBytes v4 = RawBmp(w, h, 32, 3, 0, {}, DirectRows(image, 32, false, [](TRgb c) { return static_cast<std::uint32_t>(c); }), 108);
  Put32(v4, 54, 0xFF);
  Put32(v4, 58, 0xFF00);
  Put32(v4, 62, 0xFF0000);
  written += WriteFileBytes(name + "-masks32.bmp", v4.data(), v4.size());
  return written;
}
