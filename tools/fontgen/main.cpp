// fontgen SOURCE FAMILY NEW_FAMILY ASCENT DESCENT CRISP OUT: writes face FAMILY
// of the font file SOURCE as a single font of its own family NEW_FAMILY whose
// line runs ASCENT em above and DESCENT em below the baseline, drawn without
// smoothing up to CRISP pixels, and without the layout tables.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "compact_face.h"

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr, "usage: fontgen SOURCE FAMILY NEW_FAMILY ASCENT DESCENT CRISP OUT\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw fontgen::EFontFormat("cannot read " + std::string(argv[1]));
    const fontgen::Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int index = fontgen::FindFace(file, argv[2]);
    if (index < 0) throw fontgen::EFontFormat("no face of the family '" + std::string(argv[2]) + "'");
    fontgen::TFace face = fontgen::ReadFace(file, index);
    fontgen::MakeCompact(face, argv[3], std::atof(argv[4]), std::atof(argv[5]));
    fontgen::SetCrispUpTo(face, std::atoi(argv[6]));
    fontgen::DropLayoutTables(face);
    const fontgen::Bytes out = fontgen::WriteFace(face);
    std::ofstream o(argv[7], std::ios::binary);
    o.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!o) throw fontgen::EFontFormat("cannot write " + std::string(argv[7]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fontgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
