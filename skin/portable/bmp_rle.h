#pragma once
// RLE8 and RLE4 pixel code of Windows bitmaps.
#include <cstddef>
#include <cstdint>
#include <string>

// Runs the code of a width x height bitmap of 8 (RLE8) or 4 (RLE4) bits per
// pixel. Each pixel it sets goes to indices[row * width + x] (row 0 is the
// bottom row, as stored; indices may be null to check the code only). Runs
// reaching past the right edge of a row are cut there (RLE4 rows are often
// written in whole bytes). The code is malformed when it runs past the last
// row, moves a delta out of the bitmap, or ends inside a run or before the
// bitmap is done; then false with the reason.
bool DecodeRle(const std::uint8_t* code, std::size_t size, int width, int height, int bitsPerPixel,
               std::uint8_t* indices, std::string& reason);
