#pragma once
// Containers. A panel, navigator bar or inner form (TSkinBox) is only given
// the skin's ButtonFace colour, with no hook on its messages; a bare dialog or
// tool bar window (TSkinBoxH) erases its background and its static controls'
// in ButtonFace.
#include "skin/win/controls/control.h"

class TSkinBox : public TSkinControl {
  TK_CLASS(TSkinBox)
public:
  explicit TSkinBox(TComponent* owner) : TSkinControl(owner) {}

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void Unskin() override;
  void AfterMessage(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
  TK_CLASS(TSkinBoxH)
public:
  explicit TSkinBoxH(TComponent* owner) : TSkinControl(owner) {}

  bool BeforeMessage(TMessage& m) override;
};
