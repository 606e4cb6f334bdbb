#pragma once
// The items on screen (what the learner must type next) and how they are drawn
// from the dictionary tables.
#include <cstdint>
#include <string>

#include "practice/data/dict_load.h"
#include "practice/data/dict_records.h"
#include "practice/rules/random_source.h"
#include "toolkit/base/exception.h"

struct svlcharsetpy {
  std::string HintSpelling;
  std::string Character;
  std::string Pinyin;  // what must be typed
  std::int32_t RecordNo = 0;  // number of the PYsTable record drawn
  std::string SoundName;
  std::int16_t HintCycle = 1;
};

struct svlcharsetzg {
  std::string Key;  // one capital letter
  std::string Root;
};

struct svlcharset1 {
  std::string Key;  // one capital letter
  std::string Character;
};

struct svlcharset2 {
  std::string Code;  // two capital letters
  std::string Character;
  std::int32_t PictureNo = 0;
};

struct svlcharset {
  std::string Codes[5];  // 1..4
  std::string Character;
  std::int16_t HintCycle = 1;
  std::int32_t PictureNo = 0;
};

// The current items of every kind; each array 1-based ([0] unused).
struct TPracticeItems {
  std::string DrillSymbols[5];
  svlcharsetpy PinyinItems[5];
  svlcharsetpyTwo PinyinPhraseItems[3];
  svlcharsetzg RootItems[5];
  svlcharset1 Level1Items[5];
  svlcharset2 Level2Items[5];
  svlcharset WubiCharItems[5];
  svlcharsetWBTwo WubiPhraseItems[3];
};

// A draw that cannot be made: an empty table, or a picture number that is not
// an integer. The message names the table and the record.
class EItemDrawError : public Exception {
public:
  using Exception::Exception;
};

// Draws single items: r := Random(count), record r of a buffer (0-based) or
// record r + 1 of a table. Throws EItemDrawError; nothing is changed then.
class TItemDrawer {
public:
  TItemDrawer(const TDictionaries& dicts, TRandomSource& random) : d_(dicts), random_(random) {}

  svlcharsetpy DrawPinyin() const;
  svlcharsetpyTwo DrawPinyinPhrase() const;
  svlcharsetzg DrawRoot() const;
  svlcharset1 DrawLevel1() const;
  svlcharset2 DrawLevel2() const;
  svlcharset DrawWubiChar() const;
  svlcharsetWBTwo DrawWubiPhrase() const;

  // Replaces item n (1..4, or 1..2 in the phrase types) of practice type 3..16.
  void Replace(int type, int n, TPracticeItems& items) const;

private:
  int Pick(int count, const char* table) const;
  const TDictionaries& d_;
  TRandomSource& random_;
};

// A new drill or game symbol: 'A' + Random(26) (letters) or '0' + Random(10)
// (digits); when it equals `avoid`, the next one: 'Z' is followed by 'A', '9' by
// '1'. `capitals` chooses 'A' or 'a' for letters.
char DrawSymbol(TRandomSource& random, bool digits, bool capitals, char avoid);
