#include "practice/rules/hint_lookup.h"

#include "toolkit/base/sysutils.h"

namespace {
// The first record r of `table` for which `equal(record)` holds, 0 when none,
// -1 when the gate stopped the scan.
template <class Table, class Equal>
int FindFirst(const Table& table, const THintGate& gate, Equal equal) {
  for (int r = 1; r <= table.Count(); ++r) {
    if (!gate()) return -1;
    if (equal(table[r])) return r;
  }
  return 0;
}

std::string WithWord(const std::string& code, const std::string& word) { return code + "(" + word + ")"; }
}  // namespace

bool TReadingWalk::Next(std::string& label8) {
  auto present = [this](int j) { return !ReadingPinyins[j].empty(); };
  int next = 0;
  switch (ReadingCycle) {
    case 1: next = present(2) ? 2 : 0; break;
    case 2: next = present(3) ? 3 : 1; break;
    case 3: next = present(4) ? 4 : 1; break;
    case 4: next = present(1) ? 1 : 0; break;
    default: break;
  }
  if (next == 0) return false;
  ReadingCycle = static_cast<std::int16_t>(next);
  label8 = WithWord(ReadingHintSpellings[next], ReadingCharacter);
  return true;
}

bool LookUpPinyinHint(const TDictionaries& d, const THintRequest& q, const THintGate& gate, TPinyinHint& out) {
  out = TPinyinHint();
  const TPYOneTable& one = d.PYOneTable;
  int i = FindFirst(one, gate, [&](const svlcharsetPYOne& r) { return r.Character == q.NextChar; });
  if (i < 0) return false;
  if (i > 0) {
    for (int k = 1; k <= 4 && i + k - 1 <= one.Count(); ++k) {
      const svlcharsetPYOne& r = one[i + k - 1];
      if (r.Character != q.NextChar) break;
      out.Readings.ReadingPinyins[k] = r.Pinyin;
      out.Readings.ReadingHintSpellings[k] = r.HintSpelling;
      out.Readings.ReadingCharacter = r.Character;
    }
  }
  int two = FindFirst(d.PYTwoTable, gate, [&](const svlcharsetpyTwo& r) { return r.Phrase == q.NextTwoChars; });
  if (two < 0) return false;
  if (two > 0) out.Two = d.PYTwoTable[two];
  int multi = FindFirst(d.PYMultiTable, gate, [&](const svlcharsetpyMulti& r) { return r.Phrase == q.NextFourChars; });
  if (multi == 0)
    multi = FindFirst(d.PYMultiTable, gate, [&](const svlcharsetpyMulti& r) { return r.Phrase == q.NextThreeChars; });
  if (multi < 0) return false;
  if (multi > 0) out.Multi = d.PYMultiTable[multi];

  const TReadingWalk& w = out.Readings;
  if (!w.ReadingPinyins[1].empty()) out.CodeHintText = WithWord(w.ReadingHintSpellings[1], w.ReadingCharacter);
  if (!out.Two.Pinyin.empty()) out.PhraseHintText = WithWord(out.Two.HintSpelling, out.Two.Phrase);
  if (!out.Multi.Pinyin.empty())
    out.PhraseHintText += " " + WithWord(out.Multi.Pinyin, out.Multi.Phrase) + out.Multi.HintSpelling;
  return true;
}

bool LookUpWubiHint(const TDictionaries& d, const THintRequest& q, const THintGate& gate, TWubiHint& out) {
  out = TWubiHint();
  int i = FindFirst(d.WbOneTable, gate, [&](const svlcharsetWBOne& r) { return r.Character == q.NextChar; });
  if (i < 0) return false;
  if (i > 0) {
    for (int k = 1; k <= 4; ++k) out.Codes[k] = d.WbOneTable[i].Codes[k];
    out.RecordNo = i;
  }
  int two = FindFirst(d.WbTwoTable, gate, [&](const svlcharsetWBTwo& r) { return r.Word == q.NextTwoChars; });
  if (two < 0) return false;
  if (two > 0) out.Two = d.WbTwoTable[two];
  int multi = FindFirst(d.WbMultiTable, gate, [&](const svlcharsetWBMulti& r) { return r.Word == q.NextFourChars; });
  if (multi == 0)
    multi = FindFirst(d.WbMultiTable, gate, [&](const svlcharsetWBMulti& r) { return r.Word == q.NextThreeChars; });
  if (multi < 0) return false;
  if (multi > 0) out.Multi = d.WbMultiTable[multi];

  if (!out.Codes[1].empty()) {
    out.CodeHintText = UpperCase(out.Codes[1]);
    out.PictureNumber = out.RecordNo;
  }
  if (!out.Two.Code.empty()) out.PhraseHintText = WithWord(UpperCase(out.Two.Code), out.Two.Word);
  if (!out.Multi.Code.empty()) out.PhraseHintText += "  " + WithWord(UpperCase(out.Multi.Code), out.Multi.Word);
  return true;
}
