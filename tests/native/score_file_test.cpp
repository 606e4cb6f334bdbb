#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "practice/data/score.h"
#include "toolkit/base/file_io.h"

namespace {

std::string TempPath(const std::string& name) {
  // Per process: test runs of other checkouts may share the folder.
  std::string p = ::testing::TempDir() + "score_" + std::to_string(getpid()) + "_" + name + ".dat";
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

TEST(ScoreFile, LongArticleNamesRunToTheEndOfTheLineAndSurviveTheRewrite) {
  const std::string longName(150, 'n');
  svlScoreSet r = Record("bob", longName);
  std::string line = FormatScoreLine(r);
  EXPECT_EQ(line.size(), 260u + 150u);
  std::string path = TempPath("longline");
  // As an older writer left it: the article name whole, then trailing blanks.
  std::string text = "h1\r\nh2\r\n" + line + "  \r\n" + FormatScoreLine(Record("ann", "x")) + "\r\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  TScoreTable t;
  ReadScoreFile(path, t);
  ASSERT_EQ(t.ScoreCount, 2);
  EXPECT_EQ(t.ScoreRecords[1].Article, longName);
  EXPECT_EQ(t.ScoreRecords[2].User, "ann");
  EXPECT_EQ(t.UnreadFromLine, 0);
  EXPECT_EQ(WriteScoreFile(path, t), "") << "nothing left unread, no copy";
  EXPECT_EQ(Get(path), "h1\r\nh2\r\n" + line + "\r\n" + FormatScoreLine(Record("ann", "x")) + "\r\n");
}

TEST(ScoreFile, LinesLeftUnreadNeverStopTheReadingAndAreCopiedBeforeTheFirstRewrite) {
  const std::string head = "h1\r\nh2\r\n", good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const struct {
    std::string content;
    long long unreadFrom;
  } cases[] = {
      {head + good + "short\r\n" + good, 4},      // a short line before more records
      {head + good + "\r\n  \r\n" + good, 6},     // blank lines before more records
      {head + good + good + "tail", 5},           // a stray short line at the end
      {head + good + "\r\n\r\n   \r\n", 0},       // only blank lines after the records
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    std::string path = TempPath("unread");
    std::string bak = ::testing::TempDir() + "unread.bak", bak2 = ::testing::TempDir() + "unread2.bak";
    RemoveFile(bak);
    RemoveFile(bak2);
    ASSERT_TRUE(WriteFileBytes(path, c.content.data(), c.content.size()));
    TScoreTable t;
    ReadScoreFile(path, t);
    EXPECT_EQ(t.UnreadFromLine, c.unreadFrom);
    EXPECT_GE(t.ScoreCount, 1);
    if (c.unreadFrom == 0) {
      EXPECT_EQ(WriteScoreFile(path, t, "unread.bak"), "");
      EXPECT_FALSE(FileExists(bak));
      continue;
    }
    // The first rewrite copies the file as read; later ones copy nothing.
    EXPECT_EQ(WriteScoreFile(path, t, "unread.bak"), bak);
    EXPECT_EQ(Get(bak), c.content);
    EXPECT_EQ(WriteScoreFile(path, t, "unread.bak"), "");
    EXPECT_FALSE(FileExists(bak2));
    // A copy from an earlier occasion is never overwritten.
    ASSERT_TRUE(WriteFileBytes(path, c.content.data(), c.content.size()));
    TScoreTable again;
    ReadScoreFile(path, again);
    EXPECT_EQ(WriteScoreFile(path, again, "unread.bak"), bak2);
    EXPECT_EQ(Get(bak2), c.content);
  }
}

TEST(ScoreFile, ReadingStopsAfterAMillionRecordsAndAtTheFirstBlankOfALongRun) {
  std::string path = TempPath("million");
  std::string text = "h1\r\nh2\r\n";
  text.reserve(13u * (MaxScoreRecords + 2));
  for (int i = 0; i <= MaxScoreRecords; ++i) text += "u" + std::to_string(1000000000 + i) + "\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  TScoreTable t;
  ReadScoreFile(path, t);
  EXPECT_EQ(t.ScoreCount, MaxScoreRecords);
  EXPECT_EQ(t.ScoreRecords[static_cast<std::size_t>(MaxScoreRecords)].User, "u1000999999");
  EXPECT_EQ(t.UnreadFromLine, MaxScoreRecords + 3);

  // Line feeds by the million hold no record: nothing is kept for them.
  text = "h1\nh2\n" + FormatScoreLine(Record("bob", "")) + "\n" + std::string(64u << 20, '\n') + "late record\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  ReadScoreFile(path, t);
  EXPECT_EQ(t.ScoreCount, 1);
  EXPECT_EQ(t.ScoreRecords.size(), 2u);
  EXPECT_EQ(t.UnreadFromLine, 4 + (64ll << 20));
}

TEST(ScoreFile, EachStoredRecordIsAppendedAtOnce) {
  std::string path = TempPath("append");
  TScoreTable t;
  ReadScoreFile(path, t);  // missing: a new history
  ASSERT_TRUE(AppendScoreRecord(t, Record("bob", "")));
  EXPECT_EQ(StoreLastScoreRecord(path, t), "");
  const std::string headers = std::string(StandardScoreHeader1) + "\r\n" + StandardScoreHeader2() + "\r\n";
  EXPECT_EQ(Get(path), headers + FormatScoreLine(Record("bob", "")) + "\r\n");
  ASSERT_TRUE(AppendScoreRecord(t, Record("ann", "")));
  StoreLastScoreRecord(path, t);
  TScoreTable back;
  ReadScoreFile(path, back);
  ASSERT_EQ(back.ScoreCount, 2);
  EXPECT_EQ(back.ScoreRecords[2].User, "ann");

  // A last line without its end is ended first.
  std::string text = headers + FormatScoreLine(Record("old", ""));
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  ReadScoreFile(path, t);
  ASSERT_TRUE(AppendScoreRecord(t, Record("new", "")));
  StoreLastScoreRecord(path, t);
  EXPECT_EQ(Get(path), text + "\r\n" + FormatScoreLine(Record("new", "")) + "\r\n");

  // With lines left unread, the record comes with a rewrite after the copy.
  text = headers + FormatScoreLine(Record("old", "")) + "\r\nx\r\n" + FormatScoreLine(Record("lost", "")) + "\r\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  std::string bak = ::testing::TempDir() + "append.bak";
  RemoveFile(bak);
  ReadScoreFile(path, t);
  ASSERT_TRUE(AppendScoreRecord(t, Record("new", "")));
  EXPECT_EQ(StoreLastScoreRecord(path, t, "append.bak"), bak);
  EXPECT_EQ(Get(bak), text);
  ReadScoreFile(path, back);
  ASSERT_EQ(back.ScoreCount, 2);
  EXPECT_EQ(back.ScoreRecords[2].User, "new");
  EXPECT_EQ(back.UnreadFromLine, 0);
}

TEST(ScoreFile, AnUnloadedTableIsNeverWritten) {
  std::string path = TempPath("unloaded");
  ASSERT_TRUE(WriteFileBytes(path, "h\r\n", 3));
  TScoreTable t;
  AppendScoreRecord(t, Record("kept", ""));
  EXPECT_THROW(WriteScoreFile(path, t), EScoreFileError);
  EXPECT_THROW(StoreLastScoreRecord(path, t), EScoreFileError);
  EXPECT_EQ(Get(path), "h\r\n");
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
