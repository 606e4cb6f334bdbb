#pragma once
// Push buttons (toolkit buttons and bare dialog buttons) painted from the
// skin's Buttons strip. The skin takes the button's left-button press, so it
// makes the click itself on the release.
#include <memory>
#include <string>

#include "skin/win/controls/control.h"

class TBitmap;

// The state frames of the Buttons strip.
enum TButtonFrame { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfFocused = 5 };
// Disabled over pressed over hot over focused-or-default over normal.
int ButtonFaceFrame(bool disabled, BYTE mouseState, bool focusedOrDefault);
// Text with its first occurrence of bars replaced by newLine.
std::wstring ReplaceBarsWithNewLine(const std::wstring& text, const std::wstring& bars, const std::wstring& newLine);

class TSkinButton : public TSkinControl {
  TK_CLASS(TSkinButton)
public:
  explicit TSkinButton(TComponent* owner);
  ~TSkinButton() override;

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

  // Caption with "||" as a line break, centred or left, and the focus rectangle.
  void DrawButtonCaption(HDC dc, const RECT& r, UINT alignment);

  std::unique_ptr<TBitmap> FFaceBitmap;

protected:
  // The face into FFaceBitmap (state, background, frame) and the caption's
  // font selected into it; the face frame, or 0 when the skin has no Buttons
  // image (nothing drawn). defaultCounts: a Default button shows the focus frame.
  int PaintFace(const RECT& r, bool defaultCounts, HGDIOBJ& oldFont);
  // The caption colour of a face frame; normalOnly: NormalColour2 only in the normal state.
  TColor CaptionColor(int frame, bool normalOnly) const;

private:
  void MakeClick();
};
