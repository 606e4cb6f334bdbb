#include "tools/dictgen/sources.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <fstream>
#include <sstream>
#include "tools/dictgen/gbk.h"

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string cur;
  std::istringstream in(s);
  while (std::getline(in, cur, sep)) parts.push_back(cur);
  if (!s.empty() && s.back() == sep) parts.push_back("");
  return parts;
}

namespace {
bool IsContent(const std::string& line) { return !line.empty() && line[0] != '#'; }
}  // namespace

bool BodyLines(const std::string& path, const std::string& headerEnd, std::vector<std::string>& lines) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  bool body = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!body)
      body = line == headerEnd;
    else if (IsContent(line))
      lines.push_back(line);
  }
  return true;
}

bool ListLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line))
    if (IsContent(line)) lines.push_back(line);
  return true;
}

bool IsWubiCode(const std::string& c) {
  if (c.empty() || c.size() > 4) return false;
  for (char ch : c)
    if (ch < 'a' || ch > 'y') return false;
  return true;
}

bool ReadWubi(const std::string& path, WubiSource& src) {
  std::vector<std::string> lines;
  if (!BodyLines(path, "...", lines)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() < 2 || !IsWubiCode(f[1])) continue;
    long long w = f.size() > 2 && !f[2].empty() ? std::atoll(f[2].c_str()) : 0;
    std::size_t n = Utf8Chars(f[0]).size();
    if (n == 1) {
      src.chars[f[0]].push_back({f[1], w});
      if (f[1].size() <= 2 && IsGb2312(f[0])) {
        auto it = src.shortCodes.find(f[1]);
        if (it == src.shortCodes.end() || w > it->second.weight) src.shortCodes[f[1]] = {f[0], w};
      }
    } else if (n >= 2 && n <= 4) {
      src.phraseCodes[f[0]].push_back(f[1]);
      auto it = src.phrases.find(f[0]);
      if (it == src.phrases.end() || w > it->second.weight) src.phrases[f[0]] = {f[1], w};
    }
  }
  return true;
}

bool ShortCodeCharacter(const WubiSource& src, const std::string& code, std::string& ch) {
  auto it = src.shortCodes.find(code);
  if (it == src.shortCodes.end()) return false;
  ch = it->second.code;  // the character, kept in the code field
  return true;
}

std::string WubiPhraseCode(const std::vector<std::string>& c) {
  for (const auto& code : c)
    if (code.size() < 2) return "";
  if (c.size() == 2) return c[0].substr(0, 2) + c[1].substr(0, 2);
  if (c.size() == 3) return c[0].substr(0, 1) + c[1].substr(0, 1) + c[2].substr(0, 2);
  if (c.size() >= 4) return c[0].substr(0, 1) + c[1].substr(0, 1) + c[2].substr(0, 1) + c.back().substr(0, 1);
  return "";
}

std::string FullCode(const std::vector<CodeEntry>& codes) {
  const CodeEntry* best = nullptr;
  for (const auto& e : codes)
    if (!best || e.code.size() > best->code.size() || (e.code.size() == best->code.size() && e.weight > best->weight))
      best = &e;
  return best ? best->code : "";
}

bool ReadWubiDecisions(const std::string& path, WubiDecisions& out) {
  std::vector<std::string> lines;
  if (!ListLines(path, lines)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() != 3) return false;
    if (f[0] == "full" && Utf8Chars(f[1]).size() == 1 && IsWubiCode(f[2]) && f[2].size() >= 3)
      out.fullCode[f[1]] = f[2];
    else if (f[0] == "short" && IsWubiCode(f[1]) && f[1].size() <= 2 && Utf8Chars(f[2]).size() == 1)
      out.shortCodeChar[f[1]] = f[2];
    else
      return false;
  }
  return true;
}

void ApplyWubiDecisions(const WubiDecisions& decisions, WubiSource& src) {
  for (const auto& d : decisions.fullCode) {
    auto& codes = src.chars[d.first];
    std::string old = FullCode(codes);
    long long weight = 0;
    for (const auto& e : codes) weight = std::max(weight, e.weight);
    codes.erase(std::remove_if(codes.begin(), codes.end(),
                               [&](const CodeEntry& e) { return e.code.size() == old.size() || e.code == d.second; }),
                codes.end());
    codes.push_back({d.second, weight});
  }
  for (const auto& d : decisions.shortCodeChar) {
    long long weight = 0;
    for (auto& kv : src.chars) {
      auto& codes = kv.second;
      for (const auto& e : codes)
        if (e.code == d.first) weight = std::max(weight, e.weight);
      codes.erase(std::remove_if(codes.begin(), codes.end(), [&](const CodeEntry& e) { return e.code == d.first; }),
                  codes.end());
    }
    src.chars[d.second].push_back({d.first, weight + 1});
    src.shortCodes[d.first] = {d.second, weight + 1};
  }
}

void KeepShortCodesUnique(const std::vector<std::string>& chars, WubiSource& src) {
  std::set<std::string> taken;
  for (const auto& ch : chars) {
    auto it = src.chars.find(ch);
    if (it == src.chars.end()) continue;
    auto& codes = it->second;
    const std::size_t full = FullCode(codes).size();
    codes.erase(std::remove_if(codes.begin(), codes.end(),
                               [&](const CodeEntry& e) { return e.code.size() < full && taken.count(e.code); }),
                codes.end());
    for (const auto& e : codes)
      if (e.code.size() < full) taken.insert(e.code);
  }
}
