#pragma once
// Glyphs beside a button caption: one picture of a glyph strip, the embossed
// look of a single-picture glyph when disabled, and the placement of glyph and
// caption by layout, margin and spacing.
#include <windows.h>

#include <memory>
#include <string>

class TBitmap;

// Layouts: glyph left, right, top, bottom of the caption.
enum TGlyphLayout { glLeft = 0, glRight = 1, glTop = 2, glBottom = 3 };
// "blGlyphRight" and the like, any letter case; anything else is glLeft.
int GlyphLayoutOf(const std::string& name);

// Picture index (from 1) of numGlyphs side by side, drawn at `at` with its
// bottom-left pixel's colour left out; index 2 of a one-picture glyph is its
// embossed disabled look; an index past numGlyphs draws picture 1.
void DrawGlyph(HDC dc, POINT at, int numGlyphs, int index, TBitmap& glyph);
// The embossed grey look of glyph (highlight below right, shadow on top);
// its transparent pixels stay button face.
std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& glyph);

struct TGlyphPlacement {
  POINT Glyph{};
  POINT Text{};
  UINT Flags = DT_WORDBREAK;
};
// Glyph and caption of the given sizes in a client area. Margin -1: centred
// (a given Spacing puts the pair in the middle, moved centredShift pixels on:
// the speed button's 1, the bit button's 0); Spacing -1: the rest split
// evenly. No spacing when the caption or the glyph has no width.
TGlyphPlacement PlaceGlyphAndText(SIZE client, SIZE glyph, SIZE text, int layout, int margin, int spacing,
                                  int centredShift);
// The word-wrapped size of caption beside a glyph in r (2 pixels in from its
// edges); (0, 0) for no caption.
SIZE CaptionSizeBesideGlyph(HDC dc, const std::wstring& caption, const RECT& r, int layout, SIZE glyph);
