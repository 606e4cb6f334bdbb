#pragma once
// What the practice rules decide about the main window: the state of the
// controls it copies after every call, and the one-off effects of a call.
#include <string>

enum class TRunPhase { Idle, Running, Paused };

enum class TLabelColor { Highlight, Red };  // normal colour, and a hit's flash (255)

struct TLabelState {
  std::string Caption;
  bool Visible = true;
  bool Enabled = true;
  TLabelColor Color = TLabelColor::Highlight;

  void Show(bool on) { Visible = Enabled = on; }
};

// Control states the window mirrors. Idle shows the choices and Button1, Button4,
// Button5, Button6; Running hides them all; Paused shows the four buttons again.
struct TPracticeScreen {
  TRunPhase Phase = TRunPhase::Idle;
  // False until the first run starts: the window keeps its idle screen as designed.
  bool RunStarted = false;
  std::string Button1Caption = "开始";
  TLabelState Big[5];    // Label1..Label4 ([0] unused)
  TLabelState Small[5];  // Label11..Label14
  TLabelState Label5, Label8;
  TLabelState Label15{std::string(), false, false, TLabelColor::Highlight};
  int Label15Left = 0;
  std::string Label6;   // caption line
  std::string Label7;   // statistics line
  bool Label7Visible = false;
  bool Edit1Visible = true;
  bool Edit1Enabled = true;
  bool KeyPreview = false;
  bool Timer1 = false;  // the one-second clock
  bool Flash[5] = {};   // Timer3..Timer6 for items 1..4
  bool Timer7 = false;  // the game's motion
  bool Timer8 = false;  // the delayed second syllable
};

enum class TMusicRequest { None, Play, Stop, Pause, Resume };

// What the window acts on once, after copying the screen.
enum class TWindowAction {
  None,
  PauseOrContinue,   // call Button1Click
  End,               // call Button2Click
  FocusRadioGroup1,  // Tab while no run goes
  PrepareArticle     // an article type started: its rows are prepared elsewhere
};

// The history holds its 1,000,000 records: a finished run is not stored.
inline const char* const ScoreHistoryFullMessage = "打字成绩记录已满（100万条），本次成绩未能保存。请在“查询打字成绩”中删除旧成绩。";

struct TFeedback {
  bool HitSound = false;
  std::string Pronounce;        // a sound name to speak, empty for none
  bool ShowPicture = false;     // ShowWubiPicture(PictureNo)
  int PictureNo = 0;
  bool ClearPicture = false;    // Image1's picture cleared
  TMusicRequest Music = TMusicRequest::None;
  std::string MusicFile;        // for Play: "Test0.mp3" or "Test1.mp3"
  bool BringToFront = false;
  bool FocusEdit1 = false;
  bool SetEdit1Text = false;    // Edit1.Text := Edit1Text
  std::string Edit1Text;
  TWindowAction Action = TWindowAction::None;
  bool ScoreAppended = false;   // the run's record was appended: store it in the file now
  std::string Message;          // a "提示" box with this text: a start refused, or the
                                // history full at the end (the screen still changes)
};
