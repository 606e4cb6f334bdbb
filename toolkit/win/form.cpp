#include "toolkit/win/form.h"

#include <algorithm>

#include "toolkit/base/form_reader.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/app_errors.h"
#include "toolkit/win/application.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/resources.h"
#include "toolkit/win/menus.h"

TScreen* Screen = nullptr;

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleOrNull() == active) return f;
  return nullptr;
}

void TScreen::RemoveForm(TCustomForm* f) { forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end()); }

TFont* TScreen::MenuFont() {
  if (!menuFont_) {
    menuFont_ = std::make_unique<TFont>();
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) menuFont_->AssignLogFont(ncm.lfMenuFont);
  }
  return menuFont_.get();
}

TMainMenu* TCustomForm::Menu() const { return FormMainMenu(this); }

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu) menu->AttachTo(this);
  else if (TMainMenu* old = Menu()) old->AttachTo(nullptr);
}

const TClassInfo& TCustomForm::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClass())
          .Enum("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle,
                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
          .Set("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons,
               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
          .Enum("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition,
                {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                 "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})
          .Enum("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState,
                {"wsNormal", "wsMinimized", "wsMaximized"})
          .Prop("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview)
          .Prop("ModalResult", &TCustomForm::GetModalResult, &TCustomForm::SetModalResult)
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Event("OnShow", &TCustomForm::OnShow)
          .Event("OnHide", &TCustomForm::OnHide)
          .Event("OnActivate", &TCustomForm::OnActivate)
          .Event("OnDeactivate", &TCustomForm::OnDeactivate)
          .Event("OnPaint", &TCustomForm::OnPaint)
          .Event("OnResize", &TCustomForm::OnResize)
          .Event("OnClose", &TCustomForm::OnClose)
          .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
          .Build();
  return info;
}

const TClassInfo& TForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClass()).Build();
  return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
  width_ = 320;
  height_ = 240;
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  BeginDestroy();
  if (created_ && OnDestroy) Guarded([&] { OnDestroy(this); });
  DestroyComponents();
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this) Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
  created_ = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_CAPTION | WS_DLGFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
    p.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (borderStyle_ != TFormBorderStyle::bsDialog) {
      if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  p.WndParent = nullptr;
  if (Application && Application->MainForm() && Application->MainForm() != this)
    p.WndParent = Application->MainForm()->Handle();
}

void TCustomForm::InitializeWindow() {
  if (!GetEnabled()) EnableWindow(HandleOrNull(), FALSE);
}

void TCustomForm::UpdateWindowStyle() {
  HWND w = HandleOrNull();
  if (!w) return;
  TCreateParams p;
  CreateParams(p);
  LONG_PTR old = GetWindowLongPtrW(w, GWL_STYLE);
  LONG_PTR keep = old & (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_DISABLED);
  SetWindowLongPtrW(w, GWL_STYLE, static_cast<LONG_PTR>(p.Style) | keep);
  SetWindowLongPtrW(w, GWL_EXSTYLE, static_cast<LONG_PTR>(p.ExStyle));
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
  if (s == borderStyle_) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  borderStyle_ = s;
  UpdateWindowStyle();
  // The client area keeps its size: the frame grows or shrinks around it.
  HWND w = HandleOrNull();
  if (!w) return SetClientSize(cw, ch);
  if (!IsZoomed(w) && !IsIconic(w)) {
    RECT r{0, 0, cw, ch};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE)));
    SetBounds(GetLeft(), GetTop(), r.right - r.left, r.bottom - r.top);
  }
  // The client moved within the window: nothing of the old picture is kept.
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  UpdateWindowStyle();
}

TWindowState TCustomForm::GetWindowState() const {
  HWND w = HandleOrNull();
  if (!w) return windowState_;
  if (IsZoomed(w)) return TWindowState::wsMaximized;
  if (IsIconic(w)) return TWindowState::wsMinimized;
  return TWindowState::wsNormal;
}

void TCustomForm::SetWindowState(TWindowState s) {
  windowState_ = s;
  if (HWND w = HandleOrNull(); w && GetVisible())
    ShowWindow(w, s == TWindowState::wsMaximized ? SW_MAXIMIZE : s == TWindowState::wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

// The window rectangle around a client area of the given size, as the style makes it.
RECT TCustomForm::FrameAround(int w, int h) const {
  TCreateParams p;
  const_cast<TCustomForm*>(this)->CreateParams(p);
  RECT r{0, 0, w, h};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  return r;
}

void TCustomForm::SetClientSize(int w, int h) {
  RECT r = FrameAround(w, h);
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

int TCustomForm::ClientWidth() const {
  if (HandleAllocated()) return TWinControl::ClientWidth();
  RECT r = FrameAround(0, 0);
  return width_ - (r.right - r.left);
}

int TCustomForm::ClientHeight() const {
  if (HandleAllocated()) return TWinControl::ClientHeight();
  RECT r = FrameAround(0, 0);
  return height_ - (r.bottom - r.top);
}

void TCustomForm::SetActiveControl(TWinControl* c) {
  activeControl_ = c;
  if (c && GetVisible() && HandleAllocated() && c->CanFocus()) ::SetFocus(c->Handle());
}

void TCustomForm::FocusChanged(TWinControl* c) {
  if (c != this) activeControl_ = c;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c));
}

void TCustomForm::Centre(HWND relativeTo) {
  RECT area;
  if (relativeTo) {
    GetWindowRect(relativeTo, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  int x = area.left + ((area.right - area.left) - width_) / 2;
  int y = area.top + ((area.bottom - area.top) - height_) / 2;
  SetBounds(x, y, width_, height_);
}

void TCustomForm::VisibleChanged() {
  if (!GetVisible() && !HandleAllocated()) return;  // never shown: its window is made when it is
  HWND w = Handle();
  if (GetVisible()) {
    if (!positioned_) {
      positioned_ = true;
      switch (position_) {
        case TPosition::poScreenCenter:
        case TPosition::poDesktopCenter:
          Centre(nullptr);
          break;
        case TPosition::poMainFormCenter:
        case TPosition::poOwnerFormCenter: {
          TCustomForm* main = Application ? Application->MainForm() : nullptr;
          Centre(main && main != this && main->HandleAllocated() ? main->HandleOrNull() : nullptr);
          break;
        }
        default:
          break;
      }
    }
    int cmd = windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
              : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    ShowWindow(w, cmd);
    if (OnShow) OnShow(this);
    if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
  } else {
    if (OnHide) OnHide(this);
    ShowWindow(w, SW_HIDE);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToForeground();
}

void TCustomForm::BringToForeground() {
  if (HWND w = HandleOrNull()) SetForegroundWindow(w);
}

TModalResult TCustomForm::ShowModal() {
  if (modal_ || GetVisible()) throw Exception("cannot make a visible window modal");
  std::vector<HWND> disabled;
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f != this && f->HandleAllocated() && IsWindowEnabled(f->HandleOrNull())) {
        EnableWindow(f->HandleOrNull(), FALSE);
        disabled.push_back(f->HandleOrNull());
      }
    }
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  while (modalResult_ == mrNone) {
    if (!Application->HandleMessage()) {
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
    if (modalResult_ != mrNone) {
      TCloseAction action = TCloseAction::caHide;
      if (OnClose) OnClose(this, action);
      if (action == TCloseAction::caNone) modalResult_ = mrNone;
    }
  }
  for (HWND w : disabled) EnableWindow(w, TRUE);
  modal_ = false;
  Hide();
  if (!disabled.empty()) SetActiveWindow(disabled.front());
  return modalResult_;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  if (action == TCloseAction::caHide) Hide();
  else if (action == TCloseAction::caMinimize) SetWindowState(TWindowState::wsMinimized);
  else Release();
}

void TCustomForm::Release() {
  if (HWND w = HandleOrNull()) PostMessageW(w, CM_RELEASE, 0, 0);
  else delete this;
}

void TCustomForm::PaintWindow(HDC dc) {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::CollectTabStops(std::vector<TWinControl*>& out) const {
  std::vector<TWinControl*> all;
  GetTabOrderList(all);
  for (TWinControl* w : all)
    if (w->GetTabStop() && w->CanFocus()) out.push_back(w);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(stops);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  std::size_t i;
  if (it == stops.end()) i = forward ? 0 : stops.size() - 1;
  else {
    std::size_t pos = static_cast<std::size_t>(it - stops.begin());
    i = forward ? (pos + 1) % stops.size() : (pos + stops.size() - 1) % stops.size();
  }
  stops[i]->SetFocus();
}

bool TCustomForm::DialogKey(WORD key) {
  switch (key) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) return false;
      SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_RETURN:
    case VK_ESCAPE: {
      // The default (Enter) or cancel (Esc) button takes the key.
      const char* prop = key == VK_RETURN ? "Default" : "Cancel";
      std::vector<TWinControl*> all;
      CollectTabStops(all);
      for (TWinControl* w : all)
        if (IsPublishedProp(w, prop) && GetOrdProp(*w, prop)) {
          w->Click();
          return true;
        }
      return false;
    }
    default:
      return false;
  }
}

void TCustomForm::WndProc(TMessage& m) {
  if (FormMenuMessage(this, m)) return;
  switch (m.Msg) {
    case CM_DIALOGKEY:
      m.Result = DialogKey(static_cast<WORD>(m.WParam)) ? 1 : 0;
      return;
    case CM_RELEASE:
      delete this;
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      TWinControl::WndProc(m);
      if (Destroying()) return;  // no events while the form's parts are going
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated())
          ::SetFocus(activeControl_->HandleOrNull());
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      if (OnResize && !Destroying()) OnResize(this);
      return;
    case WM_SETTEXT:
      TWinControl::WndProc(m);
      return;
    default:
      TWinControl::WndProc(m);
  }
}

void TCustomForm::ReadDefinition() {
  const std::string cls = ClassName();
  const std::string fileName = cls + ".form";
  TResourceView view;
  if (!FindResourceView(nullptr, cls, "FORMDEF", view))
    throw Exception(fileName + ": form definition not found in the program");
  ReadFormDefinition(*this, std::string(static_cast<const char*>(view.Data), view.Size), fileName);
}
