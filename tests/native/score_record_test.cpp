#include <gtest/gtest.h>

#include "practice/data/score.h"

TEST(ScoreRecord, Parts) {
  for (auto c : {std::make_pair(59, "0:0:59"), {125, "0:2:5"}, {300, "0:5:0"}, {3661, "1:1:1"}})
    EXPECT_EQ(ScoreTimeText(c.first), c.second);
  EXPECT_EQ(ScoreSpeed(8, 64), 8);    // 7.5 rounds to even
  EXPECT_EQ(ScoreSpeed(24, 64), 22);  // 22.5 rounds to even
  EXPECT_EQ(ScoreSpeed(10, 0), 0);
  EXPECT_EQ(ScoreDateText({2026, 12, 9, 5, 31, 3}), "2026年12月9日5时31分 星期三");
  EXPECT_EQ(ScoreDateText({2020, 8, 16, 0, 5, 0}), "2020年8月16日0时5分 星期日");
  EXPECT_EQ(ScoreArticleName(19, "3.my.story"), "my.story");
  EXPECT_EQ(ScoreArticleName(21, "静夜思"), "静夜思");
  EXPECT_EQ(ScoreArticleName(20, "1.digits"), "");
}

TEST(ScoreRecord, FromAFinishedRun) {
  TFinishedRun run;
  run.User = "bob";
  run.PracticeType = 22;
  run.TypeCaption = "五笔文章";
  run.ElapsedSeconds = 125;
  run.TotalCount = 250;
  run.Accuracy = 95.5;
  run.ErrorCount = 11;
  run.ArticleChoice = "2.春晓";
  run.EndTime = {2026, 12, 9, 5, 31, 3};
  svlScoreSet r = MakeScoreRecord(run);
  svlScoreSet want{"bob", "五笔文章", "0:2:5",  "250字", "95.5%",
                   "11",  "120字/分", "2026年12月9日5时31分 星期三", "春晓"};
  EXPECT_EQ(FormatScoreLine(r), FormatScoreLine(want));

  run.Accuracy = 0;
  run.TotalCount = 0;
  run.PracticeType = 3;
  r = MakeScoreRecord(run);
  EXPECT_EQ(r.AccuracyText, "0%") << "a number, never a blank";
  const struct {
    double accuracy;
    const char* text;
  } shown[] = {{0.5, "0.5%"}, {0.004, "0%"}, {99.996, "100%"}, {100, "100%"}, {66.666, "66.67%"}, {7.25, "7.25%"}};
  for (const auto& c : shown) {
    run.Accuracy = c.accuracy;
    EXPECT_EQ(MakeScoreRecord(run).AccuracyText, c.text) << c.accuracy;
  }
  EXPECT_EQ(r.Speed, "0字/分");
  EXPECT_EQ(r.Article, "");
}
