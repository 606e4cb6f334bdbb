#include "skin/portable/bmp_entry.h"

#include <vector>

#include "skin/portable/bmp_rle.h"

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool Fail(std::string& reason, const char* why) {
  reason = why;
  return false;
}

// The masks a 16- or 32-bit pixel has without a bit-field table: 5-5-5 and 8-8-8.
void PlainMasks(int bpp, std::uint32_t masks[3]) {
  masks[0] = bpp == 16 ? 0x7C00 : 0xFF0000;
  masks[1] = bpp == 16 ? 0x03E0 : 0xFF00;
  masks[2] = bpp == 16 ? 0x001F : 0xFF;
}

// A mask is one run of bits (or none) inside the pixel.
bool UsableMask(std::uint32_t mask, int bpp) {
  if (bpp == 16 && mask > 0xFFFF) return false;
  std::uint32_t low = mask & (~mask + 1);  // lowest bit set
  return ((mask + low) & mask) == 0;
}

bool CompressionFits(TBmpCompression c, int bpp) {
  switch (c) {
    case TBmpCompression::None: return true;
    case TBmpCompression::Rle8: return bpp == 8;
    case TBmpCompression::Rle4: return bpp == 4;
    case TBmpCompression::BitFields: return bpp == 16 || bpp == 32;
  }
  return false;
}

// The masks of a bit-field bitmap: after a 40-byte header, or inside a larger one.
bool ReadMasks(const std::uint8_t* data, std::size_t size, std::uint32_t header, TBmpInfo& out, std::string& reason) {
  std::size_t at = 14 + 40;
  if (header == 40) {
    if (size < at + 12) return Fail(reason, "colour masks truncated");
    out.PaletteAt += 12;
  } else if (header < 52) {
    return Fail(reason, "colour masks truncated");
  }
  for (int i = 0; i < 3; ++i) out.Masks[i] = Le32(data + at + 4 * i);
  for (std::uint32_t m : out.Masks)
    if (!UsableMask(m, out.BitsPerPixel)) return Fail(reason, "unusable colour masks");
  return true;
}

// One channel of a pixel scaled to 8 bits: wider fields keep their top 8
// bits, narrower ones repeat their bits downwards (so the largest is 255).
int Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0, width = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + width < 32 && ((mask >> (shift + width)) & 1)) ++width;
  std::uint32_t v = (pixel & mask) >> shift;
  if (width >= 8) return static_cast<int>(v >> (width - 8));
  std::uint32_t out = 0;
  for (int filled = 0; filled < 8; filled += width) out |= (v << (8 - width)) >> filled;
  return static_cast<int>(out & 0xFF);
}

}  // namespace

bool TBmpInfo::SystemLayout() const {
  if (Compression == TBmpCompression::None) return BitsPerPixel != 16;
  return Compression == TBmpCompression::BitFields && BitsPerPixel == 32 && Masks[0] == 0xFF0000 &&
         Masks[1] == 0xFF00 && Masks[2] == 0xFF;
}

bool ParseBmpEntry(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& reason) {
  TBmpInfo out;
  if (!data || size < 14 + 12) return Fail(reason, "too short for a bitmap file");
  if (data[0] != 'B' || data[1] != 'M') return Fail(reason, "not a bitmap file");
  std::uint32_t pixelsAt = Le32(data + 10);
  std::uint32_t header = Le32(data + 14);
  if (header != 12 && (header < 40 || header > 124)) return Fail(reason, "unknown header size");
  if (header > size - 14) return Fail(reason, "header truncated");
  const std::uint8_t* h = data + 14;
  std::uint32_t colours = 0, codeSize = 0;
  std::int64_t w, hgt;
  int planes;
  if (header == 12) {
    w = Le16(h + 4);
    hgt = Le16(h + 6);
    planes = Le16(h + 8);
    out.BitsPerPixel = Le16(h + 10);
    out.PaletteEntry = 3;
  } else {
    w = static_cast<std::int32_t>(Le32(h + 4));
    hgt = static_cast<std::int32_t>(Le32(h + 8));
    planes = Le16(h + 12);
    out.BitsPerPixel = Le16(h + 14);
    out.Compression = static_cast<TBmpCompression>(Le32(h + 16));
    codeSize = Le32(h + 20);
    colours = Le32(h + 32);
  }
  if (planes != 1) return Fail(reason, "planes must be 1");
  out.TopDown = hgt < 0;
  if (out.TopDown) hgt = -hgt;
  if (w < 1 || hgt < 1 || w > MaxBmpSide || hgt > MaxBmpSide) return Fail(reason, "size out of range");
  out.Width = static_cast<int>(w);
  out.Height = static_cast<int>(hgt);
  int bpp = out.BitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(reason, "unsupported bits per pixel");
  if (out.Compression > TBmpCompression::BitFields) return Fail(reason, "unsupported compression");
  if (!CompressionFits(out.Compression, bpp)) return Fail(reason, "compression does not fit the bits per pixel");
  const bool rle = out.Compression == TBmpCompression::Rle8 || out.Compression == TBmpCompression::Rle4;
  if (rle && out.TopDown) return Fail(reason, "RLE bitmaps must be stored bottom-up");
  if (rle && w * hgt > MaxRlePixels) return Fail(reason, "RLE bitmap too large");
  out.PaletteAt = 14 + static_cast<std::size_t>(header);
  if (out.Compression == TBmpCompression::BitFields) {
    if (!ReadMasks(data, size, header, out, reason)) return false;
  } else if (bpp == 16 || bpp == 32) {
    PlainMasks(bpp, out.Masks);
  }
  if (bpp <= 8) {
    std::uint32_t max = 1u << bpp;
    if (colours == 0) colours = max;
    if (colours > max) return Fail(reason, "too many colours");
    out.Colours = static_cast<int>(colours);
  } else {
    colours = 0;
  }
  std::size_t tableEnd = out.PaletteAt + static_cast<std::size_t>(colours) * out.PaletteEntry;
  if (tableEnd > size) return Fail(reason, "colour table truncated");
  if (pixelsAt < tableEnd || pixelsAt > size) return Fail(reason, "pixel data offset out of range");
  out.PixelsAt = pixelsAt;
  out.PixelBytes = size - pixelsAt;
  if (rle) {
    // The code's size, when given, ends it before the end of the file.
    if (codeSize != 0 && codeSize < out.PixelBytes) out.PixelBytes = codeSize;
    if (!DecodeRle(data + pixelsAt, out.PixelBytes, out.Width, out.Height, bpp, nullptr, reason)) return false;
  } else {
    out.Stride = ((static_cast<std::size_t>(out.Width) * bpp + 31) / 32) * 4;
    if (out.PixelBytes / out.Stride < static_cast<std::size_t>(out.Height)) return Fail(reason, "pixel data truncated");
  }
  info = out;
  return true;
}

bool DecodeBmpEntry(const std::uint8_t* data, std::size_t size, TImage24& image, std::string& reason) {
  TBmpInfo info;
  if (!ParseBmpEntry(data, size, info, reason)) return false;
  TImage24 out(info.Width, info.Height);
  // The colour of every index a pixel can hold; one beyond the table is black.
  std::vector<TRgb> palette(info.Colours > 0 ? 256 : 0, 0);
  for (int i = 0; i < info.Colours; ++i) {
    const std::uint8_t* q = data + info.PaletteAt + static_cast<std::size_t>(i) * info.PaletteEntry;
    palette[static_cast<std::size_t>(i)] = MakeRgb(q[2], q[1], q[0]);
  }
  auto paletteColour = [&palette](unsigned index) { return palette[index]; };
  auto maskedColour = [&](std::uint32_t pixel) {
    return MakeRgb(Channel(pixel, info.Masks[0]), Channel(pixel, info.Masks[1]), Channel(pixel, info.Masks[2]));
  };
  const int bpp = info.BitsPerPixel;
  if (info.Compression == TBmpCompression::Rle8 || info.Compression == TBmpCompression::Rle4) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(info.Width) * static_cast<std::size_t>(info.Height), 0);
    DecodeRle(data + info.PixelsAt, info.PixelBytes, info.Width, info.Height, bpp, indices.data(), reason);
    for (int y = 0; y < info.Height; ++y) {
      const std::uint8_t* row = indices.data() + static_cast<std::size_t>(info.Height - 1 - y) * info.Width;
      for (int x = 0; x < info.Width; ++x) out.SetPixel(x, y, paletteColour(row[x]));
    }
    image = std::move(out);
    return true;
  }
  for (int y = 0; y < info.Height; ++y) {
    int stored = info.TopDown ? y : info.Height - 1 - y;
    const std::uint8_t* row = data + info.PixelsAt + static_cast<std::size_t>(stored) * info.Stride;
    for (int x = 0; x < info.Width; ++x) {
      TRgb c;
      switch (bpp) {
        case 1: c = paletteColour((row[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: c = paletteColour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15); break;
        case 8: c = paletteColour(row[x]); break;
        case 16: c = maskedColour(Le16(row + x * 2)); break;
        case 24: c = MakeRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
        default: c = maskedColour(Le32(row + x * 4)); break;
      }
      out.SetPixel(x, y, c);
    }
  }
  image = std::move(out);
  return true;
}
