#include "decompose.h"

#include <sstream>

namespace mediagen {

namespace {

constexpr size_t kMaxSplits = 64;  // splits kept per component
constexpr int kMaxDepth = 8;

using Split = std::vector<std::string>;

// Single strokes, which spell the codes of the roots that are characters.
const std::map<char, std::string> kStrokes = {{'g', u8"一"}, {'h', u8"丨"}, {'t', u8"丿"}, {'y', u8"丶"}, {'n', u8"乙"}};

class Splitter {
 public:
  Splitter(const Decompositions& d, const RootTable& roots) : d_(d) {
    for (const auto& kv : roots)
      for (const auto& r : kv.second) key_.emplace(r, kv.first);
  }
  char KeyOf(const std::string& root) const {
    auto it = key_.find(root);
    return it == key_.end() ? 0 : it->second;
  }
  // Every way of writing x as roots of the table (fewest roots first), at most kMaxSplits.
  std::vector<Split> Splits(const std::string& x, int depth) {
    std::vector<Split> out;
    if (KeyOf(x)) out.push_back({x});
    auto it = d_.find(x);
    if (it == d_.end() || depth >= kMaxDepth) return out;
    const std::vector<std::string>& parts = it->second;
    if (parts.size() == 1) {  // a variant or a form of one component
      for (auto& s : Splits(parts[0], depth + 1))
        if (out.size() < kMaxSplits) out.push_back(s);
      return out;
    }
    std::vector<Split> acc{{}};
    for (const auto& p : parts) {
      std::vector<Split> next;
      std::vector<Split> ps = Splits(p, depth + 1);
      for (const auto& a : acc)
        for (const auto& s : ps) {
          if (next.size() >= kMaxSplits) break;
          Split j = a;
          j.insert(j.end(), s.begin(), s.end());
          next.push_back(j);
        }
      acc.swap(next);
      if (acc.empty()) return out;
    }
    for (auto& s : acc)
      if (out.size() < kMaxSplits) out.push_back(s);
    return out;
  }

 private:
  const Decompositions& d_;
  std::map<std::string, char> key_;
};

// The frames of a split when its keys spell the code: the first three roots and
// the last; with fewer than four roots, a letter after them is the identification code.
bool Spell(const Split& s, const std::string& code, const Splitter& k, std::vector<LetterRoots>& out) {
  std::vector<size_t> pick;
  if (s.size() >= 4) pick = {0, 1, 2, s.size() - 1};
  else for (size_t i = 0; i < s.size(); ++i) pick.push_back(i);
  if (code.size() != pick.size() && !(s.size() < 4 && code.size() == pick.size() + 1)) return false;
  out.clear();
  for (size_t i = 0; i < pick.size(); ++i) {
    if (k.KeyOf(s[pick[i]]) != code[i]) return false;
    out.push_back({{s[pick[i]]}, false});
  }
  if (code.size() > pick.size()) out.push_back({{}, true});
  return true;
}

}  // namespace

bool ParseDecompositions(const std::string& text, Decompositions& out, std::string& error) {
  out.clear();
  std::istringstream in(text);
  std::string line;
  size_t n = 0;
  while (std::getline(in, line)) {
    ++n;
    if (line.empty()) continue;
    size_t colon = line.find(':'), open = line.find('(', colon), close = line.rfind(')');
    if (colon == std::string::npos || colon == 0 || open == std::string::npos || close == std::string::npos ||
        close < open) {
      error = "line " + std::to_string(n) + ": expected char:kind(parts)";
      return false;
    }
    std::vector<std::string> parts;
    std::string body = line.substr(open + 1, close - open - 1), p;
    std::istringstream ps(body);
    while (std::getline(ps, p, ','))
      if (!p.empty()) parts.push_back(p);
    if (!parts.empty()) out[line.substr(0, colon)] = parts;
  }
  return true;
}

bool RootsOfCode(const std::string& ch, const std::string& code, const Decompositions& d, const RootTable& roots,
                 std::vector<LetterRoots>& out) {
  Splitter k(d, roots);
  out.clear();
  if (code.empty()) return false;
  char own = k.KeyOf(ch);
  if (own && own == code[0]) {
    // A root that is a character: its key, then its first, second and last strokes.
    out.push_back({{ch}, false});
    for (size_t i = 1; i < code.size(); ++i) {
      auto s = kStrokes.find(code[i]);
      bool keyName = code == std::string(code.size(), own) && roots.at(own).front() == ch;
      if (keyName) out.push_back({{ch}, false});
      else if (s != kStrokes.end()) out.push_back({{s->second}, false});
      else return false;
    }
    return true;
  }
  std::vector<Split> splits = k.Splits(ch, 0);
  const Split* best = nullptr;
  std::vector<LetterRoots> frames;
  for (const auto& s : splits) {
    if (s.size() < 2) continue;
    if (Spell(s, code, k, frames) && (!best || s.size() < best->size())) {
      best = &s;
      out = frames;
    }
  }
  return best != nullptr;
}

}  // namespace mediagen
