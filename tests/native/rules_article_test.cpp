// Article typing: files and rows, the typed rows' colours and counters,
// paging and the end, F1 readings, and the hint lookups.
#include "tests/native/rules_article_fixture.h"

namespace {

std::vector<std::string> Rows(TArticleText& t, const TRowRoom& room) {
  std::vector<std::string> rows;
  for (std::string r = t.NextRow(room); !r.empty(); r = t.NextRow(room)) rows.push_back(r);
  return rows;
}
std::vector<std::string> Rows(TArticleText& t, int width) { return Rows(t, Room(width)); }

TEST(ArticleText, RowsEndAfterCrLfOrBeforeASplitCharacter) {
  TArticleText t;
  t.Assign(std::string(40, 'a') + "\r\n" + "next line");
  std::vector<std::string> rows = Rows(t, 86);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].size(), 42u);
  EXPECT_EQ(rows[0].substr(40), "\r\n");
  EXPECT_EQ(rows[1], "next line");

  // 85 bytes, then a character whose lead byte would be the 86th.
  std::string text = "a";
  for (int i = 0; i < 50; ++i) text += kZhong;
  t.Assign(text);
  rows = Rows(t, 86);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0].size(), 85u);
  EXPECT_EQ(rows[1].substr(0, 2), kZhong);
  // Trail bytes fall in the lead range: 国 ends in 0xFA, a row of them still cuts whole.
  std::string guo;
  for (int i = 0; i < 50; ++i) guo += kGuo;
  t.Assign("ab" + guo);
  EXPECT_EQ(t.NextRow(Room(86)).size(), 86u);
  EXPECT_EQ(t.NextRow(Room(86)).substr(0, 2), kGuo);
}

TEST(ArticleText, RowsFitTheRowsWidthAndALineEndStaysWithItsLine) {
  // 10 px a byte in 100 px: ten letters, or five characters, a row.
  TArticleText t;
  std::string text(25, 'W');
  t.Assign(text);
  EXPECT_EQ(Rows(t, Room(86, 100, 10)), (std::vector<std::string>{std::string(10, 'W'), std::string(10, 'W'),
                                                                  std::string(5, 'W')}));
  std::string chinese = "abc";
  for (int i = 0; i < 6; ++i) chinese += kZhong;
  t.Assign(chinese);
  std::vector<std::string> rows = Rows(t, Room(86, 100, 10));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "abc" + kZhong + kZhong + kZhong) << "the fourth character would pass the edge";
  EXPECT_EQ(rows[1], kZhong + kZhong + kZhong);

  // A line as long as the row keeps its CR LF: never a row of a bare CR, nor one starting with LF.
  t.Assign(std::string(86, 'a') + "\r\n" + std::string(85, 'b') + "\r\nc");
  rows = Rows(t, 86);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::string(86, 'a') + "\r\n");
  EXPECT_EQ(rows[1], std::string(85, 'b') + "\r\n");
  EXPECT_EQ(rows[2], "c");

  // A character wider than the whole row still makes a row of its own, whole.
  t.Assign(kZhong + "a");
  EXPECT_EQ(Rows(t, Room(1)), (std::vector<std::string>{kZhong, "a"}));
  t.Assign(kZhong + kGuo);
  EXPECT_EQ(Rows(t, Room(86, 5, 10)), (std::vector<std::string>{kZhong, kGuo}));
}

TEST(ArticleText, TextEndsAtNulAndALoneLeadByteIsDropped) {
  TArticleText t;
  t.Assign(std::string("abc\0def", 7));
  EXPECT_EQ(Rows(t, 86), std::vector<std::string>{"abc"});
  EXPECT_TRUE(t.AllCut());

  for (const std::string& text : {"ab" + kZhong + "\xD6", std::string("ab\xD6\0zz", 6), std::string("\xD6")}) {
    t.Assign(text);
    std::vector<std::string> rows = Rows(t, 86);
    std::string all;
    for (const std::string& r : rows) all += r;
    EXPECT_EQ(all.find('\xD6', all.size() - 1), std::string::npos) << "the lone byte is gone";
    EXPECT_EQ(t.NextRow(Room(86)), "") << "and the article ends";
  }
}

TEST(ArticleText, FilesListedUpTo300AndLargeOnesRefused) {
  ArticleFolder dir;
  for (int i = 0; i < 301; ++i) dir.Write("Chinese", "a" + std::to_string(i) + ".txt", "x");
  fs::create_directories(dir.root / "Chinese" / "sub");
  dir.Write("English", "The Home Row.txt", "asdf");
  TArticleList list = ListArticleFiles(dir.Folder(), 4);
  EXPECT_EQ(list.Prompt, "选择五笔练习文章");
  ASSERT_EQ(list.Items.size(), 300u);
  ASSERT_EQ(list.Paths.size(), 300u);
  for (std::size_t k = 0; k < 300; ++k) {
    EXPECT_EQ(list.Items[k].substr(0, list.Items[k].find('.')), std::to_string(k + 1));
    EXPECT_EQ(list.Paths[k].find("sub"), std::string::npos);
  }
  list = ListArticleFiles(dir.Folder(), 1);
  ASSERT_EQ(list.Items, std::vector<std::string>{"1.The Home Row"});
  TArticleText t;
  EXPECT_EQ(t.Load(list.Paths[0]), TArticleLoad::Loaded);
  EXPECT_EQ(t.NextRow(Room(86)), "asdf");
  EXPECT_TRUE(ListArticleFiles(dir.Folder(), 2).Items.empty());

  const std::string big = dir.Write("English", "big.txt", std::string(kMaxArticleBytes + 1, 'a'));
  EXPECT_EQ(t.Load(big), TArticleLoad::TooLarge);
  EXPECT_EQ(t.NextRow(Room(86)), "") << "nothing left of the article before";
  fs::resize_file(big, kMaxArticleBytes);
  EXPECT_EQ(t.Load(big), TArticleLoad::Loaded);
  EXPECT_EQ(t.Load(dir.Folder() + "missing.txt"), TArticleLoad::Unreadable);
}

TEST(ArticleText, DigitRowsFillTheRowWidth) {
  TSequenceRandom random;
  random.Queue({0, 7, 123456789, 999999998});
  EXPECT_EQ(RandomDigitRow(random, Room(12)), "07123456789");  // numbers while shorter than 12 - 9 bytes
  TSystemRandom system;
  for (int i = 0; i < 200; ++i) {
    std::string row = RandomDigitRow(system, Room(86));
    EXPECT_GE(row.size(), 77u);
    EXPECT_LE(row.size(), 85u);
    EXPECT_EQ(row.find_first_not_of("0123456789"), std::string::npos);
  }
  // 12 px digits in 961 px: 80 fit, so rows of 71..79 digits.
  for (int i = 0; i < 200; ++i) {
    std::string row = RandomDigitRow(system, Room(86, 961, 12));
    EXPECT_GE(row.size(), 71u);
    EXPECT_LE(row.size(), 79u);
  }
  // A row with room for a few digits only still shows some, within its room.
  const std::string few = RandomDigitRow(system, Room(86, 30, 10));
  EXPECT_GE(few.size(), 1u);
  EXPECT_LE(few.size(), 3u);
  EXPECT_FALSE(RandomDigitRow(system, Room(0)).empty());
}

TEST(RowColouring, WrongBytesRedAndCorrectionsTurnBack) {
  TRowColouring c;
  std::vector<TColourRun> changes;
  c.Reset("abc");
  EXPECT_EQ(c.Compare("abd", changes).WrongBytes, 1);
  ASSERT_EQ(changes.size(), 1u) << "only c changes: a and b stay as drawn";
  EXPECT_EQ(changes[0].Start, 2);
  EXPECT_EQ(changes[0].Count, 1);
  EXPECT_TRUE(changes[0].Red);
  EXPECT_EQ(c.Compare("ab", changes).WrongBytes, 0);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_FALSE(changes[0].Red);
  EXPECT_EQ(c.Compare("ab", changes).WrongBytes, 0);
  EXPECT_TRUE(changes.empty()) << "nothing to redraw";

  // A two-byte character with one wrong byte: one wrong byte counted, the
  // character drawn red whole; longer input than the row is compared up to the row.
  c.Reset("x" + kZhong + kGuo);
  EXPECT_EQ(c.Compare("x\xD6\xD1" + kGuo + "zz", changes).WrongBytes, 1);
  ASSERT_EQ(changes.size(), 1u) << "国 stays as drawn";
  EXPECT_EQ(changes[0].Start, 1);
  EXPECT_EQ(changes[0].Count, 2);
  EXPECT_TRUE(changes[0].Red);
}

TEST(RowColouring, RunsCountCharactersAsATextControlDoes) {
  TRowColouring c;
  std::vector<TColourRun> changes;
  c.Reset("a" + kZhong + "bc\r\n");
  EXPECT_EQ(c.Compare("a" + kZhong + "bx", changes).WrongBytes, 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].Start, 4);
  EXPECT_EQ(changes[0].FirstChar, 3) << "中 is one character";
  EXPECT_EQ(changes[0].Chars, 1);
  EXPECT_EQ(c.Compare("x" + kGuo, changes).WrongBytes, 3);
  ASSERT_EQ(changes.size(), 2u) << "a and 中 turn red, x back";
  EXPECT_EQ(changes[0].FirstChar, 0);
  EXPECT_EQ(changes[0].Chars, 2);
  EXPECT_EQ(changes[0].Count, 3);
  EXPECT_FALSE(changes[1].Red);
  // The line end is never compared: input past the line's text (after a
  // switch of the layout) leaves it as it is.
  EXPECT_EQ(c.Compare("a" + kZhong + "bcxy", changes).WrongBytes, 0);
  ASSERT_FALSE(changes.empty());
  for (const TColourRun& run : changes) EXPECT_LE(run.FirstChar + run.Chars, 4) << "the CR LF is character 4";
}

// Characters count from their first typed byte, as they are drawn: a letter
// typed under a two-byte character makes it typed and wrong.
TEST(RowColouring, TallyCountsTheCharactersReachedAndTheRedOnes) {
  TRowColouring c;
  std::vector<TColourRun> changes;
  c.Reset(kZhong + "a" + kGuo + "\r\n");
  struct Case {
    std::string typed;
    int bytes, wrongBytes, chars, wrongChars;
    std::size_t next;  // where the next character to type starts
  } cases[] = {
      {"", 0, 0, 0, 0, 0},
      {kZhong, 2, 0, 1, 0, 2},
      {"\xC3\xFB", 2, 2, 1, 1, 2},       // 名 for 中: both bytes differ
      {"\xD6\xD6", 2, 1, 1, 1, 2},       // 种 for 中: the lead byte shared
      {"b", 1, 1, 1, 1, 2},              // a letter under 中's lead byte
      {kZhong + "ab", 4, 1, 3, 1, 5},    // b under 国's lead byte
      {kZhong + "a" + kGuo, 5, 0, 3, 0, 5},
      {kZhong + "a" + kGuo + "xy", 5, 0, 3, 0, 5},  // the line end is not typed
  };
  for (const Case& k : cases) {
    const TRowTally t = c.Compare(k.typed, changes);
    EXPECT_EQ(t.Bytes, k.bytes) << k.typed;
    EXPECT_EQ(t.WrongBytes, k.wrongBytes) << k.typed;
    EXPECT_EQ(t.Chars, k.chars) << k.typed;
    EXPECT_EQ(t.WrongChars, k.wrongChars) << k.typed;
    EXPECT_EQ(c.NextToType(k.typed.size()), k.next) << k.typed;
  }
}

// A wrong blank has no ink to turn red: its run says so, apart from the
// letters around it; ideographic spaces and tabs too.
TEST(RowColouring, AWrongBlankIsARunOfItsOwn) {
  TRowColouring c;
  std::vector<TColourRun> changes;
  const std::string ideographic = "\xA1\xA1";
  c.Reset("a b\t" + ideographic + "c");
  c.Compare("xyzzzz", changes);
  ASSERT_EQ(changes.size(), 4u);
  const struct {
    int firstChar, chars;
    bool blank;
  } want[] = {{0, 1, false}, {1, 1, true}, {2, 1, false}, {3, 2, true}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(changes[i].Red);
    EXPECT_EQ(changes[i].FirstChar, want[i].firstChar) << i;
    EXPECT_EQ(changes[i].Chars, want[i].chars) << i;
    EXPECT_EQ(changes[i].Blank, want[i].blank) << i;
  }
  c.Compare("a", changes);
  ASSERT_EQ(changes.size(), 4u) << "back to normal: the blanks' runs say so too";
  EXPECT_TRUE(changes[1].Blank && !changes[1].Red);
  c.Compare("a b", changes);
  EXPECT_TRUE(changes.empty()) << "a blank typed right is not marked";
}

TEST_F(ArticleRun, RowsCompareColourCountAndSound) {
  TFeedback fb = StartArticle(19, "abcd\r\nsecond");
  EXPECT_TRUE(fb.Article.ShowPage);
  EXPECT_TRUE(fb.Article.InstallGuards);
  EXPECT_EQ(fb.Article.FocusRow, 1);
  EXPECT_EQ(screen().Article.Label17, "第1篇:a");
  EXPECT_EQ(session.Page().RowLengths[1], 6);
  EXPECT_EQ(session.Page().Rows[2], "second");
  fb = Release("abd");
  EXPECT_TRUE(fb.Article.ErrorSound);
  EXPECT_EQ(session.ArticleCounters().RowErrors, 1);
  EXPECT_EQ(fb.Article.ColourRow, 1);
  fb = Release("ab");
  EXPECT_FALSE(fb.Article.ErrorSound);
  EXPECT_EQ(session.ArticleCounters().RowErrors, 0);
  // The line's text typed: the row is done, its CR LF counted as typed right.
  fb = Release("abcd");
  EXPECT_EQ(fb.Article.FocusRow, 2);
  EXPECT_EQ(screen().Article.ActiveRow, 2);
  EXPECT_EQ(session.ArticleCounters().ArticleTyped, 6);
  EXPECT_EQ(session.ArticleCounters().ArticleErrors, 0);
  EXPECT_EQ(session.ArticleCounters().RowTyped, 0);
  unsigned short back = kVkBack, del = kVkDelete;
  for (int i = 0; i < 5; ++i) session.ArticleKeyDown(2, back, 0);  // auto-repeat
  session.ArticleKeyDown(2, del, 0);
  EXPECT_EQ(session.ArticleCounters().CorrectionKeys, 6);
}

// A narrower layout during a page cuts the page again from the row being
// typed, which starts again: a row is done only when all of it is typed, and
// no text is skipped on the way.
TEST_F(ArticleRun, ANarrowerRoomCutsThePageAgainAndSkipsNothing) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 7);
  session.RowRoom = Room(120);
  StartArticle(19, text);
  Release(session.Page().Rows[1]);
  ASSERT_EQ(screen().Article.ActiveRow, 2);
  Release(text.substr(120, 30));
  session.RowRoom = Room(200);
  EXPECT_FALSE(session.RowRoomChanged().Article.ShowPage) << "the rows fit a wider room";
  session.RowRoom = Room(86);
  TFeedback fb = session.RowRoomChanged();
  EXPECT_TRUE(fb.Article.ShowPage);
  EXPECT_EQ(fb.Article.FocusRow, 1);
  EXPECT_EQ(session.Page().Rows[1], text.substr(120, 86)) << "from the row being typed";
  EXPECT_EQ(session.Page().Rows[2], text.substr(206, 86));
  EXPECT_EQ(session.ArticleCounters().RowTyped, 0) << "typed again from its start";
  EXPECT_EQ(session.ArticleCounters().ArticleTyped, 120);

  // Typing what each row shows passes every byte of the article once.
  for (int i = 0; Running() && i < 10; ++i) Release(session.Page().Rows[screen().Article.ActiveRow]);
  EXPECT_FALSE(Running());
  EXPECT_EQ(session.ArticleCounters().ArticleTyped, 300);
}

TEST_F(ArticleRun, AnArticleEndsWithItsLastRowAndBareLinesPassAtOnce) {
  StartArticle(19, "first\r\n\r\n\r\nsecond");
  Release("first");
  EXPECT_EQ(screen().Article.ActiveRow, 4) << "two bare line ends passed";
  EXPECT_EQ(session.ArticleCounters().ArticleTyped, 7) << "the line and its end; the empty lines add nothing";
  EXPECT_TRUE(Running());
  TFeedback fb = session.ArticleKeyUp(4, "second");
  EXPECT_EQ(fb.Action, TWindowAction::End) << "no key in the empty rows";
  EXPECT_EQ(session.ArticleCounters().ArticleTyped, 13);

  // A page that starts with bare lines starts at its first row with text.
  session.Button2Click();
  StartArticle(19, "\r\n\r\nthird");
  EXPECT_EQ(screen().Article.ActiveRow, 3);
  EXPECT_EQ(Release("third").Action, TWindowAction::End);
}

TEST_F(ArticleRun, SixthRowLoadsTheNextPageAndTheArticleEnds) {
  std::string text;
  for (int i = 1; i <= 7; ++i) text += "row" + std::to_string(i) + "\r\n";
  text += "last";
  StartArticle(19, text);
  for (int k = 1; k <= 5; ++k) Release(session.Page().Rows[k].substr(0, 4));
  TFeedback fb = Release("row6");
  EXPECT_TRUE(fb.Article.ShowPage);
  EXPECT_EQ(fb.Article.FocusRow, 1);
  EXPECT_EQ(session.Page().Rows[1], "row7\r\n");
  EXPECT_EQ(session.Page().Rows[2], "last");
  EXPECT_EQ(session.Page().RowLengths[3], 0);
  Ticks(61);
  Release("row7");
  Release("last");
  EXPECT_FALSE(Running());
  ASSERT_EQ(scores.ScoreCount, 1);
  EXPECT_EQ(scores.ScoreRecords[1].Article, "a");
  EXPECT_EQ(scores.ScoreRecords[1].PracticeType, "英文文章");
  EXPECT_EQ(scores.ScoreRecords[1].Errors, "0");

  // An article whose sixth row is its last ends there, without an empty page.
  text.clear();
  for (int i = 1; i <= 6; ++i) text += "line" + std::to_string(i) + "\r\n";
  StartArticle(19, text);
  for (int k = 1; k <= 5; ++k) Release(session.Page().Rows[k].substr(0, 5));
  fb = Release("line6");
  EXPECT_FALSE(fb.Article.ShowPage);
  EXPECT_FALSE(Running());
}

TEST_F(ArticleRun, APageChangeCarriesNoColourOfTheOldPage) {
  // Rows of 86 letters without line breaks; the key that completes row 6 is wrong.
  StartArticle(19, std::string(86 * 8, 'a'));
  for (int k = 1; k <= 5; ++k) Release(std::string(86, 'a'));
  TFeedback fb = Release(std::string(85, 'a') + "b");
  EXPECT_TRUE(fb.Article.ShowPage);
  EXPECT_TRUE(fb.Article.ErrorSound);
  EXPECT_EQ(fb.Article.ColourRow, 0);
  EXPECT_TRUE(fb.Article.ColourChanges.empty());
  EXPECT_EQ(session.ArticleCounters().ArticleErrors, 1);
  fb = Release("a");
  EXPECT_TRUE(fb.Article.ColourChanges.empty()) << "row 1 of the new page is as it was drawn";
}

TEST_F(ArticleRun, PausedRowsTakeNoInput) {
  StartArticle(19, "abcdef");
  Release("ab");
  TFeedback fb = session.Button1Click({});
  EXPECT_TRUE(screen().Article.InputsReadOnly);
  fb = Release("abx");
  EXPECT_TRUE(fb.Article.ColourChanges.empty());
  EXPECT_FALSE(fb.Article.ErrorSound);
  unsigned short back = kVkBack;
  session.ArticleKeyDown(1, back, 0);
  EXPECT_EQ(session.ArticleCounters().RowTyped, 2);
  EXPECT_EQ(session.ArticleCounters().CorrectionKeys, 0);
  // Shift+Esc in the row continues; the row takes the focus again.
  unsigned short esc = kVkEscape;
  ASSERT_EQ(session.ArticleKeyDown(1, esc, kShiftBit).Action, TWindowAction::PauseOrContinue);
  fb = session.Button1Click({});
  EXPECT_FALSE(screen().Article.InputsReadOnly);
  EXPECT_EQ(fb.Article.FocusRow, 1);
  Release("abc");
  EXPECT_EQ(session.ArticleCounters().RowTyped, 3);
}

TEST_F(ArticleRun, TheRowRoomInForceCutsThePage) {
  session.RowRoom = Room(86, 100, 10);
  StartArticle(19, std::string(30, 'W'));
  EXPECT_EQ(session.Page().RowLengths[1], 10);
  session.Button2Click();
  session.RowRoom = Room(86);
  StartArticle(19, std::string(100, 'W'));
  EXPECT_EQ(session.Page().RowLengths[1], 86);
}

TEST_F(ArticleRun, DigitArticleEndsWhenItsPageIsDonePast8000Keys) {
  StartArticle(20);
  EXPECT_EQ(screen().Article.Label17, "随机数字文章");
  EXPECT_EQ(session.DigitPageResult(), 6);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_GE(session.Page().RowLengths[k], 77);
    EXPECT_LE(session.Page().RowLengths[k], 85);
  }
  TArticleCounters& a = session.ArticleCounters();
  a.ArticleTyped = 8001;
  Ticks(1);  // the clock brings the totals up to date
  for (int k = 1; k <= 5; ++k) Release(session.Page().Rows[k]);
  EXPECT_TRUE(Running());
  Release(session.Page().Rows[6]);
  EXPECT_FALSE(Running());
}

TEST_F(ArticleRun, MissingArticleIsToldThenTheRunEnds) {
  TArticleList list;
  list.Items = {"1.gone"};
  list.Paths = {dir.Folder() + "English/gone.txt"};
  session.SetArticleList(list);
  TFeedback fb = session.Button1Click({19, 4, 0, "1.gone"});
  EXPECT_EQ(fb.Article.ErrorBox, "1.gone文件打开失败！");
  EXPECT_EQ(fb.Action, TWindowAction::End);
  session.Button2Click();
  // An item past the list (an edited chooser text never gets this far).
  fb = session.Button1Click({19, 4, 5, "x"});
  EXPECT_EQ(fb.Action, TWindowAction::End);
  session.Button2Click();

  // Too large says so; a file without text to type is told as well.
  list.Paths = {dir.Write("English", "big.txt", "")};
  fs::resize_file(list.Paths[0], 20 * 1024 * 1024);
  session.SetArticleList(list);
  fb = session.Button1Click({19, 4, 0, "1.big"});
  EXPECT_EQ(fb.Article.ErrorBox, "1.big文件超过16MB的上限，无法打开！");
  EXPECT_EQ(fb.Action, TWindowAction::End);
  session.Button2Click();
  // Nothing to type; not a text file (a NUL or another control byte), not a text cut short.
  const std::pair<std::string, std::string> refused[] = {
      {std::string(), "文件中没有可练习的文字！"},
      {"\r\n\r\n", "文件中没有可练习的文字！"},
      {std::string("ab\0cd", 5), "文件不是文本文件，无法打开！"},
      {std::string("\0abc", 4), "文件不是文本文件，无法打开！"},
      {"ab\x1B", "文件不是文本文件，无法打开！"}};
  for (const auto& file : refused) {
    list.Paths = {dir.Write("English", "refused.txt", file.first)};
    session.SetArticleList(list);
    fb = session.Button1Click({19, 4, 0, "1.refused"});
    EXPECT_EQ(fb.Article.ErrorBox, "1.refused" + file.second);
    EXPECT_EQ(fb.Action, TWindowAction::End);
    session.Button2Click();
  }
}

TEST_F(ArticleRun, UnicodeArticleIsTypedInGbkAndWhatGbkLacksIsToldOnce) {
  TFeedback fb = StartArticle(19, "\xEF\xBB\xBF" "ab\xC3\xA7\xC3\xA7\r\nc");
  EXPECT_EQ(fb.Message, "1.a文件中有2个字符无法显示，已换成“?”。");
  EXPECT_TRUE(fb.Article.ErrorBox.empty());
  EXPECT_TRUE(Running());
  EXPECT_EQ(session.Page().Rows[1], "ab??\r\n");
  EXPECT_EQ(session.Page().Rows[2], "c");
  fb = Release("ab??");
  EXPECT_TRUE(fb.Message.empty()) << "told when the article opens only";
  EXPECT_EQ(session.ArticleCounters().ArticleErrors, 0);
  session.Button2Click();

  fb = StartArticle(21, "\xFE\xFF\x4E\x2D\x56\xFD");  // 中国 in UTF-16BE
  EXPECT_TRUE(fb.Message.empty());
  EXPECT_EQ(session.Page().Rows[1], kZhong + kGuo);
}

TEST_F(ArticleRun, PinyinRunHandsOverSlicesAndWalksReadingsWithF1) {
  TFeedback fb = StartArticle(21, kZhong + kGuo + "ab");
  EXPECT_EQ(fb.Article.Hints, THintCommand::Start);
  EXPECT_TRUE(screen().Article.InputImeOpen);
  fb = Release(kZhong);
  ASSERT_TRUE(fb.Article.Offer);
  EXPECT_EQ(fb.Article.Request.NextChar, kGuo);
  EXPECT_EQ(fb.Article.Request.NextTwoChars, kGuo + "ab");
  EXPECT_EQ(fb.Article.Request.NextFourChars, kGuo + "ab");

  TPinyinHint hint;
  hint.CodeHintText = "h1(中)";
  TReadingWalk& w = hint.Readings;
  for (int j = 1; j <= 3; ++j) {
    w.ReadingPinyins[j] = "p" + std::to_string(j);
    w.ReadingHintSpellings[j] = "h" + std::to_string(j);
  }
  w.ReadingCharacter = kZhong;
  hint.Request = fb.Article.Request;
  session.ShowPinyinHint(session.RunNumber(), hint);
  EXPECT_EQ(screen().Label8.Caption, "h1(中)");
  std::vector<std::string> shown;
  for (int i = 0; i < 4; ++i) {
    unsigned short f1 = kVkF1;
    session.ArticleKeyDown(1, f1, 0);
    shown.push_back(screen().Label8.Caption);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"h2(中)", "h3(中)", "h1(中)", "h2(中)"}));
  // F1's own release asks for no new lookup: the reading walked to stays.
  fb = Release(kZhong);
  EXPECT_FALSE(fb.Article.Offer);
  EXPECT_EQ(screen().Label8.Caption, "h2(中)");

  // Shift+Esc pauses the thread and hides the phrase hint; Esc ends and stops it.
  unsigned short esc = kVkEscape;
  fb = session.ArticleKeyDown(1, esc, kShiftBit);
  ASSERT_EQ(fb.Action, TWindowAction::PauseOrContinue);
  fb = session.Button1Click({});
  EXPECT_EQ(fb.Article.Hints, THintCommand::Pause);
  EXPECT_FALSE(screen().Article.Label16Visible);
  fb = session.Button1Click({});
  EXPECT_EQ(fb.Article.Hints, THintCommand::Continue);
  EXPECT_TRUE(screen().Article.Label16Visible);
  esc = kVkEscape;
  fb = session.ArticleKeyDown(1, esc, 0);
  ASSERT_EQ(fb.Action, TWindowAction::End);
  fb = session.Button2Click();
  EXPECT_EQ(fb.Article.Hints, THintCommand::Stop);
  EXPECT_TRUE(fb.Article.RemoveGuards);

  // A result of the finished run arriving late changes nothing, nor in the next run.
  const int old = session.RunNumber();
  hint.CodeHintText = "late";
  session.ShowPinyinHint(old, hint);
  EXPECT_NE(screen().Label8.Caption, "late");
  StartArticle(21, kZhong + kGuo);
  session.ShowPinyinHint(old, hint);
  EXPECT_NE(screen().Label8.Caption, "late");
}

// A Wubi result for the next characters to type as the thread would make it.
TWubiHint WubiResult(const THintRequest& request, const std::string& code, int picture) {
  TWubiHint hint;
  hint.Request = request;
  hint.CodeHintText = code;
  hint.PhraseHintText = code + "(phrase)";
  hint.PictureNumber = picture;
  return hint;
}

// The hint shown belongs to the next character to type, or nothing shows: a
// new row or page drops the last one's, and a result for characters typed
// since (or of a row gone) is not shown.
TEST_F(ArticleRun, WubiHintsBelongToTheNextCharacterToType) {
  std::string text;
  for (int i = 0; i < 6; ++i) text += kZhong + kGuo + "\r\n";
  text += kGuo + "a" + kZhong;
  TFeedback fb = StartArticle(22, text);
  EXPECT_FALSE(screen().Label8.Visible);
  ASSERT_TRUE(fb.Article.Offer) << "the first character's hint is asked for at the start";
  EXPECT_EQ(fb.Article.Request.NextChar, kZhong);
  EXPECT_EQ(fb.Article.Request.NextTwoChars, kZhong + kGuo) << "the line end is no character of it";
  fb = session.ShowWubiHint(session.RunNumber(), WubiResult(fb.Article.Request, "K", 7));
  EXPECT_EQ(screen().Label5.Caption, "K");
  EXPECT_EQ(screen().Article.Label16, "K(phrase)");
  EXPECT_TRUE(fb.ShowPicture);
  EXPECT_EQ(fb.PictureNo, 7);

  for (int row = 1; row <= 5; ++row) Release(kZhong + kGuo);
  fb = Release(kZhong);
  const THintRequest lastOfPage = fb.Article.Request;
  ASSERT_EQ(lastOfPage.NextChar, kGuo);
  EXPECT_TRUE(fb.ClearPicture) << "中's hint goes once 中 is typed";
  EXPECT_EQ(screen().Label5.Caption, "");
  session.ShowWubiHint(session.RunNumber(), WubiResult(lastOfPage, "L", 33));
  EXPECT_EQ(screen().Label5.Caption, "L");

  // The page's last character typed: the next page's first is another.
  fb = Release(kZhong + kGuo);
  ASSERT_TRUE(fb.Article.ShowPage);
  EXPECT_TRUE(fb.ClearPicture);
  EXPECT_EQ(screen().Label5.Caption, "");
  EXPECT_EQ(screen().Article.Label16, "");
  ASSERT_TRUE(fb.Article.Offer);
  EXPECT_EQ(fb.Article.Request.NextChar, kGuo);
  const THintRequest firstOfPage = fb.Article.Request;
  fb = session.ShowWubiHint(session.RunNumber(), WubiResult(lastOfPage, "L", 33));
  EXPECT_FALSE(fb.ShowPicture) << "a late result for the last page";
  EXPECT_EQ(screen().Label5.Caption, "");

  // A letter typed under a two-byte character: the next one to type is the one after it.
  fb = Release("x");
  ASSERT_TRUE(fb.Article.Offer);
  EXPECT_EQ(fb.Article.Request.NextChar[0], 'a');
  fb = session.ShowWubiHint(session.RunNumber(), WubiResult(firstOfPage, "L", 33));
  EXPECT_FALSE(fb.ShowPicture) << "typed on since";
}

// Dictionaries for the lookups: a character with three readings, phrases of
// two, three and four characters.
struct HintLookup : ::testing::Test {
  TDictionaries d;
  const std::string a = "\xB0\xA1", b = "\xB0\xA2", c = "\xB0\xA3", e = "\xB0\xA4";
  HintLookup() {
    d.PYOneTable.Add({"x1", b, "hx1", ""});
    for (int j = 1; j <= 3; ++j) d.PYOneTable.Add({"p" + std::to_string(j), a, "h" + std::to_string(j), ""});
    d.PYOneTable.Add({"y1", c, "hy1", ""});
    d.PYTwoTable.Add({"pab", a + b, "hab", {}});
    d.PYMultiTable.Add({"pabc", a + b + c, "habc", {}});
    d.WbOneTable.Add({{"", "k", "kh", "khk", "khkk"}, b});
    d.WbOneTable.Add({{"", "l", "lg", "lgy", "lgyi"}, a});
    d.WbTwoTable.Add({"khlg", a + b});
    d.WbMultiTable.Add({"abcd", a + b + c + e});
    d.WbMultiTable.Add({"abce", a + b + c});
  }
  THintRequest Next(const std::string& row) { return {row.substr(0, 2), row.substr(0, 4), row.substr(0, 6), row.substr(0, 8)}; }
  THintGate open = [] { return true; };
};

TEST_F(HintLookup, PinyinReadingsAndThreeCharacterPhraseWhenNoFour) {
  TPinyinHint h;
  ASSERT_TRUE(LookUpPinyinHint(d, Next(a + b + c + b), open, h));
  EXPECT_EQ(h.Readings.ReadingPinyins[3], "p3");
  EXPECT_EQ(h.Readings.ReadingPinyins[4], "") << "the next record is another character";
  EXPECT_EQ(h.CodeHintText, "h1(" + a + ")");
  EXPECT_EQ(h.PhraseHintText, "hab(" + a + b + ") pabc(" + a + b + c + ")habc");
  // At the row's end the longer slices are short and simply find nothing.
  ASSERT_TRUE(LookUpPinyinHint(d, Next(c), open, h));
  EXPECT_EQ(h.CodeHintText, "hy1(" + c + ")");
  EXPECT_EQ(h.PhraseHintText, "");
}

TEST_F(HintLookup, WubiCodesPictureAndFourCharacterPhraseFirst) {
  TWubiHint h;
  ASSERT_TRUE(LookUpWubiHint(d, Next(a + b + c + e), open, h));
  EXPECT_EQ(h.CodeHintText, "L");
  EXPECT_EQ(h.PictureNumber, 2);
  EXPECT_EQ(h.PhraseHintText, "KHLG(" + a + b + ")  ABCD(" + a + b + c + e + ")");
  ASSERT_TRUE(LookUpWubiHint(d, Next(e + a), open, h));
  EXPECT_EQ(h.CodeHintText, "");
  EXPECT_EQ(h.PictureNumber, 1) << "a character not found shows picture 1";
}

TEST_F(HintLookup, AClosedGateStopsTheScan) {
  int asked = 0;
  TPinyinHint h;
  EXPECT_FALSE(LookUpPinyinHint(d, Next(c), [&] { return ++asked < 3; }, h));
  EXPECT_EQ(asked, 3);
}

}  // namespace

#include "tests/tsan/handover_stress.h"

namespace {
TEST(HintHandOver, OneRequestAtATimeAndStopEndsTheWait) {
  THintHandOver h;
  THintRequest q{"a", "", "", ""}, got;
  EXPECT_EQ(h.State(), kHintIdle);
  EXPECT_TRUE(h.Offer(q));
  EXPECT_EQ(h.State(), kHintBusy);
  EXPECT_FALSE(h.Offer(q)) << "busy";
  ASSERT_TRUE(h.Take(got));
  EXPECT_EQ(got.NextChar, "a");
  h.Done();
  h.Pause();
  EXPECT_FALSE(h.Offer(q)) << "paused";
  h.Continue();
  EXPECT_TRUE(h.Gate());
  h.Stop();
  EXPECT_FALSE(h.Take(got));
  EXPECT_FALSE(h.Gate());
  EXPECT_FALSE(h.Offer(q));
}

TEST(HintHandOver, StressedWithoutLostRequestsOrLateResults) { EXPECT_EQ(RunHandOverStress(20, 3000), ""); }
}  // namespace

