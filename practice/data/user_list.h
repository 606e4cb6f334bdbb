#pragma once
// The list of users: the names split from the stored list text, the current
// user, and the changes the user dialog makes.
#include <array>
#include <string>

constexpr int MaxUsers = 200;
// A name is recorded in the score file's user column of this width.
constexpr int MaxUserNameLength = 100;
extern const char* const SystemUserName;  // "abc"

struct TUserList {
  std::array<std::string, MaxUsers + 1> UserNames;  // 1-based; [0] unused
  int UserCount = 0;
  std::string UserListText;  // every name followed by ";"
  std::string CurrentUser;
};

// The names of `text`: each ends at a ";" (the last one may lack it), empty
// names are skipped, and the system user "abc" is put first (moved there when
// it stands elsewhere). UserListText := the names, each followed by ";".
// False for more than 200 names: the list then holds the first 200. The
// current user is left as it is.
bool SplitUserList(TUserList& list, const std::string& text);

// A name the list can hold: not empty, without ";".
bool IsUserName(const std::string& name);
// The name is in the list (compared exactly).
bool HasUser(const TUserList& list, const std::string& name);

// The main window's caption for the current user.
std::string UserCaption(const std::string& designCaption, const std::string& currentUser);

enum class TAddUserResult { Added, EmptyName, ListFull, NameTooLong, NameHasSeparator, NameTaken };
// Appends `name` as typed (no trimming) and makes it the current user; a name
// already in the list (compared exactly) is refused, and so is a name longer
// than the score file's user column.
TAddUserResult AddUser(TUserList& list, const std::string& name);

enum class TDeleteUserResult { Deleted, SystemUser, NoSuchRow };
// Deletes the name in list row `row` (0-based; row r is UserNames[r + 1]).
// Row 0 is the system user and is refused. Deleting the current user makes
// "abc" current. The names and the list text are rebuilt in list order.
TDeleteUserResult DeleteUser(TUserList& list, int row);

// Makes the name in list row `row` current; false (nothing changes) for no row.
bool LogInUser(TUserList& list, int row);
