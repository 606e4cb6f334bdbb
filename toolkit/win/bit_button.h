#pragma once
// Bit button: a push button that carries a glyph (a strip of NumGlyphs
// pictures: up, disabled, down) and where it goes beside the caption. The
// window itself shows the caption only; the skin draws the glyph.
#include <memory>

#include "toolkit/win/bitmap.h"
#include "toolkit/win/button.h"
#include "toolkit/win/button_layout.h"


class TBitBtn : public TButton {
  TK_CLASS(TBitBtn)
public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitmap* Glyph() const { return glyph_.get(); }
  int GetNumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout l);
  // -1: centred; otherwise pixels from the edge to the glyph.
  int GetMargin() const { return margin_; }
  void SetMargin(int m);
  // Pixels between glyph and caption; -1: centred between them.
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int s);

private:
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1, spacing_ = 4;
};
