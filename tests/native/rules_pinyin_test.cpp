// Pinyin types 3-6: shared codes, the readings of polyphonic characters, the
// F1-F4 hints and the follow hints.
#include "tests/native/rules_fixture.h"

using PinyinTest = RulesFixture;

TEST_F(PinyinTest, SharedCodeLaterItemWinsInType3EarlierInType4) {
  for (int type : {3, 4}) {
    Start(type, {40, 41, 40, 41});  // records 41 42 41 42: no other readings
    EXPECT_TRUE(Keys(PinyinOf(41) + " ").HitSound);
    int want = type == 3 ? 3 : 1;
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(screen().Flash[n], n == want) << type << " item " << n;
    EXPECT_EQ(screen().Big[want].Color, TLabelColor::Red);
    session.Button2Click();
  }
}

TEST_F(PinyinTest, Type3AcceptsTheReadingsOfItsOwnCharacter) {
  struct Case {
    int draw;  // item 1 is record draw + 1
    int typed, hits;
  } cases[] = {{4, 6, 1}, {4, 9, 0}, {38, 40, 1}, {19, 19, 1}, {41, 41, 0}};
  for (const Case& c : cases) {
    Start(3, {c.draw, 41, 41, 41});
    Keys(PinyinOf(c.typed) + " ");
    EXPECT_EQ(counters().CodeHits, c.hits) << "record " << c.draw + 1 << " typed " << c.typed;
    EXPECT_EQ(counters().ErrorCount, 1 - c.hits);
    session.Button2Click();
  }
}

TEST_F(PinyinTest, F1CyclesTheReadingsOfAType3Item) {
  struct Case {
    int draw;
    std::vector<int> shown;  // records whose reading each press shows
  } cases[] = {{4, {5, 6, 5}}, {5, {5, 6}}, {35, {35, 36, 37, 35}}, {39, {38, 39, 40, 38}}, {41, {42, 42}}};
  for (const Case& c : cases) {
    Start(3, {c.draw, 0, 0, 0});
    for (int r : c.shown) {
      TFeedback fb = FKey(1);
      EXPECT_EQ(screen().Label8.Caption, PinyinOf(r) + "(C" + std::to_string(c.draw + 1) + ")");
      EXPECT_EQ(screen().Small[1].Caption, "h" + std::to_string(r));
      EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(r));
    }
    random.Queue({c.draw});
    Keys(PinyinOf(c.draw + 1) + " ");  // a new item starts the cycle again
    EXPECT_EQ(screen().Small[1].Caption, "");
    EXPECT_EQ(FKey(1).Pronounce, "MyPyWAV" + PinyinOf(c.shown[0]));
    session.Button2Click();
  }
}

TEST_F(PinyinTest, Type4HintFollowsTheNextItem) {
  session.OldPinyinHint = 0;
  TFeedback fb = Start(4, {40, 41, 39, 38});  // records 41 42 40 39
  EXPECT_EQ(screen().Label8.Caption, PinyinOf(41) + "(C41)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(41));
  EXPECT_TRUE(screen().Label8.Visible && !screen().Small[1].Visible);
  random.Queue({9});
  Keys(PinyinOf(39) + " ");
  EXPECT_EQ(screen().Big[4].Caption, "C39") << "the old item stays while it flashes";
  fb = session.FlashTimer(4);
  EXPECT_EQ(screen().Big[4].Caption, "C10");
  EXPECT_EQ(screen().Small[4].Caption, "h10");
  EXPECT_EQ(screen().Small[1].Caption, "h41");
  EXPECT_EQ(screen().Label8.Caption, PinyinOf(41) + "(C41)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(41));
  FKey(2);
  EXPECT_EQ(screen().Small[2].Caption + screen().Small[1].Caption + screen().Small[4].Caption, "h42");
}

TEST_F(PinyinTest, EnteringACode) {
  Start(4, {40, 41, 40, 41});
  Keys("  ");
  EXPECT_EQ(counters().ErrorCount, 0) << "blank codes submit nothing";
  char digit = '5';
  session.Edit1KeyPress(digit, box);
  EXPECT_EQ(digit, 0);
  Keys("." + PinyinOf(41) + " ");
  EXPECT_EQ(counters().ErrorCount, 1) << "a code after '.' begins with '.'";
  EXPECT_EQ(box, " ") << "a missed code leaves its Space";
  Keys(".\b" + UpperCase(PinyinOf(42)) + " ");
  EXPECT_EQ(counters().CodeHits, 1);
  EXPECT_EQ(counters().ErrorCount, 1);
  session.Button2Click();
  Keys(PinyinOf(41) + " ");
  EXPECT_EQ(counters().CodeHits, 1) << "keys after the run are not checked";
}

TEST_F(PinyinTest, PhraseHintsSpeakBothSyllables) {
  Start(5, {0, 1});
  EXPECT_FALSE(screen().Big[2].Visible || screen().Big[4].Visible);
  EXPECT_EQ(screen().Big[3].Caption, "人民");
  TFeedback fb = FKey(1);
  EXPECT_EQ(screen().Label5.Caption, "zhongguo(中国)");
  EXPECT_EQ(screen().Small[1].Caption + "|" + screen().Small[3].Caption, "zhong guo|");
  EXPECT_EQ(fb.Pronounce, "MyPyWAVzhong1");
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVguo2");
  EXPECT_FALSE(screen().Timer8);
  FKey(1);
  FKey(2);  // before the second syllable: item 2's is spoken
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVmin2");
  Keys("RENMIN ");
  EXPECT_TRUE(screen().Flash[3] && !screen().Flash[2]);
}

TEST_F(PinyinTest, Type6FlashMovesTheHintToTheOtherPhrase) {
  session.OldPinyinHint = 0;
  TFeedback fb = Start(6, {0, 1});
  EXPECT_EQ(screen().Label5.Caption, "zhongguo(中国)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAVzhong1");
  random.Queue({1});
  Keys("zhongguo ");
  fb = session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "人民");
  EXPECT_EQ(screen().Label5.Caption, "renmin(人民)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAVren2");
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVmin2");
}

// The F-key hint of an item goes with it once it is typed (shown in Label8 and
// Label5 when the hints are not drawn above the items).
TEST_F(PinyinTest, AKeyHintGoesWithTheItemTyped) {
  session.OldPinyinHint = 0;
  Start(3, {40, 41, 40, 41});  // records 41 42 41 42
  FKey(4);
  ASSERT_EQ(screen().Label8.Caption, PinyinOf(42) + "(C42)");
  Keys(PinyinOf(41) + " ");  // item 3
  EXPECT_EQ(screen().Label8.Caption, PinyinOf(42) + "(C42)");
  Keys(PinyinOf(42) + " ");  // item 4, the later of two
  EXPECT_EQ(screen().Label8.Caption, "");
  session.Button2Click();

  Start(5, {0, 1});
  FKey(2);
  ASSERT_EQ(screen().Label5.Caption, "renmin(人民)");
  Keys("renmin ");
  EXPECT_EQ(screen().Label5.Caption, "");
}
