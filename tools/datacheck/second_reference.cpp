#include "tools/datacheck/second_reference.h"

#include <iostream>
#include "practice/data/dict_parse.h"
#include "tools/datacheck/file_views.h"
#include "tools/dictgen/gbk.h"

namespace {

// How one check went: entries compared, and how each was judged.
struct Tally {
  const char* name;
  int compared = 0, same = 0, neutral = 0, citation = 0, decided = 0, differ = 0;
  int forReference = 0;  // of those agreeing, the ones a hand decision made so
  void Print() const {
    std::cout << "  " << name << ": " << compared << " compared, " << same << " agree";
    if (forReference) std::cout << " (" << forReference << " decided by hand for the reference)";
    if (neutral) std::cout << ", " << neutral << " by the neutral-tone rule";
    if (citation) std::cout << ", " << citation << " by the 一/不 rule";
    std::cout << ", " << decided << " decided by hand for the files, " << differ << " undecided\n";
  }
};

std::string Joined(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : " ") + x;
  return s;
}

// One difference: accepted when the list decides the item as the files have it.
void Judge(Tally& t, bool decidedSo, const std::string& where, const std::string& files, const std::string& reference,
           const char* listName, const ProblemSink& problem) {
  if (decidedSo) {
    ++t.decided;
    return;
  }
  ++t.differ;
  problem(where, "the files give " + files + ", the reference " + reference + ": decide it in data/dict/" + listName);
}

// A decision the files do not carry is a generator fault.
void CheckCarried(const std::map<std::string, std::string>& files, const std::map<std::string, std::string>& list,
                  const std::string& what, const char* listName, const ProblemSink& problem) {
  for (const auto& kv : list) {
    auto f = files.find(kv.first);
    if (f != files.end() && f->second != kv.second)
      problem(what + kv.first, "the files give " + f->second + ", data/dict/" + listName + " " + kv.second);
  }
}

std::map<std::string, std::string> JoinedList(const ReadingList& list) {
  std::map<std::string, std::string> out;
  for (const auto& kv : list) out[kv.first] = Joined(kv.second);
  return out;
}

}  // namespace

void CompareWithWubiReference(const WubiReference& ref, const WubiDecisions& decided, const TDictionaries& d,
                              const ProblemSink& problem) {
  std::cout << "datacheck: Wubi codes against the second Wubi 86 table\n";
  Tally full{"full codes"}, level1{"level-1 codes"}, level2{"level-2 codes"}, phrases{"listed phrase codes"};
  const char* list = "wubi-codes.txt";
  std::map<std::string, std::string> fullCodes;
  for (int r = 1; r <= d.WbOneTable.Count(); ++r) fullCodes.emplace(Utf8(d.WbOneTable[r].Character), d.WbOneTable[r].Codes[1]);
  for (const auto& kv : fullCodes) {
    if (!ref.codesOf.count(kv.first)) continue;
    ++full.compared;
    if (FullCodeAgrees(ref, kv.first, kv.second)) ++full.same, full.forReference += decided.fullCode.count(kv.first) > 0;
    else Judge(full, decided.fullCode.count(kv.first) && decided.fullCode.at(kv.first) == kv.second,
               "full code of " + kv.first, kv.second, Joined(ref.codesOf.at(kv.first)), list, problem);
  }
  CheckCarried(fullCodes, decided.fullCode, "full code of ", list, problem);

  // Every one- and two-letter code either side gives a character.
  std::map<std::string, std::string> files;
  for (int k = 0; k < d.Wb1Buffer.Count; ++k) {
    const char* rec = d.Wb1Buffer.Record(k, kWb1RecordSize);
    files[std::string(1, rec[2])] = Utf8(std::string(rec, 2));
  }
  for (int k = 0; k < d.Wb2Buffer.Count; ++k) {
    const char* rec = d.Wb2Buffer.Record(k, kWb2RecordSize);
    files[std::string(rec + 2, 2)] = Utf8(std::string(rec, 2));
  }
  for (const auto& kv : ref.charsOf)
    if (kv.first.size() <= 2 && !ShortCodeCharacter(ref, kv.first).empty()) files.emplace(kv.first, "");
  for (const auto& kv : files) {
    Tally& t = kv.first.size() == 1 ? level1 : level2;
    std::string want = ShortCodeCharacter(ref, kv.first);
    ++t.compared;
    if (want == kv.second) ++t.same, t.forReference += decided.shortCodeChar.count(kv.first) > 0;
    else Judge(t, decided.shortCodeChar.count(kv.first) && decided.shortCodeChar.at(kv.first) == kv.second,
               "short code " + kv.first, kv.second.empty() ? "no character" : kv.second, want, list, problem);
  }
  CheckCarried(files, decided.shortCodeChar, "short code ", list, problem);

  std::map<std::string, std::string> codes = WordCodes(d);
  for (const auto& kv : codes) {
    auto it = ref.codesOf.find(kv.first);
    if (it == ref.codesOf.end()) continue;
    ++phrases.compared;
    if (FullCodeAgrees(ref, kv.first, kv.second)) ++phrases.same;
    else Judge(phrases, false, "code of " + kv.first, kv.second, Joined(it->second), list, problem);
  }
  for (const Tally* t : {&full, &level1, &level2, &phrases}) t->Print();
}

void CompareWithPinyinReference(const PinyinReference& ref, const ReadingDecisions& decided, const TDictionaries& d,
                                const ProblemSink& problem) {
  std::cout << "datacheck: readings against pinyin-pro\n";
  auto compare = [&](Tally& t, const std::map<std::string, std::string>& files, const ReadingList& reference,
                     const ReadingList& decisions, const char* listName, const std::string& what) {
    std::map<std::string, std::string> list = JoinedList(decisions);
    for (const auto& kv : files) {
      auto it = reference.find(kv.first);
      if (it == reference.end()) continue;
      ++t.compared;
      std::vector<std::string> syllables = Split(kv.second, ' ');
      switch (MatchReadings(Utf8Chars(kv.first), syllables, it->second)) {
        case ReadingMatch::Same: ++t.same, t.forReference += list.count(kv.first) > 0; break;
        case ReadingMatch::NeutralTone: ++t.neutral; break;
        case ReadingMatch::CitationTone: ++t.citation; break;
        case ReadingMatch::Differs:
          Judge(t, list.count(kv.first) && list.at(kv.first) == kv.second, what + kv.first, kv.second,
                Joined(it->second), listName, problem);
          break;
      }
    }
    CheckCarried(files, list, what, listName, problem);
  };
  Tally chars{"first readings of characters"}, words{"phrase readings"};
  compare(chars, FirstReadings(d), ref.chars, decided.firstReadings, "first-readings.txt", "first reading of ");
  compare(words, WordReadings(d), ref.words, decided.wordReadings, "word-readings.txt", "reading of ");
  chars.Print();
  words.Print();
}
