#include "skin/win/controls/glyph.h"

#include <algorithm>

#include "skin/win/draw/text.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/color.h"
#include "toolkit/win/disabled_look.h"

int GlyphLayoutOf(const std::string& name) {
  if (SameText(name, "blGlyphRight")) return glRight;
  if (SameText(name, "blGlyphTop")) return glTop;
  if (SameText(name, "blGlyphBottom")) return glBottom;
  return glLeft;
}

std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& glyph) {
  const int w = glyph.GetWidth(), h = glyph.GetHeight();
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(TPixelFormat::pf24bit);
  result->SetSize(w, h);
  HDC out = result->CanvasDC();
  RECT all{0, 0, w, h};
  HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
  FillRect(out, &all, face);
  DeleteObject(face);
  // Embossed where the glyph is not its transparent colour (the bottom-left pixel's).
  DrawDisabledPicture(out, 0, 0, w, h, glyph.CanvasDC(), ColorToRGB(glyph.GetPixel(0, h - 1)));
  return result;
}

void DrawGlyph(HDC dc, POINT at, int numGlyphs, int index, TBitmap& glyph) {
  if (glyph.Empty()) return;
  numGlyphs = std::max(numGlyphs, 1);
  const int w = glyph.GetWidth() / numGlyphs, h = glyph.GetHeight();
  if (w <= 0) return;
  const bool embossed = index == 2 && numGlyphs == 1;
  if (!embossed && (index > numGlyphs || index < 1)) index = 1;
  std::unique_ptr<TBitmap> picture;
  if (embossed) {
    picture = MakeDisabledGlyph(glyph);
  } else {
    picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(TPixelFormat::pf24bit);
    picture->SetSize(w, h);
    BitBlt(picture->CanvasDC(), 0, 0, w, h, glyph.CanvasDC(), w * (index - 1), 0, SRCCOPY);
  }
  const COLORREF key = ColorToRGB(picture->GetPixel(0, h - 1));
  TransparentBlt(dc, at.x, at.y, w, h, picture->CanvasDC(), 0, 0, w, h, key);
}

TGlyphPlacement PlaceGlyphAndText(SIZE client, SIZE glyph, SIZE text, int layout, int margin, int spacing,
                                  int centredShift) {
  TGlyphPlacement p;
  const bool across = layout == glLeft || layout == glRight;  // the pair runs along X
  if (across) {
    p.Glyph.y = (client.cy - glyph.cy + 1) / 2;
    p.Text.y = (client.cy - text.cy + 1) / 2;
  } else {
    p.Glyph.x = (client.cx - glyph.cx + 1) / 2;
    p.Text.x = (client.cx - text.cx + 1) / 2;
  }
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;
  const int c = across ? client.cx : client.cy, g = across ? glyph.cx : glyph.cy, t = across ? text.cx : text.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (c - (g + t)) / 3;
      spacing = margin;
    } else {
      margin = (c - (g + spacing + t)) / 2 + centredShift;
    }
  } else if (spacing == -1) {
    spacing = ((c - (margin + g)) - t) / 2;
  }
  switch (layout) {
    case glRight:
      p.Glyph.x = client.cx - margin - glyph.cx;
      p.Text.x = p.Glyph.x - spacing - text.cx;
      p.Flags |= DT_RIGHT;
      break;
    case glTop:
      p.Glyph.y = margin;
      p.Text.y = margin + glyph.cy + spacing;
      p.Flags |= DT_CENTER;
      break;
    case glBottom:
      p.Glyph.y = client.cy - margin - glyph.cy;
      p.Text.y = p.Glyph.y - spacing - text.cy;
      p.Flags |= DT_CENTER;
      break;
    default:
      p.Glyph.x = margin;
      p.Text.x = margin + glyph.cx + spacing;
      break;
  }
  return p;
}

SIZE CaptionSizeBesideGlyph(HDC dc, const std::wstring& caption, const RECT& r, int layout, SIZE glyph) {
  if (caption.empty()) return SIZE{0, 0};
  RECT box = r;
  InflateRect(&box, -2, -2);
  if (layout == glLeft || layout == glRight) box.right -= glyph.cx + 2;
  else box.bottom -= glyph.cy + 2;
  SkinDrawText(dc, caption, box, DT_CALCRECT | DT_WORDBREAK);
  return SIZE{box.right - box.left, box.bottom - box.top};
}
