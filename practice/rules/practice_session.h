#pragma once
// One practice run at a time: the state behind the main window's start button,
// clock, flash timers, answer box, window keys and game timer. Each handler
// returns the one-off effects; Screen() holds the control states to mirror.
#include <functional>
#include <string>

#include "practice/data/dict_load.h"
#include "practice/data/score.h"
#include "practice/data/user_list.h"
#include "practice/rules/article_text.h"
#include "practice/rules/hint_lookup.h"
#include "practice/rules/items.h"
#include "practice/rules/practice_screen.h"
#include "practice/rules/practice_types.h"
#include "practice/rules/random_source.h"
#include "practice/rules/run_stats.h"

// Shift-state bits as the toolkit's key events pass them.
const unsigned kShiftBit = 1, kAltBit = 2, kCtrlBit = 4;
const unsigned short kVkBack = 8, kVkTab = 9, kVkEscape = 27, kVkDelete = 46, kVkF1 = 112, kVkF4 = 115;

// The choices read at a start: RadioGroup1's, RadioGroup2's and the article
// chooser's item index (-1 none), and the chosen item's text.
struct TRunChoices {
  int Type = -1;
  int LengthItem = -1;
  int ArticleItem = -1;
  std::string ArticleChoice;
};

class TPracticeSession {
public:
  TPracticeSession(const TDictionaries& dicts, TRandomSource& random, int gameStartLeft);

  // Settings and data the window keeps up to date.
  int OldPinyinHint = 1;
  const TUserList* Users = nullptr;  // CurrentUser names the score record
  TScoreTable* Scores = nullptr;     // where finished runs are appended
  std::function<TScoreTime()> Clock = LocalScoreTime;
  // Seconds on a clock that never goes back: the time a run is used.
  std::function<double()> Stopwatch = SteadySeconds;

  // 1 while no run goes and during drills and code types; 0 in games and
  // articles (PlayBackgroundMusic reads it).
  int MusicAllowed = 1;

  // Start, pause or continue by Button1's caption.
  TFeedback Button1Click(const TRunChoices& choices);
  // End of a run (Esc, article end).
  TFeedback Button2Click();
  // The one-second clock.
  TFeedback Timer1Timer();
  // Flash end of item n = 1..4 (Timer3..Timer6).
  TFeedback FlashTimer(int n);
  // The answer box of the code types; `key` may be replaced (0 swallows it).
  TFeedback Edit1KeyPress(char& key, const std::string& edit1Text);
  TFeedback Edit1KeyDown(unsigned short& key, unsigned shift);
  // The delayed second syllable of the phrase hints.
  TFeedback Timer8Timer();
  // Single keys of the drills and games (the window's key preview).
  TFeedback FormKeyPress(char& key);
  TFeedback FormKeyDown(unsigned short& key, unsigned shift);
  // One step of the game symbol; `trackBarPosition` 1..10.
  TFeedback Timer7Timer(int trackBarPosition);

  // Article types (article_rows.cpp). The window keeps the row room (the
  // layout's MaxRowLength in MaxBytes, the shown row's width and font) and the
  // chooser's list up to date, and tells of a new room during a run; each
  // input row hands over its key events; the hint threads hand in their
  // results, which count only for their own run and the characters to type next.
  TRowRoom RowRoom;
  TFeedback RowRoomChanged();
  void SetArticleList(TArticleList list) { articleList_ = std::move(list); }
  const TArticleList& ArticleList() const { return articleList_; }
  TFeedback ArticleKeyUp(int row, const std::string& typed);
  TFeedback ArticleKeyDown(int row, unsigned short& key, unsigned shift);
  TFeedback ShowPinyinHint(int run, const TPinyinHint& hint);
  TFeedback ShowWubiHint(int run, const TWubiHint& hint);
  const TArticlePage& Page() const { return page_; }
  const TReadingWalk& Readings() const { return readings_; }
  int DigitPageResult() const { return digitPageResult_; }
  // Counts the runs started: a hint thread's results name their run.
  int RunNumber() const { return runNumber_; }

  const TPracticeScreen& Screen() const { return screen_; }
  const TRunCounters& Counters() const { return counters_; }
  TArticleCounters& ArticleCounters() { return article_; }
  const TPracticeItems& Items() const { return items_; }
  int RunType() const { return type_; }
  int PhraseSpeechSelector() const { return speechSelector_; }
  // Where the game symbol starts (Label15's left): set by the window layout.
  int GameStartLeft() const { return gameStartLeft_; }
  void SetGameStartLeft(int left);

private:
  TFeedback Start(const TRunChoices& choices);
  TFeedback Pause();
  TFeedback Continue();
  void EndRun(TFeedback& fb, bool byClock);
  void PrepareType(TFeedback& fb);
  void PinyinHintVisibility();
  void PhraseHintVisibility();
  void ShowItemCaptions();
  std::string ItemCaption(int n) const;
  void EscapeScreen();
  // Esc in a run: the screen cleared, the key swallowed; Shift+Esc pauses or
  // continues, any other Esc ends the run.
  TWindowAction EscapeKey(unsigned short& key, unsigned shift);
  void CodeHit(int n, char key, TFeedback& fb);
  int FindCodeHit(const std::string& code) const;
  void CodeHint(int n, TFeedback& fb);
  std::string Suffix() const;
  void PrepareArticle(TFeedback& fb);
  void EndArticle(TFeedback& fb);
  int LoadNextRows(TFeedback& fb);
  int FillRandomDigitRows(TFeedback& fb);
  void ShowPage(TFeedback& fb);
  // The next page; false when the run has no more (the article is all cut, or
  // the digit article is past its limit).
  bool NextPage(TFeedback& fb);
  void ShowDigitPage(TFeedback& fb);
  // Row `row` is typed whole: its counts join the run's (its CR LF counts as
  // typed right) and the next row with text to type takes the focus (a bare
  // line end passes at once, counting nothing); after the page's last row
  // with text comes the next page, or the end of the run.
  void CompleteRow(int row, TFeedback& fb);
  // The article's units: characters in 拼音文章 and 五笔文章, else bytes.
  bool CountsCharacters() const { return type_ == 21 || type_ == 22; }
  // The hint shown answers the characters of `row` from byte `pos` on (none
  // for row 0): another one is cleared and the new one asked for.
  void WantHint(int row, std::size_t pos, TFeedback& fb);
  void OfferWantedHint(TFeedback& fb);
  void ClearArticleHint(TFeedback& fb);
  bool HintResultCounts(int run, int type, const THintRequest& request) const;
  // The time used until now, never less than the clock has counted.
  double TimeUsed() const;

  const TDictionaries& dicts_;
  TRandomSource& random_;
  TItemDrawer drawer_;
  int gameStartLeft_;
  int type_ = -1;
  int speechSelector_ = 1;
  std::string articleChoice_;
  int articleItem_ = -1;
  TPracticeScreen screen_;
  TRunCounters counters_;
  TArticleCounters article_;
  TPracticeItems items_;
  TArticleList articleList_;
  TArticleText articleText_;
  TArticlePage page_;
  TRowColouring colouring_[kArticleRows + 1];
  int digitPageResult_ = 0;
  TReadingWalk readings_;
  THintRequest wantedHint_;  // the next characters to type (empty: none)
  THintRequest shownHint_;   // what the hint shown answers (empty: none shown)
  int codeHintItem_ = 0;     // the item the F-key hint shows, 0 none
  int runNumber_ = 0;
  TRunningTime runningTime_;
};

// The big label (1..4) that shows item n of practice type `type`: in the
// phrase types item 2 stands in Label3.
inline int LabelOfItem(int type, int n) { return IsPhraseType(type) && n == 2 ? 3 : n; }
