// Handler time per key of the main window: a code type (五笔单练), a letter
// drill (英文(小)) and one tick of the letter game, each through the window's
// own handler (the practice rules and the controls they update).
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "win/program_fixture.h"

namespace {

template <class F>
double MicrosecondsPerCall(int calls, F&& f) {
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) f(i);
  auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(t1 - t0).count() / calls;
}

void Start(TForm1* form, int type) {
  form->RadioGroup1->SetItemIndex(type);
  form->RadioGroup2->SetItemIndex(4);
  form->Button1Click(form);
}

}  // namespace

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  SetProgramFolderOverride(CopyProgramFolder("bench"));
  TForm1* form = CreateFormObject<TForm1>(Application);
  if (!Practice.StartedUp) {
    std::printf("start-up failed\n");
    return 1;
  }
  form->Show();
  const int calls = 20000;
  const char letters[] = "abcdefghijklmnopqrstuvwxyz";

  Start(form, 15);
  const double code = MicrosecondsPerCall(calls, [&](int i) {
    char key = (i % 5 == 4) ? ' ' : letters[i % 26];
    form->Edit1KeyPress(form->Edit1, key);
  });
  form->Button2Click(form);

  Start(form, 1);
  const double drill = MicrosecondsPerCall(calls, [&](int i) {
    char key = letters[i % 26];
    form->FormKeyPress(form, key);
  });
  form->Button2Click(form);

  Start(form, 17);
  const double tick = MicrosecondsPerCall(calls, [&](int) { form->Timer7Timer(form->Timer7); });
  form->Button2Click(form);

  std::printf("handler time per key: code type 15 %.2f us, drill type 1 %.2f us, game tick %.2f us\n", code, drill,
              tick);
  delete form;
  const bool fast = code < 1000 && drill < 1000 && tick < 1000;
  std::printf("%d passed, %d failed\n", fast ? 1 : 0, fast ? 0 : 1);
  return fast ? 0 : 1;
}
