#include "skin/portable/skin_color.h"

TRgb ParseSkinColor(const std::string& text) {
  int parts[3] = {0, 0, 0};
  int done = 0;
  int value = 0;
  bool inRun = false;
  for (char ch : text) {
    if (ch >= '0' && ch <= '9') {
      value = (value * 10 + (ch - '0')) & 0xFF;
      inRun = true;
    } else if (inRun) {
      if (done < 3) parts[done] = value;
      ++done;
      value = 0;
      inRun = false;
    }
  }
  if (inRun && done == 2) parts[2] = value;
  return MakeRgb(parts[0], parts[1], parts[2]);
}
