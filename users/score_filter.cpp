#include "users/score_filter.h"

#include "toolkit/base/sysutils.h"

namespace {
bool Selected(const svlScoreSet& r, const TScoreFilter& f) {
  return (f.AllUsers || r.User == f.User) && (f.AllTypes || r.PracticeType == f.PracticeType);
}
}  // namespace

bool ScoreListed(const svlScoreSet& record, const TScoreFilter& filter) {
  return !record.User.empty() && Selected(record, filter);
}

void DeleteScores(TScoreTable& table, const TScoreFilter& filter) {
  for (int j = 1; j <= table.ScoreCount; ++j) {
    svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(j)];
    if (Selected(r, filter)) r = svlScoreSet{};
  }
  if (filter.AllUsers && filter.AllTypes) table.ScoreCount = 0;
}

int CompareScoreTexts(const std::string& a, const std::string& b, bool ascending) {
  const int c = CompareText(a, b);
  return ascending ? c : -c;
}
