#pragma once
// Seeds that need the project's own code to make; each returns the number of
// seeds written into the corpus folder, or -1.
#include <string>

// Pieces of the generated dictionaries (dict_fuzz).
int MakeDictionarySeeds(const std::string& folder, const std::string& corpus);
// A 24-bit image again as RLE8, RLE4, 16-bit and 32-bit bit-field files (skin_bmp_fuzz).
int MakeBitmapSeeds(const std::string& image, const std::string& corpus);
