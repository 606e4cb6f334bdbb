// The article types: the start of a run with its first page, the rows' key
// releases (comparison, colours, counters, paging, the end) and key presses
// (corrections, Esc, F1 readings), and the results of the hint threads.
#include "practice/rules/practice_session.h"

namespace {
bool HasHints(int type) { return type == 21 || type == 22; }
}  // namespace

void TPracticeSession::PrepareArticle(TFeedback& fb) {
  TPracticeScreen& s = screen_;
  TArticleScreen& a = s.Article;
  MusicAllowed = 0;
  fb.Music = TMusicRequest::Stop;
  counters_.CodeHits = counters_.TotalCount = counters_.ErrorCount = 0;
  article_ = TArticleCounters();
  for (int i = 1; i <= 4; ++i) {
    s.Big[i].Show(false);
    s.Small[i].Show(false);
  }
  s.Label5.Show(true);
  s.Label15.Show(false);
  s.Timer7 = false;
  s.Label8.Show(type_ != 22);
  s.Edit1Visible = false;
  a.RowsShown = true;
  a.ActiveRow = 1;
  a.InputImeOpen = HasHints(type_);
  a.Label17Visible = true;
  a.Label16Visible = HasHints(type_);
  a.Label16.clear();
  a.InputsReadOnly = false;
  readings_ = TReadingWalk();
  fb.Article.InstallGuards = true;

  if (type_ == 20) {
    a.Label17 = "随机数字文章";
    articleText_.Close();
    digitPageResult_ = FillRandomDigitRows(fb);
    return;
  }
  const std::string& choice = articleChoice_;
  const std::size_t dot = choice.find('.');
  a.Label17 = dot == std::string::npos ? "第" + choice + "篇:" : "第" + choice.substr(0, dot) + "篇:" + choice.substr(dot + 1);
  const int item = articleItem_;
  const TArticleLoad load = item < 0 || item >= static_cast<int>(articleList_.Paths.size())
                                ? TArticleLoad::Unreadable
                                : articleText_.Load(articleList_.Paths[item]);
  if (load != TArticleLoad::Loaded) {
    fb.Article.ErrorBox = choice + (load == TArticleLoad::TooLarge ? kArticleTooLargeMessage
                                    : load == TArticleLoad::NotText ? kArticleNotTextMessage
                                                                    : "文件打开失败！");
    fb.Action = TWindowAction::End;
    return;
  }
  wantedHint_ = shownHint_ = THintRequest();
  if (LoadNextRows(fb) > 0) {
    if (TypableLength(page_.Rows[1]) == 0) CompleteRow(1, fb);
    else WantHint(1, 0, fb);
  }
  if (page_.RowLengths[1] == 0 || fb.Action == TWindowAction::End) {
    // Nothing to type, not even after the bare line ends.
    fb.Article.ErrorBox = choice + kArticleEmptyMessage;
    fb.Action = TWindowAction::End;
    return;
  }
  if (articleText_.Replaced() > 0) fb.Message = choice + ArticleReplacedMessage(articleText_.Replaced());
  if (HasHints(type_)) fb.Article.Hints = THintCommand::Start;
}

void TPracticeSession::EndArticle(TFeedback& fb) {
  if (!IsArticleType(type_)) return;
  TArticleScreen& a = screen_.Article;
  a.RowsShown = false;
  a.ActiveRow = 0;
  a.Label16Visible = a.Label17Visible = false;
  a.InputsReadOnly = false;
  a.Label16.clear();
  a.Label17.clear();
  fb.Article.RemoveGuards = true;
  if (HasHints(type_)) fb.Article.Hints = THintCommand::Stop;
  articleText_.Close();
}

// A new page is drawn whole: what was worked out for the old one goes with it.
void TPracticeSession::ShowPage(TFeedback& fb) {
  for (int k = 1; k <= kArticleRows; ++k) {
    page_.RowLengths[k] = static_cast<int>(page_.Rows[k].size());
    colouring_[k].Reset(page_.Rows[k]);
  }
  fb.Article.ShowPage = true;
  fb.Article.ColourRow = 0;
  fb.Article.ColourChanges.clear();
  fb.Article.FocusRow = 1;
  screen_.Article.ActiveRow = 1;
}

int TPracticeSession::LoadNextRows(TFeedback& fb) {
  int loaded = 0;
  for (int k = 1; k <= kArticleRows; ++k) {
    page_.Rows[k].clear();
    if (loaded == k - 1) {
      page_.Rows[k] = articleText_.NextRow(RowRoom);
      if (!page_.Rows[k].empty()) ++loaded;
    }
  }
  ShowPage(fb);
  if (loaded == 0) articleText_.Close();
  return loaded;
}

int TPracticeSession::FillRandomDigitRows(TFeedback& fb) {
  if (counters_.TotalCount + counters_.ErrorCount > 8000) return 0;
  ShowDigitPage(fb);
  return 6;
}

void TPracticeSession::ShowDigitPage(TFeedback& fb) {
  for (int k = 1; k <= kArticleRows; ++k) page_.Rows[k] = RandomDigitRow(random_, RowRoom);
  ShowPage(fb);
}

// Rows cut for a wider room than the new one are cut again, from the row
// being typed on (typed again from its start): the rows show whole, and a
// row is done only when all of it is typed.
TFeedback TPracticeSession::RowRoomChanged() {
  TFeedback fb;
  if (screen_.Phase == TRunPhase::Idle || !IsArticleType(type_)) return fb;
  const int active = screen_.Article.ActiveRow;
  std::size_t rest = 0;
  bool fits = true;
  for (int k = active; k <= kArticleRows; ++k) {
    rest += page_.Rows[k].size();
    fits = fits && RowFitsRoom(page_.Rows[k], RowRoom);
  }
  if (fits) return fb;
  article_.RowTyped = article_.RowErrors = 0;
  if (type_ == 20) {
    ShowDigitPage(fb);
  } else {
    articleText_.Rewind(rest);
    LoadNextRows(fb);
  }
  WantHint(1, 0, fb);
  return fb;
}

bool TPracticeSession::NextPage(TFeedback& fb) {
  if (type_ == 20) return (digitPageResult_ = FillRandomDigitRows(fb)) != 0;
  return !articleText_.AllCut() && LoadNextRows(fb) > 0;
}

void TPracticeSession::CompleteRow(int row, TFeedback& fb) {
  for (;;) {
    const int typable = TypableLength(page_.Rows[row]);
    const bool lineOfText = typable > 0 && page_.RowLengths[row] > typable;
    article_.ArticleTyped += article_.RowTyped + (lineOfText ? (CountsCharacters() ? 1 : 2) : 0);
    article_.ArticleErrors += article_.RowErrors;
    article_.RowTyped = article_.RowErrors = 0;
    if (row < kArticleRows && page_.RowLengths[row + 1] > 0) {
      ++row;
    } else if (NextPage(fb)) {
      row = 1;
    } else {
      WantHint(0, 0, fb);
      fb.Action = TWindowAction::End;
      return;
    }
    screen_.Article.ActiveRow = row;
    fb.Article.FocusRow = row;
    if (TypableLength(page_.Rows[row]) > 0) break;
  }
  WantHint(row, 0, fb);
}

// A row is done when every byte before its line end is typed, and only then.
TFeedback TPracticeSession::ArticleKeyUp(int row, const std::string& typed) {
  TFeedback fb;
  if (screen_.Phase != TRunPhase::Running || !IsArticleType(type_) || row != screen_.Article.ActiveRow) return fb;
  const std::string& r = page_.Rows[row];
  const int typable = TypableLength(r);
  const int len = static_cast<int>(typed.size());

  // Corrections turn bytes back, down to an empty input.
  fb.Article.ColourRow = row;
  const TRowTally tally = colouring_[row].Compare(typed, fb.Article.ColourChanges);
  article_.RowTyped = CountsCharacters() ? tally.Chars : tally.Bytes;
  article_.RowErrors = CountsCharacters() ? tally.WrongChars : tally.WrongBytes;
  if (len > 0 && len <= typable && typed[len - 1] != r[len - 1]) fb.Article.ErrorSound = true;

  if (len >= typable) CompleteRow(row, fb);
  else WantHint(row, colouring_[row].NextToType(typed.size()), fb);
  return fb;
}

TFeedback TPracticeSession::ArticleKeyDown(int row, unsigned short& key, unsigned shift) {
  TFeedback fb;
  if (screen_.Phase == TRunPhase::Idle || !IsArticleType(type_)) return fb;
  const bool running = screen_.Phase == TRunPhase::Running;
  if (running && (key == kVkBack || key == kVkDelete)) ++article_.CorrectionKeys;
  if (key == kVkEscape) {
    EscapeScreen();
    key = 0;
    if ((shift & (kShiftBit | kAltBit | kCtrlBit)) == kShiftBit) {
      fb.Action = TWindowAction::PauseOrContinue;
    } else {
      screen_.Article.Label16Visible = false;
      fb.Action = TWindowAction::End;
    }
    return fb;
  }
  std::string label8;
  if (row == 1 && type_ == 21 && key == kVkF1 && readings_.Next(label8)) screen_.Label8.Caption = label8;
  return fb;
}

void TPracticeSession::WantHint(int row, std::size_t pos, TFeedback& fb) {
  if (!HasHints(type_)) return;
  THintRequest want;
  if (row >= 1 && row <= kArticleRows) {
    const std::string& r = page_.Rows[row];
    const std::size_t typable = static_cast<std::size_t>(TypableLength(r));
    auto next = [&](std::size_t bytes) { return pos < typable ? r.substr(pos, std::min(bytes, typable - pos)) : ""; };
    want = {next(2), next(4), next(6), next(8)};
  }
  wantedHint_ = want;
  if (shownHint_ == wantedHint_) return;
  ClearArticleHint(fb);
  OfferWantedHint(fb);
}

// Asked for until it is shown; the thread takes it when it is idle.
void TPracticeSession::OfferWantedHint(TFeedback& fb) {
  if (!HasHints(type_) || wantedHint_.NextChar.empty() || shownHint_ == wantedHint_) return;
  fb.Article.Offer = true;
  fb.Article.Request = wantedHint_;
}

void TPracticeSession::ClearArticleHint(TFeedback& fb) {
  if (shownHint_.NextChar.empty()) return;
  shownHint_ = THintRequest();
  screen_.Article.Label16.clear();
  if (type_ == 21) {
    screen_.Label8.Caption.clear();
    readings_ = TReadingWalk();
  } else {
    screen_.Label5.Caption.clear();
    fb.ClearPicture = true;
  }
}

// A result for other characters than the next ones to type (typed on since,
// or of a row or page gone) is not shown.
bool TPracticeSession::HintResultCounts(int run, int type, const THintRequest& request) const {
  return run == runNumber_ && type == type_ && screen_.Phase != TRunPhase::Idle && request == wantedHint_ &&
         !request.NextChar.empty();
}

TFeedback TPracticeSession::ShowPinyinHint(int run, const TPinyinHint& hint) {
  TFeedback fb;
  if (!HintResultCounts(run, 21, hint.Request)) return fb;
  shownHint_ = hint.Request;
  screen_.Label8.Caption = hint.CodeHintText;
  screen_.Article.Label16 = hint.PhraseHintText;
  readings_ = hint.Readings;
  return fb;
}

TFeedback TPracticeSession::ShowWubiHint(int run, const TWubiHint& hint) {
  TFeedback fb;
  if (!HintResultCounts(run, 22, hint.Request)) return fb;
  shownHint_ = hint.Request;
  screen_.Label5.Caption = hint.CodeHintText;
  screen_.Article.Label16 = hint.PhraseHintText;
  fb.ShowPicture = true;
  fb.PictureNo = hint.PictureNumber;
  return fb;
}
