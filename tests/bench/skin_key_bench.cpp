// Handler time per key of the main window with the skin on and off, side by
// side in one run: the window's own key handlers (a code type, a letter drill,
// a game tick) each followed by the repaint they cause, first with the skin
// active, then switched off through the skin data's Active switch, then on
// again. Figures only: times are printed, never bounded.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "win/program_fixture.h"
#include "win/services_pump.h"

namespace {

struct TKeyTimes {
  double Code = 0, Drill = 0, Tick = 0;
};

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

// Each call: the handler, then every repaint it left pending.
TKeyTimes Measure(TForm1* form, int calls) {
  const char letters[] = "abcdefghijklmnopqrstuvwxyz";
  HWND w = form->Handle();
  auto repaint = [w] { RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  TKeyTimes t;
  Start(form, 15);
  repaint();
  t.Code = MicrosecondsPerCall(calls, [&](int i) {
    char key = (i % 5 == 4) ? ' ' : letters[i % 26];
    form->Edit1KeyPress(form->Edit1, key);
    repaint();
  });
  form->Button2Click(form);
  Start(form, 1);
  repaint();
  t.Drill = MicrosecondsPerCall(calls, [&](int i) {
    char key = letters[i % 26];
    form->FormKeyPress(form, key);
    repaint();
  });
  form->Button2Click(form);
  Start(form, 17);
  repaint();
  t.Tick = MicrosecondsPerCall(calls, [&](int) {
    form->Timer7Timer(form->Timer7);
    repaint();
  });
  form->Button2Click(form);
  return t;
}

bool Skinned(TForm1* form) {
  TSkinManage* m = SkinManager();
  TWinSkinForm* f = m ? m->FormOfWindow(form->Handle()) : nullptr;
  return f && f->SkinState == 1;
}

}  // namespace

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  SetProgramFolderOverride(CopyProgramFolder("skinkeybench"));
  TForm1* form = CreateFormObject<TForm1>(Application);
  if (!Practice.StartedUp) {
    std::printf("start-up failed\n");
    return 1;
  }
  form->Show();
  if (!PumpUntil([&] { return Skinned(form); }, 5000)) {
    std::printf("the main window was not skinned\n");
    return 1;
  }
  const int calls = 2000;
  Measure(form, calls / 10);  // warm-up
  TKeyTimes on1 = Measure(form, calls);
  form->SkinData1->SetActive(false);
  bool off = PumpUntil([&] { return SkinManager() && !SkinManager()->FormOfWindow(form->Handle()); }, 5000);
  PumpFor(200);
  TKeyTimes plain = Measure(form, calls);
  form->SkinData1->SetActive(true);
  bool on = PumpUntil([&] { return Skinned(form); }, 5000);
  PumpFor(200);
  TKeyTimes on2 = Measure(form, calls);
  auto row = [](const char* what, double skin, double bare) {
    std::printf("%-26s skin %8.2f us, no skin %8.2f us, ratio %.2f\n", what, skin, bare, bare > 0 ? skin / bare : 0.0);
  };
  std::printf("handler time per key with its repaint (mean of %d, skin figures the mean of the runs before and after):\n",
              calls);
  row("code type 15 (Edit1 key)", (on1.Code + on2.Code) / 2, plain.Code);
  row("drill type 1 (form key)", (on1.Drill + on2.Drill) / 2, plain.Drill);
  row("game tick (type 17)", (on1.Tick + on2.Tick) / 2, plain.Tick);
  delete form;
  const bool switched = off && on;
  if (!switched) std::printf("the skin did not switch off and on again\n");
  std::printf("%d passed, %d failed\n", switched ? 1 : 0, switched ? 0 : 1);
  return switched ? 0 : 1;
}
