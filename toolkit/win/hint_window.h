#pragma once
// A small top-level window showing GBK text near a point, like a tooltip.
#include <string>

#include "toolkit/win/controls.h"

class THintWindow : public TWinControl {
  TK_CLASS(THintWindow)
public:
  explicit THintWindow(TComponent* owner);
  // Shows `text` in the window at rect (screen coordinates), without taking
  // the focus or activation.
  void ActivateHint(const RECT& rect, const std::string& text);
  void ReleaseHint();
  bool HintShowing() const;
  // The rectangle (from 0, 0) the window takes for `text`, its lines broken
  // between words to fit maxWidth pixels.
  RECT CalcHintRect(int maxWidth, const std::string& text);

protected:
  void CreateParams(TCreateParams& p) override;
  void PaintWindow(HDC dc) override;
};
