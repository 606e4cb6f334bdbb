#include <windowsx.h>

#include <cctype>

#include "toolkit/win/controls.h"
#include "toolkit/win/window_proc_layer.h"

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool IsAccel(unsigned key, const std::string& caption) {
  for (std::size_t i = 0; i < caption.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(caption[i]);
    if (c >= 0x81) {  // a double-byte character: its second byte may look like anything
      ++i;
      continue;
    }
    if (c != '&' || i + 1 >= caption.size()) continue;
    unsigned char next = static_cast<unsigned char>(caption[++i]);
    if (next == '&') continue;  // "&&" is a plain "&"
    return next < 0x80 && key < 0x80 && std::toupper(next) == std::toupper(static_cast<int>(key));
  }
  return false;
}

TShiftState KeysToShiftState(WPARAM wp) {
  TShiftState s = 0;
  if (wp & MK_SHIFT) s |= ssShift;
  if (wp & MK_CONTROL) s |= ssCtrl;
  if (wp & MK_LBUTTON) s |= ssLeft;
  if (wp & MK_RBUTTON) s |= ssRight;
  if (wp & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

const TClassInfo& TControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", &TComponent::StaticClass())
          .Prop("Left", &TControl::GetLeft, &TControl::SetLeft)
          .Prop("Top", &TControl::GetTop, &TControl::SetTop)
          .Prop("Width", &TControl::GetWidth, &TControl::SetWidth)
          .Prop("Height", &TControl::GetHeight, &TControl::SetHeight)
          .Prop("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
          .Prop("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
          .Prop("Visible", &TControl::GetVisible, &TControl::SetVisible)
          .Prop("Enabled", &TControl::GetEnabled, &TControl::SetEnabled)
          .Prop("Color", &TControl::GetColor, &TControl::SetColor)
          .Prop("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor)
          .Object("Font", &TControl::GetFont)
          .Prop("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont)
          .Prop("Caption", &TControl::GetCaption, &TControl::SetCaption)
          .Prop("Text", &TControl::GetText, &TControl::SetText)
          .Prop("Hint", &TControl::GetHint, &TControl::SetHint)
          .Prop("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint)
          .Enum("Align", &TControl::GetAlign, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})
          .Prop("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize)
          .Event("OnClick", &TControl::OnClick)
          .Event("OnDblClick", &TControl::OnDblClick)
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Event("OnMouseUp", &TControl::OnMouseUp)
          .Event("OnMouseMove", &TControl::OnMouseMove)
          .Event("OnMouseEnter", &TControl::OnMouseEnter)
          .Event("OnMouseLeave", &TControl::OnMouseLeave)
          .Build();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TObject*) {
    parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  BeginDestroy();
  DestroyComponents();
  TWindowProcLayer::ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      MouseMessage(m);
      break;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TControl::MouseMessage(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState s = KeysToShiftState(m.WParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      mouseDown_ = true;
      MouseDown(TMouseButton::mbLeft, s, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(this);
      break;
    case WM_LBUTTONUP: {
      bool wasDown = mouseDown_;
      mouseDown_ = false;
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbLeft, s, x, y);
      // Windows of their own click through their notifications.
      if (wasDown && !dynamic_cast<TWinControl*>(this) && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      break;
    }
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, s, x, y);
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbRight, s, x, y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(TMouseButton::mbMiddle, s, x, y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbMiddle, s, x, y);
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, s, x, y);
      break;
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw Exception("a control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (parentFont_) {
      font_->Assign(*parent->GetFont());
      parentFont_ = true;
    }
    if (parentColor_) color_ = parent->GetColor();
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  // A windowless control repaints the old and the new place in one request.
  const bool graphic = !dynamic_cast<TWinControl*>(this);
  const RECT old = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (graphic) {
    RECT now = BoundsRect(), both;
    UnionRect(&both, &old, &now);
    InvalidateArea(both);
  }
  BoundsChanged();
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

POINT TControl::ClientToScreen(POINT p) const {
  const TControl* c = this;
  if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleOrNull()) {
    ::ClientToScreen(w->HandleOrNull(), &p);
    return p;
  }
  p.x += c->left_;
  p.y += c->top_;
  return parent_ ? parent_->ClientToScreen(p) : p;
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT origin = ClientToScreen(POINT{0, 0});
  return POINT{p.x - origin.x, p.y - origin.y};
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  VisibleChanged();
  if (v) Invalidate();
  Perform(CM_VISIBLECHANGED, v);
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_ && color_ != parent_->GetColor()) {
    color_ = parent_->GetColor();
    ColorChanged();
  }
}

void TControl::SetParentFont(bool v) {
  if (v && parent_) {
    font_->Assign(*parent_->GetFont());
  }
  parentFont_ = v;
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  AdjustAutoSize();
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

void TControl::SetAlign(TAlign a) {
  align_ = a;
  if (parent_) parent_->Realign();
}

void TControl::SetAutoSize(bool v) {
  autoSize_ = v;
  if (v) AdjustAutoSize();
}

void TControl::Invalidate() {}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (*it == this) {
      list.erase(it);
      list.push_back(this);
      break;
    }
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->HandleOrNull(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::FontChanged() {
  AdjustAutoSize();
  Invalidate();
  Perform(CM_FONTCHANGED);
}

void TControl::ColorChanged() { Invalidate(); }
void TControl::VisibleChanged() {}
void TControl::EnabledChanged() { Invalidate(); }

// --- windowless controls -----------------------------------------------------

const TClassInfo& TGraphicControl::StaticClass() {
  static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Build();
  return info;
}

void TGraphicControl::PaintTo(HDC dc) {
  canvas_.SetHandle(dc);
  canvas_.Font().Assign(*GetFont());
  Paint();
  canvas_.SetHandle(nullptr);
}

void TGraphicControl::Invalidate() { InvalidateArea(BoundsRect()); }

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    if (m.WParam) PaintTo(reinterpret_cast<HDC>(m.WParam));
    m.Result = 0;
    return;
  }
  TControl::WndProc(m);
}

void TControl::InvalidateArea(const RECT& r) {
  TWinControl* p = Parent();
  if (p && p->HandleAllocated() && GetVisible()) InvalidateRect(p->HandleOrNull(), &r, TRUE);
}

void TGraphicControl::Update() {
  if (Parent()) Parent()->Update();
}
