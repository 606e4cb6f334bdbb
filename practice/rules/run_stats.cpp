#include "practice/rules/run_stats.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "practice/rules/practice_types.h"
#include "toolkit/base/float_format.h"

void TRunningTime::Start(double now) {
  before_ = 0;
  since_ = now;
  running_ = true;
}

void TRunningTime::Pause(double now) {
  before_ = Seconds(now);
  running_ = false;
}

void TRunningTime::Continue(double now) {
  if (running_) return;
  since_ = now;
  running_ = true;
}

double TRunningTime::Seconds(double now) const { return before_ + (running_ ? std::max(0.0, now - since_) : 0.0); }

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void UpdateStatistics(int type, TRunCounters& c, const TArticleCounters& a) {
  if (IsArticleType(type)) {
    c.TotalCount = a.ArticleTyped + a.RowTyped;
    c.ErrorCount = a.ArticleErrors + a.RowErrors;
    c.Accuracy = c.TotalCount == 0 ? 0 : (c.TotalCount - c.ErrorCount) * 100.0 / c.TotalCount;
    return;
  }
  int hits = IsKeyType(type) ? c.KeyHits : c.CodeHits;
  c.TotalCount = hits + c.ErrorCount;
  c.Accuracy = c.TotalCount == 0 ? 0 : hits * 100.0 / c.TotalCount;
}

std::string StatisticsLine(int type, const TRunCounters& c, const TArticleCounters& a, double seconds) {
  std::string line = "总数:" + std::to_string(c.TotalCount) + " 正确率:" + AccuracyText(c.Accuracy) +
                     " 错误:" + std::to_string(c.ErrorCount);
  if (IsArticleType(type)) line += " 回退:" + std::to_string(a.CorrectionKeys);
  line += " 速度:" + std::to_string(ScoreSpeed(c.TotalCount, seconds)) + "字/分 用时:" +
          ScoreTimeText(static_cast<int>(seconds));
  return line;
}

std::string ResultLine(int type, const std::string& statistics) {
  std::string caption = PracticeTypeCaption(type);
  if (type == 2 || type == 12) return caption + statistics;
  return caption + "练习," + statistics;
}

TScoreTime LocalScoreTime() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_wday};
}
