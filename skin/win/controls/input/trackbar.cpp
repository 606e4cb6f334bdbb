#include "skin/win/controls/input/trackbar.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/messages.h"
#include "toolkit/win/bitmap.h"

const TClassInfo& TSkinTrackBar::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinTrackBar::TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTrackBar::BeforeMessage(TMessage& m) {
  // CN_NOTIFY shares its number with the "window skinned" notice, which
  // carries the skin's tag instead of a notification record.
  const bool notify = m.Msg == WM_NOTIFY || (m.Msg == CN_NOTIFY && m.LParam != SKIN_MESSAGE_TAG);
  if (!notify || !m.LParam) return TSkinControl::BeforeMessage(m);
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return true;
  m.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
  return false;
}

// A new skin is shown by repainting; the focus stays where it is.
void TSkinTrackBar::SkinChanged() {
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& cd) {
  if (cd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (cd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  switch (cd.dwItemSpec) {
    case TBCD_THUMB:
      DrawThumb(cd.hdc);
      return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
      DrawChannel(cd.hdc);
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT;  // the tick marks
  }
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  if (!FSkinData) return;
  RECT c{};
  SendMessageW(Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
  const bool vertical = (GetStyle(GWL_STYLE) & TBS_VERT) != 0;
  const TDataSkinObject* vert = FSkinData->TrackVert.get();
  const TDataSkinObject* horz = FSkinData->Track.get();
  SetStretchBltMode(dc, COLORONCOLOR);
  if (vertical && vert && vert->HasImage()) {
    // Some systems report a vertical channel transposed (wider than tall).
    const bool transposed = c.right - c.left > c.bottom - c.top;
    const RECT r = transposed ? RECT{c.top, c.left, c.bottom, c.right} : c;
    TBitmap& image = *vert->Bitmap;
    const int w = image.GetWidth(), h = image.GetHeight(), t = vert->TopHeight, b = vert->BottomHeight;
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    const int x = w < rw ? r.left + (rw - w) / 2 : r.left;
    HDC src = image.CanvasDC();
    StretchBlt(dc, x, r.top, w, t, src, 0, 0, w, t, SRCCOPY);
    StretchBlt(dc, x, r.top + t, w, rh - t - b, src, 0, t, w, h - b - t, SRCCOPY);
    StretchBlt(dc, x, r.bottom - b, w, b, src, 0, h - b, w, b, SRCCOPY);
  } else if (horz && horz->HasImage()) {
    const RECT& r = c;
    TBitmap& image = *horz->Bitmap;
    const int w = image.GetWidth(), h = image.GetHeight(), l = horz->LeftWidth, rt = horz->RightWidth;
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    const int y = h < rh ? r.top + (rh - h) / 2 : r.top;
    HDC src = image.CanvasDC();
    StretchBlt(dc, r.left, y, l, h, src, 0, 0, l, h, SRCCOPY);
    StretchBlt(dc, r.left + l, y, rw - l - rt, h, src, l, 0, w - rt - l, h, SRCCOPY);
    StretchBlt(dc, r.right - rt, y, rt, h, src, w - rt, 0, rt, h, SRCCOPY);
  }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!IsWindow(Handle()) || Destroyed()) return;
  RECT t{};
  SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  const bool vertical = (GetStyle(GWL_STYLE) & TBS_VERT) != 0;
  const TDataSkinObject* vert = FSkinData ? FSkinData->TrackbarThumbVert.get() : nullptr;
  const TDataSkinObject* horz = FSkinData ? FSkinData->TrackbarThumbHorz.get() : nullptr;
  const TDataSkinObject* thumb = vertical && vert && vert->HasImage() ? vert : horz;
  if (thumb && thumb->HasImage()) {
    DrawStripFrame(dc, t, 5, 2, *thumb->Bitmap);
    return;
  }
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData ? FSkinData->Colors[scButtonShadow] : clBtnShadow));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, t.left, t.top, t.right, t.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}
