#pragma once
// Layers over a control's WindowProc. Each layer's handler sees a message first
// and hands it on with CallPrevious. A layer knows its place in the chain, so
// layers come off in any order and the others stay as they were; one taken off
// from inside its own handler still finishes that message. A layer whose
// control has been destroyed is simply off.
#include <memory>

#include "toolkit/win/messages.h"

class TControl;

class TWindowProcLayer {
public:
  TWindowProcLayer() = default;
  ~TWindowProcLayer() { Remove(); }
  TWindowProcLayer(const TWindowProcLayer&) = delete;
  TWindowProcLayer& operator=(const TWindowProcLayer&) = delete;

  // Puts the layer on top of the control's WindowProc (off its old place first).
  void Install(TControl* control, TWndMethod handler);
  void Remove();
  bool Installed() const;
  TControl* Control() const;
  // The method under this layer handles the message.
  void CallPrevious(TMessage& m);

  // The control is being destroyed: its layers are off.
  static void ControlDestroyed(TControl* control);

private:
  struct State;
  struct Entry;
  std::shared_ptr<State> state_;
};
