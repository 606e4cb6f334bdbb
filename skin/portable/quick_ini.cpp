#include "skin/portable/quick_ini.h"

#include "toolkit/base/sysutils.h"

namespace {
bool IsHeader(const std::string& line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }
std::string HeaderName(const std::string& line) { return Trim(line.substr(1, line.size() - 2)); }
}  // namespace

void TQuickIni::LoadFromStream(TStream& stream) {
  std::string text;
  char chunk[4096];
  for (std::int64_t got; (got = stream.Read(chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<std::size_t>(got));
  LoadFromText(text);
}

void TQuickIni::LoadFromText(const std::string& text) {
  lines_.clear();
  sections_.clear();
  std::size_t i = 0, n = text.find('\0');
  if (n == std::string::npos) n = text.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    std::string line = Trim(text.substr(start, i - start));
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
    if (line.empty() || line[0] == ';') continue;
    if (IsHeader(line)) sections_.push_back({HeaderName(line), static_cast<int>(lines_.size())});
    lines_.push_back(std::move(line));
  }
}

int TQuickIni::SectionLine(const std::string& name) const {
  const std::string wanted = Trim(name);
  for (const TSection& s : sections_)
    if (SameText(s.name, wanted)) return s.line;
  return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  const std::string wanted = LowerCase(key);
  const int header = SectionLine(section);
  if (header < 0 || wanted.empty()) return def;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i) {
    const std::string& line = lines_[i];
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;  // no "=": the empty key, which never matches
    if (LowerCase(Trim(line.substr(0, eq))) != wanted) continue;
    std::string value = Trim(line.substr(eq + 1));
    return value.empty() ? def : value;
  }
  return def;
}

std::int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, std::int32_t def) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  int value = def;
  if (!TryStrToInt(text, value)) return def;
  return value;
}

void TQuickIni::ReadSections(TStrings& list) const {
  list.BeginUpdate();
  try {
    list.Clear();
    for (const TSection& s : sections_) list.Add(s.name);
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}
