#pragma once
// The size box of a dialog ("scrollbar" window without a tab stop), filled
// with the skin's ButtonFace after its own painting.
#include "skin/win/controls/control.h"

class TSkinSizer : public TSkinControl {
  TK_CLASS(TSkinSizer)
public:
  explicit TSkinSizer(TComponent* owner);
  void PaintSkin(HDC dc, const RECT& r) override { FillSkinColor(dc, r); }
};
