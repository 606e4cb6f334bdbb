// The help pictures: the standard keyboard with its finger zones, the numeric
// keypad's fingering and the Wubi 86 root map.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"
#include "font.h"
#include "lists.h"
#include "picture.h"

namespace mediagen {

enum Finger { kLeftPinky, kLeftRing, kLeftMiddle, kLeftIndex, kRightIndex, kRightMiddle,
              kRightRing, kRightPinky, kThumb, kFingerCount };

struct KeySpot {
  std::string label;  // UTF-8, as printed on the key
  Rect rect;
  Finger finger;
  bool home = false;  // the key with the tactile mark
};

// Key positions of the two keyboards, in pixels of their pictures.
std::vector<KeySpot> MainKeyboard(int unit, int left, int top);
std::vector<KeySpot> NumericKeypad(int unit, int left, int top);

// Key rectangles of the root map: the 25 root keys 'a'..'y' and 'z'.
std::map<char, Rect> RootMapLayout(int key_w, int key_h, int gap, int left, int top);
// The layout that DrawRootMap uses.
std::map<char, Rect> RootMapKeys();
// Where a key's roots go inside its rectangle.
Rect RootArea(const Rect& key);
// The root map's zone number of a key: 11..15, 21..25, 31..35, 41..45, 51..55.
int RootZone(char key);

// Draws the roots wrapped into the rectangle at the largest size of sizes
// that fits; returns the size used, or 0 when none fits.
int DrawWrapped(Canvas& c, Font& f, const Rect& r, const std::vector<std::string>& items,
                const std::vector<int>& sizes, Rgba color);

Canvas DrawKeyboardPicture(Font& f);
Canvas DrawKeypadPicture(Font& f);
Canvas DrawRootMap(Font& f, const RootTable& roots);

}  // namespace mediagen
