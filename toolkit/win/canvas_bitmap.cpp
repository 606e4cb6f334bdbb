// TCanvas: drawing of TBitmap objects.
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  StretchDraw(RECT{x, y, x + bitmap.GetWidth(), y + bitmap.GetHeight()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
  if (!dc_ || bitmap.Empty()) return;
  int w = bitmap.GetWidth(), h = bitmap.GetHeight();
  HDC src = bitmap.CanvasDC();
  if (bitmap.GetTransparent()) {
    TransparentBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, w, h,
                   ColorToRGB(bitmap.GetTransparentColor()));
  } else if (r.right - r.left == w && r.bottom - r.top == h) {
    BitBlt(dc_, r.left, r.top, w, h, src, 0, 0, SRCCOPY);
  } else {
    StretchBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, w, h, SRCCOPY);
  }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  if (!dc_ || !source.Handle()) return;
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.Handle(),
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
             SRCCOPY);
}
