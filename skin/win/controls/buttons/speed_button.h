#pragma once
// Speed buttons: windowless controls, so the skin layers over the button's own
// WindowProc and paints into the DC its parent hands it with WM_PAINT. The
// button keeps its own press handling and click; the skin follows the mouse
// and Space to choose the face frame.
#include <string>

#include "skin/win/controls/buttons/button.h"

class TSkinSpeedButton : public TSkinButton {
  TK_CLASS(TSkinSpeedButton)
public:
  explicit TSkinSpeedButton(TComponent* owner);
  ~TSkinSpeedButton() override;

  // The dispatcher's attach: a speed button has no window, so AttachGraphic.
  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AttachGraphic(TSkinControlList* list, TSkinData* skinData, TCanvas* canvas);
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintWindow(HDC dc) override;
  // The face into dc at (0, 0), r's size.
  void PaintSpeedFace(HDC dc, const RECT& r);

  bool FPainting = false;
  // Empty: the "Glyph" bitmap strip; else a graphic property drawn whole.
  std::string FGlyphProp;

private:
  bool SkinHasButtons() const;
};
