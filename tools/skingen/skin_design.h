#pragma once
// The program's own skin: every image of the description and the description.
#include <map>
#include <string>

#include "image.h"

namespace skingen {

struct TSkinDesign {
  std::map<std::string, Image> images;  // file name -> picture
  std::string description;              // the INI text (CR LF lines)
};

TSkinDesign MakeSkin();

}  // namespace skingen
