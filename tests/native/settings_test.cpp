#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "practice/data/settings.h"

namespace {

// An in-memory key that logs writes and can refuse them.
class FakeKey : public TSettingsKey {
public:
  std::map<std::string, std::variant<int, std::string>> values;
  std::vector<std::string> writes;
  bool refuseWrites = false;

  bool ValueExists(const std::string& name) override { return values.count(name) != 0; }
  bool ReadInteger(const std::string& name, int& value) override {
    auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<int>(it->second)) return false;
    value = std::get<int>(it->second);
    return true;
  }
  bool ReadString(const std::string& name, std::string& value) override {
    auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<std::string>(it->second)) return false;
    value = std::get<std::string>(it->second);
    return true;
  }
  bool WriteInteger(const std::string& name, int value) override {
    if (refuseWrites) return false;
    writes.push_back(name);
    values[name] = value;
    return true;
  }
  bool WriteString(const std::string& name, const std::string& value) override {
    if (refuseWrites) return false;
    writes.push_back(name);
    values[name] = value;
    return true;
  }
};

}  // namespace

TEST(Settings, FirstStartWritesEveryDefaultInOrder) {
  FakeKey key;
  TSettings s;
  EXPECT_TRUE(ReadSettings(key, s));
  EXPECT_TRUE(s.Loaded);
  EXPECT_EQ(key.writes, (std::vector<std::string>{"PlayMp3", "PlayWav", "PlayPYWav", "Interval", "PYOldTip",
                                                  "Users", "CurrentUser"}));
  EXPECT_EQ(std::get<int>(key.values["PlayMp3"]), 1);
  EXPECT_EQ(std::get<int>(key.values["PlayWav"]), 1);
  EXPECT_EQ(std::get<int>(key.values["PlayPYWav"]), 1);
  EXPECT_EQ(std::get<int>(key.values["PYOldTip"]), 1);
  EXPECT_EQ(std::get<int>(key.values["Interval"]), 5);
  EXPECT_EQ(std::get<std::string>(key.values["Users"]), "abc;");
  EXPECT_EQ(std::get<std::string>(key.values["CurrentUser"]), "abc");
  EXPECT_EQ(s.Interval, 5);
  EXPECT_EQ(s.Users, "abc;");
}

TEST(Settings, StoredValuesAreReadAndNotRewritten) {
  FakeKey key;
  key.values = {{"PlayMp3", 0}, {"PlayWav", 0}, {"PlayPYWav", 1}, {"Interval", 25}, {"PYOldTip", 0},
                {"Users", std::string("abc;张三;")}, {"CurrentUser", std::string("张三")}};
  TSettings s;
  EXPECT_TRUE(ReadSettings(key, s));
  EXPECT_TRUE(key.writes.empty());
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(s.KeySoundsOn, 0);
  EXPECT_EQ(s.PronunciationOn, 1);
  EXPECT_EQ(s.Interval, 25);  // clamping is the track bar's
  EXPECT_EQ(s.OldPinyinHint, 0);
  EXPECT_EQ(s.Users, "abc;张三;");
  EXPECT_EQ(s.CurrentUser, "张三");
}

TEST(Settings, WrongTypeReadsAsDefaultAndIsLeftAsStored) {
  FakeKey key;
  key.values = {{"PlayMp3", std::string("0")}, {"Interval", std::string("9")}, {"Users", 7},
                {"CurrentUser", 3}};
  TSettings s;
  ReadSettings(key, s);
  EXPECT_EQ(s.MusicOn, 1);
  EXPECT_EQ(s.Interval, 5);
  EXPECT_EQ(s.Users, "abc;");
  EXPECT_EQ(s.CurrentUser, "abc");
  EXPECT_EQ(std::get<std::string>(key.values["PlayMp3"]), "0");
  EXPECT_EQ(std::get<int>(key.values["Users"]), 7);
  EXPECT_EQ(key.writes, (std::vector<std::string>{"PlayWav", "PlayPYWav", "PYOldTip"}));
}

TEST(Settings, RefusedDefaultsStillGiveCompleteSettings) {
  FakeKey key;
  key.refuseWrites = true;
  key.values = {{"Interval", 3}};
  TSettings s;
  EXPECT_FALSE(ReadSettings(key, s));
  EXPECT_TRUE(s.Loaded);
  EXPECT_EQ(s.Interval, 3);
  EXPECT_EQ(s.CurrentUser, "abc");
}

TEST(Settings, ShutDownWritesThreeValuesOnlyAfterReading) {
  FakeKey key;
  TSettings never;
  EXPECT_FALSE(WriteShutdownSettings(key, never));
  EXPECT_TRUE(key.values.empty());

  TSettings s;
  ReadSettings(key, s);
  key.writes.clear();
  s.Interval = 10;
  s.Users = "abc;bob;";
  s.CurrentUser = "bob";
  s.MusicOn = 0;  // written by its check box, not here
  EXPECT_TRUE(WriteShutdownSettings(key, s));
  EXPECT_EQ(key.writes, (std::vector<std::string>{"Interval", "Users", "CurrentUser"}));

  TSettings again;
  ReadSettings(key, again);
  EXPECT_EQ(again.Interval, 10);
  EXPECT_EQ(again.Users, "abc;bob;");
  EXPECT_EQ(again.CurrentUser, "bob");
  EXPECT_EQ(again.MusicOn, 1);

  key.refuseWrites = true;
  EXPECT_FALSE(WriteShutdownSettings(key, again));
}
