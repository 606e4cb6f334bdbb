#pragma once
// A face of a CJK font family under a name of its own, with a line height
// close to the em (as the Windows Song faces have) instead of the family's tall one.
#include <string>

#include "sfnt.h"

namespace fontgen {

// The Windows-platform English name `id` of a face (1 family, 2 subfamily); "" when absent.
std::string NameOf(const TFace& face, int id);
// The first face of `file` whose family (name 1) is `family`; -1 when none is.
int FindFace(const Bytes& file, const std::string& family);

// Renames the face's family to `family` (names 1-4 and 6; its subfamily and its
// copyright, version and licence names stay) and sets the line's ascent and
// descent, in em, in the OS/2 and hhea tables with no line gap.
void MakeCompact(TFace& face, const std::string& family, double ascent, double descent);

// Asks the rasteriser (gasp table) for crisp, unsmoothed glyphs up to `ppem`
// pixels, as the Song faces' bitmaps draw small text, and smoothed above.
void SetCrispUpTo(TFace& face, int ppem);

// Drops the substitution and positioning tables (GSUB, GPOS). Wine shapes a
// rich edit's whole line through them at every change of a character's colour,
// and a CJK family's lookups (vertical forms, regional variants) make that
// several times slower; the program's text needs none of them.
void DropLayoutTables(TFace& face);

}  // namespace fontgen
