#include "practice/data/user_list.h"

const char* const SystemUserName = "abc";

namespace {

void RebuildListText(TUserList& list) {
  list.UserListText.clear();
  for (int i = 1; i <= list.UserCount; ++i) list.UserListText += list.UserNames[i] + ";";
}

}  // namespace

void SplitUserList(TUserList& list, const std::string& text) {
  list.UserListText = text;
  for (std::string& name : list.UserNames) name.clear();
  int slot = 1;
  for (char c : text) {
    if (slot > MaxUsers) break;
    if (c == ';')
      ++slot;
    else
      list.UserNames[slot] += c;
  }
  list.UserCount = slot - 1;
}

std::string UserCaption(const std::string& designCaption, const std::string& currentUser) {
  return designCaption + "----" + currentUser;
}

TAddUserResult AddUser(TUserList& list, const std::string& name) {
  if (name.empty()) return TAddUserResult::EmptyName;
  if (name.find(';') != std::string::npos) return TAddUserResult::NameHasSeparator;
  if (name.size() > static_cast<std::size_t>(MaxUserNameLength)) return TAddUserResult::NameTooLong;
  for (int i = 1; i <= list.UserCount; ++i)
    if (list.UserNames[i] == name) return TAddUserResult::NameTaken;
  if (list.UserCount >= MaxUsers) return TAddUserResult::ListFull;
  ++list.UserCount;
  list.UserNames[list.UserCount] = name;
  list.CurrentUser = name;
  RebuildListText(list);
  return TAddUserResult::Added;
}

TDeleteUserResult DeleteUser(TUserList& list, int row) {
  if (row < 0 || row >= list.UserCount) return TDeleteUserResult::NoSuchRow;
  if (row == 0) return TDeleteUserResult::SystemUser;
  if (list.UserNames[row + 1] == list.CurrentUser) list.CurrentUser = SystemUserName;
  for (int i = row + 1; i < list.UserCount; ++i) list.UserNames[i] = list.UserNames[i + 1];
  list.UserNames[list.UserCount].clear();
  --list.UserCount;
  RebuildListText(list);
  return TDeleteUserResult::Deleted;
}

bool LogInUser(TUserList& list, int row) {
  if (row < 0 || row >= list.UserCount) return false;
  list.CurrentUser = list.UserNames[row + 1];
  return true;
}
