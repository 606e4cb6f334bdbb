#include "users/query/score_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "toolkit/base/sysutils.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1 to `maxDigits` decimal digits at `at`.
bool ReadDigits(const std::string& text, std::size_t& at, std::size_t maxDigits, long long& value) {
  const std::size_t from = at;
  value = 0;
  while (at < text.size() && IsDigit(text[at]) && at - from < maxDigits) value = value * 10 + (text[at++] - '0');
  return at > from && (at == text.size() || !IsDigit(text[at]));
}

bool ReadMark(const std::string& text, std::size_t& at, const char* mark) {
  const std::size_t n = std::strlen(mark);
  if (text.compare(at, n, mark) != 0) return false;
  at += n;
  return true;
}
}  // namespace

const std::string& ScoreColumnText(const svlScoreSet& r, int column) {
  static const std::string svlScoreSet::*const shown[9] = {
      &svlScoreSet::PracticeType, &svlScoreSet::TimeUsed, &svlScoreSet::Total, &svlScoreSet::AccuracyText,
      &svlScoreSet::Errors,       &svlScoreSet::Speed,    &svlScoreSet::DateText, &svlScoreSet::User,
      &svlScoreSet::Article};
  static const std::string none;
  return column >= 0 && column < 9 ? r.*shown[column] : none;
}

TScoreSortKey ScoreColumnSortKey(int column) {
  switch (column) {
    case 1: return TScoreSortKey::Duration;
    case 2: case 3: case 4: case 5: return TScoreSortKey::Number;
    case 6: return TScoreSortKey::Date;
    default: return TScoreSortKey::Text;
  }
}

bool ParseScoreNumber(const std::string& text, double& value) {
  std::size_t i = 0;
  double v = 0;
  bool digits = false;
  for (; i < text.size() && IsDigit(text[i]); ++i, digits = true) v = v * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10, digits = true) v += (text[i] - '0') * scale;
  }
  if (!digits && text != "%") return false;
  value = v;
  return true;
}

bool ParseScoreDuration(const std::string& text, long long& seconds) {
  std::size_t at = 0;
  long long h = 0, m = 0, s = 0;
  if (!ReadDigits(text, at, 9, h) || !ReadMark(text, at, ":") || !ReadDigits(text, at, 9, m) ||
      !ReadMark(text, at, ":") || !ReadDigits(text, at, 9, s) || at != text.size())
    return false;
  seconds = h * 3600 + m * 60 + s;
  return true;
}

bool ParseScoreDate(const std::string& text, long long& key) {
  static const char* const marks[5] = {"年", "月", "日", "时", "分"};
  std::size_t at = 0;
  long long k = 0;
  for (int part = 0; part < 5; ++part) {
    long long v = 0;
    if (!ReadDigits(text, at, part == 0 ? 9 : 2, v) || !ReadMark(text, at, marks[part])) return false;
    k = part == 0 ? v : k * 100 + v;
  }
  key = k;
  return true;
}

namespace {
// A row with its column's key; rows whose text gives none sort after, by text.
template <class Key>
struct TKeyedRow {
  Key Value;
  int Row;
  bool Parsed;
};

template <class Key, class Parse>
void SortByKey(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending, Parse parse) {
  auto textOf = [&](int row) -> const std::string& {
    return ScoreColumnText(table.ScoreRecords[static_cast<std::size_t>(row)], column);
  };
  std::vector<TKeyedRow<Key>> entries(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TKeyedRow<Key>& e = entries[i];
    e.Row = rows[i];
    e.Value = Key{};
    e.Parsed = parse(textOf(e.Row), e.Value);
  }
  auto less = [&](const TKeyedRow<Key>& a, const TKeyedRow<Key>& b) {
    if (a.Parsed != b.Parsed) return a.Parsed;
    if (a.Parsed) return a.Value < b.Value;
    return CompareText(textOf(a.Row), textOf(b.Row)) < 0;
  };
  if (ascending) std::stable_sort(entries.begin(), entries.end(), less);
  else std::stable_sort(entries.begin(), entries.end(), [&less](const auto& a, const auto& b) { return less(b, a); });
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = entries[i].Row;
}

// A row and its text as a sort key, ASCII letters upper-cased (CompareText's
// order as plain byte order). The first 16 bytes, big-endian, decide most
// comparisons without leaving the entry.
struct TTextRow {
  std::uint64_t Head[2];
  std::uint32_t At, Size;  // the key in the key buffer
  int Row;
};

std::uint64_t BigEndian(const unsigned char* p, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < 8; ++i) v = (v << 8) | (i < n ? p[i] : 0u);
  return v;
}

// Appends `text` with its ASCII letters upper-cased; a double-byte character
// is copied whole (its trail byte may lie in the letter range).
void AppendFolded(std::string& keys, const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
      keys += c;
      keys += text[++i];
    } else {
      keys += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
  }
}

void SortByText(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending) {
  std::vector<TTextRow> entries(rows.size());
  std::string keys;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TTextRow& e = entries[i];
    e.At = static_cast<std::uint32_t>(keys.size());
    AppendFolded(keys, ScoreColumnText(table.ScoreRecords[static_cast<std::size_t>(rows[i])], column));
    e.Size = static_cast<std::uint32_t>(keys.size() - e.At);
    e.Row = rows[i];
  }
  const auto* text = reinterpret_cast<const unsigned char*>(keys.data());
  for (TTextRow& e : entries) {
    e.Head[0] = BigEndian(text + e.At, e.Size);
    e.Head[1] = e.Size > 8 ? BigEndian(text + e.At + 8, e.Size - 8) : 0;
  }
  auto less = [text](const TTextRow& a, const TTextRow& b) {
    if (a.Head[0] != b.Head[0]) return a.Head[0] < b.Head[0];
    if (a.Head[1] != b.Head[1]) return a.Head[1] < b.Head[1];
    if (a.Size <= 16 || b.Size <= 16) return a.Size < b.Size;
    const std::uint32_t n = std::min(a.Size, b.Size) - 16;
    const int c = std::memcmp(text + a.At + 16, text + b.At + 16, n);
    return c != 0 ? c < 0 : a.Size < b.Size;
  };
  if (ascending) std::stable_sort(entries.begin(), entries.end(), less);
  else std::stable_sort(entries.begin(), entries.end(), [&less](const TTextRow& a, const TTextRow& b) { return less(b, a); });
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = entries[i].Row;
}
}  // namespace

void SortScoreRows(std::vector<int>& rows, const TScoreTable& table, int column, bool ascending) {
  switch (ScoreColumnSortKey(column)) {
    case TScoreSortKey::Number:
      return SortByKey<double>(rows, table, column, ascending, ParseScoreNumber);
    case TScoreSortKey::Duration:
      return SortByKey<long long>(rows, table, column, ascending, ParseScoreDuration);
    case TScoreSortKey::Date:
      return SortByKey<long long>(rows, table, column, ascending, ParseScoreDate);
    case TScoreSortKey::Text:
      return SortByText(rows, table, column, ascending);
  }
}
