#pragma once
// The lookups of the two hint threads: the readings, codes and phrases of the
// next characters of an article row, and the hint texts made from them. A
// lookup runs off the user-interface thread; `gate` is asked between records
// and stops the lookup when it returns false.
#include <cstdint>
#include <functional>
#include <string>

#include "practice/data/dict_load.h"
#include "practice/rules/hint_handover.h"

using THintGate = std::function<bool()>;

// Up to four readings of one character, walked by F1 in the pinyin article.
struct TReadingWalk {
  std::string ReadingPinyins[5];        // 1..4
  std::string ReadingHintSpellings[5];  // 1..4
  std::string ReadingCharacter;
  std::int16_t ReadingCycle = 1;

  // One F1 press: the next reading present (after the last, the first). Puts
  // Label8's new text into `label8` and returns true; false when nothing changes.
  bool Next(std::string& label8);
};

// A lookup's results, with the request they answer.
struct TPinyinHint {
  THintRequest Request;
  TReadingWalk Readings;
  svlcharsetpyTwo Two;      // the two-character phrase found (empty Pinyin: none)
  svlcharsetpyMulti Multi;  // the three- or four-character phrase found
  std::string CodeHintText;    // Label8
  std::string PhraseHintText;  // Label16
};

struct TWubiHint {
  THintRequest Request;
  std::string Codes[5];  // 1..4 of the character found
  int RecordNo = 1;      // its WbOneTable record
  svlcharsetWBTwo Two;
  svlcharsetWBMulti Multi;
  std::string CodeHintText;    // Label5
  std::string PhraseHintText;  // Label16
  int PictureNumber = 1;       // the decomposition picture
};

// Each returns false when the gate stopped it (the result is then incomplete).
bool LookUpPinyinHint(const TDictionaries& d, const THintRequest& request, const THintGate& gate, TPinyinHint& out);
bool LookUpWubiHint(const TDictionaries& d, const THintRequest& request, const THintGate& gate, TWubiHint& out);
