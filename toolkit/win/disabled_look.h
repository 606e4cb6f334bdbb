#pragma once
// The embossed look of a disabled picture, as the system draws one.
#include <windows.h>

// The picture (width x height at the origin of the picture DC) drawn
// disabled at (x, y) of dc: where it is not keyColour, the button highlight
// one pixel down and right and the button shadow on top; dc keeps its pixels
// elsewhere.
void DrawDisabledPicture(HDC dc, int x, int y, int width, int height, HDC picture, COLORREF keyColour);
