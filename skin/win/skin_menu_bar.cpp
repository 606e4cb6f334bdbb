#include "skin/win/skin_menu_bar.h"

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"

void TWinSkinMenu::BuildItems() {
  if (HMENU menu = GetMenu(OwnerForm->FormHandle)) BarMenuHandle = menu;
  if (!BarMenuHandle) return;
  SetMenu(OwnerForm->FormHandle, nullptr);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& rect) {
  if (OwnerForm->SkinData && OwnerForm->SkinData->FaceBrush) FillRect(dc, &rect, OwnerForm->SkinData->FaceBrush);
}
