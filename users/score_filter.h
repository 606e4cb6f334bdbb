#pragma once
// Which score records the score query shows and deletes, and how its columns sort.
#include <string>

#include "practice/data/score.h"

// A filter is "all" or one exact value (case-sensitive, whole text).
struct TScoreFilter {
  bool AllUsers = true;
  std::string User;
  bool AllTypes = true;
  std::string PracticeType;
};

// A record the query lists: it matches the filter and has a user (a record
// without one is deleted).
bool ScoreListed(const svlScoreSet& record, const TScoreFilter& filter);

// Empties all nine fields of every record the filter selects; with both
// filters "all" every record goes and ScoreCount becomes 0.
void DeleteScores(TScoreTable& table, const TScoreFilter& filter);

// CompareText of two column texts, negated for a descending sort.
int CompareScoreTexts(const std::string& a, const std::string& b, bool ascending);
