#include "toolkit/base/classes.h"

#include <algorithm>

#include "toolkit/base/streams.h"
#include "toolkit/base/sysutils.h"

namespace {
[[noreturn]] void OutOfBounds(int index) {
  throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}
}  // namespace

// --- TList ------------------------------------------------------------------------

const TClassInfo& TList::StaticClass() {
  static const TClassInfo info = TClassBuilder<TList>("TList", &TObject::StaticClass()).Build();
  return info;
}

void* TList::Items(int index) const {
  if (index < 0 || index >= Count()) OutOfBounds(index);
  return items_[static_cast<std::size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  if (index < 0 || index >= Count()) OutOfBounds(index);
  items_[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) OutOfBounds(index);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  if (index < 0 || index >= Count()) OutOfBounds(index);
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  int i = IndexOf(item);
  if (i >= 0) Delete(i);
  return i;
}

int TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

// --- TStrings ---------------------------------------------------------------------

const TClassInfo& TStrings::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass()).Build();
  return info;
}

void TStrings::IndexError(int index) const { OutOfBounds(index); }

void TStrings::SetStrings(int index, const std::string& s) {
  TObject* object = Objects(index);
  BeginUpdate();
  try {
    Delete(index);
    InsertObject(index, s, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Clear() {
  BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
  EndUpdate();
}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  BeginUpdate();
  int index = Add(s);
  SetObjects(index, object);
  EndUpdate();
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  BeginUpdate();
  try {
    Insert(index, s);
    SetObjects(index, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareText(Strings(i), s) == 0) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Strings(i);
    text += "\r\n";
  }
  return text;
}

namespace {
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t i = 0, n = text.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    lines.push_back(text.substr(start, i - start));
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
  return lines;
}
}  // namespace

void TStrings::SetText(const std::string& text) { SetVector(SplitLines(text)); }

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  v.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0, n = Count(); i < n; ++i) v.push_back(Strings(i));
  return v;
}

void TStrings::SetVector(const std::vector<std::string>& items) {
  BeginUpdate();
  try {
    Clear();
    for (const std::string& s : items) Add(s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TMemoryStream m;
  m.LoadFromFile(fileName);
  LoadFromStream(m);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream f(fileName, TFileMode::fmCreate);
  SaveToStream(f);
}

void TStrings::LoadFromStream(TStream& stream) {
  std::int64_t left = stream.Size() - stream.Position();
  std::string text(static_cast<std::size_t>(left > 0 ? left : 0), '\0');
  if (!text.empty()) stream.ReadBuffer(&text[0], static_cast<std::int64_t>(text.size()));
  SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStrings*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (int i = 0, n = other->Count(); i < n; ++i) AddObject(other->Strings(i), other->Objects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// --- TStringList ------------------------------------------------------------------

const TClassInfo& TStringList::StaticClass() {
  static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass()).Build();
  return info;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TStringList::Changed() {
  if (UpdateCount() > 0) {
    pendingChange_ = true;
    return;
  }
  pendingChange_ = false;
  if (OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating && pendingChange_) Changed();
}

std::string TStringList::Strings(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].Str;
}

void TStringList::SetStrings(int index, const std::string& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)].Str = s;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].Obj;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)].Obj = object;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) IndexError(index);
  items_.insert(items_.begin() + index, TItem{s, nullptr});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) return TStrings::Add(s);
  auto at = std::upper_bound(items_.begin(), items_.end(), s,
                             [](const std::string& v, const TItem& item) { return CompareText(v, item.Str) < 0; });
  int index = static_cast<int>(at - items_.begin());
  items_.insert(at, TItem{s, nullptr});
  Changed();
  return index;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) Sort();
  sorted_ = sorted;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const TItem& a, const TItem& b) { return CompareText(a.Str, b.Str) < 0; });
  Changed();
}
