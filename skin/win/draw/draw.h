#pragma once
// Drawing of skin image strips: nine-piece parts, three-slice bars, state
// frames, tiles, key-colour transparency, window regions from border images,
// and the parent's background behind a see-through control.
//
// A strip holds FrameCount equal frames side by side (or stacked when
// Vertical); frames are numbered from 1. A FrameCount below 1 counts as 1 and
// an index outside 1..FrameCount is taken to the nearest frame. Margins are
// widths: Left, Top, Right, Bottom.
#include <windows.h>

#include <memory>

#include "toolkit/win/bitmap.h"

class TControl;

// Where frame FrameIndex lies in the strip.
struct TFrameRect {
  int X = 0, Y = 0, Width = 0, Height = 0;
};
TFrameRect FrameRectOf(TBitmap& bitmap, int frameIndex, int frameCount, bool vertical);

// Nine-piece render of one frame at DestRect's size, drawn from (0, 0); the
// caller owns the result (an empty bitmap for an empty DestRect).
std::unique_ptr<TBitmap> SkinRenderPart(const RECT& destRect, TBitmap& bitmap, RECT margins, int frameIndex,
                                        int frameCount, bool tile, bool vertical);
// The same into the top-left W x H of target (at least that big); the rest
// of target is left as it was.
void SkinRenderPartInto(TBitmap& target, int W, int H, TBitmap& bitmap, RECT margins, int frameIndex,
                        int frameCount, bool tile, bool vertical);
// Makes b a 24-bit bitmap of at least w x h, keeping it when it is big enough
// already (a kept work area instead of a new bitmap for every size).
void GrowBitmap(TBitmap& b, int w, int h);
void SkinDrawPart(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex, int frameCount,
                  bool transparent, bool tile, bool vertical);
// Left cap, repeated middle, right cap, each over the whole height.
void SkinDrawThreeSlice(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex,
                        int frameCount, bool transparent, bool vertical);
// Three stretched slices straight onto dc; the whole frame when it is wider than DestRect.
void SkinStretchStateFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex,
                           int frameCount, bool vertical);
// A frame of a horizontal strip stretched into DestRect, or centred at its own size.
void SkinDrawStateFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                        bool transparent);
// The same into a bitmap: a see-through frame at its own size is copied into
// the target's pixels directly (whatever clipping or origin its canvas has).
void SkinDrawStateFrame(TBitmap& target, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                        bool transparent);
void SkinDrawStateFrameCentered(HDC dc, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                                bool transparent);
// Repeats srcRect of bitmap from DestRect's top-left corner; the last column
// and row are whole tiles and may reach past DestRect.
void SkinTileRect(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& srcRect);
// Copies bitmap (from its (0, 0), unscaled) to DestRect leaving key-colour pixels out.
void TransparentBlit(HDC dc, const RECT& destRect, TBitmap& bitmap, TColor keyColour);
// The union of bitmap's pixels outside the key range (key .. key + tolerance
// per channel), offset by (x, y). Never null: an all-transparent image gives
// an empty region. The bitmap is left as it was.
HRGN BitmapToRegion(TBitmap& bitmap, int x, int y, TColor keyColour, BYTE tolRed, BYTE tolGreen, BYTE tolBlue);
// The same over the top-left width x height of bitmap only.
HRGN BitmapToRegion(TBitmap& bitmap, int width, int height, int x, int y, TColor keyColour, BYTE tolRed,
                    BYTE tolGreen, BYTE tolBlue);
// The parent paints what lies behind control into the control's dc. A control
// whose parent's painting asks for it again meanwhile gets nothing the second time.
void PaintParentBackground(TControl& control, HDC dc);

// One off-screen bitmap for the whole program (stretch mode COLORONCOLOR);
// it holds nothing between uses, and uses must not nest.
TBitmap& SharedPaintBitmap();
