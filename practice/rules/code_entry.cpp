// The answer box of the code types: forming a code, hits and misses, the
// F1-F4 hints and the delayed second syllable.
#include "practice/rules/practice_session.h"
#include "toolkit/base/sysutils.h"

namespace {
bool Accepted(char k) {
  return k == 8 || k == ' ' || k == '.' || (k >= 'A' && k <= 'Z') || (k >= 'a' && k <= 'z');
}
bool SpaceSubmitted(int t) { return (t >= 3 && t <= 6) || t == 8 || t == 9 || t == 13 || t == 14; }
bool WubiSubmitted(int t) { return t == 10 || t == 11 || t == 15 || t == 16; }
bool FourthKeySubmits(int t) { return t == 10 || t == 16; }
bool RootType(int t) { return t == 7 || t == 12; }
std::string WithWord(const std::string& code, const std::string& word) { return code + "(" + word + ")"; }
// Alternatives a pinyin group holds: two, three in groups 18 and 19.
int GroupSize(int g) { return g >= 18 ? 3 : 2; }
// The types whose F-key hint nothing shown after a hit replaces.
bool HintOnlyByKey(int t) { return t == 3 || t == 5 || (t >= 12 && t <= 16); }
}  // namespace

TFeedback TPracticeSession::Edit1KeyPress(char& key, const std::string& edit1Text) {
  TFeedback fb;
  const int t = type_;
  if (screen_.Phase != TRunPhase::Running || !IsCodeType(t)) return fb;
  if (!Accepted(key)) key = 0;
  std::string box = edit1Text;
  std::string code;
  auto setBox = [&](const std::string& text) {
    box = text;
    fb.SetEdit1Text = true;
    fb.Edit1Text = text;
  };
  if (key == '.') setBox(std::string());
  if (SpaceSubmitted(t) && key == ' ') {
    code = UpperCase(Trim(box));
    setBox(std::string());
  } else if (WubiSubmitted(t)) {
    if (key == ' ') {
      code = LowerCase(Trim(box));
      setBox(std::string());
    } else if (FourthKeySubmits(t) && box.size() == 3) {
      code = LowerCase(Trim(box + key));
      setBox(std::string());
      key = 0;  // the key belongs to the submitted code, not to the next one
    }
  } else if (RootType(t) && key != 0) {
    code = UpperCase(std::string(1, key));
    if (key != 8) setBox(std::string(1, key));
  }
  if (code.empty()) return fb;

  int n = FindCodeHit(code);
  if (n == 0) {
    ++counters_.ErrorCount;
    return fb;
  }
  const char typed = key;
  key = 0;
  CodeHit(n, typed, fb);
  if (RootType(t)) {
    if (typed != 8) setBox(std::string(1, typed));
  } else {
    setBox(std::string());
  }
  return fb;
}

int TPracticeSession::FindCodeHit(const std::string& code) const {
  const TPracticeItems& it = items_;
  const int t = type_;
  const int count = ItemCountOfType(t);
  if (t == 3) {
    int hit = 0;
    for (int n = 1; n <= 4; ++n)
      if (UpperCase(it.PinyinItems[n].Pinyin) == code) hit = n;  // the last equal item wins
    if (hit) return hit;
    // The other readings of each item's own character.
    for (int n = 1; n <= 4; ++n) {
      int g = PinyinGroupOfRecord(it.PinyinItems[n].RecordNo);
      if (g == 0) continue;
      const svlcharsetpy2& group = dicts_.PinyinGroups[g];
      for (int k = 1; k <= GroupSize(g); ++k)
        if (!group.Pinyins[k].empty() && UpperCase(group.Pinyins[k]) == code) return n;
    }
    return 0;
  }
  for (int n = 1; n <= count; ++n) {
    bool equal = false;
    switch (t) {
      case 4: case 5: case 6:
        equal = UpperCase(t == 4 ? it.PinyinItems[n].Pinyin : it.PinyinPhraseItems[n].Pinyin) == code;
        break;
      case 7: case 12: equal = it.RootItems[n].Key == code; break;
      case 8: case 13: equal = it.Level1Items[n].Key == code; break;
      case 9: case 14: equal = it.Level2Items[n].Code == code; break;
      case 10: case 15:
        for (int k = 1; k <= 4 && !equal; ++k) equal = it.WubiCharItems[n].Codes[k] == code;
        break;
      case 11: case 16: equal = it.WubiPhraseItems[n].Code == code; break;
      default: break;
    }
    if (equal) return n;
  }
  return 0;
}

void TPracticeSession::CodeHit(int n, char key, TFeedback& fb) {
  const int t = type_;
  TPracticeItems drawn = items_;
  drawer_.Replace(t, n, drawn);  // may throw: then nothing has changed
  items_ = drawn;
  const int label = LabelOfItem(t, n);
  fb.HitSound = true;
  screen_.Big[label].Color = TLabelColor::Red;
  screen_.Flash[label] = true;
  ++counters_.CodeHits;
  TPracticeScreen& s = screen_;
  const TPracticeItems& it = items_;
  const int next = n % 4 + 1;
  // The F-key hint of the item typed goes with it.
  if (HintOnlyByKey(t) && codeHintItem_ == n) {
    s.Label5.Caption.clear();
    s.Label8.Caption.clear();
    fb.ClearPicture = t == 14 || t == 15;
    codeHintItem_ = 0;
  }
  switch (t) {
    case 3:
      for (int i = 1; i <= 4; ++i) s.Small[i].Caption.clear();
      break;
    case 5:
      s.Small[1].Caption.clear();
      s.Small[3].Caption.clear();
      break;
    case 7:
      s.Label5.Caption = UpperCase(it.RootItems[next].Key);
      s.Label8.Caption = it.RootItems[next].Root;
      break;
    case 8:
      s.Label5.Caption = UpperCase(it.Level1Items[next].Key);
      s.Label8.Caption = it.Level1Items[next].Character;
      break;
    case 9:
      s.Label5.Caption = it.Level2Items[next].Code;
      fb.ShowPicture = true;
      fb.PictureNo = it.Level2Items[next].PictureNo;
      break;
    case 10:
      s.Label5.Caption = it.WubiCharItems[next].Codes[1];
      fb.ShowPicture = true;
      fb.PictureNo = it.WubiCharItems[next].PictureNo;
      break;
    default:
      break;
  }
}

TFeedback TPracticeSession::Edit1KeyDown(unsigned short& key, unsigned shift) {
  TFeedback fb;
  if (key == kVkEscape) {
    if (screen_.Phase == TRunPhase::Idle) return fb;
    fb.Action = EscapeKey(key, shift);
    return fb;
  }
  if (key >= kVkF1 && key <= kVkF4 && screen_.Phase == TRunPhase::Running && IsCodeType(type_)) {
    int n = key - kVkF1 + 1;
    if (n <= ItemCountOfType(type_)) CodeHint(n, fb);
  }
  return fb;
}

void TPracticeSession::CodeHint(int n, TFeedback& fb) {
  TPracticeScreen& s = screen_;
  TPracticeItems& it = items_;
  codeHintItem_ = n;
  switch (type_) {
    case 3: {
      svlcharsetpy& item = it.PinyinItems[n];
      TLabelState& small = s.Small[n];
      s.Label8.Caption = item.Character;
      int g = PinyinGroupOfRecord(item.RecordNo);
      if (g == 0) {
        s.Label8.Caption = WithWord(item.Pinyin, item.Character);
        small.Caption = item.HintSpelling;
        fb.Pronounce = item.SoundName;
        break;
      }
      const svlcharsetpy2& group = dicts_.PinyinGroups[g];
      int size = GroupSize(g);
      int c = item.HintCycle >= 1 && item.HintCycle <= size ? item.HintCycle : 1;
      s.Label8.Caption = WithWord(group.Pinyins[c], item.Character);
      small.Caption = group.HintSpellings[c];
      fb.Pronounce = group.SoundNames[c];
      item.HintCycle = static_cast<std::int16_t>(c >= size ? 1 : c + 1);
      break;
    }
    case 4: {
      const svlcharsetpy& item = it.PinyinItems[n];
      s.Label8.Caption = WithWord(item.Pinyin, item.Character);
      for (int i = 1; i <= 4; ++i) s.Small[i].Caption = i == n ? item.HintSpelling : std::string();
      fb.Pronounce = item.SoundName;
      break;
    }
    case 5: case 6: {
      const svlcharsetpyTwo& item = it.PinyinPhraseItems[n];
      s.Label5.Caption = WithWord(item.Pinyin, item.Phrase);
      s.Small[1].Caption = n == 1 ? item.HintSpelling : std::string();
      s.Small[3].Caption = n == 2 ? item.HintSpelling : std::string();
      fb.Pronounce = item.SoundNames[1];
      speechSelector_ = n;
      s.Timer8 = true;
      break;
    }
    case 7: case 12:
      s.Label5.Caption = it.RootItems[n].Key;
      s.Label8.Caption = it.RootItems[n].Root;
      break;
    case 8: case 13:
      s.Label5.Caption = it.Level1Items[n].Key;
      s.Label8.Caption = it.Level1Items[n].Character;
      break;
    case 9: case 14:
      s.Label5.Caption = it.Level2Items[n].Code;
      fb.ShowPicture = true;
      fb.PictureNo = it.Level2Items[n].PictureNo;
      break;
    case 10: case 15: {
      svlcharset& item = it.WubiCharItems[n];
      int c = item.HintCycle >= 1 && item.HintCycle <= 4 ? item.HintCycle : 1;
      s.Label5.Caption = item.Codes[c];
      item.HintCycle = static_cast<std::int16_t>(c > 3 ? 1 : c + 1);
      fb.ShowPicture = true;
      fb.PictureNo = item.PictureNo;
      break;
    }
    case 11: case 16:
      s.Label5.Caption = WithWord(it.WubiPhraseItems[n].Code, it.WubiPhraseItems[n].Word);
      break;
    default:
      break;
  }
}

TFeedback TPracticeSession::Timer8Timer() {
  TFeedback fb;
  if (!screen_.Timer8) return fb;
  if (type_ == 5 || type_ == 6) {
    int n = speechSelector_ == 2 ? 2 : 1;
    fb.Pronounce = items_.PinyinPhraseItems[n].SoundNames[2];
  }
  screen_.Timer8 = false;
  return fb;
}
