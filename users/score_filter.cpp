#include "users/score_filter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "toolkit/base/sysutils.h"

namespace {
bool Selected(const svlScoreSet& r, const TScoreFilter& f) {
  return (f.AllUsers || r.User == f.User) && (f.AllTypes || r.PracticeType == f.PracticeType);
}
}  // namespace

bool ScoreListed(const svlScoreSet& record, const TScoreFilter& filter) {
  return !record.User.empty() && Selected(record, filter);
}

void DeleteScores(TScoreTable& table, const TScoreFilter& filter) {
  for (int j = 1; j <= table.ScoreCount; ++j) {
    svlScoreSet& r = table.ScoreRecords[static_cast<std::size_t>(j)];
    if (Selected(r, filter)) r = svlScoreSet{};
  }
  if (filter.AllUsers && filter.AllTypes) table.ScoreCount = 0;
}

const std::string& ScoreColumnText(const svlScoreSet& r, int column) {
  const std::string* texts[9] = {&r.PracticeType, &r.TimeUsed, &r.Total,    &r.AccuracyText, &r.Errors,
                                 &r.Speed,        &r.DateText, &r.User,     &r.Article};
  static const std::string none;
  return column >= 0 && column < 9 ? *texts[column] : none;
}

namespace {
// A row and its column text as a sort key: UpperCase gives CompareText's order
// as plain byte order. The first 16 bytes, big-endian, decide most comparisons
// without leaving the entry.
struct TSortEntry {
  std::uint64_t Head[2];
  std::uint32_t At, Size;  // the key in the key buffer
  int Row;
};

std::uint64_t BigEndian(const unsigned char* p, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < 8; ++i) v = (v << 8) | (i < n ? p[i] : 0u);
  return v;
}
}  // namespace

void SortScoreRows(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending) {
  std::vector<TSortEntry> entries(rows.size());
  std::string keys;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string key =
        UpperCase(ScoreColumnText(table.ScoreRecords[static_cast<std::size_t>(rows[i])], column));
    const auto* p = reinterpret_cast<const unsigned char*>(key.data());
    TSortEntry& e = entries[i];
    e.Head[0] = BigEndian(p, key.size());
    e.Head[1] = BigEndian(p + std::min<std::size_t>(8, key.size()), key.size() > 8 ? key.size() - 8 : 0);
    e.At = static_cast<std::uint32_t>(keys.size());
    e.Size = static_cast<std::uint32_t>(key.size());
    e.Row = rows[i];
    keys += key;
  }
  const char* text = keys.data();
  auto less = [text](const TSortEntry& a, const TSortEntry& b) {
    if (a.Head[0] != b.Head[0]) return a.Head[0] < b.Head[0];
    if (a.Head[1] != b.Head[1]) return a.Head[1] < b.Head[1];
    if (a.Size <= 16 || b.Size <= 16) return a.Size < b.Size;
    const std::uint32_t n = std::min(a.Size, b.Size) - 16;
    const int c = std::memcmp(text + a.At + 16, text + b.At + 16, n);
    return c != 0 ? c < 0 : a.Size < b.Size;
  };
  if (ascending) std::stable_sort(entries.begin(), entries.end(), less);
  else std::stable_sort(entries.begin(), entries.end(), [&less](const TSortEntry& a, const TSortEntry& b) { return less(b, a); });
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = entries[i].Row;
}

std::vector<int> ListedScoreRows(const TScoreTable& table, const TScoreFilter& filter) {
  std::vector<int> rows;
  const int count = std::min<int>(table.ScoreCount, static_cast<int>(table.ScoreRecords.size()) - 1);
  for (int j = 1; j <= count; ++j)
    if (ScoreListed(table.ScoreRecords[static_cast<std::size_t>(j)], filter)) rows.push_back(j);
  SortScoreRows(rows, table, 0, true);
  return rows;
}
