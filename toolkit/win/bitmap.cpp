#include "toolkit/win/bitmap.h"

#include <algorithm>
#include <cstring>

#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"

namespace {

constexpr int kMaxSide = 32767;

int Stride(int w, int bpp) { return ((w * bpp + 31) / 32) * 4; }

std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool FormatOfBits(int bpp, TPixelFormat& f) {
  switch (bpp) {
    case 1: f = TPixelFormat::pf1bit; return true;
    case 4: f = TPixelFormat::pf4bit; return true;
    case 8: f = TPixelFormat::pf8bit; return true;
    case 24: f = TPixelFormat::pf24bit; return true;
    case 32: f = TPixelFormat::pf32bit; return true;
    default: return false;
  }
}

int Distance(const RGBQUAD& q, TColor c) {
  int r = static_cast<int>(c & 0xFF) - q.rgbRed;
  int g = static_cast<int>((c >> 8) & 0xFF) - q.rgbGreen;
  int b = static_cast<int>((c >> 16) & 0xFF) - q.rgbBlue;
  return r * r + g * g + b * b;
}

}  // namespace

int BitsPerPixel(TPixelFormat f) {
  switch (f) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
  }
}

std::vector<RGBQUAD> DefaultPalette(TPixelFormat f) {
  std::vector<RGBQUAD> p;
  auto add = [&p](int r, int g, int b) {
    p.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
  };
  switch (f) {
    case TPixelFormat::pf1bit:
      add(0, 0, 0);
      add(255, 255, 255);
      break;
    case TPixelFormat::pf4bit: {
      static const int vga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                     {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                     {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                     {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
      for (auto& c : vga) add(c[0], c[1], c[2]);
      break;
    }
    case TPixelFormat::pf8bit:
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
      for (int i = 0; i < 40; ++i) add(i * 255 / 39, i * 255 / 39, i * 255 / 39);
      break;
    default:
      break;
  }
  return p;
}

const TClassInfo& TBitmap::StaticClass() {
  static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", &TPersistent::StaticClass())
                                     .Prop("Width", &TBitmap::GetWidth, &TBitmap::SetWidth)
                                     .Prop("Height", &TBitmap::GetHeight, &TBitmap::SetHeight)
                                     .Prop("Transparent", &TBitmap::GetTransparent, &TBitmap::SetTransparent)
                                     .Prop("TransparentColor", &TBitmap::GetTransparentColor,
                                           &TBitmap::SetTransparentColor)
                                     .Build();
  return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  ReleaseDC();
  canvas_.reset();
  if (handle_) DeleteObject(handle_);
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}

void TBitmap::ReleaseDC() {
  if (!dc_) return;
  if (canvas_) canvas_->SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
  oldBitmap_ = nullptr;
}

HBITMAP TBitmap::Handle() {
  ReleaseDC();
  return handle_;
}

HDC TBitmap::CanvasDC() {
  if (!dc_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (handle_) oldBitmap_ = SelectObject(dc_, handle_);
  }
  return dc_;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>();
  HDC dc = CanvasDC();
  if (canvas_->Handle() != dc) canvas_->SetHandle(dc);
  return *canvas_;
}

TBitmap::Dib TBitmap::MakeDib(int w, int h, TPixelFormat f, const std::vector<RGBQUAD>& palette) const {
  Dib d;
  if (w <= 0 || h <= 0) return d;
  if (w > kMaxSide || h > kMaxSide) throw EInvalidGraphic("bitmap size out of range");
  std::vector<std::uint8_t> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(buf.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = w;
  bi->bmiHeader.biHeight = -h;  // top-down: row 0 is the top row
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = static_cast<WORD>(BitsPerPixel(f));
  bi->bmiHeader.biCompression = BI_RGB;
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(palette.size());
  if (!palette.empty()) std::memcpy(bi->bmiColors, palette.data(), palette.size() * sizeof(RGBQUAD));
  void* bits = nullptr;
  d.handle = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!d.handle || !bits) throw EInvalidGraphic("cannot create a bitmap of " + std::to_string(w) + "x" +
                                                std::to_string(h));
  d.bits = static_cast<std::uint8_t*>(bits);
  std::memset(d.bits, 0, static_cast<std::size_t>(Stride(w, BitsPerPixel(f))) * h);
  return d;
}

void TBitmap::Replace(Dib dib, int w, int h, TPixelFormat f, std::vector<RGBQUAD> palette) {
  // A canvas in use keeps its DC, which takes the new pixels.
  if (dc_ && oldBitmap_) {
    SelectObject(dc_, oldBitmap_);
    oldBitmap_ = nullptr;
  }
  if (handle_) DeleteObject(handle_);
  if (dc_ && dib.handle) oldBitmap_ = SelectObject(dc_, dib.handle);
  handle_ = dib.handle;
  bits_ = dib.bits;
  width_ = dib.handle ? w : 0;
  height_ = dib.handle ? h : 0;
  format_ = f;
  palette_ = std::move(palette);
  Changed();
}

int TBitmap::RowBytes() const { return Stride(width_, BitsPerPixel(format_)); }

void* TBitmap::ScanLine(int row) {
  if (!bits_ || row < 0 || row >= height_) throw EInvalidGraphic("scan line index out of range");
  GdiFlush();
  return bits_ + static_cast<std::size_t>(row) * RowBytes();
}

TColor TBitmap::ReadPixel(const std::uint8_t* row, int x, TPixelFormat f, const std::vector<RGBQUAD>& pal) {
  unsigned index;
  switch (f) {
    case TPixelFormat::pf1bit: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case TPixelFormat::pf4bit: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15; break;
    case TPixelFormat::pf8bit: index = row[x]; break;
    case TPixelFormat::pf24bit: return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
  }
  if (index >= pal.size()) return clBlack;
  return RGB(pal[index].rgbRed, pal[index].rgbGreen, pal[index].rgbBlue);
}

void TBitmap::WritePixel(std::uint8_t* row, int x, TPixelFormat f, const std::vector<RGBQUAD>& pal, TColor c) {
  if (f == TPixelFormat::pf24bit || f == TPixelFormat::pf32bit) {
    int n = f == TPixelFormat::pf24bit ? 3 : 4;
    row[x * n] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    row[x * n + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
    row[x * n + 2] = static_cast<std::uint8_t>(c & 0xFF);
    return;
  }
  unsigned best = 0;
  int bestDist = 1 << 30;
  for (unsigned i = 0; i < pal.size() && bestDist; ++i) {
    int d = Distance(pal[i], c);
    if (d < bestDist) { bestDist = d; best = i; }
  }
  switch (f) {
    case TPixelFormat::pf1bit: {
      std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<std::uint8_t>(best ? row[x >> 3] | bit : row[x >> 3] & ~bit);
      break;
    }
    case TPixelFormat::pf4bit:
      if (x & 1) row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0xF0) | best);
      else row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0x0F) | (best << 4));
      break;
    default:
      row[x] = static_cast<std::uint8_t>(best);
  }
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  GdiFlush();
  return ReadPixel(bits_ + static_cast<std::size_t>(y) * RowBytes(), x, format_, palette_);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  GdiFlush();
  WritePixel(bits_ + static_cast<std::size_t>(y) * RowBytes(), x, format_, palette_, ColorToRGB(c));
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width_ && h == height_) return;
  Dib d = MakeDib(w, h, format_, palette_);
  if (d.bits && bits_) {
    GdiFlush();
    int bytes = std::min(Stride(std::min(w, width_), BitsPerPixel(format_)), Stride(w, BitsPerPixel(format_)));
    for (int y = 0; y < std::min(h, height_); ++y)
      std::memcpy(d.bits + static_cast<std::size_t>(y) * Stride(w, BitsPerPixel(format_)),
                  bits_ + static_cast<std::size_t>(y) * RowBytes(), static_cast<std::size_t>(bytes));
  }
  Replace(d, w, h, format_, palette_);
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
  if (f == format_) return;
  std::vector<RGBQUAD> pal = DefaultPalette(f);
  if (Empty()) {
    format_ = f;
    palette_ = std::move(pal);
    return;
  }
  Dib d = MakeDib(width_, height_, f, pal);
  GdiFlush();
  int stride = Stride(width_, BitsPerPixel(f));
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = bits_ + static_cast<std::size_t>(y) * RowBytes();
    std::uint8_t* dst = d.bits + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width_; ++x) WritePixel(dst, x, f, pal, ReadPixel(src, x, format_, palette_));
  }
  Replace(d, width_, height_, f, std::move(pal));
}

void TBitmap::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  Changed();
}

TColor TBitmap::GetTransparentColor() const {
  if (transparentColor_ != clDefault) return transparentColor_;
  TColor c = GetPixel(0, height_ - 1);
  return c == clNone ? clDefault : c;
}

void TBitmap::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  Changed();
}

void TBitmap::Mask(TColor color) {
  if (Empty()) return;
  COLORREF key = ColorToRGB(color);
  std::vector<RGBQUAD> pal = DefaultPalette(TPixelFormat::pf1bit);
  Dib d = MakeDib(width_, height_, TPixelFormat::pf1bit, pal);
  GdiFlush();
  int stride = Stride(width_, 1);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* src = bits_ + static_cast<std::size_t>(y) * RowBytes();
    std::uint8_t* dst = d.bits + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width_; ++x)
      if (static_cast<COLORREF>(ReadPixel(src, x, format_, palette_)) == key) dst[x >> 3] |= 0x80 >> (x & 7);
  }
  Replace(d, width_, height_, TPixelFormat::pf1bit, std::move(pal));
}

void TBitmap::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TBitmap*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  Dib d = MakeDib(other->width_, other->height_, other->format_, other->palette_);
  if (d.bits) {
    GdiFlush();
    std::memcpy(d.bits, other->bits_, static_cast<std::size_t>(other->RowBytes()) * other->height_);
  }
  transparent_ = other->transparent_;
  transparentColor_ = other->transparentColor_;
  Replace(d, other->width_, other->height_, other->format_, other->palette_);
}

// --- BMP data ------------------------------------------------------------------

void TBitmap::LoadDib(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                      std::size_t bitsSize) {
  auto bad = [](const char* what) { throw EInvalidGraphic(std::string("invalid bitmap: ") + what); };
  if (infoSize < 12) bad("header too short");
  std::uint32_t hdr = Le32(info);
  if (hdr > infoSize) bad("header too short");
  int w, h, bpp;
  std::uint32_t compression = BI_RGB, colours = 0;
  bool core = hdr == 12;
  if (core) {
    w = Le16(info + 4);
    h = Le16(info + 6);
    if (Le16(info + 8) != 1) bad("planes");
    bpp = Le16(info + 10);
  } else {
    if (hdr < 40) bad("unknown header size");
    w = static_cast<std::int32_t>(Le32(info + 4));
    h = static_cast<std::int32_t>(Le32(info + 8));
    if (Le16(info + 12) != 1) bad("planes");
    bpp = Le16(info + 14);
    compression = Le32(info + 16);
    colours = Le32(info + 32);
  }
  bool topDown = h < 0;
  if (topDown) h = -h;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) bad("size");
  TPixelFormat f;
  if (!FormatOfBits(bpp, f)) bad("unsupported bits per pixel");
  std::size_t offset = hdr;
  if (compression == BI_BITFIELDS && bpp == 32) {
    // Only the plain layout (8 bits each of red, green and blue) is accepted.
    if (hdr == 40) {
      if (infoSize < offset + 12) bad("colour masks");
      offset += 12;
    }
    const std::uint8_t* m = info + 40;
    if (Le32(m) != 0xFF0000 || Le32(m + 4) != 0xFF00 || Le32(m + 8) != 0xFF) bad("unsupported colour masks");
  } else if (compression != BI_RGB) {
    bad("unsupported compression");
  }
  std::vector<RGBQUAD> pal;
  if (bpp <= 8) {
    std::uint32_t max = 1u << bpp;
    if (colours == 0) colours = max;
    if (colours > max) bad("colour count");
    std::size_t entry = core ? 3 : 4;
    if (infoSize < offset + colours * entry) bad("colour table truncated");
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::uint8_t* q = info + offset + i * entry;
      pal.push_back(RGBQUAD{q[0], q[1], q[2], 0});
    }
  }
  std::size_t stride = static_cast<std::size_t>(Stride(w, bpp));
  if (bitsSize < stride * static_cast<std::size_t>(h)) bad("pixel data truncated");
  Dib d = MakeDib(w, h, f, pal);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = bits + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
    std::memcpy(d.bits + stride * static_cast<std::size_t>(y), src, stride);
  }
  Replace(d, w, h, f, std::move(pal));
}

void TBitmap::LoadFromMemory(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  if (!p || size < 14 + 12 || p[0] != 'B' || p[1] != 'M') throw EInvalidGraphic("invalid bitmap: not a BMP file");
  std::uint32_t offBits = Le32(p + 10);
  if (offBits < 14 + 12 || offBits > size) throw EInvalidGraphic("invalid bitmap: pixel data offset");
  LoadDib(p + 14, offBits - 14, p + offBits, size - offBits);
}

void TBitmap::LoadFromFile(const std::string& path) {
  TBytes bytes;
  if (!ReadFileBytes(path, bytes)) throw EInvalidGraphic("cannot read bitmap file " + path);
  LoadFromMemory(bytes.data(), bytes.size());
}

void TBitmap::LoadFromResourceName(HMODULE module, const std::string& name) {
  std::wstring w = GbkToWide(name);
  HRSRC r = FindResourceW(module, w.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL g = r ? LoadResource(module, r) : nullptr;
  const auto* p = g ? static_cast<const std::uint8_t*>(LockResource(g)) : nullptr;
  if (!p) throw EInvalidGraphic("bitmap resource " + name + " not found");
  std::size_t size = SizeofResource(module, r);
  // A bitmap resource is a packed DIB: header, colour table, pixels.
  if (size < 12) throw EInvalidGraphic("invalid bitmap: header too short");
  std::uint32_t hdr = Le32(p);
  std::size_t bitsAt = hdr;
  if (hdr >= 40 && size >= 40) {
    int bpp = Le16(p + 14);
    std::uint32_t colours = Le32(p + 32);
    if (bpp <= 8) bitsAt += 4 * static_cast<std::size_t>(colours ? std::min(colours, 256u) : 1u << bpp);
    if (Le32(p + 16) == BI_BITFIELDS && hdr == 40) bitsAt += 12;
  } else if (hdr == 12) {
    int bpp = Le16(p + 10);
    if (bpp <= 8) bitsAt += 3 * (static_cast<std::size_t>(1) << bpp);
  }
  if (bitsAt > size) throw EInvalidGraphic("invalid bitmap: colour table truncated");
  LoadDib(p, bitsAt, p + bitsAt, size - bitsAt);
}
