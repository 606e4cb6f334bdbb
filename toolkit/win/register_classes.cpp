#include "toolkit/win/application.h"
#include "toolkit/win/std_controls.h"

void RegisterToolkitClasses() {
  RegisterComponentClass(TForm::StaticClass());
  RegisterComponentClass(TLabel::StaticClass());
  RegisterComponentClass(TEdit::StaticClass());
  RegisterComponentClass(TRichEdit::StaticClass());
  RegisterComponentClass(TButton::StaticClass());
  RegisterComponentClass(TCheckBox::StaticClass());
  RegisterComponentClass(TRadioButton::StaticClass());
  RegisterComponentClass(TRadioGroup::StaticClass());
  RegisterComponentClass(TComboBox::StaticClass());
  RegisterComponentClass(TListBox::StaticClass());
  RegisterComponentClass(TTrackBar::StaticClass());
  RegisterComponentClass(TGroupBox::StaticClass());
  RegisterComponentClass(TPanel::StaticClass());
}
