#pragma once
// Bit buttons: the push button's face with a glyph beside the caption, laid
// out by the control's Layout, Margin and Spacing, read by name.
#include <memory>
#include <string>

#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/glyph.h"

class TBitmap;
class TCanvas;

class TSkinBitButton : public TSkinButton {
  TK_CLASS(TSkinBitButton)
public:
  explicit TSkinBitButton(TComponent* owner) : TSkinButton(owner) {}

  void PaintSkin(HDC dc, const RECT& r) override;

  // A graphic property drawn whole as the glyph instead of "Glyph" (empty: Glyph).
  std::string FGlyphProp;
};
