#pragma once
// Edit boxes with a border: a skin border drawn after the control's own
// painting; the edit's spin child, when it has one, is skinned as an up-down.
#include "skin/win/controls/control.h"

// A window class that names a spin control ("msctls_updown32", or one
// containing "spin" or "updown"), in any case.
bool IsSpinClassName(const std::string& className);

class TSkinEdit : public TSkinControl {
  TK_CLASS(TSkinEdit)
public:
  explicit TSkinEdit(TComponent* owner);

  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

private:
  // The spin child (FUpDown), looked for at each paint while xcSpin is on.
  void FindUpDown();
  void PrintBorder(HDC dc);
};
