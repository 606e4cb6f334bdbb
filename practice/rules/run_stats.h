#pragma once
// The counters of one run, the clock's statistics and the run's score record.
#include <string>

#include "practice/data/score.h"

// Counters of the article rows (kept by the article code, read by the clock),
// in the article's units: bytes in 英文文章 and 数字文章, characters in 拼音文章
// and 五笔文章.
struct TArticleCounters {
  int ArticleTyped = 0, ArticleErrors = 0;  // finished rows
  int RowTyped = 0, RowErrors = 0;          // the row being typed
  int CorrectionKeys = 0;                   // Backspace and Delete presses
};

struct TRunCounters {
  int TestLength = 0;  // seconds
  int ElapsedSeconds = 0;  // the clock's ticks
  int KeyHits = 0;     // types 0-2, 17, 18
  int CodeHits = 0;    // types 3-16
  int ErrorCount = 0;
  int TotalCount = 0;
  double Accuracy = 0;  // percent
  int PausedType = -1;
};

// The time a run has been running, measured by a clock that never goes back
// (seconds from any fixed point): from its start to now, less its pauses.
class TRunningTime {
public:
  void Start(double now);
  void Pause(double now);
  void Continue(double now);
  double Seconds(double now) const;

private:
  double before_ = 0;  // up to the last pause
  double since_ = 0;   // the last start or continue
  bool running_ = false;
};

// Seconds from a fixed point on the system's steady clock.
double SteadySeconds();

// Recomputes TotalCount, Accuracy (and ErrorCount for the article types) for
// practice type `type` from the hits or the article counters.
void UpdateStatistics(int type, TRunCounters& c, const TArticleCounters& a);

// "总数:.. 正确率:..% 错误:.. [回退:.. ]速度:..字/分 用时:h:m:s" after `seconds`
// (the speed from them, the time used in whole seconds).
std::string StatisticsLine(int type, const TRunCounters& c, const TArticleCounters& a, double seconds);

// Label6 after a run: the caption + "练习," + the statistics (types 2 and 12,
// whose captions end in 练习, without "练习,").
std::string ResultLine(int type, const std::string& statistics);

// A run that was used for `seconds` leaves a score record from one minute on.
inline bool RunLeavesRecord(double seconds) { return seconds >= 60; }

// The local time now, as a score record's date needs it.
TScoreTime LocalScoreTime();
