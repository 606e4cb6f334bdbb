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

inline constexpr int MaxScoreRecords = 1000000;
// Column widths of the nine fields in a score line, in field order.
inline constexpr int ScoreFieldWidths[9] = {100, 20, 20, 20, 20, 20, 20, 40, 100};
inline constexpr int ScoreLineWidth = 360;
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
  // The file's first line the reader left unread (a blank or short line with
  // records after it, records beyond 1,000,000); 0 when every line was read.
  long long UnreadFromLine = 0;
  // Where the file as read was copied before the first rewrite that dropped
  // the unread lines; empty until then.
  std::string BackupPath;
};

// The score file cannot be read or written; the message names the file and why.
class EScoreFileError : public Exception {
public:
  using Exception::Exception;
};

// Reads the file into `table`, line by line. A missing file gives an empty
// history with the standard headers. Reading stops at a line shorter than 10
// bytes and after 1,000,000 records; the first unread line that holds more than
// blanks is noted in UnreadFromLine. The article name runs from column 261 to
// the end of the line. A file that cannot be read raises EScoreFileError and
// leaves `table` unchanged.
void ReadScoreFile(const std::string& path, TScoreTable& table);

// One record as a line of the file (without line end): each field at its column,
// padded with blanks, a longer field cut at its width but never inside a
// double-byte character, except the article name, the last column, which is
// written whole; control characters are written as blanks.
std::string FormatScoreLine(const svlScoreSet& record);

// Rewrites the file from a loaded table: the two headers, then every record with
// a user. Written beside the file and moved over it only when complete; on any
// failure the old file stays as it was and EScoreFileError is raised. A table
// that was never loaded raises without touching the file. When the file holds
// lines the reader left unread, it is first copied to the first free name of
// `backupName`, then `backupName` with 2, 3... before its extension (beside it);
// the copy's path is returned, and is empty when no copy was made by this call.
std::string WriteScoreFile(const std::string& path, TScoreTable& table,
                           const std::string& backupName = "svlScore.bak");

// Stores record ScoreCount, just appended, in the file at once: its line is
// appended, or the whole file is rewritten (WriteScoreFile) while the file is
// missing or still holds unread lines. Returns the backup WriteScoreFile made;
// raises EScoreFileError when the file cannot be written.
std::string StoreLastScoreRecord(const std::string& path, TScoreTable& table,
                                 const std::string& backupName = "svlScore.bak");

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
  int ElapsedSeconds = 0;
  int TotalCount = 0;
  double Accuracy = 0;        // percent
  int ErrorCount = 0;
  std::string ArticleChoice;  // the article chooser's text, e.g. "3.name"
  TScoreTime EndTime;
};

// "h:m:s" of a count of seconds, each part in plain decimal (125 -> "0:2:5").
std::string ScoreTimeText(int seconds);
// Characters per minute, rounded halves to even; 0 for no time.
long long ScoreSpeed(int totalCount, int elapsedSeconds);
// "%d年%d月%d日%d时%d分 %s" with the weekday's name.
std::string ScoreDateText(const TScoreTime& t);
// The article name for types 19, 21 and 22: the chooser's text after its first
// "." (all of it without one); empty for every other type.
std::string ScoreArticleName(int practiceType, const std::string& articleChoice);
svlScoreSet MakeScoreRecord(const TFinishedRun& run);
