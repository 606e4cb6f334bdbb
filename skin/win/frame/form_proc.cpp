// The window procedures of a skinned frame: which messages the skin takes
// over, which it only watches, and which go unchanged to the saved procedure.
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
#include "toolkit/win/form.h"

void TWinSkinForm::WndProc(TMessage& m) {
  if (stage_ == TFrameStage::Attached && m.Msg == WM_NCPAINT) {
    m.Result = 0;
    return;
  }
  // Stage 1: every frame.
  switch (m.Msg) {
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_NCDESTROY: {
      stage_ = TFrameStage::WindowDestroying;
      DetachOnDestroy();  // gives the window its procedure back first
      CallDefaultProc(m);
      stage_ = TFrameStage::WindowGone;
      return;
    }
    case 0xAE:  // the system's themed caption redraw
      m.Result = 0;
      return;
    case WM_INITMENUPOPUP:
      MenuTracking().MenuInitialised(reinterpret_cast<HMENU>(m.WParam) == systemMenu_.Menu);
      CallDefaultProc(m);
      return;
    case WM_MENUSELECT:
      WMMenuSelect(m);  // sent to the owner: the menu loop's hook never sees it
      return;
    case WM_CTLCOLORBTN:
      CallDefaultProc(m);
      if (!form_) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
      return;
    case WM_CTLCOLORSTATIC:
      CallDefaultProc(m);
      if (!form_ && data_ && data_->FaceBrush) {
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(data_->FaceBrush);
      }
      return;
    case SM_COMPLETESKIN:
      Complete();
      return;
    case SM_CONTROLRECREATED:
      RecreateScrollbarSkin(reinterpret_cast<HWND>(m.WParam));
      return;
    case SM_ISSKINNED:
      m.Result = 1;
      PostMessageW(window_, SM_SKINNED, 0, SKIN_MESSAGE_TAG);
      return;
    case WM_NCACTIVATE:
      if (stage_ == TFrameStage::Attached && traits_.Kind != TFormKind::MDIChild) {
        active_ = m.WParam != 0;
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  if (!drawsFrame_) {
    CallDefaultProc(m);
    return;
  }
  // Stage 2: skinned frames of top-level windows and MDI children.
  if (traits_.Child && traits_.Kind != TFormKind::MDIChild) {
    CallDefaultProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_SIZE:
      WMSize(m);
      return;
    case WM_ACTIVATE:
      active_ = LOWORD(m.WParam) != WA_INACTIVE;
      break;
    case WM_NCACTIVATE:
      active_ = m.WParam != 0;
      break;
    case WM_GETMINMAXINFO:
      CallDefaultProc(m);
      showState_ = ReadShowState();
      return;
    case WM_WINDOWPOSCHANGED:
      showState_ = ReadShowState();
      CallDefaultProc(m);
      return;
    case WM_STYLECHANGED:
      WMStyleChanged(m);
      return;
    case WM_SETICON:
      CallDefaultProc(m);
      GetIconBitmap();
      if (stage_ == TFrameStage::Skinned) PaintFrame(nullptr);  // the system drew its own caption
      return;
    case WM_SETTEXT:
      CallDefaultProc(m);
      if (stage_ == TFrameStage::Skinned) PaintFrame(nullptr);  // the system drew its own caption
      return;
    case WM_COMMAND:
      WMCommand(m);
      return;
    case WM_SYSCOMMAND:
      WMSysCommand(m);
      return;
    case SM_MENUCLICKAT:
      HandleMenuClickAt(m);
      return;
    case CM_MENUCHANGED:
      if (data_) {
        bool paint = data_->FramePaintEnabled;
        data_->FramePaintEnabled = false;
        CallDefaultProc(m);
        data_->FramePaintEnabled = paint;
      } else {
        CallDefaultProc(m);
      }
      if (HMENU menu = GetMenu(window_)) {
        if (menuBar_ && data_ && data_->MenuUpdate) {
          menuBar_->TakeMenu(menu);
          if (stage_ == TFrameStage::Skinned) PaintFrame(nullptr);
        }
        SetMenu(window_, nullptr);
      }
      return;
    default:
      break;
  }
  // Stage 3: the non-client area, once skinning is complete.
  if ((traits_.Kind == TFormKind::MDIChild && showState_ == TShowState::Maximized) ||
      stage_ == TFrameStage::Attached) {
    CallDefaultProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_DRAWITEM: WMDrawItem(m); return;
    case WM_MEASUREITEM: WMMeasureItem(m); return;
    case WM_NCCALCSIZE: WMNCCalcSize(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCPAINT: WMNCPaint(m); return;
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); return;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); return;
    case WM_NCLBUTTONUP: WMNCLButtonUp(m); return;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(m); return;
    case WM_NCRBUTTONDOWN: WMNCRButtonDown(m); return;
    case SM_REPAINTFRAME: PaintFrame(nullptr); return;
    default:
      CallDefaultProc(m);
      return;
  }
}

void TWinSkinForm::FormWindowProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      formLayer_.CallPrevious(m);
      if (IsWindowVisible(window_)) {
        TSkinManage* mgr = SkinManager();
        if (showState_ == TShowState::Maximized && mgr && mgr->MDIClient())
          PostMessageW(mgr->MDIClient(), SM_REPAINTMDIFRAME, reinterpret_cast<WPARAM>(window_), 0);
        if (showState_ == TShowState::Minimized) PaintFrame(nullptr);
        else FrameChanged();
      }
      return;
    case SM_REAPPLYSKIN:
      SkinChanged();
      return;
    case CM_DIALOGCHAR:
      DialogChar(m);
      return;
    case SM_PAINTFRAMETO:
      if (m.LParam == SKIN_MESSAGE_TAG) {
        if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
        m.Result = SKIN_MESSAGE_TAG;
      }
      return;
    case SM_ISSKINNEDFORM:
      m.Result = m.LParam == SKIN_MESSAGE_TAG ? SKIN_MESSAGE_TAG : 1;
      return;
    default:
      formLayer_.CallPrevious(m);
      return;
  }
}

void TWinSkinForm::WMStyleChanged(TMessage& m) {
  CallDefaultProc(m);
  if (m.WParam != static_cast<WPARAM>(GWL_STYLE) && m.WParam != static_cast<WPARAM>(GWL_EXSTYLE)) return;
  // The window switched its border (the main window's full screen and back):
  // the frame follows the new style and sizes.
  const TBorderKind oldKind = traits_.Border;
  ReadStyle();
  if (writingStyle_ || stage_ == TFrameStage::Attached || stage_ == TFrameStage::WindowGone ||
      stage_ == TFrameStage::WindowDestroying)
    return;
  if (oldKind != traits_.Border) {
    LoadFrameMetrics();
    if (traits_.Border == TBorderKind::None) ClearRegion();
    ForgetRegionSize();
  }
}
