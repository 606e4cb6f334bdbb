#pragma once
// One application for a test process, and its message pump.
#include <windows.h>

#include "toolkit/win/application.h"

// The test process's application; one that was told to end (Terminate) is
// replaced by a fresh one, its quit message dropped.
inline void FreshApplication() {
  if (Application && Application->Terminated()) {
    delete Application;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  if (!Application) {
    new TApplication();
    Application->Initialize();
  }
}

// Hands every queued message to the application, key routing included.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!Application->IsKeyMsg(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}
