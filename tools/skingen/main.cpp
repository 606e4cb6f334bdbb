// skingen SKIN_FOLDER BITMAP_FOLDER: writes the program's skin (one INI
// description and its 24-bit BMP images, for skinpack) and the program's own
// bitmaps with their resource script.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "program_bitmaps.h"
#include "skin_design.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: skingen SKIN_FOLDER BITMAP_FOLDER\n";
    return 2;
  }
  try {
    namespace fs = std::filesystem;
    const fs::path skin = argv[1], bitmaps = argv[2];
    fs::remove_all(skin);  // a removed image must not linger in the container
    fs::create_directories(skin);
    fs::create_directories(bitmaps);
    skingen::TSkinDesign design = skingen::MakeSkin();
    for (const auto& [name, image] : design.images) skingen::SaveBmp24(image, (skin / name).string());
    std::ofstream ini(skin / "tapmira.ini", std::ios::binary);
    ini << design.description;
    if (!ini) throw std::runtime_error("cannot write the description");
    skingen::WriteProgramBitmaps(fs::absolute(bitmaps).string());
  } catch (const std::exception& e) {
    std::cerr << "skingen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
