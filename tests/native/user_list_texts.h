#pragma once
// User lists as the tests write and read them.
#include <string>
#include <vector>

#include "practice/data/user_list.h"

// The names a list holds, in order, the system user first.
inline std::vector<std::string> Names(const TUserList& l) {
  return std::vector<std::string>(l.UserNames.begin() + 1, l.UserNames.begin() + 1 + l.UserCount);
}

// A list of n names, the system user first.
inline std::string ManyNames(int n) {
  std::string text = "abc;";
  for (int i = 2; i <= n; ++i) text += "u" + std::to_string(i) + ";";
  return text;
}
