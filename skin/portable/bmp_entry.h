#pragma once
// The ".bmp" entries of a skin container: Windows bitmap files, checked field
// by field before anything trusts them, and decoded to 24 bits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/portable/img_ops.h"

enum class TBmpCompression : std::uint32_t { None = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct TBmpInfo {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;      // 1, 4, 8, 16, 24 or 32
  bool TopDown = false;      // rows stored from the top
  TBmpCompression Compression = TBmpCompression::None;
  std::uint32_t Masks[3] = {};  // red, green, blue bits of a 16- or 32-bit pixel
  int Colours = 0;           // entries of the colour table (bits per pixel <= 8)
  std::size_t HeaderAt = 14; // offset of the info header
  std::size_t PaletteAt = 0; // offset of the colour table
  std::size_t PaletteEntry = 4;
  std::size_t PixelsAt = 0;  // offset of the pixel rows or of the RLE code
  std::size_t PixelBytes = 0;  // bytes of pixel rows or RLE code from PixelsAt
  std::size_t Stride = 0;    // bytes per stored row (0 for RLE code)

  // Stored as a toolkit bitmap holds its pixels: uncompressed 1, 4, 8 or 24
  // bits, or 32 bits of 8-bit blue, green, red. Other kinds are decoded.
  bool SystemLayout() const;
};

constexpr int MaxBmpSide = 32767;
// RLE code can describe a huge picture in a few bytes: its pixels are capped
// (2048 x 2048, far above any skin image).
constexpr std::int64_t MaxRlePixels = std::int64_t{1} << 22;

// True when data is a whole bitmap file of a kind Windows draws: 1, 4, 8, 24
// or 32 bits uncompressed, RLE8 and RLE4 code (stored bottom-up), 16 bits
// (5-5-5, or any colour masks) and 32 bits with colour masks; sides
// 1..MaxBmpSide and every row (or the whole RLE code) present.
// Otherwise false with the reason.
bool ParseBmpEntry(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& reason);
// Checks and decodes to 24 bits (top row first); image is left alone on failure.
// Pixels that RLE code skips (delta, end of line or of bitmap) take colour 0
// of the table, as in a new bitmap of the file's depth.
bool DecodeBmpEntry(const std::uint8_t* data, std::size_t size, TImage24& image, std::string& reason);
