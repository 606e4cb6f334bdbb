#pragma once
// The program's settings: value names, defaults, how stored values are
// understood, and the read-or-create logic, written against an opened
// settings key so that any store can back it.
#include <optional>
#include <string>
#include <vector>

#include "practice/data/user_list.h"

// Settings key under HKEY_LOCAL_MACHINE (or HKEY_CURRENT_USER).
extern const char* const SettingsKeyPath;

// Value names, in the order they are read.
extern const char* const PlayMp3Value;      // integer, background music on (1) / off (0)
extern const char* const PlayWavValue;      // integer, key-hit and error sounds
extern const char* const PlayPYWavValue;    // integer, pronunciation of characters
extern const char* const IntervalValue;     // integer, hit-flash time in units of 100 ms
extern const char* const PYOldTipValue;     // integer, 1 = hints above the characters
extern const char* const UsersValue;        // string, the user list text
extern const char* const CurrentUserValue;  // string, the current user's name

// A value as the store holds it.
struct TStoredValue {
  enum class TKind { Absent, Number, Text, Other };  // Other: a kind no setting uses (binary...)
  TKind Kind = TKind::Absent;
  int Number = 0;
  std::string Text;
};

// An opened settings key. Writes return false when the store refuses them.
class TSettingsKey {
public:
  virtual ~TSettingsKey() = default;
  virtual TStoredValue Read(const std::string& name) = 0;
  virtual bool WriteInteger(const std::string& name, int value) = 0;
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
  // Moves a value, whatever its kind, to another name (replacing what is there).
  virtual bool RenameValue(const std::string& from, const std::string& to) = 0;
  // The store takes writes (as far as can be known before one is made).
  virtual bool Writable() const = 0;
  // Where the values are kept, as the learner is told it.
  virtual std::string Name() const = 0;
};

// An integer setting: a number, or a number written as decimal text (blanks
// around it allowed). Anything else is not understood.
std::optional<int> ParseIntegerSetting(const TStoredValue& value);
// The current user: text that is a name in `users`.
std::optional<std::string> ParseCurrentUserSetting(const TStoredValue& value, const TUserList& users);
// The user list: text that SplitUserList understands.
std::optional<TUserList> ParseUsersSetting(const TStoredValue& value);

// A stored value that could not be used as stored.
struct TNotUnderstood {
  std::string Name;
  std::string Used;   // why, and what is used instead, as the learner is told it
  bool Kept = false;  // the stored value was moved to Name + ".bak" and what is used written in its place
};

struct TSettings {
  int MusicOn = 1;          // PlayMp3
  int KeySoundsOn = 1;      // PlayWav
  int PronunciationOn = 1;  // PlayPYWav
  int Interval = 5;         // as stored; the track bar clamps it to 1..10
  int OldPinyinHint = 1;    // PYOldTip
  std::vector<TNotUnderstood> NotUnderstood;  // in reading order
  bool Loaded = false;      // set by ReadSettings; nothing is written before
};

// Where a value that was not understood is kept.
std::string KeptValueName(const std::string& name);

// Reads every value in order into `settings` and `users` (the list and the
// current user). An absent value takes its default, which is written at once.
// A value that is not understood takes its default too (a list of more than
// 200 users its first 200 names, a current user not in the list "abc"); it
// is moved to KeptValueName and what is used written in its place, so the
// learner is told once (NotUnderstood). Returns false when something could
// not be written (the settings are still complete in memory).
bool ReadSettings(TSettingsKey& key, TSettings& settings, TUserList& users);

// The user list and the current user, written when either changes.
bool WriteUserSettings(TSettingsKey& key, const TUserList& users);

// The learner's message naming the values that were not understood and the
// key (`keyName`) they are kept in; empty when every value was understood.
std::string NotUnderstoodMessage(const TSettings& settings, const std::string& keyName);
