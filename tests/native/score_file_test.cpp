#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "practice/data/score.h"
#include "toolkit/base/file_io.h"

namespace {

std::string TempPath(const std::string& name) {
  std::string p = ::testing::TempDir() + "score_" + name + ".dat";
  RemoveFile(p);
  RemoveFile(p + ".new");
  return p;
}

void Put(const std::string& path, const std::string& text) {
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
}

std::string Get(const std::string& path) {
  TBytes b;
  EXPECT_TRUE(ReadFileBytes(path, b));
  return std::string(b.begin(), b.end());
}

svlScoreSet Record(const std::string& user, const std::string& tag) {
  return {user, "英文(大)", "0:2:5", "250字", "95.5%", "3", "120字/分", "2026年12月9日5时31分 星期三", tag};
}

// Field f of a written line, with its padding.
std::string Column(const std::string& line, int f) {
  std::size_t at = 0;
  for (int i = 0; i < f; ++i) at += static_cast<std::size_t>(ScoreFieldWidths[i]);
  return line.substr(at, static_cast<std::size_t>(ScoreFieldWidths[f]));
}

std::string Padded(const std::string& s, int width) { return s + std::string(width - s.size(), ' '); }

}  // namespace

TEST(ScoreLine, FieldsAtTheirColumns) {
  svlScoreSet r{"u", "t", "0:5:0", "9字", "%", "0", "0字/分", "d", "a"};
  std::string line = FormatScoreLine(r);
  ASSERT_EQ(line.size(), 360u);
  const char* texts[9] = {"u", "t", "0:5:0", "9字", "%", "0", "0字/分", "d", "a"};
  std::size_t at = 0;
  for (int f = 0; f < 9; ++f) {
    EXPECT_EQ(line.substr(at, std::string(texts[f]).size()), texts[f]) << "field " << f << " at " << at;
    at += static_cast<std::size_t>(ScoreFieldWidths[f]);
  }
  EXPECT_EQ(at, 360u);
}

TEST(ScoreLine, LongFieldsCutAtACharacterBoundary) {
  const std::string zhang = "张";  // two bytes
  std::string ten;
  for (int i = 0; i < 10; ++i) ten += zhang;
  struct Case {
    int field;
    std::string text, kept;
  } cases[] = {
      {0, std::string(101, 'x'), std::string(100, 'x')},
      {0, std::string(99, 'x') + zhang, std::string(99, 'x')},
      {1, ten + zhang, ten},
      {1, "a" + ten, "a" + ten.substr(0, 18)},
      {7, std::string(39, 'y') + zhang + "z", std::string(39, 'y')},
      {8, "a\r\nb", "a  b"},  // control characters never break the line
  };
  for (const Case& c : cases) {
    svlScoreSet r = Record("bob", "art");
    std::string* fields[9] = {&r.User, &r.PracticeType, &r.TimeUsed, &r.Total, &r.AccuracyText,
                              &r.Errors, &r.Speed, &r.DateText, &r.Article};
    *fields[c.field] = c.text;
    std::string line = FormatScoreLine(r);
    ASSERT_EQ(line.size(), 360u);
    EXPECT_EQ(Column(line, c.field), Padded(c.kept, ScoreFieldWidths[c.field])) << c.field;
    if (c.field < 8) {
      EXPECT_EQ(Column(line, c.field + 1).substr(0, fields[c.field + 1]->size()), *fields[c.field + 1]);
    }
  }
}

TEST(ScoreFile, RoundTripLeavesDeletedRecordsOut) {
  std::string path = TempPath("roundtrip");
  TScoreTable t;
  t.Loaded = true;
  t.ScoreHeader1 = "头一行";
  t.ScoreHeader2 = "  second  ";
  AppendScoreRecord(t, Record("bob", "a"));
  AppendScoreRecord(t, Record("", "deleted"));
  AppendScoreRecord(t, Record("张三", ""));
  WriteScoreFile(path, t);
  EXPECT_FALSE(FileExists(path + ".new"));

  std::string text = Get(path);
  std::string expected = "头一行\r\n  second  \r\n" + FormatScoreLine(Record("bob", "a")) + "\r\n" +
                         FormatScoreLine(Record("张三", "")) + "\r\n";
  EXPECT_EQ(text, expected);

  TScoreTable back;
  ReadScoreFile(path, back);
  EXPECT_TRUE(back.Loaded);
  EXPECT_EQ(back.ScoreHeader1, "头一行");
  EXPECT_EQ(back.ScoreHeader2, "  second  ");
  ASSERT_EQ(back.ScoreCount, 2);
  const svlScoreSet& r = back.ScoreRecords[2];
  svlScoreSet w = Record("张三", "");
  EXPECT_EQ(r.User, w.User);
  EXPECT_EQ(r.PracticeType, w.PracticeType);
  EXPECT_EQ(r.TimeUsed, w.TimeUsed);
  EXPECT_EQ(r.Total, w.Total);
  EXPECT_EQ(r.AccuracyText, w.AccuracyText);
  EXPECT_EQ(r.Errors, w.Errors);
  EXPECT_EQ(r.Speed, w.Speed);
  EXPECT_EQ(r.DateText, w.DateText);
  EXPECT_EQ(r.Article, "");
  EXPECT_EQ(back.ScoreRecords[1].Article, "a");
  RemoveFile(path);
}

TEST(ScoreFile, HeadersOnlyIsWrittenBackAsTheSameTwoLines) {
  std::string path = TempPath("headers");
  Put(path, "H1\r\nH2\r\n");
  TScoreTable t;
  ReadScoreFile(path, t);
  EXPECT_EQ(t.ScoreCount, 0);
  WriteScoreFile(path, t);
  EXPECT_EQ(Get(path), "H1\r\nH2\r\n");
  RemoveFile(path);
}

TEST(ScoreFile, MissingFileStartsEmptyWithTheStandardHeaders) {
  std::string path = TempPath("missing");
  TScoreTable t;
  ReadScoreFile(path, t);
  EXPECT_TRUE(t.Loaded);
  EXPECT_EQ(t.ScoreCount, 0);
  EXPECT_EQ(t.ScoreHeader1, StandardScoreHeader1);
  EXPECT_EQ(t.ScoreHeader2.substr(0, 4), "用户");
  WriteScoreFile(path, t);
  EXPECT_EQ(Get(path), std::string(StandardScoreHeader1) + "\r\n" + StandardScoreHeader2() + "\r\n");
  RemoveFile(path);
}

TEST(ScoreFile, ReaderTrimsFieldsAndAcceptsLooseLines) {
  std::string path = TempPath("loose");
  std::string line = Padded("  bob\t", 100) + Padded(" 英文(小)", 20) + "0:1:0";  // short last columns
  Put(path, "h1\nh2\n" + line + "\n" + Padded("carl", 360) + "   \r\n\r\n  \r\n");
  TScoreTable t;
  ReadScoreFile(path, t);
  ASSERT_EQ(t.ScoreCount, 2);
  EXPECT_EQ(t.ScoreRecords[1].User, "bob");
  EXPECT_EQ(t.ScoreRecords[1].PracticeType, "英文(小)");
  EXPECT_EQ(t.ScoreRecords[1].TimeUsed, "0:1:0");
  EXPECT_EQ(t.ScoreRecords[1].Article, "");
  EXPECT_EQ(t.ScoreRecords[2].User, "carl");
  RemoveFile(path);
}

TEST(ScoreFile, DamagedFileIsReportedAndLeftAsItWas) {
  const std::string good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const std::string damaged[] = {
      "h1\r\nh2\r\n" + good + "short\r\n" + good,   // later records would be lost
      "h1\r\nh2\r\n" + good + "\r\n" + good,        // an empty line before records
      "h1\r\nh2\r\n" + good + "tail",               // a stray short line at the end
      "h1\r\nh2\r\n" + FormatScoreLine(Record("bob", "a")) + "overflow\r\n",  // beyond column 360
  };
  int n = 0;
  for (const std::string& content : damaged) {
    std::string path = TempPath("damaged" + std::to_string(n++));
    Put(path, content);
    TScoreTable t;
    AppendScoreRecord(t, Record("kept", ""));
    try {
      ReadScoreFile(path, t);
      ADD_FAILURE() << "no error for case " << n;
    } catch (const EScoreFileError& e) {
      EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(t.Loaded);
    EXPECT_EQ(t.ScoreCount, 1);
    EXPECT_EQ(t.ScoreRecords[1].User, "kept");
    EXPECT_THROW(WriteScoreFile(path, t), EScoreFileError);  // never rewritten from an unloaded table
    EXPECT_EQ(Get(path), content);
    RemoveFile(path);
  }
}

TEST(ScoreFile, FailedRewriteKeepsTheOldFile) {
  std::string path = TempPath("atomic");
  Put(path, "old\r\nfile\r\n");
  ASSERT_EQ(mkdir((path + ".new").c_str(), 0700), 0);  // the new file cannot be created
  TScoreTable t;
  t.Loaded = true;
  AppendScoreRecord(t, Record("bob", ""));
  EXPECT_THROW(WriteScoreFile(path, t), EScoreFileError);
  EXPECT_EQ(Get(path), "old\r\nfile\r\n");
  rmdir((path + ".new").c_str());

  WriteScoreFile(path, t);
  EXPECT_EQ(Get(path), "\r\n\r\n" + FormatScoreLine(Record("bob", "")) + "\r\n");
  RemoveFile(path);
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
