#pragma once
// Image routines of the skin engine on toolkit bitmaps: the pixel work is the
// portable code's (skin/portable/img_ops.h); here bitmaps are switched to 24
// bits first and system colours are resolved.
#include <windows.h>

#include "skin/portable/img_ops.h"
#include "toolkit/win/bitmap.h"

// The bitmap's pixels as a 24-bit view (switching it to 24 bits first).
TPixels24 Pixels24(TBitmap& bitmap);
// The bitmap becomes a 24-bit copy of image.
void LoadImage24(TBitmap& bitmap, TImage24& image);

// Every magenta pixel takes colour (a system colour is resolved first).
void ReplaceColorKey(TBitmap& bitmap, TColor colour);
void MirrorBitmap(TBitmap& bitmap);
void FlipBitmap(TBitmap& bitmap);
void RotateBitmapLeft(TBitmap& bitmap);
void RotateBitmapRight(TBitmap& bitmap);

// Mix of two colours (system colours resolved); see BlendRgb.
TColor Blend(TColor colour1, TColor colour2, int weight);
// How vivid the colour's low three bytes are (a system colour reads as its index).
int SaturationLevel(TColor colour);

// The program's ramp cache (16 slots).
TGradientCache& GradientRamps();
int FindGradientRamp(int count, TColor start, TColor end);
int MakeGradientRamp(int count, TColor start, TColor end);
int GetGradientRamp(int count, TColor start, TColor end);
// Two-colour gradient over rect: direction 1 top to bottom, 0 left to right.
// Only lines inside the clip box are drawn, with their colours in the whole ramp.
void GradientFill(HDC dc, const RECT& rect, TColor startColour, TColor endColour, int direction);
