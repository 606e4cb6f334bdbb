#pragma once
// Group box: a container drawn as an etched frame with its caption at the top.
#include "toolkit/win/controls.h"

class TCustomGroupBox : public TWinControl {
  TK_CLASS(TCustomGroupBox)
public:
  explicit TCustomGroupBox(TComponent* owner);

  // On: the box shows its parent's colour instead of its own Color.
  bool GetParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v);
  // Inside the frame, below the caption.
  RECT AlignRect() override;

protected:
  void PaintWindow(HDC dc) override;
  int CaptionHeight();  // text height of the font

private:
  bool parentBackground_ = true;
};

class TGroupBox : public TCustomGroupBox {
  TK_CLASS(TGroupBox)
public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

// Paints the area of a container: its own colour, or the parent's.
void FillContainer(TWinControl* c, HDC dc, bool parentBackground);
