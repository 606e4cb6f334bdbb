#include "toolkit/win/bit_button.h"

#include <algorithm>

const TClassInfo& TBitBtn::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClass())
          .Creatable()
          .Object("Glyph", &TBitBtn::Glyph)
          .Prop("NumGlyphs", &TBitBtn::GetNumGlyphs, &TBitBtn::SetNumGlyphs)
          .Enum("Layout", &TBitBtn::GetLayout, &TBitBtn::SetLayout,
                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})
          .Prop("Margin", &TBitBtn::GetMargin, &TBitBtn::SetMargin)
          .Prop("Spacing", &TBitBtn::GetSpacing, &TBitBtn::SetSpacing)
          .Build();
  return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() {
  // Whatever it owns (a skin painting the glyph) goes while the glyph exists.
  BeginDestroy();
  DestroyComponents();
}

void TBitBtn::SetNumGlyphs(int n) { SetAndInvalidate(numGlyphs_, std::clamp(n, 1, 4)); }
void TBitBtn::SetLayout(TButtonLayout l) { SetAndInvalidate(layout_, l); }
void TBitBtn::SetMargin(int m) { SetAndInvalidate(margin_, std::max(m, -1)); }
void TBitBtn::SetSpacing(int s) { SetAndInvalidate(spacing_, std::max(s, -1)); }
