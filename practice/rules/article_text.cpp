#include "practice/rules/article_text.h"

#include <algorithm>
#include <memory>

#include "practice/rules/article_encoding.h"
#include "toolkit/base/directory.h"
#include "toolkit/base/streams.h"
#include "toolkit/base/sysutils.h"

namespace {
std::string WithoutExtension(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Length of `s` less a lead byte at its very end (scanning from the start,
// since trail bytes overlap the lead range).
std::size_t WholeCharacters(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    if (i + 1 == s.size() && IsGbkLeadByte(static_cast<unsigned char>(s[i]))) return i;
    i += GbkCharLength(s, i);
  }
  return s.size();
}
}  // namespace

TArticleList ListArticleFiles(const std::string& programFolder, int kind) {
  TArticleList list;
  std::string folder;
  switch (kind) {
    case 1: list.Prompt = "选择英文练习文章"; folder = programFolder + "English" + PathDelim; break;
    case 3: list.Prompt = "选择拼音练习文章"; folder = programFolder + "Chinese" + PathDelim; break;
    case 4: list.Prompt = "选择五笔练习文章"; folder = programFolder + "Chinese" + PathDelim; break;
    default: return list;
  }
  std::vector<TSearchRec> entries;
  ListDirectory(folder, entries);
  for (const TSearchRec& e : entries) {
    if (e.IsDirectory()) continue;
    if (static_cast<int>(list.Paths.size()) == kMaxArticleFiles) break;
    list.Items.push_back(IntToStr(static_cast<long long>(list.Items.size()) + 1) + "." + WithoutExtension(e.Name));
    list.Paths.push_back(folder + e.Name);
  }
  return list;
}

TArticleLoad TArticleText::Load(const std::string& path) {
  Close();
  replaced_ = 0;
  try {
    TFileStream file(path, TFileMode::fmOpenRead);
    const std::int64_t size = file.Size();
    if (size > kMaxArticleBytes) return TArticleLoad::TooLarge;
    if (size < 0) return TArticleLoad::Unreadable;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && file.Read(&bytes[0], size) != size) return TArticleLoad::Unreadable;
    TArticleDecoding text = DecodeArticle(bytes);
    if (!text.IsText) return TArticleLoad::NotText;
    replaced_ = text.Replaced;
    Assign(std::move(text.Gbk));
    return TArticleLoad::Loaded;
  } catch (const Exception&) {
    return TArticleLoad::Unreadable;
  }
}

void TArticleText::Assign(std::string bytes) {
  std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  bytes.resize(WholeCharacters(bytes));
  text_ = std::move(bytes);
  cursor_ = 0;
  open_ = true;
}

void TArticleText::Close() {
  text_.clear();
  text_.shrink_to_fit();
  cursor_ = 0;
  open_ = false;
}

void TRowRoom::SetMeasure(std::function<int(unsigned code)> measure) {
  measure_ = std::move(measure);
  widths_.clear();
}

int TRowRoom::Width(unsigned code) const {
  if (!measure_ || code > 0xFFFF) return 0;
  if (widths_.empty()) widths_.resize(0x100);
  std::vector<int>& page = widths_[code >> 8];
  if (page.empty()) page.assign(0x100, -1);
  int& w = page[code & 0xFF];
  if (w < 0) w = std::max(0, measure_(code));
  return w;
}

std::string TArticleText::NextRow(const TRowRoom& room) {
  if (!open_ || cursor_ >= text_.size()) return std::string();
  const std::size_t size = text_.size();
  const auto byteAt = [this](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
  std::size_t end = cursor_;
  int width = 0;
  while (end < size) {
    if (byteAt(end) == '\r' && end + 1 < size && byteAt(end + 1) == '\n') {
      end += 2;
      break;
    }
    const std::size_t n = GbkCharLength(text_, end);
    const unsigned code = n == 2 ? byteAt(end) * 256u + byteAt(end + 1) : byteAt(end);
    const int w = room.Width(code);
    const bool fits = end + n - cursor_ <= static_cast<std::size_t>(std::max(room.MaxBytes, 0)) &&
                      (room.Pixels <= 0 || width + w <= room.Pixels);
    if (!fits && end > cursor_) break;
    width += w;
    end += n;
  }
  std::string row = text_.substr(cursor_, end - cursor_);
  cursor_ = end;
  return row;
}

void TArticleText::Rewind(std::size_t bytes) { cursor_ -= std::min(bytes, cursor_); }

int TypableLength(const std::string& row) {
  const std::size_t n = row.size();
  return static_cast<int>(n >= 2 && row[n - 2] == '\r' && row[n - 1] == '\n' ? n - 2 : n);
}

std::string RandomDigitRow(TRandomSource& random, const TRowRoom& room) {
  int bytes = room.MaxBytes;
  if (room.Pixels > 0) {
    int widest = 0;
    for (unsigned d = '0'; d <= '9'; ++d) widest = std::max(widest, room.Width(d));
    if (widest > 0) bytes = std::min(bytes, room.Pixels / widest);
  }
  std::string row;
  while (static_cast<int>(row.size()) < bytes - 9 || row.empty()) row += IntToStr(random.Random(999999999));
  // A room under ten digits: what fits of one number, at least one digit.
  if (static_cast<int>(row.size()) > bytes) row.resize(static_cast<std::size_t>(std::max(bytes, 1)));
  return row;
}

bool RowFitsRoom(const std::string& row, const TRowRoom& room) {
  TArticleText text;
  text.Assign(row);
  return text.NextRow(room) == row;
}

namespace {
bool IsBlank(const std::string& row, std::size_t begin, std::size_t end) {
  if (end - begin == 1) return row[begin] == ' ' || row[begin] == '\t';
  return end - begin == 2 && row.compare(begin, 2, "\xA1\xA1") == 0;  // the ideographic space
}
}  // namespace

void TRowColouring::Reset(const std::string& row) {
  row_ = row;
  typable_ = static_cast<std::size_t>(TypableLength(row));
  charStart_.clear();
  blank_.clear();
  for (std::size_t i = 0; i < row.size();) {
    const std::size_t n = row[i] == '\r' && i + 1 < row.size() && row[i + 1] == '\n' ? 2 : GbkCharLength(row, i);
    charStart_.push_back(static_cast<int>(i));
    blank_.push_back(IsBlank(row, i, i + n));
    i += n;
  }
  red_.assign(charStart_.size(), 0);
}

TRowTally TRowColouring::Compare(const std::string& typed, std::vector<TColourRun>& changes) {
  changes.clear();
  const std::size_t compared = std::min(typed.size(), typable_);
  TRowTally tally;
  tally.Bytes = static_cast<int>(compared);
  for (std::size_t c = 0; c < charStart_.size(); ++c) {
    const std::size_t begin = static_cast<std::size_t>(charStart_[c]);
    const std::size_t end = c + 1 < charStart_.size() ? static_cast<std::size_t>(charStart_[c + 1]) : row_.size();
    bool red = false;
    for (std::size_t i = begin; i < end && i < compared; ++i)
      if (typed[i] != row_[i]) {
        red = true;
        ++tally.WrongBytes;
      }
    if (begin < compared) {
      ++tally.Chars;
      if (red) ++tally.WrongChars;
    }
    if (red == (red_[c] != 0)) continue;
    red_[c] = red;
    const bool blank = blank_[c] != 0;
    TColourRun* last = changes.empty() ? nullptr : &changes.back();
    if (last && last->Red == red && last->Blank == blank && last->Start + last->Count == static_cast<int>(begin)) {
      last->Count += static_cast<int>(end - begin);
      ++last->Chars;
    } else {
      changes.push_back({static_cast<int>(begin), static_cast<int>(end - begin), red, static_cast<int>(c), 1, blank});
    }
  }
  return tally;
}

std::size_t TRowColouring::NextToType(std::size_t typedBytes) const {
  for (int start : charStart_)
    if (static_cast<std::size_t>(start) >= typedBytes) return std::min(static_cast<std::size_t>(start), typable_);
  return typable_;
}
