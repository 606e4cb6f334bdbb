// Animated GIF encoding with giflib: indexed frames, delays, a transparent
// index and the looping extension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace mediagen {

struct GifFrame {
  std::vector<uint8_t> indices;  // width * height palette indices
  int delay_cs = 0;              // hundredths of a second
};

struct GifImage {
  int width = 0, height = 0;
  std::vector<Rgba> palette;     // at most 256 entries
  int transparent = -1;          // palette index shown as transparent, or -1
  int loop_count = 0;            // 0 = repeat forever; -1 = no looping extension
  std::vector<GifFrame> frames;
};

// Builds one palette for all the canvases (equal sizes) and maps their pixels
// onto it; fully transparent pixels map to the transparent index 0. Colours
// are coarsened until they fit into 256 entries.
bool IndexFrames(const std::vector<const Canvas*>& canvases, GifImage& out, std::string& error);

// Encodes the image into GIF89a bytes.
bool EncodeGif(const GifImage& img, std::vector<uint8_t>& bytes, std::string& error);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace mediagen
