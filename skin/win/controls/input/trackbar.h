#pragma once
// Track bars: channel and thumb painted from the skin through the control's
// own custom-draw notification; the tick marks stay the control's.
#include <windows.h>

#include <commctrl.h>

#include "skin/win/controls/control.h"

class TSkinTrackBar : public TSkinControl {
  TK_CLASS(TSkinTrackBar)
public:
  explicit TSkinTrackBar(TComponent* owner);

  bool BeforeMessage(TMessage& m) override;
  void SkinChanged() override;

  // The answer to one custom-draw notification (drawing what it asks for).
  LRESULT CustomDraw(const NMCUSTOMDRAW& cd);

private:
  void DrawChannel(HDC dc);
  void DrawThumb(HDC dc);
};
