#pragma once
// The main window: the practice screen with its controls, menus and timers.
#include "practice/rules/practice_session.h"
#include "skin/win/data/skin_data.h"
#include "toolkit/win/toolkit.h"
#include "toolkit/win/window_proc_layer.h"

#include "practice/main/hint_threads.h"
#include "practice/main/registry_settings.h"
#include "practice/main/score_store.h"

class TForm1 : public TForm {
  TK_CLASS(TForm1)
public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;

  // Controls, bound by name from the form definition.
  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
  TLabel *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17;
  TImage* Image1;
  TButton *Button1, *Button2, *Button4, *Button5, *Button6;
  TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7;
  TRadioGroup *RadioGroup1, *RadioGroup2;
  TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
  TTrackBar* TrackBar1;
  TComboBox* ComboBox1;
  TRichEdit *RichEdit1, *RichEdit2, *RichEdit3, *RichEdit4, *RichEdit5, *RichEdit6;
  TMediaPlayer* MediaPlayer1;
  TSkinData* SkinData1;
  TTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5, *Timer6, *Timer7, *Timer8;
  TPopupMenu *PopupMenu1, *PopupMenu2;
  TMenuItem *N1, *N2, *N3, *N4, *N861, *N5, *N6, *N7, *N8, *N9;

  // Start-up and shut-down.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

  // The practice run and its keys.
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void RadioGroup1Click(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char& Key);
  void Edit1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit1KeyPress(TObject* Sender, char& Key);
  void Edit2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit3KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit4KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit5KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit6KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit7KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit2KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit3KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit4KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit5KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit6KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Edit7KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void Timer3Timer(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  void Timer5Timer(TObject* Sender);
  void Timer6Timer(TObject* Sender);
  void Timer7Timer(TObject* Sender);
  void Timer8Timer(TObject* Sender);

  // Article types (Unit1_articles.cpp): the chooser, the rows' clipboard
  // guards, and the results the hint thread of the run hands in.
  void ListArticleFiles(int Kind);
  void Edit2ClipboardGuard(TMessage& Message);
  void Edit3ClipboardGuard(TMessage& Message);
  void Edit4ClipboardGuard(TMessage& Message);
  void Edit5ClipboardGuard(TMessage& Message);
  void Edit6ClipboardGuard(TMessage& Message);
  void Edit7ClipboardGuard(TMessage& Message);
  void ShowPinyinHint(int run, const TPinyinHint& hint);
  void ShowWubiHint(int run, const TWubiHint& hint);
  // HintThreadState of the running hint thread: 2 idle, 1 busy, 0 no thread.
  int HintThreadState() const;
  bool ClipboardGuardsInstalled() const { return guardsInstalled_ && !removeGuardsPending_; }
  // The session's row room from the layout and the shown rows' font.
  void UpdateRowRoom();

  // Feedback settings and music.
  void Timer2Timer(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CheckBox2Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  void CheckBox4Click(TObject* Sender);
  void TrackBar1Change(TObject* Sender);
  // The user dialog changed the user list or the current user: the caption
  // shows the current user and both are stored at once.
  void UsersChanged();

  // Sounds, music and pictures. The sounds tell whether they were handed to
  // the system (false: switched off, or no such sound).
  void PlayBackgroundMusic(const std::string& FileName);
  bool PlayHitSound();
  bool PlayErrorSound();
  bool PlayPronunciation(const std::string& SoundName);
  bool ShowWubiPicture(int Number);

  // Window layout, menus and the about box.
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void N1Click(TObject* Sender);
  void N2Click(TObject* Sender);
  void N3Click(TObject* Sender);
  void N4Click(TObject* Sender);
  void N861Click(TObject* Sender);
  void N5Click(TObject* Sender);
  void N6Click(TObject* Sender);
  void N7Click(TObject* Sender);
  void N8Click(TObject* Sender);
  void N9Click(TObject* Sender);
  void SysCommandHandler(TMessage& Message);

  std::any MethodAddress(const std::string& name) const override;
  void WndProc(TMessage& m) override;

private:
  void BindControls();
  void ApplyWindowLayout();
  void ApplyFullScreenLayout();
  // Where the game symbol starts for a layout that places it at `left`.
  int GameStartLeftFor(int left) const;
  bool PlayWav(const std::string& name);
  bool MusicWanted() const;
  // Stores a check box's switch: a checked box turns its feature off (0).
  void StoreSwitch(TCheckBox* box, const char* valueName, int& switchValue);
  void ApplySettingsToControls();
  void OpenHelpFile(const std::string& name);
  // The practice rules: every run handler asks the session, then mirrors its
  // screen onto the controls and carries out its one-off effects.
  TRunChoices Choices() const;
  void MirrorScreen();
  std::string label6Text_;  // the session's text Label6 shows, broken into lines
  void Apply(const TFeedback& feedback);
  void ApplyMusic(const TFeedback& feedback);
  // The article rows: mirrored screen, one-off effects, guards and thread.
  void MirrorArticleScreen();
  void ApplyArticle(const TFeedback& feedback);
  void ShowArticlePage();
  void ColourRow(int row, const std::vector<TColourRun>& changes);
  void InstallClipboardGuards();
  void RemoveClipboardGuards();
  void ClipboardGuard(int row, TMessage& Message);
  void StartHintThread();
  void StopHintThread();
  void ArticleKeyUp(int row);
  void ArticleKeyDown(int row, WORD& Key, TShiftState Shift);
  void ShowArticleChooser(bool idle);
  TEdit* InputRow(int row) const;
  TRichEdit* ShownRow(int row) const;
  TWindowProcLayer guardLayers_[7];  // over the input rows while guarded (any other layer may come off first)
  bool guardsInstalled_ = false;
  int guardDepth_ = 0;  // guard calls under way
  bool removeGuardsPending_ = false;
  std::unique_ptr<THintThread> hintThread_;
  int RowCharacterWidth(unsigned code) const;
  HFONT measuredFont_ = nullptr;  // the font the row room's widths are of

  // The settings key stays open from start-up to shut-down.
  std::unique_ptr<TSettingsKey> settingsKey_;
  void StoreInterval(int position);
  RECT windowPlace_{};  // the window's place before full screen (empty: none)

public:
  // Made once the dictionaries are loaded (start-up).
  std::unique_ptr<TPracticeSession> Session;
};

extern TForm1* Form1;
