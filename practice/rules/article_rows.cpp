// The article types: the start of a run with its first page, the rows' key
// releases (comparison, colours, counters, paging, the end) and key presses
// (corrections, Esc, F1 readings), and the results of the hint threads.
#include "practice/rules/practice_session.h"

namespace {
bool HasFile(int type) { return type == 19 || type == 21 || type == 22; }
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
  if (item < 0 || item >= static_cast<int>(articleList_.Paths.size()) || !articleText_.Load(articleList_.Paths[item])) {
    fb.Article.ErrorBox = choice + "文件打开失败！";
    fb.Action = TWindowAction::End;
    return;
  }
  LoadNextRows(fb);
  if (HasHints(type_)) fb.Article.Hints = THintCommand::Start;
}

void TPracticeSession::EndArticle(TFeedback& fb) {
  if (!IsArticleType(type_)) return;
  TArticleScreen& a = screen_.Article;
  a.RowsShown = false;
  a.ActiveRow = 0;
  a.Label16Visible = a.Label17Visible = false;
  a.Label16.clear();
  a.Label17.clear();
  fb.Article.RemoveGuards = true;
  if (HasHints(type_)) fb.Article.Hints = THintCommand::Stop;
  articleText_.Close();
}

void TPracticeSession::ShowPage(TFeedback& fb) {
  for (int k = 1; k <= kArticleRows; ++k) {
    page_.RowLengths[k] = static_cast<int>(page_.Rows[k].size());
    colouring_[k].Reset(page_.Rows[k]);
  }
  fb.Article.ShowPage = true;
  fb.Article.FocusRow = 1;
  screen_.Article.ActiveRow = 1;
}

int TPracticeSession::LoadNextRows(TFeedback& fb) {
  int loaded = 0;
  for (int k = 1; k <= kArticleRows; ++k) {
    page_.Rows[k].clear();
    if (loaded == k - 1) {
      page_.Rows[k] = articleText_.NextRow(MaxRowLength);
      if (!page_.Rows[k].empty()) ++loaded;
    }
  }
  ShowPage(fb);
  if (loaded == 0) articleText_.Close();
  return loaded;
}

int TPracticeSession::FillRandomDigitRows(TFeedback& fb) {
  if (counters_.TotalCount + counters_.ErrorCount > 8000) return 0;
  for (int k = 1; k <= kArticleRows; ++k) page_.Rows[k] = RandomDigitRow(random_, MaxRowLength);
  ShowPage(fb);
  return 6;
}

TFeedback TPracticeSession::ArticleKeyUp(int row, const std::string& typed) {
  TFeedback fb;
  if (screen_.Phase == TRunPhase::Idle || !IsArticleType(type_) || row != screen_.Article.ActiveRow) return fb;
  const std::string& r = page_.Rows[row];
  const int L = page_.RowLengths[row];
  const int len = static_cast<int>(typed.size());
  article_.RowTypedBytes = len;

  if (HasHints(type_) && len < L) {
    fb.Article.Offer = true;
    THintRequest& q = fb.Article.Request;
    q.NextChar = r.substr(len, 2);
    q.NextTwoChars = r.substr(len, 4);
    q.NextThreeChars = r.substr(len, 6);
    q.NextFourChars = r.substr(len, 8);
  }

  // Corrections turn bytes back, down to an empty input.
  fb.Article.ColourRow = row;
  article_.RowErrorBytes = colouring_[row].Compare(typed, fb.Article.ColourChanges);
  if (len > 0 && len <= L && typed[len - 1] != r[len - 1]) fb.Article.ErrorSound = true;

  if (len >= L || len >= MaxRowLength) {
    article_.ArticleErrorBytes += article_.RowErrorBytes;
    article_.ArticleTypedBytes += len;
    article_.RowTypedBytes = article_.RowErrorBytes = 0;
    if (row < kArticleRows) {
      screen_.Article.ActiveRow = row + 1;
      fb.Article.FocusRow = row + 1;
    } else if (type_ == 20) {
      digitPageResult_ = FillRandomDigitRows(fb);
      if (digitPageResult_ == 0) {
        fb.Action = TWindowAction::End;
        return fb;
      }
    } else {
      if (articleText_.UsedUp()) {
        fb.Action = TWindowAction::End;
        return fb;
      }
      LoadNextRows(fb);
    }
  }

  const bool noMoreText = type_ == 20 ? digitPageResult_ == 0 : articleText_.UsedUp();
  if (row < kArticleRows ? page_.RowLengths[row + 1] == 0 && noMoreText
                         : type_ != 20 && page_.RowLengths[1] == 0 && noMoreText)
    fb.Action = TWindowAction::End;
  return fb;
}

TFeedback TPracticeSession::ArticleKeyDown(int row, unsigned short& key, unsigned shift) {
  TFeedback fb;
  if (screen_.Phase == TRunPhase::Idle || !IsArticleType(type_)) return fb;
  if (key == kVkBack || key == kVkDelete) ++article_.CorrectionKeys;
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

bool TPracticeSession::HintResultCounts(int run, int type) const {
  return run == runNumber_ && type == type_ && screen_.Phase != TRunPhase::Idle;
}

TFeedback TPracticeSession::ShowPinyinHint(int run, const TPinyinHint& hint) {
  TFeedback fb;
  if (!HintResultCounts(run, 21)) return fb;
  screen_.Label8.Caption = hint.CodeHintText;
  screen_.Article.Label16 = hint.PhraseHintText;
  readings_ = hint.Readings;
  return fb;
}

TFeedback TPracticeSession::ShowWubiHint(int run, const TWubiHint& hint) {
  TFeedback fb;
  if (!HintResultCounts(run, 22)) return fb;
  screen_.Label5.Caption = hint.CodeHintText;
  screen_.Article.Label16 = hint.PhraseHintText;
  fb.ShowPicture = true;
  fb.PictureNo = hint.PictureNumber;
  return fb;
}
