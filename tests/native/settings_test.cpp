#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "memory_settings_key.h"
#include "practice/data/per_user_settings_key.h"
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
  TUserList list;
  SplitUserList(list, "abc;张三;");
  EXPECT_EQ(ParseCurrentUserSetting(Text("张三"), list), std::optional<std::string>("张三"));
  for (const TStoredValue& bad : {Text(""), Text("a;b"), Text("李四"), Text("张三 "), Number(3), Binary()})
    EXPECT_FALSE(ParseCurrentUserSetting(bad, list)) << bad.Text;
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

  const std::string message = NotUnderstoodMessage(s, key.Name());
  for (const char* part : {"注册表项：HKEY_LOCAL_MACHINE\\Software\\Sunvelo\\Tapmira",
                           "“PlayWav”：无法识别，改用默认值“1”，原值另存为“PlayWav.bak”", "“Users”：无法识别，改用默认值“abc;”",
                           "“CurrentUser.bak”"})
    EXPECT_NE(message.find(part), std::string::npos) << part;
  EXPECT_EQ(message.find("PlayMp3"), std::string::npos);

  TSettings again;
  TUserList againUsers;
  EXPECT_TRUE(ReadSettings(key, again, againUsers));
  EXPECT_TRUE(again.NotUnderstood.empty());
  EXPECT_EQ(NotUnderstoodMessage(again, key.Name()), "");
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
  EXPECT_EQ(users.UserListText, ManyNames(200));
  EXPECT_NE(NotUnderstoodMessage(s, key.Name()).find("原值未改动"), std::string::npos);
}

// A list of 300 users became "abc;" alone while the current user stayed a
// name no longer in it. The first 200 names are kept (all of them in
// "Users.bak"), and a current user not in the list becomes "abc", told in
// the same message.
TEST(Settings, MoreUsersThanTheListHoldsKeepTheFirstTwoHundred) {
  for (const char* current : {"u250", "u150"}) {
    SCOPED_TRACE(current);
    FakeKey key;
    key.Values = {{"Users", Text(ManyNames(300))}, {"CurrentUser", Text(current)}};
    TSettings s;
    TUserList users;
    EXPECT_TRUE(ReadSettings(key, s, users));
    EXPECT_EQ(users.UserCount, 200);
    EXPECT_EQ(users.UserNames[200], "u200");
    EXPECT_EQ(key.Values["Users"].Text, ManyNames(200));
    EXPECT_EQ(key.Values["Users.bak"].Text, ManyNames(300));
    const bool listed = std::string(current) == "u150";
    EXPECT_EQ(users.CurrentUser, listed ? "u150" : "abc");
    EXPECT_EQ(key.Values["CurrentUser"].Text, users.CurrentUser);
    const std::vector<std::string> named =
        listed ? std::vector<std::string>{"Users"} : std::vector<std::string>{"Users", "CurrentUser"};
    EXPECT_EQ(NotUnderstoodNames(s), named);
    const std::string message = NotUnderstoodMessage(s, key.Name());
    EXPECT_NE(message.find("“Users”：超过200个用户，只保留前200个，原值另存为“Users.bak”"), std::string::npos) << message;
    EXPECT_EQ(message.find("“u250”不在用户列表中，改用“abc”，原值另存为“CurrentUser.bak”") != std::string::npos, !listed)
        << message;

    TSettings again;
    TUserList read;
    EXPECT_TRUE(ReadSettings(key, again, read));
    EXPECT_TRUE(again.NotUnderstood.empty());
    EXPECT_EQ(read.UserListText, ManyNames(200));
  }
  // A current user that is no user, whatever the list.
  FakeKey key;
  key.Values = {{"Users", Text("abc;bob;")}, {"CurrentUser", Text("carl")}};
  TSettings s;
  TUserList users;
  ReadSettings(key, s, users);
  EXPECT_EQ(users.CurrentUser, "abc");
  EXPECT_EQ(key.Values["CurrentUser.bak"].Text, "carl");
  EXPECT_EQ(NotUnderstoodNames(s), std::vector<std::string>{"CurrentUser"});
}

// Where the machine's key may only be read, each value is kept for the user:
// changes and defaults go to the user's key, which is read first, and the
// machine's values are the starting ones.
TEST(PerUserSettings, TheUsersValuesFirstTheMachinesAsStartingValues) {
  auto user = std::make_unique<FakeKey>();
  auto machine = std::make_unique<FakeKey>();
  FakeKey& own = *user;
  FakeKey& shared = *machine;
  own.KeyName = "HKEY_CURRENT_USER\\Software\\Sunvelo\\Tapmira";
  own.Values = {{"PlayWav", Number(1)}};
  shared.Refuse = true;
  shared.Values = {{"PlayMp3", Number(0)}, {"PlayWav", Number(0)}, {"Interval", Text("8")},
                   {"Users", Text("abc;bob;")}, {"CurrentUser", Text("bob")}};
  const auto machineBefore = shared.Values;
  TPerUserSettingsKey key(std::move(user), std::move(machine));
  EXPECT_TRUE(key.Writable());
  EXPECT_EQ(key.Name(), own.KeyName);

  TSettings s;
  TUserList users;
  EXPECT_TRUE(ReadSettings(key, s, users));
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(s.KeySoundsOn, 1) << "the user's own value wins";
  EXPECT_EQ(s.Interval, 8);
  EXPECT_EQ(Names(users), (std::vector<std::string>{"abc", "bob"}));
  EXPECT_EQ(users.CurrentUser, "bob");
  EXPECT_EQ(own.Writes, (std::vector<std::string>{"PlayPYWav", "PYOldTip"})) << "the absent defaults";

  ASSERT_EQ(AddUser(users, "小红"), TAddUserResult::Added);
  EXPECT_TRUE(WriteUserSettings(key, users));
  EXPECT_TRUE(key.WriteInteger("Interval", 3));
  TSettings again;
  TUserList read;
  ReadSettings(key, again, read);
  EXPECT_EQ(read.UserListText, "abc;bob;小红;");
  EXPECT_EQ(read.CurrentUser, "小红");
  EXPECT_EQ(again.Interval, 3);
  EXPECT_EQ(again.MusicOn, 0);
  EXPECT_EQ(shared.Values.size(), machineBefore.size());
  for (const auto& [name, value] : machineBefore) EXPECT_EQ(shared.Values[name].Text, value.Text) << name;
  EXPECT_TRUE(shared.Writes.empty());

  own.Refuse = true;
  EXPECT_FALSE(key.Writable()) << "neither key takes writes";
}

TEST(PerUserSettings, AMachineValueNotUnderstoodIsCopiedAsideForTheUser) {
  auto user = std::make_unique<FakeKey>();
  auto machine = std::make_unique<FakeKey>();
  FakeKey& own = *user;
  FakeKey& shared = *machine;
  shared.Refuse = true;
  shared.Values = {{"PlayWav", Text("off")}, {"PlayPYWav", Binary()}};
  TPerUserSettingsKey key(std::move(user), std::move(machine));
  TSettings s;
  TUserList users;
  EXPECT_FALSE(ReadSettings(key, s, users));
  ASSERT_EQ(NotUnderstoodNames(s), (std::vector<std::string>{"PlayWav", "PlayPYWav"}));
  EXPECT_TRUE(s.NotUnderstood[0].Kept);
  EXPECT_EQ(own.Values["PlayWav.bak"].Text, "off");
  EXPECT_EQ(own.Values["PlayWav"].Number, 1);
  EXPECT_FALSE(s.NotUnderstood[1].Kept) << "a kind that cannot be copied stays where it is";
  EXPECT_EQ(own.Values.count("PlayPYWav"), 0u);
  EXPECT_EQ(shared.Values["PlayWav"].Text, "off");
  EXPECT_EQ(shared.Values["PlayPYWav"].Kind, TKind::Other);
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
