#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "practice/data/score.h"
#include "toolkit/base/file_io.h"

namespace {

std::string TempPath(const std::string& name) {
  std::string p = ::testing::TempDir() + "score_" + name + ".dat";
  RemoveFile(p);
  return p;
}

std::string Get(const std::string& path) {
  TBytes b;
  EXPECT_TRUE(ReadFileBytes(path, b));
  return std::string(b.begin(), b.end());
}

svlScoreSet Record(const std::string& user, const std::string& article) {
  return {user, "英文(大)", "0:2:5", "250字", "95.5%", "3", "120字/分", "2026年12月9日5时31分 星期三", article};
}

std::string* Field(svlScoreSet& r, int f) {
  std::string* all[9] = {&r.User, &r.PracticeType, &r.TimeUsed, &r.Total, &r.AccuracyText,
                         &r.Errors, &r.Speed, &r.DateText, &r.Article};
  return all[f];
}

// Field f of a written line, padding included.
std::string Column(const std::string& line, int f) {
  std::size_t at = 0;
  for (int i = 0; i < f; ++i) at += static_cast<std::size_t>(ScoreFieldWidths[i]);
  return line.substr(at, static_cast<std::size_t>(ScoreFieldWidths[f]));
}

std::string Padded(const std::string& s, int width) { return s + std::string(width - s.size(), ' '); }

}  // namespace

TEST(ScoreLine, FieldsAtTheirColumnsCutAtACharacterBoundary) {
  const std::string zi = "张", ten = "张张张张张张张张张张";
  struct Case {
    int field;
    std::string text, kept;
  } cases[] = {
      {4, "%", "%"},
      {0, std::string(101, 'x'), std::string(100, 'x')},
      {0, std::string(99, 'x') + zi, std::string(99, 'x')},
      {1, ten + zi, ten},
      {1, "a" + ten, "a" + ten.substr(0, 18)},
      {7, std::string(39, 'y') + zi, std::string(39, 'y')},
      {8, "a\r\nb", "a  b"},  // control characters never break the line
  };
  for (const Case& c : cases) {
    svlScoreSet r = Record("bob", "art");
    *Field(r, c.field) = c.text;
    std::string line = FormatScoreLine(r);
    ASSERT_EQ(line.size(), 360u);
    for (int f = 0; f < 9; ++f) {
      std::string want = f == c.field ? c.kept : *Field(r, f);
      EXPECT_EQ(Column(line, f), Padded(want, ScoreFieldWidths[f])) << c.field << "/" << f;
    }
  }
}

TEST(ScoreFile, RoundTripLeavesDeletedRecordsOut) {
  std::string path = TempPath("roundtrip");
  TScoreTable t;
  t.Loaded = true;
  t.ScoreHeader1 = "头一行";
  t.ScoreHeader2 = "  second  ";
  for (const char* user : {"bob", "", "张三"}) AppendScoreRecord(t, Record(user, user));
  WriteScoreFile(path, t);
  EXPECT_FALSE(FileExists(path + ".new"));
  EXPECT_EQ(Get(path), "头一行\r\n  second  \r\n" + FormatScoreLine(Record("bob", "bob")) + "\r\n" +
                           FormatScoreLine(Record("张三", "张三")) + "\r\n");

  TScoreTable back;
  ReadScoreFile(path, back);
  EXPECT_EQ(back.ScoreHeader1, t.ScoreHeader1);
  EXPECT_EQ(back.ScoreHeader2, t.ScoreHeader2);
  ASSERT_EQ(back.ScoreCount, 2);
  for (int f = 0; f < 9; ++f) EXPECT_EQ(*Field(back.ScoreRecords[2], f), *Field(t.ScoreRecords[3], f));

  std::string h = TempPath("headers");  // two header lines only
  ASSERT_TRUE(WriteFileBytes(h, "H1\r\nH2\r\n", 8));
  ReadScoreFile(h, back);
  EXPECT_EQ(back.ScoreCount, 0);
  WriteScoreFile(h, back);
  EXPECT_EQ(Get(h), "H1\r\nH2\r\n");
}

TEST(ScoreFile, MissingFileStartsEmptyWithTheStandardHeaders) {
  std::string path = TempPath("missing");
  TScoreTable t;
  ReadScoreFile(path, t);
  EXPECT_TRUE(t.Loaded);
  EXPECT_EQ(t.ScoreCount, 0);
  EXPECT_EQ(t.ScoreHeader2.substr(0, 4), "用户");
  WriteScoreFile(path, t);
  EXPECT_EQ(Get(path), std::string(StandardScoreHeader1) + "\r\n" + StandardScoreHeader2() + "\r\n");
}

TEST(ScoreFile, ReaderTrimsFieldsAndIgnoresTrailingBlankLines) {
  std::string path = TempPath("loose");
  std::string text = "h1\nh2\n" + Padded("  bob\t", 100) + " 英文(小)\n" + Padded("carl", 360) + "   \r\n\r\n  \r\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  TScoreTable t;
  ReadScoreFile(path, t);
  ASSERT_EQ(t.ScoreCount, 2);
  EXPECT_EQ(t.ScoreRecords[1].User, "bob");
  EXPECT_EQ(t.ScoreRecords[1].PracticeType, "英文(小)");
  EXPECT_EQ(t.ScoreRecords[2].User, "carl");
}

TEST(ScoreFile, DamagedFileIsReportedAndLeftAsItWas) {
  const std::string head = "h1\r\nh2\r\n", good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const std::string damaged[] = {
      head + good + "short\r\n" + good,                         // later records would be lost
      head + good + "\r\n" + good,                              // an empty line before records
      head + good + "tail",                                     // a stray short line at the end
      head + FormatScoreLine(Record("bob", "a")) + "over\r\n",  // text beyond column 360
  };
  for (const std::string& content : damaged) {
    std::string path = TempPath("damaged");
    ASSERT_TRUE(WriteFileBytes(path, content.data(), content.size()));
    TScoreTable t;
    AppendScoreRecord(t, Record("kept", ""));
    try {
      ReadScoreFile(path, t);
      ADD_FAILURE() << "no error for " << content;
    } catch (const EScoreFileError& e) {
      EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
    EXPECT_EQ(t.ScoreCount, 1);
    EXPECT_EQ(t.ScoreRecords[1].User, "kept");
    EXPECT_THROW(WriteScoreFile(path, t), EScoreFileError);  // an unloaded table is never written
    EXPECT_EQ(Get(path), content);
  }
}

TEST(ScoreFile, FailedRewriteKeepsTheOldFile) {
  std::string path = TempPath("atomic");
  ASSERT_TRUE(WriteFileBytes(path, "old\r\n", 5));
  ASSERT_EQ(mkdir((path + ".new").c_str(), 0700), 0);  // the new file cannot be created
  TScoreTable t;
  t.Loaded = true;
  AppendScoreRecord(t, Record("bob", ""));
  EXPECT_THROW(WriteScoreFile(path, t), EScoreFileError);
  EXPECT_EQ(Get(path), "old\r\n");
  rmdir((path + ".new").c_str());
}

TEST(ScoreTable, AppendReusesSlotsAndStopsWhenFull) {
  TScoreTable t;
  EXPECT_TRUE(AppendScoreRecord(t, Record("a", "")));
  EXPECT_TRUE(AppendScoreRecord(t, Record("b", "")));
  t.ScoreCount = 0;  // every record deleted
  EXPECT_TRUE(AppendScoreRecord(t, Record("c", "")));
  EXPECT_EQ(t.ScoreCount, 1);
  EXPECT_EQ(t.ScoreRecords[1].User, "c");

  TScoreTable full;
  full.ScoreCount = MaxScoreRecords;
  EXPECT_FALSE(AppendScoreRecord(full, Record("d", "")));
  EXPECT_EQ(full.ScoreCount, MaxScoreRecords);
  EXPECT_EQ(full.ScoreRecords.size(), 1u);
}
