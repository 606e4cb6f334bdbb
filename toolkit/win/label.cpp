#include "toolkit/win/label.h"

#include <algorithm>

#include "toolkit/base/gbk_wide.h"

const TClassInfo& TLabel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
          .Creatable()
          .Prop("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap)
          .Prop("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent)
          .Enum("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"})
          .Enum("Layout", &TLabel::GetLayout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"})
          .Build();
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
  SetAutoSize(true);
}

void TLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustAutoSize();
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
  if (l == layout_) return;
  layout_ = l;
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT f = DT_EXPANDTABS | DT_NOPREFIX;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (alignment_ == TAlignment::taRightJustify) f |= DT_RIGHT;
  else if (alignment_ == TAlignment::taCenter) f |= DT_CENTER;
  return f;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustAutoSize();
}

namespace {
// How far the ink of a one-line text's first glyph reaches left of its start
// and that of its last glyph right of its advance, in the font selected in dc,
// with the pixel that smoothing puts beside the outline.
void InkOverhang(HDC dc, const std::string& text, int& left, int& right) {
  left = right = 0;
  const std::wstring wide = GbkToWide(text);
  if (wide.empty() || wide.find_first_of(L"\r\n") != std::wstring::npos) return;
  ABC first{}, last{};
  if (GetCharABCWidthsW(dc, wide.front(), wide.front(), &first)) left = std::max(0, 1 - first.abcA);
  if (GetCharABCWidthsW(dc, wide.back(), wide.back(), &last)) right = std::max(0, 1 - last.abcC);
}
}  // namespace

TLabel::TFit TLabel::Fit(const std::string& text) const {
  TScreenCanvas c(*GetFont());
  const std::string shown = text.empty() ? " " : text;
  RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
  c.DrawText(shown, r, TextFlags() | DT_CALCRECT);
  TFit fit{0, r.bottom, 0, 0};
  if (!wordWrap_) InkOverhang(c.Handle(), shown, fit.InkLeft, fit.InkRight);
  fit.Width = wordWrap_ ? width_ : fit.InkLeft + r.right + fit.InkRight;
  return fit;
}

// Fits the bounds to the caption in the label's font: the width too unless the
// text wraps, with the ink that overhangs the line's ends. An empty caption
// keeps the height of one line.
void TLabel::AdjustAutoSize() {
  if (!GetAutoSize() || IsLoading()) return;
  const TFit fit = Fit(text_);
  inkLeft_ = fit.InkLeft;
  inkRight_ = fit.InkRight;
  SetBounds(left_, top_, fit.Width, fit.Height);
}

void TLabel::Paint() {
  TCanvas& c = Canvas();
  RECT r{0, 0, width_, height_};
  if (!transparent_) {
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(GetColor());
    c.FillRect(r);
  }
  r.left += inkLeft_;
  r.right -= inkRight_;
  c.Brush().SetStyle(TBrushStyle::bsClear);
  if (!GetEnabled()) c.Font().SetColor(clGrayText);
  if (layout_ != TTextLayout::tlTop) {
    RECT m = r;
    c.DrawText(text_.empty() ? " " : text_, m, TextFlags() | DT_CALCRECT);
    int h = m.bottom - m.top;
    r.top = layout_ == TTextLayout::tlCenter ? (height_ - h) / 2 : height_ - h;
  }
  // The overhanging ink lies outside r but inside the bounds.
  c.DrawText(text_, r, TextFlags() | (inkLeft_ || inkRight_ ? DT_NOCLIP : 0));
}
