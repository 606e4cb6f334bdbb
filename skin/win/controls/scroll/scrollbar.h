#pragma once
// Skinned window scroll bars: a control's own WS_HSCROLL/WS_VSCROLL bars are
// covered by two TWScrollbar overlays (overlay.h) that follow
// the control's size, visibility, enabled state and scroll messages.
//
// TSkinScrollbar is the object for a toolkit control (list box, list view,
// rich edit, memo, grid ...), owned by that control; the dispatcher makes it
// (kinds Scrollbar and SingleScrollbar) and attaches it through AttachControl,
// which calls the virtual AttachScrollbars: a family built on it (the list
// view's) extends AttachScrollbars and calls this one first. It may draw a
// thin two-colour border in place of the control's own.
//
// TSkinScrollbarH covers the bars of a window known only by its handle (the
// always visible list of a simple combo box): make it with the object that
// is to own it, then AttachHandle(listWindow, skinData, list, canvas). Unskin
// or deleting it gives the window back and removes both overlays.
#include <memory>

#include "skin/win/controls/control.h"
#include "skin/win/controls/scroll/overlay.h"

// The two overlays of one window, owned here.
struct TScrollbarPair {
  std::unique_ptr<TWScrollbar> Horz, Vert;

  // Makes both overlays over control's window, or over handle when control is null.
  void Make(TSkinControl* owner, TControl* control, HWND handle);
  void Place(HWND handle);
  void Hide();
  void Free();
  void SetEnabled(bool enabled);
  void InvalidateShown();
  // WM_HSCROLL / WM_VSCROLL: the request names the matching overlay's part.
  void ScrollRequest(UINT msg, WPARAM wp);
  bool BothShown() const;
  // The square between two shown bars, in the window's client
  // coordinates; false unless both are shown.
  bool Corner(RECT& r) const;
};

class TSkinScrollbar : public TSkinControl {
  TK_CLASS(TSkinScrollbar)
public:
  // mode 1: made for a "singlescrollbar" control, never bordered.
  explicit TSkinScrollbar(TComponent* owner, int mode = 0);
  ~TSkinScrollbar() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  virtual void AttachScrollbars(TControl* control, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas);
  void Unskin() override;
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
  void SkinChanged() override;

  void PlaceBars();
  // ButtonShadow outside, ButtonFace one pixel in.
  void DrawBorder(HDC dc, const RECT& r);
  void DrawWindowBorder(HDC dc);

  TScrollbarPair FBars;
  bool FDrawBorder = false;

protected:
  void WindowCreated() override;

private:
  void ReplaceFixedColor();
  // The overlays over the control's window.
  void MakeBars();
};

class TSkinScrollbarH : public TSkinControl {
  TK_CLASS(TSkinScrollbarH)
public:
  explicit TSkinScrollbarH(TComponent* owner);
  ~TSkinScrollbarH() override;

  void AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) override;
  void AfterMessage(TMessage& m) override;
  void Unskin() override;
  void PaintSkin(HDC dc, const RECT& r) override;
  void PlaceBars();

  TScrollbarPair FBars;
};

// The corner between a window's two bars is filled with the skin's face colour.
void FillScrollCorner(const TSkinControl& skin, HDC dc, const TScrollbarPair& bars);
