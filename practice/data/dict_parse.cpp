#include "practice/data/dict_parse.h"

#include <string_view>

namespace {
// Fields are cut and trimmed as views of the line and copied once, into the record.
using TView = std::string_view;

TView ColsView(TView line, int first, int last) {
  if (first < 1 || last < first || std::size_t(first) > line.size()) return TView();
  return line.substr(std::size_t(first - 1), std::size_t(last - first + 1));
}

TView ColsToEndView(TView line, int first) {
  if (first < 1 || std::size_t(first) > line.size()) return TView();
  return line.substr(std::size_t(first - 1));
}

// As Trim: drops leading and trailing bytes at or below the blank.
TView TrimView(TView v) {
  while (!v.empty() && static_cast<unsigned char>(v.front()) <= ' ') v.remove_prefix(1);
  while (!v.empty() && static_cast<unsigned char>(v.back()) <= ' ') v.remove_suffix(1);
  return v;
}

TView Field(TView line, int first, int last) { return TrimView(ColsView(line, first, last)); }

TView FieldToEnd(TView line, int first) { return TrimView(ColsToEndView(line, first)); }

// "MyPyWAV" followed by the trimmed word.
void SetSoundName(std::string& name, TView word) {
  word = TrimView(word);
  name.reserve(sizeof kSoundPrefix - 1 + word.size());
  name.assign(kSoundPrefix).append(word);
}

template <class R>
void ParseWbCodes(TView line, R& r) {
  for (int i = 1; i <= 4; ++i) r.Codes[i] = Field(line, 4 * i - 3, 4 * i);
  r.Character = Field(line, 24, 28);
}

template <class R>
void ParseWbPhrase(TView line, R& r) {
  r.Code = Field(line, 1, 12);
  r.Word = FieldToEnd(line, 13);
}
}  // namespace

std::string dictcol::Cols(const std::string& line, int first, int last) {
  return std::string(ColsView(line, first, last));
}

std::string dictcol::ColsToEnd(const std::string& line, int first) { return std::string(ColsToEndView(line, first)); }

std::string TempDictionaryName(const std::string& name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return name + "Temp";
  return name.substr(0, dot) + "Temp" + name.substr(dot);
}

void ParseWbOneLine(TView line, svlcharsetWBOne& r) { ParseWbCodes(line, r); }

void ParseWbsLine(TView line, svlcharsetWBs& r) {
  ParseWbCodes(line, r);
  r.PictureNo = StrToIntDef(std::string(FieldToEnd(line, 28)), 1);
  r.HintCycle = 0;
}

void ParseWbTwoLine(TView line, svlcharsetWBTwo& r) { ParseWbPhrase(line, r); }

void ParseWbMultiLine(TView line, svlcharsetWBMulti& r) { ParseWbPhrase(line, r); }

void ParsePYsLine(TView line, svlcharsetPYs& r) {
  TView tail = ColsToEndView(line, 16);
  r.Pinyin = TrimView(tail.substr(0, tail.empty() ? 0 : tail.size() - 1));
  r.Character = Field(line, 12, 17);
  r.HintSpelling = Field(line, 1, 12);
  SetSoundName(r.SoundName, tail);
}

void ParsePYOneLine(TView line, svlcharsetPYOne& r) { ParsePYsLine(line, r); }

void ParsePYTwoLine(TView line, svlcharsetpyTwo& r) {
  r.Pinyin = Field(line, 1, 12);
  r.Phrase = Field(line, 13, 18);
  r.HintSpelling = Field(line, 18, 37);
  TView t = TrimView(ColsToEndView(line, 40));
  std::size_t blank = t.find(' ');
  std::size_t p = blank == TView::npos ? 0 : blank + 1;  // 1-based, 0 when none
  SetSoundName(r.SoundNames[1], t.substr(0, p));
  SetSoundName(r.SoundNames[2], t.substr(p == 0 ? 0 : p - 1));
}

void ParsePYMultiLine(TView line, svlcharsetpyMulti& r) {
  r.Pinyin = Field(line, 1, 12);
  r.Phrase = Field(line, 13, 32);
  r.HintSpelling = Field(line, 32, 81);
  TView t = TrimView(ColsToEndView(line, 85));
  int k = 0;
  std::size_t start = 0;
  while (k < kPYMultiSounds) {
    std::size_t blank = t.find(' ', start);
    SetSoundName(r.SoundNames[++k], t.substr(start, blank == TView::npos ? TView::npos : blank - start));
    if (blank == TView::npos) break;
    start = blank + 1;
  }
}
