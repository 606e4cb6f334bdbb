#pragma once
// A small top-level window showing a line of GBK text near a point, like a tooltip.
#include <string>

#include "toolkit/win/controls.h"

class THintWindow : public TWinControl {
  TK_CLASS(THintWindow)
public:
  explicit THintWindow(TComponent* owner);
  // Shows `text` with the window's top-left corner at the screen point (x, y),
  // without taking the focus or activation.
  void ActivateHint(int x, int y, const std::string& text);
  void ReleaseHint();
  bool HintShowing() const;
  // The size the window takes for `text`.
  SIZE CalcHintSize(const std::string& text);

protected:
  void CreateParams(TCreateParams& p) override;
  void PaintWindow(HDC dc) override;
};
