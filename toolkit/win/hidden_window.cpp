#include "toolkit/win/hidden_window.h"

HWND CreateHiddenWindow(const wchar_t* className, WNDPROC proc, THiddenKind kind, const wchar_t* title) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof wc};
  if (!GetClassInfoExW(inst, className, &wc)) {
    wc = WNDCLASSEXW{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  SetLastError(0);  // a failed window need not set one; the class look-up above did
  if (kind == THiddenKind::MessageOnly)
    return CreateWindowExW(0, className, title, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
  return CreateWindowExW(WS_EX_TOOLWINDOW, className, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
}
