#include "practice/main/Unit2.h"

const TClassInfo& TForm2::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm2>("TForm2", &TForm::StaticClass()).Build();
  return info;
}

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  ReadDefinition();
  Bind(Button1, "Button1");
  // Each use of the menu item makes another box; it goes when closed.
  OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
}

std::any TForm2::MethodAddress(const std::string& name) const {
  using M = TMethodTable<TForm2>;
  static const M table = {M::Method("Button1Click", &TForm2::Button1Click)};
  return table.Find(const_cast<TForm2*>(this), name);
}

void TForm2::Button1Click(TObject* Sender) { Close(); }
