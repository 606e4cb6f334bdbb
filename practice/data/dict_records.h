#pragma once
// Record types and fixed-capacity 1-based tables of the dictionary files.
#include <cstdint>
#include <string>
#include <vector>
#include "toolkit/base/exception.h"

struct svlcharsetWBOne {
  std::string Codes[5];  // 1..4
  std::string Character;
};

struct svlcharsetWBs {
  std::string Codes[5];  // 1..4
  std::string Character;
  std::int16_t HintCycle = 0;
  std::int32_t PictureNo = 0;
};

struct svlcharsetWBTwo {
  std::string Code;
  std::string Word;
};

struct svlcharsetWBMulti {
  std::string Code;
  std::string Word;
};

struct svlcharsetPYs {
  std::string Pinyin;
  std::string Character;
  std::string HintSpelling;
  std::string SoundName;
};

using svlcharsetPYOne = svlcharsetPYs;

struct svlcharsetpyTwo {
  std::string Pinyin;
  std::string Phrase;
  std::string HintSpelling;
  std::string SoundNames[3];  // 1..2
};

const int kPYMultiSounds = 10;

struct svlcharsetpyMulti {
  std::string Pinyin;
  std::string Phrase;
  std::string HintSpelling;
  std::string SoundNames[kPYMultiSounds + 1];  // 1..10
};

// An alternative-spelling group: the readings of one polyphonic character.
struct svlcharsetpy2 {
  std::string HintSpellings[4];  // 1..3
  std::string Pinyins[4];
  std::string SoundNames[4];
};

// Records 1..Count of at most Cap records.
template <class T, int Cap>
class TDictTable {
public:
  static constexpr int Capacity = Cap;

  int Count() const { return int(records_.size()); }
  bool Full() const { return Count() >= Cap; }
  // False (nothing added) when the table is full.
  bool Add(T record) {
    if (Full()) return false;
    records_.push_back(std::move(record));
    return true;
  }
  // A new default record at the end to be filled in place; null when the table is full.
  T* Append() {
    if (Full()) return nullptr;
    return &records_.emplace_back();
  }
  const T& operator[](int r) const { return records_.at(Index(r)); }
  T& operator[](int r) { return records_.at(Index(r)); }
  void Clear() { records_.clear(); }
  // Room for every record at once: filling never moves the records.
  void Reserve() { records_.reserve(Cap); }

private:
  std::size_t Index(int r) const {
    if (r < 1 || r > Count()) throw EAssertionFailed("dictionary record out of range");
    return std::size_t(r - 1);
  }
  std::vector<T> records_;
};

using TWbOneTable = TDictTable<svlcharsetWBOne, 7000>;
using TWbsTable = TDictTable<svlcharsetWBs, 3000>;
using TWbTwoTable = TDictTable<svlcharsetWBTwo, 12000>;
using TWbMultiTable = TDictTable<svlcharsetWBMulti, 1500>;
using TPYsTable = TDictTable<svlcharsetPYs, 3300>;
using TPYOneTable = TDictTable<svlcharsetPYOne, 8000>;
using TPYTwoTable = TDictTable<svlcharsetpyTwo, 12000>;
using TPYMultiTable = TDictTable<svlcharsetpyMulti, 1500>;

const int kPinyinGroupCount = 19;

// Minimum line lengths: a shorter line ends its table.
const int kWbOneMinLine = 16;
const int kWbsMinLine = 24;
const int kWbTwoMinLine = 12;
const int kWbMultiMinLine = 12;
const int kPYsMinLine = 16;
const int kPYOneMinLine = 16;
const int kPYTwoMinLine = 40;
const int kPYMultiMinLine = 40;

// Binary records.
const int kWb1RecordSize = 5;
const int kWb2RecordSize = 18;
const int kWbzgRecordSize = 5;

// The fewest records a whole short-code file holds: the 25 level-1 codes (one
// for each key but z), which the level-1 drill teaches, and at least one
// level-2 code beginning with each of those 25 keys.
const int kWb1MinRecords = 25;
const int kWb2MinRecords = 25;

// The name of a dictionary's temporary deciphered file: "Temp" before ".dat".
std::string TempDictionaryName(const std::string& name);
