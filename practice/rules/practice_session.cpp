#include "practice/rules/practice_session.h"

#include <algorithm>

namespace {
const char* const kRunning = "暂停";
const char* const kPaused = "继续";
const char* const kDone = "完";
}  // namespace

TPracticeSession::TPracticeSession(const TDictionaries& dicts, TRandomSource& random, int gameStartLeft)
    : dicts_(dicts), random_(random), drawer_(dicts, random), gameStartLeft_(gameStartLeft) {
  screen_.Label15Left = gameStartLeft;
}

void TPracticeSession::SetGameStartLeft(int left) {
  gameStartLeft_ = left;
  // A symbol in motion goes on from where it is; a resting one moves along.
  if (!screen_.Timer7) screen_.Label15Left = left;
}

std::string TPracticeSession::Suffix() const {
  return PracticeTypeCaption(type_) + ",练习过程按ESC键结束,按Shift+ESC键暂停继续。";
}

TFeedback TPracticeSession::Button1Click(const TRunChoices& choices) {
  if (screen_.Button1Caption == kRunning) return Pause();
  if (screen_.Button1Caption == kPaused) return Continue();
  return Start(choices);
}

TFeedback TPracticeSession::Start(const TRunChoices& choices) {
  TFeedback fb;
  fb.BringToFront = true;
  fb.Message = StartChoiceError(choices.Type, choices.LengthItem, choices.ArticleItem);
  if (!fb.Message.empty()) return fb;

  // A draw that fails leaves everything as it was.
  const TPracticeScreen savedScreen = screen_;
  const TRunCounters savedCounters = counters_;
  const TPracticeItems savedItems = items_;
  const int savedType = type_, savedMusic = MusicAllowed;
  try {
    ++runNumber_;
    type_ = choices.Type;
    articleChoice_ = choices.ArticleChoice;
    articleItem_ = choices.ArticleItem;
    counters_.TestLength = TestLengthOfItem(choices.LengthItem);
    screen_.Label5.Caption.clear();
    fb.ClearPicture = true;
    for (int i = 1; i <= 4; ++i) {
      screen_.Small[i].Caption.clear();
      screen_.Big[i].Color = TLabelColor::Highlight;
    }
    screen_.Phase = TRunPhase::Running;
    screen_.RunStarted = true;
    screen_.Label5.Show(true);
    screen_.Label8.Show(true);
    screen_.Label6 = Suffix();
    screen_.Label7Visible = true;
    screen_.Timer1 = true;
    counters_.ElapsedSeconds = counters_.KeyHits = counters_.CodeHits = 0;
    counters_.TotalCount = counters_.ErrorCount = 0;
    counters_.Accuracy = 0;
    article_ = TArticleCounters();
    codeHintItem_ = 0;
    // A run ended before its first tick reports its own (empty) statistics.
    screen_.Label7 = StatisticsLine(type_, counters_, article_, 0);
    screen_.Edit1Visible = true;
    // What was typed into the box after the last run is no code of this one.
    fb.SetEdit1Text = true;
    fb.Edit1Text.clear();
    PrepareType(fb);
  } catch (...) {
    screen_ = savedScreen;
    counters_ = savedCounters;
    items_ = savedItems;
    type_ = savedType;
    MusicAllowed = savedMusic;
    throw;
  }
  screen_.Button1Caption = kRunning;
  counters_.PausedType = type_;
  runningTime_.Start(Stopwatch());
  return fb;
}

TFeedback TPracticeSession::Pause() {
  TFeedback fb;
  runningTime_.Pause(Stopwatch());
  counters_.PausedType = type_;
  screen_.Phase = TRunPhase::Paused;
  screen_.Timer1 = false;
  screen_.Timer7 = false;  // a paused game's symbol stands still
  screen_.Edit1Enabled = false;
  screen_.Button1Caption = kPaused;
  fb.Music = TMusicRequest::Pause;
  if (IsArticleType(type_)) {
    screen_.Article.Label16Visible = false;
    screen_.Article.InputsReadOnly = true;
    fb.Article.Hints = THintCommand::Pause;
  }
  return fb;
}

TFeedback TPracticeSession::Continue() {
  TFeedback fb;
  runningTime_.Continue(Stopwatch());
  fb.BringToFront = true;
  screen_.Phase = TRunPhase::Running;
  screen_.Edit1Enabled = true;
  screen_.KeyPreview = counters_.PausedType < 3;
  fb.FocusEdit1 = IsCodeType(counters_.PausedType);
  screen_.Timer1 = true;
  screen_.Timer7 = IsGameType(type_);
  screen_.Button1Caption = kRunning;
  fb.Music = TMusicRequest::Resume;
  screen_.Label6 = Suffix();
  // The pause showed "完" in the big labels; the items come back.
  ShowItemCaptions();
  if (IsArticleType(type_)) {
    screen_.Article.Label16Visible = type_ >= 21;
    screen_.Article.Label17Visible = true;
    screen_.Article.InputsReadOnly = false;
    fb.Article.FocusRow = screen_.Article.ActiveRow;
    fb.Article.Hints = THintCommand::Continue;
    OfferWantedHint(fb);  // one refused while paused
  }
  return fb;
}

TFeedback TPracticeSession::Button2Click() {
  TFeedback fb;
  EndRun(fb, false);
  return fb;
}

double TPracticeSession::TimeUsed() const {
  return std::max<double>(runningTime_.Seconds(Stopwatch()), counters_.ElapsedSeconds);
}

// Every key typed until this moment counts, and the time until it.
void TPracticeSession::EndRun(TFeedback& fb, bool byClock) {
  const double used = TimeUsed();
  UpdateStatistics(type_, counters_, article_);
  MusicAllowed = 1;
  fb.Music = TMusicRequest::Play;
  fb.MusicFile = "Test1.mp3";
  fb.BringToFront = !byClock;
  screen_.Phase = TRunPhase::Idle;
  screen_.Edit1Visible = true;
  for (int i = 1; i <= 4; ++i) {
    screen_.Big[i].Show(true);
    screen_.Small[i].Show(true);
  }
  screen_.Label15.Show(false);
  screen_.Timer7 = false;
  screen_.Label7Visible = false;
  EndArticle(fb);
  screen_.Label6 = ResultLine(type_, StatisticsLine(type_, counters_, article_, used));

  if (RunLeavesRecord(used) && Scores) {
    TFinishedRun run;
    run.User = Users ? Users->CurrentUser : std::string();
    run.PracticeType = type_;
    run.TypeCaption = PracticeTypeCaption(type_);
    run.ElapsedSeconds = used;
    run.TotalCount = counters_.TotalCount;
    run.Accuracy = counters_.Accuracy;
    run.ErrorCount = counters_.ErrorCount;
    run.ArticleChoice = articleChoice_;
    run.EndTime = Clock ? Clock() : TScoreTime();
    if (AppendScoreRecord(*Scores, MakeScoreRecord(run))) fb.ScoreAppended = true;
    else fb.Message = ScoreHistoryFullMessage;
  }

  screen_.Label8.Show(false);
  screen_.KeyPreview = false;
  screen_.Timer1 = false;
  // Nothing may replace "完" or speak once the run is over.
  for (bool& flash : screen_.Flash) flash = false;
  screen_.Timer8 = false;
  screen_.Button1Caption = "开始";
  screen_.Edit1Enabled = true;
  fb.SetEdit1Text = true;
  fb.Edit1Text.clear();
  for (int i = 1; i <= 4; ++i) {
    screen_.Small[i].Caption.clear();
    screen_.Big[i].Caption = kDone;
    screen_.Big[i].Color = TLabelColor::Highlight;
  }
  screen_.Label5.Caption.clear();
  screen_.Label8.Caption.clear();
  counters_.ElapsedSeconds = 0;
  runningTime_ = TRunningTime();
  fb.ClearPicture = true;
}

TFeedback TPracticeSession::Timer1Timer() {
  TFeedback fb;
  if (!screen_.Timer1) return fb;
  ++counters_.ElapsedSeconds;
  UpdateStatistics(type_, counters_, article_);
  screen_.Label7 = StatisticsLine(type_, counters_, article_, counters_.ElapsedSeconds);
  if (counters_.ElapsedSeconds >= counters_.TestLength) EndRun(fb, true);
  return fb;
}

void TPracticeSession::EscapeScreen() {
  for (int i = 1; i <= 4; ++i) {
    screen_.Small[i].Caption.clear();
    screen_.Big[i].Caption = kDone;
  }
}

TWindowAction TPracticeSession::EscapeKey(unsigned short& key, unsigned shift) {
  EscapeScreen();
  key = 0;
  return (shift & (kShiftBit | kAltBit | kCtrlBit)) == kShiftBit ? TWindowAction::PauseOrContinue
                                                                 : TWindowAction::End;
}
