#include "toolkit/win/group_box.h"

const TClassInfo& TCustomGroupBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomGroupBox>("TCustomGroupBox", &TWinControl::StaticClass())
          .Prop("ParentBackground", &TCustomGroupBox::GetParentBackground, &TCustomGroupBox::SetParentBackground)
          .Build();
  return info;
}

const TClassInfo& TGroupBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClass()).Creatable().Build();
  return info;
}

void FillContainer(TWinControl* c, HDC dc, bool parentBackground) {
  RECT r{0, 0, c->ClientWidth(), c->ClientHeight()};
  TWinControl* p = c->Parent();
  FillRect(dc, &r, parentBackground && p ? p->BackgroundBrush() : c->BackgroundBrush());
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::SetParentBackground(bool v) {
  if (v == parentBackground_) return;
  parentBackground_ = v;
  Invalidate();
}

int TCustomGroupBox::CaptionHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

RECT TCustomGroupBox::AlignRect() {
  // The frame's lines and a margin that keeps text off them, in line with the caption.
  const int inset = 8;
  RECT r{inset, CaptionHeight() + 4, ClientWidth() - inset, ClientHeight() - inset};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void TCustomGroupBox::PaintWindow(HDC dc) {
  FillContainer(this, dc, parentBackground_);
  int h = CaptionHeight();
  RECT frame{0, h / 2, ClientWidth(), ClientHeight()};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text_.empty()) return;
  TCanvas c(dc);
  c.Font().Assign(*GetFont());
  if (!GetEnabled()) c.Font().SetColor(clGrayText);
  c.Brush().SetColor(parentBackground_ && Parent() ? Parent()->GetColor() : GetColor());
  RECT t{8, 0, ClientWidth() - 8, h};
  c.DrawText(text_, t, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  c.FillRect(t);
  c.Brush().SetStyle(TBrushStyle::bsClear);
  c.DrawText(text_, t, DT_SINGLELINE | DT_NOPREFIX);
  c.SetHandle(nullptr);
}
