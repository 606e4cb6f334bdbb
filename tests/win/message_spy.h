#pragma once
// A window procedure put under a window: it notes every message that reaches
// it (number and WParam), then hands it on. One window at a time.
#include <windows.h>

#include <vector>

struct MessageSpy {
  struct Seen {
    UINT Msg;
    WPARAM WParam;
  };
  static std::vector<Seen>& Log() {
    static std::vector<Seen> log;
    return log;
  }
  static void Install(HWND w) {
    Log().clear();
    Next() = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
  static bool Saw(UINT msg) {
    for (const Seen& s : Log())
      if (s.Msg == msg) return true;
    return false;
  }
  // The WParams of one message, in the order they came.
  static std::vector<WPARAM> WParamsOf(UINT msg) {
    std::vector<WPARAM> out;
    for (const Seen& s : Log())
      if (s.Msg == msg) out.push_back(s.WParam);
    return out;
  }

private:
  static WNDPROC& Next() {
    static WNDPROC next = nullptr;
    return next;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    Log().push_back({msg, wp});
    return CallWindowProcW(Next(), w, msg, wp, lp);
  }
};
