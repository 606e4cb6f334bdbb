// Single-key drills (types 0-2) and the letter and digit games (17, 18).
#include "tests/native/rules_fixture.h"

using DrillTest = RulesFixture;

TEST_F(DrillTest, KeysAreFoldedToTheDrillsCase) {
  struct Case {
    int type;
    char typed, passed;
    int hit;  // item, 0 for a miss
  } cases[] = {{0, 'b', 'B', 2}, {1, 'C', 'c', 3}, {1, 'c', 'c', 3}, {2, '4', '4', 4},
               {2, 'd', 'd', 0}, {0, '1', '1', 0}, {17, 'a', 'A', 1}, {18, 'a', 'a', 0}};
  for (const Case& c : cases) {
    Start(c.type);
    char key = c.typed;
    TFeedback fb = session.FormKeyPress(key);
    EXPECT_EQ(key, c.passed);
    EXPECT_EQ(fb.HitSound, c.hit != 0) << c.type << " " << c.typed;
    EXPECT_EQ(counters().KeyHits * 10 + counters().ErrorCount, c.hit ? 10 : 1);
    if (c.type < 3) {
      for (int n = 1; n <= 4; ++n) EXPECT_EQ(screen().Flash[n], n == c.hit);
    }
    session.Button2Click();
  }
}

TEST_F(DrillTest, HitSymbolIsRedUntilItsFlashEnds) {
  Start(0);
  random.Queue({3, 0});  // "D": now two labels show D
  Press('A');
  EXPECT_EQ(screen().Big[1].Caption, "A");
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Red);
  session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "D");
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Highlight);
  Press('d');
  EXPECT_TRUE(screen().Flash[1] && !screen().Flash[4]) << "the lower-numbered of two equal symbols";
}

TEST_F(DrillTest, NewSymbolNeverRepeatsTheHitOne) {
  struct Case {
    int type, toSymbol;  // the draw that puts `symbol` on item 1
    char symbol, after;
  } cases[] = {{0, 25, 'Z', 'A'}, {1, 25, 'z', 'a'}, {2, 9, '9', '1'}, {0, 12, 'M', 'N'}, {2, 0, '0', '1'}};
  for (const Case& c : cases) {
    Start(c.type);
    random.Queue({c.toSymbol, c.toSymbol});
    Press(session.Items().DrillSymbols[1][0]);
    ASSERT_EQ(session.Items().DrillSymbols[1][0], c.symbol);
    Press(c.symbol);
    EXPECT_EQ(session.Items().DrillSymbols[1][0], c.after) << c.symbol;
    session.Button2Click();
  }
  // With real draws, over many hits.
  TSystemRandom real;
  TPracticeSession s(dicts, real, 888);
  for (int type : {0, 2, 17, 18}) {
    s.Button1Click({type, 4, -1, ""});
    for (int i = 0; i < 300; ++i) {
      bool game = IsGameType(type);
      char k = game ? s.Screen().Label15.Caption[0] : s.Items().DrillSymbols[1 + i % 4][0];
      int n = 1;
      while (!game && s.Items().DrillSymbols[n][0] != k) ++n;  // the first equal symbol is hit
      s.FormKeyPress(k);
      char now = game ? s.Screen().Label15.Caption[0] : s.Items().DrillSymbols[n][0];
      ASSERT_NE(now, k) << type;
      ASSERT_TRUE(type == 2 || type == 18 ? isdigit(now) : isupper(now)) << now;
    }
    s.Button2Click();
  }
}

TEST_F(DrillTest, GameSymbolSpeedFollowsTheTrackBar) {
  struct Case {
    int position, step;
  } cases[] = {{1, 14}, {10, 5}, {5, 10}, {0, 14}, {25, 5}};
  for (const Case& c : cases) {
    Start(17);
    EXPECT_TRUE(screen().Label15.Visible && !screen().Big[1].Visible);
    EXPECT_EQ(session.MusicAllowed, 0);
    int left = screen().Label15Left;
    session.Timer7Timer(c.position);
    EXPECT_EQ(left - screen().Label15Left, c.step) << c.position;
    session.Button2Click();
    EXPECT_FALSE(screen().Timer7 || screen().Label15.Visible);
    EXPECT_EQ(session.MusicAllowed, 1);
  }
}

TEST_F(DrillTest, SymbolAtTheLeftEdgeStartsAgain) {
  Start(18);
  int ticks = 0;
  for (; screen().Label15Left > 10; ++ticks) session.Timer7Timer(10);
  EXPECT_EQ(ticks, 176);  // 888 - 176 * 5 = 8
  EXPECT_EQ(screen().Label15.Caption, "1");
  random.Queue({1});  // draws the current "1": the next digit is taken
  session.Timer7Timer(10);
  EXPECT_EQ(screen().Label15Left, 888);
  EXPECT_EQ(screen().Label15.Caption, "2");
  EXPECT_EQ(counters().ErrorCount, 0);
  // A hit brings the symbol back to the right too.
  session.Timer7Timer(10);
  Press('2');
  EXPECT_EQ(screen().Label15Left, 888);
  EXPECT_NE(screen().Label15.Caption, "2");
}

TEST_F(DrillTest, TheLayoutSetsWhereTheSymbolStarts) {
  session.SetGameStartLeft(1527);  // full screen before the game
  Start(17);
  EXPECT_EQ(screen().Label15Left, 1527);
  session.Timer7Timer(10);
  session.SetGameStartLeft(888);  // back to the window while it moves
  EXPECT_EQ(screen().Label15Left, 1522) << "a moving symbol goes on from where it is";
  for (int i = 0; i < 400 && screen().Label15Left > 10; ++i) session.Timer7Timer(10);
  session.Timer7Timer(10);
  EXPECT_EQ(screen().Label15Left, 888);
}

TEST_F(DrillTest, ANewGameStartsItsSymbolAtTheRight) {
  Start(17);
  for (int i = 0; i < 20; ++i) session.Timer7Timer(10);
  ASSERT_EQ(screen().Label15Left, 788);
  session.Button2Click();
  Start(18);
  EXPECT_EQ(screen().Label15Left, 888) << "not where the last game's symbol stopped";
}

TEST_F(DrillTest, PausedGameStandsStill) {
  Start(17);
  Esc(kShiftBit, true);
  session.Timer7Timer(5);
  Press('A');
  EXPECT_EQ(screen().Label15Left, 888);
  EXPECT_EQ(counters().KeyHits + counters().ErrorCount, 0) << "keys are not checked during a pause";
  Esc(kShiftBit, true);
  session.Timer7Timer(5);
  EXPECT_EQ(screen().Label15Left, 878);
}

TEST_F(DrillTest, WindowKeys) {
  unsigned short tab = kVkTab;
  EXPECT_EQ(session.FormKeyDown(tab, 0).Action, TWindowAction::FocusRadioGroup1);
  unsigned short esc = kVkEscape;
  EXPECT_EQ(session.FormKeyDown(esc, kShiftBit).Action, TWindowAction::None) << "no run goes";
  Start(0);
  EXPECT_EQ(session.FormKeyDown(tab, 0).Action, TWindowAction::None) << "RadioGroup1 is hidden";
  for (unsigned shift : {0u, kCtrlBit, kShiftBit | kCtrlBit, kShiftBit | kAltBit, kShiftBit}) {
    unsigned short vk = kVkEscape;
    TWindowAction want = shift == kShiftBit ? TWindowAction::PauseOrContinue : TWindowAction::End;
    EXPECT_EQ(session.FormKeyDown(vk, shift).Action, want) << shift;
    EXPECT_EQ(vk, 0);
    EXPECT_EQ(screen().Big[2].Caption, "完");
  }
}
