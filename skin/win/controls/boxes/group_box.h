#pragma once
// Group boxes (and radio groups): a rounded one-pixel frame in the skin's
// shadow colour with the caption over it on ButtonFace.
#include "skin/win/controls/control.h"

class TSkinGroupBox : public TSkinControl {
  TK_CLASS(TSkinGroupBox)
public:
  explicit TSkinGroupBox(TComponent* owner) : TSkinControl(owner) {}

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
};
