#include "skin/win/draw/text_arrow.h"

#include "skin/win/draw/text.h"
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

void DrawArrowGlyph(TCanvas& c, int x, int y, int direction) {
  c.Prepare();
  DrawArrowGlyph(c.Handle(), x, y, direction);
}
