// What a run counts: every key until the moment the run ends (the article's
// end, Esc, the clock) in the time until that moment; in the articles, bytes
// (characters in 拼音文章 and 五笔文章), line ends and empty lines.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/native/rules_article_fixture.h"
#include "tools/mediagen/lists.h"
#include "tools/mediagen/text_convert.h"

namespace {

// A shipped English article as the build makes it (GBK, CR LF).
std::string ShippedArticle(const std::string& name) {
  const fs::path path = fs::path(__FILE__).parent_path() / ".." / ".." / "data" / "articles" / "English" / (name + ".txt");
  std::string utf8, gbk, error;
  EXPECT_TRUE(mediagen::ReadText(path.string(), utf8)) << path;
  EXPECT_TRUE(mediagen::ConvertArticle(utf8, true, gbk, error)) << error;
  return gbk;
}

// The 总数 of a statistics or result line.
int TotalOf(const std::string& line) {
  const char* const label = "总数:";
  const std::size_t at = line.find(label);
  return at == std::string::npos ? -1 : std::atoi(line.c_str() + at + std::strlen(label));
}

// A learner who types one key each 0.375 s (160 keys a minute) while the
// clock ticks.
struct Pace : ArticleRun {
  static constexpr double kKey = 0.375;
  // The active row's text key by key, released after each; then the next
  // row, until the run ends.
  void TypeArticle() {
    for (int rows = 0; Running() && rows < 1000; ++rows) {
      const std::string row = session.Page().Rows[screen().Article.ActiveRow];
      for (int n = 1; n <= TypableLength(row) && Running(); ++n) {
        Wait(kKey);
        Release(row.substr(0, n));
      }
    }
  }
  // What the clock's last tick showed (the result line used to take its totals from it).
  void Report(const char* what) {
    std::printf("%s: last tick %d, at the end %d\n", what, TotalOf(screen().Label7), TotalOf(screen().Label6));
  }
};

TEST_F(Pace, TheResultAndRecordHoldEveryKeyUntilTheEnd) {
  // The Home Row: three lines, 1,018 keys and two line ends (two bytes each,
  // typed right) in 381.75 s.
  const std::string homeRow = ShippedArticle("The Home Row");
  ASSERT_EQ(homeRow.size(), 1022u);
  StartArticle(19, homeRow);
  TypeArticle();
  ASSERT_FALSE(Running()) << "the article's end ends the run";
  Report("The Home Row");
  EXPECT_LT(TotalOf(screen().Label7), 1022) << "keys after the last tick";
  EXPECT_EQ(screen().Label6, "英文文章练习,总数:1022 正确率:100% 错误:0 回退:0 速度:161字/分 用时:0:6:21");
  ASSERT_EQ(scores.ScoreCount, 1);
  svlScoreSet want{"bob", "英文文章", "0:6:21", "1022字", "100%", "0", "161字/分", "2026年12月9日6时30分 星期三", "a"};
  EXPECT_EQ(FormatScoreLine(scores.ScoreRecords[1]), FormatScoreLine(want));

  // The pangram: one row, 44 keys in 16.5 s.
  const std::string pangram = ShippedArticle("Pangram");
  ASSERT_EQ(pangram.size(), 44u);
  StartArticle(19, pangram);
  TypeArticle();
  Report("Pangram");
  EXPECT_LT(TotalOf(screen().Label7), 44);
  EXPECT_EQ(screen().Label6, "英文文章练习,总数:44 正确率:100% 错误:0 回退:0 速度:160字/分 用时:0:0:16");

  // The digit game: 21 symbols hit, then Esc at once, 7.875 s after the start.
  Start(18);
  for (int i = 0; i < 21; ++i) {
    Wait(kKey);
    Press(screen().Label15.Caption[0]);
  }
  Esc(0, true);
  Report("digit game");
  EXPECT_EQ(TotalOf(screen().Label7), 18) << "the keys of the first 7 s";
  EXPECT_EQ(screen().Label6, "数字游戏练习,总数:21 正确率:100% 错误:0 速度:160字/分 用时:0:0:7");
  EXPECT_EQ(scores.ScoreCount, 1) << "none under a minute";
}

// 拼音文章 and 五笔文章 count characters: one is wrong when any byte of it is,
// as it is drawn; a letter or digit is one too.
TEST_F(ArticleRun, ChineseArticlesCountCharacters) {
  const std::string ren = "\xC8\xCB", min = "\xC3\xF1", ming = "\xC3\xFB";  // 人 民 名 (名 shares 民's lead byte)
  for (int type : {21, 22}) {
    SCOPED_TRACE(type);
    StartArticle(type, ren + min + "\r\n" + "ab1" + kZhong);
    Release(ren + ming);
    EXPECT_EQ(session.ArticleCounters().ArticleTyped, 3) << "two characters and the line end";
    EXPECT_EQ(session.ArticleCounters().ArticleErrors, 1) << "名 for 民";
    // A letter under 中's lead byte: 中 is typed, and wrong, as it is drawn red.
    Release("ab1x");
    EXPECT_EQ(session.ArticleCounters().RowTyped, 4);
    EXPECT_EQ(session.ArticleCounters().RowErrors, 1);
    Ticks(1);
    EXPECT_EQ(screen().Label7.substr(0, screen().Label7.find(" 回退")), "总数:7 正确率:71.43% 错误:2");
    Release("ab1" + kZhong);
    ASSERT_FALSE(Running());
    EXPECT_EQ(screen().Label6.substr(0, screen().Label6.find(" 回退")),
              PracticeTypeCaption(type) + "练习,总数:7 正确率:85.71% 错误:1");
  }
  // English articles count bytes.
  StartArticle(19, kZhong + "a");
  Release(kZhong + "b");
  EXPECT_EQ(TotalOf(screen().Label6), 3);
}

// An empty line of an article is no key: it passes at once and counts
// nothing; the line end of a line of text counts as typed right.
TEST_F(ArticleRun, EmptyLinesCountNothing) {
  for (int type : {19, 21}) {
    SCOPED_TRACE(type);
    StartArticle(type, "ab\r\n\r\n\r\n\r\ncd\r\n\r\n");
    Release("ab");
    EXPECT_EQ(screen().Article.ActiveRow, 5);
    Release("cd");
    ASSERT_FALSE(Running());
    // Two lines of two letters and their line ends (two bytes, or one character).
    EXPECT_EQ(TotalOf(screen().Label6), type == 19 ? 2 * (2 + 2) : 2 * (2 + 1));
  }
}

}  // namespace
