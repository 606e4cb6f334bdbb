#pragma once
// TSpeedButton: a windowless push button with an optional glyph strip (up,
// disabled, pressed, down pictures side by side). It shows pressed while the
// left button is held on it and clicks on a release over it; Down keeps it
// shown pressed.
#include <memory>

#include "toolkit/win/button_layout.h"
#include "toolkit/win/controls.h"

class TBitmap;


class TSpeedButton : public TGraphicControl {
  TK_CLASS(TSpeedButton)
public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  bool GetDown() const { return down_; }
  void SetDown(bool v);
  bool GetFlat() const { return flat_; }
  void SetFlat(bool v);
  TBitmap* GetGlyph() const { return glyph_.get(); }
  // Pictures in the glyph strip, 1 to 4.
  int GetNumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);
  // Glyph to edge (-1: centred) and glyph to caption (-1: spread evenly).
  int GetMargin() const { return margin_; }
  void SetMargin(int v);
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int v);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  // The left button went down on it and has not come up.
  bool Pressed() const { return pressed_; }

  void Paint() override;

protected:
  void WndProc(TMessage& m) override;

private:
  std::unique_ptr<TBitmap> glyph_;
  bool down_ = false, flat_ = false, pressed_ = false;
  int numGlyphs_ = 1, margin_ = -1, spacing_ = 4;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
};
