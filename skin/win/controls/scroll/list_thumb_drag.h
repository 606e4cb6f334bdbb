#pragma once
// The thumb drag of a drop-down list's vertical scroll bar, run by the skin of
// that list in place of the system's: the list hears SB_THUMBTRACK while the
// thumb moves, then SB_THUMBPOSITION and SB_ENDSCROLL on release.
//
// The loop waits for messages (dispatching all others), ends on release, when
// the list loses the mouse capture or is destroyed, and hands on a WM_QUIT it
// meets by posting it again.
#include <windows.h>

// press: the WM_NCLBUTTONDOWN position (screen). False when the press is not
// on the thumb of the vertical bar (nothing is done then).
bool DragListThumb(HWND list, POINT press, int arrowSize);
