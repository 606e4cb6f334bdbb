// The menu bar meets the user: a bar button opens its pull-down under itself
// (and the neighbours the user moves to, one after the other, as the program's
// menu tracking records them), and Alt+letter opens a pull-down.
#include <memory>

#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/owner.h"
#include "skin/win/menu/tracking.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"

bool TWinSkinForm::PopupMenuButton(TMenuBtn* button) {
  if (!button) return false;
  TMenuTracking& tracking = MenuTracking();
  if (tracking.BarFrame()) return false;  // one pull-down at a time
  std::shared_ptr<bool> alive = alive_;
  int index = button->ButtonIndex;
  bool opened = false;
  while (index >= 0 && *alive && menuBar_ && index < menuBar_->ButtonCount()) {
    TMenuBtn* b = menuBar_->Button(index);
    PostMessageW(window_, WM_COMMAND, b->Command, 0);  // the application may update the pull-down
    if (!b->SubMenu) break;
    opened = true;
    RECT wr{};
    GetWindowRect(window_, &wr);
    SetMenuOwnerDraw(b->SubMenu, true);
    if (hot_ != b) b->MouseDown();
    const bool rtl = menuBar_->RightToLeft();
    int x = wr.left + (rtl ? b->BoundsRect.right : b->BoundsRect.left);
    int y = wr.top + b->BoundsRect.bottom;
    tracking.BarPullDownOpened(this, index, b->SubMenu);
    if (b->ItemEnabled)
      TrackPopupMenu(b->SubMenu, TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x, y, 0, window_, nullptr);
    index = tracking.BarPullDownClosed();
    if (!*alive) break;
    // The button whose pull-down closed is drawn plain again.
    if (menuBar_ && hot_ && dynamic_cast<TMenuBtn*>(hot_)) hot_->MouseLeave();
  }
  return opened;
}

void TWinSkinForm::WMMenuSelect(TMessage& m) {
  CallDefaultProc(m);
  MenuTracking().MenuSelected(this, HIWORD(m.WParam), reinterpret_cast<HMENU>(m.LParam));
}

void TWinSkinForm::ClickMenuButton(TMenuBtn* button) {
  if (!button) return;
  RECT wr{};
  GetWindowRect(window_, &wr);
  PostMessageW(window_, WM_NCLBUTTONDOWN, HTCLIENT,
               MAKELPARAM(wr.left + button->BoundsRect.left + 1, wr.top + button->BoundsRect.top + 1));
}

void TWinSkinForm::HandleMenuClickAt(TMessage& m) {
  POINT p = ScreenToFrame(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && menuBar_) o = menuBar_->ItemAtPoint(p);
  if (auto* b = dynamic_cast<TMenuBtn*>(o)) PopupMenuButton(b);
  m.Result = 0;
}

TMenuBtn* TWinSkinForm::FindMenuAccel(unsigned key) const {
  return menuBar_ ? menuBar_->FindAccel(key) : nullptr;
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
  if (traits_.Kind == TFormKind::MDIChild) {
    if (mgr && mgr->MDIFrameForm()) m.Result = mgr->MDIFrameForm()->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    return;
  }
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main && form_ && main != form_ && !form_->IsModal())
    main->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
  m.Result = 0;
}
