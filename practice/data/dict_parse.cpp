#include "practice/data/dict_parse.h"

#include <cstdlib>
#include <limits>

using dictcol::Cols;
using dictcol::ColsToEnd;
using dictcol::Trim;

std::string dictcol::Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

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

// The integer value of a decimal text, as the run-time library converts it.
bool ToInt(const std::string& s, std::int32_t& out) {
  if (s.empty()) return false;
  std::size_t i = 0;
  bool neg = false;
  if (s[0] == '+' || s[0] == '-') {
    neg = s[0] == '-';
    i = 1;
  }
  if (i == s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > (long long)std::numeric_limits<std::int32_t>::max() + 1) return false;
  }
  if (neg) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max() || v < std::numeric_limits<std::int32_t>::min()) return false;
  out = std::int32_t(v);
  return true;
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
  if (!ToInt(Trim(ColsToEnd(line, 28)), r.PictureNo)) r.PictureNo = 1;
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
