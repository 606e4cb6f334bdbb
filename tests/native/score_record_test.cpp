#include <gtest/gtest.h>

#include <string>

#include "practice/data/score.h"

TEST(ScoreRecord, TimeAndSpeed) {
  struct Case {
    int seconds;
    const char* time;
  } times[] = {{0, "0:0:0"}, {59, "0:0:59"}, {125, "0:2:5"}, {300, "0:5:0"}, {3661, "1:1:1"}, {36000, "10:0:0"}};
  for (const Case& c : times) EXPECT_EQ(ScoreTimeText(c.seconds), c.time);

  EXPECT_EQ(ScoreSpeed(125, 60), 125);
  EXPECT_EQ(ScoreSpeed(8, 64), 8);    // 7.5 rounds to even
  EXPECT_EQ(ScoreSpeed(24, 64), 22);  // 22.5 rounds to even
  EXPECT_EQ(ScoreSpeed(10, 0), 0);
}

TEST(ScoreRecord, DateAndArticle) {
  EXPECT_EQ(ScoreDateText({2026, 12, 9, 5, 31, 3}), "2026年12月9日5时31分 星期三");
  EXPECT_EQ(ScoreDateText({2020, 8, 15, 23, 0, 6}), "2020年8月15日23时0分 星期六");
  EXPECT_EQ(ScoreDateText({2020, 8, 16, 0, 5, 0}), "2020年8月16日0时5分 星期日");

  EXPECT_EQ(ScoreArticleName(19, "3.my.story"), "my.story");
  EXPECT_EQ(ScoreArticleName(21, "静夜思"), "静夜思");
  EXPECT_EQ(ScoreArticleName(22, "12.春晓"), "春晓");
  EXPECT_EQ(ScoreArticleName(20, "1.digits"), "");
  EXPECT_EQ(ScoreArticleName(0, "1.x"), "");
}

TEST(ScoreRecord, FromAFinishedRun) {
  TFinishedRun run;
  run.User = "bob";
  run.PracticeType = 19;
  run.TypeCaption = "英文文章";
  run.ElapsedSeconds = 125;
  run.TotalCount = 250;
  run.Accuracy = 95.5;
  run.ErrorCount = 11;
  run.ArticleChoice = "2.fox";
  run.EndTime = {2026, 12, 9, 5, 31, 3};
  svlScoreSet r = MakeScoreRecord(run);
  EXPECT_EQ(r.User, "bob");
  EXPECT_EQ(r.PracticeType, "英文文章");
  EXPECT_EQ(r.TimeUsed, "0:2:5");
  EXPECT_EQ(r.Total, "250字");
  EXPECT_EQ(r.AccuracyText, "95.5%");
  EXPECT_EQ(r.Errors, "11");
  EXPECT_EQ(r.Speed, "120字/分");
  EXPECT_EQ(r.DateText, "2026年12月9日5时31分 星期三");
  EXPECT_EQ(r.Article, "fox");

  run.Accuracy = 0;
  run.TotalCount = 0;
  run.PracticeType = 3;
  EXPECT_EQ(MakeScoreRecord(run).AccuracyText, "%");
  EXPECT_EQ(MakeScoreRecord(run).Speed, "0字/分");
  EXPECT_EQ(MakeScoreRecord(run).Article, "");
}
