#include "practice/data/settings.h"

#include <climits>

#include "practice/data/quoted.h"

const char* const SettingsKeyPath = "\\Software\\Sunvelo\\Tapmira";

const char* const PlayMp3Value = "PlayMp3";
const char* const PlayWavValue = "PlayWav";
const char* const PlayPYWavValue = "PlayPYWav";
const char* const IntervalValue = "Interval";
const char* const PYOldTipValue = "PYOldTip";
const char* const UsersValue = "Users";
const char* const CurrentUserValue = "CurrentUser";

std::optional<int> ParseIntegerSetting(const TStoredValue& value) {
  if (value.Kind == TStoredValue::TKind::Number) return value.Number;
  if (value.Kind != TStoredValue::TKind::Text) return std::nullopt;
  const std::string& t = value.Text;
  std::size_t i = t.find_first_not_of(" \t");
  const std::size_t end = t.find_last_not_of(" \t") + 1;
  if (i == std::string::npos) return std::nullopt;
  const bool negative = t[i] == '-';
  if (t[i] == '-' || t[i] == '+') ++i;
  if (i == end) return std::nullopt;
  long long n = 0;
  for (; i < end; ++i) {
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    n = n * 10 + (t[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) n = -n;
  if (n < INT_MIN || n > INT_MAX) return std::nullopt;
  return static_cast<int>(n);
}

std::optional<std::string> ParseCurrentUserSetting(const TStoredValue& value, const TUserList& users) {
  if (value.Kind != TStoredValue::TKind::Text || !HasUser(users, value.Text)) return std::nullopt;
  return value.Text;
}

std::optional<TUserList> ParseUsersSetting(const TStoredValue& value) {
  TUserList list;
  if (value.Kind != TStoredValue::TKind::Text || !SplitUserList(list, value.Text)) return std::nullopt;
  return list;
}

std::string KeptValueName(const std::string& name) { return name + ".bak"; }

namespace {

bool WriteValue(TSettingsKey& key, const char* name, int value) { return key.WriteInteger(name, value); }
bool WriteValue(TSettingsKey& key, const char* name, const std::string& value) { return key.WriteString(name, value); }
bool WriteValue(TSettingsKey& key, const char* name, const TUserList& value) {
  return key.WriteString(name, value.UserListText);
}
std::string AsText(int value) { return std::to_string(value); }
std::string AsText(const std::string& value) { return value; }
std::string AsText(const TUserList& value) { return value.UserListText; }

// `value` keeps its default.
template <class T>
std::string UseDefault(const TStoredValue&, T& value) {
  return "无法识别，改用默认值" + Quoted(AsText(value));
}

// Text is not understood only for more names than the list holds: the first of them are used.
std::string UseFirstUsers(const TStoredValue& stored, TUserList& list) {
  if (stored.Kind != TStoredValue::TKind::Text) return UseDefault(stored, list);
  SplitUserList(list, stored.Text);
  return "超过" + std::to_string(MaxUsers) + "个用户，只保留前" + std::to_string(MaxUsers) + "个";
}

std::string UseSystemUser(const TStoredValue& stored, std::string& current) {
  if (stored.Kind != TStoredValue::TKind::Text || !IsUserName(stored.Text)) return UseDefault(stored, current);
  return Quoted(stored.Text) + "不在用户列表中，改用" + Quoted(current);
}

// `value` holds the default on entry. A value not understood is replaced (by
// `replace`, which says how) and moved aside before what replaces it takes
// its place; where it cannot be moved it stays as stored. Returns false when
// a write failed.
template <class T, class Parse, class Replace>
bool ReadOrCreate(TSettingsKey& key, const char* name, T& value, Parse parse, Replace replace,
                  std::vector<TNotUnderstood>& notUnderstood) {
  const TStoredValue stored = key.Read(name);
  if (stored.Kind == TStoredValue::TKind::Absent) return WriteValue(key, name, value);
  if (std::optional<T> understood = parse(stored)) {
    value = *understood;
    return true;
  }
  TNotUnderstood n{name, replace(stored, value)};
  n.Kept = key.RenameValue(name, KeptValueName(name));
  notUnderstood.push_back(n);
  return n.Kept && WriteValue(key, name, value);
}

}  // namespace

bool ReadSettings(TSettingsKey& key, TSettings& settings, TUserList& users) {
  TSettings s;  // defaults
  TUserList list;
  SplitUserList(list, "abc;");
  std::string current = SystemUserName;
  std::vector<TNotUnderstood>& n = s.NotUnderstood;
  auto number = UseDefault<int>;
  bool written = true;
  written = ReadOrCreate(key, PlayMp3Value, s.MusicOn, ParseIntegerSetting, number, n) && written;
  written = ReadOrCreate(key, PlayWavValue, s.KeySoundsOn, ParseIntegerSetting, number, n) && written;
  written = ReadOrCreate(key, PlayPYWavValue, s.PronunciationOn, ParseIntegerSetting, number, n) && written;
  written = ReadOrCreate(key, IntervalValue, s.Interval, ParseIntegerSetting, number, n) && written;
  written = ReadOrCreate(key, PYOldTipValue, s.OldPinyinHint, ParseIntegerSetting, number, n) && written;
  written = ReadOrCreate(key, UsersValue, list, ParseUsersSetting, UseFirstUsers, n) && written;
  auto inList = [&list](const TStoredValue& v) { return ParseCurrentUserSetting(v, list); };
  written = ReadOrCreate(key, CurrentUserValue, current, inList, UseSystemUser, n) && written;
  s.Loaded = true;
  settings = s;
  users = list;
  users.CurrentUser = current;
  return written;
}

bool WriteUserSettings(TSettingsKey& key, const TUserList& users) {
  const bool listWritten = key.WriteString(UsersValue, users.UserListText);
  return key.WriteString(CurrentUserValue, users.CurrentUser) && listWritten;
}

std::string NotUnderstoodMessage(const TSettings& settings, const std::string& keyName) {
  if (settings.NotUnderstood.empty()) return "";
  std::string text = "注册表中以下设置的值不能照原样使用：\r\n";
  for (const TNotUnderstood& n : settings.NotUnderstood) {
    text += Quoted(n.Name) + "：" + n.Used;
    text += n.Kept ? "，原值另存为" + Quoted(KeptValueName(n.Name)) + "\r\n" : "（原值未改动）\r\n";
  }
  return text + "注册表项：" + keyName;
}
