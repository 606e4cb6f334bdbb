#pragma once
// TComboxScrollBar: the vertical scroll bar of a combo box's drop-down list,
// painted from the skin straight into the list window's non-client area (no
// overlay: the list is a popup). A press on its thumb is dragged by
// DragListThumb (list_thumb_drag.h), with the list's scroll messages
// sent as the system would; other presses go to the system's own logic.
//
// Use: make it with the object that is to own it, then
// AttachHandle(listWindow, skinData, list, canvas) (the base's attach: it
// subclasses the list window once). Unskin or deleting it gives the window
// its own procedure back.
#include "skin/win/controls/control.h"

class TComboxScrollBar : public TSkinControl {
  TK_CLASS(TComboxScrollBar)
public:
  explicit TComboxScrollBar(TComponent* owner);

  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
  // Drags the thumb for a WM_NCLBUTTONDOWN on it; false when the press is
  // not on the vertical bar's thumb (the system handles it then).
  bool DragThumb(const TMessage& m);
  // The vertical bar in its normal look, into the list window's DC.
  void PaintBar(HDC dc, const RECT& r);

  int FArrowSize = 0;
  int FBarLength = 0;
  int FThumbStart = 0, FThumbEnd = 0;
};
