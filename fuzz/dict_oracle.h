#pragma once
// What the dictionary files should give, worked out the plain way (whole
// strings, no views) from the file formats, for the dictionary fuzz target to
// compare with what the loader gives.
#include <string>
#include <vector>

#include "practice/data/dict_records.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/sysutils.h"

namespace oracle {

// Columns a..b (1-based), fewer when the line is shorter, trimmed.
inline std::string Field(const std::string& line, int a, int b) {
  if (static_cast<std::size_t>(a) > line.size()) return "";
  return Trim(line.substr(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(b - a + 1)));
}
inline std::string FieldToEnd(const std::string& line, int a) { return Field(line, a, static_cast<int>(line.size())); }
inline std::string Sound(const std::string& word) { return "MyPyWAV" + Trim(word); }

// A deciphered text is whole when it ends in CR LF followed only by the
// cipher's padding (fewer than 8 zero bytes); an empty one is whole too.
inline bool WholeText(const TBytes& plain) {
  std::size_t end = plain.size();
  while (end > 0 && plain[end - 1] == 0 && plain.size() - end < 8) --end;
  if (plain.empty()) return true;
  return plain.size() - end < 8 && end >= 2 && plain[end - 2] == '\r' && plain[end - 1] == '\n';
}

// The lines a table is filled from: up to the first one shorter than minLength, at most cap.
inline std::vector<std::string> TableLines(const TBytes& plain, int minLength, int cap) {
  std::vector<std::string> lines;
  const std::string text(plain.begin(), plain.end());
  std::size_t pos = 0;
  while (pos < text.size() && static_cast<int>(lines.size()) < cap) {
    std::size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (nl != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    pos = nl == std::string::npos ? text.size() : nl + 1;
    if (static_cast<int>(line.size()) < minLength) break;
    lines.push_back(line);
  }
  return lines;
}

// The fields of one record, in declared order.
inline std::vector<std::string> WbOne(const std::string& l) {
  return {Field(l, 1, 4), Field(l, 5, 8), Field(l, 9, 12), Field(l, 13, 16), Field(l, 24, 28)};
}
inline std::vector<std::string> Wbs(const std::string& l) {
  std::vector<std::string> f = WbOne(l);
  f.push_back(std::to_string(StrToIntDef(FieldToEnd(l, 28), 1)));
  return f;
}
inline std::vector<std::string> WbPhrase(const std::string& l) { return {Field(l, 1, 12), FieldToEnd(l, 13)}; }
inline std::vector<std::string> PYs(const std::string& l) {
  std::string tail = l.size() >= 16 ? l.substr(15) : "";
  return {Trim(tail.substr(0, tail.empty() ? 0 : tail.size() - 1)), Field(l, 12, 17), Field(l, 1, 12), Sound(tail)};
}
inline std::vector<std::string> PYTwo(const std::string& l) {
  std::string t = FieldToEnd(l, 40);
  std::size_t blank = t.find(' ');
  // The first word with its blank, and the rest from that blank on; no blank: nothing, and all of it.
  std::string first = blank == std::string::npos ? "" : t.substr(0, blank + 1);
  std::string rest = blank == std::string::npos ? t : t.substr(blank);
  return {Field(l, 1, 12), Field(l, 13, 18), Field(l, 18, 37), Sound(first), Sound(rest)};
}
inline std::vector<std::string> PYMulti(const std::string& l) {
  std::vector<std::string> f = {Field(l, 1, 12), Field(l, 13, 32), Field(l, 32, 81)};
  std::string t = FieldToEnd(l, 85), word;
  std::vector<std::string> sounds;
  for (char c : t) {
    if (c == ' ') sounds.push_back(Sound(word)), word.clear();
    else word += c;
  }
  sounds.push_back(Sound(word));
  sounds.resize(kPYMultiSounds);  // the first ten; fewer leave empty names
  f.insert(f.end(), sounds.begin(), sounds.end());
  return f;
}

// The same fields read from the loaded records.
inline std::vector<std::string> Of(const svlcharsetWBOne& r) {
  return {r.Codes[1], r.Codes[2], r.Codes[3], r.Codes[4], r.Character};
}
inline std::vector<std::string> Of(const svlcharsetWBs& r) {
  return {r.Codes[1], r.Codes[2], r.Codes[3], r.Codes[4], r.Character, std::to_string(r.PictureNo)};
}
inline std::vector<std::string> Of(const svlcharsetWBTwo& r) { return {r.Code, r.Word}; }
inline std::vector<std::string> Of(const svlcharsetWBMulti& r) { return {r.Code, r.Word}; }
inline std::vector<std::string> Of(const svlcharsetPYs& r) { return {r.Pinyin, r.Character, r.HintSpelling, r.SoundName}; }
inline std::vector<std::string> Of(const svlcharsetpyTwo& r) {
  return {r.Pinyin, r.Phrase, r.HintSpelling, r.SoundNames[1], r.SoundNames[2]};
}
inline std::vector<std::string> Of(const svlcharsetpyMulti& r) {
  std::vector<std::string> f = {r.Pinyin, r.Phrase, r.HintSpelling};
  f.insert(f.end(), r.SoundNames + 1, r.SoundNames + 1 + kPYMultiSounds);
  return f;
}

}  // namespace oracle
