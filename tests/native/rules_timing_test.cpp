// Handler time per key: a code type, a drill and the game tick, each well under
// a millisecond (also under the sanitizers).
#include "tests/native/rules_fixture.h"

#include <chrono>
#include <cstdio>

namespace {
template <class F>
double MicrosecondsPerCall(int calls, F f) {
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) f(i);
  std::chrono::duration<double, std::micro> d = std::chrono::steady_clock::now() - t0;
  return d.count() / calls;
}
}  // namespace

TEST(RulesTiming, HandlerTimePerKey) {
  TDictionaries dicts = TestDictionaries();
  // A full-size character table, so a draw works on realistic data.
  for (int r = dicts.WbsTable.Count(); r < TWbsTable::Capacity; ++r) dicts.WbsTable.Add(dicts.WbsTable[1 + r % 3]);
  TSystemRandom random;
  TPracticeSession s(dicts, random, 888);
  const int calls = 20000;

  s.Button1Click({15, 4, -1, ""});
  std::string box;
  double code = MicrosecondsPerCall(calls, [&](int i) {
    char k = i % 3 == 2 ? ' ' : "kh"[i % 3];
    TFeedback fb = s.Edit1KeyPress(k, box);
    if (fb.SetEdit1Text) box = fb.Edit1Text;
    if (k) box += k;
  });
  EXPECT_GT(s.Counters().CodeHits + s.Counters().ErrorCount, calls / 4);
  s.Button2Click();

  s.Button1Click({1, 4, -1, ""});
  double drill = MicrosecondsPerCall(calls, [&](int i) {
    char k = static_cast<char>('a' + i % 26);
    s.FormKeyPress(k);
  });
  EXPECT_EQ(s.Counters().KeyHits + s.Counters().ErrorCount, calls);
  s.Button2Click();

  s.Button1Click({17, 4, -1, ""});
  double tick = MicrosecondsPerCall(calls, [&](int i) { s.Timer7Timer(1 + i % 10); });
  s.Button2Click();

  std::printf("handler time per call: type 15 key %.2f us, type 1 key %.2f us, game tick %.2f us\n", code, drill,
              tick);
  EXPECT_LT(code, 1000.0);
  EXPECT_LT(drill, 1000.0);
  EXPECT_LT(tick, 1000.0);
}
