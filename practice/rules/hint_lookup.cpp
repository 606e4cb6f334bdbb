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

// The phrases that start at the next character: the two-character one, and the
// four-character one or else the three-character one (records left as they are
// when none); false when the gate stopped a scan.
template <class TwoTable, class MultiTable, class Two, class Multi>
bool FindPhrases(const TwoTable& twos, const MultiTable& multis, std::string Two::*twoText,
                 std::string Multi::*multiText, const THintRequest& q, const THintGate& gate, Two& two, Multi& multi) {
  int t = FindFirst(twos, gate, [&](const Two& r) { return r.*twoText == q.NextTwoChars; });
  if (t < 0) return false;
  if (t > 0) two = twos[t];
  auto findMulti = [&](const std::string& text) {
    return FindFirst(multis, gate, [&](const Multi& r) { return r.*multiText == text; });
  };
  int m = findMulti(q.NextFourChars);
  if (m == 0) m = findMulti(q.NextThreeChars);
  if (m < 0) return false;
  if (m > 0) multi = multis[m];
  return true;
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
  out.Request = q;
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
  if (!FindPhrases(d.PYTwoTable, d.PYMultiTable, &svlcharsetpyTwo::Phrase, &svlcharsetpyMulti::Phrase, q, gate,
                   out.Two, out.Multi))
    return false;

  const TReadingWalk& w = out.Readings;
  if (!w.ReadingPinyins[1].empty()) out.CodeHintText = WithWord(w.ReadingHintSpellings[1], w.ReadingCharacter);
  if (!out.Two.Pinyin.empty()) out.PhraseHintText = WithWord(out.Two.HintSpelling, out.Two.Phrase);
  if (!out.Multi.Pinyin.empty())
    out.PhraseHintText += " " + WithWord(out.Multi.Pinyin, out.Multi.Phrase) + out.Multi.HintSpelling;
  return true;
}

bool LookUpWubiHint(const TDictionaries& d, const THintRequest& q, const THintGate& gate, TWubiHint& out) {
  out = TWubiHint();
  out.Request = q;
  int i = FindFirst(d.WbOneTable, gate, [&](const svlcharsetWBOne& r) { return r.Character == q.NextChar; });
  if (i < 0) return false;
  if (i > 0) {
    for (int k = 1; k <= 4; ++k) out.Codes[k] = d.WbOneTable[i].Codes[k];
    out.RecordNo = i;
  }
  if (!FindPhrases(d.WbTwoTable, d.WbMultiTable, &svlcharsetWBTwo::Word, &svlcharsetWBMulti::Word, q, gate, out.Two,
                   out.Multi))
    return false;

  if (!out.Codes[1].empty()) {
    out.CodeHintText = UpperCase(out.Codes[1]);
    out.PictureNumber = out.RecordNo;
  }
  if (!out.Two.Code.empty()) out.PhraseHintText = WithWord(UpperCase(out.Two.Code), out.Two.Word);
  if (!out.Multi.Code.empty()) out.PhraseHintText += "  " + WithWord(UpperCase(out.Multi.Code), out.Multi.Word);
  return true;
}
