#include "users/query/score_filter.h"

#include <algorithm>

#include "users/query/score_sort.h"

namespace {
bool Selected(const svlScoreSet& r, const TScoreFilter& f) {
  return (f.AllUsers || r.User == f.User) && (f.AllTypes || r.PracticeType == f.PracticeType);
}

int HeldCount(const TScoreTable& table) {
  return std::min<int>(table.ScoreCount, static_cast<int>(table.ScoreRecords.size()) - 1);
}
}  // namespace

bool ScoreListed(const svlScoreSet& record, const TScoreFilter& filter) {
  return !record.User.empty() && Selected(record, filter);
}

int CountListedScores(const TScoreTable& table, const TScoreFilter& filter) {
  int count = 0;
  for (int j = 1; j <= HeldCount(table); ++j)
    if (ScoreListed(table.ScoreRecords[static_cast<std::size_t>(j)], filter)) ++count;
  return count;
}

int DeleteScores(TScoreTable& table, const TScoreFilter& filter) {
  int deleted = 0;
  for (int j = 1; j <= HeldCount(table); ++j) {
    svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(j)];
    if (!Selected(r, filter)) continue;
    if (!r.User.empty()) ++deleted;
    r = svlScoreSet{};
  }
  if (filter.AllUsers && filter.AllTypes) table.ScoreCount = 0;
  return deleted;
}

std::vector<int> ListedScoreRows(const TScoreTable& table, const TScoreFilter& filter) {
  std::vector<int> rows;
  for (int j = 1; j <= HeldCount(table); ++j)
    if (ScoreListed(table.ScoreRecords[static_cast<std::size_t>(j)], filter)) rows.push_back(j);
  SortScoreRows(rows, table, 0, true);
  return rows;
}
