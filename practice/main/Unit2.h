#pragma once
// The about box.
#include "toolkit/win/toolkit.h"

class TForm2 : public TForm {
  TK_CLASS(TForm2)
public:
  explicit TForm2(TComponent* owner);
  TButton* Button1;
  void Button1Click(TObject* Sender);
  std::any MethodAddress(const std::string& name) const override;
};
