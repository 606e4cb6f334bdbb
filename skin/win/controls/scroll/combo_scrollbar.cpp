#include "skin/win/controls/scroll/combo_scrollbar.h"

#include <windowsx.h>

#include "skin/win/controls/scroll/list_thumb_drag.h"
#include "skin/win/controls/scroll/overlay.h"
#include "skin/win/user32.h"

namespace {

constexpr UINT kListPaintMessage = 0x01AE;  // the list's own repaint of its frame

}  // namespace

const TClassInfo& TComboxScrollBar::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TComboxScrollBar>("TComboxScrollBar", &TSkinControl::StaticClass()).Build();
  return info;
}

TComboxScrollBar::TComboxScrollBar(TComponent* owner)
    : TSkinControl(owner), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

bool TComboxScrollBar::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      return true;
    case WM_NCMOUSEMOVE:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        m.Result = 0;
        return false;  // no hover drawing of the system's
      }
      return true;
    case WM_NCLBUTTONDOWN:
      if (DragThumb(m)) {
        m.Result = 0;
        return false;
      }
      return true;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TComboxScrollBar::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kListPaintMessage:
      PaintWindow(nullptr);
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TComboxScrollBar::PaintSkin(HDC dc, const RECT& r) { PaintBar(dc, r); }

void TComboxScrollBar::PaintBar(HDC dc, const RECT&) {
  SCROLLBARINFO info{};
  RECT window;
  if (!GetScrollBarInfoSafe(Handle(), OBJID_VSCROLL, info) || !GetWindowRect(Handle(), &window)) return;
  FBarLength = info.rcScrollBar.bottom - info.rcScrollBar.top;
  FThumbStart = info.xyThumbTop;
  FThumbEnd = info.xyThumbBottom;
  const POINT at{info.rcScrollBar.left - window.left, info.rcScrollBar.top - window.top};
  TScrollBarFace face;
  face.Kind = TWScrollbar::kVertical;
  face.ArrowSize = FArrowSize;
  face.ThumbStart = FThumbStart;
  face.ThumbEnd = FThumbEnd;
  face.WindowEnabled = IsWindowEnabled(Handle()) != FALSE;
  DrawScrollBarFace(dc, at, *this, info, face,
                    SIZE{window.right - window.left - at.x, window.bottom - window.top - at.y});
}

bool TComboxScrollBar::DragThumb(const TMessage& m) {
  if (m.Msg != WM_NCLBUTTONDOWN || m.WParam != HTVSCROLL) return false;
  return DragListThumb(Handle(), POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, FArrowSize);
}
