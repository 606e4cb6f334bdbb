#pragma once
// The skinned menu bar of a frame. For now it only takes the window's menu
// away while the frame draws the strip (a plain face) and gives it back on
// detach; its buttons, painting and tracking come with the menu-bar work.
#include <windows.h>

class TWinSkinForm;
class TNCObject;

class TWinSkinMenu {
public:
  explicit TWinSkinMenu(TWinSkinForm* owner) : OwnerForm(owner) {}
  // Keeps the window's menu and removes it from the window.
  void BuildItems();
  // Paints the strip (window coordinates) into dc.
  void Paint(HDC dc, const RECT& rect);
  TNCObject* ItemAtPoint(POINT) const { return nullptr; }
  TWinSkinForm* OwnerForm;
  HMENU BarMenuHandle = nullptr;
};
