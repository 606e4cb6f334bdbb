#pragma once
// The program's own bitmaps: the built-in track grooves, the menu glyphs and
// the media player's buttons, written as BMP files with a resource script.
#include <string>

namespace skingen {
// Writes TRACK.bmp, TRACKVERT.bmp, VELLORAMENU.bmp, the 27 EN_/DI_/CL_ media
// bitmaps and program_bitmaps.rc (absolute paths) into folder.
void WriteProgramBitmaps(const std::string& folder);
}  // namespace skingen
