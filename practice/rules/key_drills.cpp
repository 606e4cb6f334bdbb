// Single-key drills and letter games: key checks, window keys, the moving symbol.
#include "practice/rules/practice_session.h"

namespace {
char ToUpper(char k) { return k >= 'a' && k <= 'z' ? static_cast<char>(k - 32) : k; }
char ToLower(char k) { return k >= 'A' && k <= 'Z' ? static_cast<char>(k + 32) : k; }
}  // namespace

TFeedback TPracticeSession::FormKeyPress(char& key) {
  TFeedback fb;
  const int t = type_;
  if (screen_.Phase != TRunPhase::Running) return fb;
  if (IsDrillType(t)) {
    if (t == 0) key = ToUpper(key);
    if (t == 1) key = ToLower(key);
    const std::string typed(1, key);
    int n = 1;
    while (n <= 4 && items_.DrillSymbols[n] != typed) ++n;
    if (n > 4) {
      ++counters_.ErrorCount;
      return fb;
    }
    fb.HitSound = true;
    ++counters_.KeyHits;
    char c = DrawSymbol(random_, t == 2, t == 0, key);
    fb.SetEdit1Text = true;
    items_.DrillSymbols[n] = std::string(1, c);
    screen_.Big[n].Color = TLabelColor::Red;  // the flash's end shows the new symbol
    screen_.Flash[n] = true;
    return fb;
  }
  if (IsGameType(t)) {
    if (t == 17) key = ToUpper(key);
    if (std::string(1, key) != screen_.Label15.Caption) {
      ++counters_.ErrorCount;
      return fb;
    }
    fb.HitSound = true;
    ++counters_.KeyHits;
    char c = DrawSymbol(random_, t == 18, true, key);
    fb.SetEdit1Text = true;
    screen_.Label15.Caption = std::string(1, c);
    screen_.Label15Left = gameStartLeft_;
  }
  return fb;
}

TFeedback TPracticeSession::FormKeyDown(unsigned short& key, unsigned shift) {
  TFeedback fb;
  if (key == kVkTab) {
    // RadioGroup1 is hidden during a run and cannot take the focus.
    if (screen_.Phase == TRunPhase::Idle) fb.Action = TWindowAction::FocusRadioGroup1;
    return fb;
  }
  if (key == kVkEscape && screen_.Phase != TRunPhase::Idle) fb.Action = EscapeKey(key, shift);
  return fb;
}

TFeedback TPracticeSession::Timer7Timer(int trackBarPosition) {
  TFeedback fb;
  if (!screen_.Timer7 || !IsGameType(type_)) return fb;
  int position = trackBarPosition < 1 ? 1 : (trackBarPosition > 10 ? 10 : trackBarPosition);
  if (screen_.Label15Left > 10) {
    screen_.Label15Left -= 15 - position;
    return fb;
  }
  // Reached the left edge untyped: no error, a new symbol at the right.
  screen_.Label15Left = gameStartLeft_;
  char current = screen_.Label15.Caption.empty() ? 0 : screen_.Label15.Caption[0];
  screen_.Label15.Caption = std::string(1, DrawSymbol(random_, type_ == 18, true, current));
  return fb;
}
