// A skinned frame meets the user: frame sizes and caption buttons from the
// skin, the window icon, the hit test, non-client mouse input, hover hints,
// the system popup and the system commands.
#include <algorithm>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
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
  if (!data_ || data_->NoSkin) return;
  ForgetPaintCache();
  if (traits_.Border == TBorderKind::None) {
    metrics_ = TFrameMetrics{};
  } else {
    auto& b = data_->Borders;
    auto count = [](const TDataSkinBorder& x) { return std::max(x.FrameCount, 1); };
    metrics_.Top = b[2]->Bitmap->GetHeight() / count(*b[2]);
    metrics_.Left = b[0]->Bitmap->GetWidth() / count(*b[0]);
    metrics_.Right = b[1]->Bitmap->GetWidth() / count(*b[1]);
    metrics_.Bottom = b[3]->Bitmap->GetHeight() / count(*b[3]);
    if (menuBar_) metrics_.MenuBar = GetSystemMetrics(SM_CYMENU);
  }
  FreeCaptionButtons();
  for (std::size_t i = 0; i < data_->CaptionButtons.size(); ++i) {
    captionButtons_.push_back(std::make_unique<TWinSysButton>(this, static_cast<int>(i)));
    TDataSkinSysButton& b = *data_->CaptionButtons[i];
    if (b.Action == 3 || b.Action == 11) {
      // The window icon's button, and the skin's program icon, take the icon's picture when they have none.
      GetIconBitmap();
      if (b.Bitmap && !b.HasImage()) b.Bitmap->Assign(*icon_.Bitmap);
      if (data_->AppIcon && data_->AppIcon->Empty()) data_->AppIcon->Assign(*icon_.Bitmap);
      b.FrameCount = 1;
    }
  }
}

void TWinSkinForm::FreeCaptionButtons() {
  hot_ = nullptr;
  pressedObject_ = nullptr;
  captionButtons_.clear();
}

void TWinSkinForm::GetIconBitmap() {
  icon_.SmallSize = GetSystemMetrics(SM_CXSMICON);
  const int h = GetSystemMetrics(SM_CYSMICON);
  icon_.Bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  icon_.Bitmap->SetSize(icon_.SmallSize, h);
  if (icon_.Small) DestroyIcon(icon_.Small);
  icon_.Small = nullptr;
  HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
  RECT all{0, 0, icon_.SmallSize, h};
  FillRect(icon_.Bitmap->CanvasDC(), &all, key);
  DeleteObject(key);
  // The window's own icon; without one the program's (the application window's).
  auto iconOf = [](HWND w) {
    if (!w) return static_cast<HICON>(nullptr);
    auto icon = reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
    return icon ? icon : reinterpret_cast<HICON>(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
  };
  icon_.Handle = iconOf(window_);
  if (!icon_.Handle) icon_.Handle = iconOf(Application ? Application->Handle() : nullptr);
  if (!icon_.Handle) return;
  // One small copy per icon read, kept for the paints and destroyed with the next read.
  icon_.Small = static_cast<HICON>(CopyImage(icon_.Handle, IMAGE_ICON, icon_.SmallSize, h, LR_COPYFROMRESOURCE));
  if (icon_.Small) DrawIconEx(icon_.Bitmap->CanvasDC(), 0, 0, icon_.Small, icon_.SmallSize, h, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& rect) {
  if (icon_.Small) {
    // Drawn over the caption itself: its soft edges blend with the caption, not with the key colour.
    DrawIconEx(dc, rect.left, rect.top, icon_.Small, icon_.SmallSize, icon_.SmallSize, 0, nullptr, DI_NORMAL);
    return;
  }
  TBitmap& icon = *icon_.Bitmap;
  if (icon.Empty()) return;
  TransparentBlit(dc, RECT{rect.left, rect.top, rect.left + icon.GetWidth(), rect.top + icon.GetHeight()}, icon,
                  clFuchsia);
}

// --- Hit test and mouse -----------------------------------------------------------

bool TWinSkinForm::TakeHot(TNCObject* o) {
  if (hot_ && hot_ != o) hot_->MouseLeave();
  if (!o->Visible) return false;
  hot_ = o;
  WakeFrameTimer();
  return true;
}

void TWinSkinForm::LoseHot(const TNCObject* o) {
  if (hot_ == o) hot_ = nullptr;
}

void TWinSkinForm::DropHotMenuButton() {
  if (hot_ && dynamic_cast<TMenuBtn*>(hot_)) hot_ = nullptr;
}

POINT TWinSkinForm::ScreenToFrame(int x, int y) const {
  RECT w{};
  GetWindowRect(window_, &w);
  return POINT{x - w.left, y - w.top};
}

TNCObject* TWinSkinForm::NCObjectAtPoint(POINT p) const {
  for (const auto& button : captionButtons_) {
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
  if (p.y > 3 && p.y < metrics_.Top) m.Result = HTCAPTION;
  else if (metrics_.MenuBar > 0 && p.y >= metrics_.Top && p.y < metrics_.Top + metrics_.MenuBar) m.Result = HTMENU;
  else if (m.Result != HTNOWHERE) m.Result = HTBORDER;  // the system's idea of its own caption
}

void TWinSkinForm::WMNCActivate(TMessage& m) {
  active_ = m.WParam != 0;
  SetFrameTimer(m.WParam != 0);
  if (traits_.Kind == TFormKind::MDIFrame && mdiClient_) SendMessageW(mdiClient_, WM_NCACTIVATE, m.WParam, 0);
  else if (traits_.Kind == TFormKind::MDIChild) CallDefaultProc(m);
  if (!(traits_.Kind == TFormKind::MDIChild && showState_ == TShowState::Maximized)) PaintFrame(nullptr);
  m.Result = 1;
}

void TWinSkinForm::WMNCPaint(TMessage& m) {
  SetSysMenuStyle(true);  // the system draws no caption buttons of its own
  if (data_ && data_->FramePaintEnabled) {
    if ((traits_.Kind == TFormKind::MDIChild && showState_ == TShowState::Maximized) ||
        traits_.Border == TBorderKind::None) {
      CallDefaultProc(m);
      return;
    }
    PaintFrame(nullptr);
  }
  m.Result = 0;
}

void TWinSkinForm::WMSize(TMessage& m) {
  CallDefaultProc(m);
  if (m.WParam == SIZE_RESTORED) showState_ = TShowState::Normal;
  else if (m.WParam == SIZE_MINIMIZED) showState_ = TShowState::Minimized;
  else if (m.WParam == SIZE_MAXIMIZED) showState_ = TShowState::Maximized;
  if (showState_ == TShowState::Minimized) return;
  TSkinManage* mgr = SkinManager();
  if (traits_.Kind == TFormKind::MDIChild && ((mgr && mgr->MDIChildMaximized()) || showState_ != TShowState::Normal))
    return;
  if (stage_ == TFrameStage::Skinned || stage_ == TFrameStage::Reapplying) UpdateRegion();
}

void TWinSkinForm::WMNCMouseMove(TMessage& m) {
  if (!active_) {
    m.Result = 0;
    return;
  }
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && menuBar_) o = menuBar_->ItemAtPoint(p);
  if (o) {
    o->MouseMove();
    m.Result = 0;
    return;
  }
  if (hot_) hot_->MouseLeave();
  hot_ = nullptr;
  CallDefaultProc(m);
}

void TWinSkinForm::WMNCLButtonDown(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (data_) data_->HideHint();
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && menuBar_) o = menuBar_->ItemAtPoint(p);
  if (o) {
    if (!active_) SetForegroundWindow(window_);
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
  if (showState_ == TShowState::Maximized && active_ && m.WParam == HTCAPTION) m.WParam = HTMENU;
  CallDefaultProc(m);
}

void TWinSkinForm::WMNCLButtonUp(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (data_) data_->HideHint();
  TNCObject* o = NCObjectAtPoint(p);
  if (!o && menuBar_) o = menuBar_->ItemAtPoint(p);
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
  hot_ = o;
  WakeFrameTimer();
  o->MouseUp();
  CaptionButtonClick(PointOf(m.LParam).x, PointOf(m.LParam).y);
}

void TWinSkinForm::CaptionButtonClick(int x, int y) {
  auto* button = dynamic_cast<TWinSysButton*>(hot_);
  TDataSkinSysButton* b = button ? button->SkinButton() : nullptr;
  if (!b) return;
  switch (b->Action) {
    case 0:
      if (systemMenu_.Menu && GetMenuState(systemMenu_.Menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        SetFrameTimer(false);
        PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
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
      PostMessageW(window_, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    case 7: case 60: MDIChildCommand(SC_MINIMIZE); break;
    case 8: case 61: MDIChildCommand(SC_RESTORE); break;
    case 9: case 62: MDIChildCommand(SC_CLOSE); break;
    default:
      PostMessageW(window_, SM_CAPTIONACTION, static_cast<WPARAM>(b->Action), 0);
      break;
  }
}

void TWinSkinForm::WMNCLButtonDblClk(TMessage& m) {
  POINT p = ScreenToFrame(PointOf(m.LParam).x, PointOf(m.LParam).y);
  if (auto* button = dynamic_cast<TWinSysButton*>(NCObjectAtPoint(p))) {
    TDataSkinSysButton* b = button->SkinButton();
    if (b && (b->Action == 3 || b->Action == 11)) {
      SetFrameTimer(false);
      PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    m.Result = 0;
    return;
  }
  // Only the caption itself maximises or restores.
  if (m.WParam != HTCAPTION) {
    CallDefaultProc(m);
    return;
  }
  if (showState_ != TShowState::Normal) RestoreWindow();
  else if (traits_.Has(TWindowTraits::MaximizeBox)) ToggleMaximize();
  else CallDefaultProc(m);
}

void TWinSkinForm::WMNCRButtonDown(TMessage& m) {
  if (data_) data_->HideHint();
  if (m.WParam == HTCAPTION && traits_.Kind != TFormKind::MDIChild) {
    ShowSysPopupMenu(PointOf(m.LParam));
    m.Result = 0;
    return;
  }
  CallDefaultProc(m);
}

void TWinSkinForm::WMEraseBkgnd(TMessage& m) {
  CallDefaultProc(m);
  if (form_ || !data_ || !data_->FaceBrush) return;
  RECT r{};
  GetClientRect(window_, &r);
  FillRect(reinterpret_cast<HDC>(m.WParam), &r, data_->FaceBrush);
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
  if (data_) data_->HideHint();
}

bool TWinSkinForm::FrameTimerRunning() const { return frameTimer_ && frameTimer_->GetEnabled(); }

void TWinSkinForm::SetFrameTimer(bool on) {
  frameTimerResting_ = false;
  if (frameTimer_) frameTimer_->SetEnabled(on);
}

void TWinSkinForm::WakeFrameTimer() {
  if (!frameTimerResting_ || !frameTimer_) return;
  frameTimerResting_ = false;
  frameTimer_->SetEnabled(true);
}

void TWinSkinForm::TimerTick() {
  if (!hot_) {
    frameTimerResting_ = true;
    if (frameTimer_) frameTimer_->SetEnabled(false);
    return;
  }
  if (MenuTracking().InMenuLoop(this) || stage_ != TFrameStage::Skinned) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  POINT p = ScreenToFrame(cursor.x, cursor.y);
  if (!PtInRect(&hot_->BoundsRect, p)) {
    hot_->MouseLeave();
    hot_ = nullptr;
    ResetCaptionHint();
    return;
  }
  auto* button = dynamic_cast<TWinSysButton*>(hot_);
  TDataSkinSysButton* b = button ? button->SkinButton() : nullptr;
  if (!b || !data_) return;
  hintTime_ += 250;
  const int pause = 2 * kHintDelay;
  if (hintTime_ < pause) return;
  if (hintTime_ < pause + kHintShowTime) {
    RECT wr{};
    GetWindowRect(window_, &wr);
    std::string text = CaptionButtonHintText(b->Action);
    if (!text.empty()) {
      int x = button->BoundsRect.left + wr.left, y = cursor.y + 24;
      data_->ShowHint(RECT{x, y, x, y}, text);
    }
  } else {
    data_->HideHint();
  }
}

// --- System popup and commands ------------------------------------------------------

void TWinSkinForm::ShowSysPopupMenu(POINT p) {
  DWORD now = GetTickCount();
  if (now - systemMenu_.LastShown <= systemMenu_.DoubleClickTime) {
    // A second request within the double-click time: the icon was clicked twice.
    if (hot_) {
      SetFrameTimer(false);
      PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    return;
  }
  systemMenu_.LastShown = now;
  TPopupMenu* popup = BuildSysPopupMenu();
  if (!popup) return;  // a window without a system menu
  std::shared_ptr<bool> alive = alive_;
  MenuTracking().SystemPopupOpened(this);
  popup->Popup(p.x, p.y);
  if (!*alive) return;
  MenuTracking().SystemPopupClosed();
}

void TWinSkinForm::ToggleMaximize() {
  if (showState_ == TShowState::Maximized) {
    RestoreWindow();
    return;
  }
  if (traits_.Kind == TFormKind::MDIChild)
    if (TSkinManage* mgr = SkinManager()) mgr->SetMDIChildActive(true);
  showState_ = TShowState::Maximized;
  PostMessageW(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hot_ = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
  if (showState_ == TShowState::Minimized) {
    RestoreWindow();
    return;
  }
  showState_ = TShowState::Minimized;
  SetSysMenuStyle(false);
  PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
  showState_ = TShowState::Normal;
  PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::MDIChildCommand(WPARAM command) {
  if (traits_.Kind != TFormKind::MDIFrame || !mdiClient_) return;
  if (HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0)))
    SendMessageW(active, WM_SYSCOMMAND, command, 0);
}

void TWinSkinForm::WMCommand(TMessage& m) {
  switch (LOWORD(m.WParam) & 0xFFF0) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
    case SC_CLOSE: case SC_RESTORE:
      if (LOWORD(m.WParam) >= 0xF000) {
        PostMessageW(window_, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
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
  if (MenuTracking().InMenuLoop(this)) {
    CallDefaultProc(m);
    return;
  }
  const WPARAM command = m.WParam & 0xFFF0;
  if (command == SC_KEYMENU) {
    WORD key = LOWORD(m.LParam);
    if (key == VK_SPACE || key == ' ') {
      // The skin's system menu, and not the system's as well.
      POINT origin{0, 0};
      ClientToScreen(window_, &origin);
      ShowSysPopupMenu(origin);
      m.Result = 0;
      return;
    }
    // Alt or F10 alone opens the first pull-down of the bar, Alt+letter the one with that access key.
    if (key != '-' && !GetCapture()) {
      TMenuBtn* button = nullptr;
      if (key == 0 && menuBar_ && menuBar_->ButtonCount() > 0) button = menuBar_->Button(0);
      else if (key != 0) button = FindMenuAccel(key);
      if (key == 0 || button) {
        PopupMenuButton(button);
        m.Result = 1;
        return;
      }
    }
  }
  switch (command) {
    case SC_MINIMIZE: showState_ = TShowState::Minimized; break;
    case SC_MAXIMIZE: showState_ = TShowState::Maximized; break;
    case SC_RESTORE: {
      showState_ = TShowState::Normal;
      TSkinManage* mgr = SkinManager();
      if (traits_.Kind == TFormKind::MDIChild && mgr && mgr->MDIChildMaximized()) mgr->SetMDIChildActive(false);
      break;
    }
    default: break;
  }
  CallDefaultProc(m);
}
