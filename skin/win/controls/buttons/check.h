#pragma once
// Check boxes and radio buttons: the box or circle is a frame of the skin's
// check or radio strip (Buttons), the caption is drawn beside it. Attached to
// a toolkit control with a strip in the skin they paint the whole face
// (FMode 1); otherwise the window paints itself and the box is drawn over it.
#include "skin/win/controls/control.h"

class TBitmap;

// The frame (from 1) of a check strip of frameCount frames. first is 1
// unchecked, 2 checked or 4 grayed as read from the control; the window's
// indeterminate state and the disabled style come on top. The result never
// lies outside the strip.
int CheckBoxFrame(int first, bool disabled, bool indeterminate, int frameCount);
// The frame of a radio strip: checked or not, disabled, 4 or 8 frames.
int RadioButtonFrame(bool checked, bool disabled, int frameCount);

// What check boxes and radio buttons share: the messages after which the
// window has painted itself, and the box with its caption.
class TSkinToggle : public TSkinControl {
  TK_CLASS(TSkinToggle)
public:
  explicit TSkinToggle(TComponent* owner) : TSkinControl(owner) {}

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintSkin(HDC dc, const RECT& r) override;

protected:
  // The family's strip (null or empty when the skin has none) and frame count.
  virtual TBitmap* Strip() const = 0;
  virtual int StripFrames() const = 0;
  virtual int FrameOf(int frameCount) = 0;
  // Where the box goes with the text on its left (BS_LEFTTEXT).
  virtual void LeftTextBox(const RECT& r, int w, RECT& box, RECT& text) const = 0;
  bool HasStrip() const;
};

class TSkinCheckBox : public TSkinToggle {
  TK_CLASS(TSkinCheckBox)
public:
  explicit TSkinCheckBox(TComponent* owner) : TSkinToggle(owner) {}

  void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) override;
  void AfterMessage(TMessage& m) override;

  // 0 none, else the wParam of the last BM_SETCHECK plus 1.
  int FPendingCheck = 0;

protected:
  TBitmap* Strip() const override;
  int StripFrames() const override;
  int FrameOf(int frameCount) override;
  void LeftTextBox(const RECT& r, int w, RECT& box, RECT& text) const override;
};

class TSkinRadioButton : public TSkinToggle {
  TK_CLASS(TSkinRadioButton)
public:
  explicit TSkinRadioButton(TComponent* owner) : TSkinToggle(owner) {}

protected:
  TBitmap* Strip() const override;
  int StripFrames() const override;
  int FrameOf(int frameCount) override;
  void LeftTextBox(const RECT& r, int w, RECT& box, RECT& text) const override;
};
