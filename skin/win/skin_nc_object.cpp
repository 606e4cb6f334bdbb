#include "skin/win/skin_nc_object.h"

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"

void TNCObject::MouseDown() {
  TWinSkinForm& f = *OwnerForm;
  if (f.HotObject && f.HotObject != this) f.HotObject->MouseLeave();
  if (!Visible) return;
  f.HotObject = this;
  f.WakeFrameTimer();
  State = 2;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = 3;
  Paint();
}

void TNCObject::MouseMove() {
  TWinSkinForm& f = *OwnerForm;
  if (f.HotObject == this) return;
  if (f.HotObject) f.HotObject->MouseLeave();
  if (!Visible) return;
  f.HotObject = this;
  f.WakeFrameTimer();
  State = 3;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  TWinSkinForm& f = *OwnerForm;
  if (f.HotObject == this) f.HotObject = nullptr;
  State = 1;
  Paint();
  if (f.SkinData) f.SkinData->HideHint();
}

TDataSkinSysButton* TWinSysButton::SkinButton() const {
  TSkinData* data = OwnerForm->SkinData;
  if (!data || Index < 0 || static_cast<std::size_t>(Index) >= data->CaptionButtons.size()) return nullptr;
  return data->CaptionButtons[static_cast<std::size_t>(Index)].get();
}

void TWinSysButton::Paint() { OwnerForm->PaintCaptionButton(*this, State); }
