#include "tools/datacheck/reading_rules.h"

#include <algorithm>
#include <iostream>
#include <set>
#include "tools/datacheck/file_views.h"
#include "tools/dictgen/gbk.h"

namespace {

// Characters of a drill table in the order they first appear.
template <class Table>
std::vector<std::string> CharactersOf(const Table& table, int from = 1) {
  std::vector<std::string> out;
  std::set<std::string> seen;
  for (int r = from; r <= table.Count(); ++r) {
    std::string ch = Utf8(table[r].Character);
    if (seen.insert(ch).second) out.push_back(ch);
  }
  return out;
}

// The drill set against the common characters in wbOne's (frequency) order.
void CheckDrillSet(const char* file, const std::vector<std::string>& drilled, bool inOrder,
                   const std::vector<std::string>& commonByFrequency, const StandardTables& tables,
                   const ProblemSink& problem) {
  int outside = 0;
  for (const auto& ch : drilled)
    if (!IsCommonCharacter(tables, ch)) ++outside, problem(file, ch + " is not one of the 3,500 common characters");
  std::set<std::string> held(drilled.begin(), drilled.end());
  std::size_t cut = 0;
  for (std::size_t i = 0; i < commonByFrequency.size(); ++i)
    if (held.count(commonByFrequency[i])) cut = i + 1;
  int skipped = 0;
  for (std::size_t i = 0; i < cut; ++i)
    if (!held.count(commonByFrequency[i]))
      ++skipped, problem(file, commonByFrequency[i] + " is skipped, though less frequent common characters are drilled");
  if (inOrder && std::vector<std::string>(commonByFrequency.begin(), commonByFrequency.begin() + long(cut)) != drilled)
    problem(file, "the characters are not in frequency order");
  std::cout << "  " << file << ": " << drilled.size() << " characters compared with the 3,500, " << outside
            << " outside, " << skipped << " skipped inside the cut (the " << cut << " most frequent)\n";
}

}  // namespace

void CheckDrillSets(const StandardTables& tables, const TDictionaries& d, const ProblemSink& problem) {
  std::cout << "datacheck: drill sets against the 3,500 common characters\n";
  std::vector<std::string> common;
  for (int r = 1; r <= d.WbOneTable.Count(); ++r) {
    std::string ch = Utf8(d.WbOneTable[r].Character);
    if (IsCommonCharacter(tables, ch)) common.push_back(ch);
  }
  CheckDrillSet("wbs.dat", CharactersOf(d.WbsTable), true, common, tables, problem);
  // The groups of records 1-40 stand first, whatever their characters' rank.
  std::vector<std::string> pys = CharactersOf(d.PYsTable);
  CheckDrillSet("PYs.dat", pys, false, common, tables, problem);
}

void CheckReadingsOfCharacters(const StandardTables& tables, const Cedict& cedict, const DecisionList& firstReadings,
                               const TDictionaries& d, const ProblemSink& problem) {
  std::cout << "datacheck: readings of characters\n";
  const auto one = ReadingsOf(d.PYOneTable), drill = ReadingsOf(d.PYsTable);
  int phraseReadings = 0, missing = 0;
  for (const auto& kv : WordReadings(d)) {
    std::vector<std::string> chars = Utf8Chars(kv.first), syl = Split(kv.second, ' ');
    for (std::size_t i = 0; i < chars.size() && i < syl.size(); ++i) {
      ++phraseReadings;
      auto it = one.find(chars[i]);
      if (it == one.end() || !ReadsInWord(it->second, syl[i]))
        ++missing, problem("PYOne.dat", chars[i] + " lacks " + syl[i] + ", its reading in " + kv.first);
    }
  }
  int drillDiffer = 0;
  for (const auto& kv : drill) {
    auto it = one.find(kv.first);
    std::vector<std::string> a = kv.second, b = it == one.end() ? std::vector<std::string>{} : it->second;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b) ++drillDiffer, problem("PYs.dat", kv.first + " is drilled with other readings than PYOne.dat gives it");
  }
  int readings = 0, notMainland = 0;
  for (const auto& kv : one) {
    auto decided = firstReadings.find(kv.first);
    for (const auto& syl : kv.second) {
      ++readings;
      bool first = syl == kv.second[0];
      if (IsMainlandReading(tables, cedict, kv.first, syl) ||
          (first && decided != firstReadings.end() && decided->second.syllables[0] == syl) ||
          (first && IsReadingOfUnlistedCharacter(tables, cedict, kv.first, syl)))
        continue;
      ++notMainland;
      problem("PYOne.dat", kv.first + " " + syl + " is given by no mainland dictionary");
    }
  }
  std::cout << "  " << phraseReadings << " phrase readings of characters, " << missing << " missing from PYOne.dat; "
            << drill.size() << " drill characters, " << drillDiffer << " with other readings in PYs.dat; " << readings
            << " readings in PYOne.dat, " << notMainland << " given by no mainland dictionary\n";
}

void CheckDecisionSources(const std::string& listName, const DecisionList& list, const std::vector<std::string>& bad,
                          const Cedict& cedict, const StandardTables& tables, const ProblemSink& problem) {
  for (const auto& line : bad) problem(listName, "not a decision with its sources: " + line);
  int noted = 0, faulty = 0;
  for (const auto& kv : list) {
    std::string what = SourceProblem(kv.first, kv.second, cedict, tables);
    noted += !kv.second.note.empty();
    if (!what.empty()) ++faulty, problem(listName + " " + kv.first, what);
  }
  std::cout << "  " << listName << ": " << list.size() + bad.size() << " decisions, " << bad.size() + faulty
            << " without sources that hold, " << noted << " with a note\n";
}
