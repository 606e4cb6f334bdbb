// TWinControl: its window, children, bounds and text.
#include <algorithm>
#include <map>
#include <set>

#include "toolkit/win/controls.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/object_instance.h"
#include "toolkit/win/system_error.h"

namespace {

// The control object is kept as a window property whose name is unique to this
// process and module, so another module's objects are never mistaken for ours.
const wchar_t* ControlAtomName() {
  static std::wstring name = [] {
    wchar_t buf[64];
    wsprintfW(buf, L"TkControl%08X%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))),
              static_cast<unsigned>(GetCurrentProcessId()));
    return std::wstring(buf);
  }();
  return name.c_str();
}

std::set<const TWinControl*>& LiveControls() {
  static std::set<const TWinControl*> live;
  return live;
}

// Window procedures of the system classes our classes build on, by our class name.
std::map<std::wstring, WNDPROC>& BaseProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

thread_local TWinControl* g_creating = nullptr;

}  // namespace

const TClassInfo& TWinControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
          .Prop("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder)
          .Prop("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop)
          .Enum("ImeMode", &TWinControl::GetImeMode, &TWinControl::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare"})
          .Prop("ImeName", &TWinControl::GetImeName, &TWinControl::SetImeName)
          .Event("OnKeyDown", &TWinControl::OnKeyDown)
          .Event("OnKeyUp", &TWinControl::OnKeyUp)
          .Event("OnKeyPress", &TWinControl::OnKeyPress)
          .Event("OnEnter", &TWinControl::OnEnter)
          .Event("OnExit", &TWinControl::OnExit)
          .Build();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  LiveControls().insert(this);
  objectInstance_ = MakeObjectInstance([this](TMessage& m) { MainWndProc(m); });
}

TWinControl::~TWinControl() {
  BeginDestroy();
  DestroyComponents();
  // Children go first, whoever owns them; each leaves our lists as it goes.
  while (!controls_.empty()) delete controls_.back();
  DestroyHandle();
  LiveControls().erase(this);
  FreeObjectInstance(objectInstance_);
  if (brush_) DeleteObject(brush_);
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  auto* c = static_cast<TWinControl*>(GetPropW(wnd, ControlAtomName()));
  if (!c || !LiveControls().count(c) || c->handle_ != wnd) return nullptr;
  return c;
}

void TWinControl::MainWndProc(TMessage& m) {
  WindowProc(m);
  if (m.Msg == WM_NCDESTROY) {
    RemovePropW(handle_, ControlAtomName());
    handle_ = nullptr;
  }
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* c = g_creating;
  if (!c) return DefWindowProcW(wnd, msg, wp, lp);
  g_creating = nullptr;
  c->handle_ = wnd;
  SetPropW(wnd, ControlAtomName(), c);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c->objectInstance_));
  return CallWindowProcW(c->objectInstance_, wnd, msg, wp, lp);
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = GbkToWide(text_);
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (GetVisible()) p.Style |= WS_VISIBLE;
  if (!GetEnabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.WndParent = Parent() ? Parent()->Handle() : nullptr;
  std::string cls = ClassName();
  p.WinClassName = GbkToWide(cls);
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  // Making the parent's window (for WndParent) makes those of its shown children.
  if (handle_) return;
  if (p.Style & WS_CHILD && !p.WndParent) throw Exception("control " + GetName() + " has no parent window");
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW probe{sizeof probe};
  if (!GetClassInfoExW(inst, p.WinClassName.c_str(), &probe)) {
    WNDCLASSEXW wc{sizeof wc};
    if (!p.BaseClassName.empty()) {
      if (!GetClassInfoExW(nullptr, p.BaseClassName.c_str(), &wc))
        throw ESystemError("window class " + WideToGbk(p.BaseClassName) + " not found", GetLastError());
      BaseProcs()[p.WinClassName] = wc.lpfnWndProc;
      wc.cbSize = sizeof wc;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
      wc.hIcon = ProgramIcon(false);
      wc.hIconSm = ProgramIcon(true);
      BaseProcs()[p.WinClassName] = nullptr;
    }
    wc.hInstance = inst;
    wc.lpfnWndProc = &TWinControl::InitWndProc;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassExW(&wc))
      throw ESystemError("cannot register window class " + WideToGbk(p.WinClassName), GetLastError());
  }
  baseWndProc_ = BaseProcs()[p.WinClassName];
  g_creating = this;
  SetLastError(0);  // a failed window need not set one; the class look-up above did
  HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, nullptr, inst, nullptr);
  const DWORD error = GetLastError();
  g_creating = nullptr;
  if (!wnd) throw ESystemError("cannot create the window of " + GetName(), error);
  handle_ = wnd;
  SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->Handle()), 0);
  InitializeWindow();
  if (TWinControl* parent = Parent(); parent && parent->handle_ && !parent->makingChildren_) PlaceInTabOrder();
  // Shown windowed children get their windows now; hidden ones when first
  // shown or first used.
  makingChildren_ = true;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->GetVisible()) w->HandleNeeded();
  makingChildren_ = false;
  // Keep the tab order in the window z-order as well.
  HWND after = HWND_TOP;
  for (TWinControl* w : tabList_) {
    if (w->handle_) {
      SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = w->handle_;
    }
  }
  Perform(CM_WINDOWCREATED);
}

// A window made after its parent's goes into the z-order where the tab order puts it.
void TWinControl::PlaceInTabOrder() {
  HWND after = HWND_TOP;
  for (TWinControl* w : Parent()->tabList_) {
    if (w == this) break;
    if (w->handle_) after = w->handle_;
  }
  SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

DWORD TWinControl::CreationStyle() {
  TCreateParams p;
  CreateParams(p);
  return p.Style;
}

DWORD TWinControl::CreationExStyle() {
  TCreateParams p;
  CreateParams(p);
  return p.ExStyle;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::DestroyWnd() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::RecreateWindowNow() {
  if (!handle_) return;
  bool hadFocus = Focused();
  DestroyHandle();
  HandleNeeded();
  if (hadFocus) SetFocus();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tabList_.push_back(w);
    if (handle_ && w->GetVisible()) w->HandleNeeded();
  }
  if (c->GetAlign() != TAlign::alNone) Realign();
  c->Invalidate();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), 1);
}

void TWinControl::RemoveControl(TControl* c) {
  c->Invalidate();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), 0);
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
  if (captureControl_ == c) captureControl_ = nullptr;
  if (mouseControl_ == c) mouseControl_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    if (w->handle_ && !Destroying()) {
      // A control leaving its parent loses its window; it is made again on demand.
      w->DestroyHandle();
    }
  }
  c->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->GetVisible() || (!c->GetEnabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

int TWinControl::GetTabOrder() const {
  if (!Parent()) return -1;
  auto& l = Parent()->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& l = Parent()->tabList_;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  if (order < 0) order = 0;
  if (order > static_cast<int>(l.size())) order = static_cast<int>(l.size());
  l.insert(l.begin() + order, this);
}

std::string TWinControl::GetText() const {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, &w[0], n + 1);
  w.resize(static_cast<std::size_t>(n));
  return WideToGbk(w);
}

void TWinControl::SetText(const std::string& text) {
  if (handle_) {
    if (GetText() == text) return;
    text_ = text;
    SetWindowTextW(handle_, GbkToWide(text).c_str());
    AdjustAutoSize();
    TextChanged();
    Perform(CM_TEXTCHANGED);
  } else {
    TControl::SetText(text);
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool changed = left != left_ || top != top_ || width != width_ || height != height_;
  TControl::SetBounds(left, top, width, height);
  if (changed) {
    AdjustWindowBounds();
    Realign();
  }
}

void TWinControl::AdjustWindowBounds() {
  if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWinControl::ClientWidth() const {
  if (!handle_) return width_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!handle_) return height_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.bottom;
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->Handle()), TRUE);
  for (TControl* c : controls_)
    if (c->parentFont_) {
      c->font_->Assign(*GetFont());
      c->parentFont_ = true;
    }
  TControl::FontChanged();
}

void TWinControl::ColorChanged() {
  if (brush_) {
    DeleteObject(brush_);
    brush_ = nullptr;
  }
  for (TControl* c : controls_)
    if (c->parentColor_) {
      c->color_ = GetColor();
      c->ColorChanged();
    }
  TControl::ColorChanged();
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!brush_) brush_ = CreateSolidBrush(ColorToRGB(GetColor()));
  return brush_;
}

void TWinControl::VisibleChanged() {
  if (!handle_) {
    // A control left without a window while hidden gets it when first shown.
    if (GetVisible() && Parent() && Parent()->handle_) HandleNeeded();
    return;
  }
  ShowWindow(handle_, GetVisible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, GetEnabled());
  TControl::EnabledChanged();
}

RECT TWinControl::AlignRect() { return RECT{0, 0, ClientWidth(), ClientHeight()}; }

void TWinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  struct Reset { bool& f; ~Reset() { f = false; } } reset{realigning_};
  RECT r = AlignRect();
  for (TControl* c : controls_) {
    if (!c->GetVisible()) continue;
    int w = r.right - r.left, h = r.bottom - r.top;
    switch (c->GetAlign()) {
      case TAlign::alTop:
        c->SetBounds(r.left, r.top, w, c->height_);
        r.top += c->height_;
        break;
      case TAlign::alBottom:
        c->SetBounds(r.left, r.bottom - c->height_, w, c->height_);
        r.bottom -= c->height_;
        break;
      case TAlign::alLeft:
        c->SetBounds(r.left, r.top, c->width_, h);
        r.left += c->width_;
        break;
      case TAlign::alRight:
        c->SetBounds(r.right - c->width_, r.top, c->width_, h);
        r.right -= c->width_;
        break;
      case TAlign::alClient:
        c->SetBounds(r.left, r.top, w, h);
        break;
      case TAlign::alNone:
        break;
    }
  }
}

TCustomForm* GetParentForm(TControl* control) {
  TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return dynamic_cast<TCustomForm*>(c);
}
