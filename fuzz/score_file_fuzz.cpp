// The score file on any bytes: read, filtered, sorted by every column,
// deleted from, rewritten and appended to. A rewrite keeps every record it
// read, and reading it back gives the same records.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "practice/data/score.h"
#include "practice/rules/practice_types.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/sysutils.h"
#include "users/query/score_filter.h"
#include "users/query/score_sort.h"

namespace {

// The files of one run live in a folder of the process, removed at exit
// (never freed: the exit handler needs it after static objects are gone).
const std::string& Folder() {
  static const std::string* folder = [] {
    auto* f = new std::string("/tmp/score_fuzz_" + std::to_string(getpid()) + "/");
    mkdir(f->c_str(), 0700);
    std::atexit([] {
      for (const char* name : {"svlScore.dat", "svlScore.dat.new", "svlScore.bak", "svlAppend.dat", "svlAppend.dat.new"})
        RemoveFile(Folder() + name);
      rmdir(Folder().c_str());
    });
    return f;
  }();
  return *folder;
}

std::vector<svlScoreSet> Held(const TScoreTable& t, const TScoreFilter& keep = TScoreFilter{}) {
  std::vector<svlScoreSet> held;
  for (int j = 1; j <= t.ScoreCount; ++j)
    if (ScoreListed(t.ScoreRecords[static_cast<std::size_t>(j)], keep)) held.push_back(t.ScoreRecords[static_cast<std::size_t>(j)]);
  return held;
}

bool Same(const svlScoreSet& a, const svlScoreSet& b) {
  for (auto field : ScoreFields)
    if (a.*field != b.*field) return false;
  return true;
}

bool SameRecords(const std::vector<svlScoreSet>& a, const std::vector<svlScoreSet>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!Same(a[i], b[i])) return false;
  return true;
}

// Rows sorted by `column` are in order: keyed texts by key, then the rest by text.
template <class Key, class Parse>
void CheckOrder(const TScoreTable& t, const std::vector<int>& rows, int column, Parse parse) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string& a = ScoreColumnText(t.ScoreRecords[static_cast<std::size_t>(rows[i - 1])], column);
    const std::string& b = ScoreColumnText(t.ScoreRecords[static_cast<std::size_t>(rows[i])], column);
    Key ka{}, kb{};
    const bool pa = parse(a, ka), pb = parse(b, kb);
    Check(pa || !pb);
    if (pa && pb) Check(!(kb < ka));
    if (!pa && !pb) Check(CompareText(a, b) <= 0);
  }
}

void CheckSorts(const TScoreTable& t) {
  const std::vector<int> listed = ListedScoreRows(t, TScoreFilter{});
  for (int column = 0; column < 9; ++column) {
    std::vector<int> rows = listed;
    SortScoreRows(rows, t, column, true);
    std::vector<int> a = rows, b = listed;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    Check(a == b);  // the same rows
    auto asText = [](const std::string&, int&) { return false; };
    switch (ScoreColumnSortKey(column)) {
      case TScoreSortKey::Number: CheckOrder<double>(t, rows, column, ParseScoreNumber); break;
      case TScoreSortKey::Duration: CheckOrder<long long>(t, rows, column, ParseScoreDuration); break;
      case TScoreSortKey::Date: CheckOrder<long long>(t, rows, column, ParseScoreDate); break;
      case TScoreSortKey::Text: CheckOrder<int>(t, rows, column, asText); break;
    }
  }
}

// `record` appended to `table` and stored in its file at `path`; the file as read back.
TScoreTable AppendAndReadBack(const std::string& path, TScoreTable& table, const svlScoreSet& record) {
  Check(AppendScoreRecord(table, record));
  StoreLastScoreRecord(path, table);
  TScoreTable back;
  ReadScoreFile(path, back);
  return back;
}

// `records` with `last` after them.
std::vector<svlScoreSet> Then(std::vector<svlScoreSet> records, const svlScoreSet& last) {
  records.push_back(last);
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = Folder() + "svlScore.dat";
  RemoveFile(path);
  RemoveFile(Folder() + "svlScore.bak");
  Check(WriteFileBytes(path, data, size));

  TScoreTable table;
  ReadScoreFile(path, table);
  Check(table.Loaded && table.ScoreCount <= MaxScoreRecords);
  const std::vector<svlScoreSet> read = Held(table);
  for (const svlScoreSet& r : read) {
    Check(!r.User.empty() && !r.DateText.empty());
    Check(r.Article.size() <= static_cast<std::size_t>(MaxScoreArticleLength));
  }
  CheckSorts(table);

  // A record appended to the file as read follows the records read, whatever
  // the file lacked (header lines, a last line end).
  {
    const std::string other = Folder() + "svlAppend.dat";
    Check(WriteFileBytes(other, data, size));
    TScoreTable t;
    ReadScoreFile(other, t);
    const svlScoreSet record{"abc", "英文(大)", "0:1:0", "9字", "100%", "0", "9字/分", "2026年1月2日3时4分 星期五", ""};
    Check(SameRecords(Held(AppendAndReadBack(other, t, record)), Then(read, record)));
  }

  // The rewrite keeps every record, and the file as read when it drops lines.
  const std::string backup = WriteScoreFile(path, table);
  Check(backup.empty() == !table.DropsLines());
  if (!backup.empty()) {
    TBytes copy;
    Check(ReadFileBytes(backup, copy) && copy == TBytes(data, data + size));
  }
  TScoreTable back;
  ReadScoreFile(path, back);
  Check(!back.DropsLines());
  Check(back.ScoreHeader1 == table.ScoreHeader1 && back.ScoreHeader2 == table.ScoreHeader2);
  Check(SameRecords(Held(back), read));

  // Deleting by the first record's user and type takes exactly what the query lists.
  TScoreFilter filter;
  if (!read.empty()) {
    filter.AllUsers = size % 2 == 0;
    filter.User = read.front().User;
    filter.AllTypes = size % 3 == 0;
    filter.PracticeType = read.front().PracticeType;
  }
  const int listed = CountListedScores(back, filter);
  Check(static_cast<std::size_t>(listed) == ListedScoreRows(back, filter).size());
  Check(DeleteScores(back, filter) == listed);
  Check(CountListedScores(back, filter) == 0);
  const std::vector<svlScoreSet> kept = Held(back);
  Check(kept.size() == read.size() - static_cast<std::size_t>(listed));
  WriteScoreFile(path, back);
  TScoreTable afterDelete;
  ReadScoreFile(path, afterDelete);
  Check(SameRecords(Held(afterDelete), kept));

  // A finished run appended to the file reads back as the reader takes its line.
  TFinishedRun run;
  run.User = read.empty() ? std::string("abc") : read.back().User;
  run.PracticeType = static_cast<int>(size % 23);
  run.TypeCaption = PracticeTypeCaption(run.PracticeType);
  run.ElapsedSeconds = static_cast<int>(size % 4000);
  run.TotalCount = static_cast<int>(size * 7 % 100000);
  run.Accuracy = static_cast<double>(size % 10001) / 100.0;
  run.ErrorCount = static_cast<int>(size % 97);
  run.ArticleChoice = read.empty() ? std::string("1.a") : read.front().Article;
  run.EndTime = {2026, 1 + static_cast<int>(size % 12), 1 + static_cast<int>(size % 28), 5, 31, 3};
  const svlScoreSet appended = MakeScoreRecord(run);
  svlScoreSet expected;
  Check(ParseScoreLine(FormatScoreLine(appended), expected));
  const TScoreTable appendedBack = AppendAndReadBack(path, afterDelete, appended);
  Check(!appendedBack.DropsLines());
  Check(SameRecords(Held(appendedBack), Then(kept, expected)));
  return 0;
}
