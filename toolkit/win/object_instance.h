#pragma once
// Makes a message method callable as a window procedure: each instance is a
// small piece of executable code that hands (msg, wParam, lParam) to the method
// as a TMessage and returns its Result. Exceptions stop at this boundary and go
// to the application's error report.
//
// An instance freed while its method runs (a window procedure that takes itself
// off) stays until that call has returned. To take a procedure off a window
// safely, see TWindowSubclass.
#include <windows.h>

#include "toolkit/win/messages.h"

WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC instance);
