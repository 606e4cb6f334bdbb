#include "practice/data/score.h"

#include <algorithm>
#include <cstdio>

#include "toolkit/base/file_io.h"
#include "toolkit/base/float_format.h"
#include "toolkit/base/text_file.h"

const char* const StandardScoreHeader1 = "Tapmira 打字成绩";

namespace {

const char* const kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Private stand-in for the run-time Trim (blanks and control characters at both ends).
std::string TrimField(const char* begin, const char* end) {
  while (begin < end && IsBlankByte(*begin)) ++begin;
  while (end > begin && IsBlankByte(end[-1])) --end;
  return std::string(begin, end);
}

bool IsBlank(const char* begin, const char* end) { return std::all_of(begin, end, IsBlankByte); }

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Appends `field` cut to `width` bytes at a character boundary, padded with blanks.
void AppendColumn(std::string& line, const std::string& field, std::size_t width) {
  std::size_t used = 0;
  while (used < field.size()) {
    std::size_t step = (IsLeadByte(static_cast<unsigned char>(field[used])) && used + 1 < field.size()) ? 2 : 1;
    if (used + step > width) break;
    used += step;
  }
  for (std::size_t i = 0; i < used; ++i) {
    char c = field[i];
    line += IsBlankByte(c) ? ' ' : c;
  }
  line.append(width - used, ' ');
}

std::string Quoted(const std::string& path) { return "“" + path + "”"; }

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

void ReadScoreFile(const std::string& path, TScoreTable& table) {
  TScoreTable read;
  read.Loaded = true;
  if (!FileExists(path)) {
    read.ScoreHeader1 = StandardScoreHeader1;
    read.ScoreHeader2 = StandardScoreHeader2();
    table = std::move(read);
    return;
  }
  try {
    TTextFileReader file(path);
    read.ScoreHeader1 = file.Readln();
    read.ScoreHeader2 = file.Readln();
    long long lineNo = 2;
    while (!file.Eof()) {
      std::string line = file.Readln();
      ++lineNo;
      if (line.size() < 10 || read.ScoreCount >= MaxScoreRecords) {
        // Reading ends here; note where lines start that a rewrite would drop.
        for (;;) {
          if (!IsBlank(line.data(), line.data() + line.size())) {
            read.UnreadFromLine = lineNo;
            break;
          }
          if (file.Eof()) break;
          line = file.Readln();
          ++lineNo;
        }
        break;
      }
      svlScoreSet r;
      std::string* fields[9] = {&r.User,  &r.PracticeType, &r.TimeUsed, &r.Total,  &r.AccuracyText,
                                &r.Errors, &r.Speed,       &r.DateText, &r.Article};
      const char* text = line.data();
      const std::size_t length = line.size();
      std::size_t column = 0;
      for (int f = 0; f < 9; ++f) {
        std::size_t from = std::min(column, length);
        std::size_t to = f == 8 ? length : std::min(column + static_cast<std::size_t>(ScoreFieldWidths[f]), length);
        *fields[f] = TrimField(text + from, text + to);
        column += static_cast<std::size_t>(ScoreFieldWidths[f]);
      }
      read.ScoreRecords.push_back(std::move(r));
      ++read.ScoreCount;
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
  const std::string* fields[9] = {&r.User,  &r.PracticeType, &r.TimeUsed, &r.Total,  &r.AccuracyText,
                                  &r.Errors, &r.Speed,       &r.DateText, &r.Article};
  std::string line;
  line.reserve(ScoreLineWidth);
  for (int f = 0; f < 8; ++f) AppendColumn(line, *fields[f], static_cast<std::size_t>(ScoreFieldWidths[f]));
  // The last column may run on: the reader takes it to the end of the line.
  AppendColumn(line, r.Article, std::max(r.Article.size(), static_cast<std::size_t>(ScoreFieldWidths[8])));
  return line;
}

std::string WriteScoreFile(const std::string& path, TScoreTable& table, const std::string& backupName) {
  if (!table.Loaded) throw EScoreFileError(path + "：成绩记录未读入，不能写回");
  std::string backup;
  if (table.UnreadFromLine > 0 && table.BackupPath.empty() && FileExists(path)) {
    backup = FreeBackupPath(path, backupName);
    if (!CopyFileBytes(path, backup))
      throw EScoreFileError(path + "：有未读入的行，但无法另存为" + Quoted(backup) + "，原文件未改动");
    table.BackupPath = backup;
  }
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
  std::string fresh = path + ".new";
  if (!WriteFileBytes(fresh, text.data(), text.size())) {
    RemoveFile(fresh);
    throw EScoreFileError(path + "：无法写入新文件 " + fresh + "，原文件未改动");
  }
  if (!MoveFileOver(fresh, path)) {
    RemoveFile(fresh);
    throw EScoreFileError(path + "：无法以新文件替换，原文件未改动");
  }
  return backup;
}

std::string StoreLastScoreRecord(const std::string& path, TScoreTable& table, const std::string& backupName) {
  if (!table.Loaded) throw EScoreFileError(path + "：成绩记录未读入，不能写回");
  if (!FileExists(path) || (table.UnreadFromLine > 0 && table.BackupPath.empty()))
    return WriteScoreFile(path, table, backupName);
  if (table.ScoreCount < 1 || table.ScoreCount >= static_cast<int>(table.ScoreRecords.size())) return std::string();
  const svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(table.ScoreCount)];
  if (!AppendFileLine(path, FormatScoreLine(r))) throw EScoreFileError(path + "：本次成绩无法写入文件");
  return std::string();
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

long long ScoreSpeed(int totalCount, int elapsedSeconds) {
  if (elapsedSeconds <= 0) return 0;
  return static_cast<long long>(Round(static_cast<double>(totalCount) / elapsedSeconds * 60.0));
}

std::string ScoreDateText(const TScoreTime& t) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日%d时%d分 %s", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                kWeekdays[((t.DayOfWeek % 7) + 7) % 7]);
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
  r.TimeUsed = ScoreTimeText(run.ElapsedSeconds);
  r.Total = std::to_string(run.TotalCount) + "字";
  r.AccuracyText = AccuracyText(run.Accuracy);
  r.Errors = std::to_string(run.ErrorCount);
  r.Speed = std::to_string(ScoreSpeed(run.TotalCount, run.ElapsedSeconds)) + "字/分";
  r.DateText = ScoreDateText(run.EndTime);
  r.Article = ScoreArticleName(run.PracticeType, run.ArticleChoice);
  return r;
}
