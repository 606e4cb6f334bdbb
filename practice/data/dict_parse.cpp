#include "practice/data/dict_parse.h"

#include <string_view>

namespace {
// Fields are cut and trimmed as views of the line and copied once.
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

std::string Field(TView line, int first, int last) { return std::string(TrimView(ColsView(line, first, last))); }

std::string FieldToEnd(TView line, int first) { return std::string(TrimView(ColsToEndView(line, first))); }

// "MyPyWAV" followed by the trimmed word.
std::string SoundName(TView word) {
  word = TrimView(word);
  std::string name;
  name.reserve(sizeof kSoundPrefix - 1 + word.size());
  name.append(kSoundPrefix).append(word);
  return name;
}

template <class R>
void ParseWbCodes(TView line, R& r) {
  for (int i = 1; i <= 4; ++i) r.Codes[i] = Field(line, 4 * i - 3, 4 * i);
  r.Character = Field(line, 24, 28);
}

template <class R>
R ParseWbPhrase(TView line) {
  R r;
  r.Code = Field(line, 1, 12);
  r.Word = FieldToEnd(line, 13);
  return r;
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

svlcharsetWBOne ParseWbOneLine(const std::string& line) {
  svlcharsetWBOne r;
  ParseWbCodes(line, r);
  return r;
}

svlcharsetWBs ParseWbsLine(const std::string& line) {
  svlcharsetWBs r;
  ParseWbCodes(line, r);
  r.PictureNo = StrToIntDef(FieldToEnd(line, 28), 1);
  r.HintCycle = 0;
  return r;
}

svlcharsetWBTwo ParseWbTwoLine(const std::string& line) { return ParseWbPhrase<svlcharsetWBTwo>(line); }

svlcharsetWBMulti ParseWbMultiLine(const std::string& line) { return ParseWbPhrase<svlcharsetWBMulti>(line); }

svlcharsetPYs ParsePYsLine(const std::string& line) {
  svlcharsetPYs r;
  TView tail = ColsToEndView(line, 16);
  r.Pinyin = std::string(TrimView(tail.substr(0, tail.empty() ? 0 : tail.size() - 1)));
  r.Character = Field(line, 12, 17);
  r.HintSpelling = Field(line, 1, 12);
  r.SoundName = SoundName(tail);
  return r;
}

svlcharsetPYOne ParsePYOneLine(const std::string& line) { return ParsePYsLine(line); }

svlcharsetpyTwo ParsePYTwoLine(const std::string& line) {
  svlcharsetpyTwo r;
  r.Pinyin = Field(line, 1, 12);
  r.Phrase = Field(line, 13, 18);
  r.HintSpelling = Field(line, 18, 37);
  TView t = TrimView(ColsToEndView(line, 40));
  std::size_t blank = t.find(' ');
  std::size_t p = blank == TView::npos ? 0 : blank + 1;  // 1-based, 0 when none
  r.SoundNames[1] = SoundName(t.substr(0, p));
  r.SoundNames[2] = SoundName(t.substr(p == 0 ? 0 : p - 1));
  return r;
}

svlcharsetpyMulti ParsePYMultiLine(const std::string& line) {
  svlcharsetpyMulti r;
  r.Pinyin = Field(line, 1, 12);
  r.Phrase = Field(line, 13, 32);
  r.HintSpelling = Field(line, 32, 81);
  TView t = TrimView(ColsToEndView(line, 85));
  int k = 0;
  std::size_t start = 0;
  while (k < kPYMultiSounds) {
    std::size_t blank = t.find(' ', start);
    r.SoundNames[++k] = SoundName(t.substr(start, blank == TView::npos ? TView::npos : blank - start));
    if (blank == TView::npos) break;
    start = blank + 1;
  }
  return r;
}
