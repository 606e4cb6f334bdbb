#pragma once
// Colour texts of the skin description: "255 0 255", "255,0,255".
#include <string>

#include "skin/portable/img_ops.h"

// Digit runs are the components red, green, blue (each taken as its low 8
// bits); any other character separates them. A run still open at the end of
// the text counts only as the third component. Empty text: 0. Runs after the
// third are ignored.
TRgb ParseSkinColor(const std::string& text);
