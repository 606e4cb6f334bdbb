// The MDI client of a skinned MDI frame: the frame watches its client's
// messages for child creation, destruction, arrangement and menu changes.
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/messages.h"

void TWinSkinForm::HookMDIClient() {
  if (!mdiClient_ || mdiSubclass_.Attached()) return;
  if (data_) savedMenuUpdate_ = data_->MenuUpdate;
  mdiSubclass_.Attach(mdiClient_, [this](TMessage& m) {
    Enter();
    std::shared_ptr<bool> alive = alive_;
    MDIClientWndProc(m);
    if (*alive) Leave();
  });
}

void TWinSkinForm::UnhookMDIClient() {
  if (!mdiSubclass_.Attached()) return;
  mdiSubclass_.Detach();
  if (data_) data_->MenuUpdate = savedMenuUpdate_;
  // Nobody posts to a client that is no longer this frame's.
  if (TSkinManage* m = SkinManager()) m->ForgetMDIClient(mdiClient_);
}

void TWinSkinForm::MDIChildrenMaximized() {
  if (traits_.Kind == TFormKind::MDIChild) ClearRegion();
}

void TWinSkinForm::MDIChildrenRestored() {
  if (traits_.Kind != TFormKind::MDIChild || showState_ == TShowState::Minimized) return;
  showState_ = TShowState::Normal;  // restored with the others
  UpdateRegion();
  if (!region_.Set) FrameChanged();
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
      if (drawsFrame_ && data_ && !(data_->Options & SetOf(xoMDIScrollbar))) {
        LONG style = GetWindowLongW(mdiClient_, GWL_STYLE);
        if (style & (WS_HSCROLL | WS_VSCROLL))
          SetWindowLongW(mdiClient_, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
      }
      break;
    case WM_MDICREATE:
      if (data_) data_->MenuUpdate = false;
      break;
    case WM_MDIDESTROY:
      mdiSubclass_.CallPrevious(m);
      if (!drawsFrame_) return;
      if (mgr) mgr->SetMDIChildActive(IsMDIChildMaximized());
      // The last child gone: the frame's own menu again.
      if (!SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0)) {
        if (data_) data_->MenuUpdate = savedMenuUpdate_;
        if (menuBar_) menuBar_->BuildItems();
      }
      return;
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (drawsFrame_ && mgr && mgr->MDIChildMaximized()) mgr->SetMDIChildActive(false);
      break;
    case WM_MDISETMENU:
      mdiSubclass_.CallPrevious(m);
      // The bar takes the new menu off the window; without a bar the window keeps it.
      if (drawsFrame_ && menuBar_ && m.WParam) {
        menuBar_->RebuildItems();
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
      }
      return;
    case SM_REPAINTMDIFRAME:
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return;
    default:
      break;
  }
  mdiSubclass_.CallPrevious(m);
}
