#pragma once
// A window's frame once the skin has finished with it, and waiting for that.
#include <windows.h>

#include "services_pump.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"

// The window's skinned frame; null while the skin has not finished with it, or
// when it has none.
inline TWinSkinForm* SkinnedFrame(HWND w) {
  TWinSkinForm* frame = w && SkinManager() ? SkinManager()->FormOfWindow(w) : nullptr;
  return frame && frame->Skinned() ? frame : nullptr;
}

// Serves messages until the window's frame is skinned, at most `timeoutMs`:
// the frame, or null when the time ran out.
inline TWinSkinForm* WaitForSkinnedFrame(HWND w, DWORD timeoutMs = 3000) {
  TWinSkinForm* frame = nullptr;
  PumpUntil([&] { return (frame = SkinnedFrame(w)) != nullptr; }, timeoutMs);
  return frame;
}
