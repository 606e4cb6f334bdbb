#pragma once
// Small dictionaries, a scripted random source and a session with its answer
// box, shared by the practice-rule tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "practice/rules/practice_session.h"

// Hands out queued values (mod the range asked for), 0 once they run out.
class TSequenceRandom : public TRandomSource {
public:
  int Random(int range) override { return next_ < values_.size() && range > 0 ? values_[next_++] % range : 0; }
  void Queue(std::initializer_list<int> v) { values_.insert(values_.end(), v); }

private:
  std::vector<int> values_;
  std::size_t next_ = 0;
};

// A pinyin of letters for each PYs record number: 35 -> "qdf".
inline std::string PinyinOf(int r) {
  std::string s = "q";
  for (char c : std::to_string(r)) s += static_cast<char>('a' + (c - '0'));
  return s;
}

inline void AddRecord(TBinaryBuffer& b, int size, std::string rec) {
  rec.resize(std::size_t(size), ' ');
  if (!b.Data.empty()) b.Data.pop_back();
  b.Data.insert(b.Data.end(), rec.begin(), rec.end());
  b.Data.push_back(0);
  ++b.Count;
}

inline TDictionaries TestDictionaries() {
  TDictionaries d;
  for (int r = 1; r <= 42; ++r)
    d.PYsTable.Add({PinyinOf(r), "C" + std::to_string(r), "h" + std::to_string(r), "MyPyWAV" + PinyinOf(r)});
  BuildPinyinGroups(d.PYsTable, d.PinyinGroups);
  d.PYTwoTable.Add({"zhongguo", "中国", "zhong guo", {"", "MyPyWAVzhong1", "MyPyWAVguo2"}});
  d.PYTwoTable.Add({"renmin", "人民", "ren min", {"", "MyPyWAVren2", "MyPyWAVmin2"}});
  for (const char* rec : {"王g", "土f", "大d", "木s"}) AddRecord(d.WbzgBuffer, kWbzgRecordSize, rec);
  for (const char* rec : {"一g", "地f", "在d", "要s"}) AddRecord(d.Wb1Buffer, kWb1RecordSize, rec);
  // Character, code, 4 unread bytes, picture number (the last is no integer).
  for (const char* rec : {"五gg        3501", "于gf          12", "天gd          x1"})
    AddRecord(d.Wb2Buffer, kWb2RecordSize, rec);
  d.WbsTable.Add({{"", "a", "aa", "aaa", "aaaa"}, "工", 0, 11});
  d.WbsTable.Add({{"", "k", "kh", "khk", "khkk"}, "中", 0, 22});
  d.WbsTable.Add({{"", "l", "lg", "lgy", "lgyi"}, "国", 0, 33});
  d.WbTwoTable.Add({"khlg", "中国"});
  d.WbTwoTable.Add({"wqv", "人民"});
  d.WbTwoTable.Add({"abcd", "工程"});
  return d;
}

struct RulesFixture : ::testing::Test {
  TDictionaries dicts = TestDictionaries();
  TSequenceRandom random;
  TUserList users;
  TScoreTable scores;
  TPracticeSession session{dicts, random, 888};
  std::string box;  // Edit1's text
  double now = 0;   // the session's stopwatch
  double tickDue = 1;  // the one-second clock's next tick

  RulesFixture() {
    users.CurrentUser = "bob";
    session.Users = &users;
    session.Scores = &scores;
    session.Clock = [] { return TScoreTime{2026, 12, 9, 6, 30, 3}; };
    session.Stopwatch = [this] { return now; };
  }
  const TPracticeScreen& screen() const { return session.Screen(); }
  const TRunCounters& counters() const { return session.Counters(); }

  // Starts `type` (a 60-minute test) after queueing the start's draws.
  TFeedback Start(int type, std::initializer_list<int> draws = {}, int lengthItem = 4) {
    random.Queue(draws);
    box.clear();
    RestartClock();
    return session.Button1Click({type, lengthItem, -1, ""});
  }
  // Keys into the answer box, as the edit control takes them; the last hit's
  // feedback (or the last key's).
  TFeedback Keys(const std::string& s) {
    TFeedback last;
    for (char k : s) {
      TFeedback fb = session.Edit1KeyPress(k, box);
      if (fb.SetEdit1Text) box = fb.Edit1Text;
      if (k == 8 && !box.empty()) box.pop_back();
      if (k != 8 && k != 0) box += k;
      if (fb.HitSound || !last.HitSound) last = fb;
    }
    return last;
  }
  TFeedback FKey(int n) {
    unsigned short vk = static_cast<unsigned short>(kVkF1 + n - 1);
    return session.Edit1KeyDown(vk, 0);
  }
  // Esc at the answer box or the window, and the click it asks for.
  TFeedback Esc(unsigned shift, bool atForm = false) {
    unsigned short vk = kVkEscape;
    TFeedback fb = atForm ? session.FormKeyDown(vk, shift) : session.Edit1KeyDown(vk, shift);
    if (fb.Action == TWindowAction::PauseOrContinue) {
      RestartClock();
      return session.Button1Click({});
    }
    if (fb.Action == TWindowAction::End) return session.Button2Click();
    return fb;
  }
  // The window's one-second clock is enabled (a start, a continue): its
  // first tick comes a second later.
  void RestartClock() { tickDue = now + 1; }
  // Time passes, the clock ticking on the way.
  void Wait(double seconds) {
    const double until = now + seconds;
    if (tickDue <= now) RestartClock();
    while (tickDue <= until) {
      now = tickDue;
      tickDue += 1;
      session.Timer1Timer();
    }
    now = until;
  }
  void Ticks(int n) { Wait(n); }
  TFeedback Press(char k) { return session.FormKeyPress(k); }
};
