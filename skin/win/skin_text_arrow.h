#pragma once
// Two small drawing routines the menu bar and the up-down control borrow.
#include <windows.h>

#include <string>

class TCanvas;

enum TTextAlign { taLeftText = 0, taRightText = 1, taCentreText = 2 };
// One line of text centred both ways in r (its alignment only matters when it
// is wider than r); a disabled one in the button-shadow colour.
void DrawCenteredText(TCanvas& canvas, const RECT& r, const std::wstring& text, int alignment, bool enabled);

enum TArrowDirection { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };
// A small filled chevron (up, down) or outlined triangle (left, right) with
// the canvas's pen, around (x, y); any other direction draws nothing.
void DrawArrowGlyph(TCanvas& canvas, int x, int y, int direction);
