#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled.
//
// Timers are served by a hidden window of the thread that starts them (made on
// first use), so OnTimer runs in that thread's message loop, modal loops included.
#include <functional>

#include "toolkit/base/component.h"

class TTimer : public TComponent {
  TK_CLASS(TTimer)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned GetInterval() const { return interval_; }
  void SetInterval(unsigned ms);  // restarts a running timer
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool enabled);  // enabling again restarts the period

  TNotifyEvent OnTimer;

  // What the hidden window does on each tick: runs OnTimer, reporting anything
  // it raises. The handler may disable or delete its own timer.
  void Timer();

  // True while the system timer is set (Enabled with a non-zero Interval).
  bool IsRunning() const { return id_ != 0; }

private:
  void UpdateTimer();

  unsigned interval_ = 1000;
  bool enabled_ = true;
  unsigned long long id_ = 0;
};
