#include "toolkit/win/disabled_look.h"

#include "toolkit/win/color.h"

void DrawDisabledPicture(HDC dc, int x, int y, int width, int height, HDC picture, COLORREF keyColour) {
  if (width <= 0 || height <= 0) return;
  // The mask: white where the picture draws, black where it has its key colour.
  HDC maskDC = CreateCompatibleDC(dc);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  const COLORREF oldPictureBk = SetBkColor(picture, keyColour);
  BitBlt(maskDC, 0, 0, width, height, picture, 0, 0, SRCCOPY);
  BitBlt(maskDC, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
  SetBkColor(picture, oldPictureBk);

  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  const DWORD dspdxax = 0x00E20746;  // the brush where the mask is white, the destination elsewhere
  HBRUSH highlight = CreateSolidBrush(ColorToRGB(clBtnHighlight));
  HGDIOBJ oldBrush = SelectObject(dc, highlight);
  BitBlt(dc, x + 1, y + 1, width, height, maskDC, 0, 0, dspdxax);
  HBRUSH shadow = CreateSolidBrush(ColorToRGB(clBtnShadow));
  SelectObject(dc, shadow);
  BitBlt(dc, x, y, width, height, maskDC, 0, 0, dspdxax);
  SelectObject(dc, oldBrush);
  DeleteObject(highlight);
  DeleteObject(shadow);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);

  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
}
