#include "tools/dictgen/mainland.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include "tools/dictgen/gbk.h"
#include "tools/dictgen/sources.h"

namespace {

bool PlainLetters(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < 'a' || c > 'z') return false;
  return true;
}

bool StartsWith(const std::string& s, const char* p) { return s.compare(0, std::char_traits<char>::length(p), p) == 0; }

bool Contains(const std::string& s, const char* p) { return s.find(p) != std::string::npos; }

}  // namespace

std::string NumberedSyllable(const std::string& marked) {
  static const std::map<std::string, std::pair<char, int>> marks = {
      {"ā", {'a', 1}}, {"á", {'a', 2}}, {"ǎ", {'a', 3}}, {"à", {'a', 4}}, {"ē", {'e', 1}}, {"é", {'e', 2}},
      {"ě", {'e', 3}}, {"è", {'e', 4}}, {"ī", {'i', 1}}, {"í", {'i', 2}}, {"ǐ", {'i', 3}}, {"ì", {'i', 4}},
      {"ō", {'o', 1}}, {"ó", {'o', 2}}, {"ǒ", {'o', 3}}, {"ò", {'o', 4}}, {"ū", {'u', 1}}, {"ú", {'u', 2}},
      {"ǔ", {'u', 3}}, {"ù", {'u', 4}}, {"ǖ", {'v', 1}}, {"ǘ", {'v', 2}}, {"ǚ", {'v', 3}}, {"ǜ", {'v', 4}},
      {"ü", {'v', 0}}};
  std::string letters;
  int tone = 0;
  for (const auto& c : Utf8Chars(marked)) {
    auto it = marks.find(c);
    if (it != marks.end()) {
      if (it->second.second) {
        if (tone) return "";
        tone = it->second.second;
      }
      letters += it->second.first;
    } else if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z') {
      letters += c;
    } else {
      return "";
    }
  }
  if (!PlainLetters(letters)) return "";
  return letters + char('0' + (tone ? tone : 5));
}

std::string CedictSyllable(const std::string& s) {
  std::string t;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c == 'u' && i + 1 < s.size() && s[i + 1] == ':') {
      t += 'v';
      ++i;
    } else {
      t += c;
    }
  }
  if (t.size() < 2 || t.back() < '1' || t.back() > '5') return "";
  std::string letters = t.substr(0, t.size() - 1);
  // Erhua (r5) joins the syllable before it, which one sound per character cannot say.
  if (!PlainLetters(letters) || letters == "xx" || letters == "r" || letters == "m" || letters == "n" ||
      letters == "ng")
    return "";
  return letters + t.back();
}

bool ReadGoPinyin(const std::string& path, std::map<std::string, std::vector<std::string>>& out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    // \t0x4E00: "yī,yí,yì",
    std::size_t x = line.find("0x"), colon = line.find(':'), q1 = line.find('"'), q2 = line.rfind('"');
    if (x == std::string::npos || colon == std::string::npos || q1 == std::string::npos || q2 <= q1) continue;
    unsigned long cp = std::strtoul(line.c_str() + x + 2, nullptr, 16);
    std::string ch;
    if (cp < 0x800 || cp > 0xFFFF) continue;  // CJK characters of the basic plane
    ch += char(0xE0 | (cp >> 12));
    ch += char(0x80 | ((cp >> 6) & 0x3F));
    ch += char(0x80 | (cp & 0x3F));
    std::vector<std::string> readings;
    for (const auto& r : Split(line.substr(q1 + 1, q2 - q1 - 1), ',')) {
      std::string s = NumberedSyllable(r);
      bool seen = false;
      for (const auto& o : readings) seen = seen || o == s;
      if (!s.empty() && !seen) readings.push_back(s);
    }
    if (!readings.empty()) out[ch] = readings;
  }
  return true;
}

bool ReadCedict(const std::string& path, Cedict& out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() != 3) continue;
    std::vector<std::string> chars = Utf8Chars(f[0]);
    std::vector<std::string> syl = Split(f[1], ' ');
    if (chars.empty() || chars.size() > 4 || chars.size() != syl.size()) continue;
    CedictEntry e;
    bool ok = true;
    for (const auto& s : syl) {
      std::string n = CedictSyllable(s);
      ok = ok && !n.empty();
      e.syllables.push_back(n);
    }
    if (!ok) continue;
    e.proper = syl[0][0] >= 'A' && syl[0][0] <= 'Z';
    e.senses = Split(f[2], '/');
    out[f[0]].push_back(e);
  }
  return true;
}

bool ReadCounts(const std::string& path, std::map<std::string, long long>& out,
                std::map<std::string, std::string>* tags) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f = Split(line, line.find('\t') != std::string::npos ? '\t' : ' ');
    if (f.size() < 2) continue;
    long long n = std::atoll(f[1].c_str());
    auto it = out.find(f[0]);
    if (it != out.end() && n <= it->second) continue;
    out[f[0]] = n;
    if (tags && f.size() > 2) (*tags)[f[0]] = f[2];
  }
  return true;
}

bool IsFunctionWordTag(const std::string& tag) {
  static const char* const kTags[] = {"d", "p", "c", "y", "e", "r", "q", "m", "f"};
  if (!tag.empty() && tag[0] == 'u') return true;  // uj 的, ul 了, uz 着 ...
  return std::any_of(std::begin(kTags), std::end(kTags), [&](const char* t) { return tag == t; });
}

bool ReadReadingList(const std::string& path, std::map<std::string, std::vector<std::string>>& out) {
  std::vector<std::string> lines;
  if (!ListLines(path, lines)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() < 2) return false;
    std::vector<std::string> syl = Split(f[1], ' ');
    for (const auto& x : syl)
      if (CedictSyllable(x) != x) return false;
    if (syl.size() != Utf8Chars(f[0]).size()) return false;
    out[f[0]] = syl;
  }
  return true;
}

void CitationTones(const std::vector<std::string>& chars, std::vector<std::string>& syllables) {
  for (std::size_t i = 0; i < chars.size() && i < syllables.size(); ++i) {
    if (chars[i] == "一" && (syllables[i] == "yi2" || syllables[i] == "yi4")) syllables[i] = "yi1";
    if (chars[i] == "不" && syllables[i] == "bu2") syllables[i] = "bu4";
  }
}

bool IsVariantEntry(const CedictEntry& e) {
  for (const auto& s : e.senses) {
    bool reference = StartsWith(s, "variant of") || StartsWith(s, "old variant of") ||
                     StartsWith(s, "archaic variant of") || StartsWith(s, "erroneous variant of") ||
                     StartsWith(s, "unofficial variant of") || StartsWith(s, "Japanese variant of") ||
                     StartsWith(s, "erhua variant of") || StartsWith(s, "used in ") || StartsWith(s, "see ") ||
                     StartsWith(s, "surname ") || StartsWith(s, "CL:") || StartsWith(s, "abbr. for") ||
                     StartsWith(s, "(old) variant") || StartsWith(s, "(Tw) variant");
    if (!reference && !s.empty()) return false;
  }
  return true;
}

bool IsForeignOrWebOnly(const CedictEntry& e) {
  for (const auto& s : e.senses) {
    bool foreign = Contains(s, "Japan") || Contains(s, "(Tw)") || Contains(s, "Taiwan") ||
                   Contains(s, "(Internet slang)") || Contains(s, "(Internet)") || Contains(s, "(loanword from Japanese") ||
                   Contains(s, "(Cantonese)") || Contains(s, "Hong Kong");
    if (!foreign && !s.empty() && !StartsWith(s, "CL:")) return false;
  }
  return true;
}

bool ChooseReading(const std::vector<CedictEntry>& entries, const std::vector<std::string>& firstReadings,
                   std::vector<std::string>& syllables) {
  const CedictEntry* best = nullptr;
  auto key = [&](const CedictEntry& e) {
    int neutral = 0, agree = 0, senses = 0;
    for (std::size_t i = 0; i < e.syllables.size(); ++i) {
      neutral += e.syllables[i].back() == '5';
      agree += i < firstReadings.size() && firstReadings[i] == e.syllables[i];
    }
    for (const auto& s : e.senses) senses += !s.empty() && !StartsWith(s, "CL:");
    return std::vector<int>{!IsVariantEntry(e), !e.proper, e.syllables[0].back() != '5', senses, neutral, agree};
  };
  std::vector<int> bestKey;
  for (const auto& e : entries) {
    std::vector<int> k = key(e);
    if (!best || k > bestKey) best = &e, bestKey = k;
  }
  if (!best) return false;
  syllables = best->syllables;
  return true;
}

std::vector<std::string> CedictCharacterReadings(const Cedict& cedict, const std::string& ch) {
  std::vector<std::string> out;
  auto c = cedict.find(ch);
  if (c == cedict.end()) return out;
  for (const auto& e : c->second)
    if (!e.proper && !IsVariantEntry(e) && !IsForeignOrWebOnly(e) &&
        std::find(out.begin(), out.end(), e.syllables[0]) == out.end())
      out.push_back(e.syllables[0]);
  return out;
}

void RankReadings(std::vector<Reading>& readings, const std::map<std::string, double>& weight,
                  const std::string& preferred, const ReadingTest& mainland) {
  double total = 0;
  for (const auto& w : weight) {
    auto known = std::find_if(readings.begin(), readings.end(), [&](const Reading& r) { return r.syllable == w.first; });
    // A neutral tone in a word is the word's, unless the character has that reading of its own.
    if (known == readings.end() && (w.second <= 0 || w.first.back() == '5' || (mainland && !mainland(w.first))))
      continue;
    if (known == readings.end()) readings.push_back({w.first, 0.0});
    total += w.second;
  }
  for (auto& r : readings) {
    auto w = weight.find(r.syllable);
    r.percent = total > 0 && w != weight.end() ? 100.0 * w->second / total : 0.0;
  }
  std::stable_sort(readings.begin(), readings.end(), [](const Reading& a, const Reading& b) { return a.percent > b.percent; });
  if (!preferred.empty()) {
    auto at = std::find_if(readings.begin(), readings.end(), [&](const Reading& r) { return r.syllable == preferred; });
    Reading first{preferred, 0.0};
    if (at != readings.end()) first = *at, readings.erase(at);
    readings.insert(readings.begin(), first);
  }
  if (!readings.empty()) readings[0].percent = 100.0;
}

namespace {
std::string SyllableLetters(const std::string& s) { return s.empty() ? s : s.substr(0, s.size() - 1); }
}  // namespace

bool ReadsInWord(const std::vector<std::string>& readings, const std::string& syllable) {
  if (std::find(readings.begin(), readings.end(), syllable) != readings.end()) return true;
  return syllable.back() == '5' && std::any_of(readings.begin(), readings.end(), [&](const std::string& r) {
           return SyllableLetters(r) == SyllableLetters(syllable);
         });
}

std::vector<Reading> KeptReadings(const std::vector<Reading>& ranked, const std::set<std::string>& phraseSyllables,
                                  double minPercent, std::size_t most) {
  if (ranked.empty()) return {};
  std::vector<Reading> all = ranked;
  std::vector<bool> needed(all.size(), false);
  needed[0] = true;
  auto at = [&](const std::string& syl) {
    auto it = std::find_if(all.begin(), all.end(), [&](const Reading& r) { return r.syllable == syl; });
    return std::size_t(it - all.begin());
  };
  auto keptSyllables = [&] {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < all.size(); ++i)
      if (needed[i]) v.push_back(all[i].syllable);
    return v;
  };
  for (const auto& syl : phraseSyllables) {
    if (syl.back() == '5') continue;
    if (at(syl) == all.size()) all.push_back({syl, 0.0}), needed.push_back(false);
    needed[at(syl)] = true;
  }
  // A neutral tone no kept reading spells: the ranked reading spelled alike, or the syllable itself.
  for (const auto& syl : phraseSyllables) {
    if (syl.back() != '5' || ReadsInWord(keptSyllables(), syl)) continue;
    std::size_t i = at(syl);
    for (std::size_t j = 0; i == all.size() && j < all.size(); ++j)
      if (SyllableLetters(all[j].syllable) == SyllableLetters(syl)) i = j;
    if (i == all.size()) all.push_back({syl, 0.0}), needed.push_back(false);
    needed[i] = true;
  }
  std::size_t count = 0;
  for (bool n : needed) count += n;
  std::vector<Reading> kept;
  for (std::size_t i = 0; i < all.size(); ++i) {
    bool common = !needed[i] && all[i].percent >= minPercent && count < most;
    count += common;
    if (needed[i] || common) kept.push_back(all[i]);
  }
  if (kept.size() > most) kept.resize(most);
  return kept;
}
