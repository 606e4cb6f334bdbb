#pragma once
// Check boxes and radio buttons of other component sets that draw their own
// glyphs: the skin's check or radio strip, rearranged into the cells such a
// control expects, is handed to its glyph property by name. No painting and
// no hook of its own.
#include <memory>

#include "skin/win/controls/control.h"

class TBitmap;

class TSkinObjImage : public TSkinControl {
  TK_CLASS(TSkinObjImage)
public:
  enum : int { ikCustomCheck = 1, ikCustomRadio = 2, ikPropertiesCheck = 3 };
  explicit TSkinObjImage(TComponent* owner) : TSkinControl(owner) {}

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void Unskin() override;
  void SkinChanged() override;

  int FImageKind = ikCustomCheck;

private:
  void HandOverGlyphs();
};

// The cells of a kind (1, 2 or 3) cut from a strip of frameCount frames;
// null when there is nothing to cut.
std::unique_ptr<TBitmap> ArrangeGlyphCells(TBitmap& strip, int frameCount, int kind);
