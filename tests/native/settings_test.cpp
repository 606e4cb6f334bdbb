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
  bool refuse = false;

  bool ValueExists(const std::string& name) override { return values.count(name) != 0; }
  bool ReadInteger(const std::string& name, int& v) override { return Read(name, v); }
  bool ReadString(const std::string& name, std::string& v) override { return Read(name, v); }
  bool WriteInteger(const std::string& name, int v) override { return Write(name, v); }
  bool WriteString(const std::string& name, const std::string& v) override { return Write(name, v); }

private:
  template <class T> bool Read(const std::string& name, T& v) {
    auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<T>(it->second)) return false;
    v = std::get<T>(it->second);
    return true;
  }
  template <class T> bool Write(const std::string& name, const T& v) {
    if (refuse) return false;
    writes.push_back(name);
    values[name] = v;
    return true;
  }
};

}  // namespace

TEST(Settings, FirstStartWritesEveryDefaultInOrder) {
  FakeKey key;
  TSettings s;
  EXPECT_TRUE(ReadSettings(key, s));
  EXPECT_EQ(key.writes, (std::vector<std::string>{"PlayMp3", "PlayWav", "PlayPYWav", "Interval", "PYOldTip",
                                                  "Users", "CurrentUser"}));
  for (const char* name : {"PlayMp3", "PlayWav", "PlayPYWav", "PYOldTip"}) EXPECT_EQ(std::get<int>(key.values[name]), 1);
  EXPECT_EQ(std::get<int>(key.values["Interval"]), 5);
  EXPECT_EQ(std::get<std::string>(key.values["Users"]), "abc;");
  EXPECT_EQ(std::get<std::string>(key.values["CurrentUser"]), "abc");
  EXPECT_TRUE(s.Loaded);

  FakeKey locked;  // defaults that cannot be written still give complete settings
  locked.refuse = true;
  EXPECT_FALSE(ReadSettings(locked, s));
  EXPECT_TRUE(s.Loaded);
  EXPECT_EQ(s.CurrentUser, "abc");
}

TEST(Settings, StoredValuesReadWrongTypesAsDefaults) {
  FakeKey key;
  key.values = {{"PlayMp3", 0}, {"PlayWav", std::string("0")}, {"Interval", 25}, {"PYOldTip", 0},
                {"Users", 7}, {"CurrentUser", std::string("张三")}};
  TSettings s;
  ReadSettings(key, s);
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(s.KeySoundsOn, 1);  // wrong type
  EXPECT_EQ(s.Interval, 25);    // clamping is the track bar's
  EXPECT_EQ(s.OldPinyinHint, 0);
  EXPECT_EQ(s.Users, "abc;");   // wrong type
  EXPECT_EQ(s.CurrentUser, "张三");
  EXPECT_EQ(key.writes, std::vector<std::string>{"PlayPYWav"});  // only the absent value
  EXPECT_EQ(std::get<int>(key.values["Users"]), 7);
}

TEST(Settings, ShutDownWritesThreeValuesOnlyAfterReading) {
  FakeKey key;
  EXPECT_FALSE(WriteShutdownSettings(key, TSettings()));
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
}
