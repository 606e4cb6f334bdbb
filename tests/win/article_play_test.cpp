// Article runs played through as a learner plays them, the hint threads
// under load, shut-down during a lookup, and screenshots mid-row.
#include <gtest/gtest.h>

#include <random>

#include "article_window.h"

namespace {

struct TPlay {
  int type;
  const char* kind;
  const char* name;
  const char* caption;
};

// Types the rows of the page one character at a time (Chinese as an input
// method delivers it, the rest as keys); a line's CR LF needs no key.
class ArticlePlay : public ArticleWindow {
protected:
  // Types the row whose input has the focus, to its end.
  void TypeRow() {
    std::string text = Shown(form->Session->Screen().Article.ActiveRow)->GetText();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    TypeText(text);
  }
  void PlayPage() {
    for (int row = 1; row <= 6 && Running(); ++row) TypeRow();
  }
};

TEST_F(ArticlePlay, EachArticleTypeEndsAtItsEndAndByTheClockAndRunsAgain) {
  WriteArticle("English", "Fable.txt", "the north wind and the sun\r\ndisputed which was the stronger");
  WriteArticle("Chinese", "夜思.txt", "床前明月光，疑是地上霜。\r\n举头望明月，低头思故乡。");
  const TPlay plays[] = {{19, "English", "Fable", "英文文章"},
                         {20, nullptr, nullptr, "数字文章"},
                         {21, "Chinese", "夜思", "拼音文章"},
                         {22, "Chinese", "夜思", "五笔文章"}};
  int records = 0;
  for (const TPlay& p : plays) {
    SCOPED_TRACE(p.caption);
    for (int round = 0; round < 2; ++round) {
      // Up to the article's end (the digit article: a page), after a minute.
      Choose(p.type, 1, p.name ? p.name : "");
      Start();
      ASSERT_TRUE(Running());
      // The record holds the totals of the last clock tick: the first row
      // is typed before the minute is up.
      TypeRow();
      Seconds(61);
      if (p.type == 20) {
        PlayPage();
        EXPECT_TRUE(Running()) << "digits go on to 8000 keys";
        Key(Focused(), VK_ESCAPE);
      } else {
        while (Running()) PlayPage();
      }
      ASSERT_FALSE(Running());
      ASSERT_EQ(Practice.Scores.ScoreCount, ++records);
      const svlScoreSet& r = Practice.Scores.ScoreRecords[records];
      EXPECT_EQ(r.PracticeType, p.caption);
      EXPECT_EQ(r.Article, p.name ? p.name : "");
      EXPECT_EQ(r.Errors, "0");
      EXPECT_EQ(form->HintThreadState(), kHintNone) << "the run's thread is gone";

      // By the clock, in the middle of a row.
      Choose(p.type, 0, p.name ? p.name : "");
      Start();
      ASSERT_TRUE(Running());
      TypeText(Shown(1)->GetText().substr(0, p.type >= 21 ? 4 : 3));
      EXPECT_EQ(ColourAt(Shown(1), 0, 2), Normal());
      Seconds(60);
      ASSERT_FALSE(Running());
      ASSERT_EQ(Practice.Scores.ScoreCount, ++records);
      EXPECT_EQ(Practice.Scores.ScoreRecords[records].Article, p.name ? p.name : "");
      EXPECT_EQ(Practice.Scores.ScoreRecords[records].Total, p.type >= 21 ? "2字" : "3字");
      EXPECT_FALSE(form->ClipboardGuardsInstalled());
      EXPECT_FALSE(form->Label16->GetVisible());
      EXPECT_FALSE(form->Label17->GetVisible());
    }
  }
}

TEST_F(ArticlePlay, HintsFollowFastTypingPausesAndEndsWithoutLateResults) {
  CopyShippedArticles("Chinese");
  std::mt19937 random(7);
  for (int run = 0; run < 6; ++run) {
    SCOPED_TRACE(run);
    const int type = run % 2 ? 22 : 21;
    Choose(type, 4, "宋诗选读");
    Start();
    ASSERT_TRUE(HintsSettled()) << "the first character's hint, asked for at the start";
    for (int release = 0; release < 600 && Running(); ++release) {
      const unsigned dice = random() % 100;
      if (dice < 4) {
        form->Button1Click(form);  // pause or continue
        continue;
      }
      if (dice < 50) {
        // A fast release that types nothing: the thread is often busy.
        PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);
        Serve();
        continue;
      }
      const std::string rowText = Shown(form->Session->Screen().Article.ActiveRow)->GetText();
      const std::string typed = Input(form->Session->Screen().Article.ActiveRow)->GetText();
      if (typed.size() + 2 <= rowText.size() && rowText[typed.size()] & 0x80) TypeText(rowText.substr(typed.size(), 2));
      else TypeKeys(" ");
    }
    if (form->Button1->GetCaption() == "继续") form->Button1Click(form);
    if (run % 3 == 2) {
      // Ended in the middle of a lookup: nothing of it shows afterwards.
      PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);
      Serve();
      Key(Focused(), VK_ESCAPE);
    } else {
      // No lost wake-up: the thread comes back idle, and the next release is answered.
      ASSERT_TRUE(HintsSettled());
      PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);
      Serve();
      ASSERT_TRUE(HintsSettled());
      const int row = form->Session->Screen().Article.ActiveRow;
      const std::string rest = Shown(row)->GetText().substr(Input(row)->GetText().size());
      const THintRequest next{rest.substr(0, 2), rest.substr(0, 4), rest.substr(0, 6), rest.substr(0, 8)};
      auto open = [] { return true; };
      if (type == 21) {
        TPinyinHint expected;
        LookUpPinyinHint(Practice.Dictionaries, next, open, expected);
        EXPECT_EQ(form->Label8->GetCaption(), expected.CodeHintText);
        EXPECT_EQ(form->Label16->GetCaption(), expected.PhraseHintText);
      } else {
        TWubiHint expected;
        LookUpWubiHint(Practice.Dictionaries, next, open, expected);
        EXPECT_EQ(form->Label5->GetCaption(), expected.CodeHintText);
        EXPECT_EQ(form->Label16->GetCaption(), expected.PhraseHintText);
      }
      Key(Focused(), VK_ESCAPE);
    }
    ASSERT_FALSE(Running());
    for (int i = 0; i < 20; ++i) {
      Application->ProcessMessages();
      Sleep(2);
    }
    EXPECT_EQ(form->HintThreadState(), kHintNone);
    EXPECT_EQ(form->Label5->GetCaption(), "");
    EXPECT_EQ(form->Label8->GetCaption(), "");
    EXPECT_EQ(form->Label16->GetCaption(), "");
  }
}

TEST_F(ArticlePlay, ClosingDuringALookupStopsTheThread) {
  CopyShippedArticles("Chinese");
  Choose(22, 4, "宋诗选读");
  Start();
  PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);
  Serve();
  TCloseAction action = TCloseAction::caFree;
  form->FormClose(form, action);  // the thread stops before the tables go
  EXPECT_EQ(form->HintThreadState(), kHintNone);
  delete form;
  form = nullptr;
  SUCCEED();
}

// F1 walks the next character's readings, and the reading it shows stays
// through F1's own release, which hands the same character over again.
TEST_F(ArticlePlay, F1ShowsTheSecondReadingOfHaoAndDa) {
  StartArticle(21, "readings", "好大\r\n");
  PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);  // the first lookup
  Serve();
  ASSERT_TRUE(HintsSettled());
  EXPECT_EQ(form->Label8->GetCaption(), "hǎo(好)");
  Key(Focused(), VK_F1);
  ASSERT_TRUE(HintsSettled());
  Serve();
  EXPECT_EQ(form->Label8->GetCaption(), "hào(好)");
  Pump();
  ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "pinyin-article-f1.bmp"));
  Key(Focused(), VK_F1);
  ASSERT_TRUE(HintsSettled());
  EXPECT_EQ(form->Label8->GetCaption(), "hǎo(好)");

  TypeText("好");
  ASSERT_TRUE(HintsSettled());
  Serve();
  EXPECT_EQ(form->Label8->GetCaption(), "dà(大)");
  Key(Focused(), VK_F1);
  ASSERT_TRUE(HintsSettled());
  Serve();
  EXPECT_EQ(form->Label8->GetCaption(), "dài(大)");
  Key(Focused(), VK_ESCAPE);
}

TEST_F(ArticlePlay, PinyinAndWubiArticlesMidRowScreenshots) {
  CopyShippedArticles("Chinese");
  for (int type : {21, 22}) {
    Choose(type, 4, "唐诗七言绝句");
    Start();
    const std::string row = Shown(1)->GetText();
    TypeText(row.substr(0, 14));  // 《回乡偶书》贺
    TypeText(type == 21 ? "木" : row.substr(14, 2));
    ASSERT_TRUE(HintsSettled());
    PostMessageW(Focused(), WM_KEYUP, VK_SHIFT, 0xC0000001);  // the hints catch up
    Serve();
    ASSERT_TRUE(HintsSettled());
    if (type == 22) {
      EXPECT_NE(form->Label5->GetCaption(), "");
      EXPECT_FALSE(form->Image1->Picture()->Empty());
    } else {
      EXPECT_NE(form->Label8->GetCaption(), "");
      EXPECT_EQ(ColourAt(Shown(1), 14, 2), Red());
    }
    Pump();
    ASSERT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + (type == 21 ? "pinyin-article.bmp" : "wubi-article.bmp")));
    Key(Focused(), VK_ESCAPE);
  }
}

}  // namespace
