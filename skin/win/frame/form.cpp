// A skinned frame: creation, attach, completion, resizing to the skin frame and detach.
#include "skin/win/frame/form.h"

#include <algorithm>

#include "skin/win/data/skin_data.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/owner.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/timer.h"

const TClassInfo& TWinSkinForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TWinSkinForm>("TWinSkinForm", &TComponent::StaticClass()).Build();
  return info;
}

TWinSkinForm::TWinSkinForm(TCustomForm* form, HWND window, std::string className)
    : TComponent(form), window_(window), form_(form), className_(std::move(className)),
      alive_(std::make_shared<bool>(true)) {
  icon_.Bitmap = std::make_unique<TBitmap>();
  caption_.ButtonScratch = std::make_unique<TBitmap>();
  systemMenu_.DoubleClickTime = GetDoubleClickTime();
  caption_.ButtonScratch->SetPixelFormat(TPixelFormat::pf24bit);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    caption_.Font = CreateFontIndirectW(&metrics.lfCaptionFont);
  if (!caption_.Font) {
    LOGFONTW plain{};
    plain.lfHeight = -12;
    plain.lfCharSet = DEFAULT_CHARSET;
    caption_.Font = CreateFontIndirectW(&plain);
  }
}

TWinSkinForm::~TWinSkinForm() {
  BeginDestroy();
  *alive_ = false;
  if (Attached()) {
    bool windowWhole = IsWindow(window_) && stage_ != TFrameStage::WindowDestroying &&
                       stage_ != TFrameStage::WindowGone && !(form_ && form_->Destroying());
    if (windowWhole) Detach();
    else DetachOnDestroy();
  }
  if (Attached()) Unsubclass();
  UnhookMDIClient();
  hot_ = nullptr;
  pressedObject_ = nullptr;
  FreeCaptionButtons();
  frameTimer_.reset();
  menuBar_.reset();
  systemMenu_.Popup.reset();
  MenuTracking().FrameGone(this);
  if (caption_.Font) DeleteObject(caption_.Font);
  if (icon_.Small) DestroyIcon(icon_.Small);
  if (TSkinManage* m = SkinManager()) m->RemoveForm(this);
}

// --- Window procedures --------------------------------------------------------------

void TWinSkinForm::Leave() {
  --depth_;
  if (depth_ == 0 && freePending_) delete this;
}

void TWinSkinForm::DeleteWhenIdle() {
  if (depth_ > 0) freePending_ = true;
  else delete this;
}

LRESULT TWinSkinForm::CallDefaultProc(TMessage& m) {
  if (subclass_.Attached() || subclass_.Previous()) subclass_.CallPrevious(m);
  else m.Result = DefWindowProcW(window_, m.Msg, m.WParam, m.LParam);
  return m.Result;
}

void TWinSkinForm::Unsubclass() { subclass_.Detach(); }

void TWinSkinForm::RestoreFormHook() { formLayer_.Remove(); }

// --- Attach --------------------------------------------------------------------

void TWinSkinForm::Attach(TSkinData* data) {
  if (form_) AttachForm(data);
  else AttachFrame(data);
}

void TWinSkinForm::AttachForm(TSkinData* data) {
  if (data->OnBeforeSkinForm) data->OnBeforeSkinForm(form_, window_, className_);
  // Owner-drawn menu items and a scrolling form do not go together; a form
  // class without the property is left as it is.
  if (data->SkinControls & SetOf(xcMenuItem)) SetPropByName(form_, "AutoScroll", "False");
  AttachFrame(data);
  if (!Attached()) return;
  if (drawsFrame_)
    formLayer_.Install(form_, [this](TMessage& m) {
      Enter();
      std::shared_ptr<bool> alive = alive_;
      FormWindowProc(m);
      if (*alive) Leave();
    });
  savedColor_ = form_->GetColor();
  form_->SetColor(data->Colors[scButtonFace]);
  SkinFormMenus(true);
}

void TWinSkinForm::SkinFormMenus(bool on) {
  if (!form_ || !data_) return;
  SkinPopupMenus(form_, on);
  if (data_->SkinControls & SetOf(xcMenuItem)) SkinMainMenus(form_, on);
}

void TWinSkinForm::CloseOpenMenus() {
  TMenuTracking& tracking = MenuTracking();
  tracking.CancelBarPullDown(this);
  if (tracking.SystemPopupOpen(this)) EndMenu();
}

void TWinSkinForm::ReadStyle() {
  traits_.Style = GetWindowLongW(window_, GWL_STYLE);
  LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
  if (!writingStyle_) appSysMenu_ = (traits_.Style & WS_SYSMENU) != 0;
  traits_.RightToLeft = (ex & WS_EX_LEFTSCROLLBAR) != 0;
  traits_.Child = (traits_.Style & WS_CHILD) != 0;
  traits_.Icons = (traits_.Icons & TWindowTraits::OwnTaskButton) | (appSysMenu_ ? TWindowTraits::SystemMenu : 0);
  if (traits_.Style & WS_MINIMIZEBOX) traits_.Icons |= TWindowTraits::MinimizeBox;
  if (traits_.Style & WS_MAXIMIZEBOX) traits_.Icons |= TWindowTraits::MaximizeBox;
  if (ex & WS_EX_CONTEXTHELP) traits_.Icons |= TWindowTraits::HelpBox;
  traits_.Sizable = (traits_.Style & WS_THICKFRAME) != 0;
  if ((traits_.Style & WS_CAPTION) != WS_CAPTION) traits_.Border = TBorderKind::None;
  else if (traits_.Style & WS_THICKFRAME) traits_.Border = TBorderKind::Sizable;
  else if (traits_.Style & DS_MODALFRAME) traits_.Border = TBorderKind::Dialog;
  else traits_.Border = TBorderKind::Single;
  // A dialog frame, with or without a caption of its own.
  if ((ex & WS_EX_DLGMODALFRAME) || traits_.Dialog) traits_.Border = TBorderKind::Dialog;
}

void TWinSkinForm::AttachFrame(TSkinData* data) {
  if (Attached()) return;
  if (TSkinManage* m = SkinManager()) m->SetStarted(1);
  data_ = data;
  drawsFrame_ = (data->SkinControls & SetOf(xcMainMenu)) != 0;
  traits_.Dialog = className_ == "#32770" || className_ == "TMessageForm";
  const HWND owner = GetWindow(window_, GW_OWNER);
  LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
  ReadStyle();
  showState_ = ReadShowState();
  FindMDIClient();
  if (ex & WS_EX_MDICHILD) {
    traits_.Kind = TFormKind::MDIChild;
    if (data->Options & SetOf(xoMDIChildBorder)) drawsFrame_ = false;
  }
  // Windows 2000 (exactly 5.0) gives a window its own task-bar button.
  DWORD version = GetVersion();
  if (LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0 &&
      ((ex & WS_EX_APPWINDOW) || (!owner && traits_.Kind != TFormKind::MDIChild)))
    traits_.Icons |= TWindowTraits::OwnTaskButton;
  traits_.Unicode = IsWindowUnicode(window_) != FALSE;
  if (traits_.Kind == TFormKind::MDIFrame) HookMDIClient();

  subclass_.Attach(window_, [this](TMessage& m) {
    Enter();
    std::shared_ptr<bool> alive = alive_;
    WndProc(m);
    if (*alive) Leave();
  });

  if (drawsFrame_) {
    menuHandle_ = GetMenu(window_);
    if (menuHandle_ && traits_.Kind != TFormKind::MDIChild) {
      menuBar_ = std::make_unique<TWinSkinMenu>(this);
      metrics_.MenuBar = GetSystemMetrics(SM_CYMENU);
      menuBar_->BuildItems();
    }
    LoadFrameMetrics();
  } else {
    stage_ = TFrameStage::Skinned;
  }
  if (traits_.Kind == TFormKind::MDIChild) {
    int top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (metrics_.Top < top) metrics_.MenuBar = top - metrics_.Top;
    TSkinManage* m = SkinManager();
    if (showState_ == TShowState::Maximized && m && !m->MDIChildMaximized()) m->SetMDIChildActive(true);
  }
}

void TWinSkinForm::FindMDIClient() {
  traits_.Kind = TFormKind::Plain;
  for (HWND child = GetTopWindow(window_); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetClassNameString(child) == "MDIClient") {
      traits_.Kind = TFormKind::MDIFrame;
      mdiClient_ = child;
      if (TSkinManage* m = SkinManager()) m->SetMDIClient(child, form_);
      return;
    }
}

TShowState TWinSkinForm::ReadShowState() const {
  WINDOWPLACEMENT p{};
  p.length = sizeof p;
  if (!GetWindowPlacement(window_, &p)) return TShowState::Normal;
  if (p.showCmd == SW_SHOWMINIMIZED || p.showCmd == SW_MINIMIZE || p.showCmd == SW_SHOWMINNOACTIVE)
    return TShowState::Minimized;
  if (p.showCmd == SW_SHOWMAXIMIZED) return TShowState::Maximized;
  return TShowState::Normal;
}

void TWinSkinForm::CalcClientMargins() {
  RECT w{}, c{};
  GetWindowRect(window_, &w);
  GetClientRect(window_, &c);
  ownFrame_.Client = c;
  ownFrame_.NCWidth = (w.right - w.left) - c.right;
  ownFrame_.NCHeight = (w.bottom - w.top) - c.bottom;
}

// --- Completion (SM_COMPLETESKIN) ----------------------------------------------------

void TWinSkinForm::Complete() {
  systemMenu_.Menu = GetSystemMenu(window_, FALSE);
  GetIconBitmap();
  CalcClientMargins();
  SkinControls();
  if (stage_ == TFrameStage::Attached) {
    TSkinManage* m = SkinManager();
    if (traits_.Kind == TFormKind::MDIChild) {
      if (showState_ == TShowState::Maximized) {
        if (m && m->MDIClient()) PostMessageW(m->MDIClient(), SM_REPAINTMDIFRAME, reinterpret_cast<WPARAM>(window_), 0);
      } else if (showState_ == TShowState::Normal) {
        stage_ = TFrameStage::Resizing;
        ResizeToSkinFrame(false);
        stage_ = TFrameStage::Skinned;
        UpdateRegion();
      }
    } else if (!traits_.Child && traits_.Border != TBorderKind::None && showState_ != TShowState::Minimized &&
               drawsFrame_) {
      stage_ = TFrameStage::Resizing;
      ResizeToSkinFrame(false);
      stage_ = TFrameStage::Skinned;
      if (showState_ == TShowState::Normal) UpdateRegion();
      else FrameChanged();
    }
  }
  NotifySkinned();
  stage_ = TFrameStage::Skinned;
  if (!frameTimer_) {
    frameTimer_ = std::make_unique<TTimer>(nullptr);
    frameTimer_->SetEnabled(false);
    frameTimer_->SetInterval(250);
    frameTimer_->OnTimer = [this](TObject*) { TimerTick(); };
  }
  SetFrameTimer(true);
  // Wine's own caption may have been drawn meanwhile.
  if (drawsFrame_) PaintFrame(nullptr);
}

void TWinSkinForm::NotifySkinned() {
  SendMessageW(window_, SM_SKINNED, 0, SKIN_MESSAGE_TAG);
  if (data_ && data_->OnAfterSkinForm) data_->OnAfterSkinForm(form_, window_, className_);
}

void TWinSkinForm::SkinChanged() {
  if (form_ && data_) {
    form_->SetColor(data_->Colors[scButtonFace]);
    for (int i = 0; i < form_->ComponentCount(); ++i)
      if (auto* f = dynamic_cast<TCustomForm*>(form_->Components(i))) f->SetColor(data_->Colors[scButtonFace]);
  }
  stage_ = TFrameStage::Reapplying;
  if (drawsFrame_ && form_) {
    SkinPopupMenus(form_, true);
    ResizeToSkinFrame(true);
    form_->SetHeight(form_->GetHeight() + 1);
    form_->SetHeight(form_->GetHeight() - 1);
  }
  controls_.SkinChanged();
  NotifySkinned();
  stage_ = TFrameStage::Skinned;
}

// --- Sizes ------------------------------------------------------------------------

void TWinSkinForm::FrameChanged() {
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TWinSkinForm::DialogFitsCaption(int& width) {
  int length = GetWindowTextLengthW(window_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
  HDC dc = GetWindowDC(window_);
  HGDIOBJ old = SelectObject(dc, caption_.Font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  int needed = data_->Title->LeftWidth + size.cx + data_->Title->RightWidth;
  if (width >= needed) return true;
  int shift = (needed - width) / 2;
  for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(c, nullptr, r.left + shift, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOACTIVATE);
  }
  width = needed;
  return false;
}

void TWinSkinForm::ResizeToSkinFrame(bool useClientRect) {
  if (showState_ == TShowState::Maximized) {
    FrameChanged();
    return;
  }
  RECT w{};
  GetWindowRect(window_, &w);
  if (traits_.Dialog || stage_ == TFrameStage::Reapplying) GetClientRect(window_, &ownFrame_.Client);
  int clientWidth = ownFrame_.Client.right;
  if (!useClientRect && form_) clientWidth = form_->ClientWidth();
  int width = clientWidth + metrics_.Left + metrics_.Right;
  if (useClientRect) {
    GetClientRect(window_, &ownFrame_.Client);
  } else if (form_) {
    ownFrame_.Client.bottom = form_->ClientHeight() - (traits_.Kind == TFormKind::MDIChild ? 0 : metrics_.MenuBar);
  }
  int height = ownFrame_.Client.bottom + metrics_.Top + metrics_.Bottom + metrics_.MenuBar;
  if (traits_.Dialog && !useClientRect && data_) DialogFitsCaption(width);
  SetWindowPos(window_, nullptr, w.left, w.top, width, height,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The client area moved within the window: what it showed before is not kept.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::WMNCCalcSize(TMessage& m) {
  // What the window would have without the skin, for a frame without caption.
  CallDefaultProc(m);
  if (m.WParam == 0) {
    m.Result = 0;
    return;
  }
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  const WINDOWPOS* pos = p->lppos;
  if ((traits_.Kind == TFormKind::MDIChild && showState_ != TShowState::Normal) ||
      traits_.Border == TBorderKind::None) {
    p->rgrc[1] = p->rgrc[0];
  } else {
    p->rgrc[0] = RECT{pos->x + metrics_.Left, pos->y + metrics_.Top + metrics_.MenuBar,
                      pos->x + pos->cx - metrics_.Right, pos->y + pos->cy - metrics_.Bottom};
    p->rgrc[1] = p->rgrc[0];
  }
  m.Result = WVR_VALIDRECTS;
}

// --- Detach ---------------------------------------------------------------------------

void TWinSkinForm::RepaintWindow() {
  if (!IsWindow(window_)) return;
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
}

void TWinSkinForm::DetachControlsOnly() {
  SetFrameTimer(false);
  if (form_ && stage_ != TFrameStage::WindowDestroying) form_->SetColor(savedColor_);
  Unsubclass();
  UnhookMDIClient();
  if (form_ && stage_ != TFrameStage::WindowDestroying)
    for (int i = 0; i < form_->ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TControl*>(form_->Components(i))) c->Invalidate();
}

void TWinSkinForm::Detach() {
  ReleaseSkinControls(stage_ != TFrameStage::WindowDestroying);
  CloseOpenMenus();
  if (!drawsFrame_) {
    SkinFormMenus(false);
    DetachControlsOnly();
    return;
  }
  // The window's size with the skin, before the system frame comes back.
  RECT w{};
  GetWindowRect(window_, &w);
  if (!DetachProcedures()) return;
  SkinFormMenus(false);
  SetSysMenuStyle(false);
  // A menu given back takes the place of the skin's bar strip, drawn by the system again.
  bool menuBack = menuBar_ && menuBar_->Menu() && IsMenu(menuBar_->Menu());
  if (menuBack) {
    SetMenuOwnerDraw(menuBar_->Menu(), false);
    SetMenu(window_, menuBar_->Menu());
  }
  menuBar_.reset();
  UnhookMDIClient();
  if (stage_ != TFrameStage::WindowDestroying && (traits_.Kind == TFormKind::MDIChild || !traits_.Child) &&
      IsWindow(window_)) {
    POINT at{w.left, w.top};
    if (traits_.Kind == TFormKind::MDIChild) {
      TSkinManage* m = SkinManager();
      if (m && m->MDIClient()) ScreenToClient(m->MDIClient(), &at);
    }
    // The system frame again, with the client area the skin gave the window.
    int width = (w.right - w.left) - metrics_.Left - metrics_.Right + ownFrame_.NCWidth;
    int height =
        (w.bottom - w.top) - metrics_.Top - metrics_.Bottom - (menuBack ? 0 : metrics_.MenuBar) + ownFrame_.NCHeight;
    if (showState_ == TShowState::Normal)
      SetWindowPos(window_, nullptr, at.x, at.y, width, height, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    else
      FrameChanged();
  }
  if (IsWindow(window_)) SetWindowRgn(window_, nullptr, TRUE);
  region_ = TRegionState{};
}

void TWinSkinForm::DetachOnDestroy() {
  CloseOpenMenus();
  // A form being destroyed frees its menus with it.
  if (form_ && !form_->Destroying()) SkinFormMenus(false);
  ReleaseSkinControls(false);
  if (!drawsFrame_) {
    DetachControlsOnly();
    return;
  }
  if (DetachProcedures()) menuBar_.reset();
}

bool TWinSkinForm::DetachProcedures() {
  SetFrameTimer(false);
  if (!Attached()) return false;
  hot_ = nullptr;
  pressedObject_ = nullptr;
  if (data_) data_->HideHint();
  RestoreFormHook();
  Unsubclass();
  if (form_ && stage_ != TFrameStage::WindowDestroying && !form_->Destroying()) form_->SetColor(savedColor_);
  return true;
}
