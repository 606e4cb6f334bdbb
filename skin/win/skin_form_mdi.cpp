// The MDI client of a skinned MDI frame: the frame watches its client's
// messages for child creation, destruction, arrangement and menu changes.
#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_messages.h"

void TWinSkinForm::HookMDIClient() {
  if (!MDIClient || mdiSubclass_.Attached()) return;
  if (SkinData) SavedMenuUpdate = SkinData->MenuUpdate;
  mdiSubclass_.Attach(MDIClient, [this](TMessage& m) {
    Enter();
    std::shared_ptr<bool> alive = alive_;
    MDIClientWndProc(m);
    if (*alive) Leave();
  });
}

void TWinSkinForm::UnhookMDIClient() {
  if (!mdiSubclass_.Attached()) return;
  mdiSubclass_.Detach();
  if (SkinData) SkinData->MenuUpdate = SavedMenuUpdate;
  // Nobody posts to a client that is no longer this frame's.
  if (TSkinManage* m = SkinManager())
    if (m->MDIClientHandle == MDIClient) {
      m->MDIClientHandle = nullptr;
      m->MDIFormControl = nullptr;
    }
}

void TWinSkinForm::MDIClientWndProc(TMessage& m) {
  TSkinManage* mgr = SkinManager();
  switch (m.Msg) {
    case WM_NCDESTROY:
      mdiSubclass_.CallPrevious(m);
      UnhookMDIClient();
      return;
    case WM_NCCALCSIZE:
      // The client's own scroll bars go unless the skin keeps them.
      if (SkinFrame && SkinData && !(SkinData->Options & SetOf(xoMDIScrollbar))) {
        LONG style = GetWindowLongW(MDIClient, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL)) SetWindowLongW(MDIClient, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
      }
      break;
    case WM_MDICREATE:
      if (SkinData) SkinData->MenuUpdate = false;
      break;
    case WM_MDIDESTROY:
      mdiSubclass_.CallPrevious(m);
      if (!SkinFrame) return;
      if (mgr) mgr->SetMDIChildActive(IsMDIChildMaximized());
      // The last child gone: the frame's own menu again.
      if (!SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0)) {
        if (SkinData) SkinData->MenuUpdate = SavedMenuUpdate;
        if (SkinMenuBar) SkinMenuBar->BuildItems();
      }
      return;
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (SkinFrame && mgr && mgr->MDIChildMaximized) mgr->SetMDIChildActive(false);
      break;
    case WM_MDISETMENU:
      mdiSubclass_.CallPrevious(m);
      // The bar takes the new menu off the window; without a bar the window keeps it.
      if (SkinFrame && SkinMenuBar && m.WParam) SkinMenuBar->BuildItems();
      return;
    case SM_REPAINTMDIFRAME:
      RedrawWindow(FormHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return;
    default:
      break;
  }
  mdiSubclass_.CallPrevious(m);
}
