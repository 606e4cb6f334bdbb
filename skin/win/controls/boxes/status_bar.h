#pragma once
// Status bars: the whole bar composed in the shared paint bitmap, panel edges
// from the skin's StatusBarEdges strip (plain 3-D frames without one), the
// texts in the bar's font and the size grip from ExtraImages.
#include "skin/win/controls/control.h"

class TSkinStatusBar : public TSkinControl {
  TK_CLASS(TSkinStatusBar)
public:
  explicit TSkinStatusBar(TComponent* owner);
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

private:
  // Frame k of the edge strip (1 lowered, 2 raised, 3 none) around e.
  void DrawEdgeFrame(HDC dc, const RECT& e, int k);
};
