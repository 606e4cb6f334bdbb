#include "skin/win/controls/scroll/list_thumb_drag.h"

#include <windowsx.h>

#include <memory>

#include "skin/portable/scroll_geometry.h"
#include "skin/win/user32.h"
#include "toolkit/win/window_subclass.h"

namespace {

// Watches the list while the drag runs: capture lost or window gone ends it.
struct TDragWatch {
  bool ended = false;
  TWindowSubclass subclass;

  void Watch(HWND list) {
    subclass.Attach(list, [this](TMessage& m) {
      if (m.Msg == WM_CAPTURECHANGED || m.Msg == WM_NCDESTROY) {
        ended = true;
        PostMessageW(nullptr, WM_NULL, 0, 0);  // wakes the wait
      }
      subclass.CallPrevious(m);
    });
  }
};

int ScreenY(const MSG& msg) {
  if (msg.message == WM_NCMOUSEMOVE || msg.message == WM_NCLBUTTONUP) return GET_Y_LPARAM(msg.lParam);
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  ClientToScreen(msg.hwnd, &p);
  return p.y;
}

}  // namespace

bool DragListThumb(HWND list, POINT press, int arrowSize) {
  SCROLLBARINFO bar{};
  if (!GetScrollBarInfoSafe(list, OBJID_VSCROLL, bar)) return false;
  const int p = press.y - bar.rcScrollBar.top;
  if (p < bar.xyThumbTop || p > bar.xyThumbBottom) return false;

  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(list, SB_VERT, &si);
  int last = si.nPos;
  const int start = bar.xyThumbTop - arrowSize;
  const int trackLength = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) - 2 * arrowSize;
  const int thumbLength = bar.xyThumbBottom - bar.xyThumbTop;

  auto watch = std::make_unique<TDragWatch>();
  SetCapture(list);
  watch->Watch(list);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!watch->ended && IsWindow(list) && GetCapture() == list) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (got == -1) break;
    if (msg.message == WM_NCLBUTTONUP || msg.message == WM_LBUTTONUP) {
      SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
      PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if ((msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) && IsWindow(list) && !watch->ended) {
      const int offset = start + (ScreenY(msg) - press.y);
      const int pos = DraggedScrollPosition(offset, trackLength, thumbLength, si.nMin, si.nMax, static_cast<int>(si.nPage));
      if (pos != last) {
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        last = pos;
      }
    }
  }
  const bool alive = IsWindow(list) && !watch->subclass.WindowDestroyed();
  watch.reset();
  if (alive && GetCapture() == list) ReleaseCapture();
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return true;
}
