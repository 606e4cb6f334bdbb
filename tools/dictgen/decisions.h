#pragma once
// Readings decided by hand (data/dict/first-readings.txt, word-readings.txt),
// each with its sources:
//   text<TAB>syllables<TAB>citations[<TAB>note]
// Citations are separated by "; ", each "DICTIONARY [PLACE] HEADWORD SYLLABLES":
//   TGHZ2013 038.110 长 chang2   the 2013 standard character dictionary's entry (page.position)
//   XHC1983 0121.040 长 chang2   Xiandai Hanyu Cidian's entry (1983 edition, page.position)
//   HDZ 10306.150 凵 kan3        Hanyu Da Zidian's entry (volume, page.position)
//   CC-CEDICT 局长 ju2 zhang3     a CC-CEDICT entry
//   UNIHAN 阝 fu4                  the Unicode Han database's customary reading
//   XHC 薄膜 bao2 mo2             a word of Xiandai Hanyu Cidian's current edition (checked by hand)
// The note says why the decision stands where the sources disagree or only one gives it.
#include <map>
#include <string>
#include <vector>

#include "tools/dictgen/mainland.h"
#include "tools/dictgen/standard.h"

struct Citation {
  std::string dictionary, place, headword;
  std::vector<std::string> syllables;
};
struct ReadingDecision {
  std::vector<std::string> syllables;
  std::vector<Citation> citations;
  std::string note;
};
using DecisionList = std::map<std::string, ReadingDecision>;  // text -> decision

// "TGHZ2013 038.110 长 chang2" -> a citation; false when it is not of that form.
bool ParseCitation(const std::string& text, Citation& out);
// False when the file cannot be read; a line that is not a decision with
// well-formed citations is named in `bad` (its text, or the line).
bool ReadDecisionList(const std::string& path, DecisionList& out, std::vector<std::string>& bad);

// What is wrong with the sources of the decision on `text` (empty when nothing):
// every citation must be found where the data of its dictionary is at hand; one
// must give the whole text the decided reading, and a second dictionary must
// agree (a character's reading within a word's counts; a note stands in for it
// where no second dictionary lists the text); where a cited source gives
// another reading, a standard dictionary (TGHZ2013, XHC1983, XHC) must give the
// decided one and the note must say so.
std::string SourceProblem(const std::string& text, const ReadingDecision& d, const Cedict& cedict,
                          const StandardTables& tables);
