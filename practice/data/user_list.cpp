#include "practice/data/user_list.h"

#include <algorithm>
#include <vector>

const char* const SystemUserName = "abc";

namespace {

void RebuildListText(TUserList& list) {
  list.UserListText.clear();
  for (int i = 1; i <= list.UserCount; ++i) list.UserListText += list.UserNames[i] + ";";
}

// The non-empty names of `text`, at most `limit` of them.
std::vector<std::string> NamesOf(const std::string& text, std::size_t limit) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size() && names.size() < limit) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// The system user first: moved there, or put there.
void SystemUserFirst(std::vector<std::string>& names) {
  if (!names.empty() && names.front() == SystemUserName) return;
  auto it = std::find(names.begin(), names.end(), SystemUserName);
  if (it != names.end()) names.erase(it);
  names.insert(names.begin(), SystemUserName);
}

void Assign(TUserList& list, const std::vector<std::string>& names) {
  for (std::string& name : list.UserNames) name.clear();
  list.UserCount = static_cast<int>(names.size());
  for (int i = 1; i <= list.UserCount; ++i) list.UserNames[i] = names[i - 1];
  RebuildListText(list);
}

TAddUserResult NameProblem(const std::string& name) {
  if (name.empty()) return TAddUserResult::EmptyName;
  if (name.find(';') != std::string::npos) return TAddUserResult::NameHasSeparator;
  return TAddUserResult::Added;
}

}  // namespace

bool SplitUserList(TUserList& list, const std::string& text) {
  // One name more than the list holds tells an over-long list.
  std::vector<std::string> names = NamesOf(text, MaxUsers + 1);
  SystemUserFirst(names);
  const bool understood = names.size() <= static_cast<std::size_t>(MaxUsers);
  if (!understood) names.resize(MaxUsers);
  Assign(list, names);
  return understood;
}

bool IsUserName(const std::string& name) { return NameProblem(name) == TAddUserResult::Added; }

bool HasUser(const TUserList& list, const std::string& name) {
  for (int i = 1; i <= list.UserCount; ++i)
    if (list.UserNames[i] == name) return true;
  return false;
}

std::string UserCaption(const std::string& designCaption, const std::string& currentUser) {
  return designCaption + "----" + currentUser;
}

TAddUserResult AddUser(TUserList& list, const std::string& name) {
  if (TAddUserResult problem = NameProblem(name); problem != TAddUserResult::Added) return problem;
  if (name.size() > static_cast<std::size_t>(MaxUserNameLength)) return TAddUserResult::NameTooLong;
  if (HasUser(list, name)) return TAddUserResult::NameTaken;
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
