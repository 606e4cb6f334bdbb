// The window procedures of a skinned frame: which messages the skin takes
// over, which it only watches, and which go unchanged to the saved procedure.
#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_menu_tracking.h"
#include "skin/win/skin_messages.h"
#include "toolkit/win/form.h"

void TWinSkinForm::WndProc(TMessage& m) {
  if (SkinState == 0 && m.Msg == WM_NCPAINT) {
    m.Result = 0;
    return;
  }
  // Stage 1: every frame.
  switch (m.Msg) {
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_NCDESTROY: {
      SkinState = 4;
      DetachOnDestroy();  // gives the window its procedure back first
      CallDefaultProc(m);
      SkinState = 6;
      return;
    }
    case 0xAE:  // the system's themed caption redraw
      m.Result = 0;
      return;
    case WM_INITMENUPOPUP:
      MenuTracking().MenuInitialised(reinterpret_cast<HMENU>(m.WParam) == SystemMenu);
      CallDefaultProc(m);
      return;
    case WM_MENUSELECT:
      WMMenuSelect(m);  // sent to the owner: the menu loop's hook never sees it
      return;
    case WM_CTLCOLORBTN:
      CallDefaultProc(m);
      if (!FormControl) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
      return;
    case WM_CTLCOLORSTATIC:
      CallDefaultProc(m);
      if (!FormControl && SkinData && SkinData->FaceBrush) {
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush);
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
      PostMessageW(FormHandle, SM_SKINNED, 0, SKIN_MESSAGE_TAG);
      return;
    case WM_NCACTIVATE:
      if (SkinState == 0 && FormKind != 2) {
        NCActive = static_cast<BYTE>(m.WParam != 0);
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  if (!SkinFrame) {
    CallDefaultProc(m);
    return;
  }
  // Stage 2: skinned frames of top-level windows and MDI children.
  if (IsChildWindow && FormKind != 2) {
    CallDefaultProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_SIZE:
      WMSize(m);
      return;
    case WM_ACTIVATE:
      NCActive = LOWORD(m.WParam) != WA_INACTIVE;
      break;
    case WM_NCACTIVATE:
      NCActive = static_cast<BYTE>(m.WParam != 0);
      break;
    case WM_GETMINMAXINFO:
      CallDefaultProc(m);
      WindowState = ReadWindowState();
      return;
    case WM_WINDOWPOSCHANGED:
      WindowState = ReadWindowState();
      CallDefaultProc(m);
      return;
    case WM_STYLECHANGED:
      WMStyleChanged(m);
      return;
    case WM_SETICON:
      CallDefaultProc(m);
      GetIconBitmap();
      if (SkinState == 1) PaintFrame(nullptr);  // the system drew its own caption
      return;
    case WM_SETTEXT:
      CallDefaultProc(m);
      if (SkinState == 1) PaintFrame(nullptr);  // the system drew its own caption
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
      if (SkinData) {
        bool paint = SkinData->FramePaintEnabled;
        SkinData->FramePaintEnabled = false;
        CallDefaultProc(m);
        SkinData->FramePaintEnabled = paint;
      } else {
        CallDefaultProc(m);
      }
      if (HMENU menu = GetMenu(FormHandle)) {
        if (SkinMenuBar && SkinData && SkinData->MenuUpdate) {
          SkinMenuBar->BarMenuHandle = menu;
          SkinMenuBar->BuildItems();
          SkinMenuBar->Layout();
          if (SkinState == 1) PaintFrame(nullptr);
        }
        SetMenu(FormHandle, nullptr);
      }
      return;
    default:
      break;
  }
  // Stage 3: the non-client area, once skinning is complete.
  if ((FormKind == 2 && WindowState == 1) || SkinState == 0) {
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
      if (IsWindowVisible(FormHandle)) {
        TSkinManage* mgr = SkinManager();
        if (WindowState == 1 && mgr && mgr->MDIClientHandle)
          PostMessageW(mgr->MDIClientHandle, SM_REPAINTMDIFRAME, reinterpret_cast<WPARAM>(FormHandle), 0);
        if (WindowState == 2) PaintFrame(nullptr);
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
  int oldKind = BorderKind;
  ReadStyle();
  if (writingStyle_ || SkinState == 0 || SkinState == 6 || SkinState == 4) return;
  if (oldKind != BorderKind) {
    LoadFrameMetrics();
    if (BorderKind == 2) ClearRegion();
    RegionSize = SIZE{};
  }
}
