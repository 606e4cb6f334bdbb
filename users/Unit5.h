#pragma once
// The user dialog: log in as another user, create a user, delete one.
#include "toolkit/win/toolkit.h"

class TForm5 : public TForm {
  TK_CLASS(TForm5)
public:
  explicit TForm5(TComponent* owner);

  TListBox* ListBox1;
  TLabel *Label1, *Label2;
  TEdit* Edit1;
  TButton *Button1, *Button2, *Button3, *Button4, *Button6;

  void FormCreate(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  std::any MethodAddress(const std::string& name) const override;

private:
  // The main window shows the current user and stores the list.
  void UsersChanged();
};
