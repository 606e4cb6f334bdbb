#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "users/query/score_filter.h"
#include "users/query/score_sort.h"

namespace {

svlScoreSet Score(const std::string& user, const std::string& type, const std::string& time,
                  const std::string& total, const std::string& accuracy, const std::string& errors,
                  const std::string& speed, const std::string& date, const std::string& article = "") {
  return {user, type, time, total, accuracy, errors, speed, date, article};
}

// Five scores whose numbers order differently as text.
TScoreTable History() {
  TScoreTable t;
  t.Loaded = true;
  AppendScoreRecord(t, Score("bob", "英文(大)", "0:1:0", "4字", "95.5%", "4", "4字/分", "2026年1月2日3时4分 星期五", "b"));
  AppendScoreRecord(t, Score("Ann", "五笔文章", "0:10:0", "370字", "100%", "370", "370字/分", "2025年12月31日23时59分 星期三", "a"));
  AppendScoreRecord(t, Score("carl", "英文(小)", "1:0:0", "12字", ".5%", "12", "12字/分", "2026年1月2日3时10分 星期五", "C"));
  AppendScoreRecord(t, Score("dora", "数字练习", "0:2:30", "10字", "%", "10", "10字/分", "2026年1月10日0时0分 星期六", "d"));
  AppendScoreRecord(t, Score("ed", "数字练习", "0:5:0", "3字", "9%", "3", "3字/分", "2026年1月2日13时4分 星期五", "e"));
  return t;
}

std::vector<std::string> Sorted(const TScoreTable& t, int column, bool ascending) {
  std::vector<int> rows = ListedScoreRows(t, TScoreFilter{});
  SortScoreRows(rows, t, column, ascending);
  std::vector<std::string> texts;
  for (int row : rows) texts.push_back(ScoreColumnText(t.ScoreRecords[static_cast<std::size_t>(row)], column));
  return texts;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(ScoreSortKeys, NumbersDurationsAndDates) {
  double n = -1;
  const std::pair<const char*, double> numbers[] = {
      {"120字/分", 120}, {"95.5%", 95.5}, {".5%", 0.5}, {"%", 0}, {"0%", 0}, {"370字", 370}, {"7", 7}, {"3.25", 3.25}};
  for (const auto& c : numbers) {
    EXPECT_TRUE(ParseScoreNumber(c.first, n)) << c.first;
    EXPECT_DOUBLE_EQ(n, c.second) << c.first;
  }
  for (const char* text : {"", "字/分", "abc", ".%", "%%"}) EXPECT_FALSE(ParseScoreNumber(text, n)) << text;

  long long k = -1;
  const std::pair<const char*, long long> durations[] = {{"0:0:59", 59}, {"0:2:5", 125}, {"1:1:1", 3661}, {"100:0:0", 360000}};
  for (const auto& c : durations) {
    EXPECT_TRUE(ParseScoreDuration(c.first, k)) << c.first;
    EXPECT_EQ(k, c.second) << c.first;
  }
  for (const char* text : {"", "0:2", "0:2:5x", "a:b:c", "0::5", "1234567890:0:0"})
    EXPECT_FALSE(ParseScoreDuration(text, k)) << text;

  long long a = 0, b = 0;
  ASSERT_TRUE(ParseScoreDate("2026年1月2日3时4分 星期五", a));
  ASSERT_TRUE(ParseScoreDate("2025年12月31日23时59分 星期三", b));
  EXPECT_LT(b, a);
  ASSERT_TRUE(ParseScoreDate("2026年1月10日0时0分", b));
  EXPECT_LT(a, b) << "the 10th after the 2nd, as text it would come before";
  ASSERT_TRUE(ParseScoreDate("2026年1月2日13时4分 星期五", b));
  EXPECT_LT(a, b);
  for (const char* text : {"", "2026年", "2026年1月2日3时", "2026-01-02 03:04", "2026年123月2日3时4分"})
    EXPECT_FALSE(ParseScoreDate(text, k)) << text;
}

TEST(ScoreSort, EachColumnByWhatItHolds) {
  const TScoreTable t = History();
  EXPECT_EQ(Sorted(t, 5, false), (Texts{"370字/分", "12字/分", "10字/分", "4字/分", "3字/分"}));
  EXPECT_EQ(Sorted(t, 5, true), (Texts{"3字/分", "4字/分", "10字/分", "12字/分", "370字/分"}));
  EXPECT_EQ(Sorted(t, 2, true), (Texts{"3字", "4字", "10字", "12字", "370字"}));
  EXPECT_EQ(Sorted(t, 4, true), (Texts{"3", "4", "10", "12", "370"}));
  EXPECT_EQ(Sorted(t, 3, true), (Texts{"%", ".5%", "9%", "95.5%", "100%"}));
  EXPECT_EQ(Sorted(t, 1, true), (Texts{"0:1:0", "0:2:30", "0:5:0", "0:10:0", "1:0:0"}));
  EXPECT_EQ(Sorted(t, 6, true), (Texts{"2025年12月31日23时59分 星期三", "2026年1月2日3时4分 星期五",
                                       "2026年1月2日3时10分 星期五", "2026年1月2日13时4分 星期五",
                                       "2026年1月10日0时0分 星期六"}));
  // Texts as CompareText orders them: letters without regard to case.
  EXPECT_EQ(Sorted(t, 7, true), (Texts{"Ann", "bob", "carl", "dora", "ed"}));
  EXPECT_EQ(Sorted(t, 8, false), (Texts{"e", "d", "C", "b", "a"}));
}

TEST(ScoreSort, TextsThatHoldNoNumberComeAfterTheNumbersAndEqualKeysKeepTheirOrder) {
  TScoreTable t = History();
  t.ScoreRecords[2].Speed = "fast";
  t.ScoreRecords[4].Speed = "Slow";
  t.ScoreRecords[5].Speed = "4 字/分";  // record 1's number; listed before it (数字练习 before 英文(大))
  EXPECT_EQ(Sorted(t, 5, true), (Texts{"4 字/分", "4字/分", "12字/分", "fast", "Slow"}));
  EXPECT_EQ(Sorted(t, 5, false), (Texts{"Slow", "fast", "12字/分", "4 字/分", "4字/分"}));
  // A date the parser cannot read goes after the dates.
  t.ScoreRecords[1].DateText = "昨天";
  EXPECT_EQ(Sorted(t, 6, true).back(), "昨天");
}

TEST(ScoreQuery, FiltersCountAndDeleteWhatTheyList) {
  TScoreTable t = History();
  t.ScoreRecords[3].User.clear();  // deleted earlier
  TScoreFilter all;
  TScoreFilter typed;
  typed.AllTypes = false;
  typed.PracticeType = "数字练习";
  TScoreFilter user;
  user.AllUsers = false;
  user.User = "dora";
  EXPECT_EQ(CountListedScores(t, all), 4);
  EXPECT_EQ(CountListedScores(t, typed), 2);
  EXPECT_EQ(ListedScoreRows(t, typed), (std::vector<int>{4, 5}));
  EXPECT_EQ(DeleteScores(t, user), 1);
  EXPECT_EQ(CountListedScores(t, typed), 1);
  EXPECT_EQ(t.ScoreCount, 5) << "emptied records stay until the file is written";
  EXPECT_EQ(DeleteScores(t, all), 3);
  EXPECT_EQ(t.ScoreCount, 0);
  EXPECT_EQ(DeleteScores(t, all), 0);
}
