#include "toolkit/win/panel.h"

#include "toolkit/win/group_box.h"

const TClassInfo& TCustomPanel::StaticClass() {
  static const std::vector<std::string> bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
  static const TClassInfo info =
      TClassBuilder<TCustomPanel>("TCustomPanel", &TWinControl::StaticClass())
          .Enum("BevelOuter", &TCustomPanel::GetBevelOuter, &TCustomPanel::SetBevelOuter, bevels)
          .Enum("BevelInner", &TCustomPanel::GetBevelInner, &TCustomPanel::SetBevelInner, bevels)
          .Prop("ParentBackground", &TCustomPanel::GetParentBackground, &TCustomPanel::SetParentBackground)
          .Build();
  return info;
}

const TClassInfo& TPanel::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TCustomPanel::StaticClass()).Creatable().Build();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }
void TCustomPanel::SetBevelOuter(TPanelBevel b) { SetAndInvalidate(bevelOuter_, b); }
void TCustomPanel::SetBevelInner(TPanelBevel b) { SetAndInvalidate(bevelInner_, b); }
void TCustomPanel::SetParentBackground(bool v) { SetAndInvalidate(parentBackground_, v); }

namespace {
// One pixel of bevel; bvSpace leaves the ring in the background colour.
void Bevel(HDC dc, RECT& r, TPanelBevel b) {
  if (b == TPanelBevel::bvNone) return;
  if (b == TPanelBevel::bvRaised) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  else if (b == TPanelBevel::bvLowered) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&r, -1, -1);
}
}  // namespace

void TCustomPanel::PaintWindow(HDC dc) {
  FillContainer(this, dc, parentBackground_);
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  Bevel(dc, r, bevelOuter_);
  Bevel(dc, r, bevelInner_);
  if (text_.empty()) return;
  TCanvas c(dc);
  c.Font().Assign(*GetFont());
  if (!GetEnabled()) c.Font().SetColor(clGrayText);
  c.Brush().SetStyle(TBrushStyle::bsClear);
  c.DrawText(text_, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  c.SetHandle(nullptr);
}
