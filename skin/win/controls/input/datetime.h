#pragma once
// Date-time pickers: a skin border, and over the picker's drop-down button a
// small child window showing the skin's combo arrow that hands clicks on to
// the picker.
#include "skin/win/controls/control.h"
#include "toolkit/win/controls.h"

class TSkinDateTime;

class TArrowButton : public TWinControl {
  TK_CLASS(TArrowButton)
public:
  explicit TArrowButton(TComponent* owner);

  // Placed over the picker's button; no window is made for a picker that has none yet.
  void Attach(TSkinDateTime* skin, TWinControl* picker);
  // The picker's window was made: its handle, its button's side, clipped children.
  void PickerWindowMade();
  // Follows the picker's width (r: its window rectangle at 0, 0).
  void Place(const RECT& r);

  int FButtonWidth = 0;
  TWinControl* FPicker = nullptr;
  TSkinDateTime* FSkin = nullptr;
  HWND FPickerHandle = nullptr;
  BYTE FHot = 0;  // 1: the mouse is over the button

protected:
  void WndProc(TMessage& m) override;
  void PaintWindow(HDC dc) override;
};

class TSkinDateTime : public TSkinControl {
  TK_CLASS(TSkinDateTime)
public:
  explicit TSkinDateTime(TComponent* owner);

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

  TArrowButton* FArrowButton = nullptr;  // owned as a component of this object

protected:
  void WindowCreated() override;
};
