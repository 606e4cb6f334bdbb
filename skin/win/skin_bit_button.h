#pragma once
// Bit buttons: the push button's face with a glyph beside the caption, laid
// out by the control's Layout, Margin and Spacing, read by name.
#include <memory>
#include <string>

#include "skin/win/skin_button.h"

class TBitmap;
class TCanvas;

// Where glyph and text go. layout: 0 glyph left, 1 right, 2 top, 3 bottom;
// sizes are (width, height); margin or spacing -1 means "work it out";
// centred: the caption is centred (Alignment taCenter).
struct TBitButtonLayout {
  POINT Glyph{}, Text{};
  UINT Flags = 0;  // DrawText alignment of the caption
};
TBitButtonLayout LayOutBitButton(int layout, SIZE client, SIZE glyph, SIZE text, int margin, int spacing,
                                 bool centred);


class TSkinBitButton : public TSkinButton {
  TK_CLASS(TSkinBitButton)
public:
  explicit TSkinBitButton(TComponent* owner) : TSkinButton(owner) {}

  void PaintSkin(HDC dc, const RECT& r) override;

  // A graphic property drawn whole as the glyph instead of "Glyph" (empty: Glyph).
  std::string FGlyphProp;
  TBitButtonLayout LastLayout;  // of the last paint
};
