#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screenshot.h"
#include "users/Unit3.h"

namespace {

// Practice runs in the real main window: types chosen and started by clicks,
// keys posted as the keyboard posts them, time stepped by calling the timers.
class PracticeRun : public MainFormTest {
protected:
  void StartType(int type, int lengthItem = 0) {
    Click(form->RadioGroup1->Buttons(type)->Handle());
    Click(form->RadioGroup2->Buttons(lengthItem)->Handle());
    Click(form->Button1->Handle());
    ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  }
  void Type(const std::string& keys) {
    for (char c : keys) Key(Focused(), KeyOf(c));
  }
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) form->Timer1Timer(form);
  }
  const TRunCounters& Counters() { return form->Session->Counters(); }
  const TPracticeItems& Items() { return form->Session->Items(); }
};

TEST_F(PracticeRun, LetterDrillCountsHitsFlashesAndRecordsAMinute) {
  StartType(1);
  EXPECT_EQ(form->Label1->GetCaption(), "a");
  EXPECT_EQ(form->Label4->GetCaption(), "d");
  EXPECT_TRUE(form->GetKeyPreview());
  EXPECT_FALSE(form->RadioGroup1->GetVisible());
  Type("c");
  EXPECT_EQ(Counters().KeyHits, 1);
  EXPECT_EQ(form->Label3->GetFont()->GetColor(), clRed);
  EXPECT_TRUE(form->Timer5->GetEnabled());
  form->Timer5Timer(form);
  EXPECT_NE(form->Label3->GetCaption(), "c") << "a hit symbol never comes straight back";
  EXPECT_EQ(form->Label3->GetFont()->GetColor(), clHighlight);
  EXPECT_FALSE(form->Timer5->GetEnabled());
  std::string miss = "a";
  while (miss[0] <= 'z' && (Items().DrillSymbols[1] == miss || Items().DrillSymbols[2] == miss ||
                            Items().DrillSymbols[3] == miss || Items().DrillSymbols[4] == miss))
    ++miss[0];
  Type(miss);  // on no label
  EXPECT_EQ(Counters().ErrorCount, 1);

  Seconds(59);
  EXPECT_EQ(Practice.Scores.ScoreCount, 0);
  Seconds(1);  // the test length: the clock ends the run
  EXPECT_EQ(form->Button1->GetCaption(), "开始");
  ASSERT_EQ(Practice.Scores.ScoreCount, 1);
  const svlScoreSet& r = Practice.Scores.ScoreRecords[1];
  EXPECT_EQ(r.User, "abc");
  EXPECT_EQ(r.PracticeType, "英文(小)");
  EXPECT_EQ(r.TimeUsed, "0:1:0");
  EXPECT_EQ(r.Total, "2字");
  EXPECT_EQ(r.AccuracyText, "50%");
  EXPECT_EQ(r.Errors, "1");
  EXPECT_EQ(r.Speed, "2字/分");
  EXPECT_EQ(form->Label1->GetCaption(), "完");
  EXPECT_TRUE(form->RadioGroup1->GetVisible());
}

// The result line is broken only between its fields: the label's text, as
// the system draws it wrapped in the label, takes exactly the lines the
// window made, and they all show.
TEST_F(PracticeRun, TheResultLineWrapsOnlyBetweenFields) {
  StartType(20, 1);  // the longest line: an article's, with its corrections
  Seconds(76);
  Key(Focused(), VK_ESCAPE);
  TLabel* result = form->Label6;
  const std::string caption = result->GetCaption();
  ASSERT_EQ(caption.find("数字文章练习,总数:"), 0u) << caption;
  int lines = 1;
  for (std::size_t at = caption.find("\r\n"); at != std::string::npos; at = caption.find("\r\n", at + 2)) ++lines;
  EXPECT_GT(lines, 1) << "the line is wider than the label";
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, result->GetFont()->Handle());
  const std::wstring wide = GbkToWide(caption);
  RECT drawn{0, 0, result->GetWidth(), 0};
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &drawn, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(drawn.bottom, lines * metrics.tmHeight) << caption;
  EXPECT_LE(drawn.bottom, result->GetHeight());
  EXPECT_NE(caption.find("用时:0:1:16"), std::string::npos) << caption;
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "result-line.bmp"));
}

TEST_F(PracticeRun, EscapeEndsShortRunsWithoutRecordAndLongOnesWithIt) {
  StartType(0, 4);  // 60 minutes
  Seconds(59);
  Key(Focused(), VK_ESCAPE);
  EXPECT_EQ(form->Button1->GetCaption(), "开始");
  EXPECT_EQ(Practice.Scores.ScoreCount, 0);

  StartType(0, 4);
  Seconds(125);
  Key(Focused(), VK_ESCAPE);
  ASSERT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].TimeUsed, "0:2:5");
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].AccuracyText, "0%") << "nothing typed";
}

TEST_F(PracticeRun, WubiCodeEntryHitsOnSpaceAndPausesWithShiftEscape) {
  StartType(15);
  ASSERT_EQ(GetFocus(), form->Edit1->Handle());
  const std::string code = Items().WubiCharItems[1].Codes[1];
  ASSERT_FALSE(code.empty());
  Type(code);
  EXPECT_EQ(Counters().CodeHits, 0) << "type 15 waits for Space even after four letters";
  Type(" ");
  EXPECT_GE(Counters().CodeHits, 1);
  EXPECT_EQ(form->Edit1->GetText(), "");

  ShiftEscape();
  EXPECT_EQ(form->Button1->GetCaption(), "继续");
  EXPECT_FALSE(form->Timer1->GetEnabled());
  EXPECT_FALSE(form->Edit1->GetEnabled());
  Click(form->Button1->Handle());
  EXPECT_EQ(form->Button1->GetCaption(), "暂停");
  EXPECT_EQ(GetFocus(), form->Edit1->Handle());
  ShiftEscape(true);  // Ctrl+Shift+Esc ends
  EXPECT_EQ(form->Button1->GetCaption(), "开始");
}

TEST_F(PracticeRun, WubiFollowDrillShowsHintAndPicture) {
  StartType(10);
  const svlcharset& item = Items().WubiCharItems[1];
  EXPECT_EQ(form->Label5->GetCaption(), item.Codes[1]);
  EXPECT_FALSE(form->Image1->Picture()->Empty());
  EXPECT_EQ(form->Image1->GetWidth(), 225);
  Pump();
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "wubi-follow-drill.bmp"));
  // The fourth letter submits in type 10.
  std::string code = item.Codes[1];
  if (code.size() == 4) {
    Type(code);
    EXPECT_EQ(Counters().CodeHits + Counters().ErrorCount, 1);
  }
}

TEST_F(PracticeRun, LetterGameMovesTheSymbolAndStopsAtPause) {
  StartType(17);
  EXPECT_TRUE(form->Label15->GetVisible());
  EXPECT_TRUE(form->Timer7->GetEnabled());
  const int left = form->Label15->GetLeft();
  form->TrackBar1->SetPosition(10);
  form->Timer7Timer(form);
  EXPECT_EQ(form->Label15->GetLeft(), left - 5);
  form->TrackBar1->SetPosition(1);
  form->Timer7Timer(form);
  EXPECT_EQ(form->Label15->GetLeft(), left - 19);
  // The real 1 ms timer keeps moving the symbol: this key is handled at once.
  const int beforeHit = form->Label15->GetLeft();
  const std::string symbol = form->Label15->GetCaption();
  PostMessageW(Focused(), WM_KEYDOWN, static_cast<WORD>(symbol[0]), 1);
  PostMessageW(Focused(), WM_KEYUP, static_cast<WORD>(symbol[0]), 0xC0000001);
  Application->ProcessMessages();
  EXPECT_EQ(Counters().KeyHits, 1);
  EXPECT_GT(form->Label15->GetLeft(), beforeHit) << "a hit symbol starts again at the right";
  EXPECT_NE(form->Label15->GetCaption(), symbol);
  Pump();
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "letter-game.bmp"));
  ShiftEscape();
  EXPECT_FALSE(form->Timer7->GetEnabled()) << "a paused game keeps its symbol still";
}

// What item 1 of the running type asks to be typed, as keys.
std::string FirstItemKeys(int type, const TPracticeItems& items, TForm1* form) {
  switch (type) {
    case 0: case 1: case 2: return form->Label1->GetCaption();
    case 3: case 4: return items.PinyinItems[1].Pinyin + " ";
    case 5: case 6: return items.PinyinPhraseItems[1].Pinyin + " ";
    case 7: case 12: return items.RootItems[1].Key;
    case 8: case 13: return items.Level1Items[1].Key + " ";
    case 9: case 14: return items.Level2Items[1].Code + " ";
    case 10: case 15: return items.WubiCharItems[1].Codes[1] + " ";
    case 11: case 16: return items.WubiPhraseItems[1].Code + " ";
    default: return form->Label15->GetCaption();
  }
}

TEST_F(PracticeRun, EveryTypeUpToTheGamesPlaysAMinuteIntoAScoreRecord) {
  const char* captions[] = {"英文(大)", "英文(小)", "数字练习", "拼单字练", "拼单字跟", "拼词组练", "拼词组跟",
                            "字根跟打", "一级跟打", "二级跟打", "五笔单跟", "五笔词跟", "字根练习", "一级简码",
                            "二级简码", "五笔单练", "五笔词练", "英文游戏", "数字游戏"};
  for (int type = 0; type <= 18; ++type) {
    SCOPED_TRACE(captions[type]);
    StartType(type);
    const std::string keys = FirstItemKeys(type, Items(), form);
    Type(keys);
    const int hits = type <= 2 || type >= 17 ? Counters().KeyHits : Counters().CodeHits;
    EXPECT_EQ(hits, 1) << "typed '" << keys << "'";
    EXPECT_EQ(Counters().ErrorCount, 0);
    Seconds(60);
    ASSERT_EQ(Practice.Scores.ScoreCount, type + 1);
    const svlScoreSet& r = Practice.Scores.ScoreRecords[type + 1];
    EXPECT_EQ(r.PracticeType, captions[type]);
    EXPECT_EQ(r.TimeUsed, "0:1:0");
    EXPECT_EQ(r.Total, "1字");
    EXPECT_EQ(r.AccuracyText, "100%");
    EXPECT_EQ(r.Errors, "0");
    EXPECT_EQ(r.Speed, "1字/分");
    EXPECT_NE(r.DateText.find("年"), std::string::npos);
    EXPECT_EQ(form->Button1->GetCaption(), "开始");
  }
}

TEST_F(PracticeRun, StartRefusesMissingArticleChoice) {
  Click(form->RadioGroup1->Buttons(19)->Handle());
  Click(form->Button1->Handle());
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Text, "请先选择练习的英文文章。");
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  EXPECT_EQ(boxes.Calls[0].Flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(form->Button1->GetCaption(), "开始");
  EXPECT_TRUE(form->RadioGroup1->GetVisible());
}

TEST_F(PracticeRun, FourthKeyOfAMissedCodeNeverStartsTheNextOne) {
  for (int type : {10, 16}) {
    SCOPED_TRACE(type);
    std::string good;  // a four-letter code of an item on the screen
    // The items are drawn at random: start again until one has a four-letter code.
    for (int attempt = 0; attempt < 20 && good.empty(); ++attempt) {
      if (attempt > 0) Key(Focused(), VK_ESCAPE);
      StartType(type);
      const int shown = type == 10 ? 4 : 2;
      for (int n = 1; n <= shown && good.empty(); ++n)
        for (int k = 1; k <= 4 && good.empty(); ++k) {
          const std::string c = type == 10 ? Items().WubiCharItems[n].Codes[k] : Items().WubiPhraseItems[n].Code;
          if (c.size() == 4) good = c;
        }
    }
    ASSERT_EQ(good.size(), 4u);
    Type("zzzz");  // no Wubi code
    EXPECT_EQ(form->Edit1->GetText(), "") << "the fourth key went with the submitted code";
    EXPECT_EQ(Counters().ErrorCount, 1);
    Type(good);
    EXPECT_EQ(Counters().CodeHits, 1);
    EXPECT_EQ(Counters().ErrorCount, 1);
    Key(Focused(), VK_ESCAPE);
  }
}

TEST_F(PracticeRun, StartEmptiesWhatWasTypedIntoTheBoxAfterTheLastRun) {
  StartType(15);
  Key(Focused(), VK_ESCAPE);
  form->Edit1->SetFocus();
  Type("ab");
  ASSERT_EQ(form->Edit1->GetText(), "ab");
  Click(form->Button1->Handle());
  EXPECT_EQ(form->Edit1->GetText(), "");
  const std::string code = Items().WubiCharItems[2].Codes[1];
  Type(code + " ");
  EXPECT_EQ(Counters().CodeHits, 1) << "the first code of the new run counts";
  EXPECT_EQ(Counters().ErrorCount, 0);
}

TEST_F(PracticeRun, KeysBeforeTheFirstRunLeaveTheIdleScreenAsDesigned) {
  const std::string note = form->Label6->GetCaption();
  ASSERT_NE(note.find("注意"), std::string::npos);
  Type("qw");
  Key(form->Handle(), 'E');
  form->Edit1->SetFocus();
  Type("rt");
  EXPECT_EQ(form->Label1->GetCaption(), "打");
  EXPECT_EQ(form->Label4->GetCaption(), "习");
  EXPECT_TRUE(form->Label1->GetVisible());
  EXPECT_EQ(form->Label6->GetCaption(), note);
  StartType(1);  // the run's screen from the start on
  EXPECT_EQ(form->Label1->GetCaption(), "a");
}

// What the program finds in its folder at the next start, as the learner sees it.
TEST_F(PracticeRun, FinishedRunsSurviveAProcessThatNeverShutsDown) {
  StartType(1);
  Seconds(60);
  StartType(0);
  Seconds(60);
  ASSERT_EQ(Practice.Scores.ScoreCount, 2);
  // Killed: the window goes without its close handler, nothing else is written.
  delete form;
  form = nullptr;
  Practice = TPracticeState{};
  form = CreateFormObject<TForm1>(Application);
  ASSERT_TRUE(Practice.StartedUp);
  ASSERT_EQ(Practice.Scores.ScoreCount, 2);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].PracticeType, "英文(小)");
  EXPECT_EQ(Practice.Scores.ScoreRecords[2].PracticeType, "英文(大)");
  std::unique_ptr<TForm3> query(CreateFormObject<TForm3>(Application));
  query->Show();
  Pump();
  EXPECT_EQ(query->ListView1->Items()->Count(), 2);
}

TEST_F(PracticeRun, LinesTheReaderLeavesAreKeptInACopyToldOnce) {
  delete form;
  form = nullptr;
  const std::string line = FormatScoreLine({"bob", "英文(大)", "0:1:0", "9字", "100%", "0", "9字/分", "d", ""});
  const std::string text = "h1\r\nh2\r\n" + line + "\r\nx\r\n" + line + "\r\n";  // a damaged line, then a record
  ASSERT_TRUE(WriteFileBytes(folder + "svlScore.dat", text.data(), text.size()));
  Practice = TPracticeState{};
  form = CreateFormObject<TForm1>(Application);
  ASSERT_TRUE(Practice.StartedUp) << "the program starts";
  form->Show();
  Pump();
  EXPECT_EQ(Practice.Scores.ScoreCount, 2);
  ASSERT_EQ(boxes.Calls.size(), 1u) << "told at start-up";
  for (int run = 0; run < 2; ++run) {
    StartType(1);
    Seconds(60);
  }
  ASSERT_EQ(boxes.Calls.size(), 1u) << "told once";
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  EXPECT_NE(boxes.Calls[0].Text.find("svlScore.bak"), std::string::npos) << boxes.Calls[0].Text;
  TBytes copy;
  ASSERT_TRUE(ReadFileBytes(folder + "svlScore.bak", copy));
  EXPECT_EQ(std::string(copy.begin(), copy.end()), text);
  TScoreTable now;
  ReadScoreFile(folder + "svlScore.dat", now);
  EXPECT_EQ(now.ScoreCount, 4);
  EXPECT_EQ(now.DamagedLines, 0) << "rewritten without it at start-up";
}

TEST_F(PracticeRun, AHelpFileThatCannotBeOpenedIsNamed) {
  form->N6Click(form);  // no demonstration video ships
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  EXPECT_NE(boxes.Calls[0].Text.find("Tapmira2020使用演示.mp4"), std::string::npos) << boxes.Calls[0].Text;
}

}  // namespace
