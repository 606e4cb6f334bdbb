// TWinControl: message handling, painting, reflection and mouse routing.
#include <windowsx.h>

#include "toolkit/win/controls.h"
#include "toolkit/win/form.h"

void TWinControl::DefaultHandler(TMessage& m) { m.Result = CallDefault(m); }

LRESULT TWinControl::CallDefault(TMessage& m) {
  if (!handle_) return 0;
  if (baseWndProc_) return CallWindowProcW(baseWndProc_, handle_, m.Msg, m.WParam, m.LParam);
  return DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_COMPAREITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC:
      if (ReflectToChild(m)) return;
      break;
    case CM_RECREATEWND:
      RecreateWindowNow();
      m.Result = 0;
      return;
    case CN_SYSCHAR:
      // Alt+letter: the form offers it to its menu and its controls.
      m.Result = 0;
      if (m.WParam != VK_SPACE)
        if (TCustomForm* f = GetParentForm(this)) m.Result = f->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
      return;
    case CM_DIALOGCHAR:
      // Offered to each child in turn until one takes it (result not 0).
      m.Result = 0;
      for (std::size_t i = 0; i < controls_.size() && !m.Result; ++i)
        m.Result = controls_[i]->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
      return;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
    case CN_KEYDOWN: case CN_SYSKEYDOWN:
      KeyMessage(m);
      return;
    case WM_SETFOCUS:
      if (TCustomForm* f = GetParentForm(this)) f->FocusChanged(this);
      if (imeMode_ == TImeMode::imClose || imeMode_ == TImeMode::imDisable) SetCloseImeOnFocus(handle_);
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(this);
      break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      TrackHover(m);
      if (m.Msg == WM_MOUSELEAVE) break;
      [[fallthrough]];
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
      MouseToGraphicChild(m);
      if (m.Result) return;
      if (IsOwnClass()) {
        MouseMessage(m);
      } else if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) {
        OnDblClick(this);
      }
      if (m.Msg == WM_LBUTTONDOWN && IsOwnClass() && CanFocus() && tabStop_) SetFocus();
      break;
    case WM_WINDOWPOSCHANGED: {
      // Moves and sizes made by the system (or the user) update the bounds.
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (!(wp->flags & SWP_NOMOVE)) { left_ = wp->x; top_ = wp->y; }
      if (!(wp->flags & SWP_NOSIZE)) { width_ = wp->cx; height_ = wp->cy; }
      DefaultHandler(m);
      if (!(wp->flags & SWP_NOSIZE)) Realign();
      return;
    }
    default:
      if (m.Msg >= CN_BASE && m.Msg <= CN_BASE + 0x200) {
        ReflectedMessage(m);
        return;
      }
      TControl::WndProc(m);
      return;
  }
  DefaultHandler(m);
}

void TWinControl::ReflectedMessage(TMessage& m) {
  switch (m.Msg) {
    case CN_CTLCOLORBTN: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
      SetBkColor(dc, ColorToRGB(GetColor()));
      m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    default:
      m.Result = 0;
  }
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY:
      if (m.LParam) child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (d && d->CtlType != ODT_MENU) child = d->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mi && mi->CtlType != ODT_MENU) child = GetDlgItem(handle_, static_cast<int>(mi->CtlID));
      break;
    }
    case WM_DELETEITEM:
      if (m.LParam) child = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    case WM_COMPAREITEM:
      if (m.LParam) child = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    default:
      child = reinterpret_cast<HWND>(m.LParam);
  }
  TWinControl* c = child && child != handle_ ? FindControl(child) : nullptr;
  if (!c) return false;
  m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::PaintWindow(HDC dc) {}

void TWinControl::WMPaint(TMessage& m) {
  bool hasGraphic = false;
  for (TControl* c : controls_)
    if (!dynamic_cast<TWinControl*>(c) && c->GetVisible()) hasGraphic = true;
  if (!IsOwnClass()) {
    // A system control paints itself; windowless children are drawn on top.
    DefaultHandler(m);
    if (hasGraphic) {
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDC(handle_);
      PaintControls(dc);
      if (!m.WParam) ReleaseDC(handle_, dc);
    }
    return;
  }
  if (m.WParam) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  // Composed off screen, copied in one blit.
  RECT r = ps.rcPaint;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w > 0 && h > 0) {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    SetWindowOrgEx(mem, r.left, r.top, nullptr);
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0, 0};
    WindowProc(erase);
    PaintWindow(mem);
    PaintControls(mem);
    SetWindowOrgEx(mem, 0, 0, nullptr);
    BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  EndPaint(handle_, &ps);
  m.Result = 0;
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (!IsOwnClass()) {
    DefaultHandler(m);
    return;
  }
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush());
  m.Result = 1;
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  bool started = first == nullptr;
  for (TControl* c : controls_) {
    if (!started) {
      if (c != first) continue;
      started = true;
    }
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->GetVisible()) continue;
    RECT r = g->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x - r.left, org.y - r.top, nullptr);
    IntersectClipRect(dc, 0, 0, g->GetWidth(), g->GetHeight());
    g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::MouseToGraphicChild(TMessage& m) {
  m.Result = 0;
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.Msg == WM_MOUSEMOVE && !captureControl_) SetMouseControl(ControlAtPos(p));
  TControl* target = captureControl_;
  if (!target) target = ControlAtPos(p);
  if (!target) return;
  if (m.Msg == WM_LBUTTONDOWN) {
    captureControl_ = target;
    SetCapture(handle_);
  } else if (m.Msg == WM_LBUTTONUP && captureControl_) {
    captureControl_ = nullptr;
    ReleaseCapture();
  }
  TMessage cm{m.Msg, m.WParam, MAKELPARAM(p.x - target->GetLeft(), p.y - target->GetTop()), 0};
  target->WindowProc(cm);
  m.Result = 1;
}

void TWinControl::TrackHover(TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE && !hovering_) {
    // Wine polls the pointer while a leave is tracked: a window nobody hears
    // entering or leaving tracks only while a windowless child is under the pointer.
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (!HearsMouseLeave() && !captureControl_ && !ControlAtPos(p)) return;
    hovering_ = true;
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&t);
    Perform(CM_MOUSEENTER);
  } else if (m.Msg == WM_MOUSELEAVE && hovering_) {
    hovering_ = false;
    SetMouseControl(nullptr);
    Perform(CM_MOUSELEAVE);
  }
}

void TWinControl::SetMouseControl(TControl* c) {
  if (c == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = c;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (c) c->Perform(CM_MOUSEENTER);
}
