#pragma once
// The skinned menu bar of a frame: the window's menu is taken away and its
// top-level items become buttons drawn in the frame's strip under the
// caption; a button opens its pull-down with TrackPopupMenu under itself.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/win/frame/nc_object.h"

class TBitmap;
class TMenu;
class TSkinData;
class TWinSkinForm;

// One item of the bar.
class TMenuBtn : public TNCObject {
public:
  explicit TMenuBtn(TWinSkinForm* owner) : TNCObject(owner) {}
  void Paint() override;
  int ButtonIndex = 0;
  std::string Caption;  // GBK, "&" marks the access key
  bool ItemEnabled = true;
  HMENU SubMenu = nullptr;
  UINT Command = 0;
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
  // The window was given menu: the buttons are made from it and laid out.
  void TakeMenu(HMENU menu);
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
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TMenuBtn* Button(int index) const { return buttons_[static_cast<std::size_t>(index)].get(); }
  bool RightToLeft() const;
  // The window's menu the buttons were made from.
  HMENU Menu() const { return menu_; }
  // The strip (window coordinates) of the last paint.
  const RECT& BarRect() const { return barRect_; }
  // The bar's background at the last paint, and the bar composed off screen:
  // both kept and only ever grown, their top-left BarRect's size.
  TBitmap* Background() const { return background_.get(); }
  TBitmap* Strip() const { return strip_.get(); }

private:
  void ReadItems(bool lookUpAll);
  int Inset(int stripWidth) const;
  // Where the first item starts, in strip coordinates, for a strip at stripLeft
  // (window coordinates) stripWidth wide; right to left it is the item's right edge.
  int FirstItemEdge(int stripLeft, int stripWidth) const;
  int ButtonWidth(HDC dc, const std::string& caption) const;

  TWinSkinForm* owner_;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  HMENU menu_ = nullptr;
  RECT barRect_{};
  std::unique_ptr<TBitmap> background_, strip_;
};
