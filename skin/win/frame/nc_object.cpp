#include "skin/win/frame/nc_object.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"

void TNCObject::MouseDown() {
  if (!OwnerForm->TakeHot(this)) return;
  State = 2;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = 3;
  Paint();
}

void TNCObject::MouseMove() {
  if (OwnerForm->HotObject() == this || !OwnerForm->TakeHot(this)) return;
  State = 3;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  OwnerForm->LoseHot(this);
  State = 1;
  Paint();
  if (TSkinData* data = OwnerForm->SkinData()) data->HideHint();
}

TDataSkinSysButton* TWinSysButton::SkinButton() const {
  TSkinData* data = OwnerForm->SkinData();
  if (!data || Index < 0 || static_cast<std::size_t>(Index) >= data->CaptionButtons.size()) return nullptr;
  return data->CaptionButtons[static_cast<std::size_t>(Index)].get();
}

void TWinSysButton::Paint() { OwnerForm->PaintCaptionButton(*this, State); }
