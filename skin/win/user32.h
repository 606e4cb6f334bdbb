#pragma once
// Entry points of user32 that the skin engine uses only where the system has them.
#include <windows.h>

using TGetComboBoxInfo = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

struct TOptionalUser32 {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
  TGetComboBoxInfo GetComboBoxInfo = nullptr;
};

// Looked up once, at the first use.
const TOptionalUser32& OptionalUser32();

// GetScrollBarInfo when the system has it (the record's size is set here); else false.
bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE on window, when the system can.
void TrackMouseLeave(HWND window);
