#include "tools/datacheck/reference_rules.h"

#include <algorithm>
#include <fstream>
#include "tools/dictgen/gbk.h"
#include "tools/dictgen/sources.h"

bool ReadWubiReference(const std::string& path, WubiReference& out) {
  std::vector<std::string> lines;
  if (!BodyLines(path, "[Data]", lines)) return false;
  for (const std::string& line : lines) {
    std::size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    std::string code = line.substr(0, blank), text = line.substr(blank + 1);
    if (!IsWubiCode(code) || text.empty()) continue;
    out.codesOf[text].push_back(code);
    if (Utf8Chars(text).size() == 1) out.charsOf[code].push_back(text);
  }
  return !out.codesOf.empty();
}

std::string ShortCodeCharacter(const WubiReference& ref, const std::string& code) {
  auto it = ref.charsOf.find(code);
  if (it == ref.charsOf.end()) return "";
  for (const auto& ch : it->second)
    if (IsGb2312(ch)) return ch;
  return "";
}

bool FullCodeAgrees(const WubiReference& ref, const std::string& ch, const std::string& code) {
  auto it = ref.codesOf.find(ch);
  return it != ref.codesOf.end() && std::find(it->second.begin(), it->second.end(), code) != it->second.end();
}

bool ReadReferenceReadings(const std::string& path, std::map<std::string, std::vector<std::string>>& out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() == 2 && !f[0].empty()) out[f[0]] = Split(f[1], ' ');
  }
  return !out.empty();
}

namespace {

std::string Letters(const std::string& syllable) { return syllable.empty() ? "" : syllable.substr(0, syllable.size() - 1); }

ReadingMatch MatchSyllable(const std::string& ch, const std::string& files, const std::string& reference) {
  if (files == reference) return ReadingMatch::Same;
  if (files.empty() || reference.empty() || Letters(files) != Letters(reference)) return ReadingMatch::Differs;
  if (files.back() == '5' || reference.back() == '5') return ReadingMatch::NeutralTone;
  if ((ch == "一" && files == "yi1") || (ch == "不" && files == "bu4")) return ReadingMatch::CitationTone;
  return ReadingMatch::Differs;
}

}  // namespace

ReadingMatch MatchReadings(const std::vector<std::string>& chars, const std::vector<std::string>& files,
                           const std::vector<std::string>& reference) {
  if (files.size() != reference.size() || files.size() != chars.size()) return ReadingMatch::Differs;
  ReadingMatch result = ReadingMatch::Same;
  for (std::size_t i = 0; i < files.size(); ++i) {
    ReadingMatch m = MatchSyllable(chars[i], files[i], reference[i]);
    if (m == ReadingMatch::Differs) return m;
    result = std::max(result, m);
  }
  return result;
}
