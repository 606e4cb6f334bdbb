#include "toolkit/win/menus.h"
#include "toolkit/win/hidden_window.h"

#include <algorithm>
#include <map>

#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/image_list.h"

namespace {

// Command ids 1..4095 in use, by id; the system-command range (0xF000 up) is never reached.
constexpr int kMaxCommand = 4095;
std::vector<TMenuItem*>& CommandTable() {
  static std::vector<TMenuItem*> table(kMaxCommand + 1, nullptr);
  return table;
}

WORD AllocateCommand(TMenuItem* item) {
  auto& t = CommandTable();
  for (int id = 1; id <= kMaxCommand; ++id)
    if (!t[static_cast<std::size_t>(id)]) {
      t[static_cast<std::size_t>(id)] = item;
      return static_cast<WORD>(id);
    }
  throw Exception("too many menu items");
}

std::map<TCustomForm*, TMainMenu*>& FormMenus() {
  static std::map<TCustomForm*, TMainMenu*> menus;
  return menus;
}

}  // namespace

std::string ShortCutToText(TShortCut s) {
  WORD key = s & 0xFF;
  std::string name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) name = std::string(1, static_cast<char>(key));
  else if (key >= VK_F1 && key <= VK_F12) name = "F" + std::to_string(key - VK_F1 + 1);
  else if (key == VK_DELETE) name = "Del";
  else if (key == VK_INSERT) name = "Ins";
  else if (key == VK_ESCAPE) name = "Esc";
  else if (key == VK_RETURN) name = "Enter";
  else return "";
  std::string text;
  if (s & scShift) text += "Shift+";
  if (s & scCtrl) text += "Ctrl+";
  if (s & scAlt) text += "Alt+";
  return text + name;
}

TMainMenu* FormMainMenu(const TCustomForm* form) {
  auto it = FormMenus().find(const_cast<TCustomForm*>(form));
  return it == FormMenus().end() ? nullptr : it->second;
}

TMenuItem* FindMenuItem(WORD command) {
  if (command == 0 || command > kMaxCommand) return nullptr;
  return CommandTable()[command];
}

// --- TMenuItem -----------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClass() {
  static const TClassInfo info = TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption)
                                     .Prop("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled)
                                     .Prop("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked)
                                     .Prop("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible)
                                     .Prop("Default", &TMenuItem::GetDefault, &TMenuItem::SetDefault)
                                     .Prop("ShortCut", &TMenuItem::GetShortCut, &TMenuItem::SetShortCut)
                                     .Prop("ImageIndex", &TMenuItem::GetImageIndex, &TMenuItem::SetImageIndex)
                                     .Event("OnClick", &TMenuItem::OnClick)
                                     .Event("OnDrawItem", &TMenuItem::OnDrawItem)
                                     .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
                                     .Build();
  return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
  BeginDestroy();
  while (!items_.empty()) delete items_.back();  // each leaves our list as it goes
  if (parent_) parent_->Remove(this);
  if (handle_ && IsMenu(handle_)) DestroyMenu(handle_);
  CommandTable()[command_] = nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed();
}
void TMenuItem::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed();
}
void TMenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Changed();
}
void TMenuItem::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}
void TMenuItem::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  Changed();
}
void TMenuItem::SetShortCut(TShortCut s) {
  if (s == shortCut_) return;
  shortCut_ = s;
  Changed();
}
void TMenuItem::SetImageIndex(int i) {
  if (i == imageIndex_) return;
  imageIndex_ = i;
  Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw Exception("a menu item cannot contain itself");
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  RebuildHandle();
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  int i = IndexOf(item);
  if (i < 0) return;
  items_.erase(items_.begin() + i);
  item->parent_ = nullptr;
  RebuildHandle();
  if (!Destroying()) Changed();
}

void TMenuItem::Delete(int index) { delete items_.at(static_cast<std::size_t>(index)); }

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
  else throw Exception("menu item " + GetName() + " must be placed in a menu or a menu item");
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

HMENU TMenuItem::Handle() {
  if (!handle_ || !IsMenu(handle_)) {
    handle_ = isBar_ ? CreateMenu() : CreatePopupMenu();
    RebuildHandle();
  }
  return handle_;
}

bool TMenuItem::IsOwnerDrawn() const {
  TMenu* m = GetParentMenu();
  return OnDrawItem || (m && m->GetOwnerDraw());
}

UINT TMenuItem::EntryState() const {
  UINT s = 0;
  if (checked_) s |= MFS_CHECKED;
  if (!enabled_) s |= MFS_DISABLED;
  if (default_) s |= MFS_DEFAULT;
  return s;
}

void TMenuItem::RebuildHandle() {
  if (!handle_ || !IsMenu(handle_)) return;
  // RemoveMenu keeps the submenus, which belong to the child items.
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  UINT pos = 0;
  for (TMenuItem* c : items_) {
    if (!c->visible_) continue;
    std::wstring text = GbkToWide(c->caption_);
    if (std::string s = ShortCutToText(c->shortCut_); !s.empty()) text += L"\t" + GbkToWide(s);
    MENUITEMINFOW mi{sizeof mi};
    mi.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    mi.wID = c->command_;
    mi.dwItemData = c->command_;
    mi.fState = c->EntryState();
    mi.hSubMenu = c->items_.empty() ? nullptr : c->Handle();
    if (c->IsLine()) {
      mi.fType = MFT_SEPARATOR;
    } else {
      mi.fMask |= MIIM_STRING;
      mi.fType = c->IsOwnerDrawn() ? MFT_OWNERDRAW : MFT_STRING;
      mi.dwTypeData = text.data();
      mi.cch = static_cast<UINT>(text.size());
    }
    InsertMenuItemW(handle_, pos++, TRUE, &mi);
  }
}

void TMenuItem::Changed() {
  if (parent_) parent_->RebuildHandle();
  if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::MeasureItem(MEASUREITEMSTRUCT& mi) {
  HDC screen = GetDC(nullptr);
  {
    TCanvas canvas(screen);
    int w = canvas.TextWidth(caption_) + 32;
    int h = GetSystemMetrics(SM_CYMENU);
    if (IsLine()) h = 8;
    if (OnMeasureItem) OnMeasureItem(this, canvas, w, h);
    mi.itemWidth = static_cast<UINT>(std::max(w, 0));
    mi.itemHeight = static_cast<UINT>(std::max(h, 0));
  }
  ReleaseDC(nullptr, screen);
}

void TMenuItem::DrawItem(const DRAWITEMSTRUCT& di) {
  TCanvas canvas(di.hDC);
  bool selected = (di.itemState & ODS_SELECTED) != 0;
  if (OnDrawItem) {
    OnDrawItem(this, canvas, di.rcItem, selected);
    return;
  }
  RECT r = di.rcItem;
  canvas.Brush().SetColor(selected ? clHighlight : clMenu);
  canvas.FillRect(r);
  if (IsLine()) {
    canvas.Pen().SetColor(clBtnShadow);
    int y = (r.top + r.bottom) / 2;
    canvas.MoveTo(r.left + 2, y);
    canvas.LineTo(r.right - 2, y);
    return;
  }
  TMenu* menu = GetParentMenu();
  if (menu && menu->GetImages() && imageIndex_ >= 0)
    menu->GetImages()->Draw(canvas, r.left + 2, r.top + (r.bottom - r.top - menu->GetImages()->GetHeight()) / 2,
                            imageIndex_);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
  r.left += 24;
  canvas.DrawText(caption_, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

// --- TMenu ---------------------------------------------------------------------

const TClassInfo& TMenu::StaticClass() {
  static const TClassInfo info = TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
                                     .Prop("OwnerDraw", &TMenu::GetOwnerDraw, &TMenu::SetOwnerDraw)
                                     .Build();
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  items_->menu_ = nullptr;
  delete items_;
}

void TMenu::SetOwnerDraw(bool v) {
  if (v == ownerDraw_) return;
  ownerDraw_ = v;
  // Every submenu's entries change their type.
  std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* i) {
    i->RebuildHandle();
    for (int k = 0; k < i->Count(); ++k) rebuild(i->Items(k));
  };
  rebuild(items_);
  MenuChanged();
}

void TMenu::SetImages(TImageList* images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  MenuChanged();
}

void TMenu::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == images_) images_ = nullptr;
}

// --- TMainMenu -----------------------------------------------------------------

const TClassInfo& TMainMenu::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass()).Creatable().Build();
  return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) { Items()->isBar_ = true; }

TMainMenu::~TMainMenu() { AttachTo(nullptr); }

void TMainMenu::AttachTo(TCustomForm* form) {
  if (form_ == form) return;
  if (form_) {
    if (form_->HandleAllocated() && GetMenu(form_->HandleOrNull()) == Handle()) SetMenu(form_->HandleOrNull(), nullptr);
    FormMenus().erase(form_);
    form_->RemoveFreeNotification(this);
  }
  form_ = form;
  if (form_) {
    auto& menus = FormMenus();
    if (auto it = menus.find(form_); it != menus.end() && it->second != this) it->second->AttachTo(nullptr);
    FormMenus()[form_] = this;
    form_->FreeNotification(this);
    MenuChanged();
  }
}

void TMainMenu::MenuChanged() {
  if (!form_ || !form_->HandleAllocated()) return;
  HWND w = form_->HandleOrNull();
  SetMenu(w, Handle());
  DrawMenuBar(w);
  SendMessageW(w, CM_MENUCHANGED, 0, 0);
}

void TMainMenu::Notification(TComponent* c, TOperation op) {
  TMenu::Notification(c, op);
  if (op == TOperation::opRemove && c == form_) {
    FormMenus().erase(form_);
    form_ = nullptr;
  }
}

// --- TPopupMenu ----------------------------------------------------------------

namespace {
LRESULT CALLBACK MenuOwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  bool handled = false;
  Guarded([&] { handled = DispatchMenuMessage(m); });
  return handled ? m.Result : DefWindowProcW(w, msg, wp, lp);
}
}  // namespace

const TClassInfo& TPopupMenu::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass()).Creatable().Build();
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::OwnerWindow() {
  static HWND owner = nullptr;
  if (owner && IsWindow(owner)) return owner;
  owner = CreateHiddenWindow(L"TMenuOwnerWindow", MenuOwnerProc, THiddenKind::TopLevel);
  return owner;
}

void TPopupMenu::Popup(int x, int y) {
  HWND owner = OwnerWindow();
  TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}

// --- Routing -------------------------------------------------------------------

bool DispatchMenuMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) <= 1) {
        if (TMenuItem* item = FindMenuItem(LOWORD(m.WParam))) {
          m.Result = 0;
          item->Click();
          return true;
        }
      }
      return false;
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (!mi || mi->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindMenuItem(static_cast<WORD>(mi->itemID));
      if (!item) return false;
      item->MeasureItem(*mi);
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (!di || di->CtlType != ODT_MENU) return false;
      TMenuItem* item = FindMenuItem(static_cast<WORD>(di->itemID));
      if (!item) return false;
      item->DrawItem(*di);
      m.Result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

bool FormMenuMessage(TCustomForm* form, TMessage& m) {
  switch (m.Msg) {
    case WM_CREATE:
    case WM_DESTROY: {
      auto it = FormMenus().find(form);
      // The system destroys a window's menu with it: take the bar off first.
      if (it != FormMenus().end() && form->HandleOrNull())
        SetMenu(form->HandleOrNull(), m.Msg == WM_CREATE ? it->second->Handle() : nullptr);
      return false;
    }
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return DispatchMenuMessage(m);
    default:
      return false;
  }
}
