// Handler time per key: a code type, a drill and the game tick, each well under
// a millisecond (also under the sanitizers).
#include "tests/native/rules_fixture.h"

#include <chrono>
#include <cstdio>

TEST(RulesTiming, HandlerTimePerKey) {
  TDictionaries dicts = TestDictionaries();
  while (!dicts.WbsTable.Full()) dicts.WbsTable.Add(dicts.WbsTable[1 + dicts.WbsTable.Count() % 3]);
  TSystemRandom random;
  TPracticeSession s(dicts, random, 888);
  const int calls = 20000;
  auto perCall = [&](int type, auto step) {
    s.Button1Click({type, 4, -1, ""});
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) step(i);
    std::chrono::duration<double, std::micro> d = std::chrono::steady_clock::now() - t0;
    s.Button2Click();
    return d.count() / calls;
  };
  std::string box;
  double code = perCall(15, [&](int i) {
    char k = " kh"[i % 3];
    TFeedback fb = s.Edit1KeyPress(k, box);
    if (fb.SetEdit1Text) box = fb.Edit1Text;
    if (k) box += k;
  });
  double drill = perCall(1, [&](int i) {
    char k = static_cast<char>('a' + i % 26);
    s.FormKeyPress(k);
  });
  double tick = perCall(17, [&](int i) { s.Timer7Timer(1 + i % 10); });
  std::printf("handler time per call: type 15 key %.2f us, type 1 key %.2f us, game tick %.2f us\n", code, drill,
              tick);
  EXPECT_LT(code, 1000.0);
  EXPECT_LT(drill, 1000.0);
  EXPECT_LT(tick, 1000.0);
}
