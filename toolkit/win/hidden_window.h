#pragma once
// Windows nobody sees, for the toolkit's own message traffic: timers,
// synchronised calls, the application window, a menu's owner.
#include <windows.h>

enum class THiddenKind {
  MessageOnly,  // receives messages only
  TopLevel      // a real (invisible) top-level window, as menus and the taskbar need
};

// Registers `className` with `proc` the first time, then creates the window.
// Null when it cannot be created.
HWND CreateHiddenWindow(const wchar_t* className, WNDPROC proc, THiddenKind kind = THiddenKind::MessageOnly,
                        const wchar_t* title = L"");
