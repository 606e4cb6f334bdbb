#pragma once
// Edit boxes with a border: a skin border drawn after the control's own
// painting; the edit's spin child, when it has one, is skinned as an up-down.
#include "skin/win/skin_control.h"

class TSkinUpDown;

// A window class that names a spin control ("msctls_updown32", or one
// containing "spin" or "updown"), in any case.
bool IsSpinClassName(const std::string& className);

class TSkinEdit : public TSkinControl {
  TK_CLASS(TSkinEdit)
public:
  explicit TSkinEdit(TComponent* owner);

  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

  void Notification(TComponent* component, TOperation operation) override;

  // Owned as a component of this object; null until the spin child is found
  // (and again when it is freed).
  TSkinUpDown* FUpDown = nullptr;

private:
  void FindUpDown();
  void PrintBorder(HDC dc);
};
