#include "practice/data/dict_parse.h"

using dictcol::Cols;
using dictcol::ColsToEnd;

std::string dictcol::Cols(const std::string& line, int first, int last) {
  if (first < 1 || last < first || std::size_t(first) > line.size()) return std::string();
  return line.substr(std::size_t(first - 1), std::size_t(last - first + 1));
}

std::string dictcol::ColsToEnd(const std::string& line, int first) {
  if (first < 1 || std::size_t(first) > line.size()) return std::string();
  return line.substr(std::size_t(first - 1));
}

std::string TempDictionaryName(const std::string& name) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return name + "Temp";
  return name.substr(0, dot) + "Temp" + name.substr(dot);
}

namespace {
template <class R>
void ParseWbCodes(const std::string& line, R& r) {
  for (int i = 1; i <= 4; ++i) r.Codes[i] = Trim(Cols(line, 4 * i - 3, 4 * i));
  r.Character = Trim(Cols(line, 24, 28));
}

template <class R>
R ParseWbPhrase(const std::string& line) {
  R r;
  r.Code = Trim(Cols(line, 1, 12));
  r.Word = Trim(ColsToEnd(line, 13));
  return r;
}
}  // namespace

svlcharsetWBOne ParseWbOneLine(const std::string& line) {
  svlcharsetWBOne r;
  ParseWbCodes(line, r);
  return r;
}

svlcharsetWBs ParseWbsLine(const std::string& line) {
  svlcharsetWBs r;
  ParseWbCodes(line, r);
  r.PictureNo = StrToIntDef(Trim(ColsToEnd(line, 28)), 1);
  r.HintCycle = 0;
  return r;
}

svlcharsetWBTwo ParseWbTwoLine(const std::string& line) { return ParseWbPhrase<svlcharsetWBTwo>(line); }

svlcharsetWBMulti ParseWbMultiLine(const std::string& line) { return ParseWbPhrase<svlcharsetWBMulti>(line); }

svlcharsetPYs ParsePYsLine(const std::string& line) {
  svlcharsetPYs r;
  std::string tail = ColsToEnd(line, 16);
  r.Pinyin = Trim(tail.empty() ? tail : tail.substr(0, tail.size() - 1));
  r.Character = Trim(Cols(line, 12, 17));
  r.HintSpelling = Trim(Cols(line, 1, 12));
  r.SoundName = kSoundPrefix + Trim(tail);
  return r;
}

svlcharsetPYOne ParsePYOneLine(const std::string& line) { return ParsePYsLine(line); }

svlcharsetpyTwo ParsePYTwoLine(const std::string& line) {
  svlcharsetpyTwo r;
  r.Pinyin = Trim(Cols(line, 1, 12));
  r.Phrase = Trim(Cols(line, 13, 18));
  r.HintSpelling = Trim(Cols(line, 18, 37));
  std::string t = Trim(ColsToEnd(line, 40));
  std::size_t blank = t.find(' ');
  std::size_t p = blank == std::string::npos ? 0 : blank + 1;  // 1-based, 0 when none
  r.SoundNames[1] = kSoundPrefix + Trim(t.substr(0, p));
  r.SoundNames[2] = kSoundPrefix + Trim(t.substr(p == 0 ? 0 : p - 1));
  return r;
}

svlcharsetpyMulti ParsePYMultiLine(const std::string& line) {
  svlcharsetpyMulti r;
  r.Pinyin = Trim(Cols(line, 1, 12));
  r.Phrase = Trim(Cols(line, 13, 32));
  r.HintSpelling = Trim(Cols(line, 32, 81));
  std::string t = Trim(ColsToEnd(line, 85));
  int k = 0;
  std::size_t start = 0;
  while (k < kPYMultiSounds) {
    std::size_t blank = t.find(' ', start);
    std::string word = t.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
    r.SoundNames[++k] = kSoundPrefix + Trim(word);
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  return r;
}
