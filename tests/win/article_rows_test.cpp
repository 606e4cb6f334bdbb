// The article rows in the real window: typed keys and Chinese characters,
// the colours read back from the shown rows, paging, the end, the clipboard
// guards and the F1 readings.
#include <gtest/gtest.h>

#include "article_window.h"

namespace {

const std::string kZhong = "中", kGuo = "国";

TEST_F(ArticleWindow, TypedKeysColourWrongBytesAndCorrectionsTurnThemBack) {
  WriteArticle("English", "abc.txt", "abc\r\ndef");
  Choose(19, 1, "abc");
  Start();
  ASSERT_TRUE(Running());
  EXPECT_EQ(form->Label17->GetCaption(), "第1篇:abc");
  EXPECT_TRUE(form->Label17->GetVisible());
  EXPECT_EQ(Shown(1)->GetText(), "abc\r\n");
  EXPECT_EQ(Shown(2)->GetText(), "def");
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  EXPECT_FALSE(form->Edit3->GetEnabled());

  TypeKeys("abd");
  EXPECT_EQ(form->Edit2->GetText(), "abd");
  EXPECT_EQ(ColourAt(Shown(1), 0, 2), Normal());
  EXPECT_EQ(ColourAt(Shown(1), 2), Red());
  EXPECT_EQ(Counts().RowErrorBytes, 1);
  KeyDown(VK_BACK);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  EXPECT_EQ(form->Edit2->GetText(), "ab");
  EXPECT_EQ(ColourAt(Shown(1), 2), Normal()) << "the correction restores c's colour";
  EXPECT_EQ(Counts().RowErrorBytes, 0);

  // CR LF cannot be typed: two more keys complete the row with two wrong bytes.
  TypeKeys("c  ");
  EXPECT_EQ(Focused(), form->Edit3->Handle());
  EXPECT_FALSE(form->Edit2->GetEnabled());
  EXPECT_EQ(Counts().ArticleTypedBytes, 5);
  EXPECT_EQ(Counts().ArticleErrorBytes, 2);
  EXPECT_EQ(ColourAt(Shown(1), 3), Red());
}

TEST_F(ArticleWindow, TypedChineseComparesBytesAndColoursAHalfWrongCharacterWhole) {
  // 中 is D6 D0; 种 D6 D6 shares its lead byte: one wrong byte, the character red.
  WriteArticle("Chinese", "zh.txt", kZhong + kGuo + "人民");
  Choose(21, 1, "zh");
  Start();
  TypeText("种");
  EXPECT_EQ(form->Edit2->GetText(), "种");
  EXPECT_EQ(Counts().RowErrorBytes, 1);
  EXPECT_EQ(ColourAt(Shown(1), 0, 2), Red());
  EXPECT_EQ(ColourAt(Shown(1), 2, 2), Normal());
  KeyDown(VK_BACK);
  PostMessageW(Focused(), WM_KEYUP, VK_BACK, 0xC0000001);
  Serve();
  TypeText(kZhong + kGuo);
  EXPECT_EQ(Counts().RowErrorBytes, 0);
  EXPECT_EQ(ColourAt(Shown(1), 0, 4), Normal());
  TypeText("人名");
  EXPECT_EQ(ColourAt(Shown(1), 6, 2), Red());
  EXPECT_EQ(Focused(), form->Edit3->Handle()) << "8 bytes typed: the row is complete";
  EXPECT_EQ(Counts().ArticleTypedBytes, 8);
  EXPECT_EQ(Counts().ArticleErrorBytes, 1) << "名 and 民 share their lead byte";
}

TEST_F(ArticleWindow, RowsCutAtTheWidthBeforeASplitCharacterAndAtNul) {
  std::string text = "a";
  for (int i = 0; i < 60; ++i) text += kZhong;
  WriteArticle("Chinese", "wide.txt", text);
  WriteArticle("English", "zero.txt", std::string("abc\0def", 7));
  Choose(22, 1, "wide");
  Start();
  EXPECT_EQ(Shown(1)->GetText().size(), 85u) << "the 86th byte would be a lead byte";
  EXPECT_EQ(Shown(2)->GetText().substr(0, 2), kZhong);
  EXPECT_EQ(form->Edit2->GetMaxLength(), 85);
  Key(Focused(), VK_ESCAPE);
  ASSERT_FALSE(Running());

  Choose(19, 1, "zero");
  Start();
  EXPECT_EQ(Shown(1)->GetText(), "abc");
  EXPECT_EQ(Shown(2)->GetText(), "");
  Key(Focused(), VK_ESCAPE);
}

TEST_F(ArticleWindow, DigitRowsHoldSeventySevenToEightyFiveDigits) {
  Choose(20);
  EXPECT_FALSE(form->ComboBox1->GetVisible()) << "数字文章 has no chooser";
  Start();
  EXPECT_EQ(form->Label17->GetCaption(), "随机数字文章");
  for (int row = 1; row <= 6; ++row) {
    const std::string digits = Shown(row)->GetText();
    EXPECT_GE(digits.size(), 77u);
    EXPECT_LE(digits.size(), 85u);
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
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
  clipboard(L"abc");
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    Choose(19, 0, "abc");
    Start();
    ASSERT_TRUE(form->ClipboardGuardsInstalled());
    SendMessageW(form->Edit2->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "");
    TypeKeys("ab");
    SendMessageW(form->Edit2->Handle(), WM_COPY, 0, 0);
    SendMessageW(form->Edit2->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "ab");
    // The first run ends by the clock, the second by Esc in the row.
    if (run == 0) Seconds(60);
    else Key(Focused(), VK_ESCAPE);
    ASSERT_FALSE(Running());
    EXPECT_FALSE(form->ClipboardGuardsInstalled());
    form->Edit2->SetText("");
    SendMessageW(form->Edit2->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(form->Edit2->GetText(), "abc") << "a plain edit outside article runs";
  }
  EXPECT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].Article, "abc");
}

TEST_F(ArticleWindow, SixthRowLoadsTheNextPageAndFocusesRowOne) {
  std::string text;
  for (int i = 1; i <= 8; ++i) text += std::string("row") + char('a' + i) + "\r\n";
  text += "end";
  WriteArticle("English", "rows.txt", text);
  Choose(19, 1, "rows");
  Start();
  for (int row = 1; row <= 6; ++row) {
    EXPECT_EQ(Focused(), Input(row)->Handle()) << row;
    TypeKeys(Shown(row)->GetText().substr(0, 4) + "  ");
  }
  EXPECT_EQ(Shown(1)->GetText(), "rowh\r\n");
  EXPECT_EQ(Shown(3)->GetText(), "end");
  EXPECT_EQ(Shown(4)->GetText(), "");
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(Input(row)->GetText(), "") << row;
  EXPECT_EQ(ColourAt(Shown(1), 0, 4), Normal()) << "a new page starts uncoloured";
  EXPECT_EQ(Counts().ArticleTypedBytes, 36);
  EXPECT_EQ(Counts().ArticleErrorBytes, 12);
}

TEST_F(ArticleWindow, TwoRowArticleEndsAfterOneKeyInEachEmptyRow) {
  WriteArticle("English", "two.txt", "ab\r\ncd");
  Choose(19, 1, "two");
  Start();
  TypeKeys("ab  cd");
  for (int row = 3; row <= 6; ++row) {
    ASSERT_TRUE(Running()) << row;
    EXPECT_EQ(Focused(), Input(row)->Handle());
    TypeKeys(" ");
  }
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
  EXPECT_GE(Counts().ArticleTypedBytes, 8000);
}

TEST_F(ArticleWindow, BackspaceAutoRepeatCountsEveryRepeat) {
  WriteArticle("English", "abc.txt", "abcdef");
  Choose(19, 1, "abc");
  Start();
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
  WriteArticle("Chinese", "f1.txt", c + kZhong);
  Choose(21, 1, "f1");
  Start();
  ASSERT_EQ(form->HintThreadState(), kHintIdle);
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
  EXPECT_FALSE(form->Label8->GetFont()->GetStyle() & fsBold) << "the pinyin article's Label8 is regular";
}

}  // namespace
