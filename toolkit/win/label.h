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

protected:
  void AdjustAutoSize() override;

private:
  UINT TextFlags() const;
  bool wordWrap_ = false, transparent_ = false;
  // Ink of an auto-sized line's first and last glyph beyond the text's
  // advance (bold and slanted letters), which the bounds take in.
  int inkLeft_ = 0, inkRight_ = 0;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
};
