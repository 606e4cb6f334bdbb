// The skinned frame's controls: the dispatcher runs when the frame completes,
// the objects are released when it detaches.
#include "skin/win/controls/dispatch.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/form.h"

// The dispatcher over the frame's window, its list and its canvas.
TSkinDispatcher TWinSkinForm::Dispatcher() {
  if (!controlCanvas_) controlCanvas_ = std::make_unique<TCanvas>();
  return TSkinDispatcher(data_, &controls_, controlCanvas_.get(), this);
}

void TWinSkinForm::SkinControls() {
  if (!data_ || !IsWindow(window_)) return;
  TSkinDispatcher dispatcher = Dispatcher();
  if (form_) dispatcher.SkinFormControls(form_);
  else dispatcher.SkinChildWindows(window_);
}

void TWinSkinForm::SkinChildWindow(HWND window) {
  if (!data_ || data_->NoSkin || !IsWindow(window)) return;
  Dispatcher().SkinChildWindow(window);
}

void TWinSkinForm::ReleaseSkinControls(bool unskin) {
  for (TSkinControl* c : controls_.Snapshot()) {
    if (!controls_.Contains(c)) continue;
    if (unskin && !c->Destroyed()) c->Unskin();
    delete c;
  }
}

void TWinSkinForm::RecreateScrollbarSkin(HWND window) {
  TSkinScrollbar* old = nullptr;
  for (TSkinControl* c : controls_.Snapshot())
    if (c->Handle() == window)
      if (auto* s = dynamic_cast<TSkinScrollbar*>(c)) old = s;  // the last one
  if (!old) return;
  TControl* control = old->FControl;
  const std::string name = old->ClassName();
  TSkinKind kind = old->FMode == 1 ? TSkinKind::SingleScrollbar : TSkinKind::Scrollbar;
  if (name == "TSkinListView") kind = TSkinKind::ListView;
  if (name == "TSkinCheckList") kind = TSkinKind::CheckList;
  delete old;  // leaves the list and its owner
  if (!control || !data_) return;
  if (TSkinControl* fresh = CreateSkinObject(kind, control))
    fresh->AttachControl(&controls_, data_, false, controlCanvas_.get());
}
