#include "skin/win/skin_bit_button.h"

#include "skin/win/skin_glyph.h"

#include <algorithm>
#include <cctype>

#include "skin/win/skin_data.h"
#include "skin/win/skin_text.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"
#include "toolkit/win/image_list.h"

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

int LayoutOf(const std::string& name) {
  const std::string n = Lower(name);
  if (n == "blglyphright") return 1;
  if (n == "blglyphtop") return 2;
  if (n == "blglyphbottom") return 3;
  return 0;
}

}  // namespace

TBitButtonLayout LayOutBitButton(int layout, SIZE client, SIZE glyph, SIZE text, int margin, int spacing,
                                 bool centred) {
  TBitButtonLayout out;
  const bool across = layout == 0 || layout == 1;  // glyph and text side by side
  // Centred across the layout's axis.
  if (across) {
    out.Glyph.y = (client.cy - glyph.cy + 1) / 2;
    out.Text.y = (client.cy - text.cy + 1) / 2;
  } else {
    out.Glyph.x = (client.cx - glyph.cx + 1) / 2;
    out.Text.x = (client.cx - text.cx + 1) / 2;
  }
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;
  const int c = across ? client.cx : client.cy, g = across ? glyph.cx : glyph.cy, t = across ? text.cx : text.cy;
  if (margin == -1 || centred) {
    if (spacing == -1) {
      margin = (c - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (c - (g + spacing + t)) / 2;
    }
  } else if (spacing == -1) {
    spacing = ((c - (margin + g)) - t) / 2;
  }
  switch (layout) {
    case 1:
      out.Glyph.x = client.cx - margin - glyph.cx;
      out.Text.x = out.Glyph.x - spacing - text.cx;
      out.Flags = DT_RIGHT;
      break;
    case 2:
      out.Glyph.y = margin;
      out.Text.y = margin + glyph.cy + spacing;
      out.Flags = DT_CENTER;
      break;
    case 3:
      out.Glyph.y = client.cy - margin - glyph.cy;
      out.Text.y = out.Glyph.y - spacing - text.cy;
      out.Flags = DT_CENTER;
      break;
    default:
      out.Glyph.x = margin;
      out.Text.x = margin + glyph.cx + spacing;
      break;
  }
  out.Flags |= DT_WORDBREAK;
  return out;
}

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
  const int layout = LayoutOf(GetEnumPropByName(FControl, "Layout"));
  const SIZE client{r.right - r.left, r.bottom - r.top};
  SIZE glyphSize{0, 0};
  if (glyph) glyphSize = {glyph->GetWidth() / static_cast<int>(numGlyphs), glyph->GetHeight()};
  else if (images && imageIndex != -1) glyphSize = {images->GetWidth(), images->GetHeight()};

  FCaption = ReplaceBarsWithNewLine(FCaption, L"||", L"\r\n");
  RECT box = r;
  InflateRect(&box, -2, -2);
  if (layout <= 1) box.right -= glyphSize.cx + 2;
  else box.bottom -= glyphSize.cy + 2;
  SIZE textSize{0, 0};
  if (!FCaption.empty()) {
    SkinDrawText(face, FCaption, box, DT_CALCRECT | DT_WORDBREAK);
    textSize = {box.right - box.left, box.bottom - box.top};
  }
  const TBitButtonLayout at =
      LayOutBitButton(layout, client, glyphSize, textSize, static_cast<int>(GetOrdPropByName(FControl, "Margin")),
                      static_cast<int>(GetOrdPropByName(FControl, "Spacing")),
                      Lower(GetEnumPropByName(FControl, "Alignment")) == "tacenter");
  LastLayout = at;

  if (glyph && graphic) {
    canvas.Draw(at.Glyph.x, at.Glyph.y, *glyph);
  } else if (glyph) {
    const int glyphFrame = frame == bfDisabled ? 2 : frame == bfPressed ? 3 : 1;
    DrawGlyph(canvas.Handle(), at.Glyph, static_cast<int>(numGlyphs), glyphFrame, *glyph);
  } else if (images) {
    // The image list has no look of its own for a disabled image.
    const long long index = FEnabled ? imageIndex : disabledIndex != -1 ? disabledIndex : imageIndex;
    if (index != -1) images->Draw(canvas, at.Glyph.x, at.Glyph.y, static_cast<int>(index));
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
