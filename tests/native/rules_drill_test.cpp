// Single-key drills (types 0-2) and the letter and digit games (17, 18).
#include "tests/native/rules_fixture.h"

using DrillTest = RulesFixture;

TEST_F(DrillTest, StartShowsTheFixedSymbols) {
  struct Case {
    int type;
    const char* symbols;
  } cases[] = {{0, "ABCD"}, {1, "abcd"}, {2, "1234"}};
  for (const Case& c : cases) {
    TFeedback fb = Start(c.type);
    for (int n = 1; n <= 4; ++n) {
      EXPECT_EQ(screen().Big[n].Caption, std::string(1, c.symbols[n - 1]));
      EXPECT_EQ(session.Items().DrillSymbols[n], screen().Big[n].Caption);
    }
    EXPECT_TRUE(screen().KeyPreview);
    EXPECT_FALSE(screen().Edit1Visible);
    EXPECT_FALSE(screen().Label5.Visible);
    EXPECT_EQ(fb.MusicFile, "Test0.mp3");
    session.Button2Click();
    EXPECT_FALSE(screen().KeyPreview);
  }
}

TEST_F(DrillTest, KeysAreFoldedToTheDrillsCase) {
  struct Case {
    int type;
    char typed, passed;
    int hit;  // item, 0 for a miss
  } cases[] = {{0, 'b', 'B', 2}, {0, 'B', 'B', 2}, {1, 'C', 'c', 3}, {1, 'c', 'c', 3},
               {2, 'd', 'd', 0}, {2, '4', '4', 4}, {0, '1', '1', 0}, {1, '\r', '\r', 0}};
  for (const Case& c : cases) {
    Start(c.type);
    char key = c.typed;
    TFeedback fb = session.FormKeyPress(key);
    EXPECT_EQ(key, c.passed);
    EXPECT_EQ(fb.HitSound, c.hit != 0) << c.type << " " << c.typed;
    EXPECT_EQ(counters().KeyHits, c.hit ? 1 : 0);
    EXPECT_EQ(counters().ErrorCount, c.hit ? 0 : 1);
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(screen().Flash[n], n == c.hit);
    session.Button2Click();
  }
}

TEST_F(DrillTest, HitSymbolIsRedUntilItsFlashEnds) {
  Start(0);
  random.Queue({3});  // draws "D": now two labels show D
  Press('A');
  EXPECT_EQ(screen().Big[1].Caption, "A");
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Red);
  EXPECT_EQ(session.Items().DrillSymbols[1], "D");
  session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "D");
  EXPECT_EQ(screen().Big[1].Color, TLabelColor::Highlight);
  EXPECT_FALSE(screen().Flash[1]);
  random.Queue({0});
  Press('d');
  EXPECT_TRUE(screen().Flash[1]) << "the lower-numbered of two equal symbols";
  EXPECT_FALSE(screen().Flash[4]);
}

TEST_F(DrillTest, NewSymbolNeverRepeatsTheHitOne) {
  struct Case {
    int type;
    int toSymbol;  // draw that puts the symbol under test on item 1
    char symbol, after;
  } cases[] = {{0, 25, 'Z', 'A'}, {1, 25, 'z', 'a'}, {2, 9, '9', '1'}, {0, 12, 'M', 'N'}, {2, 0, '0', '1'}};
  for (const Case& c : cases) {
    Start(c.type);
    random.Queue({c.toSymbol, c.toSymbol});
    char first = session.Items().DrillSymbols[1][0];
    Press(first);
    ASSERT_EQ(session.Items().DrillSymbols[1], std::string(1, c.symbol));
    Press(c.symbol);
    EXPECT_EQ(session.Items().DrillSymbols[1], std::string(1, c.after)) << c.symbol;
    session.Button2Click();
  }
  // With real draws, over many hits.
  TSystemRandom real;
  TPracticeSession s(dicts, real, 888);
  for (int type : {0, 2, 17, 18}) {
    s.Button1Click({type, 4, -1, ""});
    for (int i = 0; i < 300; ++i) {
      char k = IsGameType(type) ? s.Screen().Label15.Caption[0] : s.Items().DrillSymbols[1 + i % 4][0];
      int n = 1;
      while (!IsGameType(type) && s.Items().DrillSymbols[n][0] != k) ++n;  // the first equal symbol is hit
      s.FormKeyPress(k);
      std::string now = IsGameType(type) ? s.Screen().Label15.Caption : s.Items().DrillSymbols[n];
      ASSERT_NE(now, std::string(1, k)) << type;
      ASSERT_EQ(now.size(), 1u);
      ASSERT_TRUE(type == 2 || type == 18 ? (now[0] >= '0' && now[0] <= '9') : (now[0] >= 'A' && now[0] <= 'Z'));
    }
    EXPECT_EQ(s.Counters().KeyHits, 300);
    s.Button2Click();
  }
}

TEST_F(DrillTest, GameSymbolSpeedFollowsTheTrackBar) {
  struct Case {
    int position, step;
  } cases[] = {{1, 14}, {10, 5}, {5, 10}, {0, 14}, {25, 5}};
  for (const Case& c : cases) {
    Start(17);
    EXPECT_EQ(screen().Label15.Caption, "A");
    EXPECT_TRUE(screen().Label15.Visible);
    EXPECT_FALSE(screen().Big[1].Visible);
    EXPECT_TRUE(screen().Timer7);
    EXPECT_EQ(session.MusicAllowed, 0);
    int left = screen().Label15Left;
    session.Timer7Timer(c.position);
    EXPECT_EQ(left - screen().Label15Left, c.step) << c.position;
    session.Button2Click();
    EXPECT_FALSE(screen().Timer7);
    EXPECT_FALSE(screen().Label15.Visible);
    EXPECT_EQ(session.MusicAllowed, 1);
  }
}

TEST_F(DrillTest, SymbolAtTheLeftEdgeStartsAgain) {
  Start(18);
  EXPECT_EQ(screen().Label15.Caption, "1");
  int ticks = 0;
  while (screen().Label15Left > 10) {
    session.Timer7Timer(10);
    ++ticks;
  }
  EXPECT_EQ(ticks, (888 - 10 + 4) / 5);
  EXPECT_EQ(screen().Label15Left, 888 - 5 * ticks);
  EXPECT_EQ(screen().Label15.Caption, "1");
  random.Queue({1});  // draws the current "1": the next digit is taken
  session.Timer7Timer(10);
  EXPECT_EQ(screen().Label15Left, 888);
  EXPECT_EQ(screen().Label15.Caption, "2");
  EXPECT_EQ(counters().ErrorCount, 0);
  EXPECT_EQ(counters().KeyHits, 0);
}

TEST_F(DrillTest, GameKeys) {
  Start(17);
  for (int i = 0; i < 20; ++i) session.Timer7Timer(3);
  random.Queue({0});  // draws the typed "A": "B" instead
  char key = 'a';
  TFeedback fb = session.FormKeyPress(key);
  EXPECT_EQ(key, 'A');
  EXPECT_TRUE(fb.HitSound);
  EXPECT_EQ(screen().Label15.Caption, "B");
  EXPECT_EQ(screen().Label15Left, 888);
  EXPECT_EQ(counters().KeyHits, 1);
  Press('a');
  EXPECT_EQ(counters().ErrorCount, 1);
  session.Button2Click();

  Start(18);
  Press('a');
  Press('1');
  EXPECT_EQ(counters().ErrorCount, 1);
  EXPECT_EQ(counters().KeyHits, 1);
}

TEST_F(DrillTest, PausedGameStandsStill) {
  Start(17);
  session.Timer7Timer(5);
  Esc(kShiftBit, true);
  int left = screen().Label15Left;
  EXPECT_FALSE(screen().Timer7);
  session.Timer7Timer(5);
  EXPECT_EQ(screen().Label15Left, left);
  Press('A');
  EXPECT_EQ(counters().KeyHits + counters().ErrorCount, 0) << "keys are not checked during a pause";
  Esc(kShiftBit, true);
  session.Timer7Timer(5);
  EXPECT_EQ(screen().Label15Left, left - 10);
}

TEST_F(DrillTest, WindowKeys) {
  unsigned short tab = kVkTab;
  EXPECT_EQ(session.FormKeyDown(tab, 0).Action, TWindowAction::FocusRadioGroup1);
  Start(0);
  EXPECT_EQ(session.FormKeyDown(tab, 0).Action, TWindowAction::None) << "RadioGroup1 is hidden";
  struct Case {
    unsigned shift;
    TWindowAction action;
  } cases[] = {{kShiftBit, TWindowAction::PauseOrContinue},
               {0, TWindowAction::End},
               {kCtrlBit, TWindowAction::End},
               {kShiftBit | kCtrlBit, TWindowAction::End},
               {kShiftBit | kAltBit, TWindowAction::End}};
  for (const Case& c : cases) {
    unsigned short vk = kVkEscape;
    TFeedback fb = session.FormKeyDown(vk, c.shift);
    EXPECT_EQ(fb.Action, c.action) << c.shift;
    EXPECT_EQ(vk, 0);
    EXPECT_EQ(screen().Big[2].Caption, "完");
  }
}
