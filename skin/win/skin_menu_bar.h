#pragma once
// The skinned menu bar of a frame: the window's menu is taken away and its
// top-level items become buttons drawn in the frame's strip under the
// caption; a button opens its pull-down with TrackPopupMenu under itself.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/win/skin_nc_object.h"

class TBitmap;
class TMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;

// One item of the bar.
class TMenuBtn : public TNCObject {
public:
  explicit TMenuBtn(TWinSkinForm* owner) : TNCObject(owner) {}
  void Paint() override;
  // The toolkit item of the button, looked up by its command; null when none.
  TMenuItem* LinkedItem() const;
  int ButtonIndex = 0;
  std::string Caption;  // GBK, "&" marks the access key
  bool ItemEnabled = true;
  HMENU SubMenu = nullptr;
  UINT Command = 0;
  bool Linked = false;  // built from a toolkit item
};

class TWinSkinMenu {
public:
  explicit TWinSkinMenu(TWinSkinForm* owner);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // (Re)creates the buttons from the window's menu and takes the menu away from the window.
  void BuildItems();
  // The same after the window's menu changed, then Layout.
  void RebuildItems();
  // The buttons' BoundsRect (window coordinates) without painting.
  void Layout();
  // Paints the strip (window coordinates) into dc.
  void Paint(HDC dc, const RECT& rect);
  // The button with a caption under a window point, or null.
  TMenuBtn* ItemAtPoint(POINT p) const;
  // The toolkit menu of the form, or null.
  TMenu* MainMenu() const;
  // The first enabled visible button whose caption has key as its access key.
  TMenuBtn* FindAccel(unsigned key) const;
  int ButtonCount() const { return static_cast<int>(BarButtons.size()); }
  bool RightToLeft() const;

  TWinSkinForm* OwnerForm;
  std::vector<std::unique_ptr<TMenuBtn>> BarButtons;
  HMENU BarMenuHandle = nullptr;
  RECT BarRect{};
  // The bar's background at the last paint, and the bar composed off screen:
  // both kept and only ever grown, their top-left BarRect's size.
  std::unique_ptr<TBitmap> BarBackground, Strip;
  bool Painting = false;

private:
  void ReadItems(bool lookUpAll);
  int Inset(int stripWidth) const;
  // Where the first item starts, in strip coordinates, for a strip at stripLeft
  // (window coordinates) stripWidth wide; right to left it is the item's right edge.
  int FirstItemEdge(int stripLeft, int stripWidth) const;
  // The MDI buttons of a maximised active MDI child, drawn onto the strip at rect.
  void PaintMDIButtons(TBitmap& strip, const RECT& rect);
  int ButtonWidth(HDC dc, const std::string& caption) const;
};

// --- Tracking the open pull-down (one for the program) ---

// The bar button after (next) or before the tracked one, wrapping; null without a bar.
TMenuBtn* SkinMenuNeighbour(bool next);
// The message-filter hook of the current thread that runs while a pull-down is open.
void InstallMenuTrackHook();
void RemoveMenuTrackHook();
bool MenuTrackHookInstalled();
// The tracked form, its open button (-1 none) and the bar button to open next.
TWinSkinForm* MenuTrackingForm();
int MenuTrackedIndex();
