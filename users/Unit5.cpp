#include "users/Unit5.h"

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"

namespace {
const char* const NewUserPrompt = "新建用户名";
const char* const CurrentUserPrefix = "当前用户:";

// Why a typed name was not added; empty for a name that was.
std::string AddUserRefusal(TAddUserResult r) {
  switch (r) {
    case TAddUserResult::Added:
    case TAddUserResult::EmptyName:
      return "";
    case TAddUserResult::ListFull:
      return "用户已满200个，不能再新建用户！";
    case TAddUserResult::NameTooLong:
      return "用户名太长，最多100个字符（一个汉字占两个字符）！";
    case TAddUserResult::NameHasSeparator:
      return "用户名中不能有分号“;”！";
    case TAddUserResult::NameTaken:
      return "已有同名的用户，请换一个用户名！";
  }
  return "";
}
}  // namespace

const TClassInfo& TForm5::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm5>("TForm5", &TForm::StaticClass()).Build();
  return info;
}

TForm5::TForm5(TComponent* owner) : TForm(owner) {
  ReadDefinition();
  Bind(ListBox1, "ListBox1");
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(Edit1, "Edit1");
  Bind(Button1, "Button1");
  Bind(Button2, "Button2");
  Bind(Button3, "Button3");
  Bind(Button4, "Button4");
  Bind(Button6, "Button6");
}

std::any TForm5::MethodAddress(const std::string& name) const {
  using M = TMethodTable<TForm5>;
  static const M table = {
      M::Method("FormCreate", &TForm5::FormCreate),   M::Method("Button1Click", &TForm5::Button1Click),
      M::Method("Button2Click", &TForm5::Button2Click), M::Method("Button6Click", &TForm5::Button6Click),
      M::Method("Button3Click", &TForm5::Button3Click), M::Method("Button4Click", &TForm5::Button4Click)};
  return table.Find(const_cast<TForm5*>(this), name);
}

void TForm5::UsersChanged() {
  if (Form1) Form1->UsersChanged();
}

void TForm5::FormCreate(TObject* Sender) {
  const TUserList& users = Practice.Users;
  for (int i = 1; i <= users.UserCount; ++i) ListBox1->Items()->Add(users.UserNames[i]);
  Label2->SetCaption(CurrentUserPrefix + users.CurrentUser);
}

void TForm5::Button2Click(TObject* Sender) {
  Edit1->Show();
  Label1->SetCaption(NewUserPrompt);
  Label1->Show();
  Button6->Show();
}

void TForm5::Button6Click(TObject* Sender) {
  const std::string name = Edit1->GetText();
  if (!name.empty() && Label1->GetCaption() == NewUserPrompt) {
    TAddUserResult r = AddUser(Practice.Users, name);
    if (r == TAddUserResult::Added) {
      Edit1->SetText("");  // the next new name starts from nothing
      UsersChanged();
      ListBox1->Items()->Add(name);
      Label2->SetCaption(CurrentUserPrefix + Practice.Users.CurrentUser);
    } else {
      ShowMessageBox(AddUserRefusal(r), "提示", MB_OK | MB_ICONINFORMATION);
    }
  }
  Edit1->Hide();
  Label1->Hide();
  Button6->Hide();
}

void TForm5::Button1Click(TObject* Sender) {
  if (LogInUser(Practice.Users, ListBox1->GetItemIndex())) UsersChanged();
  Close();
}

void TForm5::Button3Click(TObject* Sender) {
  const int row = ListBox1->GetItemIndex();
  if (row < 0) return;  // nothing selected
  if (row == 0) {
    ShowMessageBox("不能删除系统用户！", "错误", MB_OK | MB_ICONERROR);
    return;
  }
  if (DeleteUser(Practice.Users, row) != TDeleteUserResult::Deleted) return;
  UsersChanged();
  ListBox1->Items()->Delete(row);
  Label2->SetCaption(CurrentUserPrefix + Practice.Users.CurrentUser);
}

void TForm5::Button4Click(TObject* Sender) { Close(); }
