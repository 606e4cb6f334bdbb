#include "skin/win/controls/control.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "skin/win/controls/input/updown.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"
#include "skin/win/draw/text.h"
#include "skin/win/messages.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"

// --- The list of one window ------------------------------------------------------

TSkinControlList::~TSkinControlList() {
  for (TSkinControl* c : items_) c->ListGone();
}

bool TSkinControlList::Add(TSkinControl* control) {
  if (Contains(control)) return false;
  items_.push_back(control);
  return true;
}

void TSkinControlList::Remove(TSkinControl* control) {
  items_.erase(std::remove(items_.begin(), items_.end(), control), items_.end());
}

bool TSkinControlList::Contains(const TSkinControl* control) const {
  return std::find(items_.begin(), items_.end(), control) != items_.end();
}

TSkinControl* TSkinControlList::FindByHandle(HWND window) const {
  for (TSkinControl* c : items_)
    if (c->Handle() == window) return c;
  return nullptr;
}

TSkinControl* TSkinControlList::FindByControl(const TControl* control) const {
  for (TSkinControl* c : items_)
    if (c->FControl == control || c->FGraphicControl == control) return c;
  return nullptr;
}

void TSkinControlList::FreeDead() {
  // An object may free others it owns (a combo's list skin, an edit's spin):
  // only those still listed are looked at.
  for (TSkinControl* c : Snapshot())
    if (Contains(c) && c->Destroyed()) delete c;  // leaves the list and its owner
}

void TSkinControlList::SkinChanged() {
  for (TSkinControl* c : Snapshot())
    if (Contains(c)) c->SkinChanged();
}

// --- The base object -------------------------------------------------------------

const TClassInfo& TSkinControl::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl", &TComponent::StaticClass()).Build();
  return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  layer_.Remove();
  subclass_.Detach();
  if (FControlList) FControlList->Remove(this);
}

HWND TSkinControl::Handle() const {
  if (auto* w = dynamic_cast<const TWinControl*>(FControl)) return w->HandleOrNull();
  return subclass_.Handle();
}

bool TSkinControl::Unicode() const {
  HWND handle = Handle();
  return handle && IsWindowUnicode(handle);
}

bool TSkinControl::TakeOwnerControl(TSkinControlList* list, TSkinData* skinData, TCanvas* canvas) {
  auto* control = dynamic_cast<TControl*>(Owner());
  if (!control) return false;
  FSkinData = skinData;
  FControlList = list;
  FCanvas = canvas;
  // A hidden control's window is not made here: the family finishes what needs
  // it when the toolkit makes it (CM_WINDOWCREATED); the messages reach this
  // object either way.
  FControl = control;
  if (list) list->Add(this);
  return true;
}

void TSkinControl::TakeTransparency(const TControl& control) {
  FTransparent = control.GetTag() == 5555 || (FSkinData && (FSkinData->Options & SetOf(xoTransparent)));
}

// CM_WINDOWCREATED ends the toolkit's making of a window: once for each window.
void TSkinControl::TakeCreatedWindow() {
  if (Active() && Handle()) WindowCreated();
}

void TSkinControl::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached() || !TakeOwnerControl(list, skinData, canvas)) return;
  TControl* control = FControl;
  FSetColor = setColor;
  layer_.Install(control, [this](TMessage& m) { SkinWndProc(m); });
  if (FSetColor) {
    AdjustParentBackground(true);
    // A second apply keeps the colour the control had before the first.
    if (!FOldColor) FOldColor = control->GetColor();
    control->SetColor(FaceColor());
  }
  if (FParentBgChanged) FMode = 1;
  control->Invalidate();
  MarkAttached();
}

void TSkinControl::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) {
  if (Attached() || !IsWindow(handle)) return;
  FSkinData = skinData;
  FCanvas = canvas;
  FControlList = list;
  if (list) list->Add(this);
  TakeOverWindow(handle);
}

bool TSkinControl::TakeOverWindow(HWND handle) {
  // A second subclass would make the window's procedure call itself.
  if (subclass_.Attached() || !IsWindow(handle)) return false;
  FEnabled = true;
  FMode = 0;
  FCaption = GetWindowTextWide(handle);
  subclass_.Attach(handle, [this](TMessage& m) { SkinWndProc(m); });
  InvalidateRect(handle, nullptr, TRUE);
  MarkAttached();
  return true;
}

void TSkinControl::SkinSpinChild(HWND child, bool embedded) {
  if (!child || (FUpDown && FUpDown->Handle() == child && !FUpDown->Destroyed())) return;
  // A spin window made again gets a new skin; the old one goes with the frame's sweep.
  auto* spin = new TSkinUpDown(this);
  spin->AttachHandle(child, FSkinData, FControlList, FCanvas);
  if (!spin->Attached()) {
    delete spin;
    return;
  }
  spin->FEmbedded = embedded;
  FUpDown = spin;
  InvalidateRect(child, nullptr, TRUE);
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

void TSkinControl::HookControl(TControl* control) {
  layer_.Install(control, [this](TMessage& m) { SkinWndProc(m); });
}

void TSkinControl::UnhookControl() { layer_.Remove(); }

void TSkinControl::SkinWndProc(TMessage& m) {
  if (m.Msg == CM_WINDOWCREATED) {
    CallDefault(m);
    TakeCreatedWindow();
    return;
  }
  if (m.Msg == SM_SKINCONTROL) {
    // Only an attached object switches; one whose window is gone stays so.
    if (state_ == TSkinState::On || state_ == TSkinState::Off)
      state_ = static_cast<LONG_PTR>(m.WParam) > 0 ? TSkinState::On : TSkinState::Off;
    if (Active()) Redraw();
    return;
  }
  if (!Active()) {
    CallDefault(m);
    return;
  }
  if (BeforeMessage(m)) {
    CallDefault(m);
    AfterMessage(m);
  }
}

void TSkinControl::CallDefault(TMessage& m) {
  if (layer_.Installed()) layer_.CallPrevious(m);
  else subclass_.CallPrevious(m);
}

bool TSkinControl::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCDESTROY:
      // Unskin sees the window gone and gives nothing back to it.
      state_ = TSkinState::Destroyed;
      CallDefault(m);
      Unskin();
      return false;
    case SM_ISSKINNED:
      m.Result = 1;
      return false;
    default:
      return true;
  }
}

void TSkinControl::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
      Redraw();
      break;
    case WM_PAINT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      break;
    default:
      break;
  }
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT wr;
  HWND window = Handle();
  if (!window || !GetWindowRect(window, &wr)) return;
  FWindowRect = wr;
  RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  HDC target = dc ? dc : GetWindowDC(window);
  try {
    PaintSkin(target, r);
  } catch (...) {
    // A failed paint leaves the face as it was; the message completes.
  }
  if (!dc) ReleaseDC(window, target);
}

void TSkinControl::Unskin() {
  // Off already, or the window is gone and takes nothing back.
  if (state_ != TSkinState::On) return;
  state_ = TSkinState::Off;
  if (FSetColor && FControl && FOldColor) {
    AdjustParentBackground(false);
    FControl->SetColor(*FOldColor);
  }
}

void TSkinControl::SkinChanged() {
  if (FSetColor && FControl) FControl->SetColor(FaceColor());
  Redraw();
}

void TSkinControl::Redraw() {
  if (FGraphicControl) {
    FGraphicControl->Invalidate();
  } else if (HWND window = Handle()) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
}

void TSkinControl::AdjustParentBackground(bool on) {
  if (!FControl || !FSkinData || (FSkinData->Options & SetOf(xoParentBackGround))) return;
  if (!IsPublishedProp(FControl, "ParentBackground")) return;
  if (on) {
    FParentBgChanged = SameText(GetEnumPropByName(FControl, "ParentBackground"), "true");
    if (FParentBgChanged) SetPropByName(FControl, "ParentBackground", "False");
  } else if (FParentBgChanged) {
    SetPropByName(FControl, "ParentBackground", "True");
  }
}

TColor TSkinControl::FaceColor() const { return FSkinData ? FSkinData->Colors[scButtonFace] : clBtnFace; }

TColor TSkinControl::GetParentColor(TColor fallback) const {
  if (!FControl || !FControl->Parent()) return fallback;
  const TPropInfo* p = GetPropInfo(FControl->Parent(), "Color");
  if (!p || p->Kind != TPropKind::Integer) return fallback;
  return static_cast<TColor>(GetOrdProp(*FControl->Parent(), "Color"));
}

void TSkinControl::FillSkinColor(HDC dc, const RECT& r) const { FillRectColor(dc, r, FaceColor()); }

void TSkinControl::FillParentColor(HDC dc, const RECT& r) const {
  FillRectColor(dc, r, GetParentColor(FaceColor()));
}

void TSkinControl::DrawFocus(HDC dc, UINT flags, const RECT& r) {
  RECT t = r;
  SkinDrawText(dc, FCaption, t, flags | DT_CALCRECT | DT_NOCLIP);
  int w = t.right - t.left, h = t.bottom - t.top;
  if (flags & DT_CENTER) {
    OffsetRect(&t, ((r.right - r.left) - w) / 2, ((r.bottom - r.top) - h) / 2 - 1);
  } else if (flags & DT_RIGHT) {
    OffsetRect(&t, (r.right - r.left) - w, 0);
  }
  InflateRect(&t, 2, 1);
  IntersectRect(&t, &t, &r);
  DrawFocusRect(dc, &t);
}

void TSkinControl::ForwardMouseDown(const TMessage& m) {
  if (!FControl) return;
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  // Coordinates past 16 bits do not fit lParam: take the cursor instead.
  if (FControl->GetWidth() > 0x8000 || FControl->GetHeight() > 0x8000) {
    POINT p;
    GetCursorPos(&p);
    if (Handle()) ScreenToClient(Handle(), &p);
    x = p.x;
    y = p.y;
  }
  TShiftState shift = ssLeft;
  if (m.WParam & MK_SHIFT) shift |= ssShift;
  if (m.WParam & MK_CONTROL) shift |= ssCtrl;
  if (m.Msg == WM_LBUTTONDBLCLK) shift |= ssDouble;
  FControl->MouseDown(TMouseButton::mbLeft, shift, x, y);
}

LONG TSkinControl::GetStyle(int index) const {
  HWND handle = Handle();
  return Unicode() ? GetWindowLongW(handle, index) : GetWindowLongA(handle, index);
}

UINT TSkinControl::BiDiFlags(UINT flags) const {
  const TControl* c = FControl ? FControl : FGraphicControl;
  if (c && GetEnumPropByName(c, "BiDiMode") == "bdRightToLeft") flags |= DT_RTLREADING;
  return flags;
}

bool TSkinControl::PaintOwnFace(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    PaintViaBeginPaint(m);
    return true;
  }
  if (m.Msg != WM_ERASEBKGND) return false;
  m.Result = 1;
  return true;
}

void TSkinControl::SetPressed(bool pressed) {
  if (pressed) FMouseState |= msPressed;
  else FMouseState &= static_cast<BYTE>(~msPressed);
  PaintWindow(nullptr);
}

bool TSkinControl::PressAfterDefault(TMessage& m) {
  if (m.Msg != WM_LBUTTONDOWN && m.Msg != WM_LBUTTONDBLCLK) return false;
  CallDefault(m);
  SetPressed(true);
  return true;
}

void TSkinControl::PaintViaBeginPaint(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps{};
  const bool own = dc == nullptr;
  HWND window = Handle();
  if (own) dc = BeginPaint(window, &ps);
  RECT wr;
  if (GetWindowRect(window, &wr)) {
    FWindowRect = wr;
    RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    try {
      PaintSkin(dc, r);
    } catch (...) {
    }
  }
  if (own) EndPaint(window, &ps);
}

void TSkinControl::EraseWithParent(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (FControl) {
    PaintParentBackground(*FControl, dc);
  } else {
    RECT r;
    GetClientRect(Handle(), &r);
    FillParentColor(dc, r);
  }
  m.Result = 1;
}

// --- Shared paint routines ---------------------------------------------------------

void FillRectColor(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void FrameRectColor(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

void DrawSkinFrame(HDC dc, const RECT& r, int frameCount, int frameIndex, const TDataSkinObject* obj) {
  if (r.right < r.left || r.bottom < r.top) return;
  if (!obj || !obj->HasImage() || frameCount <= 0 || frameIndex < 1) return;
  std::unique_ptr<TBitmap> part =
      SkinRenderPart(r, *obj->Bitmap, obj->Margins(), frameIndex, frameCount, obj->Tile != 0, false);
  if (!part || part->Empty()) return;
  if (obj->Trans == 1) {
    TransparentBlit(dc, r, *part, clFuchsia);
  } else {
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, part->CanvasDC(), 0, 0, SRCCOPY);
  }
}

std::wstring GetWindowTextWide(HWND handle) {
  int n = GetWindowTextLengthW(handle);
  if (n <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(std::max(n, 0)));
  return text;
}

// --- Properties by name ------------------------------------------------------------

long long GetOrdPropByName(const TObject* instance, const std::string& name) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || p->Kind != TPropKind::Integer) return -1;
  return GetOrdProp(*instance, name);
}

std::string GetEnumPropByName(const TObject* instance, const std::string& name) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || (p->Kind != TPropKind::Enum && p->Kind != TPropKind::Boolean)) return std::string();
  return GetEnumProp(*instance, name);
}

std::wstring GetTextPropByName(const TObject* instance, const std::string& name) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || p->Kind != TPropKind::String) return std::wstring();
  return AnsiToWide(GetStrProp(*instance, name));
}

TObject* GetObjectPropByName(const TObject* instance, const std::string& name, const TClassInfo& cls) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || p->Kind != TPropKind::Object) return nullptr;
  TObject* obj = GetObjectProp(*instance, name);
  return obj && obj->ClassType().InheritsFrom(cls) ? obj : nullptr;
}

void SetPropByName(TObject* instance, const std::string& name, const std::string& text) {
  const TPropInfo* p = instance ? GetPropInfo(instance, name) : nullptr;
  if (!p || !p->Set) return;
  try {
    switch (p->Kind) {
      case TPropKind::Integer:
        SetOrdProp(*instance, name, std::stoll(text));
        break;
      case TPropKind::Enum:
      case TPropKind::Boolean:
        SetEnumProp(*instance, name, text);
        break;
      case TPropKind::String:
        SetStrProp(*instance, name, text);
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    // A text the property cannot take leaves it as it was.
  }
}
