#pragma once
// Progress bars painted off screen from the skin's Progress (trough and bar,
// two frames) or, in chunk mode, Progress as the trough and ProgressChunk.
#include "skin/win/controls/control.h"

class TSkinProgress : public TSkinControl {
  TK_CLASS(TSkinProgress)
public:
  explicit TSkinProgress(TComponent* owner);

  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

private:
  void PaintBar(HDC dc, const RECT& q, int pos, int min, int max, bool chunks);
};
