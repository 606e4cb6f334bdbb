#pragma once
// Compares the loaded dictionary files with references they were not made
// from: every full, level-1 and level-2 Wubi code and every listed phrase code
// with a second Wubi 86 table, every character's first reading and every
// phrase reading with pinyin-pro. A difference no rule explains must be decided
// in the hand-checked lists (data/dict/), with the files carrying the decision.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "practice/data/dict_load.h"
#include "tools/datacheck/reference_rules.h"
#include "tools/dictgen/sources.h"

using ProblemSink = std::function<void(const std::string& where, const std::string& what)>;
using ReadingList = std::map<std::string, std::vector<std::string>>;  // text -> syllables

void CompareWithWubiReference(const WubiReference& ref, const WubiDecisions& decided, const TDictionaries& d,
                              const ProblemSink& problem);

struct PinyinReference {
  ReadingList chars, words;
};
struct ReadingDecisions {
  ReadingList firstReadings, wordReadings;  // data/dict/first-readings.txt, word-readings.txt
};
void CompareWithPinyinReference(const PinyinReference& ref, const ReadingDecisions& decided, const TDictionaries& d,
                                const ProblemSink& problem);
