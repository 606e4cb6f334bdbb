#include "practice/main/Unit1.h"

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm1>("TForm1", &TForm::StaticClass()).Build();
  return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  RegisterSkinClasses();
  ReadDefinition();
  BindControls();
}

void TForm1::BindControls() {
  TLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9,
                       &Label10, &Label11, &Label12, &Label13, &Label14, &Label15, &Label16, &Label17};
  const int labelNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
  for (int i = 0; i < 17; ++i) Bind(*labels[i], ("Label" + std::to_string(labelNumbers[i])).c_str());
  Bind(Image1, "Image1");
  Bind(Button1, "Button1");
  Bind(Button2, "Button2");
  Bind(Button4, "Button4");
  Bind(Button5, "Button5");
  Bind(Button6, "Button6");
  TEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7};
  for (int i = 0; i < 7; ++i) Bind(*edits[i], ("Edit" + std::to_string(i + 1)).c_str());
  Bind(RadioGroup1, "RadioGroup1");
  Bind(RadioGroup2, "RadioGroup2");
  TCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4};
  for (int i = 0; i < 4; ++i) Bind(*boxes[i], ("CheckBox" + std::to_string(i + 1)).c_str());
  Bind(TrackBar1, "TrackBar1");
  Bind(ComboBox1, "ComboBox1");
  TRichEdit** rows[] = {&RichEdit1, &RichEdit2, &RichEdit3, &RichEdit4, &RichEdit5, &RichEdit6};
  for (int i = 0; i < 6; ++i) Bind(*rows[i], ("RichEdit" + std::to_string(i + 1)).c_str());
  Bind(MediaPlayer1, "MediaPlayer1");
  Bind(SkinData1, "SkinData1");
  TTimer** timers[] = {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &Timer6, &Timer7, &Timer8};
  for (int i = 0; i < 8; ++i) Bind(*timers[i], ("Timer" + std::to_string(i + 1)).c_str());
  Bind(PopupMenu1, "PopupMenu1");
  Bind(PopupMenu2, "PopupMenu2");
  Bind(N1, "N1");
  Bind(N2, "N2");
  Bind(N3, "N3");
  Bind(N4, "N4");
  Bind(N861, "N861");
  Bind(N5, "N5");
  Bind(N6, "N6");
  Bind(N7, "N7");
  Bind(N8, "N8");
  Bind(N9, "N9");
}

std::any TForm1::MethodAddress(const std::string& name) const {
  using M = TMethodTable<TForm1>;
  static const M table = {
      M::Method("FormCreate", &TForm1::FormCreate),
      M::Method("FormClose", &TForm1::FormClose),
      M::Method("FormDestroy", &TForm1::FormDestroy),
      M::Method("FormKeyDown", &TForm1::FormKeyDown),
      M::Method("FormKeyPress", &TForm1::FormKeyPress),
      M::Method("Button1Click", &TForm1::Button1Click),
      M::Method("Button2Click", &TForm1::Button2Click),
      M::Method("Button4Click", &TForm1::Button4Click),
      M::Method("Button5Click", &TForm1::Button5Click),
      M::Method("Button6Click", &TForm1::Button6Click),
      M::Method("Timer1Timer", &TForm1::Timer1Timer),
      M::Method("Timer2Timer", &TForm1::Timer2Timer),
      M::Method("Timer3Timer", &TForm1::Timer3Timer),
      M::Method("Timer4Timer", &TForm1::Timer4Timer),
      M::Method("Timer5Timer", &TForm1::Timer5Timer),
      M::Method("Timer6Timer", &TForm1::Timer6Timer),
      M::Method("Timer7Timer", &TForm1::Timer7Timer),
      M::Method("Timer8Timer", &TForm1::Timer8Timer),
      M::Method("RadioGroup1Click", &TForm1::RadioGroup1Click),
      M::Method("Edit1KeyDown", &TForm1::Edit1KeyDown),
      M::Method("Edit1KeyPress", &TForm1::Edit1KeyPress),
      M::Method("Edit2KeyDown", &TForm1::Edit2KeyDown),
      M::Method("Edit3KeyDown", &TForm1::Edit3KeyDown),
      M::Method("Edit4KeyDown", &TForm1::Edit4KeyDown),
      M::Method("Edit5KeyDown", &TForm1::Edit5KeyDown),
      M::Method("Edit6KeyDown", &TForm1::Edit6KeyDown),
      M::Method("Edit7KeyDown", &TForm1::Edit7KeyDown),
      M::Method("Edit2KeyUp", &TForm1::Edit2KeyUp),
      M::Method("Edit3KeyUp", &TForm1::Edit3KeyUp),
      M::Method("Edit4KeyUp", &TForm1::Edit4KeyUp),
      M::Method("Edit5KeyUp", &TForm1::Edit5KeyUp),
      M::Method("Edit6KeyUp", &TForm1::Edit6KeyUp),
      M::Method("Edit7KeyUp", &TForm1::Edit7KeyUp),
      M::Method("CheckBox1Click", &TForm1::CheckBox1Click),
      M::Method("CheckBox2Click", &TForm1::CheckBox2Click),
      M::Method("CheckBox3Click", &TForm1::CheckBox3Click),
      M::Method("CheckBox4Click", &TForm1::CheckBox4Click),
      M::Method("TrackBar1Change", &TForm1::TrackBar1Change),
      M::Method("N1Click", &TForm1::N1Click),
      M::Method("N2Click", &TForm1::N2Click),
      M::Method("N3Click", &TForm1::N3Click),
      M::Method("N4Click", &TForm1::N4Click),
      M::Method("N861Click", &TForm1::N861Click),
      M::Method("N5Click", &TForm1::N5Click),
      M::Method("N6Click", &TForm1::N6Click),
      M::Method("N7Click", &TForm1::N7Click),
      M::Method("N8Click", &TForm1::N8Click),
      M::Method("N9Click", &TForm1::N9Click),
  };
  return table.Find(const_cast<TForm1*>(this), name);
}

void TForm1::WndProc(TMessage& m) {
  if (m.Msg == WM_SYSCOMMAND) {
    SysCommandHandler(m);
    return;
  }
  TForm::WndProc(m);
}
