#include "practice/data/score.h"

#include <algorithm>
#include <cstdio>

#include "practice/data/quoted.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/float_format.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/base/text_file.h"

const char* const StandardScoreHeader1 = "Tapmira 打字成绩";

namespace {

bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Narrows [begin, end) as the run-time Trim does (blanks and control characters at both ends).
void Trim(const char*& begin, const char*& end) {
  while (begin < end && IsBlankByte(*begin)) ++begin;
  while (end > begin && IsBlankByte(end[-1])) --end;
}

bool IsBlank(const std::string& s) { return std::all_of(s.begin(), s.end(), IsBlankByte); }

bool IsControlByte(char c) { return static_cast<unsigned char>(c) < ' '; }

// Appends `field` cut to `width` bytes at a character boundary, padded with
// blanks to `padTo`.
void AppendColumn(std::string& line, const std::string& field, std::size_t width, std::size_t padTo) {
  const std::string cut = CutGbk(field, width);
  for (char c : cut) line += IsBlankByte(c) ? ' ' : c;
  if (cut.size() < padTo) line.append(padTo - cut.size(), ' ');
}

// The first free backup name beside `path`: `name`, then name2.ext, name3.ext...
std::string FreeBackupPath(const std::string& path, const std::string& name) {
  std::size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::size_t dot = name.rfind('.');
  std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  std::string candidate = folder + name;
  for (int n = 2; FileExists(candidate); ++n) candidate = folder + stem + std::to_string(n) + ext;
  return candidate;
}

}  // namespace

std::string StandardScoreHeader2() {
  svlScoreSet titles{"用户", "打字类型", "打字时间", "打字总数", "正确率",
                     "错误", "速度",     "统计日期", "文章名"};
  return FormatScoreLine(titles);
}

bool ParseScoreLine(const std::string& line, svlScoreSet& record) {
  if (line.size() < static_cast<std::size_t>(ScoreFixedWidth)) return false;
  const char* text = line.data();
  std::size_t column = 0;
  for (int f = 0; f < 9; ++f) {
    const std::size_t width = static_cast<std::size_t>(ScoreFieldWidths[f]);
    const std::size_t to = f == 8 ? line.size() : column + width;
    // Only a user name may fill its column.
    if (f >= 1 && f <= 7 && !IsBlankByte(text[to - 1])) return false;
    const char* begin = text + column;
    const char* end = text + to;
    Trim(begin, end);
    if (f < 8 && begin == end) return false;
    if (f == 8 && end - begin > MaxScoreArticleLength) return false;
    if (std::any_of(begin, end, IsControlByte)) return false;
    (record.*ScoreFields[f]).assign(begin, end);
    column = to;
  }
  return true;
}

void ReadScoreFile(const std::string& path, TScoreTable& table, int capacity) {
  TScoreTable read;
  read.Loaded = true;
  read.ScoreHeader1 = StandardScoreHeader1;
  read.ScoreHeader2 = StandardScoreHeader2();
  if (!FileExists(path)) {
    table = std::move(read);
    return;
  }
  try {
    TTextFileReader file(path);
    if (!file.Eof()) read.ScoreHeader1 = file.Readln();
    if (!file.Eof()) {
      read.ScoreHeader2 = file.Readln();
      read.HeadersInFile = true;
    }
    long long lineNo = 2;
    svlScoreSet record;
    while (!file.Eof()) {
      const std::string line = file.Readln();
      ++lineNo;
      if (IsBlank(line)) continue;
      if (read.ScoreCount >= capacity) {
        ++read.ExcessLines;
      } else if (ParseScoreLine(line, record)) {
        read.ScoreRecords.push_back(std::move(record));
        ++read.ScoreCount;
      } else {
        if (read.DamagedLines == 0) read.FirstDamagedLine = lineNo;
        ++read.DamagedLines;
      }
    }
  } catch (const EScoreFileError&) {
    throw;
  } catch (const Exception& e) {
    throw EScoreFileError(path + "：文件无法读取（" + e.Message() + "）");
  } catch (const std::bad_alloc&) {
    throw EScoreFileError(path + "：成绩记录太多，内存不足");
  }
  table = std::move(read);
}

std::string FormatScoreLine(const svlScoreSet& r) {
  std::string line;
  line.reserve(ScoreLineWidth);
  for (int f = 0; f < 9; ++f) {
    const std::size_t width = static_cast<std::size_t>(ScoreFieldWidths[f]);
    // The user may fill its column; the practice type to the date keep a blank
    // at its end; the article name, the last column, runs on.
    const std::size_t kept = f == 0 ? width : f == 8 ? static_cast<std::size_t>(MaxScoreArticleLength) : width - 1;
    AppendColumn(line, r.*ScoreFields[f], kept, width);
  }
  return line;
}

std::string ScoreRewritePath(const std::string& path) { return path + ".new"; }

std::string KeepScoreFileCopy(const std::string& path, TScoreTable& table, const std::string& backupName) {
  if (!table.DropsLines() || !table.BackupPath.empty() || !FileExists(path)) return std::string();
  const std::string backup = FreeBackupPath(path, backupName);
  if (!CopyFileBytes(path, backup))
    throw EScoreFileError(path + "：有未能读入的行，但无法另存为" + Quoted(backup) + "，原文件未改动");
  table.BackupPath = backup;
  return backup;
}

TScoreFileOpening OpenScoreFile(const std::string& path, TScoreTable& table, const std::string& backupName) {
  ReadScoreFile(path, table);
  TScoreFileOpening opening;
  if (!FileExists(path)) return opening;
  RemoveFile(ScoreRewritePath(path));
  if (!table.DropsLines()) return opening;
  try {
    opening.BackupPath = WriteScoreFile(path, table, backupName);
  } catch (const EScoreFileError& e) {
    opening.Error = e.Message();
  }
  return opening;
}

std::string WriteScoreFile(const std::string& path, TScoreTable& table, const std::string& backupName) {
  if (!table.Loaded) throw EScoreFileError(path + "：成绩记录未读入，不能写回");
  const std::string backup = KeepScoreFileCopy(path, table, backupName);
  int count = std::min<int>(table.ScoreCount, static_cast<int>(table.ScoreRecords.size()) - 1);
  std::string text;
  text.reserve(static_cast<std::size_t>(std::max(count, 0)) * (ScoreLineWidth + 2) + 1024);
  text += table.ScoreHeader1 + "\r\n";
  text += table.ScoreHeader2 + "\r\n";
  for (int j = 1; j <= count; ++j) {
    const svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(j)];
    if (r.User.empty()) continue;
    text += FormatScoreLine(r);
    text += "\r\n";
  }
  const std::string fresh = ScoreRewritePath(path);
  std::string failure;
  if (!WriteFileBytes(fresh, text.data(), text.size())) {
    failure = path + "：无法写入新文件 " + fresh + "，原文件未改动";
  } else if (!MoveFileOver(fresh, path)) {
    failure = path + "：无法以新文件替换，原文件未改动";
  } else {
    table.HeadersInFile = true;
    return backup;
  }
  RemoveFile(fresh);
  if (!backup.empty()) {
    RemoveFile(backup);
    table.BackupPath.clear();
  }
  throw EScoreFileError(failure);
}

void StoreLastScoreRecord(const std::string& path, TScoreTable& table) {
  if (!table.Loaded) throw EScoreFileError(path + "：成绩记录未读入，不能写回");
  if (!table.HeadersInFile || !FileExists(path)) {
    WriteScoreFile(path, table);
    return;
  }
  if (table.ScoreCount < 1 || table.ScoreCount >= static_cast<int>(table.ScoreRecords.size())) return;
  const svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(table.ScoreCount)];
  if (!AppendFileLine(path, FormatScoreLine(r))) throw EScoreFileError(path + "：本次成绩无法写入文件");
}

std::string AccuracyText(double percent) { return FormatFloat("#0.##%", percent); }

bool AppendScoreRecord(TScoreTable& table, const svlScoreSet& record) {
  if (table.ScoreCount < 0 || table.ScoreCount >= MaxScoreRecords) return false;
  std::size_t slot = static_cast<std::size_t>(table.ScoreCount) + 1;
  if (table.ScoreRecords.size() <= slot) table.ScoreRecords.resize(slot + 1);
  table.ScoreRecords[slot] = record;
  table.ScoreCount = static_cast<int>(slot);
  return true;
}

std::string ScoreTimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  return std::to_string(seconds / 3600) + ":" + std::to_string(seconds % 3600 / 60) + ":" +
         std::to_string(seconds % 60);
}

long long ScoreSpeed(int totalCount, double elapsedSeconds) {
  if (elapsedSeconds <= 0) return 0;
  return static_cast<long long>(Round(totalCount / elapsedSeconds * 60.0));
}

std::string ScoreDateText(const TScoreTime& t) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日%d时%d分 %s", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                WeekdayName(((t.DayOfWeek % 7) + 7) % 7).c_str());
  return buf;
}

std::string ScoreArticleName(int practiceType, const std::string& articleChoice) {
  if (practiceType != 19 && practiceType != 21 && practiceType != 22) return std::string();
  std::size_t dot = articleChoice.find('.');
  return dot == std::string::npos ? articleChoice : articleChoice.substr(dot + 1);
}

svlScoreSet MakeScoreRecord(const TFinishedRun& run) {
  svlScoreSet r;
  r.User = run.User;
  r.PracticeType = run.TypeCaption;
  r.TimeUsed = ScoreTimeText(static_cast<int>(run.ElapsedSeconds));  // whole seconds
  r.Total = std::to_string(run.TotalCount) + "字";
  r.AccuracyText = AccuracyText(run.Accuracy);
  r.Errors = std::to_string(run.ErrorCount);
  r.Speed = std::to_string(ScoreSpeed(run.TotalCount, run.ElapsedSeconds)) + "字/分";
  r.DateText = ScoreDateText(run.EndTime);
  r.Article = ScoreArticleName(run.PracticeType, run.ArticleChoice);
  return r;
}
