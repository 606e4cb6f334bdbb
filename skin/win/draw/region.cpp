// Window regions from border images.
#include <algorithm>
#include <climits>
#include <vector>

#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"

namespace {

constexpr std::size_t kBatch = 2000;  // rectangles per ExtCreateRegion call

// Rectangles gathered as region data and ORed into the result in batches.
class TRegionBuilder {
public:
  TRegionBuilder() : result_(CreateRectRgn(0, 0, 0, 0)) { rects_.reserve(500); }
  ~TRegionBuilder() {
    if (result_) DeleteObject(result_);
  }
  void Add(const RECT& r) {
    rects_.push_back(r);
    if (rects_.size() == kBatch) Flush();
  }
  HRGN Take() {
    Flush();
    HRGN r = result_;
    result_ = nullptr;
    return r;
  }

private:
  void Flush() {
    if (rects_.empty()) return;
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects_.size());
    header->nRgnSize = 0;
    RECT bound{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (const RECT& r : rects_) {
      bound.left = std::min(bound.left, r.left);
      bound.top = std::min(bound.top, r.top);
      bound.right = std::max(bound.right, r.right);
      bound.bottom = std::max(bound.bottom, r.bottom);
    }
    header->rcBound = bound;
    std::copy(rects_.begin(), rects_.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    if (part) {
      CombineRgn(result_, result_, part, RGN_OR);
      DeleteObject(part);
    }
    rects_.clear();
  }
  HRGN result_;
  std::vector<RECT> rects_;
};

}  // namespace

HRGN BitmapToRegion(TBitmap& bitmap, int x, int y, TColor keyColour, BYTE tolRed, BYTE tolGreen, BYTE tolBlue) {
  return BitmapToRegion(bitmap, bitmap.GetWidth(), bitmap.GetHeight(), x, y, keyColour, tolRed, tolGreen, tolBlue);
}

HRGN BitmapToRegion(TBitmap& bitmap, int width, int height, int x, int y, TColor keyColour, BYTE tolRed,
                    BYTE tolGreen, BYTE tolBlue) {
  TRegionBuilder region;
  if (bitmap.Empty()) return region.Take();
  // Rows are read as 24-bit pixels; a bitmap of another format is read from
  // a 24-bit copy, so the caller's keeps its format.
  TBitmap copy;
  TBitmap* source = &bitmap;
  if (bitmap.GetPixelFormat() != TPixelFormat::pf24bit) {
    copy.Assign(bitmap);
    source = &copy;
  }
  TPixels24 pixels = Pixels24(*source);
  pixels.Width = std::clamp(width, 0, pixels.Width);
  pixels.Height = std::clamp(height, 0, pixels.Height);
  TRgb key = ColorToRGB(keyColour);
  const int loR = RgbRed(key), loG = RgbGreen(key), loB = RgbBlue(key);
  const int hiR = std::min(255, loR + tolRed), hiG = std::min(255, loG + tolGreen), hiB = std::min(255, loB + tolBlue);
  auto transparent = [&](const std::uint8_t* p) {
    return p[2] >= loR && p[2] <= hiR && p[1] >= loG && p[1] <= hiG && p[0] >= loB && p[0] <= hiB;
  };
  for (int row = 0; row < pixels.Height; ++row) {
    const std::uint8_t* line = pixels.Row(row);
    int col = 0;
    while (col < pixels.Width) {
      while (col < pixels.Width && transparent(line + col * 3)) ++col;
      int start = col;
      while (col < pixels.Width && !transparent(line + col * 3)) ++col;
      if (col > start) region.Add(RECT{start + x, row + y, col + x, row + y + 1});
    }
  }
  return region.Take();
}
