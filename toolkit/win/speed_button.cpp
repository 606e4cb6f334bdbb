#include "toolkit/win/speed_button.h"

#include <algorithm>

#include "toolkit/win/bitmap.h"

const TClassInfo& TSpeedButton::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSpeedButton>("TSpeedButton", &TGraphicControl::StaticClass())
          .Creatable()
          .Prop("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown)
          .Prop("Flat", &TSpeedButton::GetFlat, &TSpeedButton::SetFlat)
          .Object("Glyph", &TSpeedButton::GetGlyph)
          .Prop("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs)
          .Prop("Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin)
          .Prop("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing)
          .Enum("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout,
                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})
          .Build();
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) { SetAndInvalidate(numGlyphs_, std::clamp(v, 1, 4)); }
void TSpeedButton::SetMargin(int v) { SetAndInvalidate(margin_, v); }
void TSpeedButton::SetSpacing(int v) { SetAndInvalidate(spacing_, v); }
void TSpeedButton::SetLayout(TButtonLayout v) { SetAndInvalidate(layout_, v); }

void TSpeedButton::WndProc(TMessage& m) {
  if (GetEnabled()) {
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
      pressed_ = true;
      Invalidate();
    } else if (m.Msg == WM_LBUTTONUP && pressed_) {
      pressed_ = false;
      Invalidate();
    }
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  TCanvas& c = Canvas();
  HDC dc = c.Handle();
  RECT r = ClientRect();
  c.Brush().SetColor(GetColor());
  c.FillRect(r);
  const bool sunk = down_ || pressed_;
  if (sunk) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  else if (!flat_) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  const int shift = sunk ? 1 : 0;
  // Up, disabled, pressed, down; a missing picture falls back to the first.
  int frame = down_ ? 4 : !GetEnabled() ? 2 : pressed_ ? 3 : 1;
  if (frame > numGlyphs_) frame = 1;
  int gw = glyph_->Empty() ? 0 : glyph_->GetWidth() / numGlyphs_, gh = glyph_->Empty() ? 0 : glyph_->GetHeight();
  const std::string text = GetCaption();
  SIZE ts = text.empty() ? SIZE{0, 0} : c.TextExtent(text);
  const int gap = gw && ts.cx ? 4 : 0;
  int x = (r.right - (gw + gap + ts.cx)) / 2 + shift;
  if (gw > 0) {
    TBitmap piece;
    piece.SetSize(gw, gh);
    BitBlt(piece.CanvasDC(), 0, 0, gw, gh, glyph_->CanvasDC(), gw * (frame - 1), 0, SRCCOPY);
    piece.SetTransparent(true);
    c.Draw(x, (r.bottom - gh) / 2 + shift, piece);
  }
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetEnabled() ? GetFont()->GetColor() : clGrayText));
    c.TextOut(x + gw + gap, (r.bottom - ts.cy) / 2 + shift, text);
  }
}
