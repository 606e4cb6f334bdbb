#pragma once
// How the score list's columns sort: the counts, the accuracy and the speed by
// their numbers, the time used as a duration, the date as a date, the practice
// type, the user and the article name as text.
#include <string>
#include <vector>

#include "practice/data/score.h"

// The text column `column` of the score list shows for a record: 0 the practice
// type, then time, total, accuracy, errors, speed, date, user, article name.
const std::string& ScoreColumnText(const svlScoreSet& record, int column);

enum class TScoreSortKey { Text, Number, Duration, Date };
TScoreSortKey ScoreColumnSortKey(int column);

// The number a text starts with: "120字/分" 120, "95.5%" 95.5, ".5%" 0.5; "%"
// alone (an accuracy of 0 as older files write it) is 0. False when no number
// leads.
bool ParseScoreNumber(const std::string& text, double& value);
// "h:m:s" in seconds; false for any other text.
bool ParseScoreDuration(const std::string& text, long long& seconds);
// "2026年12月9日5时31分 星期三" as a number that orders dates by year, month,
// day, hour and minute (what follows the minutes is not read); false when the
// text does not start with such a date.
bool ParseScoreDate(const std::string& text, long long& key);

// Orders `rows` (numbers into ScoreRecords) by `column`: first the rows whose
// text gives a key (ScoreColumnSortKey), by key, then the others as CompareText
// orders their texts; descending is the reverse. Rows that compare equal keep
// their order. Each key is parsed once, not per comparison.
void SortScoreRows(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending);
