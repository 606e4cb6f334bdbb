#pragma once
// Panel: a container with an outer and an inner bevel and a centred caption.
#include "toolkit/win/controls.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TWinControl {
  TK_CLASS(TCustomPanel)
public:
  explicit TCustomPanel(TComponent* owner);

  TPanelBevel GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel b);
  TPanelBevel GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel b);
  // On: the panel shows its parent's colour instead of its own Color.
  bool GetParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v);

protected:
  void PaintWindow(HDC dc) override;

private:
  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised, bevelInner_ = TPanelBevel::bvNone;
  bool parentBackground_ = true;
};

class TPanel : public TCustomPanel {
  TK_CLASS(TPanel)
public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
