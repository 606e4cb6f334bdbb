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

std::string ManyNames(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "u" + std::to_string(i) + ";";
  return text;
}

}  // namespace

TEST(UserListSplit, Cases) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
  } cases[] = {{"", {}}, {"abc;", {"abc"}}, {"abc;bob", {"abc"}}, {";;", {"", ""}}, {"abc;张三;", {"abc", "张三"}}};
  for (const Case& c : cases) {
    TUserList l = ListOf(c.text, "abc");
    EXPECT_EQ(Names(l), c.names) << c.text;
    EXPECT_EQ(l.UserListText, c.text);
  }
  EXPECT_EQ(ListOf("abc;bob", "abc").UserNames[2], "bob");  // held but not counted
  TUserList many = ListOf(ManyNames(201), "abc");
  EXPECT_EQ(many.UserCount, 200);
  EXPECT_EQ(many.UserNames[200], "u200");
}

TEST(UserListEdit, Add) {
  TUserList l = ListOf("abc;bob", "abc");  // a dangling name never merges with a new one
  EXPECT_EQ(AddUser(l, " carl"), TAddUserResult::Added);
  EXPECT_EQ(AddUser(l, " carl"), TAddUserResult::NameTaken);
  EXPECT_EQ(AddUser(l, "abc"), TAddUserResult::NameTaken);
  EXPECT_EQ(AddUser(l, "carl"), TAddUserResult::Added);  // as typed: blanks count
  EXPECT_EQ(l.UserListText, "abc; carl;carl;");
  EXPECT_EQ(l.CurrentUser, "carl");
  EXPECT_EQ(UserCaption("T  版", " carl"), "T  版---- carl");

  for (const std::string& bad : {std::string(), std::string("a;b"), std::string(101, 'x')})
    EXPECT_NE(AddUser(l, bad), TAddUserResult::Added) << bad;
  EXPECT_EQ(l.UserCount, 3);
  EXPECT_EQ(AddUser(l, "bob"), TAddUserResult::Added) << "an uncounted name is no user";
  EXPECT_EQ(AddUser(l, std::string(100, 'x')), TAddUserResult::Added);

  TUserList full = ListOf(ManyNames(200), "u1");
  EXPECT_EQ(AddUser(full, "late"), TAddUserResult::ListFull);
  EXPECT_EQ(full.UserListText, ManyNames(200));
  EXPECT_EQ(full.CurrentUser, "u1");
}

TEST(UserListEdit, DeleteAndLogIn) {
  TUserList l = ListOf("abc;bob;carl;", "carl");
  EXPECT_EQ(DeleteUser(l, 0), TDeleteUserResult::SystemUser);
  EXPECT_EQ(DeleteUser(l, 3), TDeleteUserResult::NoSuchRow);
  EXPECT_EQ(DeleteUser(l, 1), TDeleteUserResult::Deleted);
  EXPECT_EQ(l.UserListText, "abc;carl;");
  EXPECT_EQ(Names(l), (std::vector<std::string>{"abc", "carl"}));
  EXPECT_EQ(l.CurrentUser, "carl");
  EXPECT_EQ(DeleteUser(l, 1), TDeleteUserResult::Deleted);  // the current user
  EXPECT_EQ(l.CurrentUser, "abc");
  EXPECT_EQ(l.UserListText, "abc;");

  TUserList m = ListOf("abc;bob;", "abc");
  EXPECT_FALSE(LogInUser(m, -1));
  EXPECT_EQ(m.CurrentUser, "abc");
  EXPECT_TRUE(LogInUser(m, 1));
  EXPECT_EQ(m.CurrentUser, "bob");
}
