#pragma once
// Menu buttons: a push button with its glyph on the left and a small
// drop-down arrow after the caption. Input and click are the push button's.
#include "skin/win/controls/buttons/button.h"

class TSkinMenuButton : public TSkinButton {
  TK_CLASS(TSkinMenuButton)
public:
  explicit TSkinMenuButton(TComponent* owner) : TSkinButton(owner) {}
  void PaintSkin(HDC dc, const RECT& r) override;
};
