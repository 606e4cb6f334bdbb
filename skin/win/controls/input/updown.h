#pragma once
// Up-down (spin) controls: the two arrow buttons painted off screen from the
// skin's UpDownVert or UpDownHorz strips, or flat with drawn arrows.
#include "skin/win/controls/control.h"

// The frame (of 8) a button shows: state 1 normal, 2 pressed, 3 disabled;
// the second button (down or right) uses frames 5..7.
int UpDownFrame(int state, bool second);

class TSkinUpDown : public TSkinControl {
  TK_CLASS(TSkinUpDown)
public:
  explicit TSkinUpDown(TComponent* owner);

  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

  bool FEmbedded = false;  // the spin child of a skinned edit
};
