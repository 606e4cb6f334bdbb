#pragma once
// Which score records the score query shows and deletes.
#include <string>
#include <vector>

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

// How many records the query lists for `filter`.
int CountListedScores(const TScoreTable& table, const TScoreFilter& filter);

// Empties all nine fields of every record the filter selects; with both
// filters "all" every record goes and ScoreCount becomes 0. Returns how many
// listed records went.
int DeleteScores(TScoreTable& table, const TScoreFilter& filter);

// The records the list shows for `filter`, in the list's own order: by practice
// type, ascending, equal ones in record order.
std::vector<int> ListedScoreRows(const TScoreTable& table, const TScoreFilter& filter);
