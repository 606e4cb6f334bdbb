#include "skin/win/skin_text_arrow.h"

#include "skin/win/skin_text.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/color.h"

void DrawCenteredText(TCanvas& canvas, const RECT& r, const std::wstring& text, int alignment, bool enabled) {
  static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT flags = (alignment >= 0 && alignment <= 2 ? align[alignment] : DT_LEFT) | DT_SINGLELINE | DT_EXPANDTABS;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().SetStyle(0);
  if (!enabled) canvas.Font().SetColor(clBtnShadow);
  canvas.Prepare();
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  RECT m = r;
  SkinDrawText(dc, text, m, flags | DT_CALCRECT | DT_NOCLIP);
  OffsetRect(&m, r.left - m.left + ((r.right - r.left) - (m.right - m.left)) / 2,
             r.top - m.top + ((r.bottom - r.top) - (m.bottom - m.top)) / 2);
  SkinDrawText(dc, text, m, flags);
}

namespace {
void Segment(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}
}  // namespace

void DrawArrowGlyph(TCanvas& c, int x, int y, int direction) {
  switch (direction) {
    case adUp:
      Segment(c, x, y, x, y - 1);
      Segment(c, x + 1, y + 1, x + 4, y + 4);
      Segment(c, x, y + 1, x + 3, y + 4);
      Segment(c, x, y + 2, x + 2, y + 4);
      Segment(c, x - 1, y + 1, x - 4, y + 4);
      Segment(c, x, y + 2, x - 3, y + 4);
      Segment(c, x, y + 1, x - 2, y + 4);
      break;
    case adDown:
      Segment(c, x, y + 3, x, y + 4);
      Segment(c, x + 1, y + 2, x + 4, y - 1);
      Segment(c, x, y + 2, x + 3, y - 1);
      Segment(c, x, y + 1, x + 2, y);
      Segment(c, x - 1, y + 2, x - 4, y - 1);
      Segment(c, x, y + 2, x - 3, y - 1);
      Segment(c, x, y + 1, x - 2, y);
      break;
    case adLeft:
      c.MoveTo(x, y);
      c.LineTo(x + 1, y + 2);
      c.LineTo(x + 1, y - 2);
      c.LineTo(x - 1, y);
      c.LineTo(x + 1, y + 2);
      break;
    case adRight:
      c.MoveTo(x, y);
      c.LineTo(x - 1, y + 2);
      c.LineTo(x - 1, y - 2);
      c.LineTo(x + 1, y);
      c.LineTo(x - 1, y + 2);
      break;
    default:
      break;
  }
}
