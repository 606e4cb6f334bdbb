#pragma once
// The ".bmp" entries of a skin container: Windows bitmap files, checked field
// by field before anything trusts them, and decoded to 24 bits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/portable/img_ops.h"

struct TBmpInfo {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;      // 1, 4, 8, 24 or 32
  bool TopDown = false;      // rows stored from the top
  int Colours = 0;           // entries of the colour table (bits per pixel <= 8)
  std::size_t HeaderAt = 14; // offset of the info header
  std::size_t PaletteAt = 0; // offset of the colour table
  std::size_t PaletteEntry = 4;
  std::size_t PixelsAt = 0;  // offset of the pixel rows
  std::size_t Stride = 0;    // bytes per stored row
};

constexpr int MaxBmpSide = 32767;

// True when data is a whole bitmap file of a kind the program draws:
// uncompressed 1, 4, 8, 24 or 32 bits (32 bits also with plain colour masks),
// sides 1..MaxBmpSide, every row present. Otherwise false with the reason.
bool ParseBmpEntry(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& reason);
// Checks and decodes to 24 bits (top row first); image is left alone on failure.
bool DecodeBmpEntry(const std::uint8_t* data, std::size_t size, TImage24& image, std::string& reason);
