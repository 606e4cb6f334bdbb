#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "memory_settings_key.h"
#include "user_list_texts.h"

namespace {

using TKind = TStoredValue::TKind;

TStoredValue Number(int n) { return {TKind::Number, n, ""}; }
TStoredValue Text(const std::string& t) { return {TKind::Text, 0, t}; }
TStoredValue Binary() { return {TKind::Other, 0, ""}; }

using FakeKey = TMemorySettingsKey;

std::vector<std::string> NotUnderstoodNames(const TSettings& s) {
  std::vector<std::string> names;
  for (const TNotUnderstood& n : s.NotUnderstood) names.push_back(n.Name);
  return names;
}

}  // namespace

TEST(Settings, FirstStartWritesEveryDefaultInOrder) {
  FakeKey key;
  TSettings s;
  TUserList users;
  EXPECT_TRUE(ReadSettings(key, s, users));
  EXPECT_EQ(key.Writes, (std::vector<std::string>{"PlayMp3", "PlayWav", "PlayPYWav", "Interval", "PYOldTip",
                                                  "Users", "CurrentUser"}));
  for (const char* name : {"PlayMp3", "PlayWav", "PlayPYWav", "PYOldTip"}) EXPECT_EQ(key.Values[name].Number, 1);
  EXPECT_EQ(key.Values["Interval"].Number, 5);
  EXPECT_EQ(key.Values["Users"].Text, "abc;");
  EXPECT_EQ(key.Values["CurrentUser"].Text, "abc");
  EXPECT_TRUE(s.Loaded);
  EXPECT_TRUE(s.NotUnderstood.empty());

  FakeKey locked;  // defaults that cannot be written still give complete settings
  locked.Refuse = true;
  EXPECT_FALSE(ReadSettings(locked, s, users));
  EXPECT_TRUE(s.Loaded);
  EXPECT_EQ(users.CurrentUser, "abc");
  EXPECT_EQ(Names(users), std::vector<std::string>{"abc"});
}

// "PlayMp3" stored as the text "0" used to play the music.
TEST(Settings, DecimalTextReadsAsItsNumberAndStaysAsStored) {
  FakeKey key;
  key.Values = {{"PlayMp3", Text("0")}, {"PlayWav", Text(" 0 ")}, {"PlayPYWav", Number(0)},
                {"Interval", Text("25")}, {"PYOldTip", Text("-1")}, {"Users", Text("abc;bob;")},
                {"CurrentUser", Text("bob")}};
  TSettings s;
  TUserList users;
  EXPECT_TRUE(ReadSettings(key, s, users));
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(s.KeySoundsOn, 0);
  EXPECT_EQ(s.PronunciationOn, 0);
  EXPECT_EQ(s.Interval, 25);  // clamping is the track bar's
  EXPECT_EQ(s.OldPinyinHint, -1);
  EXPECT_EQ(Names(users), (std::vector<std::string>{"abc", "bob"}));
  EXPECT_EQ(users.CurrentUser, "bob");
  EXPECT_TRUE(s.NotUnderstood.empty());
  EXPECT_TRUE(key.Writes.empty());
}

TEST(Settings, IntegerValues) {
  struct Case {
    TStoredValue stored;
    std::optional<int> read;
  } cases[] = {{Number(7), 7},           {Number(-9), -9},          {Text("0"), 0},
               {Text("+5"), 5},          {Text(" 12\t"), 12},       {Text("007"), 7},
               {Text("2147483647"), INT_MAX}, {Text("-2147483648"), INT_MIN},
               {Text("2147483648"), {}}, {Text("-2147483649"), {}}, {Text("99999999999999999999"), {}},
               {Text(""), {}},           {Text("  "), {}},          {Text("-"), {}},
               {Text("1 2"), {}},        {Text("1e3"), {}},         {Text("0x10"), {}},
               {Text("五"), {}},         {Text("１"), {}},          {Binary(), {}},
               {TStoredValue{}, {}}};
  for (const Case& c : cases) EXPECT_EQ(ParseIntegerSetting(c.stored), c.read) << c.stored.Text;
}

TEST(Settings, UserValues) {
  EXPECT_EQ(ParseCurrentUserSetting(Text("张三")), std::optional<std::string>("张三"));
  for (const TStoredValue& bad : {Text(""), Text("a;b"), Number(3), Binary()})
    EXPECT_FALSE(ParseCurrentUserSetting(bad)) << bad.Text;
  ASSERT_TRUE(ParseUsersSetting(Text("abc;bob")));
  EXPECT_EQ(Names(*ParseUsersSetting(Text("abc;bob"))), (std::vector<std::string>{"abc", "bob"}));
  EXPECT_TRUE(ParseUsersSetting(Text(ManyNames(200))));
  for (const TStoredValue& bad : {Text(ManyNames(201)), Number(3), Binary()}) EXPECT_FALSE(ParseUsersSetting(bad));
}

// A value of the wrong kind or garbage took its default without a word and
// was overwritten at exit. Now its default holds, the stored value is kept
// aside, and the learner is told once: the second start finds nothing amiss.
TEST(Settings, ValuesNotUnderstoodAreKeptAsideAndToldOnce) {
  FakeKey key;
  key.Values = {{"PlayMp3", Text("0")},    {"PlayWav", Text("off")},        {"PlayPYWav", Binary()},
                {"Interval", Text("7.5")}, {"PYOldTip", Number(0)},         {"Users", Number(7)},
                {"CurrentUser", Text("")}};
  TSettings s;
  TUserList users;
  EXPECT_TRUE(ReadSettings(key, s, users));
  EXPECT_EQ(NotUnderstoodNames(s),
            (std::vector<std::string>{"PlayWav", "PlayPYWav", "Interval", "Users", "CurrentUser"}));
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(s.KeySoundsOn, 1);
  EXPECT_EQ(s.PronunciationOn, 1);
  EXPECT_EQ(s.Interval, 5);
  EXPECT_EQ(s.OldPinyinHint, 0);
  EXPECT_EQ(Names(users), std::vector<std::string>{"abc"});
  EXPECT_EQ(users.CurrentUser, "abc");
  EXPECT_EQ(key.Values["PlayWav.bak"].Text, "off");
  EXPECT_EQ(key.Values["PlayPYWav.bak"].Kind, TKind::Other);
  EXPECT_EQ(key.Values["Users.bak"].Number, 7);
  EXPECT_EQ(key.Values["Users"].Text, "abc;");
  EXPECT_EQ(key.Values["Interval"].Number, 5);

  const std::string message = NotUnderstoodMessage(s);
  for (const char* part : {"HKEY_LOCAL_MACHINE\\Software\\Sunvelo\\Tapmira", "“PlayWav”：默认值“1”，原值另存为“PlayWav.bak”",
                           "“Users”：默认值“abc;”", "“CurrentUser.bak”"})
    EXPECT_NE(message.find(part), std::string::npos) << part;
  EXPECT_EQ(message.find("PlayMp3"), std::string::npos);

  TSettings again;
  TUserList againUsers;
  EXPECT_TRUE(ReadSettings(key, again, againUsers));
  EXPECT_TRUE(again.NotUnderstood.empty());
  EXPECT_EQ(NotUnderstoodMessage(again), "");
  EXPECT_EQ(again.KeySoundsOn, s.KeySoundsOn);
  EXPECT_EQ(again.Interval, s.Interval);
}

TEST(Settings, ValueNotUnderstoodInAReadOnlyKeyStaysAsStored) {
  FakeKey key;
  key.Values = {{"Users", Text(ManyNames(201))}};
  key.Refuse = true;
  TSettings s;
  TUserList users;
  EXPECT_FALSE(ReadSettings(key, s, users));
  ASSERT_EQ(s.NotUnderstood.size(), 1u);
  EXPECT_FALSE(s.NotUnderstood[0].Kept);
  EXPECT_EQ(key.Values["Users"].Text, ManyNames(201));
  EXPECT_EQ(Names(users), std::vector<std::string>{"abc"});
  EXPECT_NE(NotUnderstoodMessage(s).find("原值未改动"), std::string::npos);
}

TEST(Settings, UserSettingsWrittenTogether) {
  FakeKey key;
  TSettings s;
  TUserList users;
  ReadSettings(key, s, users);
  key.Writes.clear();
  ASSERT_EQ(AddUser(users, "张三"), TAddUserResult::Added);
  EXPECT_TRUE(WriteUserSettings(key, users));
  EXPECT_EQ(key.Writes, (std::vector<std::string>{"Users", "CurrentUser"}));
  TSettings again;
  TUserList read;
  ReadSettings(key, again, read);
  EXPECT_EQ(Names(read), (std::vector<std::string>{"abc", "张三"}));
  EXPECT_EQ(read.CurrentUser, "张三");
  key.Refuse = true;
  EXPECT_FALSE(WriteUserSettings(key, users));
}
