#include "toolkit/win/timer.h"
#include "toolkit/win/hidden_window.h"

#include <windows.h>

#include <map>

#include "toolkit/win/app_errors.h"

namespace {
const wchar_t kTimerClass[] = L"TTimerWindow";

// One hidden window per thread; the timers it serves by id. Ids are never
// reused, so a tick left in the queue for a timer that went finds nothing.
struct TTimerHost {
  HWND Wnd = nullptr;
  UINT_PTR NextId = 1;
  std::map<UINT_PTR, TTimer*> Timers;
};
thread_local TTimerHost host;

LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto it = host.Timers.find(static_cast<UINT_PTR>(wp));
    if (it != host.Timers.end()) it->second->Timer();
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND HostWindow() {
  if (!host.Wnd) host.Wnd = CreateHiddenWindow(kTimerClass, TimerWndProc);
  return host.Wnd;
}
}  // namespace

const TClassInfo& TTimer::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Interval", &TTimer::GetInterval, &TTimer::SetInterval)
                                     .Prop("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled)
                                     .Event("OnTimer", &TTimer::OnTimer)
                                     .Build();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() {
  BeginDestroy();
  enabled_ = false;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (id_) {
    KillTimer(host.Wnd, static_cast<UINT_PTR>(id_));
    host.Timers.erase(static_cast<UINT_PTR>(id_));
    id_ = 0;
  }
  if (!enabled_ || interval_ == 0) return;
  HWND wnd = HostWindow();
  if (!wnd) return;
  UINT_PTR id = host.NextId++;
  if (!SetTimer(wnd, id, interval_, nullptr)) return;
  host.Timers[id] = this;
  id_ = id;
}

void TTimer::Timer() {
  if (!enabled_ || !OnTimer) return;
  // Keep a copy: the handler may delete this timer (and with it OnTimer).
  TNotifyEvent handler = OnTimer;
  Guarded([&] { handler(this); });
}
