#include "toolkit/win/window_subclass.h"

#include "toolkit/win/object_instance.h"

struct TWindowSubclass::State {
  HWND wnd = nullptr;
  WNDPROC own = nullptr, previous = nullptr;
  TWndMethod method;
  bool destroyed = false;    // WM_NCDESTROY seen
  bool passThrough = false;  // detached under another subclass: hands everything on

  void Route(TMessage& m) {
    if (m.Msg == WM_NCDESTROY) destroyed = true;
    if (!passThrough) {
      method(m);
      return;
    }
    m.Result = CallWindowProcW(previous, wnd, m.Msg, m.WParam, m.LParam);
    if (m.Msg == WM_NCDESTROY) FreeObjectInstance(own);  // once this call has returned
  }
};

bool TWindowSubclass::Attach(HWND wnd, TWndMethod method) {
  if (attached_ || !IsWindow(wnd)) return false;
  auto s = std::make_shared<State>();
  s->wnd = wnd;
  s->method = std::move(method);
  // The procedure keeps the state for as long as the window may call it.
  s->own = MakeObjectInstance([s](TMessage& m) { s->Route(m); });
  s->previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s->own)));
  state_ = std::move(s);
  attached_ = true;
  return true;
}

void TWindowSubclass::Detach() {
  if (!attached_) return;
  attached_ = false;
  State& s = *state_;
  const bool alive = !s.destroyed && IsWindow(s.wnd);
  if (alive && GetWindowLongPtrW(s.wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(s.own)) {
    s.passThrough = true;  // another subclass holds our address as its previous procedure
    return;
  }
  if (alive) SetWindowLongPtrW(s.wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s.previous));
  FreeObjectInstance(s.own);  // deferred while it runs
}

HWND TWindowSubclass::Handle() const { return state_ ? state_->wnd : nullptr; }
bool TWindowSubclass::WindowDestroyed() const { return state_ && state_->destroyed; }
WNDPROC TWindowSubclass::Procedure() const { return state_ ? state_->own : nullptr; }
WNDPROC TWindowSubclass::Previous() const { return state_ ? state_->previous : nullptr; }

void TWindowSubclass::CallPrevious(TMessage& m) {
  if (!state_ || !state_->previous) {
    m.Result = 0;
    return;
  }
  m.Result = CallWindowProcW(state_->previous, state_->wnd, m.Msg, m.WParam, m.LParam);
}
