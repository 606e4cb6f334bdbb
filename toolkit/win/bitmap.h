#pragma once
// Bitmaps in device-independent memory: pixel formats, scan lines, BMP loading,
// transparency and a canvas on a memory DC.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/base/exception.h"
#include "toolkit/win/canvas.h"

// Damaged or unsupported picture data.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat f);

class TBitmap : public TPersistent {
  TK_CLASS(TBitmap)
public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  // Keeps the pixels that still fit; new area is black.
  void SetSize(int w, int h);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  TPixelFormat GetPixelFormat() const { return format_; }
  // Converts the pixels; going to fewer bits picks the nearest palette colour.
  void SetPixelFormat(TPixelFormat f);

  // Row `row` (0 = top) of the pixel memory; raises for rows outside the bitmap.
  void* ScanLine(int row);
  int RowBytes() const;

  // Pixel colours (0x00BBGGRR), as GDI sees them; outside the bitmap: clNone / ignored.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // The bitmap handle; it is taken out of the canvas's DC so it can be selected elsewhere.
  HBITMAP Handle();
  // A canvas on a memory DC with this bitmap selected.
  TCanvas& Canvas();
  // The DC of the canvas (selected with the bitmap), for blits from this bitmap.
  HDC CanvasDC();

  // BMP data: a file (with BITMAPFILEHEADER) in memory, a stream, a file by GBK path,
  // or a bitmap resource. Damaged data raises EInvalidGraphic and leaves the bitmap as it was.
  void LoadFromMemory(const void* data, std::size_t size);
  void LoadFromFile(const std::string& path);
  template <class Stream>
  void LoadFromStream(Stream& s) {
    std::int64_t n = s.Size() - s.Position();
    std::vector<std::uint8_t> buf(n > 0 ? static_cast<std::size_t>(n) : 0);
    if (n > 0) s.ReadBuffer(buf.data(), n);
    LoadFromMemory(buf.data(), buf.size());
  }
  void LoadFromResourceName(HMODULE module, const std::string& name);

  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  // clDefault: the colour of the bottom-left pixel.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor c);

  // Turns the bitmap into a 1-bpp mask: white where the pixel has `color`, black elsewhere.
  void Mask(TColor color);

  void Assign(const TPersistent& source) override;
  void Clear() { SetSize(0, 0); }

  std::function<void(TObject*)> OnChange;

private:
  struct Dib {
    HBITMAP handle = nullptr;
    std::uint8_t* bits = nullptr;
  };
  Dib MakeDib(int w, int h, TPixelFormat f, const std::vector<RGBQUAD>& palette) const;
  void Replace(Dib dib, int w, int h, TPixelFormat f, std::vector<RGBQUAD> palette);
  void LoadDib(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits, std::size_t bitsSize);
  void ReleaseDC();
  void Changed();
  static TColor ReadPixel(const std::uint8_t* row, int x, TPixelFormat f, const std::vector<RGBQUAD>& pal);
  static void WritePixel(std::uint8_t* row, int x, TPixelFormat f, const std::vector<RGBQUAD>& pal, TColor c);

  int width_ = 0, height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::vector<RGBQUAD> palette_;
  HBITMAP handle_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
};

// The default palette of a pixel format with a colour table (black/white, 16 VGA colours, 6x6x6 cube with greys).
std::vector<RGBQUAD> DefaultPalette(TPixelFormat f);
