#include "skin/win/user32.h"

const TOptionalUser32& OptionalUser32() {
  static const TOptionalUser32 entries = [] {
    TOptionalUser32 e;
    // user32 stays loaded for the whole run of any window program.
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
      e.GetScrollBarInfo = reinterpret_cast<decltype(e.GetScrollBarInfo)>(
          reinterpret_cast<void*>(GetProcAddress(user32, "GetScrollBarInfo")));
      e.TrackMouseEvent = reinterpret_cast<decltype(e.TrackMouseEvent)>(
          reinterpret_cast<void*>(GetProcAddress(user32, "TrackMouseEvent")));
      e.GetComboBoxInfo =
          reinterpret_cast<TGetComboBoxInfo>(reinterpret_cast<void*>(GetProcAddress(user32, "GetComboBoxInfo")));
    }
    return e;
  }();
  return entries;
}

bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info) {
  auto call = OptionalUser32().GetScrollBarInfo;
  if (!call) return false;
  info.cbSize = sizeof(SCROLLBARINFO);
  return call(window, objectId, &info) != FALSE;
}

void TrackMouseLeave(HWND window) {
  auto call = OptionalUser32().TrackMouseEvent;
  if (!call) return;
  TRACKMOUSEEVENT t{};
  t.cbSize = sizeof(TRACKMOUSEEVENT);
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = window;
  call(&t);
}

namespace {
// Looked up when the program starts.
const bool lookedUp = (OptionalUser32(), true);
}  // namespace
