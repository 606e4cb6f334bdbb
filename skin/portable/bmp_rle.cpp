#include "skin/portable/bmp_rle.h"

#include <algorithm>

namespace {
// Escapes: a zero count, then one of these (3 and more: that many literal pixels).
constexpr std::uint8_t kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

bool Fail(std::string& reason, const char* why) {
  reason = why;
  return false;
}
}  // namespace

bool DecodeRle(const std::uint8_t* code, std::size_t size, int width, int height, int bitsPerPixel,
               std::uint8_t* indices, std::string& reason) {
  const bool nibbles = bitsPerPixel == 4;
  std::size_t at = 0;
  int x = 0, row = 0;
  // Pixel k of a run of bytes: RLE4 packs two to a byte, the high half first.
  auto pixelOf = [nibbles](const std::uint8_t* bytes, unsigned k) -> std::uint8_t {
    return nibbles ? static_cast<std::uint8_t>((k & 1) ? bytes[k / 2] & 15 : bytes[k / 2] >> 4) : bytes[k];
  };
  auto run = [&](const std::uint8_t* bytes, unsigned count, bool repeat) {
    for (unsigned k = 0; k < count && x + static_cast<int>(k) < width; ++k) {
      std::uint8_t index = repeat ? pixelOf(bytes, nibbles ? k & 1 : 0) : pixelOf(bytes, k);
      if (indices) indices[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x) + k] = index;
    }
    x = std::min(x + static_cast<int>(count), width);
  };
  for (;;) {
    if (size - at < 2) {
      // Some writers leave out the final mark once the last row is full.
      if (row == height || (row == height - 1 && x == width)) return true;
      return Fail(reason, "RLE code ends before the end of the bitmap");
    }
    const unsigned count = code[at], value = code[at + 1];
    at += 2;
    if (value == kEndOfBitmap && count == 0) return true;
    if (row >= height) return Fail(reason, "RLE code runs past the end of the bitmap");
    if (count > 0) {
      run(&code[at - 1], count, true);
    } else if (value == kEndOfLine) {
      x = 0;
      ++row;
    } else if (value == kDelta) {
      if (size - at < 2) return Fail(reason, "RLE delta cut short");
      x += code[at];
      row += code[at + 1];
      at += 2;
      if (x > width || row > height) return Fail(reason, "RLE delta moves out of the bitmap");
    } else {
      // Literal pixels, padded to a whole 16-bit word.
      std::size_t bytes = nibbles ? (value + 1) / 2 : value;
      if (size - at < bytes) return Fail(reason, "RLE run cut short");
      run(&code[at], value, false);
      at = std::min(size, at + bytes + (bytes & 1));
    }
  }
}
