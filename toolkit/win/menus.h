#pragma once
// Menus: items with their submenus, the form's main menu and pop-up menus.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"

class TMenu;
class TImageList;
class TCustomForm;

// A key with its shift keys: the virtual key in the low byte.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "F5"...; empty for 0.
std::string ShortCutToText(TShortCut s);

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, RECT rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

class TMenuItem : public TComponent {
  TK_CLASS(TMenuItem)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // GBK text; "&" marks the access key, "-" makes a separator.
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v);
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  TShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut s);
  int GetImageIndex() const { return imageIndex_; }
  void SetImageIndex(int i);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out (it is not destroyed); Delete(index) destroys it.
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // The menu this item belongs to (through its parents), or null.
  TMenu* GetParentMenu() const;
  bool IsLine() const { return caption_ == "-"; }

  // The item's command id (1..4095), unique in the process.
  WORD Command() const { return command_; }
  // Its submenu; created on demand.
  HMENU Handle();

  void SetParentComponent(TComponent* parent) override;
  virtual void Click();

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  // Measuring and drawing for owner-drawn entries.
  void MeasureItem(MEASUREITEMSTRUCT& mi);
  void DrawItem(const DRAWITEMSTRUCT& di);

private:
  friend class TMenu;
  friend class TMainMenu;
  void Changed();            // this item's entry in its parent's menu
  void RebuildHandle();      // the submenu's entries
  bool IsOwnerDrawn() const;
  UINT EntryState() const;

  std::string caption_;
  bool enabled_ = true, checked_ = false, visible_ = true, default_ = false;
  TShortCut shortCut_ = 0;
  int imageIndex_ = -1;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item
  WORD command_ = 0;
  HMENU handle_ = nullptr;
  bool isBar_ = false;     // a main menu's root: a menu bar, not a pop-up
};

class TMenu : public TComponent {
  TK_CLASS(TMenu)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem* Items() const { return items_; }
  HMENU Handle() { return items_->Handle(); }
  bool GetOwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  TImageList* GetImages() const { return images_; }
  void SetImages(TImageList* images);
  void Notification(TComponent* c, TOperation op) override;
  // Something in the menu changed (after the native menu was updated).
  virtual void MenuChanged() {}

private:
  TMenuItem* items_;
  bool ownerDraw_ = false;
  TImageList* images_ = nullptr;
};

// The menu bar of a form.
class TMainMenu : public TMenu {
  TK_CLASS(TMainMenu)
public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  // Sets the menu bar of the form's window (null detaches).
  void AttachTo(TCustomForm* form);
  TCustomForm* Form() const { return form_; }
  void MenuChanged() override;
  void Notification(TComponent* c, TOperation op) override;

private:
  TCustomForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
  TK_CLASS(TPopupMenu)
public:
  explicit TPopupMenu(TComponent* owner);
  // Shows the menu at a screen point; the chosen item's OnClick runs afterwards.
  void Popup(int x, int y);
  // The hidden window that owns every pop-up menu and receives their commands.
  static HWND OwnerWindow();
};

// The main menu attached to a form (TCustomForm::Menu); null when none.
TMainMenu* FormMainMenu(const TCustomForm* form);
// Finds the item with a command id; null when none.
TMenuItem* FindMenuItem(WORD command);
// WM_COMMAND (from a menu), WM_MEASUREITEM and WM_DRAWITEM of menu entries: handled
// by the item they concern; false when the message is not a menu's.
bool DispatchMenuMessage(TMessage& m);
// A form's part in menus: the commands of its menu bar, and keeping the bar across
// its window's creation and destruction. True when the message was handled.
bool FormMenuMessage(TCustomForm* form, TMessage& m);
