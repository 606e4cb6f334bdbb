// A practice run: start checks, pause and continue, the clock, the end and its
// score record.
#include "tests/native/rules_fixture.h"

#include <set>

using RunTest = RulesFixture;

TEST_F(RunTest, StartRefusesMissingChoices) {
  struct Case {
    int type, length, article;
    const char* message;
  } cases[] = {
      {-1, 0, 0, "请选择打字类型"},         {0, -1, 0, "请选择测试时间"},
      {-1, -1, -1, "请选择打字类型"},       {19, 0, -1, "请先选择练习的英文文章。"},
      {21, 0, -1, "请先选择练习的拼音文章。"}, {22, 0, -1, "请先选择练习的五笔文章。"},
  };
  for (const Case& c : cases) {
    TFeedback fb = session.Button1Click({c.type, c.length, c.article, ""});
    EXPECT_EQ(fb.Message, c.message) << c.type;
    EXPECT_EQ(screen().Phase, TRunPhase::Idle);
    EXPECT_FALSE(screen().Timer1);
    EXPECT_EQ(screen().Button1Caption, "开始");
  }
  // The digit article needs no file; a chosen article passes the check.
  EXPECT_EQ(session.Button1Click({20, 0, -1, ""}).Action, TWindowAction::PrepareArticle);
  EXPECT_EQ(screen().Button1Caption, "暂停");
  session.Button2Click();
  TFeedback fb = session.Button1Click({22, 0, 2, "3.春晓"});
  EXPECT_TRUE(fb.Message.empty());
  EXPECT_EQ(fb.Action, TWindowAction::PrepareArticle);
  EXPECT_EQ(TestLengthOfItem(0), 60);
  EXPECT_EQ(TestLengthOfItem(4), 3600);
}

TEST_F(RunTest, ScoreRecordFromOneMinuteOn) {
  for (int seconds : {59, 60}) {
    int before = scores.ScoreCount;
    Start(1);
    Ticks(seconds);
    Esc(0, true);
    EXPECT_EQ(screen().Phase, TRunPhase::Idle);
    EXPECT_EQ(scores.ScoreCount - before, seconds >= 60 ? 1 : 0) << seconds;
  }
}

TEST_F(RunTest, EndedRunRecordsItsTotals) {
  random.Queue({7, 7, 7});  // each hit on "a" draws "h"
  Start(1);
  Press('a');  // hit
  Press('x');  // miss
  Ticks(1);
  Press('b');  // hit
  Press('c');  // hit
  Ticks(124);
  Esc(kCtrlBit | kShiftBit, true);  // not Shift alone: ends
  ASSERT_EQ(scores.ScoreCount, 1);
  const svlScoreSet& r = scores.ScoreRecords[1];
  EXPECT_EQ(r.User, "bob");
  EXPECT_EQ(r.PracticeType, "英文(小)");
  EXPECT_EQ(r.TimeUsed, "0:2:5");
  EXPECT_EQ(r.Total, "4字");
  EXPECT_EQ(r.AccuracyText, "75%");
  EXPECT_EQ(r.Errors, "1");
  EXPECT_EQ(r.Speed, "2字/分");  // 4 / 125 s * 60 = 1.92
  EXPECT_EQ(r.DateText, "2026年12月9日6时30分 星期三");
  EXPECT_EQ(r.Article, "");
  EXPECT_EQ(screen().Label6, "英文(小)练习,总数:4 正确率:75% 错误:1 速度:2字/分 用时:0:2:5");
  EXPECT_EQ(counters().ElapsedSeconds, 0);
}

TEST_F(RunTest, StatisticsLineWithNothingTyped) {
  Start(0);
  Ticks(1);
  EXPECT_EQ(screen().Label7, "总数:0 正确率:% 错误:0 速度:0字/分 用时:0:0:1");
  Esc(0, true);
  EXPECT_EQ(screen().Label6, "英文(大)练习,总数:0 正确率:% 错误:0 速度:0字/分 用时:0:0:1");
  // Captions that end in 练习 take no second one.
  Start(2);
  Ticks(3599);
  Esc(0, true);
  EXPECT_EQ(screen().Label6, "数字练习总数:0 正确率:% 错误:0 速度:0字/分 用时:0:59:59");
  // A run ended before its first tick does not report the last run's figures.
  Start(0);
  Esc(0, true);
  EXPECT_EQ(screen().Label6, "英文(大)练习,总数:0 正确率:% 错误:0 速度:0字/分 用时:0:0:0");
}

TEST_F(RunTest, ClockEndsTheRunAtItsLength) {
  Start(0, {}, 0);
  Ticks(59);
  EXPECT_EQ(screen().Phase, TRunPhase::Running);
  session.Timer1Timer();
  EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  EXPECT_FALSE(screen().Timer1);
  EXPECT_EQ(scores.ScoreCount, 1);
  EXPECT_EQ(scores.ScoreRecords[1].TimeUsed, "0:1:0");
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(screen().Big[i].Caption, "完");
  EXPECT_EQ(screen().Button1Caption, "开始");
  // A late tick of the stopped clock changes nothing.
  session.Timer1Timer();
  EXPECT_EQ(counters().ElapsedSeconds, 0);
  EXPECT_EQ(scores.ScoreCount, 1);
}

TEST_F(RunTest, ArticleTypesCountCharacters) {
  struct Case {
    int type, typed, wrong, total, errors;
    const char* accuracy;
  } cases[] = {{21, 7, 3, 3, 1, "66.67%"}, {22, 4, 0, 2, 0, "100%"}, {19, 7, 3, 7, 3, "57.14%"}};
  for (const Case& c : cases) {
    session.Button1Click({c.type, 4, 0, "1.a"});
    TArticleCounters& a = session.ArticleCounters();
    a.ArticleTypedBytes = c.typed - 1;
    a.RowTypedBytes = 1;
    a.ArticleErrorBytes = c.wrong;
    a.CorrectionKeys = 2;
    session.Timer1Timer();
    EXPECT_EQ(counters().TotalCount, c.total);
    EXPECT_EQ(counters().ErrorCount, c.errors);
    EXPECT_EQ(screen().Label7, "总数:" + std::to_string(c.total) + " 正确率:" + c.accuracy + " 错误:" +
                                   std::to_string(c.errors) + " 回退:2 速度:" + std::to_string(c.total * 60) +
                                   "字/分 用时:0:0:1");
    session.Button2Click();
  }
}

TEST_F(RunTest, PauseAndContinue) {
  struct Case {
    int type;
    bool keyPreview, focusEdit1, timer7;
  } cases[] = {{1, true, false, false}, {3, false, true, false}, {17, false, false, true}};
  for (const Case& c : cases) {
    Start(c.type);
    Ticks(2);
    TFeedback fb = Esc(kShiftBit, c.type != 3);
    EXPECT_EQ(screen().Phase, TRunPhase::Paused);
    EXPECT_EQ(screen().Button1Caption, "继续");
    EXPECT_EQ(fb.Music, TMusicRequest::Pause);
    EXPECT_FALSE(screen().Timer1);
    EXPECT_FALSE(screen().Timer7);
    EXPECT_FALSE(screen().Edit1Enabled);
    if (c.type != 17) {
      EXPECT_EQ(screen().Big[1].Caption, "完");
    }
    session.Timer1Timer();  // a stopped clock
    EXPECT_EQ(counters().ElapsedSeconds, 2);

    fb = Esc(kShiftBit, true);
    EXPECT_EQ(screen().Phase, TRunPhase::Running) << c.type;
    EXPECT_EQ(screen().Button1Caption, "暂停");
    EXPECT_EQ(fb.Music, TMusicRequest::Resume);
    EXPECT_EQ(screen().KeyPreview, c.keyPreview) << c.type;
    EXPECT_EQ(fb.FocusEdit1, c.focusEdit1) << c.type;
    EXPECT_EQ(screen().Timer7, c.timer7) << c.type;
    EXPECT_TRUE(screen().Timer1);
    EXPECT_TRUE(screen().Edit1Enabled);
    if (c.type != 17) {
      EXPECT_NE(screen().Big[1].Caption, "完") << "the items come back";
    }
    session.Timer1Timer();
    EXPECT_EQ(counters().ElapsedSeconds, 3);
    Esc(0);
    EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  }
  // Esc while no run goes does nothing.
  unsigned short vk = kVkEscape;
  EXPECT_EQ(session.FormKeyDown(vk, 0).Action, TWindowAction::None);
  EXPECT_EQ(vk, kVkEscape);
}

TEST_F(RunTest, EndStopsFlashAndSpeechTimers) {
  Start(6, {0, 1});
  EXPECT_TRUE(screen().Timer8);
  Keys("zhongguo ");
  EXPECT_TRUE(screen().Flash[1]);
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Red);
  session.Button2Click();
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(screen().Flash[i]);
  EXPECT_FALSE(screen().Timer8);
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Highlight);
  // Messages already queued do nothing.
  TFeedback fb = session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "完");
  EXPECT_TRUE(fb.Pronounce.empty());
  EXPECT_TRUE(session.Timer8Timer().Pronounce.empty());
}

TEST_F(RunTest, FailedDrawLeavesTheIdleScreen) {
  EXPECT_THROW(Start(9, {2}), EItemDrawError);
  EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  EXPECT_FALSE(screen().Timer1);
  EXPECT_EQ(screen().Button1Caption, "开始");
}

TEST(RulesRandom, DrawsWithinOneTickDiffer) {
  TSystemRandom a;
  std::set<int> seen;
  for (int i = 0; i < 4; ++i) seen.insert(a.Random(3300));
  EXPECT_GT(seen.size(), 1u);
  for (int i = 0; i < 1000; ++i) {
    int v = a.Random(26);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 26);
  }
  EXPECT_EQ(a.Random(0), 0);
}
