// Wubi types 7-16: roots, short codes, single characters and phrases.
#include "tests/native/rules_fixture.h"

using WubiTest = RulesFixture;

TEST_F(WubiTest, RootTypesCountEveryKey) {
  Start(12, {0, 1, 2, 3});  // keys G F D S
  for (char k : std::string(" .x\b7")) {
    char key = k;
    EXPECT_FALSE(session.Edit1KeyPress(key, "").HitSound);
    EXPECT_EQ(key, k == '7' ? 0 : k) << "a missed key reaches the box";
  }
  EXPECT_EQ(counters().ErrorCount, 4) << "a refused key is no attempt";
  char key = 'd';
  TFeedback fb = session.Edit1KeyPress(key, "x");
  EXPECT_EQ(key, 0);
  EXPECT_EQ(fb.Edit1Text, "d") << "the box keeps the typed key";
  EXPECT_TRUE(screen().Flash[3]);
}

TEST_F(WubiTest, FollowRootsAndLevel1ShowTheNextItem) {
  for (int type : {7, 8}) {
    Start(type, {0, 1, 2, 3});
    EXPECT_EQ(screen().Label5.Caption + screen().Label8.Caption, type == 7 ? "G王" : "G一");
    Keys(type == 7 ? "f" : "f ");  // item 2
    EXPECT_EQ(screen().Label5.Caption + screen().Label8.Caption, type == 7 ? "D大" : "D在");
    Keys(type == 7 ? "s" : "s ");  // item 4: round to item 1
    EXPECT_EQ(screen().Label5.Caption + screen().Label8.Caption, type == 7 ? "G王" : "G一");
    EXPECT_EQ(counters().CodeHits, 2);
    session.Button2Click();
  }
}

TEST_F(WubiTest, FourthLetterSubmitsInTypes10And16Only) {
  Start(10, {0, 1, 2, 0});  // 工 中 国 工
  random.Queue({2});
  TFeedback fb = Keys("khkk");
  EXPECT_TRUE(screen().Flash[2]);
  EXPECT_EQ(box, "");
  EXPECT_EQ(screen().Label5.Caption, "l") << "the next item's first code";
  EXPECT_EQ(fb.PictureNo, 33);
  Keys("lgyx");
  EXPECT_EQ(box, "") << "the fourth key belongs to the missed code";
  EXPECT_EQ(counters().ErrorCount, 1);
  random.Queue({0});
  Keys("lgyi");  // 国, now item 2 as well
  EXPECT_EQ(counters().CodeHits, 2) << "the next code starts clean";
  EXPECT_EQ(counters().ErrorCount, 1);
  session.Button2Click();

  Start(15, {0, 1, 2, 0});
  Keys("khkk");
  EXPECT_EQ(box, "khkk");
  Keys("\b\b ");  // "kh" is item 2's second code
  EXPECT_TRUE(screen().Flash[2]);
  Keys("AAAA ");
  EXPECT_TRUE(screen().Flash[1]) << "codes are lower-cased";
  EXPECT_EQ(counters().CodeHits, 2);
}

TEST_F(WubiTest, BackspaceAtThreeLetters) {
  Start(16, {1, 0});  // "wqv" and "khlg"
  EXPECT_TRUE(Keys("wqv\b").HitSound) << "type 16 submits the three letters";
  Keys("khl\b");
  EXPECT_EQ(counters().ErrorCount, 1);
  Keys("khlg");
  EXPECT_EQ(counters().CodeHits, 2);
  session.Button2Click();

  Start(11, {1, 0});
  Keys("wqv\b");
  EXPECT_EQ(box, "wq") << "type 11 only deletes";
  Keys("v ");
  EXPECT_TRUE(screen().Flash[1]);
}

TEST_F(WubiTest, PhraseFollowHints) {
  Start(11, {0, 1});
  EXPECT_EQ(screen().Label5.Caption, "khlg(中国)");
  FKey(2);
  EXPECT_EQ(screen().Label5.Caption, "wqv(人民)");
  random.Queue({2, 0});
  Keys("khlg ");
  session.FlashTimer(1);
  EXPECT_EQ(screen().Big[1].Caption, "工程");
  EXPECT_EQ(screen().Label5.Caption, "wqv(人民)");
  Keys("wqv ");
  session.FlashTimer(3);
  EXPECT_EQ(screen().Big[3].Caption, "中国");
  EXPECT_EQ(screen().Label5.Caption, "abcd(工程)");
}

TEST_F(WubiTest, F1WalksThroughTheFourCodes) {
  for (int type : {10, 15}) {
    Start(type, {1, 0, 0, 0});
    for (const char* code : {"k", "kh", "khk", "khkk", "k"}) {
      TFeedback fb = FKey(1);
      EXPECT_EQ(screen().Label5.Caption, code) << type;
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
  EXPECT_EQ(fb.PictureNo, 3501);
  random.Queue({1});
  fb = Keys("gf ");
  EXPECT_TRUE(screen().Flash[2]);
  EXPECT_TRUE(fb.ShowPicture);
  EXPECT_EQ(FKey(2).PictureNo, 12);
  // A picture number that is not an integer stops the replacement, changing nothing.
  random.Queue({2});
  EXPECT_THROW(Keys("gg "), EItemDrawError);
  EXPECT_EQ(counters().CodeHits, 1);
  EXPECT_FALSE(screen().Flash[1]);
  EXPECT_EQ(session.Items().Level2Items[1].Character, "五");
}

// The F-key hint shows what is still to type: it goes with its item once that
// is typed (the picture too), and stays while other items are typed.
TEST_F(WubiTest, AKeyHintGoesWithTheItemTyped) {
  struct Case {
    int type;
    std::initializer_list<int> draws;
    int item;          // the F-key's item
    const char* hint;  // Label5 + Label8 it shows
    std::string code;  // keys that type that item
    bool picture;
  } cases[] = {{12, {0, 1, 2, 3}, 2, "F土", "f", false},         {13, {0, 1, 2, 3}, 3, "D在", "d ", false},
               {14, {0, 1, 0, 1}, 2, "GF", "gf ", true},          {15, {1, 0, 0, 0}, 1, "k", "k ", true},
               {16, {1, 0}, 1, "wqv(人民)", "wqv ", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Start(c.type, c.draws);
    FKey(c.item);
    ASSERT_EQ(screen().Label5.Caption + screen().Label8.Caption, c.hint);
    random.Queue({0});
    const TFeedback fb = Keys(c.code);
    ASSERT_TRUE(fb.HitSound);
    EXPECT_EQ(screen().Label5.Caption + screen().Label8.Caption, "");
    EXPECT_EQ(fb.ClearPicture, c.picture);
    session.Button2Click();
  }
  // Another item typed: the hint still shows what is to type.
  Start(12, {0, 1, 2, 3});
  FKey(1);
  random.Queue({0});
  Keys("d");
  EXPECT_EQ(screen().Label5.Caption + screen().Label8.Caption, "G王");
}
