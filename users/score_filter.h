#pragma once
// Which score records the score query shows and deletes, and how its columns sort.
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

// Empties all nine fields of every record the filter selects; with both
// filters "all" every record goes and ScoreCount becomes 0.
void DeleteScores(TScoreTable& table, const TScoreFilter& filter);


// The text column `column` of the score list shows for a record: 0 the practice
// type, then time, total, accuracy, errors, speed, date, user, article name.
const std::string& ScoreColumnText(const svlScoreSet& record, int column);

// Orders `rows` (numbers into ScoreRecords) by the texts of `column` as
// CompareText orders them (numbers too are compared as text), ascending or
// descending; rows with equal texts keep their order.
void SortScoreRows(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending);

// The records the list shows for `filter`, in the list's own order: by practice
// type, ascending, equal ones in record order.
std::vector<int> ListedScoreRows(const TScoreTable& table, const TScoreFilter& filter);



