// Wubi types 7-16: roots, short codes, single characters and phrases.
#include "tests/native/rules_fixture.h"

using WubiTest = RulesFixture;

TEST_F(WubiTest, RootTypesCountEveryKey) {
  Start(12, {0, 1, 2, 3});  // keys G F D S
  EXPECT_EQ(screen().Big[1].Caption, "王");
  for (char k : std::string(" .x\b")) {
    char key = k;
    TFeedback fb = session.Edit1KeyPress(key, "");
    EXPECT_EQ(key, k) << "a missed key reaches the box";
    EXPECT_FALSE(fb.HitSound);
  }
  EXPECT_EQ(counters().ErrorCount, 4);
  char digit = '7';
  session.Edit1KeyPress(digit, "");
  EXPECT_EQ(counters().ErrorCount, 4) << "a refused key is no attempt";
  random.Queue({3});
  char key = 'd';
  TFeedback fb = session.Edit1KeyPress(key, "x");
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(fb.HitSound);
  EXPECT_EQ(fb.Edit1Text, "d") << "the box keeps the typed key";
  EXPECT_TRUE(screen().Flash[3]);
  EXPECT_EQ(session.Items().RootItems[3].Root, "木");
  EXPECT_EQ(counters().CodeHits, 1);
}

TEST_F(WubiTest, FollowRootsAndLevel1ShowTheNextItem) {
  struct Case {
    int type;
    const char* first;  // Label8 at the start
    const char* next;   // Label8 after a hit on item 4
  } cases[] = {{7, "王", "王"}, {8, "一", "一"}};
  for (const Case& c : cases) {
    Start(c.type, {0, 1, 2, 3});
    EXPECT_EQ(screen().Label5.Caption, "G");
    EXPECT_EQ(screen().Label8.Caption, c.first);
    EXPECT_TRUE(screen().Label8.Visible);
    random.Queue({1});
    Keys(c.type == 7 ? "f" : "f ");  // item 2
    EXPECT_TRUE(screen().Flash[2]);
    EXPECT_EQ(screen().Label5.Caption, "D");
    random.Queue({1});
    Keys(c.type == 7 ? "s" : "s ");  // item 4: the hint goes round to item 1
    EXPECT_EQ(screen().Label5.Caption, "G");
    EXPECT_EQ(screen().Label8.Caption, c.next);
    EXPECT_EQ(counters().CodeHits, 2);
    session.Button2Click();
  }
}

TEST_F(WubiTest, FourthLetterSubmitsInTypes10And16Only) {
  Start(10, {0, 1, 2, 0});
  EXPECT_EQ(screen().Label5.Caption, "a");
  random.Queue({2});
  TFeedback fb = Keys("khkk");
  EXPECT_TRUE(fb.HitSound);
  EXPECT_TRUE(screen().Flash[2]);
  EXPECT_EQ(box, "");
  EXPECT_EQ(screen().Label5.Caption, "l") << "the next item's first code";
  EXPECT_TRUE(fb.ShowPicture);
  EXPECT_EQ(fb.PictureNo, 33);
  Keys("lgyx");
  EXPECT_EQ(counters().ErrorCount, 1);
  EXPECT_EQ(box, "x") << "a missed fourth key stays in the box";
  session.Button2Click();

  Start(15, {0, 1, 2, 0});
  EXPECT_FALSE(screen().Label8.Visible);
  Keys("khkk");
  EXPECT_EQ(box, "khkk");
  EXPECT_EQ(counters().CodeHits, 0);
  Keys("\b\b ");  // "kh" is item 2's second code
  EXPECT_EQ(counters().CodeHits, 1);
  EXPECT_TRUE(screen().Flash[2]);
  Keys("AAAA ");
  EXPECT_EQ(counters().CodeHits, 2) << "codes are lower-cased";
  EXPECT_TRUE(screen().Flash[1]);
  session.Button2Click();

  Start(16, {2, 0});
  EXPECT_FALSE(screen().Big[2].Visible);
  EXPECT_TRUE(Keys("abcd").HitSound);
  EXPECT_TRUE(screen().Flash[1]);
}

TEST_F(WubiTest, BackspaceAtThreeLetters) {
  Start(16, {1, 0});  // codes "wqv" and "khlg"
  TFeedback fb = Keys("wqv\b");
  EXPECT_TRUE(fb.HitSound) << "type 16 submits the three letters";
  EXPECT_TRUE(screen().Flash[1]);
  EXPECT_EQ(box, "");
  Keys("khl\b");
  EXPECT_EQ(counters().ErrorCount, 1);
  session.Button2Click();

  Start(11, {1, 0});
  Keys("wqv\b");
  EXPECT_EQ(box, "wq") << "type 11 only deletes";
  EXPECT_EQ(counters().CodeHits + counters().ErrorCount, 0);
  Keys("v ");
  EXPECT_TRUE(screen().Flash[1]);
}

TEST_F(WubiTest, PhraseFollowHints) {
  Start(11, {0, 1});
  EXPECT_EQ(screen().Label5.Caption, "khlg(中国)");
  EXPECT_FALSE(screen().Big[4].Visible);
  EXPECT_EQ(FKey(2).Action, TWindowAction::None);
  EXPECT_EQ(screen().Label5.Caption, "wqv(人民)");
  random.Queue({2});
  Keys("khlg ");
  session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "工程");
  EXPECT_EQ(screen().Label5.Caption, "wqv(人民)");
  random.Queue({0});
  Keys("wqv ");
  EXPECT_TRUE(screen().Flash[3]);
  session.FlashTimer(3);
  EXPECT_EQ(screen().Big[3].Caption, "中国");
  EXPECT_EQ(screen().Label5.Caption, "abcd(工程)");
}

TEST_F(WubiTest, F1WalksThroughTheFourCodes) {
  for (int type : {10, 15}) {
    Start(type, {1, 0, 0, 0});
    const char* codes[] = {"k", "kh", "khk", "khkk", "k"};
    for (const char* code : codes) {
      TFeedback fb = FKey(1);
      EXPECT_EQ(screen().Label5.Caption, code) << type;
      EXPECT_TRUE(fb.ShowPicture);
      EXPECT_EQ(fb.PictureNo, 22);
    }
    FKey(2);
    EXPECT_EQ(screen().Label5.Caption, "a") << "each item has its own cycle";
    session.Button2Click();
  }
}

TEST_F(WubiTest, Level2CodesAndPictures) {
  TFeedback fb = Start(9, {0, 1, 0, 1});
  EXPECT_EQ(screen().Label5.Caption, "GG");
  EXPECT_TRUE(fb.ShowPicture);
  EXPECT_EQ(fb.PictureNo, 3501);
  EXPECT_FALSE(screen().Label8.Visible);
  random.Queue({0});
  fb = Keys("gf ");
  EXPECT_TRUE(screen().Flash[2]);
  EXPECT_EQ(screen().Label5.Caption, "GG");
  EXPECT_EQ(fb.PictureNo, 3501);
  fb = FKey(2);
  EXPECT_EQ(screen().Label5.Caption, "GG");
  EXPECT_EQ(fb.PictureNo, 3501);

  // A picture number that is not an integer stops the replacement, changing nothing.
  random.Queue({2});
  EXPECT_THROW(Keys("gg "), EItemDrawError);
  EXPECT_EQ(counters().CodeHits, 1);
  EXPECT_FALSE(screen().Flash[1]);
  EXPECT_EQ(session.Items().Level2Items[1].Character, "五");
}

TEST_F(WubiTest, PracticeFormsShowNoHint) {
  struct Case {
    int type;
    bool label8Visible;
  } cases[] = {{12, true}, {13, true}, {14, false}, {15, false}, {16, false}};
  for (const Case& c : cases) {
    TFeedback fb = Start(c.type, {0, 0, 0, 0});
    EXPECT_EQ(screen().Label5.Caption, "") << c.type;
    EXPECT_EQ(screen().Label8.Visible, c.label8Visible) << c.type;
    EXPECT_FALSE(fb.ShowPicture);
    EXPECT_TRUE(fb.FocusEdit1);
    EXPECT_EQ(fb.MusicFile, "Test0.mp3");
    session.Button2Click();
  }
}
