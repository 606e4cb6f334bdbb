#pragma once
// Small dictionaries, a scripted random source and a session with its answer
// box, shared by the practice-rule tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "practice/rules/practice_session.h"
#include "toolkit/base/sysutils.h"

// Hands out queued values (mod the range asked for), 0 once they run out.
class TSequenceRandom : public TRandomSource {
public:
  int Random(int range) override {
    Ranges.push_back(range);
    int v = next_ < Values.size() ? Values[next_++] : 0;
    return range > 0 ? v % range : 0;
  }
  void Queue(std::initializer_list<int> v) { Values.insert(Values.end(), v); }
  std::vector<int> Values;
  std::vector<int> Ranges;

private:
  std::size_t next_ = 0;
};

// Letters for a record number, so each PYs record has its own pinyin: 35 -> "qdf".
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

inline std::string Wb2Record(const std::string& ch, const std::string& code, const std::string& picture) {
  std::string pic(8, ' ');
  pic.replace(8 - picture.size(), picture.size(), picture);
  return ch + code + "    " + pic + "  ";
}

inline TDictionaries TestDictionaries() {
  TDictionaries d;
  for (int r = 1; r <= 42; ++r)
    d.PYsTable.Add({PinyinOf(r), "C" + std::to_string(r), "h" + std::to_string(r), "MyPyWAV" + PinyinOf(r)});
  BuildPinyinGroups(d.PYsTable, d.PinyinGroups);
  d.PYTwoTable.Add({"zhongguo", "中国", "zhōng guó", {"", "MyPyWAVzhong1", "MyPyWAVguo2"}});
  d.PYTwoTable.Add({"renmin", "人民", "rén mín", {"", "MyPyWAVren2", "MyPyWAVmin2"}});
  for (const char* rec : {"王g", "土f", "大d", "木s"}) AddRecord(d.WbzgBuffer, kWbzgRecordSize, rec);
  for (const char* rec : {"一g", "地f", "在d", "要s"}) AddRecord(d.Wb1Buffer, kWb1RecordSize, rec);
  AddRecord(d.Wb2Buffer, kWb2RecordSize, Wb2Record("五", "gg", "3501"));
  AddRecord(d.Wb2Buffer, kWb2RecordSize, Wb2Record("于", "gf", "12"));
  AddRecord(d.Wb2Buffer, kWb2RecordSize, Wb2Record("天", "gd", "x1"));  // not an integer
  auto wbs = [&](const char* ch, std::initializer_list<const char*> codes, int picture) {
    svlcharsetWBs r;
    int i = 1;
    for (const char* c : codes) r.Codes[i++] = c;
    r.Character = ch;
    r.PictureNo = picture;
    d.WbsTable.Add(r);
  };
  wbs("工", {"a", "aa", "aaa", "aaaa"}, 11);
  wbs("中", {"k", "kh", "khk", "khkk"}, 22);
  wbs("国", {"l", "lg", "lgy", "lgyi"}, 33);
  d.WbTwoTable.Add({"khlg", "中国"});
  d.WbTwoTable.Add({"wqv", "人民"});
  d.WbTwoTable.Add({"abcd", "工程"});
  d.Loaded = true;
  return d;
}

struct RulesFixture : ::testing::Test {
  TDictionaries dicts = TestDictionaries();
  TSequenceRandom random;
  TUserList users;
  TScoreTable scores;
  TPracticeSession session{dicts, random, 888};
  std::string box;  // Edit1's text

  RulesFixture() {
    users.CurrentUser = "bob";
    session.Users = &users;
    session.Scores = &scores;
    session.Clock = [] { return TScoreTime{2026, 12, 9, 6, 30, 3}; };
  }

  const TPracticeScreen& screen() const { return session.Screen(); }
  const TRunCounters& counters() const { return session.Counters(); }

  // Starts `type` after queueing the start's draws.
  TFeedback Start(int type, std::initializer_list<int> draws = {}, int lengthItem = 4) {
    random.Queue(draws);
    box.clear();
    return session.Button1Click({type, lengthItem, -1, ""});
  }

  // One key into the answer box, as the edit control would take it.
  TFeedback Key(char k) {
    TFeedback fb = session.Edit1KeyPress(k, box);
    if (fb.SetEdit1Text) box = fb.Edit1Text;
    if (k == 8) {
      if (!box.empty()) box.pop_back();
    } else if (k != 0) {
      box += k;
    }
    return fb;
  }
  TFeedback Keys(const std::string& s) {
    TFeedback last;
    for (char c : s) {
      TFeedback fb = Key(c);
      if (fb.HitSound) last = fb;
    }
    return last;
  }
  TFeedback FKey(int n, unsigned shift = 0) {
    unsigned short vk = static_cast<unsigned short>(kVkF1 + n - 1);
    return session.Edit1KeyDown(vk, shift);
  }
  TFeedback Esc(unsigned shift, bool atForm = false) {
    unsigned short vk = kVkEscape;
    TFeedback fb = atForm ? session.FormKeyDown(vk, shift) : session.Edit1KeyDown(vk, shift);
    if (fb.Action == TWindowAction::PauseOrContinue) return session.Button1Click({});
    if (fb.Action == TWindowAction::End) return session.Button2Click();
    return fb;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) session.Timer1Timer();
  }
  TFeedback Press(char k) { return session.FormKeyPress(k); }
};
