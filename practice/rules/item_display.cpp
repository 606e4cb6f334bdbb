// What each practice type shows at a start and when a hit's flash ends.
#include "practice/rules/practice_session.h"

namespace {
std::string WithWord(const std::string& code, const std::string& word) { return code + "(" + word + ")"; }
}  // namespace

std::string TPracticeSession::ItemCaption(int n) const {
  const TPracticeItems& it = items_;
  switch (type_) {
    case 0: case 1: case 2: return it.DrillSymbols[n];
    case 3: case 4: return it.PinyinItems[n].Character;
    case 5: case 6: return it.PinyinPhraseItems[n].Phrase;
    case 7: case 12: return it.RootItems[n].Root;
    case 8: case 13: return it.Level1Items[n].Character;
    case 9: case 14: return it.Level2Items[n].Character;
    case 10: case 15: return it.WubiCharItems[n].Character;
    case 11: case 16: return it.WubiPhraseItems[n].Word;
    default: return std::string();
  }
}

void TPracticeSession::ShowItemCaptions() {
  for (int n = 1; n <= ItemCountOfType(type_); ++n) screen_.Big[LabelOfItem(type_, n)].Caption = ItemCaption(n);
}

void TPracticeSession::PinyinHintVisibility() {
  bool above = OldPinyinHint == 1;
  screen_.Label5.Show(false);
  screen_.Label8.Show(!above);
  for (int i = 1; i <= 4; ++i) screen_.Small[i].Visible = above;
}

void TPracticeSession::PhraseHintVisibility() {
  if (OldPinyinHint == 1) {
    screen_.Label5.Show(false);
    screen_.Label8.Show(false);
    screen_.Small[1].Visible = screen_.Small[3].Visible = true;
  } else {
    screen_.Label5.Show(true);
    screen_.Label8.Show(false);
    for (int i = 1; i <= 4; ++i) screen_.Small[i].Visible = false;
  }
}

void TPracticeSession::PrepareType(TFeedback& fb) {
  TPracticeScreen& s = screen_;
  TPracticeItems& it = items_;
  const int t = type_;
  if (IsDrillType(t)) {
    static const char* const kFirst[3] = {"ABCD", "abcd", "1234"};
    fb.Music = TMusicRequest::Play;
    fb.MusicFile = "Test0.mp3";
    s.KeyPreview = true;
    for (int n = 1; n <= 4; ++n) {
      it.DrillSymbols[n] = std::string(1, kFirst[t][n - 1]);
      s.Big[n].Caption = it.DrillSymbols[n];
    }
    s.Label5.Show(false);
    s.Label8.Show(false);
    s.Edit1Visible = false;
    return;
  }
  if (IsGameType(t)) {
    MusicAllowed = 0;
    fb.Music = TMusicRequest::Stop;
    counters_.KeyHits = 0;
    for (int i = 1; i <= 4; ++i) {
      s.Big[i].Show(false);
      s.Small[i].Show(false);
    }
    s.Label5.Show(false);
    s.Label8.Show(false);
    s.Label15.Show(true);
    s.Label15.Caption = t == 17 ? "A" : "1";
    s.Label15Left = gameStartLeft_;  // not where the last game's symbol stopped
    s.Timer7 = true;
    s.Edit1Visible = false;
    return;
  }
  if (IsArticleType(t)) {
    PrepareArticle(fb);
    return;
  }

  // Code types 3..16.
  fb.Music = TMusicRequest::Play;
  fb.MusicFile = "Test0.mp3";
  counters_.CodeHits = 0;
  fb.FocusEdit1 = true;
  TPracticeItems drawn = it;
  for (int n = 1; n <= ItemCountOfType(t); ++n) drawer_.Replace(t, n, drawn);
  it = drawn;
  ShowItemCaptions();
  switch (t) {
    case 3:
      PinyinHintVisibility();
      break;
    case 4:
      s.Label8.Caption = WithWord(it.PinyinItems[1].Pinyin, it.PinyinItems[1].Character);
      for (int n = 1; n <= 4; ++n) s.Small[n].Caption = it.PinyinItems[n].HintSpelling;
      fb.Pronounce = it.PinyinItems[1].SoundName;
      PinyinHintVisibility();
      break;
    case 5: case 6:
      s.Big[2].Visible = s.Big[4].Visible = false;
      s.Small[2].Visible = s.Small[4].Visible = false;
      if (t == 6) {
        s.Label5.Caption = WithWord(it.PinyinPhraseItems[1].Pinyin, it.PinyinPhraseItems[1].Phrase);
        s.Small[1].Caption = it.PinyinPhraseItems[1].HintSpelling;
        s.Small[3].Caption = it.PinyinPhraseItems[2].HintSpelling;
        fb.Pronounce = it.PinyinPhraseItems[1].SoundNames[1];
        speechSelector_ = 1;
        s.Timer8 = true;
      }
      PhraseHintVisibility();
      break;
    case 7:
      s.Label5.Caption = it.RootItems[1].Key;
      s.Label8.Show(true);
      s.Label8.Caption = it.RootItems[1].Root;
      break;
    case 8:
      s.Label5.Caption = it.Level1Items[1].Key;
      s.Label8.Show(true);
      s.Label8.Caption = it.Level1Items[1].Character;
      break;
    case 9:
      s.Label8.Show(false);
      s.Label5.Caption = it.Level2Items[1].Code;
      fb.ShowPicture = true;
      fb.PictureNo = it.Level2Items[1].PictureNo;
      break;
    case 10:
      s.Label8.Show(false);
      s.Label5.Caption = it.WubiCharItems[1].Codes[1];
      fb.ShowPicture = true;
      fb.PictureNo = it.WubiCharItems[1].PictureNo;
      break;
    case 11:
      s.Big[2].Visible = s.Big[4].Visible = false;
      s.Label8.Show(false);
      s.Label5.Caption = WithWord(it.WubiPhraseItems[1].Code, it.WubiPhraseItems[1].Word);
      break;
    case 12: case 13:
      s.Label5.Caption.clear();
      s.Label8.Caption.clear();
      break;
    case 14: case 15:
      s.Label5.Caption.clear();
      s.Label8.Show(false);
      break;
    case 16:
      s.Big[2].Visible = s.Big[4].Visible = false;
      s.Label8.Show(false);
      break;
    default:
      break;
  }
}

TFeedback TPracticeSession::FlashTimer(int n) {
  TFeedback fb;
  if (n < 1 || n > 4 || !screen_.Flash[n]) return fb;
  TPracticeScreen& s = screen_;
  const TPracticeItems& it = items_;
  s.Big[n].Color = TLabelColor::Highlight;
  s.Flash[n] = false;
  const int t = type_;
  if (t < 0 || t > 16) return fb;
  if (IsPhraseType(t)) {
    if (n != 1 && n != 3) return fb;
    int item = n == 1 ? 1 : 2, other = 3 - item;
    s.Big[n].Caption = ItemCaption(item);
    if (t == 6) {
      s.Small[n].Caption = it.PinyinPhraseItems[item].HintSpelling;
      s.Label5.Caption = WithWord(it.PinyinPhraseItems[other].Pinyin, it.PinyinPhraseItems[other].Phrase);
      fb.Pronounce = it.PinyinPhraseItems[other].SoundNames[1];
      speechSelector_ = other;
      s.Timer8 = true;
    } else if (t == 11) {
      s.Label5.Caption = WithWord(it.WubiPhraseItems[other].Code, it.WubiPhraseItems[other].Word);
    }
    return fb;
  }
  s.Big[n].Caption = ItemCaption(n);
  if (t == 4) {
    int next = n % 4 + 1;
    s.Small[n].Caption = it.PinyinItems[n].HintSpelling;
    s.Small[next].Caption = it.PinyinItems[next].HintSpelling;
    s.Label8.Caption = WithWord(it.PinyinItems[next].Pinyin, it.PinyinItems[next].Character);
    fb.Pronounce = it.PinyinItems[next].SoundName;
  }
  return fb;
}
