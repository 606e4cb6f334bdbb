#include "toolkit/win/image_list.h"
#include <algorithm>

#include "toolkit/win/disabled_look.h"

const TClassInfo& TImageList::StaticClass() {
  static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Width", &TImageList::GetWidth, &TImageList::SetWidth)
                                     .Prop("Height", &TImageList::GetHeight, &TImageList::SetHeight)
                                     .Build();
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}
TImageList::~TImageList() = default;

void TImageList::SetWidth(int w) {
  if (w < 1 || w == width_) return;
  width_ = w;
  Clear();
}

void TImageList::SetHeight(int h) {
  if (h < 1 || h == height_) return;
  height_ = h;
  Clear();
}

void TImageList::Clear() { images_.clear(); }

void TImageList::Delete(int index) {
  if (index >= 0 && index < Count()) images_.erase(images_.begin() + index);
}

int TImageList::Add(TBitmap& image, TBitmap* mask) { return AddPieces(image, mask, false, clNone); }

int TImageList::AddMasked(TBitmap& image, TColor maskColor) { return AddPieces(image, nullptr, true, maskColor); }

int TImageList::AddPieces(TBitmap& image, TBitmap* mask, bool fromColor, TColor maskColor) {
  if (image.Empty()) return -1;
  int first = Count();
  int pieces = std::max(1, image.GetWidth() / width_);
  COLORREF key = ColorToRGB(maskColor);
  for (int i = 0; i < pieces; ++i) {
    Entry e;
    e.image = std::make_unique<TBitmap>();
    e.image->SetSize(width_, height_);
    BitBlt(e.image->CanvasDC(), 0, 0, width_, height_, image.CanvasDC(), i * width_, 0, SRCCOPY);
    if (fromColor || mask) {
      e.mask = std::make_unique<TBitmap>();
      if (fromColor) {
        e.mask->Assign(*e.image);
        e.mask->Mask(static_cast<TColor>(key));
      } else {
        e.mask->SetPixelFormat(TPixelFormat::pf1bit);
        e.mask->SetSize(width_, height_);
        for (int y = 0; y < height_; ++y)
          for (int x = 0; x < width_; ++x)
            e.mask->SetPixel(x, y, mask->GetPixel(i * width_ + x, y) == clWhite ? clWhite : clBlack);
      }
      // Transparent pixels become black so the image can be ORed over the masked background.
      for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
          if (e.mask->GetPixel(x, y) == clWhite) e.image->SetPixel(x, y, clBlack);
    }
    images_.push_back(std::move(e));
  }
  return first;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  HDC dc = canvas.Handle();
  if (!dc || index < 0 || index >= Count()) return;
  Entry& e = images_[static_cast<std::size_t>(index)];
  if (enabled) {
    DrawEntry(dc, x, y, e);
    return;
  }
  // The image over white: what stays white is not embossed.
  TBitmap shape;
  shape.SetPixelFormat(TPixelFormat::pf24bit);
  shape.SetSize(width_, height_);
  RECT all{0, 0, width_, height_};
  FillRect(shape.CanvasDC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawEntry(shape.CanvasDC(), 0, 0, e);
  DrawDisabledPicture(dc, x, y, width_, height_, shape.CanvasDC(), RGB(255, 255, 255));
}

void TImageList::DrawEntry(HDC dc, int x, int y, Entry& e) const {
  if (!e.mask) {
    BitBlt(dc, x, y, width_, height_, e.image->CanvasDC(), 0, 0, SRCCOPY);
    return;
  }
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, width_, height_, e.mask->CanvasDC(), 0, 0, SRCAND);
  BitBlt(dc, x, y, width_, height_, e.image->CanvasDC(), 0, 0, SRCPAINT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}
