#include "toolkit/win/menu_button.h"

#include "toolkit/win/bitmap.h"

const TClassInfo& TMenuButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TMenuButton>("TMenuButton", &TButton::StaticClass())
                                     .Creatable()
                                     .Object("Glyph", &TMenuButton::GetGlyph)
                                     .Prop("Margin", &TMenuButton::GetMargin, &TMenuButton::SetMargin)
                                     .Prop("Spacing", &TMenuButton::GetSpacing, &TMenuButton::SetSpacing)
                                     .Build();
  return info;
}

TMenuButton::TMenuButton(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TMenuButton::~TMenuButton() = default;

void TMenuButton::SetMargin(int v) { SetAndInvalidate(margin_, v); }
void TMenuButton::SetSpacing(int v) { SetAndInvalidate(spacing_, v); }
