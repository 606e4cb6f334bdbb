// A practice run: start checks, pause and continue, the clock, the end and its
// score record.
#include "tests/native/rules_fixture.h"

#include <set>

using RunTest = RulesFixture;

TEST_F(RunTest, StartRefusesMissingChoices) {
  struct Case {
    int type, length, article;
    const char* message;
  } cases[] = {{-1, -1, 0, "请选择打字类型"},         {0, -1, 0, "请选择测试时间"},
               {19, 0, -1, "请先选择练习的英文文章。"}, {21, 0, -1, "请先选择练习的拼音文章。"},
               {22, 0, -1, "请先选择练习的五笔文章。"}, {20, 0, -1, ""}, {22, 0, 2, ""}};
  for (const Case& c : cases) {
    TFeedback fb = session.Button1Click({c.type, c.length, c.article, ""});
    EXPECT_EQ(fb.Message, c.message) << c.type;
    EXPECT_EQ(screen().Timer1, fb.Message.empty());
    if (!fb.Message.empty()) {
      EXPECT_EQ(fb.Action, TWindowAction::None);
    }
    session.Button2Click();
  }
}

TEST_F(RunTest, IdleScreenIsTheWindowsOwnUntilTheFirstStart) {
  EXPECT_FALSE(screen().RunStarted);
  Press('q');
  EXPECT_FALSE(screen().RunStarted);
  TFeedback fb = Start(1);
  EXPECT_TRUE(screen().RunStarted);
  EXPECT_TRUE(fb.SetEdit1Text && fb.Edit1Text.empty()) << "the start empties the answer box";
  Esc(0, true);
  EXPECT_TRUE(screen().RunStarted) << "after a run the window shows the session's screen";
}

TEST_F(RunTest, ScoreRecordFromOneMinuteOn) {
  for (int seconds : {59, 60}) {
    int before = scores.ScoreCount;
    Start(1);
    Ticks(seconds);
    TFeedback fb = Esc(0, true);
    EXPECT_EQ(scores.ScoreCount - before, seconds >= 60 ? 1 : 0) << seconds;
    EXPECT_EQ(fb.ScoreAppended, seconds >= 60) << "the window stores what was appended";
  }
}

// The time used runs from the start to the moment the run ends, less its
// pauses, to the fraction of a second; the clock counts whole seconds and
// loses a pause's part of one.
TEST_F(RunTest, AMinuteUsedIsAMinuteToTheFractionLessThePauses) {
  struct Case {
    double before, paused, after;  // seconds running, paused, running again
    const char* used;              // as the result line shows it
    bool record;
  } cases[] = {{59.875, 0, 0, "0:0:59", false},
               {30, 100, 29.875, "0:0:59", false},
               {30.5, 5, 29.5, "0:1:0", true},  // 59 ticks of the clock
               {90.75, 0, 0, "0:1:30", true}};
  for (const Case& c : cases) {
    const int before = scores.ScoreCount;
    Start(1);
    Wait(c.before);
    if (c.paused > 0) {
      Esc(kShiftBit, true);
      Wait(c.paused);
      Esc(kShiftBit, true);
      Wait(c.after);
    }
    Esc(0, true);
    const std::string& result = screen().Label6;
    EXPECT_EQ(result.substr(result.find("用时:") + std::string("用时:").size()), c.used) << result;
    EXPECT_EQ(scores.ScoreCount - before, c.record ? 1 : 0) << c.before;
  }
  ASSERT_EQ(scores.ScoreCount, 2);
  EXPECT_EQ(scores.ScoreRecords[2].TimeUsed, "0:1:30");
}

TEST_F(RunTest, FullHistoryIsToldAndNothingWritten) {
  scores.ScoreRecords.resize(MaxScoreRecords + 1);
  scores.ScoreCount = MaxScoreRecords;
  Start(1);
  Ticks(61);
  TFeedback fb = session.Button2Click();  // ended after a minute
  EXPECT_EQ(fb.Message, ScoreHistoryFullMessage);
  EXPECT_EQ(screen().Phase, TRunPhase::Idle);

  Start(1, {}, 0);  // one minute: the clock ends it
  Ticks(59);
  fb = session.Timer1Timer();
  EXPECT_EQ(fb.Message, ScoreHistoryFullMessage);
  EXPECT_EQ(scores.ScoreCount, MaxScoreRecords);
  EXPECT_EQ(scores.ScoreRecords.size(), static_cast<std::size_t>(MaxScoreRecords + 1));
}

TEST_F(RunTest, EndedRunRecordsItsTotals) {
  random.Queue({7, 7, 7});  // each hit draws "h"
  Start(1);
  Press('a');
  Press('x');  // the one miss
  Ticks(1);
  Press('b');
  Press('c');
  Ticks(124);
  Esc(kCtrlBit | kShiftBit, true);  // not Shift alone: ends
  ASSERT_EQ(scores.ScoreCount, 1);
  const svlScoreSet& r = scores.ScoreRecords[1];
  svlScoreSet want{"bob", "英文(小)", "0:2:5", "4字", "75%", "1", "2字/分", "2026年12月9日6时30分 星期三", ""};
  EXPECT_EQ(FormatScoreLine(r), FormatScoreLine(want));
  EXPECT_EQ(screen().Label6, "英文(小)练习,总数:4 正确率:75% 错误:1 速度:2字/分 用时:0:2:5");
}

TEST_F(RunTest, StatisticsLineWithNothingTyped) {
  struct Case {
    int type, seconds;
    const char* result;
  } cases[] = {{0, 1, "英文(大)练习,总数:0 正确率:0% 错误:0 速度:0字/分 用时:0:0:1"},
               {2, 3599, "数字练习总数:0 正确率:0% 错误:0 速度:0字/分 用时:0:59:59"},
               // ended before the first tick: not the last run's figures
               {0, 0, "英文(大)练习,总数:0 正确率:0% 错误:0 速度:0字/分 用时:0:0:0"}};
  for (const Case& c : cases) {
    Start(c.type);
    Ticks(c.seconds);
    Esc(0, true);
    EXPECT_EQ(screen().Label6, c.result);
  }
}

TEST_F(RunTest, ClockEndsTheRunAtItsLength) {
  Start(0, {}, 0);
  Ticks(59);
  EXPECT_EQ(screen().Phase, TRunPhase::Running);
  session.Timer1Timer();
  EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  EXPECT_EQ(screen().Button1Caption, "开始");
  EXPECT_EQ(screen().Big[1].Caption, "完");
  ASSERT_EQ(scores.ScoreCount, 1);
  EXPECT_EQ(scores.ScoreRecords[1].TimeUsed, "0:1:0");
  session.Timer1Timer();  // a late tick of the stopped clock
  EXPECT_EQ(counters().ElapsedSeconds, 0);
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
    EXPECT_EQ(screen().Button1Caption, "继续");
    EXPECT_EQ(fb.Music, TMusicRequest::Pause);
    EXPECT_FALSE(screen().Timer7);
    EXPECT_FALSE(screen().Edit1Enabled);
    session.Timer1Timer();  // a stopped clock
    fb = Esc(kShiftBit, true);
    EXPECT_EQ(screen().Button1Caption, "暂停");
    EXPECT_EQ(screen().KeyPreview, c.keyPreview) << c.type;
    EXPECT_EQ(fb.FocusEdit1, c.focusEdit1) << c.type;
    EXPECT_EQ(screen().Timer7, c.timer7) << c.type;
    EXPECT_EQ(screen().Big[1].Caption == "完", c.type == 17) << "the items come back";
    session.Timer1Timer();
    EXPECT_EQ(counters().ElapsedSeconds, 3);
    Esc(0);
    EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  }
}

TEST_F(RunTest, EndStopsFlashAndSpeechTimers) {
  Start(6, {0, 1});
  Keys("zhongguo ");
  EXPECT_TRUE(screen().Flash[1] && screen().Timer8);
  session.Button2Click();
  EXPECT_FALSE(screen().Flash[1] || screen().Timer8);
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Highlight);
  // Messages already queued do nothing.
  EXPECT_TRUE(session.FlashTimer(1).Pronounce.empty());
  EXPECT_EQ(screen().Big[1].Caption, "完");
  EXPECT_TRUE(session.Timer8Timer().Pronounce.empty());
}

TEST_F(RunTest, FailedDrawLeavesTheIdleScreen) {
  EXPECT_THROW(Start(9, {2}), EItemDrawError);
  EXPECT_EQ(screen().Phase, TRunPhase::Idle);
  EXPECT_FALSE(screen().Timer1);
}

TEST(RulesRandom, DrawsWithinOneTickDiffer) {
  TSystemRandom a;
  std::set<int> seen;
  for (int i = 0; i < 4; ++i) seen.insert(a.Random(3300));
  EXPECT_GT(seen.size(), 1u);
}
