// A skinned frame meets the user: frame sizes and caption buttons from the
// skin, the window icon, the hit test, non-client mouse input, hover hints,
// the system popup and the system commands.
#include <algorithm>

#include "skin/win/skin_data.h"
#include "skin/win/skin_draw.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_messages.h"
#include "toolkit/win/application.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/timer.h"

namespace {
POINT PointOf(LPARAM lp) {
  return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}
constexpr int kHintDelay = 500, kHintShowTime = 2500;  // the application's hint timings (ms)
}  // namespace

// --- Frame sizes and caption buttons -------------------------------------------

void TWinSkinForm::LoadFrameMetrics() {
  if (!SkinData || SkinData->NoSkin) return;
  ForgetPaintCache();
  if (BorderKind == 2) {
    FrameLeft = FrameTop = FrameRight = FrameBottom = 0;
    MenuBarHeight = 0;
  } else {
    auto& b = SkinData->Borders;
    auto count = [](const TDataSkinBorder& x) { return std::max(x.FrameCount, 1); };
    FrameTop = b[2]->Bitmap->GetHeight() / count(*b[2]);
    FrameLeft = b[0]->Bitmap->GetWidth() / count(*b[0]);
    FrameRight = b[1]->Bitmap->GetWidth() / count(*b[1]);
    FrameBottom = b[3]->Bitmap->GetHeight() / count(*b[3]);
    if (SkinMenuBar) MenuBarHeight = GetSystemMetrics(SM_CYMENU);
  }
  FreeCaptionButtons();
  for (std::size_t i = 0; i < SkinData->CaptionButtons.size(); ++i) {
    SysButtons.push_back(std::make_unique<TWinSysButton>(this, static_cast<int>(i)));
    TDataSkinSysButton& b = *SkinData->CaptionButtons[i];
    if (b.Action == 3 || b.Action == 11) {
      // The window icon's button, and the skin's program icon, take the icon's picture when they have none.
      GetIconBitmap();
      if (b.Bitmap && !b.HasImage()) b.Bitmap->Assign(*IconBitmap);
      if (SkinData->AppIcon && SkinData->AppIcon->Empty()) SkinData->AppIcon->Assign(*IconBitmap);
      b.FrameCount = 1;
    }
  }
}

void TWinSkinForm::FreeCaptionButtons() {
  HotObject = nullptr;
  pressedObject_ = nullptr;
  SysButtons.clear();
}

void TWinSkinForm::GetIconBitmap() {
  SmallIconSize = GetSystemMetrics(SM_CXSMICON);
  const int h = GetSystemMetrics(SM_CYSMICON);
  IconBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  IconBitmap->SetSize(SmallIconSize, h);
  if (SmallIcon) DestroyIcon(SmallIcon);
  SmallIcon = nullptr;
  HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
  RECT all{0, 0, SmallIconSize, h};
  FillRect(IconBitmap->CanvasDC(), &all, key);
  DeleteObject(key);
  // The window's own icon; without one the program's (the application window's).
  auto iconOf = [](HWND w) {
    if (!w) return static_cast<HICON>(nullptr);
    auto icon = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
    return icon ? icon : reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
  };
  IconHandle = iconOf(FormHandle);
  if (!IconHandle) IconHandle = iconOf(Application ? Application->Handle() : nullptr);
  if (!IconHandle) return;
  // One small copy per icon read, kept for the paints and destroyed with the next read.
  SmallIcon = static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, SmallIconSize, h, LR_COPYFROMRESOURCE));
  if (SmallIcon) DrawIconEx(IconBitmap->CanvasDC(), 0, 0, SmallIcon, SmallIconSize, h, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& rect) {
  if (SmallIcon) {
    // Drawn over the caption itself: its soft edges blend with the caption, not with the key colour.
    DrawIconEx(dc, rect.left, rect.top, SmallIcon, SmallIconSize, SmallIconSize, 0, nullptr, DI_NORMAL);
    return;
  }
  if (IconBitmap->Empty()) return;
  TransparentBlit(dc, RECT{rect.left, rect.top, rect.left + IconBitmap->GetWidth(), rect.top + IconBitmap->GetHeight()},
                  *IconBitmap, clFuchsia);
}

// --- Hit test and mouse -----------------------------------------------------------

POINT TWinSkinForm::ScreenToFrame(int x, int y) const {
  RECT w{};
  GetWindowRect(FormHandle, &w);
  return POINT{x - w.left, y - w.top};
}

TNCObject* TWinSkinForm::NCObjectAtPoint(POINT p) const {
  for (const auto& button : SysButtons) {
    TDataSkinSysButton* b = button->SkinButton();
    if (button->Visible && b && b->Action >= 0 && PtInRect(&button->BoundsRect, p)) return button.get();
  }
  return nullptr;
}

void TWinSkinForm::WMNCHitTest(TMessage& m) {
  CallDefaultProc(m);
  switch (m.Result) {
    case HTNOWHERE: case HTCAPTION: case HTBORDER: case HTSYSMENU: case HTMINBUTTON: case HTMAXBUTTON:
    case HTCLOSE: case HTHELP: case HTMENU:
      break;
    default:
      return;  // the client, sizing edges and scroll bars stay the system's
  }
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (p.y > 3 && p.y < FrameTop) m.Result = HTCAPTION;
  else if (MenuBarHeight > 0 && p.y >= FrameTop && p.y < FrameTop + MenuBarHeight) m.Result = HTMENU;
  else if (m.Result != HTNOWHERE) m.Result = HTBORDER;  // the system's idea of its own caption
}

void TWinSkinForm::WMNCActivate(TMessage& m) {
  NCActive = static_cast<BYTE>(m.WParam != 0);
  SetFrameTimer(m.WParam != 0);
  if (FormKind == 1 && MDIClient) SendMessageW(MDIClient, WM_NCACTIVATE, m.WParam, 0);
  else if (FormKind == 2) CallDefaultProc(m);
  if (!(FormKind == 2 && WindowState == 1)) PaintFrame(nullptr);
  m.Result = 1;
}

void TWinSkinForm::WMNCPaint(TMessage& m) {
  SetSysMenuStyle(true);  // the system draws no caption buttons of its own
  if (SkinData && SkinData->FramePaintEnabled) {
    if ((FormKind == 2 && WindowState == 1) || BorderKind == 2) {
      CallDefaultProc(m);
      return;
    }
    PaintFrame(nullptr);
  }
  m.Result = 0;
}

void TWinSkinForm::WMSize(TMessage& m) {
  CallDefaultProc(m);
  if (m.WParam == SIZE_RESTORED) WindowState = 0;
  else if (m.WParam == SIZE_MINIMIZED) WindowState = 2;
  else if (m.WParam == SIZE_MAXIMIZED) WindowState = 1;
  if (WindowState == 2) return;
  TSkinManage* mgr = SkinManager();
  if (FormKind == 2 && ((mgr && mgr->MDIChildMaximized) || WindowState != 0)) return;
  if (SkinState == 1 || SkinState == 3) UpdateRegion();
}

void TWinSkinForm::WMNCMouseMove(TMessage& m) {
  if (!NCActive) {
    m.Result = 0;
    return;
  }
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && SkinMenuBar) o = SkinMenuBar->ItemAtPoint(p);
  if (o) {
    o->MouseMove();
    m.Result = 0;
    return;
  }
  if (HotObject) HotObject->MouseLeave();
  HotObject = nullptr;
  CallDefaultProc(m);
}

void TWinSkinForm::WMNCLButtonDown(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (SkinData) SkinData->HideHint();
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && SkinMenuBar) o = SkinMenuBar->ItemAtPoint(p);
  if (o) {
    if (!NCActive) SetForegroundWindow(FormHandle);
    pressedObject_ = o;
    o->MouseDown();
    m.Result = 0;
    if (auto* b = dynamic_cast<TMenuBtn*>(o)) {
      pressedObject_ = nullptr;
      PopupMenuButton(b);
    }
    return;
  }
  pressedObject_ = nullptr;
  // A maximised window cannot be dragged by its caption.
  if (WindowState == 1 && NCActive && m.WParam == HTCAPTION) m.WParam = HTMENU;
  CallDefaultProc(m);
}

void TWinSkinForm::WMNCLButtonUp(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (SkinData) SkinData->HideHint();
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && SkinMenuBar) o = SkinMenuBar->ItemAtPoint(p);
  if (!o) {
    pressedObject_ = nullptr;
    CallDefaultProc(m);
    return;
  }
  // Only the button that was pressed acts, when it is released over itself.
  TNCObject* pressed = pressedObject_;
  pressedObject_ = nullptr;
  m.Result = 0;
  if (o != pressed || !o->IsCaptionButton()) return;
  HotObject = o;
  WakeFrameTimer();
  o->MouseUp();
  CaptionButtonClick(PointOf(m.LParam).x, PointOf(m.LParam).y);
}

void TWinSkinForm::CaptionButtonClick(int x, int y) {
  auto* button = dynamic_cast<TWinSysButton*>(HotObject);
  TDataSkinSysButton* b = button ? button->SkinButton() : nullptr;
  if (!b) return;
  switch (b->Action) {
    case 0:
      if (SystemMenu && GetMenuState(SystemMenu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        SetFrameTimer(false);
        PostMessageW(FormHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      break;
    case 1: case 22:
      if (button->Enabled) ToggleMaximize();
      break;
    case 2: case 23:
      if (button->Enabled) ToggleMinimize();
      break;
    case 3: case 11: case 12:
      ShowSysPopupMenu(POINT{x + 1, y + 1});
      break;
    case 4:
      PostMessageW(FormHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    case 7: case 60: MDIChildCommand(SC_MINIMIZE); break;
    case 8: case 61: MDIChildCommand(SC_RESTORE); break;
    case 9: case 62: MDIChildCommand(SC_CLOSE); break;
    default:
      PostMessageW(FormHandle, SM_CAPTIONACTION, static_cast<WPARAM>(b->Action), 0);
      break;
  }
}

void TWinSkinForm::WMNCLButtonDblClk(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (auto* button = dynamic_cast<TWinSysButton*>(NCObjectAtPoint(p))) {
    TDataSkinSysButton* b = button->SkinButton();
    if (b && (b->Action == 3 || b->Action == 11)) {
      SetFrameTimer(false);
      PostMessageW(FormHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    m.Result = 0;
    return;
  }
  // Only the caption itself maximises or restores.
  if (m.WParam != HTCAPTION) {
    CallDefaultProc(m);
    return;
  }
  if (WindowState != 0) RestoreWindow();
  else if (BorderIconBits & 1) ToggleMaximize();
  else CallDefaultProc(m);
}

void TWinSkinForm::WMNCRButtonDown(TMessage& m) {
  if (SkinData) SkinData->HideHint();
  if (m.WParam == HTCAPTION && FormKind != 2) {
    ShowSysPopupMenu(PointOf(m.LParam));
    m.Result = 0;
    return;
  }
  CallDefaultProc(m);
}

void TWinSkinForm::WMEraseBkgnd(TMessage& m) {
  CallDefaultProc(m);
  if (FormControl || !SkinData || !SkinData->FaceBrush) return;
  RECT r{};
  GetClientRect(FormHandle, &r);
  FillRect(reinterpret_cast<HDC>(m.WParam), &r, SkinData->FaceBrush);
  m.Result = 1;
}

// --- Hints ----------------------------------------------------------------------------

std::string TWinSkinForm::CaptionButtonHintText(int action) {
  switch (action) {
    case 0: case 9: case 62: return "Close";
    case 1: case 22: return "Maximize";
    case 2: case 23: case 7: case 60: return "Minimize";
    case 8: case 61: return "Restore";
    default: return "";
  }
}

void TWinSkinForm::ResetCaptionHint() {
  hintTime_ = 0;
  if (SkinData) SkinData->HideHint();
}

void TWinSkinForm::SetFrameTimer(bool on) {
  frameTimerResting_ = false;
  if (FrameTimer) FrameTimer->SetEnabled(on);
}

void TWinSkinForm::WakeFrameTimer() {
  if (!frameTimerResting_ || !FrameTimer) return;
  frameTimerResting_ = false;
  FrameTimer->SetEnabled(true);
}

void TWinSkinForm::TimerTick() {
  if (!HotObject) {
    frameTimerResting_ = true;
    if (FrameTimer) FrameTimer->SetEnabled(false);
    return;
  }
  if (InMenuLoop || SkinState != 1) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  POINT p = ScreenToFrame(cursor.x, cursor.y);
  if (!PtInRect(&HotObject->BoundsRect, p)) {
    HotObject->MouseLeave();
    HotObject = nullptr;
    ResetCaptionHint();
    return;
  }
  auto* button = dynamic_cast<TWinSysButton*>(HotObject);
  TDataSkinSysButton* b = button ? button->SkinButton() : nullptr;
  if (!b || !SkinData) return;
  hintTime_ += 250;
  const int pause = 2 * kHintDelay;
  if (hintTime_ < pause) return;
  if (hintTime_ < pause + kHintShowTime) {
    GetWindowRect(FormHandle, &WindowRect);
    std::string text = CaptionButtonHintText(b->Action);
    if (!text.empty()) {
      int x = button->BoundsRect.left + WindowRect.left, y = cursor.y + 24;
      SkinData->ShowHint(RECT{x, y, x, y}, text);
    }
  } else {
    SkinData->HideHint();
  }
}

// --- System popup and commands ------------------------------------------------------

void TWinSkinForm::ShowSysPopupMenu(POINT p) {
  DWORD now = GetTickCount();
  if (now - LastSysMenuTick <= DoubleClickTime) {
    // A second request within the double-click time: the icon was clicked twice.
    if (HotObject) {
      SetFrameTimer(false);
      PostMessageW(FormHandle, WM_CLOSE, 0, 0);
    }
    return;
  }
  LastSysMenuTick = now;
  BuildSysPopupMenu();
  if (!SysPopupMenu) return;  // a window without a system menu
  if (TSkinManage* mgr = SkinManager()) mgr->MenuKind = 2;
  std::shared_ptr<bool> alive = alive_;
  SysMenuOpen = true;
  SysPopupMenu->Popup(p.x, p.y);
  if (!*alive) return;
  SysMenuOpen = false;
  if (TSkinManage* mgr = SkinManager()) mgr->MenuKind = 0;
}

void TWinSkinForm::ToggleMaximize() {
  if (WindowState == 1) {
    RestoreWindow();
    return;
  }
  if (FormKind == 2)
    if (TSkinManage* mgr = SkinManager()) mgr->SetMDIChildActive(true);
  WindowState = 1;
  PostMessageW(FormHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  HotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
  if (WindowState == 2) {
    RestoreWindow();
    return;
  }
  WindowState = 2;
  SetSysMenuStyle(false);
  PostMessageW(FormHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
  WindowState = 0;
  PostMessageW(FormHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::MDIChildCommand(WPARAM command) {
  if (FormKind != 1 || !MDIClient) return;
  if (HWND active = reinterpret_cast<HWND>(SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0)))
    SendMessageW(active, WM_SYSCOMMAND, command, 0);
}

void TWinSkinForm::WMCommand(TMessage& m) {
  switch (LOWORD(m.WParam) & 0xFFF0) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
    case SC_CLOSE: case SC_RESTORE:
      if (LOWORD(m.WParam) >= 0xF000) {
        PostMessageW(FormHandle, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  CallDefaultProc(m);
}

void TWinSkinForm::WMSysCommand(TMessage& m) {
  if (InMenuLoop) {
    CallDefaultProc(m);
    return;
  }
  const WPARAM command = m.WParam & 0xFFF0;
  if (command == SC_KEYMENU) {
    WORD key = LOWORD(m.LParam);
    if (key == VK_SPACE || key == ' ') {
      // The skin's system menu, and not the system's as well.
      POINT origin{0, 0};
      ClientToScreen(FormHandle, &origin);
      ShowSysPopupMenu(origin);
      m.Result = 0;
      return;
    }
    // Alt or F10 alone opens the first pull-down of the bar, Alt+letter the one with that access key.
    if (key != '-' && !GetCapture()) {
      TMenuBtn* button = nullptr;
      if (key == 0 && SkinMenuBar && SkinMenuBar->ButtonCount() > 0) button = SkinMenuBar->BarButtons.front().get();
      else if (key != 0) button = FindMenuAccel(key);
      if (key == 0 || button) {
        PopupMenuButton(button);
        m.Result = 1;
        return;
      }
    }
  }
  switch (command) {
    case SC_MINIMIZE: WindowState = 2; break;
    case SC_MAXIMIZE: WindowState = 1; break;
    case SC_RESTORE: {
      WindowState = 0;
      TSkinManage* mgr = SkinManager();
      if (FormKind == 2 && mgr && mgr->MDIChildMaximized) mgr->SetMDIChildActive(false);
      break;
    }
    default: break;
  }
  CallDefaultProc(m);
}
