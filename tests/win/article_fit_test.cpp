// The article rows fit the shown rows, laid out by the rich edit in its own
// font, in the window and at full screen; a run's first page is cut for the
// layout in force when it starts.
#include <gtest/gtest.h>

#include "article_window.h"

namespace {

class ArticleFit : public ArticleWindow {
protected:
  void FullScreen(bool on) {
    if ((form->Button6->GetCaption() == "窗口") != on) Click(form->Button6->Handle());
    Pump();
    ASSERT_EQ(form->Button6->GetCaption(), on ? "窗口" : "全屏");
  }
  // Every row of the page ends inside its room; a row of one character
  // repeated that was cut by the width (no line end, the bytes allowing one
  // more, text after it) has no room for one more of them.
  void ExpectPageFits() {
    for (int row = 1; row <= 6; ++row) {
      TRichEdit* r = Shown(row);
      const std::string text = r->GetText();
      if (text.empty()) continue;
      const int end = RowTextEnd(r), right = RowRoomRight(r);
      EXPECT_LE(end, right) << "row " << row << ": " << text;
      const bool lineEnd = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
      const std::size_t charBytes = static_cast<unsigned char>(text[0]) >= 0x81 ? 2 : 1;
      const bool bytesAllow = static_cast<int>(text.size() + charBytes) <= form->Session->RowRoom.MaxBytes;
      const bool oneCharacter = text.find_first_not_of(text.substr(0, charBytes)) == std::string::npos;
      if (!lineEnd && bytesAllow && oneCharacter && row < 6 && !Shown(row + 1)->GetText().empty()) {
        POINTL first{}, second{};
        SendMessageW(r->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
        SendMessageW(r->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), 1);
        EXPECT_GT(end + (second.x - first.x), right) << "row " << row << " has room left: " << text;
      }
    }
  }
  // Writes "long": 12 rows of 86 letters without line breaks; starts it at full screen.
  std::string StartLongArticleAtFullScreen() {
    std::string text;
    for (int i = 0; i < 12 * 86; ++i) text += static_cast<char>('a' + i % 7);
    WriteArticle("English", "long.txt", text);
    FullScreen(true);
    Choose(19, 1, "long");
    Start();
    return text;
  }
  // Types the page's rows whole.
  void TypePage() {
    for (int row = 1; row <= 6 && Running(); ++row) {
      const int active = form->Session->Screen().Article.ActiveRow;
      std::string text = Shown(active)->GetText();
      if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
      PutText(text);
    }
  }
};

TEST_F(ArticleFit, TheWidestRowsOfEachTypeFitInTheWindowAndAtFullScreen) {
  std::string english, chinese;
  for (char wide : std::string("WM@%m_w")) english += std::string(200, wide) + "\r\n";
  for (const char* wide : {"中", "—", "　", "Ｗ", "《", "…"}) {
    for (int i = 0; i < 100; ++i) chinese += wide;
    chinese += "\r\n";
  }
  WriteArticle("English", "wide.txt", english);
  WriteArticle("Chinese", "wide.txt", chinese);
  for (bool full : {false, true}) {
    FullScreen(full);
    SCOPED_TRACE(full ? "full screen" : "window");
    for (int type : {19, 20, 21, 22}) {
      SCOPED_TRACE(type);
      Choose(type, 1, type == 20 ? "" : "wide");
      Start();
      ASSERT_TRUE(Running());
      if (full) {
        EXPECT_GT(RowTextEnd(Shown(1)), 961) << "the full width is used";
      }
      for (int page = 0; page < 6 && Running(); ++page) {
        SCOPED_TRACE(page);
        ExpectPageFits();
        TypePage();
      }
      if (Running()) Key(Focused(), VK_ESCAPE);
      ASSERT_FALSE(Running());
    }
  }
}

TEST_F(ArticleFit, TheFirstPageAfterFullScreenIsCutForTheWindow) {
  StartLongArticleAtFullScreen();
  EXPECT_GT(Shown(1)->GetText().size(), 86u);
  PutText("abc");  // a key release at the full-screen width
  Key(Focused(), VK_ESCAPE);
  FullScreen(false);
  Choose(19, 1, "long");
  Start();
  EXPECT_LE(Shown(1)->GetText().size(), 86u);
  ExpectPageFits();
  // And a switch during a pause cuts the next page for the new layout.
  ChordKey({VK_SHIFT}, VK_ESCAPE);
  FullScreen(true);
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  TypePage();
  EXPECT_GT(Shown(1)->GetText().size(), 86u);
  Key(Focused(), VK_ESCAPE);
}

// Back to the window during a page: the rows no longer fit, so the page is
// cut again from the row being typed; every row is typed whole, no text skipped.
TEST_F(ArticleFit, BackToTheWindowDuringAPageCutsItAgainAndSkipsNothing) {
  const std::string text = StartLongArticleAtFullScreen();
  const std::string first = Shown(1)->GetText();
  ASSERT_GT(first.size(), 86u);
  PutText(first);
  PutText(Shown(2)->GetText().substr(0, 10));
  ChordKey({VK_SHIFT}, VK_ESCAPE);
  FullScreen(false);
  Click(form->Button1->Handle());
  ASSERT_EQ(form->Button1->GetCaption(), "暂停");
  ExpectPageFits();
  const std::string row = Shown(1)->GetText();
  EXPECT_EQ(row, text.substr(first.size(), row.size())) << "from the row being typed";
  EXPECT_EQ(form->Edit2->GetText(), "");
  EXPECT_EQ(form->Edit2->GetMaxLength(), static_cast<int>(row.size()));
  EXPECT_EQ(Focused(), form->Edit2->Handle());
  for (int page = 0; page < 20 && Running(); ++page) TypePage();
  ASSERT_FALSE(Running());
  EXPECT_EQ(form->Label6->GetCaption().find("英文文章练习,总数:1032 正确率:100% 错误:0 "), 0u)
      << form->Label6->GetCaption();
}

}  // namespace
