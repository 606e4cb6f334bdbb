#include "skin/win/skin_combo_scrollbar.h"

#include <windowsx.h>

#include "skin/portable/scroll_geometry.h"
#include "skin/win/skin_scrollbar_overlay.h"
#include "skin/win/skin_user32.h"

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
  if (!GetScrollBarInfoSafe(FHandle, OBJID_VSCROLL, info) || !GetWindowRect(FHandle, &window)) return;
  FBarLength = info.rcScrollBar.bottom - info.rcScrollBar.top;
  FThumbStart = info.xyThumbTop;
  FThumbEnd = info.xyThumbBottom;
  const POINT at{info.rcScrollBar.left - window.left, info.rcScrollBar.top - window.top};
  TScrollBarFace face;
  face.Kind = TWScrollbar::kVertical;
  face.ArrowSize = FArrowSize;
  face.ThumbStart = FThumbStart;
  face.ThumbEnd = FThumbEnd;
  face.WindowEnabled = IsWindowEnabled(FHandle) != FALSE;
  DrawScrollBarFace(dc, at, *this, info, face,
                    SIZE{window.right - window.left - at.x, window.bottom - window.top - at.y});
}

bool TComboxScrollBar::DragThumb(const TMessage& m) {
  if (m.Msg != WM_NCLBUTTONDOWN || m.WParam != HTVSCROLL) return false;
  SCROLLBARINFO info{};
  if (!GetScrollBarInfoSafe(FHandle, OBJID_VSCROLL, info)) return false;
  const int pressY = GET_Y_LPARAM(m.LParam);
  const int p = pressY - info.rcScrollBar.top;
  if (p < info.xyThumbTop || p > info.xyThumbBottom) return false;

  SetCapture(FHandle);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(FHandle, SB_VERT, &si);
  int last = si.nPos;
  const int start = info.xyThumbTop - FArrowSize;
  const int trackLength = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * FArrowSize;
  const int thumbLength = info.xyThumbBottom - info.xyThumbTop;
  const HWND list = FHandle;
  for (;;) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The press ends with the button's release, the capture's loss or the list's end.
      if (!IsWindow(list) || GetCapture() != list) break;
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      if (msg.message == WM_MOUSEMOVE) ClientToScreen(list, &at);
      const int pos =
          DraggedScrollPosition(start + (at.y - pressY), trackLength, thumbLength, si.nMin, si.nMax,
                                static_cast<int>(si.nPage));
      if (pos != last && IsWindow(list)) {
        SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
        last = pos;
      }
    } else if (msg.message == WM_NCLBUTTONUP || msg.message == WM_LBUTTONUP) {
      if (IsWindow(list)) {
        SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(last)), 0);
        PostMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
      }
      break;
    } else {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!IsWindow(list)) break;
  }
  if (GetCapture() == list) ReleaseCapture();
  return true;
}
