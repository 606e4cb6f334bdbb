// The user list text, edited and written back. Input: the stored list text,
// then a zero byte and edits, two bytes each: 'a' adds a name (the next byte
// says how many of the following bytes it takes), 'd' deletes and 'l' logs in
// the row the next byte says.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "practice/data/user_list.h"

namespace {

void CheckList(const TUserList& list) {
  Check(list.UserCount >= 1 && list.UserCount <= MaxUsers);
  Check(list.UserNames[1] == SystemUserName);
  bool currentListed = false;
  std::string text;
  for (int i = 1; i <= list.UserCount; ++i) {
    Check(IsUserName(list.UserNames[i]));
    currentListed = currentListed || list.UserNames[i] == list.CurrentUser;
    text += list.UserNames[i] + ";";
  }
  for (int i = list.UserCount + 1; i <= MaxUsers; ++i) Check(list.UserNames[i].empty());
  Check(list.UserListText == text);
  Check(currentListed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t zero = input.find('\0');
  TUserList list;
  SplitUserList(list, input.substr(0, zero));
  list.CurrentUser = SystemUserName;
  CheckList(list);

  for (std::size_t i = zero == std::string::npos ? size : zero + 1; i + 1 < size; i += 2) {
    const char op = input[i];
    const int arg = static_cast<std::uint8_t>(input[i + 1]);
    if (op == 'a') {
      const std::string name = input.substr(i + 2, static_cast<std::size_t>(arg % 128));
      const int count = list.UserCount;
      if (AddUser(list, name) == TAddUserResult::Added) Check(list.UserCount == count + 1 && list.CurrentUser == name);
      else Check(list.UserCount == count);
      i += name.size();
    } else if (op == 'd') {
      const int count = list.UserCount;
      const TDeleteUserResult r = DeleteUser(list, arg % (count + 1));
      Check(list.UserCount == (r == TDeleteUserResult::Deleted ? count - 1 : count));
    } else if (op == 'l') {
      LogInUser(list, arg % (list.UserCount + 1));
    }
    CheckList(list);
  }

  // Written back and read again: the same list.
  TUserList again;
  Check(SplitUserList(again, list.UserListText));
  Check(again.UserCount == list.UserCount && again.UserListText == list.UserListText);
  for (int i = 1; i <= list.UserCount; ++i) Check(again.UserNames[i] == list.UserNames[i]);
  return 0;
}
