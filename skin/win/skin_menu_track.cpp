// The menu bar meets the user: a bar button opens its pull-down under itself;
// while it is open a message-filter hook lets the arrow keys and the mouse
// move to the neighbouring bar items, and Alt+letter opens a pull-down.
//
// Switching never nests menu loops: the hook records the button to open,
// ends the open pull-down, and PopupMenuButton opens the next one after
// TrackPopupMenu has returned.
#include <memory>

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_menu_owner.h"
#include "toolkit/win/application.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/form.h"

namespace {

struct TTrackState {
  HHOOK Hook = nullptr;
  TWinSkinForm* Form = nullptr;  // the form whose pull-down is open
  int TrackedIndex = -1;         // its bar button; -1 none
  int NextIndex = -1;            // the button to open once the open pull-down has closed
  bool Selected = false;         // an item of the open pull-down is highlighted:
  HMENU SelectedMenu = nullptr;  //   the menu it belongs to
  bool SelectedHasPopup = false; //   and whether it opens a submenu
  POINT LastMousePos{};
  bool FirstKeyPosted = false;
  bool SwitchingMenu = false;
};

TTrackState& Track() {
  static TTrackState state;
  return state;
}

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }

LRESULT CALLBACK MenuTrackHookProc(int code, WPARAM wp, LPARAM lp) {
  TTrackState& t = Track();
  auto* msg = reinterpret_cast<MSG*>(lp);
  // A right-to-left bar runs the other way: only the arrow keys change sides.
  if (code >= 0 && msg && t.Form && t.Form->SkinMenuBar && t.Form->SkinMenuBar->RightToLeft() &&
      IsKeyMessage(msg->message)) {
    if (msg->wParam == VK_LEFT) msg->wParam = VK_RIGHT;
    else if (msg->wParam == VK_RIGHT) msg->wParam = VK_LEFT;
  }
  LRESULT result = CallNextHookEx(t.Hook, code, wp, lp);
  if (result || code != MSGF_MENU || !msg || !t.Form) return result;
  LRESULT eaten = result;
  Guarded([&] {
    if (!t.FirstKeyPosted) {
      t.FirstKeyPosted = true;
      PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TWinSkinForm* form = t.Form;
    TWinSkinMenu* bar = form->SkinMenuBar.get();
    TMenuBtn* chosen = nullptr;
    switch (msg->message) {
      case WM_KEYDOWN:
        if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) t.SwitchingMenu = false;
        if (msg->wParam == VK_LEFT && (!t.Selected || t.SelectedMenu == form->OpenBarPopup))
          chosen = SkinMenuNeighbour(false);
        else if (msg->wParam == VK_RIGHT && (!t.Selected || !t.SelectedHasPopup))
          chosen = SkinMenuNeighbour(true);
        break;
      case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU) form->EndMenuTracking();
        return;
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE:
        if (bar && (msg->pt.x != t.LastMousePos.x || msg->pt.y != t.LastMousePos.y)) {
          chosen = bar->ItemAtPoint(form->ScreenToFrame(msg->pt.x, msg->pt.y));
          t.LastMousePos = msg->pt;
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
        // A press on the open pull-down's own bar button closes it, and only that.
        if (bar) {
          TMenuBtn* at = bar->ItemAtPoint(form->ScreenToFrame(msg->pt.x, msg->pt.y));
          if (at && at->ButtonIndex == t.TrackedIndex) {
            EndMenu();
            eaten = 1;
          }
        }
        break;
      default:
        break;
    }
    if (chosen && chosen->ButtonIndex != t.TrackedIndex) {
      t.SwitchingMenu = true;
      t.NextIndex = chosen->ButtonIndex;
      EndMenu();
      eaten = 1;
    }
  });
  return eaten;
}

}  // namespace

// --- Tracking state -------------------------------------------------------------------

TWinSkinForm* MenuTrackingForm() { return Track().Form; }
int MenuTrackedIndex() { return Track().TrackedIndex; }
bool MenuTrackHookInstalled() { return Track().Hook != nullptr; }

TMenuBtn* SkinMenuNeighbour(bool next) {
  TTrackState& t = Track();
  TWinSkinMenu* bar = t.Form ? t.Form->SkinMenuBar.get() : nullptr;
  if (!bar || bar->ButtonCount() == 0) return nullptr;
  const int n = bar->ButtonCount();
  int i = next ? t.TrackedIndex + 1 : t.TrackedIndex - 1;
  if (i >= n) i = 0;
  if (i < 0) i = n - 1;
  return bar->BarButtons[static_cast<std::size_t>(i)].get();
}

void InstallMenuTrackHook() {
  TTrackState& t = Track();
  t.SwitchingMenu = false;
  t.FirstKeyPosted = false;
  t.Selected = false;
  t.SelectedMenu = nullptr;
  t.SelectedHasPopup = false;
  GetCursorPos(&t.LastMousePos);
  if (!t.Hook) t.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuTrackHookProc, nullptr, GetCurrentThreadId());
}

void RemoveMenuTrackHook() {
  TTrackState& t = Track();
  if (t.Hook) UnhookWindowsHookEx(t.Hook);
  t.Hook = nullptr;
  t.TrackedIndex = -1;
  t.Selected = false;
  t.FirstKeyPosted = false;
}

// --- The form's part ----------------------------------------------------------------

bool TWinSkinForm::PopupMenuButton(TMenuBtn* button) {
  if (!button) return false;
  TTrackState& t = Track();
  if (t.Form) return false;  // one pull-down at a time
  std::shared_ptr<bool> alive = alive_;
  int index = button->ButtonIndex;
  bool opened = false;
  while (index >= 0 && *alive && SkinMenuBar && index < SkinMenuBar->ButtonCount()) {
    TMenuBtn* b = SkinMenuBar->BarButtons[static_cast<std::size_t>(index)].get();
    PostMessageW(FormHandle, WM_COMMAND, b->Command, 0);  // the application may update the pull-down
    if (!b->SubMenu) break;
    opened = true;
    t.Form = this;
    t.TrackedIndex = index;
    t.NextIndex = -1;
    GetWindowRect(FormHandle, &WindowRect);
    SetMenuOwnerDraw(b->SubMenu, true);
    InMenuLoop = true;
    if (HotObject != b) b->MouseDown();
    const bool rtl = SkinMenuBar->RightToLeft();
    int x = WindowRect.left + (rtl ? b->BoundsRect.right : b->BoundsRect.left);
    int y = WindowRect.top + b->BoundsRect.bottom;
    if (TSkinManage* m = SkinManager()) m->MenuKind = 1;
    OpenBarPopup = b->SubMenu;
    InstallMenuTrackHook();
    if (b->ItemEnabled)
      TrackPopupMenu(b->SubMenu, TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, FormHandle, nullptr);
    index = t.NextIndex;
    RemoveMenuTrackHook();
    t.Form = nullptr;
    t.NextIndex = -1;
    if (TSkinManage* m = SkinManager()) m->MenuKind = 0;
    if (!*alive) break;
    InMenuLoop = false;
    OpenBarPopup = nullptr;
    // The button whose pull-down closed is drawn plain again.
    if (SkinMenuBar && HotObject && dynamic_cast<TMenuBtn*>(HotObject)) HotObject->MouseLeave();
  }
  return opened;
}

void TWinSkinForm::EndMenuTracking() { InMenuLoop = false; }

void TWinSkinForm::CancelMenuTracking() {
  TTrackState& t = Track();
  if (t.Form != this) return;
  t.NextIndex = -1;
  EndMenu();
}

void TWinSkinForm::WMMenuSelect(TMessage& m) {
  CallDefaultProc(m);
  TTrackState& t = Track();
  if (t.Form != this) return;
  const UINT flags = HIWORD(m.WParam);
  HMENU menu = reinterpret_cast<HMENU>(m.LParam);
  if (flags == 0xFFFF && !menu) {
    if (!t.SwitchingMenu) EndMenuTracking();
    return;
  }
  t.SwitchingMenu = false;
  t.Selected = true;
  t.SelectedMenu = menu;
  t.SelectedHasPopup = (flags & MF_POPUP) != 0;
}

void TWinSkinForm::ClickMenuButton(TMenuBtn* button) {
  if (!button) return;
  GetWindowRect(FormHandle, &WindowRect);
  PostMessageW(FormHandle, WM_NCLBUTTONDOWN, HTCLIENT,
               MAKELPARAM(WindowRect.left + button->BoundsRect.left + 1, WindowRect.top + button->BoundsRect.top + 1));
}

void TWinSkinForm::HandleMenuClickAt(TMessage& m) {
  POINT p = ScreenToFrame(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && SkinMenuBar) o = SkinMenuBar->ItemAtPoint(p);
  if (auto* b = dynamic_cast<TMenuBtn*>(o)) PopupMenuButton(b);
  m.Result = 0;
}

TMenuBtn* TWinSkinForm::FindMenuAccel(unsigned key) const {
  return SkinMenuBar ? SkinMenuBar->FindAccel(key) : nullptr;
}

void TWinSkinForm::DialogChar(TMessage& m) {
  formLayer_.CallPrevious(m);
  if (m.Result) return;
  const bool onlyAlt = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if (TMenuBtn* b = FindMenuAccel(static_cast<unsigned>(m.WParam)); b && onlyAlt) {
    ClickMenuButton(b);
    m.Result = 1;
    return;
  }
  TSkinManage* mgr = SkinManager();
  if (FormKind == 2) {
    if (mgr && mgr->MDIFormControl) m.Result = mgr->MDIFormControl->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    return;
  }
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main && FormControl && main != FormControl && !FormControl->IsModal())
    main->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
  m.Result = 0;
}
