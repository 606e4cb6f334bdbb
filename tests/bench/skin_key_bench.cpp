// Handler time per key of the main window with the skin on and off, side by
// side in one run: the window's own key handlers (a code type, a letter drill,
// a game tick) each followed by the repaint they cause, in rounds with the
// skin active and switched off through the skin data's Active switch (on,
// off, on, off, on). A figure is the median time of one call over all the
// rounds of that state, which holds up while other work shares the machine.
// Figures only: times are printed, never bounded.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "win/main_window_start.h"
#include "win/program_fixture.h"
#include "win/services_pump.h"
#include "win/skinned_frame.h"

namespace {

// Per-call times in microseconds of each handler, gathered over rounds.
struct TKeyTimes {
  std::vector<double> Code, Drill, Tick;
};

template <class F>
void TimeCalls(int calls, std::vector<double>& out, F&& f) {
  for (int i = 0; i < calls; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    f(i);
    out.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

void Start(TForm1* form, int type) {
  form->RadioGroup1->SetItemIndex(type);
  form->RadioGroup2->SetItemIndex(4);
  form->Button1Click(form);
}

// Each call: the handler, then every repaint it left pending.
void Measure(TForm1* form, int calls, TKeyTimes& t) {
  const char letters[] = "abcdefghijklmnopqrstuvwxyz";
  HWND w = form->Handle();
  auto repaint = [w] { RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  Start(form, 15);
  repaint();
  TimeCalls(calls, t.Code, [&](int i) {
    char key = (i % 5 == 4) ? ' ' : letters[i % 26];
    form->Edit1KeyPress(form->Edit1, key);
    repaint();
  });
  form->Button2Click(form);
  Start(form, 1);
  repaint();
  TimeCalls(calls, t.Drill, [&](int i) {
    char key = letters[i % 26];
    form->FormKeyPress(form, key);
    repaint();
  });
  form->Button2Click(form);
  Start(form, 17);
  repaint();
  TimeCalls(calls, t.Tick, [&](int) {
    form->Timer7Timer(form->Timer7);
    repaint();
  });
  form->Button2Click(form);
}


}  // namespace

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  TForm1* form = ShowMainWindow(CopyProgramFolder("skinkeybench"));
  if (!form) return 1;
  if (!WaitForSkinnedFrame(form->Handle(), 5000)) {
    std::printf("the main window was not skinned\n");
    return 1;
  }
  const int calls = 1000, rounds = 5;
  TKeyTimes warmUp, skin, bare;
  Measure(form, calls / 10, warmUp);
  bool switched = true;
  for (int round = 0; round < rounds; ++round) {
    const bool on = round % 2 == 0;
    if (round > 0) {
      form->SkinData1->SetActive(on);
      switched = switched && PumpUntil([&] {
        return on ? SkinnedFrame(form->Handle()) != nullptr
                  : (SkinManager() && !SkinManager()->FormOfWindow(form->Handle()));
      }, 5000);
      PumpFor(200);
    }
    Measure(form, calls, on ? skin : bare);
  }
  auto row = [](const char* what, const std::vector<double>& on, const std::vector<double>& off) {
    double a = Median(on), b = Median(off);
    std::printf("%-26s skin %8.2f us, no skin %8.2f us, ratio %.2f\n", what, a, b, b > 0 ? a / b : 0.0);
  };
  std::printf("handler time per key with its repaint (median of %d calls with the skin, %d without):\n",
              calls * 3, calls * 2);
  row("code type 15 (Edit1 key)", skin.Code, bare.Code);
  row("drill type 1 (form key)", skin.Drill, bare.Drill);
  row("game tick (type 17)", skin.Tick, bare.Tick);
  delete form;
  if (!switched) std::printf("the skin did not switch off and on again\n");
  std::printf("%d passed, %d failed\n", switched ? 1 : 0, switched ? 0 : 1);
  return switched ? 0 : 1;
}
