#pragma once
// Two small drawing routines the menu bar and the up-down control borrow.
#include <windows.h>

#include <string>

#include "skin/win/draw/arrow_glyph.h"

class TCanvas;

enum TTextAlign { taLeftText = 0, taRightText = 1, taCentreText = 2 };
// One line of text centred both ways in r (its alignment only matters when it
// is wider than r); a disabled one in the button-shadow colour.
void DrawCenteredText(TCanvas& canvas, const RECT& r, const std::wstring& text, int alignment, bool enabled);

// DrawArrowGlyph with the canvas's pen.
void DrawArrowGlyph(TCanvas& canvas, int x, int y, int direction);
