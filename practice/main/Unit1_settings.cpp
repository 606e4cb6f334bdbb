// The settings the window changes: the four switch boxes, the flash-time track
// bar and the user list. Each is written to the registry when it changes, so
// a program that is killed keeps them.
#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"

void TForm1::StoreSwitch(TCheckBox* box, const char* valueName, int& switchValue) {
  switchValue = box->GetChecked() ? 0 : 1;
  // The switch holds for this run even when it cannot be stored.
  if (settingsKey_) settingsKey_->WriteInteger(valueName, switchValue);
}

void TForm1::CheckBox1Click(TObject* Sender) {
  StoreSwitch(CheckBox1, PlayMp3Value, Practice.Settings.MusicOn);
  PlayBackgroundMusic("Test1.mp3");
}
void TForm1::CheckBox2Click(TObject* Sender) { StoreSwitch(CheckBox2, PlayWavValue, Practice.Settings.KeySoundsOn); }
void TForm1::CheckBox3Click(TObject* Sender) {
  StoreSwitch(CheckBox3, PlayPYWavValue, Practice.Settings.PronunciationOn);
}
void TForm1::CheckBox4Click(TObject* Sender) { StoreSwitch(CheckBox4, PYOldTipValue, Practice.Settings.OldPinyinHint); }

void TForm1::TrackBar1Change(TObject* Sender) {
  const int position = TrackBar1->GetPosition();
  TrackBar1->SetSelEnd(position);
  Label9->SetCaption(IntToStr(position * 100) + "毫秒");
  for (TTimer* t : {Timer3, Timer4, Timer5, Timer6}) t->SetInterval(position * 100);
  StoreInterval(position);
}

void TForm1::StoreInterval(int position) {
  TSettings& settings = Practice.Settings;
  if (!settings.Loaded || position == settings.Interval) return;
  settings.Interval = position;
  if (settingsKey_) settingsKey_->WriteInteger(IntervalValue, position);
}

void TForm1::UsersChanged() {
  SetCaption(UserCaption(Practice.DesignCaption, Practice.Users.CurrentUser));
  if (settingsKey_) WriteUserSettings(*settingsKey_, Practice.Users);
}
