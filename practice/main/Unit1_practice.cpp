// The practice run, its keys and timers: each handler hands the event to the
// practice session, then shows what the session decided.
#include <memory>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "practice/rules/field_lines.h"
#include "users/Unit3.h"
#include "users/Unit5.h"

// The article named by the chosen item itself: an edited chooser text has no item.
TRunChoices TForm1::Choices() const {
  const int article = ComboBox1->GetItemIndex();
  return TRunChoices{RadioGroup1->GetItemIndex(), RadioGroup2->GetItemIndex(), article,
                     article >= 0 && article < ComboBox1->Items()->Count() ? ComboBox1->Items()->Strings(article)
                                                                        : ComboBox1->GetText()};
}

namespace {
void ShowText(TLabel* label, const TLabelState& state) {
  label->SetCaption(state.Caption);
  label->SetVisible(state.Visible);
  label->SetEnabled(state.Enabled);
}
// The big labels also flash red on a hit.
void ShowLabel(TLabel* label, const TLabelState& state) {
  ShowText(label, state);
  label->GetFont()->SetColor(state.Color == TLabelColor::Red ? clRed : clHighlight);
}
// A wrapped label's text broken only between its fields where the label is
// too narrow for it (the system would break between any two characters);
// `shown` is the text it shows now, measured again only when it changes.
void ShowFields(TLabel* label, const std::string& text, std::string& shown) {
  if (text == shown) return;
  shown = text;
  TScreenCanvas c(*label->GetFont());
  label->SetCaption(BreakBetweenFields(text, label->GetWidth(), [&c](const std::string& t) { return c.TextWidth(t); }));
}
// Setting Enabled again would restart a running timer's period.
void RunTimer(TTimer* timer, bool on) {
  if (timer->GetEnabled() != on) timer->SetEnabled(on);
}
}  // namespace

void TForm1::MirrorScreen() {
  const TPracticeScreen& s = Session->Screen();
  const bool idle = s.Phase == TRunPhase::Idle;
  const bool buttons = s.Phase != TRunPhase::Running;
  for (TControl* c : std::initializer_list<TControl*>{RadioGroup1, RadioGroup2, CheckBox1, CheckBox2, CheckBox3,
                                                      CheckBox4, Label9, Label10, TrackBar1})
    c->SetVisible(idle);
  for (TControl* c : std::initializer_list<TControl*>{Button1, Button4, Button5, Button6}) c->SetVisible(buttons);
  ShowArticleChooser(idle);
  Button1->SetCaption(s.Button1Caption);
  Button2->SetVisible(false);
  Button2->SetEnabled(!idle);

  TLabel* big[] = {nullptr, Label1, Label2, Label3, Label4};
  TLabel* small[] = {nullptr, Label11, Label12, Label13, Label14};
  for (int n = 1; n <= 4; ++n) {
    ShowLabel(big[n], s.Big[n]);
    ShowText(small[n], s.Small[n]);
  }
  ShowText(Label5, s.Label5);
  ShowText(Label8, s.Label8);
  ShowText(Label15, s.Label15);
  Label15->SetLeft(s.Label15Left);
  ShowFields(Label6, s.Label6, label6Text_);
  Label7->SetCaption(s.Label7);
  Label7->SetVisible(s.Label7Visible);
  Edit1->SetVisible(s.Edit1Visible);
  Edit1->SetEnabled(s.Edit1Enabled);
  SetKeyPreview(s.KeyPreview);

  RunTimer(Timer1, s.Timer1);
  TTimer* flash[] = {nullptr, Timer3, Timer4, Timer5, Timer6};
  for (int n = 1; n <= 4; ++n) RunTimer(flash[n], s.Flash[n]);
  RunTimer(Timer7, s.Timer7);
  RunTimer(Timer8, s.Timer8);
  MirrorArticleScreen();
}

void TForm1::ApplyMusic(const TFeedback& fb) {
  // Asking for a sound device is slow on some systems: only when it matters.
  auto allowed = [this] { return MusicWanted() && SoundDeviceExists(); };
  switch (fb.Music) {
    case TMusicRequest::Play: PlayBackgroundMusic(fb.MusicFile); break;
    case TMusicRequest::Stop: PlayBackgroundMusic(""); break;
    case TMusicRequest::Pause:
      if (allowed() && MediaPlayer1->Mode() == mpPlaying) MediaPlayer1->Pause();
      break;
    case TMusicRequest::Resume:
      if (allowed() && MediaPlayer1->Mode() == mpPaused) MediaPlayer1->Resume();
      break;
    case TMusicRequest::None: break;
  }
}

void TForm1::Apply(const TFeedback& fb) {
  if (fb.BringToFront) BringToForeground();
  // A refused start changes nothing; the full-history notice comes with the end.
  const bool refused = !fb.Message.empty() && Session->Screen().Phase == TRunPhase::Idle &&
                       fb.Message != ScoreHistoryFullMessage;
  if (!fb.Message.empty()) ShowMessageBox(fb.Message, "提示", MB_OK | MB_ICONINFORMATION);
  if (refused) return;
  if (Session->Screen().RunStarted) MirrorScreen();
  if (fb.ScoreAppended) StoreLastScore();
  if (fb.ClearPicture) Image1->Picture()->Clear();
  ApplyMusic(fb);
  if (fb.SetEdit1Text) Edit1->SetText(fb.Edit1Text);
  if (fb.HitSound) PlayHitSound();
  if (!fb.Pronounce.empty()) PlayPronunciation(fb.Pronounce);
  if (fb.ShowPicture) ShowWubiPicture(fb.PictureNo);
  if (fb.FocusEdit1) Edit1->SetFocus();
  ApplyArticle(fb);
  switch (fb.Action) {
    case TWindowAction::PauseOrContinue: Button1Click(this); break;
    case TWindowAction::End: Button2Click(this); break;
    case TWindowAction::FocusRadioGroup1: RadioGroup1->SetFocus(); break;
    case TWindowAction::None: break;
  }
}

void TForm1::Button1Click(TObject* Sender) {
  Session->OldPinyinHint = Practice.Settings.OldPinyinHint;  // read at each start
  if (IsArticleType(RadioGroup1->GetItemIndex())) UpdateRowRoom();
  Apply(Session->Button1Click(Choices()));
}
void TForm1::Button2Click(TObject* Sender) { Apply(Session->Button2Click()); }
void TForm1::Timer1Timer(TObject* Sender) { Apply(Session->Timer1Timer()); }
void TForm1::Timer3Timer(TObject* Sender) { Apply(Session->FlashTimer(1)); }
void TForm1::Timer4Timer(TObject* Sender) { Apply(Session->FlashTimer(2)); }
void TForm1::Timer5Timer(TObject* Sender) { Apply(Session->FlashTimer(3)); }
void TForm1::Timer6Timer(TObject* Sender) { Apply(Session->FlashTimer(4)); }
void TForm1::Timer7Timer(TObject* Sender) { Apply(Session->Timer7Timer(TrackBar1->GetPosition())); }
void TForm1::Timer8Timer(TObject* Sender) { Apply(Session->Timer8Timer()); }

void TForm1::Edit1KeyPress(TObject* Sender, char& Key) { Apply(Session->Edit1KeyPress(Key, Edit1->GetText())); }

void TForm1::Edit1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  unsigned short key = Key;
  TFeedback fb = Session->Edit1KeyDown(key, Shift);
  Key = key;
  Apply(fb);
}

void TForm1::FormKeyPress(TObject* Sender, char& Key) { Apply(Session->FormKeyPress(Key)); }

void TForm1::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  unsigned short key = Key;
  TFeedback fb = Session->FormKeyDown(key, Shift);
  Key = key;
  Apply(fb);
}

// The user dialog and the score query.
namespace {
// Each use of the menu makes the dialog afresh and frees it when it closes.
template <class TDialog>
void RunDialog() {
  std::unique_ptr<TDialog> dialog(CreateFormObject<TDialog>(Application));
  dialog->ShowModal();
}
}  // namespace

void TForm1::N7Click(TObject* Sender) { RunDialog<TForm5>(); }
void TForm1::N8Click(TObject* Sender) { RunDialog<TForm3>(); }
