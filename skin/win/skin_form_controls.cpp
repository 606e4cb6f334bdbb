// The skinned frame's controls: the dispatcher runs when the frame completes,
// the objects are released when it detaches.
#include "skin/win/skin_data.h"
#include "skin/win/skin_dispatch.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_scrollbar.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/form.h"

namespace {
// The dispatcher over the frame's window, its list and its canvas.
TSkinDispatcher DispatcherOf(TWinSkinForm& frame) {
  if (!frame.ControlCanvas) frame.ControlCanvas = std::make_unique<TCanvas>();
  return TSkinDispatcher(frame.SkinData, &frame.SkinControlList, frame.ControlCanvas.get(), &frame);
}
}  // namespace

void TWinSkinForm::SkinControls() {
  if (!SkinData || !IsWindow(FormHandle)) return;
  TSkinDispatcher dispatcher = DispatcherOf(*this);
  if (FormControl) dispatcher.SkinFormControls(FormControl);
  else dispatcher.SkinChildWindows(FormHandle);
}

void TWinSkinForm::SkinChildWindow(HWND window) {
  if (!SkinData || SkinData->NoSkin || !IsWindow(window)) return;
  DispatcherOf(*this).SkinChildWindow(window);
}

void TWinSkinForm::ReleaseSkinControls(bool unskin) {
  for (TSkinControl* c : SkinControlList.Snapshot()) {
    if (!SkinControlList.Contains(c)) continue;
    if (unskin && c->FStatus != TSkinControl::stDestroyed) c->Unskin();
    delete c;
  }
}

void TWinSkinForm::RecreateScrollbarSkin(HWND window) {
  TSkinScrollbar* old = nullptr;
  for (TSkinControl* c : SkinControlList.Snapshot())
    if (c->FHandle == window)
      if (auto* s = dynamic_cast<TSkinScrollbar*>(c)) old = s;  // the last one
  if (!old) return;
  TControl* control = old->FControl;
  const std::string name = old->ClassName();
  TSkinKind kind = old->FMode == 1 ? TSkinKind::SingleScrollbar : TSkinKind::Scrollbar;
  if (name == "TSkinListView") kind = TSkinKind::ListView;
  if (name == "TSkinCheckList") kind = TSkinKind::CheckList;
  delete old;  // leaves the list and its owner
  if (!control || !SkinData) return;
  if (TSkinControl* fresh = CreateSkinObject(kind, control))
    fresh->AttachControl(&SkinControlList, SkinData, false, ControlCanvas.get());
}
