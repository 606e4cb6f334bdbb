#include <gtest/gtest.h>

#include <cstdio>
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

// Field f of a written line, padding included.
std::string Column(const std::string& line, int f) {
  std::size_t at = 0;
  for (int i = 0; i < f; ++i) at += static_cast<std::size_t>(ScoreFieldWidths[i]);
  return line.substr(at, static_cast<std::size_t>(ScoreFieldWidths[f]));
}

std::string Padded(const std::string& s, int width) { return s + std::string(width - s.size(), ' '); }

}  // namespace

TEST(ScoreLine, FieldsAtTheirColumnsCutToWhatTheReaderTakesBack) {
  const std::string zi = "张", ten = "张张张张张张张张张张";
  struct Case {
    int field;
    std::string text, kept;
  } cases[] = {
      {4, "%", "%"},
      {0, std::string(101, 'x'), std::string(100, 'x')},
      {0, std::string(99, 'x') + zi, std::string(99, 'x')},
      {1, ten, ten.substr(0, 18)},  // the type to the date keep a blank at the end of their column
      {1, "a" + ten, "a" + ten.substr(0, 18)},
      {6, std::string(19, '9'), std::string(19, '9')},
      {7, std::string(38, 'y') + zi, std::string(38, 'y')},
      {8, "a\r\nb", "a  b"},  // control characters never break the line
  };
  for (const Case& c : cases) {
    svlScoreSet r = Record("bob", "art");
    r.*ScoreFields[c.field] = c.text;
    std::string line = FormatScoreLine(r);
    ASSERT_EQ(line.size(), 360u);
    for (int f = 0; f < 9; ++f) {
      std::string want = f == c.field ? c.kept : r.*ScoreFields[f];
      EXPECT_EQ(Column(line, f), Padded(want, ScoreFieldWidths[f])) << c.field << "/" << f;
    }
    svlScoreSet back;
    ASSERT_TRUE(ParseScoreLine(line, back)) << c.field;
    EXPECT_EQ(back.*ScoreFields[c.field], c.field == 8 ? "a  b" : c.kept);
  }
  // The article name runs on, up to the longest a file name gives.
  svlScoreSet r = Record("bob", std::string(MaxScoreArticleLength - 1, 'n') + zi);
  EXPECT_EQ(FormatScoreLine(r), FormatScoreLine(Record("bob", std::string(MaxScoreArticleLength - 1, 'n'))));
  EXPECT_EQ(FormatScoreLine(r).size(), 260u + MaxScoreArticleLength - 1);
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
  for (int f = 0; f < 9; ++f) EXPECT_EQ(back.ScoreRecords[2].*ScoreFields[f], t.ScoreRecords[3].*ScoreFields[f]);

  std::string h = TempPath("headers");  // two header lines only
  ASSERT_TRUE(WriteFileBytes(h, "H1\r\nH2\r\n", 8));
  ReadScoreFile(h, back);
  EXPECT_EQ(back.ScoreCount, 0);
  WriteScoreFile(h, back);
  EXPECT_EQ(Get(h), "H1\r\nH2\r\n");
}

TEST(ScoreFile, MissingFileOrHeaderLinesGetTheStandardHeaders) {
  const std::string h1 = StandardScoreHeader1, h2 = StandardScoreHeader2();
  const struct {
    const char* name;
    std::string content, rewritten;  // content "-": no file
  } cases[] = {
      {"missing", "-", h1 + "\r\n" + h2 + "\r\n"},
      {"empty", "", h1 + "\r\n" + h2 + "\r\n"},
      {"oneline", "mine\r\n", "mine\r\n" + h2 + "\r\n"},
      {"blankheads", "\r\n\r\n", "\r\n\r\n"},  // header lines that are there stay as they are
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = TempPath(c.name);
    if (c.content != "-") ASSERT_TRUE(WriteFileBytes(path, c.content.data(), c.content.size()));
    TScoreTable t;
    ReadScoreFile(path, t);
    EXPECT_TRUE(t.Loaded);
    EXPECT_EQ(t.ScoreCount, 0);
    EXPECT_FALSE(t.DropsLines());
    WriteScoreFile(path, t);
    EXPECT_EQ(Get(path), c.rewritten);
  }
  EXPECT_EQ(h2.substr(0, 4), "用户");
}

TEST(ScoreFile, ReaderTrimsFieldsAndPassesOverBlankLines) {
  std::string path = TempPath("loose");
  // Fields with blanks and tabs around them, lines ended by LF alone, blank lines between and after.
  std::string loose;
  const svlScoreSet fields = Record("  bob\t", "");
  for (int f = 0; f < 9; ++f) {
    const std::string& text = fields.*ScoreFields[f];
    loose += Padded(f == 1 ? "\t" + text : text, ScoreFieldWidths[f]);
  }
  std::string text = "h1\nh2\n\n" + loose + "\n \t\n" + FormatScoreLine(Record("carl", "")) + "   \r\n\r\n  \r\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  TScoreTable t;
  ReadScoreFile(path, t);
  ASSERT_EQ(t.ScoreCount, 2);
  EXPECT_EQ(t.ScoreRecords[1].User, "bob");
  EXPECT_EQ(t.ScoreRecords[1].PracticeType, "英文(大)");
  EXPECT_EQ(t.ScoreRecords[2].User, "carl");
  EXPECT_FALSE(t.DropsLines()) << "blank lines are no damage";
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
  EXPECT_FALSE(t.DropsLines());
  EXPECT_EQ(WriteScoreFile(path, t), "") << "nothing left unread, no copy";
  EXPECT_EQ(Get(path), "h1\r\nh2\r\n" + line + "\r\n" + FormatScoreLine(Record("ann", "x")) + "\r\n");
}

TEST(ScoreFile, DamagedLinesAreSkippedAndTheRecordsAfterThemRead) {
  const std::string head = "h1\r\nh2\r\n", good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const std::string line = FormatScoreLine(Record("cut", "a"));
  std::string overrun = line, control = line, nouser = line, junk(2u << 20, 'j');
  overrun.replace(100, 25, "英文(大)英文(大)英文(大)1");  // the type runs into the time column
  control[102] = '\x01';
  nouser.replace(0, 3, "   ");
  const struct {
    const char* what;
    std::string damaged;
  } cases[] = {
      {"short", "short"},
      {"cut inside the date", line.substr(0, 240)},
      {"cut before the article", line.substr(0, 259)},
      {"a field past its width", overrun},
      {"a control character", control},
      {"no user", nouser},
      {"2 MB of junk", junk},
      {"binary", std::string("\x7f\x02\x03garbage\x80\xff", 12)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string path = TempPath("damaged");
    const std::string text = head + good + c.damaged + "\r\n" + good + c.damaged + "\r\n" + good + c.damaged;
    ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
    TScoreTable t;
    ReadScoreFile(path, t);
    EXPECT_EQ(t.ScoreCount, 3);
    EXPECT_EQ(t.ScoreRecords[3].User, "bob");
    EXPECT_EQ(t.DamagedLines, 3);
    EXPECT_EQ(t.FirstDamagedLine, 4);
    EXPECT_EQ(t.ExcessLines, 0);
    EXPECT_TRUE(t.DropsLines());
  }
  // A line that only just holds a record is one.
  svlScoreSet r;
  EXPECT_TRUE(ParseScoreLine(line.substr(0, 260), r));
  EXPECT_EQ(r.Article, "");
  EXPECT_TRUE(ParseScoreLine(FormatScoreLine(Record(std::string(100, 'u'), std::string(MaxScoreArticleLength, 'n'))), r));
  EXPECT_FALSE(ParseScoreLine(line.substr(0, 260) + std::string(MaxScoreArticleLength + 1, 'n'), r));
}

TEST(ScoreFile, AFileThatDropsLinesIsCopiedOnceBeforeTheFirstRewrite) {
  const std::string head = "h1\r\nh2\r\n", good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const std::string content = head + good + "short\r\n" + good;
  std::string path = TempPath("dropped");
  std::string bak = ::testing::TempDir() + "dropped.bak", bak2 = ::testing::TempDir() + "dropped2.bak";
  RemoveFile(bak);
  RemoveFile(bak2);
  ASSERT_TRUE(WriteFileBytes(path, content.data(), content.size()));
  TScoreTable t;
  ReadScoreFile(path, t);
  // The first rewrite copies the file as read; later ones copy nothing.
  EXPECT_EQ(WriteScoreFile(path, t, "dropped.bak"), bak);
  EXPECT_EQ(Get(bak), content);
  EXPECT_EQ(Get(path), head + good + good);
  EXPECT_EQ(WriteScoreFile(path, t, "dropped.bak"), "");
  EXPECT_FALSE(FileExists(bak2));
  // A copy from an earlier occasion is never overwritten.
  ASSERT_TRUE(WriteFileBytes(path, content.data(), content.size()));
  TScoreTable again;
  ReadScoreFile(path, again);
  EXPECT_EQ(KeepScoreFileCopy(path, again, "dropped.bak"), bak2);
  EXPECT_EQ(Get(bak2), content);
  EXPECT_EQ(WriteScoreFile(path, again, "dropped.bak"), "") << "copied already";
  EXPECT_EQ(Get(path), head + good + good);
  RemoveFile(bak2);
  EXPECT_FALSE(FileExists(bak2));
}

// A damaged file used to be copied, and the learner told, at every start
// until something rewrote it: it is now rewritten without the lines the copy
// keeps, and the next start finds it clean.
TEST(ScoreFile, OpeningRemovesALeftOverRewriteAndRewritesADamagedFileAtOnce) {
  const std::string good = FormatScoreLine(Record("bob", "a")) + "\r\n";
  const std::string path = TempPath("opening"), leftover = ScoreRewritePath(path);
  const std::string bak = ::testing::TempDir() + "opening.bak", bak2 = ::testing::TempDir() + "opening2.bak";
  RemoveFile(bak);
  RemoveFile(bak2);
  EXPECT_EQ(leftover, path + ".new");

  // A rewrite cut short by a kill: the file itself is whole.
  const std::string whole = "h1\r\nh2\r\n" + good + good;
  ASSERT_TRUE(WriteFileBytes(path, whole.data(), whole.size()));
  ASSERT_TRUE(WriteFileBytes(leftover, whole.data(), 300));
  TScoreTable t;
  TScoreFileOpening opening = OpenScoreFile(path, t, "opening.bak");
  EXPECT_EQ(t.ScoreCount, 2);
  EXPECT_FALSE(FileExists(leftover));
  EXPECT_EQ(opening.BackupPath, "");
  EXPECT_FALSE(FileExists(bak));
  EXPECT_EQ(Get(path), whole);

  // Without the file, a left-over is not touched.
  RemoveFile(path);
  ASSERT_TRUE(WriteFileBytes(leftover, whole.data(), whole.size()));
  OpenScoreFile(path, t, "opening.bak");
  EXPECT_TRUE(FileExists(leftover));
  RemoveFile(leftover);

  // A damaged file is copied, then rewritten without what it could not read.
  const std::string damaged = "h1\r\nh2\r\n" + good + "x\r\n" + good;
  ASSERT_TRUE(WriteFileBytes(path, damaged.data(), damaged.size()));
  opening = OpenScoreFile(path, t, "opening.bak");
  EXPECT_EQ(opening.BackupPath, bak);
  EXPECT_EQ(opening.Error, "");
  EXPECT_EQ(t.BackupPath, bak);
  EXPECT_EQ(t.DamagedLines, 1) << "for the learner's message";
  EXPECT_EQ(Get(bak), damaged);
  EXPECT_EQ(Get(path), whole);
  EXPECT_EQ(t.ScoreCount, 2);
  EXPECT_EQ(WriteScoreFile(path, t, "opening.bak"), "") << "copied once";
  opening = OpenScoreFile(path, t, "opening.bak");
  EXPECT_EQ(opening.BackupPath, "");
  EXPECT_FALSE(t.DropsLines());
  EXPECT_FALSE(FileExists(bak2));
  RemoveFile(bak);

  // A copy that cannot be made is reported, and the file is not rewritten;
  // new records are still appended.
  ASSERT_TRUE(WriteFileBytes(path, damaged.data(), damaged.size()));
  opening = OpenScoreFile(path, t, "no such folder/x.bak");
  EXPECT_EQ(opening.BackupPath, "");
  EXPECT_NE(opening.Error, "");
  EXPECT_THROW(WriteScoreFile(path, t, "no such folder/x.bak"), EScoreFileError);
  EXPECT_EQ(Get(path), damaged);
  ASSERT_TRUE(AppendScoreRecord(t, Record("new", "")));
  StoreLastScoreRecord(path, t);
  const std::string appended = damaged + FormatScoreLine(Record("new", "")) + "\r\n";
  EXPECT_EQ(Get(path), appended);

  // A rewrite that fails leaves no copy behind: the file still holds every line.
  ASSERT_EQ(mkdir(leftover.c_str(), 0700), 0);  // not empty: no left-over to remove
  ASSERT_TRUE(WriteFileBytes(leftover + "/in", "x", 1));
  opening = OpenScoreFile(path, t, "opening.bak");
  EXPECT_EQ(opening.BackupPath, "");
  EXPECT_NE(opening.Error.find("原文件未改动"), std::string::npos) << opening.Error;
  EXPECT_EQ(t.BackupPath, "");
  EXPECT_FALSE(FileExists(bak));
  EXPECT_EQ(Get(path), appended);
  RemoveFile(leftover + "/in");
  rmdir(leftover.c_str());
}

TEST(ScoreFile, RecordsBeyondTheCapacityAreCountedAndLinesOfBlanksKeepNothing) {
  std::string path = TempPath("capacity");
  const std::string good = FormatScoreLine(Record("bob", "")) + "\r\n";
  std::string text = "h1\r\nh2\r\n" + good + good + "x\r\n" + good + "\r\n" + good + good;
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  TScoreTable t;
  ReadScoreFile(path, t, 3);  // the history holds 1,000,000; three here
  EXPECT_EQ(t.ScoreCount, 3);
  EXPECT_EQ(t.DamagedLines, 1);
  EXPECT_EQ(t.ExcessLines, 2);
  EXPECT_TRUE(t.DropsLines());
  ReadScoreFile(path, t);
  EXPECT_EQ(t.ScoreCount, 5);
  EXPECT_EQ(t.ExcessLines, 0);

  // Line feeds by the million hold no record: nothing is kept for them.
  text = "h1\nh2\n" + FormatScoreLine(Record("bob", "")) + "\n" + std::string(64u << 20, '\n') + "late record\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  ReadScoreFile(path, t);
  EXPECT_EQ(t.ScoreCount, 1);
  EXPECT_EQ(t.ScoreRecords.size(), 2u);
  EXPECT_EQ(t.DamagedLines, 1);
  EXPECT_EQ(t.FirstDamagedLine, 4 + (64ll << 20));
}

TEST(ScoreFile, EachStoredRecordIsAppendedAtOnce) {
  std::string path = TempPath("append");
  TScoreTable t;
  ReadScoreFile(path, t);  // missing: a new history
  ASSERT_TRUE(AppendScoreRecord(t, Record("bob", "")));
  StoreLastScoreRecord(path, t);
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

  // After a damaged line too: the reader passes over it.
  text = headers + FormatScoreLine(Record("old", "")) + "\r\nx\r\n" + FormatScoreLine(Record("later", "")) + "\r\n";
  ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size()));
  ReadScoreFile(path, t);
  ASSERT_TRUE(AppendScoreRecord(t, Record("new", "")));
  StoreLastScoreRecord(path, t);
  EXPECT_EQ(Get(path), text + FormatScoreLine(Record("new", "")) + "\r\n");
  ReadScoreFile(path, back);
  ASSERT_EQ(back.ScoreCount, 3);
  EXPECT_EQ(back.ScoreRecords[2].User, "later");
  EXPECT_EQ(back.ScoreRecords[3].User, "new");
  EXPECT_EQ(back.DamagedLines, 1);
}

// A record appended to a file of 0 bytes became its first header line, and
// the next start read no record: the header lines are written first.
TEST(ScoreFile, AnAppendToAFileWithoutItsHeaderLinesWritesThemFirst) {
  const std::string h1 = StandardScoreHeader1, h2 = StandardScoreHeader2();
  const std::string record = FormatScoreLine(Record("bob", ""));
  const struct {
    const char* name;
    std::string content, written;
  } cases[] = {
      {"zero", "", h1 + "\r\n" + h2 + "\r\n" + record + "\r\n"},
      {"one line", "mine\r\n", "mine\r\n" + h2 + "\r\n" + record + "\r\n"},
      {"one cut line", "mine", "mine\r\n" + h2 + "\r\n" + record + "\r\n"},
      {"two lines", "h1\r\nh2", "h1\r\nh2\r\n" + record + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = TempPath("headless");
    ASSERT_TRUE(WriteFileBytes(path, c.content.data(), c.content.size()));
    TScoreTable t;
    ReadScoreFile(path, t);
    ASSERT_TRUE(AppendScoreRecord(t, Record("bob", "")));
    StoreLastScoreRecord(path, t);
    EXPECT_EQ(Get(path), c.written);
    ASSERT_TRUE(AppendScoreRecord(t, Record("ann", "")));
    StoreLastScoreRecord(path, t);  // appended now
    TScoreTable back;
    ReadScoreFile(path, back);
    ASSERT_EQ(back.ScoreCount, 2);
    EXPECT_EQ(back.ScoreRecords[1].User, "bob");
    EXPECT_EQ(back.ScoreRecords[2].User, "ann");
    EXPECT_FALSE(back.DropsLines());
  }
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
