#pragma once
// The score history: records, the score file and the record of a finished run.
#include <string>
#include <vector>

#include "toolkit/base/exception.h"

struct svlScoreSet {
  std::string User;  // empty: the record is deleted
  std::string PracticeType;
  std::string TimeUsed;
  std::string Total;
  std::string AccuracyText;
  std::string Errors;
  std::string Speed;
  std::string DateText;
  std::string Article;
};

// The nine fields in their order in a score line.
inline constexpr std::string svlScoreSet::*ScoreFields[9] = {
    &svlScoreSet::User,         &svlScoreSet::PracticeType, &svlScoreSet::TimeUsed,
    &svlScoreSet::Total,        &svlScoreSet::AccuracyText, &svlScoreSet::Errors,
    &svlScoreSet::Speed,        &svlScoreSet::DateText,     &svlScoreSet::Article};

inline constexpr int MaxScoreRecords = 1000000;
// Column widths of the nine fields in a score line, in field order.
inline constexpr int ScoreFieldWidths[9] = {100, 20, 20, 20, 20, 20, 20, 40, 100};
inline constexpr int ScoreLineWidth = 360;
// The eight fixed columns end here; the article name runs on to the line's end.
inline constexpr int ScoreFixedWidth = 260;
// The longest article name: a file name of 255 characters, two bytes each.
inline constexpr int MaxScoreArticleLength = 510;
// The header lines of a new score file.
extern const char* const StandardScoreHeader1;
std::string StandardScoreHeader2();

// The history in memory. ScoreRecords is 1-based ([0] unused) and holds at least
// ScoreCount + 1 entries; ScoreCount may be lowered (deleting all records), and
// later appends reuse the slots above it.
struct TScoreTable {
  std::vector<svlScoreSet> ScoreRecords = std::vector<svlScoreSet>(1);
  int ScoreCount = 0;
  std::string ScoreHeader1;
  std::string ScoreHeader2;
  bool Loaded = false;  // read from the file (or started new); only then written back
  // The file holds both header lines, so a record line may be appended to it.
  bool HeadersInFile = false;
  // Lines of the file as read that a rewrite drops: damaged lines (skipped,
  // the records after them read) and records beyond 1,000,000.
  long long DamagedLines = 0;
  long long FirstDamagedLine = 0;  // its line number; 0 for none
  long long ExcessLines = 0;
  bool DropsLines() const { return DamagedLines > 0 || ExcessLines > 0; }
  // Where the file as read was copied before the first rewrite that dropped
  // lines; empty until then.
  std::string BackupPath;
};

// The score file cannot be read or written; the message names the file and why.
class EScoreFileError : public Exception {
public:
  using Exception::Exception;
};

// One line of the file as a record, its fields trimmed of blanks and control
// characters. False for a line no writer makes: shorter than the eight fixed
// columns, a field from the user to the date empty, a field from the practice
// type to the date reaching the last byte of its column (their texts are all
// shorter: it ran on past its width), a control character inside a field, or
// an article name longer than MaxScoreArticleLength.
bool ParseScoreLine(const std::string& line, svlScoreSet& record);

// Reads the file into `table`, line by line. A missing file, or a missing
// header line, gives the standard headers. Blank lines are passed over; a
// damaged line (ParseScoreLine) is skipped and counted, and so is every line
// after `capacity` records (DamagedLines, ExcessLines). A file that cannot be
// read raises EScoreFileError and leaves `table` unchanged.
void ReadScoreFile(const std::string& path, TScoreTable& table, int capacity = MaxScoreRecords);

// One record as a line of the file (without line end): each field at its
// column, padded with blanks and cut, never inside a double-byte character, to
// what the reader takes back: the user at its width, the practice type to the
// date one byte short of theirs, the article name, which runs on, at
// MaxScoreArticleLength. Control characters are written as blanks.
std::string FormatScoreLine(const svlScoreSet& record);

// The file a rewrite writes before it replaces `path` with it.
std::string ScoreRewritePath(const std::string& path);

// When the file as read dropped lines and holds no copy yet: copies it to the
// first free name of `backupName`, then `backupName` with 2, 3... before its
// extension (beside it), and notes the copy in BackupPath. Returns the copy's
// path, empty when this call made none; raises EScoreFileError when the copy
// fails (BackupPath stays empty).
std::string KeepScoreFileCopy(const std::string& path, TScoreTable& table,
                              const std::string& backupName = "svlScore.bak");

// What start-up found beside the history it read.
struct TScoreFileOpening {
  std::string BackupPath;  // the copy made of a file with dropped lines
  std::string Error;       // why such a file could not be copied and rewritten
};
// Start-up: reads the file (ReadScoreFile); once it has been read whole, a
// rewrite's left-over (ScoreRewritePath) is removed, and a file with dropped
// lines is rewritten at once (WriteScoreFile): copied first, then written
// without them, so that the next start finds it clean. Raises EScoreFileError
// only when the file cannot be read.
TScoreFileOpening OpenScoreFile(const std::string& path, TScoreTable& table,
                                const std::string& backupName = "svlScore.bak");

// Rewrites the file from a loaded table: the two headers, then every record with
// a user. Written beside the file and moved over it only when complete; on any
// failure the old file stays as it was and EScoreFileError is raised. A table
// that was never loaded raises without touching the file. A file that dropped
// lines is copied first (KeepScoreFileCopy); the copy's path is returned, and
// is empty when no copy was made by this call. A copy made for a rewrite that
// then fails is removed again: the file still holds every line.
std::string WriteScoreFile(const std::string& path, TScoreTable& table,
                           const std::string& backupName = "svlScore.bak");

// Stores record ScoreCount, just appended, in the file at once: its line is
// appended (after any damaged lines, which the reader passes over), or the
// whole file is written (WriteScoreFile) while it is missing or lacks its
// header lines. Raises EScoreFileError when the file cannot be written.
void StoreLastScoreRecord(const std::string& path, TScoreTable& table);

// The accuracy as records and the statistics line show it: at most two
// decimals, a digit before the point (0 -> "0%", 0.5 -> "0.5%", 95.5 -> "95.5%").
std::string AccuracyText(double percent);

// Appends as record ScoreCount + 1; false (nothing written) when 1,000,000 are held.
bool AppendScoreRecord(TScoreTable& table, const svlScoreSet& record);

// Local time at the end of a run; DayOfWeek 0 is Sunday.
struct TScoreTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, DayOfWeek = 0;
};

// A finished run as the score record needs it.
struct TFinishedRun {
  std::string User;
  int PracticeType = 0;       // index 0..22
  std::string TypeCaption;    // the practice type's caption
  double ElapsedSeconds = 0;  // the time used, fractions of a second included
  int TotalCount = 0;
  double Accuracy = 0;        // percent
  int ErrorCount = 0;
  std::string ArticleChoice;  // the article chooser's text, e.g. "3.name"
  TScoreTime EndTime;
};

// "h:m:s" of a count of seconds, each part in plain decimal (125 -> "0:2:5").
std::string ScoreTimeText(int seconds);
// Characters per minute, rounded halves to even; 0 for no time.
long long ScoreSpeed(int totalCount, double elapsedSeconds);
// "%d年%d月%d日%d时%d分 %s" with the weekday's name.
std::string ScoreDateText(const TScoreTime& t);
// The article name for types 19, 21 and 22: the chooser's text after its first
// "." (all of it without one); empty for every other type.
std::string ScoreArticleName(int practiceType, const std::string& articleChoice);
svlScoreSet MakeScoreRecord(const TFinishedRun& run);
