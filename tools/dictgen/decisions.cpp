#include "tools/dictgen/decisions.h"

#include <algorithm>
#include <set>
#include "tools/dictgen/gbk.h"
#include "tools/dictgen/sources.h"

namespace {

// The dictionaries cited with a place: their entries are in the standard tables.
const CharacterEntries* EntriesOf(const StandardTables& t, const std::string& dictionary) {
  if (dictionary == "TGHZ2013") return &t.standard;
  if (dictionary == "XHC1983") return &t.xhc;
  if (dictionary == "HDZ") return &t.hdz;
  if (dictionary == "UNIHAN") return &t.mandarin;
  return nullptr;
}

bool IsStandardDictionary(const std::string& dictionary) {
  return dictionary == "TGHZ2013" || dictionary == "XHC1983" || dictionary == "XHC";
}

// Two editions of one dictionary are one dictionary.
std::string Family(const std::string& dictionary) { return dictionary == "XHC1983" ? "XHC" : dictionary; }

bool IsPlace(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789.") == std::string::npos && s.front() != '.' && s.back() != '.';
}

bool ValidSyllables(const std::vector<std::string>& syl, const std::string& text) {
  if (syl.empty() || syl.size() != Utf8Chars(text).size()) return false;
  return std::all_of(syl.begin(), syl.end(), [](const std::string& s) { return !s.empty() && CedictSyllable(s) == s; });
}

std::string Joined(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : " ") + x;
  return s;
}

std::string Letters(const std::string& s) { return s.substr(0, s.size() - 1); }

bool FoundInCedict(const Cedict& cedict, const Citation& c) {
  auto it = cedict.find(c.headword);
  return it != cedict.end() && std::any_of(it->second.begin(), it->second.end(), [&](const CedictEntry& e) {
           return e.syllables == c.syllables && !IsForeignOrWebOnly(e);
         });
}

}  // namespace

bool ParseCitation(const std::string& text, Citation& out) {
  std::vector<std::string> t = Split(text, ' ');
  if (t.size() < 3) return false;
  out = Citation();
  out.dictionary = t[0];
  std::size_t head = 1;
  if (t[0] == "TGHZ2013" || t[0] == "XHC1983" || t[0] == "HDZ") {
    if (!IsPlace(t[1])) return false;
    out.place = t[1];
    head = 2;
  } else if (t[0] != "CC-CEDICT" && t[0] != "XHC" && t[0] != "UNIHAN") {
    return false;
  }
  if (t.size() < head + 2) return false;
  out.headword = t[head];
  out.syllables.assign(t.begin() + long(head) + 1, t.end());
  bool character = Utf8Chars(out.headword).size() == 1;
  return ValidSyllables(out.syllables, out.headword) && (out.place.empty() || character) &&
         (t[0] != "UNIHAN" || character);
}

bool ReadDecisionList(const std::string& path, DecisionList& out, std::vector<std::string>& bad) {
  std::vector<std::string> lines;
  if (!ListLines(path, lines)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    ReadingDecision d;
    bool ok = (f.size() == 3 || f.size() == 4) && !f[2].empty();
    if (ok) {
      d.syllables = Split(f[1], ' ');
      ok = ValidSyllables(d.syllables, f[0]);
      for (std::string c : Split(f[2], ';')) {
        if (!c.empty() && c[0] == ' ') c.erase(0, 1);
        Citation citation;
        ok = ok && ParseCitation(c, citation);
        d.citations.push_back(citation);
      }
      if (f.size() == 4) d.note = f[3];
    }
    if (ok) out[f[0]] = d;
    else bad.push_back(line);
  }
  return true;
}

std::string SourceProblem(const std::string& text, const ReadingDecision& d, const Cedict& cedict,
                          const StandardTables& tables) {
  if (d.citations.empty()) return "no source";
  const std::vector<std::string> chars = Utf8Chars(text);
  std::set<std::string> agreeing;
  bool settled = false, standardAgrees = false, disagrees = false;
  for (const Citation& c : d.citations) {
    const std::string cited = c.dictionary + " " + (c.place.empty() ? "" : c.place + " ") + c.headword + " " + Joined(c.syllables);
    std::vector<std::string> want;
    if (c.headword == text) {
      want = d.syllables;
    } else {
      auto at = std::find(chars.begin(), chars.end(), c.headword);
      if (at == chars.end()) return cited + " is not of " + text + " nor of one of its characters";
      want = {d.syllables[std::size_t(at - chars.begin())]};
    }
    const CharacterEntries* entries = EntriesOf(tables, c.dictionary);
    bool found = entries ? GivesReading(*entries, c.headword, c.syllables[0], c.place)
                         : c.dictionary != "CC-CEDICT" || FoundInCedict(cedict, c);
    if (!found) return cited + " is not in the dictionary's data";
    // A character's neutral tone within a word is the word's own (孩子 zi5 of 子 zi3).
    bool agrees = c.syllables == want || (c.headword != text && want[0].back() == '5' &&
                                          Letters(want[0]) == Letters(c.syllables[0]));
    if (!agrees) {
      disagrees = true;
      continue;
    }
    agreeing.insert(Family(c.dictionary));
    settled = settled || c.headword == text;
    standardAgrees = standardAgrees || IsStandardDictionary(c.dictionary);
  }
  if (!settled) return "no source gives " + text + " " + Joined(d.syllables);
  if (agreeing.size() < 2 && d.note.empty()) return "no second dictionary agrees, and no note says why";
  if (disagrees && (!standardAgrees || d.note.empty()))
    return "a source reads it otherwise: take a standard dictionary's reading and say so in the note";
  return "";
}
