#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "user_list_texts.h"

namespace {

TUserList ListOf(const std::string& text, const std::string& current) {
  TUserList l;
  SplitUserList(l, text);
  l.CurrentUser = current;
  return l;
}

}  // namespace

// The list used to drop a last name without ";" at the next write, keep empty
// names, and lose the system user: every name now counts, and "abc" is first.
TEST(UserListSplit, Cases) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
  } cases[] = {{"", {"abc"}},
               {"abc;", {"abc"}},
               {"abc;bob", {"abc", "bob"}},
               {";;", {"abc"}},
               {"abc;;bob;", {"abc", "bob"}},
               {"abc;张三;", {"abc", "张三"}},
               {"bob;", {"abc", "bob"}},
               {"bob;abc;carl;", {"abc", "bob", "carl"}},
               {"abc;bob;bob;", {"abc", "bob", "bob"}}};
  for (const Case& c : cases) {
    TUserList l;
    EXPECT_TRUE(SplitUserList(l, c.text)) << c.text;
    EXPECT_EQ(Names(l), c.names) << c.text;
    std::string text;
    for (const std::string& name : c.names) text += name + ";";
    EXPECT_EQ(l.UserListText, text);
  }
}

TEST(UserListSplit, AtMostTwoHundredNames) {
  TUserList l;
  EXPECT_TRUE(SplitUserList(l, ManyNames(200)));
  EXPECT_EQ(l.UserCount, 200);
  EXPECT_EQ(l.UserNames[200], "u200");
  l.CurrentUser = "u7";
  // Names beyond the 200th are left out, not the whole list.
  EXPECT_FALSE(SplitUserList(l, ManyNames(300)));
  EXPECT_EQ(l.UserCount, 200);
  EXPECT_EQ(l.UserListText, ManyNames(200));
  EXPECT_EQ(l.CurrentUser, "u7") << "left to the caller";
  // 200 names without the system user are 201 with it.
  EXPECT_FALSE(SplitUserList(l, ManyNames(201).substr(4)));
  EXPECT_EQ(l.UserListText, ManyNames(200));
  EXPECT_TRUE(HasUser(l, "u200"));
  EXPECT_FALSE(HasUser(l, "u201"));
}

TEST(UserListEdit, Add) {
  TUserList l = ListOf("abc;bob", "abc");
  EXPECT_EQ(AddUser(l, " carl"), TAddUserResult::Added);
  EXPECT_EQ(AddUser(l, " carl"), TAddUserResult::NameTaken);
  EXPECT_EQ(AddUser(l, "abc"), TAddUserResult::NameTaken);
  EXPECT_EQ(AddUser(l, "carl"), TAddUserResult::Added);  // as typed: blanks count
  EXPECT_EQ(l.UserListText, "abc;bob; carl;carl;");
  EXPECT_EQ(l.CurrentUser, "carl");
  EXPECT_EQ(UserCaption("T  版", " carl"), "T  版---- carl");

  for (const std::string& bad : {std::string(), std::string("a;b"), std::string(101, 'x')})
    EXPECT_NE(AddUser(l, bad), TAddUserResult::Added) << bad;
  EXPECT_EQ(l.UserCount, 4);
  EXPECT_EQ(AddUser(l, "bob"), TAddUserResult::NameTaken);
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
