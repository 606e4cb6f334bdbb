// The menu bar meets the user: a bar button opens its pull-down under itself
// (and the neighbours the user moves to, one after the other, as the program's
// menu tracking records them), and Alt+letter opens a pull-down.
#include <memory>

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_menu_owner.h"
#include "skin/win/skin_menu_tracking.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"

bool TWinSkinForm::PopupMenuButton(TMenuBtn* button) {
  if (!button) return false;
  TMenuTracking& tracking = MenuTracking();
  if (tracking.BarFrame()) return false;  // one pull-down at a time
  std::shared_ptr<bool> alive = alive_;
  int index = button->ButtonIndex;
  bool opened = false;
  while (index >= 0 && *alive && SkinMenuBar && index < SkinMenuBar->ButtonCount()) {
    TMenuBtn* b = SkinMenuBar->BarButtons[static_cast<std::size_t>(index)].get();
    PostMessageW(FormHandle, WM_COMMAND, b->Command, 0);  // the application may update the pull-down
    if (!b->SubMenu) break;
    opened = true;
    RECT wr{};
    GetWindowRect(FormHandle, &wr);
    SetMenuOwnerDraw(b->SubMenu, true);
    if (HotObject != b) b->MouseDown();
    const bool rtl = SkinMenuBar->RightToLeft();
    int x = wr.left + (rtl ? b->BoundsRect.right : b->BoundsRect.left);
    int y = wr.top + b->BoundsRect.bottom;
    tracking.BarPullDownOpened(this, index, b->SubMenu);
    if (b->ItemEnabled)
      TrackPopupMenu(b->SubMenu, TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, FormHandle, nullptr);
    index = tracking.BarPullDownClosed();
    if (!*alive) break;
    // The button whose pull-down closed is drawn plain again.
    if (SkinMenuBar && HotObject && dynamic_cast<TMenuBtn*>(HotObject)) HotObject->MouseLeave();
  }
  return opened;
}

void TWinSkinForm::WMMenuSelect(TMessage& m) {
  CallDefaultProc(m);
  MenuTracking().MenuSelected(this, HIWORD(m.WParam), reinterpret_cast<HMENU>(m.LParam));
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
