#pragma once
// Tab controls: the strip of tabs composed off screen from the skin's Tabs
// image (built lying down and turned for tabs on the left or right), the page
// area framed with the pane image; tabs in button style from the push-button
// image; and the plain face of one tab sheet.
#include <memory>

#include "skin/win/controls/control.h"

class TBitmap;

// 0 top, 1 bottom, 2 left, 3 right, from a tab window's style.
int TabPositionOfStyle(LONG style);
// Tab rectangle t (window coordinates) in the strip bitmap lying down: w is the
// strip's width, paneEdge the pane's edge towards the tabs, right the window's right.
RECT TabRectInStrip(RECT t, int position, int w, int paneEdge, int right);

// Skins the first scroll-arrow (up-down) child of a tab window (its FUpDown,
// SkinSpinChild); that child when it is visible, else null.
HWND SkinScrollArrowsChild(TSkinControl& tabs);

class TSkinTab : public TSkinControl {
  TK_CLASS(TSkinTab)
public:
  explicit TSkinTab(TComponent* owner);
  ~TSkinTab() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
  void SkinChanged() override;

  void PrepareImages();

  BYTE FTabPosition = 0;
  std::unique_ptr<TBitmap> FTabsBitmap, FPaneBitmap, FStripBitmap;

protected:
  void WindowCreated() override;

private:
  void PaintPane(HDC dc, const RECT& p);
};

// The old-style tab set, drawn from the Tabs image turned upside down.
class TSkinTab31 : public TSkinControl {
  TK_CLASS(TSkinTab31)
public:
  explicit TSkinTab31(TComponent* owner);
  ~TSkinTab31() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
  void SkinChanged() override;
  void PrepareImage();

  std::unique_ptr<TBitmap> FTabsBitmap;

protected:
  void WindowCreated() override;
};

class TSkinTabBtn : public TSkinControl {
  TK_CLASS(TSkinTabBtn)
public:
  explicit TSkinTabBtn(TComponent* owner);
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
};

class TSkinTabSheet : public TSkinControl {
  TK_CLASS(TSkinTabSheet)
public:
  explicit TSkinTabSheet(TComponent* owner);
  bool BeforeMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;
};
