#include "toolkit/win/window_proc_layer.h"

#include "toolkit/win/controls.h"

struct TWindowProcLayer::State {
  TControl* control = nullptr;
  TWndMethod handler;
  TWndMethod below;  // what WindowProc was when the layer went on
  bool removed = false;
};

// The callable that stands in WindowProc (or in the `below` of the layer above).
struct TWindowProcLayer::Entry {
  std::shared_ptr<State> state;
  void operator()(TMessage& m) const {
    std::shared_ptr<State> s = state;  // this entry may be replaced while the handler runs
    if (s->removed) {
      if (s->below) s->below(m);
    } else {
      s->handler(m);
    }
  }
};

void TWindowProcLayer::Install(TControl* control, TWndMethod handler) {
  Remove();
  state_ = std::make_shared<State>();
  state_->control = control;
  state_->handler = std::move(handler);
  if (!control) {
    state_->removed = true;
    return;
  }
  state_->below = control->WindowProc;
  control->WindowProc = Entry{state_};
}

void TWindowProcLayer::Remove() {
  if (!state_ || state_->removed) return;
  state_->removed = true;
  TControl* c = state_->control;
  if (!c) return;
  // The slot that calls this layer: WindowProc itself or the `below` of a layer above.
  TWndMethod* slot = &c->WindowProc;
  while (const Entry* e = slot->target<Entry>()) {
    if (e->state == state_) {
      *slot = state_->below;
      return;
    }
    slot = &e->state->below;
  }
  // Hidden under a plain assignment of WindowProc: it stays, handing every message on.
}

bool TWindowProcLayer::Installed() const { return state_ && !state_->removed; }

TControl* TWindowProcLayer::Control() const { return Installed() ? state_->control : nullptr; }

void TWindowProcLayer::CallPrevious(TMessage& m) {
  if (state_ && state_->below) state_->below(m);
}

void TWindowProcLayer::ControlDestroyed(TControl* control) {
  for (const TWndMethod* slot = &control->WindowProc; const Entry* e = slot->target<Entry>(); slot = &e->state->below) {
    e->state->control = nullptr;
    e->state->removed = true;
  }
}
