// The article rows in the real window: typed keys and Chinese characters,
// the colours read back from the shown rows, paging, the end, the clipboard
// guards and the F1 readings.
#include <gtest/gtest.h>

#include "article_window.h"
#include "screen_pixels.h"

namespace {

const std::string kZhong = "中", kGuo = "国";

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) text = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

TEST_F(ArticleWindow, TypedKeysColourWrongBytesAndCorrectionsTurnThemBack) {
  StartArticle(19, "abc", "abcd\r\ndef");
  ASSERT_TRUE(Running());
  EXPECT_EQ(form->Label17->GetCaption(), "第1篇:abc");
  EXPECT_TRUE(form->Label17->GetVisible());
  EXPECT_EQ(Shown(1)->GetText(), "abcd\r\n");
  EXPECT_EQ(Shown(2)->GetText(), "def");
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  EXPECT_FALSE(form->Edit3->GetEnabled());

  TypeKeys("abd");
  EXPECT_EQ(form->Edit2->GetText(), "abd");
  EXPECT_EQ(ColourAt(Shown(1), 0, 2), Normal());
  EXPECT_EQ(ColourAt(Shown(1), 2), Red());
  EXPECT_EQ(Counts().RowErrors, 1);
  KeyDown(VK_BACK);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  EXPECT_EQ(form->Edit2->GetText(), "ab");
  EXPECT_EQ(ColourAt(Shown(1), 2), Normal()) << "the correction restores c's colour";
  EXPECT_EQ(Counts().RowErrors, 0);

  // The line's last letter completes the row; its CR LF counts as typed right.
  EXPECT_EQ(form->Edit2->GetMaxLength(), 4);
  TypeKeys("cd");
  EXPECT_EQ(Focused(), form->Edit3->Handle());
  EXPECT_FALSE(form->Edit2->GetEnabled());
  EXPECT_EQ(Counts().ArticleTyped, 6);
  EXPECT_EQ(Counts().ArticleErrors, 0);
  EXPECT_EQ(ColourAt(Shown(1), 0, 4), Normal());
  // Enter, pressed after the line from habit, lands in the next row and does nothing there.
  Key(Focused(), VK_RETURN);
  EXPECT_EQ(Focused(), form->Edit3->Handle());
  EXPECT_EQ(Counts().ArticleTyped, 6);
}

// Enter before the end of a line does nothing to the row: a row is done only
// when all of its text is typed.
TEST_F(ArticleWindow, EnterDoesNothingToARowBeforeItsEnd) {
  std::string text;
  for (int i = 0; i < 5; ++i) text += std::string(40, 'a') + "\r\n";
  StartArticle(19, "lines", text);
  for (int i = 0; i < 5; ++i) {
    TypeKeys("a");
    Key(Focused(), VK_RETURN);
  }
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  EXPECT_EQ(form->Edit2->GetText(), "aaaaa");
  Key(Focused(), VK_ESCAPE);
  ASSERT_FALSE(Running());
  EXPECT_EQ(form->Label6->GetCaption().find("英文文章练习,总数:5 正确率:100% 错误:0 "), 0u) << form->Label6->GetCaption();
}

// The pixels of a shown row's character `pos` (as the control counts them)
// that are plainly red, and all of them: its cell from its left to the next
// character's, the row's height.
std::pair<int, int> RedPixelsOf(TRichEdit* row, int pos) {
  POINTL left{}, right{};
  SendMessageW(row->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&left), pos);
  SendMessageW(row->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&right), pos + 1);
  RECT client{};
  GetClientRect(row->Handle(), &client);
  UpdateWindow(row->Handle());
  const TScreenPixels p = ReadScreen(ScreenRectOf(row->Handle(), RECT{left.x, client.top, right.x, client.bottom}));
  int red = 0;
  for (COLORREF c : p.Pixels) red += GetRValue(c) >= 200 && GetGValue(c) <= 80 && GetBValue(c) <= 80;
  return {red, static_cast<int>(p.Pixels.size())};
}

// A wrong key where the row has a space shows: the space is drawn on red, and
// counts as any wrong character; typed right again, it is plain.
TEST_F(ArticleWindow, AWrongSpaceShowsOnRed) {
  StartArticle(19, "space", "ab cd");
  TypeKeys("ab");
  Pump();
  ASSERT_GT(RedPixelsOf(Shown(1), 2).second, 0);
  EXPECT_EQ(RedPixelsOf(Shown(1), 2).first, 0);
  TypeKeys("x");
  Pump();
  const std::pair<int, int> wrong = RedPixelsOf(Shown(1), 2);
  EXPECT_GT(wrong.first, wrong.second / 2) << "red of " << wrong.second << " pixels";
  EXPECT_EQ(Counts().RowErrors, 1);
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "article-wrong-space.bmp"));
  KeyDown(VK_BACK);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  TypeKeys(" c");
  Pump();
  EXPECT_EQ(RedPixelsOf(Shown(1), 2).first, 0) << "typed right again";
  EXPECT_EQ(Counts().RowErrors, 0);
}

TEST_F(ArticleWindow, TypedChineseCountsCharactersAndColoursAHalfWrongCharacterWhole) {
  // 中 is D6 D0; 种 D6 D6 shares its lead byte: one wrong character, drawn red.
  StartArticle(21, "zh", kZhong + kGuo + "人民\r\n" + "人民");
  TypeText("种");
  EXPECT_EQ(form->Edit2->GetText(), "种");
  EXPECT_EQ(Counts().RowErrors, 1);
  EXPECT_EQ(ColourAt(Shown(1), 0, 2), Red());
  EXPECT_EQ(ColourAt(Shown(1), 2, 2), Normal());
  KeyDown(VK_BACK);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  TypeText(kZhong + kGuo);
  EXPECT_EQ(Counts().RowErrors, 0);
  EXPECT_EQ(ColourAt(Shown(1), 0, 4), Normal());
  TypeText("人名");
  EXPECT_EQ(ColourAt(Shown(1), 6, 2), Red());
  EXPECT_EQ(Focused(), form->Edit3->Handle()) << "its 8 bytes typed: the row is complete";
  EXPECT_EQ(Counts().ArticleTyped, 5) << "four characters and the line end";
  EXPECT_EQ(Counts().ArticleErrors, 1) << "名 for 民, though they share their lead byte";
}

TEST_F(ArticleWindow, RowsCutAtTheWidthBeforeASplitCharacter) {
  std::string text = "a";
  for (int i = 0; i < 60; ++i) text += kZhong;
  StartArticle(22, "wide", text);
  EXPECT_EQ(Shown(1)->GetText().size(), 85u) << "the 86th byte would be a lead byte";
  EXPECT_EQ(Shown(2)->GetText().substr(0, 2), kZhong);
  EXPECT_EQ(form->Edit2->GetMaxLength(), 85);
  Key(Focused(), VK_ESCAPE);
  ASSERT_FALSE(Running());
}

TEST_F(ArticleWindow, DigitRowsHoldUpToEightyFiveDigitsThatFit) {
  Choose(20);
  EXPECT_FALSE(form->ComboBox1->GetVisible()) << "数字文章 has no chooser";
  Start();
  EXPECT_EQ(form->Label17->GetCaption(), "随机数字文章");
  for (int row = 1; row <= 6; ++row) {
    const std::string digits = Shown(row)->GetText();
    EXPECT_GE(digits.size(), 60u);
    EXPECT_LE(digits.size(), 85u);
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_LE(RowTextEnd(Shown(row)), RowRoomRight(Shown(row))) << digits;
  }
}

TEST_F(ArticleWindow, PasteRefusedDuringARunOnlyAndGuardsComeOffAtEveryEnd) {
  WriteArticle("English", "abc.txt", "abcdef");
  auto clipboard = [](const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (wcslen(text) + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(mem), text, (wcslen(text) + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  };
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    clipboard(L"abc");
    Choose(19, 0, "abc");
    Start();
    ASSERT_TRUE(form->ClipboardGuardsInstalled());
    SendMessageW(form->Edit2->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "");
    TypeKeys("ab");
    SendMessageW(form->Edit2->Handle(), WM_COPY, 0, 0);
    SendMessageW(form->Edit2->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "ab");
    // Nor through the keys the edit pastes, copies and cuts with by itself.
    for (const auto& chord : std::vector<std::pair<WORD, WORD>>{{VK_SHIFT, VK_INSERT}, {VK_CONTROL, 'V'},
                                                                 {VK_CONTROL, VK_INSERT}, {VK_CONTROL, 'C'},
                                                                 {VK_SHIFT, VK_DELETE}, {VK_CONTROL, 'X'}}) {
      SCOPED_TRACE(chord.second);
      form->Edit2->SetText("ab");
      clipboard(L"xyz");
      form->Edit2->SelectAll();
      ChordKey({chord.first}, chord.second);
      EXPECT_EQ(form->Edit2->GetText(), "ab");
      EXPECT_EQ(ClipboardText(), L"xyz");
    }
    // The first run ends by the clock, the second by Esc in the row.
    if (run == 0) Seconds(60);
    else Key(Focused(), VK_ESCAPE);
    ASSERT_FALSE(Running());
    EXPECT_FALSE(form->ClipboardGuardsInstalled());
    form->Edit2->SetText("");
    SendMessageW(form->Edit2->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "xyz") << "a plain edit outside article runs";
  }
  EXPECT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].Article, "abc");
}

TEST_F(ArticleWindow, SixthRowLoadsTheNextPageAndFocusesRowOne) {
  std::string text;
  for (int i = 1; i <= 8; ++i) text += std::string("row") + char('a' + i) + "\r\n";
  text += "end";
  StartArticle(19, "rows", text);
  for (int row = 1; row <= 6; ++row) {
    EXPECT_EQ(Focused(), Input(row)->Handle()) << row;
    TypeKeys(Shown(row)->GetText().substr(0, 4));
  }
  EXPECT_EQ(Shown(1)->GetText(), "rowh\r\n");
  EXPECT_EQ(Shown(3)->GetText(), "end");
  EXPECT_EQ(Shown(4)->GetText(), "");
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(Input(row)->GetText(), "") << row;
  EXPECT_EQ(ColourAt(Shown(1), 0, 4), Normal()) << "a new page starts uncoloured";
  EXPECT_EQ(Counts().ArticleTyped, 36);
  EXPECT_EQ(Counts().ArticleErrors, 0);
}

TEST_F(ArticleWindow, AWrongLastKeyInRowSixLeavesPageTwoUncoloured) {
  // Rows of 86 letters without line breaks (the row room allowing).
  std::string text;
  for (int i = 0; i < 12 * 86; ++i) text += static_cast<char>('a' + i % 7);
  StartArticle(19, "long", text);
  for (int row = 1; row <= 5; ++row) PutText(Shown(row)->GetText());
  const std::string six = Shown(6)->GetText();
  PutText(six.substr(0, six.size() - 1) + (six.back() == 'z' ? "y" : "z"));
  EXPECT_EQ(Counts().ArticleErrors, 1);
  ASSERT_EQ(Focused(), form->Edit2->Handle()) << "page 2";
  for (int row = 1; row <= 6; ++row) {
    const int bytes = static_cast<int>(Shown(row)->GetText().size());
    ASSERT_GT(bytes, 0);
    for (int pos = 0; pos < bytes; ++pos) ASSERT_EQ(ColourAt(Shown(row), pos), Normal()) << "row " << row << " byte " << pos;
  }
  TypeKeys(Shown(1)->GetText().substr(0, 3));
  Pump();
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "article-page2.bmp"));
}

TEST_F(ArticleWindow, PausedRowsTakeNoKeys) {
  StartArticle(19, "abc", "abcdef");
  TypeKeys("ab");
  ChordKey({VK_SHIFT}, VK_ESCAPE);
  ASSERT_EQ(form->Button1->GetCaption(), "继续");
  TypeKeys("cx");
  KeyDown(VK_BACK);
  EXPECT_EQ(form->Edit2->GetText(), "ab");
  EXPECT_EQ(Counts().RowTyped, 2);
  EXPECT_EQ(Counts().CorrectionKeys, 0);
  // Shift+Esc in the row continues it, and typing goes on where it was.
  ChordKey({VK_SHIFT}, VK_ESCAPE);
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  TypeKeys("c");
  EXPECT_EQ(form->Edit2->GetText(), "abc");
  EXPECT_EQ(Counts().RowTyped, 3);
  // Continued by the mouse: the row has the focus back.
  ChordKey({VK_SHIFT}, VK_ESCAPE);
  ASSERT_EQ(form->Button1->GetCaption(), "继续");
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  EXPECT_EQ(Focused(), form->Edit2->Handle());
}

TEST_F(ArticleWindow, TheChooserComesBackWhenARunEnds) {
  WriteArticle("English", "one.txt", "one");
  StartArticle(19, "two", "two");
  EXPECT_FALSE(form->ComboBox1->GetVisible());
  Key(Focused(), VK_ESCAPE);
  ASSERT_FALSE(Running());
  EXPECT_TRUE(form->ComboBox1->GetVisible()) << "the idle screen of an article type";
  EXPECT_TRUE(form->ComboBox1->GetEnabled());
  Click(form->RadioGroup1->Buttons(19)->Handle());
  EXPECT_TRUE(form->ComboBox1->GetVisible());
  Choose(19, 1, "one");
  Start();
  EXPECT_EQ(Shown(1)->GetText(), "one");
  Key(Focused(), VK_ESCAPE);
  Choose(20);
  EXPECT_FALSE(form->ComboBox1->GetVisible());
  Start();
  Key(Focused(), VK_ESCAPE);
  EXPECT_FALSE(form->ComboBox1->GetVisible()) << "数字文章 has none";
}

TEST_F(ArticleWindow, TwoRowArticleEndsWithItsLastRow) {
  StartArticle(19, "two", "ab\r\ncd");
  TypeKeys("ab");
  ASSERT_TRUE(Running());
  TypeKeys("cd");
  EXPECT_FALSE(Running());
  EXPECT_FALSE(form->RichEdit1->GetVisible());
  EXPECT_FALSE(form->Edit2->GetVisible());
  EXPECT_EQ(form->Label6->GetCaption().find("英文文章练习,总数:"), 0u);
}

TEST_F(ArticleWindow, DigitArticleEndsPast8000KeysWhenItsPageIsDone) {
  Choose(20, 4);
  Start();
  int rows = 0;
  while (Running() && rows < 200) {
    const int row = (rows % 6) + 1;
    PutText(Shown(row)->GetText());
    if (row == 6) Seconds(4);  // the clock brings the totals up to date
    ++rows;
  }
  EXPECT_FALSE(Running());
  EXPECT_EQ(rows % 6, 0) << "ends when a page is done";
  ASSERT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].PracticeType, "数字文章");
  EXPECT_GE(Counts().ArticleTyped, 8000);
}

TEST_F(ArticleWindow, BackspaceAutoRepeatCountsEveryRepeat) {
  StartArticle(19, "abc", "abcdef");
  TypeKeys("abc");
  KeyDown(VK_BACK, 1);
  for (int i = 0; i < 4; ++i) KeyDown(VK_BACK, 0x40000001);  // auto-repeat
  KeyDown(VK_DELETE, 0x01530001);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  EXPECT_EQ(Counts().CorrectionKeys, 6);
  Seconds(1);
  EXPECT_NE(form->Label7->GetCaption().find("回退:6"), std::string::npos);
}

// A character with exactly three readings in the pinyin table.
std::string ThreeReadingCharacter() {
  const TPYOneTable& t = Practice.Dictionaries.PYOneTable;
  for (int r = 1; r + 2 <= t.Count(); ++r) {
    const std::string& c = t[r].Character;
    if ((r > 1 && t[r - 1].Character == c) || t[r + 1].Character != c || t[r + 2].Character != c) continue;
    if (r + 3 <= t.Count() && t[r + 3].Character == c) continue;
    if (c.size() == 2) return c;
  }
  return std::string();
}

TEST_F(ArticleWindow, F1WalksThreeReadingsTwoThreeOneTwo) {
  const std::string c = ThreeReadingCharacter();
  ASSERT_FALSE(c.empty());
  StartArticle(21, "f1", c + kZhong);
  ASSERT_TRUE(HintsSettled());
  PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);  // a release before the first character
  Serve();
  ASSERT_TRUE(HintsSettled());
  const TReadingWalk& w = form->Session->Readings();
  ASSERT_EQ(w.ReadingCharacter, c);
  EXPECT_EQ(form->Label8->GetCaption(), w.ReadingHintSpellings[1] + "(" + c + ")");
  for (int n : {2, 3, 1, 2}) {
    KeyDown(VK_F1);
    EXPECT_EQ(form->Label8->GetCaption(), w.ReadingHintSpellings[n] + "(" + c + ")") << n;
  }
  // F1's release asks for nothing new: the reading walked to stays.
  PostMessageW(Focused(), WM_KEYUP, VK_F1, 0xC0000001);
  Serve();
  ASSERT_TRUE(HintsSettled());
  EXPECT_EQ(form->Label8->GetCaption(), w.ReadingHintSpellings[2] + "(" + c + ")");
  EXPECT_FALSE(form->Label8->GetFont()->GetStyle() & fsBold) << "the pinyin article's Label8 is regular";
}

}  // namespace
