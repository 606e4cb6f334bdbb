#include "skin/portable/bmp_entry.h"

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

constexpr std::uint32_t kRgb = 0, kBitFields = 3;

bool Fail(std::string& reason, const char* why) {
  reason = why;
  return false;
}

}  // namespace

bool ParseBmpEntry(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& reason) {
  TBmpInfo out;
  if (!data || size < 14 + 12) return Fail(reason, "too short for a bitmap file");
  if (data[0] != 'B' || data[1] != 'M') return Fail(reason, "not a bitmap file");
  std::uint32_t pixelsAt = Le32(data + 10);
  std::uint32_t header = Le32(data + 14);
  if (header != 12 && (header < 40 || header > 124)) return Fail(reason, "unknown header size");
  if (header > size - 14) return Fail(reason, "header truncated");
  const std::uint8_t* h = data + 14;
  std::uint32_t compression = kRgb, colours = 0;
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
    compression = Le32(h + 16);
    colours = Le32(h + 32);
  }
  if (planes != 1) return Fail(reason, "planes must be 1");
  out.TopDown = hgt < 0;
  if (out.TopDown) hgt = -hgt;
  if (w < 1 || hgt < 1 || w > MaxBmpSide || hgt > MaxBmpSide) return Fail(reason, "size out of range");
  out.Width = static_cast<int>(w);
  out.Height = static_cast<int>(hgt);
  int bpp = out.BitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return Fail(reason, "unsupported bits per pixel");
  std::size_t tableAt = 14 + static_cast<std::size_t>(header);
  if (compression == kBitFields && bpp == 32) {
    // Masks follow a 40-byte header; larger headers hold them inside.
    if (header == 40) {
      if (size < tableAt + 12) return Fail(reason, "colour masks truncated");
      tableAt += 12;
    } else if (header < 52) {
      return Fail(reason, "colour masks truncated");
    }
    const std::uint8_t* m = h + 40;
    if (Le32(m) != 0xFF0000 || Le32(m + 4) != 0xFF00 || Le32(m + 8) != 0xFF)
      return Fail(reason, "unsupported colour masks");
  } else if (compression != kRgb) {
    return Fail(reason, "compressed bitmaps are not supported");
  }
  if (bpp <= 8) {
    std::uint32_t max = 1u << bpp;
    if (colours == 0) colours = max;
    if (colours > max) return Fail(reason, "too many colours");
    out.Colours = static_cast<int>(colours);
  } else {
    colours = 0;
  }
  out.PaletteAt = tableAt;
  std::size_t tableEnd = tableAt + static_cast<std::size_t>(colours) * out.PaletteEntry;
  if (tableEnd > size) return Fail(reason, "colour table truncated");
  if (pixelsAt < tableEnd || pixelsAt > size) return Fail(reason, "pixel data offset out of range");
  out.PixelsAt = pixelsAt;
  out.Stride = ((static_cast<std::size_t>(out.Width) * bpp + 31) / 32) * 4;
  if ((size - pixelsAt) / out.Stride < static_cast<std::size_t>(out.Height)) return Fail(reason, "pixel data truncated");
  info = out;
  return true;
}

bool DecodeBmpEntry(const std::uint8_t* data, std::size_t size, TImage24& image, std::string& reason) {
  TBmpInfo info;
  if (!ParseBmpEntry(data, size, info, reason)) return false;
  TImage24 out(info.Width, info.Height);
  auto paletteColour = [&](unsigned index) -> TRgb {
    if (index >= static_cast<unsigned>(info.Colours)) return 0;
    const std::uint8_t* q = data + info.PaletteAt + index * info.PaletteEntry;
    return MakeRgb(q[2], q[1], q[0]);
  };
  int bpp = info.BitsPerPixel;
  for (int y = 0; y < info.Height; ++y) {
    int stored = info.TopDown ? y : info.Height - 1 - y;
    const std::uint8_t* row = data + info.PixelsAt + static_cast<std::size_t>(stored) * info.Stride;
    for (int x = 0; x < info.Width; ++x) {
      TRgb c;
      switch (bpp) {
        case 1: c = paletteColour((row[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: c = paletteColour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15); break;
        case 8: c = paletteColour(row[x]); break;
        case 24: c = MakeRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
        default: c = MakeRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]); break;
      }
      out.SetPixel(x, y, c);
    }
  }
  image = std::move(out);
  return true;
}
