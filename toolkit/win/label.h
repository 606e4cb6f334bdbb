#pragma once
// A windowless text label painted by its parent.
#include "toolkit/win/control_enums.h"
#include "toolkit/win/controls.h"

class TLabel : public TGraphicControl {
  TK_CLASS(TLabel)
public:
  explicit TLabel(TComponent* owner);

  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TTextLayout GetLayout() const { return layout_; }
  void SetLayout(TTextLayout l);

  void Paint() override;
  void Loaded() override;
  // The width auto-sizing gives the label for a one-line `text`.
  int AutoWidthOf(const std::string& text) const { return Fit(text).Width; }

protected:
  void AdjustAutoSize() override;

private:
  // The bounds' size for `text` in the label's font, with the ink its line's
  // ends overhang (none for wrapped text).
  struct TFit {
    int Width, Height, InkLeft, InkRight;
  };
  TFit Fit(const std::string& text) const;
  UINT TextFlags() const;
  bool wordWrap_ = false, transparent_ = false;
  // Ink of an auto-sized line's first and last glyph beyond the text's
  // advance (bold and slanted letters), which the bounds take in.
  int inkLeft_ = 0, inkRight_ = 0;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
};
