#include "toolkit/win/tab_set.h"

#include "toolkit/base/gbk_wide.h"

const TClassInfo& TTabSet::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTabSet>("TTabSet", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Strings("Tabs", &TTabSet::GetTabsList, &TTabSet::SetTabsList)
                                     .Prop("TabIndex", &TTabSet::GetTabIndex, &TTabSet::SetTabIndex)
                                     .Prop("FirstIndex", &TTabSet::GetFirstIndex, &TTabSet::SetFirstIndex)
                                     .Prop("StartMargin", &TTabSet::GetStartMargin, &TTabSet::SetStartMargin)
                                     .Prop("EndMargin", &TTabSet::GetEndMargin, &TTabSet::SetEndMargin)
                                     .Event("OnChange", &TTabSet::OnChange)
                                     .Build();
  return info;
}

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner), tabs_(std::make_unique<TControlStrings>()) {
  SetBounds(0, 0, 185, 21);
  tabs_->OnChanged = [this](TControlStrings::TChange, int) {
    if (tabIndex_ >= tabs_->Count()) tabIndex_ = -1;
    Invalidate();
  };
}

TTabSet::~TTabSet() {
  BeginDestroy();
  DestroyComponents();
}

void TTabSet::SetTabIndex(int i) {
  if (i < -1 || (!IsLoading() && i >= tabs_->Count())) i = -1;
  if (i == tabIndex_) return;
  tabIndex_ = i;
  Invalidate();
  if (!IsLoading() && OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int i) { SetAndInvalidate(firstIndex_, i < 0 ? 0 : i); }
void TTabSet::SetStartMargin(int v) { SetAndInvalidate(startMargin_, v); }
void TTabSet::SetEndMargin(int v) { SetAndInvalidate(endMargin_, v); }

std::vector<TTabSet::TShownTab> TTabSet::ShownTabs(HDC dc, int width, int height) {
  std::vector<TShownTab> out;
  HGDIOBJ old = SelectObject(dc, GetFont()->Handle());
  int x = startMargin_;
  const int limit = width - endMargin_;
  for (int i = firstIndex_; i < tabs_->Count(); ++i) {
    const std::wstring text = GbkToWide(tabs_->Strings(i));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int w = size.cx + 9;
    if (x + w > limit) continue;  // a later, shorter tab may still fit
    out.push_back({i, RECT{x, 0, x + w, height}});
    x += w;
  }
  SelectObject(dc, old);
  return out;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  HDC dc = GetDC(nullptr);
  const std::vector<TShownTab> shown = ShownTabs(dc, ClientWidth(), ClientHeight());
  ReleaseDC(nullptr, dc);
  const POINT p{x, y};
  for (const TShownTab& t : shown)
    if (button == TMouseButton::mbLeft && PtInRect(&t.Rect, p)) SetTabIndex(t.Index);
  TWinControl::MouseDown(button, shift, x, y);
}

// Each tab a box hanging from the top edge; the selected one in the window colour.
void TTabSet::PaintWindow(HDC dc) {
  RECT all{0, 0, ClientWidth(), ClientHeight()};
  FillRect(dc, &all, BackgroundBrush());
  TCanvas c(dc);
  c.Font().Assign(*GetFont());
  for (const TShownTab& t : ShownTabs(dc, all.right, all.bottom)) {
    RECT r = t.Rect;
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(t.Index == tabIndex_ ? clWindow : GetColor());
    c.FillRect(r);
    DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.DrawText(GbkToWide(tabs_->Strings(t.Index)), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  c.SetHandle(nullptr);
}
