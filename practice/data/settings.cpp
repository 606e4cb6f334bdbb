#include "practice/data/settings.h"

const char* const SettingsKeyPath = "\\Software\\Sunvelo\\Tapmira";

const char* const PlayMp3Value = "PlayMp3";
const char* const PlayWavValue = "PlayWav";
const char* const PlayPYWavValue = "PlayPYWav";
const char* const IntervalValue = "Interval";
const char* const PYOldTipValue = "PYOldTip";
const char* const UsersValue = "Users";
const char* const CurrentUserValue = "CurrentUser";

namespace {

// `value` holds the default on entry; returns false only when writing it failed.
bool ReadOrCreate(TSettingsKey& key, const char* name, int& value) {
  if (key.ValueExists(name)) {
    int stored = 0;
    if (key.ReadInteger(name, stored)) value = stored;
    return true;
  }
  return key.WriteInteger(name, value);
}

bool ReadOrCreate(TSettingsKey& key, const char* name, std::string& value) {
  if (key.ValueExists(name)) {
    std::string stored;
    if (key.ReadString(name, stored)) value = stored;
    return true;
  }
  return key.WriteString(name, value);
}

}  // namespace

bool ReadSettings(TSettingsKey& key, TSettings& settings) {
  TSettings s;  // defaults
  bool written = true;
  written = ReadOrCreate(key, PlayMp3Value, s.MusicOn) && written;
  written = ReadOrCreate(key, PlayWavValue, s.KeySoundsOn) && written;
  written = ReadOrCreate(key, PlayPYWavValue, s.PronunciationOn) && written;
  written = ReadOrCreate(key, IntervalValue, s.Interval) && written;
  written = ReadOrCreate(key, PYOldTipValue, s.OldPinyinHint) && written;
  written = ReadOrCreate(key, UsersValue, s.Users) && written;
  written = ReadOrCreate(key, CurrentUserValue, s.CurrentUser) && written;
  s.Loaded = true;
  settings = s;
  return written;
}

bool WriteShutdownSettings(TSettingsKey& key, const TSettings& settings) {
  if (!settings.Loaded) return false;
  bool ok = key.WriteInteger(IntervalValue, settings.Interval);
  ok = key.WriteString(UsersValue, settings.Users) && ok;
  ok = key.WriteString(CurrentUserValue, settings.CurrentUser) && ok;
  return ok;
}
