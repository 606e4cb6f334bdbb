#pragma once
// The top-level windows shown on the X display, whoever made them: Wine's
// programs and the host's (the viewers Wine hands files to). Read through
// host_windows.sh, run in the host's shell.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host_shell.h"

struct THostWindow {
  std::string Id;     // the X window, "0x..."
  std::string Class;  // its WM_CLASS name: the program ("ffplay"), Wine's "*.exe"
  bool IsWine() const { return Class.size() > 4 && Class.compare(Class.size() - 4, 4, ".exe") == 0; }
};

namespace host_windows {
// The script's command line, in the host's shell.
inline std::string Script(const std::string& args) {
  return "/bin/sh " + host_shell::Quoted(TAPMIRA_SOURCE_DIR "/tests/win/host_windows.sh") + " " + args;
}
}  // namespace host_windows

inline std::vector<THostWindow> HostWindows() {
  std::string text;
  RunHostShell(host_windows::Script("list"), &text);
  std::vector<THostWindow> windows;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const std::size_t space = line.find(' ');
    if (space != std::string::npos) windows.push_back({line.substr(0, space), line.substr(space + 1)});
    at = end + 1;
  }
  return windows;
}

// Waits (up to half a minute, serving this thread's messages) for a shown
// window that is not among `before`.
template <class Serve>
bool NewHostWindow(const std::vector<THostWindow>& before, THostWindow& found, Serve serve) {
  for (const ULONGLONG end = GetTickCount64() + 30000; GetTickCount64() < end;) {
    serve();
    for (const THostWindow& w : HostWindows()) {
      const bool known = std::any_of(before.begin(), before.end(), [&](const THostWindow& b) { return b.Id == w.Id; });
      if (!known) {
        found = w;
        return true;
      }
    }
    Sleep(500);
  }
  return false;
}

// Wine's shown top-level windows of other processes.
inline std::vector<HWND> OtherWineWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND w, LPARAM list) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process != GetCurrentProcessId() && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Closes a viewer's window: Wine's as its close button does, the host's by
// ending its program's connection to the display.
inline void CloseHostWindow(const THostWindow& w) {
  if (w.IsWine()) {
    for (HWND h : OtherWineWindows()) PostMessageW(h, WM_CLOSE, 0, 0);
    return;
  }
  RunHostShell(host_windows::Script("close " + w.Id));
}
