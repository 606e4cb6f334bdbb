// A skinned frame: creation, attach, completion, resizing to the skin frame and detach.
#include "skin/win/skin_form.h"

#include <algorithm>

#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_menu_owner.h"
#include "skin/win/skin_messages.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/timer.h"

const TClassInfo& TWinSkinForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TWinSkinForm>("TWinSkinForm", &TComponent::StaticClass()).Build();
  return info;
}

TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner),
      IconBitmap(std::make_unique<TBitmap>()),
      CaptionBitmap(std::make_unique<TBitmap>()),
      alive_(std::make_shared<bool>(true)) {
  DoubleClickTime = GetDoubleClickTime();
  CaptionBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    SysCaptionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
  if (!SysCaptionFont) {
    LOGFONTW plain{};
    plain.lfHeight = -12;
    plain.lfCharSet = DEFAULT_CHARSET;
    SysCaptionFont = CreateFontIndirectW(&plain);
  }
}

TWinSkinForm::~TWinSkinForm() {
  BeginDestroy();
  *alive_ = false;
  if (Attached()) {
    bool windowWhole = IsWindow(FormHandle) && SkinState != 4 && SkinState != 6 &&
                       !(FormControl && FormControl->Destroying());
    if (windowWhole) Detach();
    else DetachOnDestroy();
  }
  if (Attached()) Unsubclass();
  UnhookMDIClient();
  HotObject = nullptr;
  pressedObject_ = nullptr;
  FreeCaptionButtons();
  FrameTimer.reset();
  SkinMenuBar.reset();
  SysPopupMenu.reset();
  if (SysCaptionFont) DeleteObject(SysCaptionFont);
  if (SmallIcon) DestroyIcon(SmallIcon);
  if (TSkinManage* m = SkinManager()) m->RemoveForm(this);
}

// --- Window procedures --------------------------------------------------------------

void TWinSkinForm::Leave() {
  --depth_;
  if (depth_ == 0 && FreePending) delete this;
}

LRESULT TWinSkinForm::CallDefaultProc(TMessage& m) {
  if (subclass_.Attached() || subclass_.Previous()) subclass_.CallPrevious(m);
  else m.Result = DefWindowProcW(FormHandle, m.Msg, m.WParam, m.LParam);
  return m.Result;
}

void TWinSkinForm::Unsubclass() { subclass_.Detach(); }

void TWinSkinForm::RestoreFormHook() { formLayer_.Remove(); }

// --- Attach --------------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData* data, TCustomForm* form) {
  FormControl = form;
  if (data->OnBeforeSkinForm) data->OnBeforeSkinForm(form, FormHandle, WindowClass);
  // Owner-drawn menu items and a scrolling form do not go together; a form
  // class without the property is left as it is.
  if (data->SkinControls & SetOf(xcMenuItem)) SetPropByName(form, "AutoScroll", "False");
  Attach(data);
  if (!Attached()) return;
  if (SkinFrame)
    formLayer_.Install(form, [this](TMessage& m) {
      Enter();
      std::shared_ptr<bool> alive = alive_;
      FormWindowProc(m);
      if (*alive) Leave();
    });
  SavedColor = form->GetColor();
  form->SetColor(data->Colors[scButtonFace]);
  SkinFormMenus(true);
}

void TWinSkinForm::SkinFormMenus(bool on) {
  if (!FormControl || !SkinData) return;
  SkinPopupMenus(FormControl, on);
  if (SkinData->SkinControls & SetOf(xcMenuItem)) SkinMainMenus(FormControl, on);
}

void TWinSkinForm::CloseOpenMenus() {
  CancelMenuTracking();
  if (SysMenuOpen) EndMenu();
}

void TWinSkinForm::ReadStyle() {
  Style = GetWindowLongW(FormHandle, GWL_STYLE);
  LONG ex = GetWindowLongW(FormHandle, GWL_EXSTYLE);
  if (!writingStyle_) appSysMenu_ = (Style & WS_SYSMENU) != 0;
  RightToLeft = (ex & WS_EX_LEFTSCROLLBAR) != 0;
  IsChildWindow = (Style & WS_CHILD) != 0;
  BorderIconBits = (BorderIconBits & 16) | (appSysMenu_ ? 8 : 0);
  if (Style & WS_MINIMIZEBOX) BorderIconBits |= 2;
  if (Style & WS_MAXIMIZEBOX) BorderIconBits |= 1;
  if (ex & WS_EX_CONTEXTHELP) BorderIconBits |= 4;
  Sizable = (Style & WS_THICKFRAME) != 0;
  if ((Style & WS_CAPTION) != WS_CAPTION) BorderKind = 2;
  else if (Style & WS_THICKFRAME) BorderKind = 0;
  else if (Style & DS_MODALFRAME) BorderKind = 3;
  else BorderKind = 1;
  // A dialog frame, with or without a caption of its own.
  if ((ex & WS_EX_DLGMODALFRAME) || IsDialog) BorderKind = 3;
}

void TWinSkinForm::Attach(TSkinData* data) {
  if (Attached()) return;
  if (TSkinManage* m = SkinManager()) m->SetStarted(1);
  SkinData = data;
  SkinFrame = (data->SkinControls & SetOf(xcMainMenu)) != 0;
  WndClassName = GetClassNameString(FormHandle);
  IsDialog = WndClassName == "#32770" || WndClassName == "TMessageForm";
  OwnerWindow = GetWindow(FormHandle, GW_OWNER);
  LONG ex = GetWindowLongW(FormHandle, GWL_EXSTYLE);
  ReadStyle();
  WindowState = ReadWindowState();
  FindMDIClient();
  if (ex & WS_EX_MDICHILD) {
    FormKind = 2;
    if (data->Options & SetOf(xoMDIChildBorder)) SkinFrame = false;
  }
  // Windows 2000 (exactly 5.0) gives a window its own task-bar button.
  DWORD version = GetVersion();
  if (LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0 &&
      ((ex & WS_EX_APPWINDOW) || (!OwnerWindow && FormKind != 2)))
    BorderIconBits |= 16;
  IsUnicode = IsWindowUnicode(FormHandle) != FALSE;
  if (FormKind == 1) HookMDIClient();

  subclass_.Attach(FormHandle, [this](TMessage& m) {
    Enter();
    std::shared_ptr<bool> alive = alive_;
    WndProc(m);
    if (*alive) Leave();
  });

  if (SkinFrame) {
    MenuHandle = GetMenu(FormHandle);
    if (MenuHandle && FormKind != 2) {
      SkinMenuBar = std::make_unique<TWinSkinMenu>(this);
      MenuBarHeight = GetSystemMetrics(SM_CYMENU);
      SkinMenuBar->BuildItems();
    }
    LoadFrameMetrics();
  } else {
    SkinState = 1;
  }
  if (FormKind == 2) {
    int top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (FrameTop < top) MenuBarHeight = top - FrameTop;
    TSkinManage* m = SkinManager();
    if (WindowState == 1 && m && !m->MDIChildMaximized) m->SetMDIChildActive(true);
  }
}

void TWinSkinForm::FindMDIClient() {
  FormKind = 0;
  for (HWND child = GetTopWindow(FormHandle); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetClassNameString(child) == "MDIClient") {
      FormKind = 1;
      MDIClient = child;
      if (TSkinManage* m = SkinManager()) {
        m->MDIClientHandle = child;
        m->MDIFormControl = FormControl;
      }
      return;
    }
}

int TWinSkinForm::ReadWindowState() const {
  WINDOWPLACEMENT p{};
  p.length = sizeof p;
  if (!GetWindowPlacement(FormHandle, &p)) return 0;
  if (p.showCmd == SW_SHOWMINIMIZED || p.showCmd == SW_MINIMIZE || p.showCmd == SW_SHOWMINNOACTIVE) return 2;
  if (p.showCmd == SW_SHOWMAXIMIZED) return 1;
  return 0;
}

void TWinSkinForm::CalcClientMargins() {
  RECT w{}, c{};
  GetWindowRect(FormHandle, &w);
  GetClientRect(FormHandle, &c);
  SavedClientRect = c;
  OrigNCWidth = (w.right - w.left) - c.right;
  OrigNCHeight = (w.bottom - w.top) - c.bottom;
}

// --- Completion (SM_COMPLETESKIN) ----------------------------------------------------

void TWinSkinForm::Complete() {
  SystemMenu = GetSystemMenu(FormHandle, FALSE);
  GetIconBitmap();
  CalcClientMargins();
  SkinControls();
  if (SkinState == 0) {
    TSkinManage* m = SkinManager();
    if (FormKind == 2) {
      if (WindowState == 1) {
        if (m && m->MDIClientHandle) PostMessageW(m->MDIClientHandle, SM_REPAINTMDIFRAME, reinterpret_cast<WPARAM>(FormHandle), 0);
      } else if (WindowState == 0) {
        SkinState = 5;
        ResizeToSkinFrame(false);
        SkinState = 1;
        UpdateRegion();
      }
    } else if (!IsChildWindow && BorderKind != 2 && WindowState != 2 && SkinFrame) {
      SkinState = 5;
      ResizeToSkinFrame(false);
      SkinState = 1;
      if (WindowState == 0) UpdateRegion();
      else FrameChanged();
    }
  }
  NotifySkinned();
  SkinState = 1;
  if (!FrameTimer) {
    FrameTimer = std::make_unique<TTimer>(nullptr);
    FrameTimer->SetEnabled(false);
    FrameTimer->SetInterval(250);
    FrameTimer->OnTimer = [this](TObject*) { TimerTick(); };
  }
  SetFrameTimer(true);
  // Wine's own caption may have been drawn meanwhile.
  if (SkinFrame) PaintFrame(nullptr);
}

void TWinSkinForm::NotifySkinned() {
  SendMessageW(FormHandle, SM_SKINNED, 0, SKIN_MESSAGE_TAG);
  if (SkinData && SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(FormControl, FormHandle, WindowClass);
}

void TWinSkinForm::SkinChanged() {
  if (FormControl && SkinData) {
    FormControl->SetColor(SkinData->Colors[scButtonFace]);
    for (int i = 0; i < FormControl->ComponentCount(); ++i)
      if (auto* f = dynamic_cast<TCustomForm*>(FormControl->Components(i))) f->SetColor(SkinData->Colors[scButtonFace]);
  }
  SkinState = 3;
  if (SkinFrame && FormControl) {
    SkinPopupMenus(FormControl, true);
    ResizeToSkinFrame(true);
    FormControl->SetHeight(FormControl->GetHeight() + 1);
    FormControl->SetHeight(FormControl->GetHeight() - 1);
  }
  SkinControlList.SkinChanged();
  NotifySkinned();
  SkinState = 1;
}

// --- Sizes ------------------------------------------------------------------------

void TWinSkinForm::FrameChanged() {
  SetWindowPos(FormHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TWinSkinForm::DialogFitsCaption(int& width) {
  int length = GetWindowTextLengthW(FormHandle);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(FormHandle, text.data(), length + 1)));
  CaptionText = text;
  HDC dc = GetWindowDC(FormHandle);
  HGDIOBJ old = SelectObject(dc, SysCaptionFont);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(FormHandle, dc);
  CaptionWidth = size.cx;
  int needed = SkinData->Title->LeftWidth + CaptionWidth + SkinData->Title->RightWidth;
  if (width >= needed) return true;
  int shift = (needed - width) / 2;
  for (HWND c = GetWindow(FormHandle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, FormHandle, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(c, nullptr, r.left + shift, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOACTIVATE);
  }
  width = needed;
  return false;
}

void TWinSkinForm::ResizeToSkinFrame(bool useClientRect) {
  if (WindowState == 1) {
    FrameChanged();
    return;
  }
  RECT w{};
  GetWindowRect(FormHandle, &w);
  if (IsDialog || SkinState == 3) GetClientRect(FormHandle, &SavedClientRect);
  int clientWidth = SavedClientRect.right;
  if (!useClientRect && FormControl) clientWidth = FormControl->ClientWidth();
  int width = clientWidth + FrameLeft + FrameRight;
  if (useClientRect) {
    GetClientRect(FormHandle, &SavedClientRect);
  } else if (FormControl) {
    SavedClientRect.bottom = FormControl->ClientHeight() - (FormKind == 2 ? 0 : MenuBarHeight);
  }
  int height = SavedClientRect.bottom + FrameTop + FrameBottom + MenuBarHeight;
  if (IsDialog && !useClientRect && SkinData) DialogFitsCaption(width);
  SetWindowPos(FormHandle, nullptr, w.left, w.top, width, height,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The client area moved within the window: what it showed before is not kept.
  RedrawWindow(FormHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  if ((FormKind == 2 && WindowState != 0) || BorderKind == 2) {
    p->rgrc[1] = p->rgrc[0];
  } else {
    p->rgrc[0] = RECT{pos->x + FrameLeft, pos->y + FrameTop + MenuBarHeight, pos->x + pos->cx - FrameRight,
                      pos->y + pos->cy - FrameBottom};
    p->rgrc[1] = p->rgrc[0];
  }
  m.Result = WVR_VALIDRECTS;
}

// --- Detach ---------------------------------------------------------------------------

void TWinSkinForm::RepaintWindow() {
  if (!IsWindow(FormHandle)) return;
  InvalidateRect(FormHandle, nullptr, TRUE);
  UpdateWindow(FormHandle);
}

void TWinSkinForm::DetachControlsOnly() {
  SetFrameTimer(false);
  if (FormControl && SkinState != 4) FormControl->SetColor(SavedColor);
  Unsubclass();
  UnhookMDIClient();
  if (FormControl && SkinState != 4)
    for (int i = 0; i < FormControl->ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TControl*>(FormControl->Components(i))) c->Invalidate();
}

void TWinSkinForm::Detach() {
  ReleaseSkinControls(SkinState != 4);
  CloseOpenMenus();
  if (!SkinFrame) {
    SkinFormMenus(false);
    DetachControlsOnly();
    return;
  }
  // The window's size with the skin, before the system frame comes back.
  RECT w{};
  GetWindowRect(FormHandle, &w);
  if (!DetachProcedures()) return;
  SkinFormMenus(false);
  SetSysMenuStyle(false);
  // A menu given back takes the place of the skin's bar strip, drawn by the system again.
  bool menuBack = SkinMenuBar && SkinMenuBar->BarMenuHandle && IsMenu(SkinMenuBar->BarMenuHandle);
  if (menuBack) {
    SetMenuOwnerDraw(SkinMenuBar->BarMenuHandle, false);
    SetMenu(FormHandle, SkinMenuBar->BarMenuHandle);
  }
  SkinMenuBar.reset();
  UnhookMDIClient();
  if (SkinState != 4 && (FormKind == 2 || !IsChildWindow) && IsWindow(FormHandle)) {
    POINT at{w.left, w.top};
    if (FormKind == 2) {
      TSkinManage* m = SkinManager();
      if (m && m->MDIClientHandle) ScreenToClient(m->MDIClientHandle, &at);
    }
    // The system frame again, with the client area the skin gave the window.
    int width = (w.right - w.left) - FrameLeft - FrameRight + OrigNCWidth;
    int height = (w.bottom - w.top) - FrameTop - FrameBottom - (menuBack ? 0 : MenuBarHeight) + OrigNCHeight;
    if (WindowState == 0)
      SetWindowPos(FormHandle, nullptr, at.x, at.y, width, height, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    else
      FrameChanged();
  }
  if (IsWindow(FormHandle)) SetWindowRgn(FormHandle, nullptr, TRUE);
  HasRegion = false;
  Region = nullptr;
  RegionSize = SIZE{};
}

void TWinSkinForm::DetachOnDestroy() {
  CloseOpenMenus();
  // A form being destroyed frees its menus with it.
  if (FormControl && !FormControl->Destroying()) SkinFormMenus(false);
  ReleaseSkinControls(false);
  if (!SkinFrame) {
    DetachControlsOnly();
    return;
  }
  if (DetachProcedures()) SkinMenuBar.reset();
}

bool TWinSkinForm::DetachProcedures() {
  SetFrameTimer(false);
  if (!Attached()) return false;
  HotObject = nullptr;
  pressedObject_ = nullptr;
  if (SkinData) SkinData->HideHint();
  RestoreFormHook();
  Unsubclass();
  if (FormControl && SkinState != 4 && !FormControl->Destroying()) FormControl->SetColor(SavedColor);
  return true;
}
