#pragma once
// The program's settings: value names, defaults and the read-or-create logic,
// written against an opened settings key so that any store can back it.
#include <string>

// Settings key under HKEY_LOCAL_MACHINE.
extern const char* const SettingsKeyPath;

// Value names, in the order they are read.
extern const char* const PlayMp3Value;      // integer, background music on (1) / off (0)
extern const char* const PlayWavValue;      // integer, key-hit and error sounds
extern const char* const PlayPYWavValue;    // integer, pronunciation of characters
extern const char* const IntervalValue;     // integer, hit-flash time in units of 100 ms
extern const char* const PYOldTipValue;     // integer, 1 = hints above the characters
extern const char* const UsersValue;        // string, the user list text
extern const char* const CurrentUserValue;  // string, the current user's name

// An opened settings key. Reads fail (false, output untouched) when the value is
// absent or has another type; writes return false when the store refuses them.
class TSettingsKey {
public:
  virtual ~TSettingsKey() = default;
  virtual bool ValueExists(const std::string& name) = 0;
  virtual bool ReadInteger(const std::string& name, int& value) = 0;
  virtual bool ReadString(const std::string& name, std::string& value) = 0;
  virtual bool WriteInteger(const std::string& name, int value) = 0;
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
};

struct TSettings {
  int MusicOn = 1;          // PlayMp3
  int KeySoundsOn = 1;      // PlayWav
  int PronunciationOn = 1;  // PlayPYWav
  int Interval = 5;         // as stored; the track bar clamps it to 1..10
  int OldPinyinHint = 1;    // PYOldTip
  std::string Users = "abc;";
  std::string CurrentUser = "abc";
  bool Loaded = false;      // set by ReadSettings; nothing is written back before
};

// Reads every value in order. An absent value takes its default, which is
// written at once; a value of another type reads as its default and is left
// as stored. Returns false when a default could not be written (the settings
// are still complete in memory).
bool ReadSettings(TSettingsKey& key, TSettings& settings);

// Shut-down: writes Interval, Users and CurrentUser from `settings`. Writes
// nothing and returns false when the settings were never read.
bool WriteShutdownSettings(TSettingsKey& key, const TSettings& settings);
