// The settings read from a key holding any values. Input: one line per value
// in reading order, "N" and a number, "T" and a text, "O" (another kind), or
// anything else for an absent value; an eighth line "R" makes the key refuse
// every change.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "tests/native/memory_settings_key.h"

namespace {

const char* const kNames[] = {"PlayMp3", "PlayWav", "PlayPYWav", "Interval", "PYOldTip", "Users", "CurrentUser"};

TStoredValue ValueOf(const std::string& line) {
  TStoredValue v;
  if (line.empty()) return v;
  const std::string rest = line.substr(1);
  if (line[0] == 'N') {
    v.Kind = TStoredValue::TKind::Number;
    v.Number = static_cast<int>(std::strtoll(rest.c_str(), nullptr, 10));
  } else if (line[0] == 'T') {
    v.Kind = TStoredValue::TKind::Text;
    v.Text = rest;
  } else if (line[0] == 'O') {
    v.Kind = TStoredValue::TKind::Other;
  }
  return v;
}

bool Same(const TStoredValue& a, const TStoredValue& b) {
  return a.Kind == b.Kind && a.Number == b.Number && a.Text == b.Text;
}

void CheckUsers(const TUserList& users) {
  Check(users.UserCount >= 1 && users.UserCount <= MaxUsers);
  Check(users.UserNames[1] == SystemUserName);
  std::string text;
  for (int i = 1; i <= users.UserCount; ++i) {
    Check(IsUserName(users.UserNames[i]));
    text += users.UserNames[i] + ";";
  }
  Check(users.UserListText == text);
  Check(HasUser(users, users.CurrentUser));
}

// What each parser promises of a value it understands.
void CheckParsers(const TStoredValue& v) {
  if (std::optional<int> n = ParseIntegerSetting(v)) {
    Check(v.Kind == TStoredValue::TKind::Number || v.Kind == TStoredValue::TKind::Text);
    Check(ParseIntegerSetting({TStoredValue::TKind::Text, 0, std::to_string(*n)}) == n);
  }
  if (std::optional<TUserList> list = ParseUsersSetting(v)) {
    list->CurrentUser = SystemUserName;
    CheckUsers(*list);
    if (std::optional<std::string> name = ParseCurrentUserSetting(v, *list)) Check(HasUser(*list, *name));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= input.size() && lines.size() < 8;) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    lines.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  TMemorySettingsKey key;
  for (std::size_t i = 0; i < 7 && i < lines.size(); ++i) {
    TStoredValue v = ValueOf(lines[i]);
    CheckParsers(v);
    if (v.Kind != TStoredValue::TKind::Absent) key.Values[kNames[i]] = v;
  }
  key.Refuse = lines.size() == 8 && lines[7] == "R";
  const TMemorySettingsKey before = key;

  TSettings settings;
  TUserList users;
  const bool written = ReadSettings(key, settings, users);
  Check(settings.Loaded);
  CheckUsers(users);
  if (key.Refuse) {
    // Nothing stored is changed or lost.
    Check(key.Values.size() == before.Values.size());
    for (const auto& [name, value] : before.Values) Check(Same(key.Values.at(name), value));
    Check(written == (before.Values.size() == 7 && settings.NotUnderstood.empty()));
    return 0;
  }
  Check(written);
  // Each value not understood is named once, in order, and kept aside as it was.
  std::size_t next = 0;
  for (const char* name : kNames) {
    auto was = before.Values.find(name);
    const bool listed = next < settings.NotUnderstood.size() && settings.NotUnderstood[next].Name == name;
    if (listed) {
      Check(was != before.Values.end() && settings.NotUnderstood[next].Kept);
      Check(Same(key.Values.at(KeptValueName(name)), was->second));
      ++next;
    }
    Check(key.Values.count(name) == 1);
  }
  Check(next == settings.NotUnderstood.size());
  Check(NotUnderstoodMessage(settings, key.Name()).empty() == settings.NotUnderstood.empty());

  // Read again: everything is understood and reads the same.
  TSettings again;
  TUserList againUsers;
  Check(ReadSettings(key, again, againUsers));
  Check(again.NotUnderstood.empty());
  Check(again.MusicOn == settings.MusicOn && again.KeySoundsOn == settings.KeySoundsOn &&
        again.PronunciationOn == settings.PronunciationOn && again.Interval == settings.Interval &&
        again.OldPinyinHint == settings.OldPinyinHint);
  Check(againUsers.UserListText == users.UserListText && againUsers.CurrentUser == users.CurrentUser);
  return 0;
}
