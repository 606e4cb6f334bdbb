// The Wubi decomposition picture of one character: the character large and,
// for each letter of its code, the key with the roots that letter stands for
// (or "识别码" for the identification code); one frame per letter, that
// letter's key highlighted. Where the character's split is not known, a key
// shows every root of that key.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"
#include "decompose.h"
#include "font.h"
#include "gif_writer.h"
#include "lists.h"

namespace mediagen {

constexpr int kPictureWidth = 225;
constexpr int kPictureHeight = 41;
constexpr int kFrameDelay = 70;      // hundredths of a second per highlighted key
constexpr int kLastFrameDelay = 150;

// Where the parts of a picture go.
struct PictureLayout {
  Rect character;
  std::vector<Rect> keys;  // one per code letter
};
PictureLayout LayoutPicture(size_t code_length);

bool Drawable(Font& f, const std::string& utf8);

class PictureMaker {
 public:
  // smooth: a scalable face for the large character and the key letters
  // (set here to four coverage steps); crisp: a face with bitmap strikes
  // for the small root text.
  PictureMaker(Font& smooth, Font& crisp, const RootTable& roots, const Decompositions* splits = nullptr)
      : smooth_(smooth), crisp_(crisp), roots_(roots), splits_(splits) {
    smooth_.SetCoverageSteps(4);
  }
  // The frames of the picture (one per code letter).
  std::vector<Canvas> Frames(const PictureEntry& e);
  bool Encode(const PictureEntry& e, std::vector<uint8_t>& gif, std::string& error);
  // Roots of the table the crisp face cannot draw (skipped in the pictures).
  std::vector<std::string> UndrawableRoots();
  bool CanDrawCharacter(const PictureEntry& e);
  // The roots each code letter stands for, when known and drawable.
  bool NamedRoots(const PictureEntry& e, std::vector<LetterRoots>& letters);

 private:
  const Canvas& KeyCap(char key, bool lit, int w, int h);
  Font& smooth_;
  Font& crisp_;
  const RootTable& roots_;
  const Decompositions* splits_;
  std::map<std::tuple<char, bool, int, int>, Canvas> caps_;
};

// Draws a key's letter and the roots one code letter stands for, large.
void DrawRootsCap(Canvas& c, const Rect& r, char key, const LetterRoots& named, bool lit, Font& letter_font,
                  Font& root_font, Font& label_font);

// Draws a key's letter and as many of its roots as fit into a w x h cap.
void DrawKeyCap(Canvas& c, const Rect& r, char key, const std::vector<std::string>& roots,
                bool lit, Font& letter_font, Font& root_font);

}  // namespace mediagen
