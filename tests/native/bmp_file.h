#pragma once
// Bitmap files built in memory for the decoder tests (portable: used by the
// native and the Windows tests alike).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A bitmap file with a 40-byte header; pixel(x, y) gives the stored value of
// each pixel (a palette index, or 0xRRGGBB), y counted from the top; the
// palette holds 0xRRGGBB values.
template <class Pixel>
inline std::vector<std::uint8_t> MakeBmp(int w, int h, int bpp, const std::vector<std::uint32_t>& palette,
                                         Pixel pixel, bool topDown = false) {
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

// A bitmap file written field by field: an info header of headerSize bytes
// (the fields of the 40-byte one, zeros beyond), then `table` (colour table or
// colour masks) and `pixels` (rows or RLE code) exactly as given.
inline std::vector<std::uint8_t> RawBmp(int w, int h, int bpp, std::uint32_t compression, std::uint32_t colours,
                                        const std::vector<std::uint8_t>& table,
                                        const std::vector<std::uint8_t>& pixels, std::uint32_t headerSize = 40) {
  std::size_t offset = 14 + headerSize + table.size();
  std::vector<std::uint8_t> b(offset, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(offset + pixels.size()));
  Put32(b, 10, static_cast<std::uint32_t>(offset));
  Put32(b, 14, headerSize);
  Put32(b, 18, static_cast<std::uint32_t>(w));
  Put32(b, 22, static_cast<std::uint32_t>(h));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<std::uint16_t>(bpp));
  Put32(b, 30, compression);
  Put32(b, 34, static_cast<std::uint32_t>(pixels.size()));
  Put32(b, 46, colours);
  std::copy(table.begin(), table.end(), b.begin() + 14 + headerSize);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// The three colour masks (red, green, blue) of a bit-field bitmap, as stored.
inline std::vector<std::uint8_t> BmpMasks(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  std::vector<std::uint8_t> m(12);
  Put32(m, 0, r);
  Put32(m, 4, g);
  Put32(m, 8, b);
  return m;
}

// RLE8 or RLE4 code of rows of palette indices (bottom row first), as a plain
// writer makes it: runs of three and more equal pixels, literal stretches
// between them, a line end after each row, the end mark.
inline std::vector<std::uint8_t> RleCode(const std::vector<std::vector<std::uint8_t>>& rows, bool nibbles) {
  std::vector<std::uint8_t> out;
  auto literal = [&](const std::vector<std::uint8_t>& row, std::size_t from, std::size_t count) {
    if (count < 3) {  // literals need three pixels: shorter ones go as runs of one
      for (std::size_t k = 0; k < count; ++k) {
        std::uint8_t v = row[from + k];
        out.insert(out.end(), {1, static_cast<std::uint8_t>(nibbles ? v << 4 : v)});
      }
      return;
    }
    out.insert(out.end(), {0, static_cast<std::uint8_t>(count)});
    std::size_t bytes = nibbles ? (count + 1) / 2 : count;
    for (std::size_t b = 0; b < bytes; ++b) {
      std::uint8_t v = nibbles ? static_cast<std::uint8_t>(row[from + 2 * b] << 4 |
                                                           (2 * b + 1 < count ? row[from + 2 * b + 1] : 0))
                               : row[from + b];
      out.push_back(v);
    }
    if (bytes & 1) out.push_back(0);
  };
  for (const std::vector<std::uint8_t>& row : rows) {
    std::size_t x = 0, pending = x;
    while (x < row.size()) {
      std::size_t n = 1;
      while (x + n < row.size() && n < 255 && row[x + n] == row[x]) ++n;
      if (n >= 3) {
        while (x > pending) {
          std::size_t count = std::min<std::size_t>(x - pending, 255);
          literal(row, pending, count);
          pending += count;
        }
        out.insert(out.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(nibbles ? row[x] * 17 : row[x])});
        x += n;
        pending = x;
      } else {
        ++x;
      }
    }
    while (pending < row.size()) {
      std::size_t count = std::min<std::size_t>(row.size() - pending, 255);
      literal(row, pending, count);
      pending += count;
    }
    out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 1});
  return out;
}
