#pragma once
// Subclassing a window through the wide API: a message method sees each of the
// window's messages first and hands it on with CallPrevious.
//
// Detach gives the window its previous procedure back only while this subclass
// is still the window's procedure and WM_NCDESTROY has not reached it. When
// another subclass was put on top meanwhile, this one stays in the chain and
// passes every message straight on until the window is gone, so nobody is left
// holding the address of a freed procedure. A procedure is never freed while it
// runs.
#include <windows.h>

#include <memory>

#include "toolkit/win/messages.h"

class TWindowSubclass {
public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Detach(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // False when this subclass is attached already or `wnd` is not a window.
  bool Attach(HWND wnd, TWndMethod method);
  void Detach();
  bool Attached() const { return attached_; }
  HWND Handle() const;
  // WM_NCDESTROY has reached the window: it is going, nothing is restored on it.
  bool WindowDestroyed() const;
  WNDPROC Procedure() const;  // this subclass's own procedure
  WNDPROC Previous() const;   // the procedure it replaced
  // The window's previous procedure handles the message; its answer goes to
  // m.Result. Also right after Detach, to finish the message being handled.
  void CallPrevious(TMessage& m);

private:
  struct State;
  std::shared_ptr<State> state_;  // also held by the procedure while the window may call it
  bool attached_ = false;
};
