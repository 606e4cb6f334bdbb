#include "toolkit/win/control_strings.h"

#include <algorithm>

#include "toolkit/base/sysutils.h"

const TClassInfo& TControlStrings::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TControlStrings>("TControlStrings", &TPersistent::StaticClass())
          .Prop("Text", &TControlStrings::GetText, &TControlStrings::SetText)
          .Build();
  return info;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

void TControlStrings::Check(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
}

void TControlStrings::Changed(TChange c, int i) {
  if (OnChanged) OnChanged(c, i);
}

std::string TControlStrings::Strings(int i) const {
  Check(i);
  return items_[static_cast<std::size_t>(i)];
}

void TControlStrings::Put(int i, const std::string& s) {
  Check(i);
  items_[static_cast<std::size_t>(i)] = s;
  Changed(TChange::Put, i);
}

void TControlStrings::Delete(int i) {
  Check(i);
  items_.erase(items_.begin() + i);
  Changed(TChange::Delete, i);
}

void TControlStrings::Insert(int i, const std::string& s) {
  if (i < 0 || i > Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  items_.insert(items_.begin() + i, s);
  Changed(TChange::Insert, i);
}

int TControlStrings::Add(const std::string& s) {
  int i = Count();
  if (sorted_) {
    auto it = std::upper_bound(items_.begin(), items_.end(), s,
                               [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    i = static_cast<int>(it - items_.begin());
  }
  Insert(i, s);
  return i;
}

void TControlStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed(TChange::Reset, -1);
}

int TControlStrings::IndexOf(const std::string& s) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (SameText(items_[i], s)) return static_cast<int>(i);
  return -1;
}

std::string TControlStrings::GetText() const {
  std::string t;
  for (const std::string& s : items_) t += s + "\r\n";
  return t;
}

void TControlStrings::SetText(const std::string& text) { SetList(SplitLines(text)); }

void TControlStrings::SetList(const std::vector<std::string>& list) {
  items_ = list;
  if (sorted_)
    std::stable_sort(items_.begin(), items_.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  Changed(TChange::Reset, -1);
}

void TControlStrings::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TControlStrings*>(&source);
  if (!s) return TPersistent::Assign(source);
  SetList(s->items_);
}

void TControlStrings::SetSorted(bool v) {
  if (v == sorted_) return;
  sorted_ = v;
  if (v) SetList(items_);
}
