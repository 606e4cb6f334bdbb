#include "skin/win/controls/buttons/bit_button.h"

#include "skin/win/controls/glyph.h"

#include <algorithm>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"
#include "toolkit/win/image_list.h"

namespace {

bool IsCentred(const TObject* o) { return SameText(GetEnumPropByName(o, "Alignment"), "taCenter"); }

}  // namespace

const TClassInfo& TSkinBitButton::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinBitButton>("TSkinBitButton", &TSkinButton::StaticClass()).Build();
  return info;
}

void TSkinBitButton::PaintSkin(HDC dc, const RECT& r) {
  const bool graphic = !FGlyphProp.empty();
  HGDIOBJ oldFont = nullptr;
  const int frame = PaintFace(r, !graphic, oldFont);
  if (frame == 0) return;
  TCanvas& canvas = FFaceBitmap->Canvas();
  HDC face = FFaceBitmap->CanvasDC();

  // The glyph: a bitmap strip, an image of an image list, or a whole graphic.
  TBitmap* glyph = nullptr;
  TImageList* images = nullptr;
  long long numGlyphs = 1, imageIndex = -1, disabledIndex = -1;
  if (graphic) {
    glyph = dynamic_cast<TBitmap*>(GetObjectPropByName(FControl, FGlyphProp, TBitmap::StaticClass()));
  } else {
    glyph = dynamic_cast<TBitmap*>(GetObjectPropByName(FControl, "Glyph", TBitmap::StaticClass()));
    images = dynamic_cast<TImageList*>(GetObjectPropByName(FControl, "Images", TImageList::StaticClass()));
    numGlyphs = std::max(GetOrdPropByName(FControl, "NumGlyphs"), 1LL);
    imageIndex = GetOrdPropByName(FControl, "ImageIndex");
    disabledIndex = GetOrdPropByName(FControl, "DisabledIndex");
  }
  if (glyph && glyph->Empty()) glyph = nullptr;
  const int layout = GlyphLayoutOf(GetEnumPropByName(FControl, "Layout"));
  const SIZE client{r.right - r.left, r.bottom - r.top};
  SIZE glyphSize{0, 0};
  if (glyph) glyphSize = {glyph->GetWidth() / static_cast<int>(numGlyphs), glyph->GetHeight()};
  else if (images && imageIndex != -1) glyphSize = {images->GetWidth(), images->GetHeight()};

  FCaption = ReplaceBarsWithNewLine(FCaption, L"||", L"\r\n");
  const SIZE textSize = CaptionSizeBesideGlyph(face, FCaption, r, layout, glyphSize);
  // Alignment taCenter centres the pair whatever the Margin.
  const int margin = IsCentred(FControl) ? -1 : static_cast<int>(GetOrdPropByName(FControl, "Margin"));
  const TGlyphPlacement at = PlaceGlyphAndText(client, glyphSize, textSize, layout, margin,
                                               static_cast<int>(GetOrdPropByName(FControl, "Spacing")), 0);

  if (glyph && graphic) {
    canvas.Draw(at.Glyph.x, at.Glyph.y, *glyph);
  } else if (glyph) {
    const int glyphFrame = frame == bfDisabled ? 2 : frame == bfPressed ? 3 : 1;
    DrawGlyph(canvas.Handle(), at.Glyph, static_cast<int>(numGlyphs), glyphFrame, *glyph);
  } else if (images) {
    // Disabled: the disabled image when there is one, in the image list's disabled look.
    const long long index = FEnabled ? imageIndex : disabledIndex != -1 ? disabledIndex : imageIndex;
    if (index != -1) images->Draw(canvas, at.Glyph.x, at.Glyph.y, static_cast<int>(index), FEnabled);
  }

  SetTextColor(face, ColorToRGB(CaptionColor(frame, graphic)));
  SetBkMode(face, TRANSPARENT);
  RECT text{at.Text.x, at.Text.y, at.Text.x + textSize.cx, at.Text.y + textSize.cy};
  if (!FCaption.empty()) SkinDrawText(face, FCaption, text, graphic ? at.Flags : BiDiFlags(at.Flags));
  if (FFocused && !(FSkinData->Options & SetOf(xoNoFocusRect))) {
    InflateRect(&text, 2, 2);
    DrawFocusRect(face, &text);
  }
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, face, 0, 0, SRCCOPY);
  if (oldFont) SelectObject(face, oldFont);
}
