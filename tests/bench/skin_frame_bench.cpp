// Cost of a skinned frame with the program's own skin: one full frame paint
// (borders, caption, title, buttons) into the window DC, repeated, after the
// caption changed, and from nothing (every piece rendered anew, as the first
// paint at a new size); one resize (new size, non-client recalculation, region
// rebuilt, frame repainted); where a paint from nothing spends its time; and
// one paint of a menu bar.
// Figures in milliseconds, in the test output.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/median_ms.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/message_box.h"
#include "win/app_support.h"
#include "win/services_pump.h"
#include "win/skin_support.h"
#include "win/skinned_frame.h"

namespace {
// The user-interface thread's processor time per run of f, in milliseconds:
// what the paint itself costs, however busy the machine is (the clock the
// system keeps is coarse, so many runs are timed together).
template <class F>
double CpuMsPerRun(int runs, F&& f) {
  auto cpu = [] {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
  };
  double t0 = cpu();
  for (int i = 0; i < runs; ++i) f(i);
  return (cpu() - t0) / runs;
}
}  // namespace

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  auto* data = new TSkinData(nullptr);
  data->ReadSkinStream(EmbeddedSkinStream());
  if (data->NoSkin) {
    std::printf("the program's skin did not apply\n");
    return 1;
  }
  data->SetActive(true);
  data->Loaded();
  auto* form = new TForm(Application);
  form->SetBounds(30, 30, 977, 559);
  form->SetCaption("Frame benchmark");
  form->Show();
  TWinSkinForm* frame = WaitForSkinnedFrame(form->Handle(), 5000);
  if (!frame) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  const int runs = 200;
  double paint = MedianMs(runs, [&](int) { frame->PaintFrame(nullptr); });
  // Active and inactive in turn (WM_NCACTIVATE paints the frame): every paint
  // renders its pieces and caption anew.
  double changed = MedianMs(runs, [&](int i) { SendMessageW(form->Handle(), WM_NCACTIVATE, i % 2, 0); });
  SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
  // A new caption text through SetWindowText: the window's own handling and the
  // frame refresh it asks for, with the band composed again (the border pieces are kept).
  double retitled = MedianMs(runs, [&](int i) {
    SetWindowTextW(form->Handle(), (i % 2) ? L"Frame benchmark" : L"Frame benchmark 2");
    frame->PaintFrame(nullptr);
  });
  form->SetCaption("Frame benchmark");
  // With the kept pieces dropped the next paint starts from nothing.
  auto fromNothing = [&](int) {
    frame->ForgetPaintCache();
    frame->PaintFrame(nullptr);
  };
  double cold = MedianMs(runs, fromNothing);
  double coldCpu = CpuMsPerRun(runs * 5, fromNothing);
  double warmCpu = CpuMsPerRun(runs * 5, [&](int) { frame->PaintFrame(nullptr); });
  // The parts of a paint from nothing, drawn into a memory DC.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 977, 559);
  HGDIOBJ oldCanvas = SelectObject(memory, canvas);
  ReleaseDC(nullptr, screen);
  const TFrameMetrics& m = frame->Metrics();
  const int W = 977, H = 559, L = m.Left, R = m.Right, B = m.Bottom;
  double sides = MedianMs(runs, [&](int) {
    frame->ForgetPaintCache();
    frame->PaintBorderPiece(1, RECT{0, 0, L, H}, memory);
    frame->PaintBorderPiece(2, RECT{W - R, 0, W, H}, memory);
    frame->PaintBorderPiece(4, RECT{L, H - B, W - R, H}, memory);
  });
  double caption = MedianMs(runs, [&](int) {
    frame->ForgetPaintCache();
    frame->PaintCaption(memory);
  });
  double region = MedianMs(runs / 4, [&](int) {
    frame->ForgetPaintCache();
    frame->ForgetRegionSize();
    frame->UpdateRegion();
  });
  SelectObject(memory, oldCanvas);
  DeleteObject(canvas);
  DeleteDC(memory);
  auto resizeOf = [&](HWND w) {
    return MedianMs(runs / 4, [&](int i) {
      SetWindowPos(w, nullptr, 0, 0, 977 + (i % 2) * 40, 559 + (i % 2) * 30, SWP_NOMOVE | SWP_NOZORDER);
    });
  };
  double resize = resizeOf(form->Handle());
  // The same window without the skin (a form tagged 99 is never skinned).
  auto* plain = new TForm(Application);
  plain->SetTag(99);
  plain->SetBounds(60, 60, 977, 559);
  plain->Show();
  PumpFor(100);
  double plainResize = resizeOf(plain->Handle());
  // The menu bar of a window with a menu: the strip composed off screen and copied out.
  auto* menuForm = new TForm(Application);
  menuForm->SetBounds(40, 40, 977, 559);
  auto* menu = new TMainMenu(menuForm);
  for (const char* caption : {"&File", "&Edit", "&View", "&Practice", "&Help"}) {
    auto* item = new TMenuItem(menuForm);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  menuForm->SetMenu(menu);
  menuForm->Show();
  TWinSkinForm* menuFrame = nullptr;
  PumpUntil([&] {
    menuFrame = SkinManager()->FormOfWindow(menuForm->Handle());
    return menuFrame && menuFrame->Skinned() && menuFrame->MenuBar();
  }, 5000);
  double barPaint = -1, barCpu = -1;
  if (menuFrame) {
    RECT window{};
    GetWindowRect(menuForm->Handle(), &window);
    const int width = window.right - window.left;
    HDC dc = GetWindowDC(menuForm->Handle());
    barPaint = MedianMs(runs, [&](int) { menuFrame->PaintMenuBar(dc, width); });
    barCpu = CpuMsPerRun(runs * 5, [&](int) { menuFrame->PaintMenuBar(dc, width); });
    ReleaseDC(menuForm->Handle(), dc);
  }
  std::printf("full frame paint (977 x 559), repeated: %.3f ms (median of %d)\n", paint, runs);
  std::printf("menu bar paint (5 items, 977 wide): %.3f ms (median of %d), processor time %.3f ms (mean of %d)\n",
              barPaint, runs, barCpu, runs * 5);
  std::printf("full frame paint after an activation change: %.3f ms (median of %d)\n", changed, runs);
  std::printf("caption change (SetWindowText, frame refresh included): %.3f ms (median of %d)\n", retitled, runs);
  std::printf("full frame paint from nothing (first paint at a new size): %.3f ms (median of %d)\n", cold, runs);
  std::printf("processor time per paint: repeated %.3f ms, from nothing %.3f ms (mean of %d)\n", warmCpu, coldCpu,
              runs * 5);
  std::printf("  of which: sides and bottom %.3f ms, caption band %.3f ms; region from nothing %.3f ms\n", sides,
              caption, region);
  std::printf("resize with region and frame: %.3f ms (median of %d)\n", resize, runs / 4);
  std::printf("resize of the same window unskinned: %.3f ms (median of %d)\n", plainResize, runs / 4);
  delete plain;
  delete menuForm;
  delete form;
  delete data;
  return paint < 2.0 ? 0 : 1;
}
