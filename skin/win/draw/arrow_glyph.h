#pragma once
// The small arrow of the skin's flat buttons, drawn with the DC's current pen.
#include <windows.h>

enum TArrowDirection { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };
// A filled chevron (up, down) or an outlined triangle (left, right) at (x, y);
// any other direction draws nothing.
void DrawArrowGlyph(HDC dc, int x, int y, int direction);
