#pragma once
// A list of equally sized images, each with an optional transparency mask.
#include <memory>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/win/bitmap.h"

class TImageList : public TComponent {
  TK_CLASS(TImageList)
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int GetWidth() const { return width_; }
  void SetWidth(int w);   // clears the list
  int GetHeight() const { return height_; }
  void SetHeight(int h);  // clears the list
  int Count() const { return static_cast<int>(images_.size()); }

  // A strip wider than Width adds one image per Width pixels. `mask` (white =
  // transparent) may be null. Returns the index of the first image added.
  int Add(TBitmap& image, TBitmap* mask);
  // The mask is made from the pixels of `maskColor`.
  int AddMasked(TBitmap& image, TColor maskColor);
  void Delete(int index);
  void Clear();

  // Draws image `index` with its top-left corner at (x, y); an index out of range draws nothing.
  // A disabled image is drawn embossed in the system's greys (its white and
  // transparent pixels leave the canvas as it was).
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

private:
  struct Entry {
    std::unique_ptr<TBitmap> image;  // transparent pixels black when masked
    std::unique_ptr<TBitmap> mask;   // 1 bpp, null when opaque
  };
  int AddPieces(TBitmap& image, TBitmap* mask, bool fromColor, TColor maskColor);
  void DrawEntry(HDC dc, int x, int y, Entry& e) const;
  int width_ = 16, height_ = 16;
  std::vector<Entry> images_;
};
