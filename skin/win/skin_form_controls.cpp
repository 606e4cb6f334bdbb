// The skinned frame's controls: the dispatcher runs when the frame completes,
// the objects are released when it detaches.
#include "skin/win/skin_dispatch.h"
#include "skin/win/skin_form.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/form.h"

void TWinSkinForm::SkinControls() {
  if (!SkinData || !IsWindow(FormHandle)) return;
  if (!ControlCanvas) ControlCanvas = std::make_unique<TCanvas>();
  TSkinDispatcher dispatcher(SkinData, &SkinControlList, ControlCanvas.get(), this);
  if (FormControl) dispatcher.SkinFormControls(FormControl);
  else dispatcher.SkinChildWindows(FormHandle);
}

void TWinSkinForm::ReleaseSkinControls(bool unskin) {
  for (TSkinControl* c : SkinControlList.Snapshot()) {
    if (!SkinControlList.Contains(c)) continue;
    if (unskin && c->FStatus != TSkinControl::stDestroyed) c->Unskin();
    delete c;
  }
}
