#include "lists.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "font.h"

namespace mediagen {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(sep, start);
    parts.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  return parts;
}

std::string At(size_t line) { return "line " + std::to_string(line) + ": "; }

bool ValidUtf8(const std::string& s) {
  std::u32string cps;
  return DecodeUtf8(s, cps);
}

}  // namespace

bool ParseRoots(const std::string& text, RootTable& out, std::string& error) {
  out.clear();
  auto lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty() || l[0] == '#') continue;
    auto cols = Split(l, '\t');
    if (cols.size() != 2) { error = At(i + 1) + "expected key<TAB>roots"; return false; }
    if (cols[0].size() != 1) { error = At(i + 1) + "key must be one letter"; return false; }
    char k = cols[0][0];
    if (k >= 'A' && k <= 'Z') k = char(k - 'A' + 'a');
    if (k < 'a' || k > 'y') { error = At(i + 1) + "key must be a letter a to y"; return false; }
    if (out.count(k)) { error = At(i + 1) + "key " + std::string(1, k) + " given twice"; return false; }
    if (!ValidUtf8(cols[1])) { error = At(i + 1) + "roots are not valid UTF-8"; return false; }
    auto roots = Split(cols[1], ' ');
    for (const auto& r : roots)
      if (r.empty()) { error = At(i + 1) + "empty root (roots are separated by single spaces)"; return false; }
    out[k] = roots;
  }
  if (out.empty()) { error = "no keys in the root table"; return false; }
  return true;
}

std::string MissingKeys(const RootTable& roots) {
  std::string missing;
  for (char k = 'a'; k <= 'y'; ++k)
    if (!roots.count(k)) missing += k;
  return missing;
}

bool ParsePictures(const std::string& text, std::vector<PictureEntry>& out, std::string& error) {
  out.clear();
  std::set<int> seen;
  auto lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty()) continue;
    auto cols = Split(l, '\t');
    if (cols.size() != 3 && !(cols.size() == 4 && cols[3] == "drill")) {
      error = At(i + 1) + "expected number<TAB>character<TAB>code[<TAB>drill]";
      return false;
    }
    PictureEntry e;
    if (cols[0].empty() || cols[0].size() > 7 || cols[0].find_first_not_of("0123456789") != std::string::npos) {
      error = At(i + 1) + "picture number is not a positive integer";
      return false;
    }
    e.number = std::stoi(cols[0]);
    if (e.number <= 0) { error = At(i + 1) + "picture number must be positive"; return false; }
    if (!seen.insert(e.number).second) {
      error = At(i + 1) + "picture number " + cols[0] + " given twice";
      return false;
    }
    std::u32string cps;
    if (cols[1].empty() || !DecodeUtf8(cols[1], cps)) { error = At(i + 1) + "bad character"; return false; }
    e.character = cols[1];
    if (cols[2].empty() || cols[2].size() > 4) { error = At(i + 1) + "code must have 1 to 4 letters"; return false; }
    for (char c : cols[2]) {
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
      if (c < 'a' || c > 'y') { error = At(i + 1) + "code letters must be a to y"; return false; }
      e.code += c;
    }
    e.drill = cols.size() == 4;
    out.push_back(e);
  }
  if (out.empty()) { error = "no pictures listed"; return false; }
  return true;
}

bool ParseSoundNames(const std::string& text, std::vector<std::string>& out, std::string& error) {
  out.clear();
  std::set<std::string> seen;
  auto lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty()) continue;
    bool ok = l.size() <= 16;
    for (char c : l) ok &= (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!ok || !(l[0] >= 'a' && l[0] <= 'z')) {
      error = At(i + 1) + "sound name \"" + l + "\" is not a syllable with a tone digit";
      return false;
    }
    if (seen.insert(l).second) out.push_back(l);
  }
  return true;
}

bool ReadText(const std::string& path, std::string& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace mediagen
