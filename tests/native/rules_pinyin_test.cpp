// Pinyin types 3-6: shared codes, the readings of polyphonic characters, the
// F1-F4 hints and the follow hints.
#include "tests/native/rules_fixture.h"

using PinyinTest = RulesFixture;

TEST_F(PinyinTest, SharedCodeLaterItemWinsInType3EarlierInType4) {
  for (int type : {3, 4}) {
    Start(type, {40, 41, 40, 41});  // records 41 42 41 42: no readings of their own
    random.Queue({40});
    TFeedback fb = Keys(PinyinOf(41) + " ");
    int want = type == 3 ? 3 : 1;
    EXPECT_TRUE(fb.HitSound);
    for (int n = 1; n <= 4; ++n) {
      EXPECT_EQ(screen().Flash[n], n == want) << type << " item " << n;
      EXPECT_EQ(screen().Big[n].Color == TLabelColor::Red, n == want);
    }
    EXPECT_EQ(counters().CodeHits, 1);
    EXPECT_EQ(box, "");
    session.Button2Click();
  }
}

TEST_F(PinyinTest, Type3AcceptsTheReadingsOfItsOwnCharacter) {
  Start(3, {4, 40, 41, 41});  // item 1 is record 5, of the group of records 5 and 6
  random.Queue({40});
  EXPECT_TRUE(Keys(PinyinOf(6) + " ").HitSound);
  EXPECT_TRUE(screen().Flash[1]);
  EXPECT_EQ(session.Items().PinyinItems[1].RecordNo, 41);
  // Record 9 belongs to another character: it is no reading of record 5.
  session.Button2Click();
  Start(3, {4, 40, 41, 41});
  Keys(PinyinOf(9) + " ");
  EXPECT_EQ(counters().ErrorCount, 1);
  EXPECT_EQ(counters().CodeHits, 0);
  // Records above 40 have only their own pinyin.
  Keys(PinyinOf(40) + " ");
  EXPECT_EQ(counters().ErrorCount, 2);
  // Groups of three: record 39 reads as 38, 39 and 40.
  session.Button2Click();
  Start(3, {40, 40, 38, 40});
  EXPECT_TRUE(Keys(PinyinOf(40) + " ").HitSound);
  EXPECT_TRUE(screen().Flash[3]);
}

TEST_F(PinyinTest, F1CyclesTheReadingsOfAType3Item) {
  struct Case {
    int draw;                // record - 1
    std::vector<int> shown;  // records whose reading each press shows
  } cases[] = {{4, {5, 6, 5, 6}}, {5, {5, 6, 5}}, {35, {35, 36, 37, 35}}, {39, {38, 39, 40, 38}}, {41, {42, 42}}};
  for (const Case& c : cases) {
    Start(3, {c.draw, 0, 0, 0});
    std::string ch = "C" + std::to_string(c.draw + 1);
    for (int r : c.shown) {
      TFeedback fb = FKey(1);
      EXPECT_EQ(screen().Label8.Caption, PinyinOf(r) + "(" + ch + ")") << ch;
      EXPECT_EQ(screen().Small[1].Caption, "h" + std::to_string(r));
      EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(r));
    }
    EXPECT_EQ(screen().Small[2].Caption, "");
    session.Button2Click();
  }
}

TEST_F(PinyinTest, Type3HitEmptiesHintsAndRestartsTheCycle) {
  Start(3, {4, 1, 2, 3});
  FKey(1);
  FKey(2);
  EXPECT_EQ(session.Items().PinyinItems[1].HintCycle, 2);
  random.Queue({4});  // the same record again
  Keys(PinyinOf(5) + " ");
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(screen().Small[i].Caption, "");
  EXPECT_EQ(session.Items().PinyinItems[1].HintCycle, 1);
  EXPECT_EQ(FKey(1).Pronounce, "MyPyWAV" + PinyinOf(5));
}

TEST_F(PinyinTest, Type4HintFollowsTheNextItem) {
  session.OldPinyinHint = 0;
  TFeedback fb = Start(4, {40, 41, 39, 38});
  EXPECT_EQ(screen().Label8.Caption, PinyinOf(41) + "(C41)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(41));
  EXPECT_TRUE(screen().Label8.Visible);
  EXPECT_FALSE(screen().Label5.Visible);
  EXPECT_FALSE(screen().Small[1].Visible);
  EXPECT_EQ(screen().Small[4].Caption, "h39");
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(screen().Big[n].Caption, "C" + std::to_string(std::vector<int>{41, 42, 40, 39}[n - 1]));

  random.Queue({9});
  Keys(PinyinOf(39) + " ");  // item 4
  EXPECT_EQ(screen().Big[4].Caption, "C39") << "the old item stays while it flashes";
  fb = session.FlashTimer(4);
  EXPECT_EQ(screen().Big[4].Caption, "C10");
  EXPECT_EQ(screen().Big[4].Color, TLabelColor::Highlight);
  EXPECT_FALSE(screen().Flash[4]);
  EXPECT_EQ(screen().Small[4].Caption, "h10");
  EXPECT_EQ(screen().Small[1].Caption, "h41");
  EXPECT_EQ(screen().Label8.Caption, PinyinOf(41) + "(C41)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(41));

  // F2 shows item 2's hint alone.
  fb = FKey(2);
  EXPECT_EQ(screen().Small[2].Caption, "h42");
  EXPECT_EQ(screen().Small[1].Caption, "");
  EXPECT_EQ(screen().Small[4].Caption, "");
  EXPECT_EQ(fb.Pronounce, "MyPyWAV" + PinyinOf(42));
}

TEST_F(PinyinTest, EnteringACode) {
  Start(4, {40, 41, 40, 41});
  Keys("   ");
  Key(' ');
  EXPECT_EQ(counters().ErrorCount, 0) << "blank codes submit nothing";
  char digit = '5';
  session.Edit1KeyPress(digit, box);
  EXPECT_EQ(digit, 0) << "only letters, '.', Space and Backspace";
  Keys("." + PinyinOf(41) + " ");
  EXPECT_EQ(counters().ErrorCount, 1) << "a code after '.' begins with '.'";
  EXPECT_EQ(box, " ") << "a missed code leaves its Space";
  Keys(".");
  Key(8);
  EXPECT_EQ(box, "");
  random.Queue({0});
  EXPECT_TRUE(Keys(UpperCase(PinyinOf(42)) + " ").HitSound);
  EXPECT_EQ(counters().CodeHits, 1);
  EXPECT_EQ(counters().ErrorCount, 1);
  // Keys after the run are not checked.
  session.Button2Click();
  Keys(PinyinOf(41) + " ");
  EXPECT_EQ(counters().ErrorCount, 1);
}

TEST_F(PinyinTest, PhraseHintsSpeakBothSyllables) {
  session.OldPinyinHint = 1;
  Start(5, {0, 1});
  EXPECT_FALSE(screen().Big[2].Visible);
  EXPECT_FALSE(screen().Big[4].Visible);
  EXPECT_EQ(screen().Big[1].Caption, "中国");
  EXPECT_EQ(screen().Big[3].Caption, "人民");
  EXPECT_FALSE(screen().Timer8);
  EXPECT_TRUE(screen().Small[1].Visible);
  EXPECT_FALSE(screen().Small[2].Visible);

  TFeedback fb = FKey(1);
  EXPECT_EQ(screen().Label5.Caption, "zhongguo(中国)");
  EXPECT_EQ(screen().Small[1].Caption, "zhōng guó");
  EXPECT_EQ(screen().Small[3].Caption, "");
  EXPECT_EQ(fb.Pronounce, "MyPyWAVzhong1");
  EXPECT_TRUE(screen().Timer8);
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVguo2");
  EXPECT_FALSE(screen().Timer8);

  FKey(1);
  FKey(2);  // before the second syllable: item 2's is spoken
  EXPECT_EQ(screen().Small[1].Caption, "");
  EXPECT_EQ(screen().Small[3].Caption, "rén mín");
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVmin2");
  EXPECT_EQ(FKey(3).Pronounce, "") << "two items only";

  random.Queue({0});
  Keys("RENMIN ");
  EXPECT_TRUE(screen().Flash[3]);
  EXPECT_FALSE(screen().Flash[2]);
  EXPECT_EQ(screen().Small[3].Caption, "");
}

TEST_F(PinyinTest, Type6FlashMovesTheHintToTheOtherPhrase) {
  session.OldPinyinHint = 0;
  TFeedback fb = Start(6, {0, 1});
  EXPECT_EQ(screen().Label5.Caption, "zhongguo(中国)");
  EXPECT_TRUE(screen().Label5.Visible);
  EXPECT_FALSE(screen().Small[1].Visible);
  EXPECT_EQ(fb.Pronounce, "MyPyWAVzhong1");
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVguo2");

  random.Queue({1});
  Keys("zhongguo ");
  fb = session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "人民");
  EXPECT_EQ(screen().Small[1].Caption, "rén mín");
  EXPECT_EQ(screen().Label5.Caption, "renmin(人民)");
  EXPECT_EQ(fb.Pronounce, "MyPyWAVren2");
  EXPECT_EQ(session.PhraseSpeechSelector(), 2);
  EXPECT_EQ(session.Timer8Timer().Pronounce, "MyPyWAVmin2");
  EXPECT_TRUE(session.FlashTimer(2).Pronounce.empty());
}
