#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "practice/data/user_list.h"

namespace {

std::vector<std::string> Names(const TUserList& l) {
  return std::vector<std::string>(l.UserNames.begin() + 1, l.UserNames.begin() + 1 + l.UserCount);
}

TUserList ListOf(const std::string& text, const std::string& current) {
  TUserList l;
  SplitUserList(l, text);
  l.CurrentUser = current;
  return l;
}

}  // namespace

TEST(UserListSplit, Cases) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
  } cases[] = {
      {"", {}},
      {"abc;", {"abc"}},
      {"abc;bob", {"abc"}},  // the last name has no ";"
      {";;", {"", ""}},
      {"abc;张三;bob;", {"abc", "张三", "bob"}},
  };
  for (const Case& c : cases) {
    TUserList l;
    SplitUserList(l, c.text);
    EXPECT_EQ(l.UserCount, static_cast<int>(c.names.size())) << c.text;
    EXPECT_EQ(Names(l), c.names) << c.text;
    EXPECT_EQ(l.UserListText, c.text);
  }
  TUserList l;
  SplitUserList(l, "abc;bob");
  EXPECT_EQ(l.UserNames[2], "bob");
}

TEST(UserListSplit, StopsAfterTwoHundredNames) {
  std::string text;
  for (int i = 1; i <= 201; ++i) text += "u" + std::to_string(i) + ";";
  TUserList l;
  SplitUserList(l, text);
  EXPECT_EQ(l.UserCount, 200);
  EXPECT_EQ(l.UserNames[200], "u200");
}

TEST(UserListEdit, AddMakesTheNewUserCurrent) {
  TUserList l = ListOf("abc;", "abc");
  EXPECT_EQ(AddUser(l, " bob"), TAddUserResult::Added);  // taken as typed
  EXPECT_EQ(l.CurrentUser, " bob");
  EXPECT_EQ(l.UserListText, "abc; bob;");
  EXPECT_EQ(AddUser(l, " bob"), TAddUserResult::Added);  // duplicates allowed
  EXPECT_EQ(l.UserCount, 3);
  EXPECT_EQ(UserCaption("Tapmira     2020年8月15日版", l.CurrentUser), "Tapmira     2020年8月15日版---- bob");

  TUserList dangling = ListOf("abc;bob", "abc");
  EXPECT_EQ(AddUser(dangling, "carl"), TAddUserResult::Added);
  EXPECT_EQ(dangling.UserListText, "abc;carl;");  // never "abc;bobcarl;"
  EXPECT_EQ(Names(dangling), (std::vector<std::string>{"abc", "carl"}));
}

TEST(UserListEdit, AddRefusals) {
  TUserList l = ListOf("abc;", "abc");
  EXPECT_EQ(AddUser(l, ""), TAddUserResult::EmptyName);
  EXPECT_EQ(AddUser(l, "a;b"), TAddUserResult::NameHasSeparator);
  EXPECT_EQ(AddUser(l, std::string(101, 'x')), TAddUserResult::NameTooLong);
  EXPECT_EQ(l.UserListText, "abc;");
  EXPECT_EQ(l.CurrentUser, "abc");
  EXPECT_EQ(AddUser(l, std::string(100, 'x')), TAddUserResult::Added);

  std::string text;
  for (int i = 1; i <= 200; ++i) text += "u" + std::to_string(i) + ";";
  TUserList full = ListOf(text, "u1");
  EXPECT_EQ(AddUser(full, "late"), TAddUserResult::ListFull);
  EXPECT_EQ(full.UserCount, 200);
  EXPECT_EQ(full.UserListText, text);
  EXPECT_EQ(full.CurrentUser, "u1");
}

TEST(UserListEdit, Delete) {
  TUserList l = ListOf("abc;bob;carl;", "carl");
  EXPECT_EQ(DeleteUser(l, 0), TDeleteUserResult::SystemUser);
  EXPECT_EQ(DeleteUser(l, 3), TDeleteUserResult::NoSuchRow);
  EXPECT_EQ(DeleteUser(l, -1), TDeleteUserResult::NoSuchRow);
  EXPECT_EQ(l.UserListText, "abc;bob;carl;");

  EXPECT_EQ(DeleteUser(l, 1), TDeleteUserResult::Deleted);  // not current
  EXPECT_EQ(l.UserListText, "abc;carl;");
  EXPECT_EQ(Names(l), (std::vector<std::string>{"abc", "carl"}));
  EXPECT_EQ(l.CurrentUser, "carl");

  EXPECT_EQ(DeleteUser(l, 1), TDeleteUserResult::Deleted);  // current
  EXPECT_EQ(l.CurrentUser, "abc");
  EXPECT_EQ(l.UserListText, "abc;");
  EXPECT_EQ(l.UserCount, 1);
}

TEST(UserListEdit, LogIn) {
  TUserList l = ListOf("abc;bob;", "abc");
  EXPECT_FALSE(LogInUser(l, -1));
  EXPECT_EQ(l.CurrentUser, "abc");
  EXPECT_FALSE(LogInUser(l, 2));
  EXPECT_TRUE(LogInUser(l, 1));
  EXPECT_EQ(l.CurrentUser, "bob");
}
