#pragma once
// TMenuButton: a push button that carries a glyph and the Margin and Spacing
// that place it before the caption; a skin draws it with a drop-down arrow.
// Unskinned it looks and clicks like any push button.
#include <memory>

#include "toolkit/win/button.h"

class TBitmap;

class TMenuButton : public TButton {
  TK_CLASS(TMenuButton)
public:
  explicit TMenuButton(TComponent* owner);
  ~TMenuButton() override;

  TBitmap* GetGlyph() const { return glyph_.get(); }
  int GetMargin() const { return margin_; }
  void SetMargin(int v);
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int v);

private:
  std::unique_ptr<TBitmap> glyph_;
  int margin_ = -1, spacing_ = 4;
};
