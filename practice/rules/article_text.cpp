#include "practice/rules/article_text.h"

#include <memory>

#include "toolkit/base/directory.h"
#include "toolkit/base/streams.h"
#include "toolkit/base/sysutils.h"

namespace {
std::string WithoutExtension(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Length of `s` less a lead byte that has no byte after it (scanning from the
// start, since trail bytes overlap the lead range).
std::size_t WholeCharacters(const char* s, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    if (IsGbkLeadByte(static_cast<unsigned char>(s[i]))) {
      if (i + 1 == n) return i;
      i += 2;
    } else {
      ++i;
    }
  }
  return n;
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

bool TArticleText::Load(const std::string& path) {
  Close();
  try {
    TFileStream file(path, TFileMode::fmOpenRead);
    const std::int64_t size = file.Size();
    if (size < 0 || size > kMaxArticleBytes) return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && file.Read(&bytes[0], size) != size) return false;
    Assign(std::move(bytes));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void TArticleText::Assign(std::string bytes) {
  std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  bytes.resize(WholeCharacters(bytes.data(), bytes.size()));
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

std::string TArticleText::NextRow(int maxRowLength) {
  if (!open_ || cursor_ >= text_.size() || maxRowLength <= 0) return std::string();
  const char* s = text_.data() + cursor_;
  std::size_t n = std::min(text_.size() - cursor_, static_cast<std::size_t>(maxRowLength));
  std::size_t d = std::string::npos;
  for (std::size_t i = 0; i + 1 < n; ++i)
    if (s[i] == '\r' && s[i + 1] == '\n') {
      d = i + 2;
      break;
    }
  if (d == std::string::npos) {
    d = WholeCharacters(s, n);
    if (d == 0) d = n;  // a row one byte wide still moves on
  }
  cursor_ += d;
  return std::string(s, d);
}

std::string RandomDigitRow(TRandomSource& random, int maxRowLength) {
  std::string row;
  while (static_cast<int>(row.size()) < maxRowLength - 9) row += IntToStr(random.Random(999999999));
  return row;
}

void TRowColouring::Reset(const std::string& row) {
  row_ = row;
  charStart_.clear();
  for (std::size_t i = 0; i < row.size();) {
    charStart_.push_back(static_cast<int>(i));
    const bool pair = (IsGbkLeadByte(static_cast<unsigned char>(row[i])) || (row[i] == '\r' && row[i + 1] == '\n'));
    i += pair && i + 1 < row.size() ? 2 : 1;
  }
  red_.assign(charStart_.size(), 0);
}

int TRowColouring::Compare(const std::string& typed, std::vector<TColourRun>& changes) {
  changes.clear();
  const std::size_t compared = std::min(typed.size(), row_.size());
  int wrong = 0;
  for (std::size_t c = 0; c < charStart_.size(); ++c) {
    const std::size_t begin = static_cast<std::size_t>(charStart_[c]);
    const std::size_t end = c + 1 < charStart_.size() ? static_cast<std::size_t>(charStart_[c + 1]) : row_.size();
    bool red = false;
    for (std::size_t i = begin; i < end && i < compared; ++i)
      if (typed[i] != row_[i]) {
        red = true;
        ++wrong;
      }
    if (red == (red_[c] != 0)) continue;
    red_[c] = red;
    TColourRun* last = changes.empty() ? nullptr : &changes.back();
    if (last && last->Red == red && last->Start + last->Count == static_cast<int>(begin)) {
      last->Count += static_cast<int>(end - begin);
      ++last->Chars;
    } else {
      changes.push_back({static_cast<int>(begin), static_cast<int>(end - begin), red, static_cast<int>(c), 1});
    }
  }
  return wrong;
}

bool TRowColouring::RedAt(int pos) const {
  for (std::size_t c = charStart_.size(); c-- > 0;)
    if (charStart_[c] <= pos) return red_[c] != 0;
  return false;
}
