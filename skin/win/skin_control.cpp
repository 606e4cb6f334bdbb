#include "skin/win/skin_control.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "skin/win/img_util.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_draw.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_text.h"
#include "skin/win/skin_updown.h"
#include "toolkit/base/gbk_wide.h"
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
    if (c->FHandle == window) return c;
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
    if (Contains(c) && c->FStatus == TSkinControl::stDestroyed) delete c;  // leaves the list and its owner
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
  if (FSkinForm) FSkinForm->Remove(this);
}

bool TSkinControl::TakeOwnerControl(TSkinControlList* form, TSkinData* skinData, TCanvas* canvas) {
  auto* control = dynamic_cast<TControl*>(Owner());
  if (!control) return false;
  FSkinData = skinData;
  FSkinForm = form;
  FCanvas = canvas;
  FControl = control;
  // A hidden control's window is not made here: it is taken when the toolkit
  // makes it (CM_WINDOWCREATED), the messages reach this object either way.
  if (auto* w = dynamic_cast<TWinControl*>(control)) FHandle = w->HandleOrNull();
  FUnicode = FHandle && IsWindowUnicode(FHandle);
  if (form) form->Add(this);
  return true;
}

void TSkinControl::TakeCreatedWindow() {
  auto* w = dynamic_cast<TWinControl*>(FControl);
  if (!w || !w->HandleAllocated() || w->HandleOrNull() == FHandle || FStatus == stDestroyed) return;
  FHandle = w->HandleOrNull();
  FUnicode = IsWindowUnicode(FHandle) != FALSE;
  if (FActive) WindowCreated();
}

void TSkinControl::AttachControl(TSkinControlList* form, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (FAttached || !TakeOwnerControl(form, skinData, canvas)) return;
  TControl* control = FControl;
  FSetColor = setColor;
  layer_.Install(control, [this](TMessage& m) { SkinWndProc(m); });
  if (FSetColor) {
    AdjustParentBackground(true);
    // A second apply keeps the colour the control had before the first.
    if (!colorTaken_) {
      FOldColor = control->GetColor();
      colorTaken_ = true;
    }
    control->SetColor(FaceColor());
  }
  if (FParentBgChanged) FMode = 1;
  control->Invalidate();
  FAttached = true;
  FStatus = stAttached;
}

void TSkinControl::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* form, TCanvas* canvas) {
  // A second attach would make the window's procedure call itself.
  if (FAttached || subclass_.Attached() || !IsWindow(handle)) return;
  FSkinData = skinData;
  FCanvas = canvas;
  FSkinForm = form;
  FHandle = handle;
  FEnabled = true;
  FMode = 0;
  if (form) form->Add(this);
  FUnicode = IsWindowUnicode(handle) != FALSE;
  FCaption = GetWindowTextWide(handle);
  subclass_.Attach(handle, [this](TMessage& m) { SkinWndProc(m); });
  InvalidateRect(handle, nullptr, TRUE);
  FAttached = true;
  FStatus = stAttached;
}

void TSkinControl::SkinSpinChild(HWND child, bool embedded) {
  if (!child || (FUpDown && FUpDown->FHandle == child && FUpDown->FStatus != stDestroyed)) return;
  // A spin window made again gets a new skin; the old one goes with the frame's sweep.
  auto* spin = new TSkinUpDown(this);
  spin->AttachHandle(child, FSkinData, FSkinForm, FCanvas);
  if (!spin->FAttached) {
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
    FActive = static_cast<LONG_PTR>(m.WParam) > 0;
    if (FActive) Redraw();
    return;
  }
  if (!FActive) {
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
      FStatus = stDestroyed;
      CallDefault(m);
      if (FActive) Unskin();
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
  if (!FHandle || !GetWindowRect(FHandle, &wr)) return;
  FWindowRect = wr;
  RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  HDC target = dc ? dc : GetWindowDC(FHandle);
  try {
    PaintSkin(target, r);
  } catch (...) {
    // A failed paint leaves the face as it was; the message completes.
  }
  if (!dc) ReleaseDC(FHandle, target);
}

void TSkinControl::Unskin() {
  if (!FActive) return;
  FActive = false;
  if (FStatus != stDestroyed && FSetColor && FControl) {
    AdjustParentBackground(false);
    FControl->SetColor(FOldColor);
  }
}

void TSkinControl::SkinChanged() {
  if (FSetColor && FControl) FControl->SetColor(FaceColor());
  Redraw();
}

void TSkinControl::Redraw() {
  if (FGraphicControl) {
    FGraphicControl->Invalidate();
  } else if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
  }
}

void TSkinControl::AdjustParentBackground(bool on) {
  if (!FControl || !FSkinData || (FSkinData->Options & SetOf(xoParentBackGround))) return;
  if (!IsPublishedProp(FControl, "ParentBackground")) return;
  if (on) {
    std::string value = GetEnumPropByName(FControl, "ParentBackground");
    std::transform(value.begin(), value.end(), value.begin(), ::tolower);
    FParentBgChanged = value == "true";
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
    if (FHandle) ScreenToClient(FHandle, &p);
    x = p.x;
    y = p.y;
  }
  TShiftState shift = ssLeft;
  if (m.WParam & MK_SHIFT) shift |= ssShift;
  if (m.WParam & MK_CONTROL) shift |= ssCtrl;
  if (m.Msg == WM_LBUTTONDBLCLK) shift |= ssDouble;
  FControl->MouseDown(TMouseButton::mbLeft, shift, x, y);
}

LONG TSkinControl::GetStyle(HWND handle, int index) const {
  return FUnicode ? GetWindowLongW(handle, index) : GetWindowLongA(handle, index);
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
  if (own) dc = BeginPaint(FHandle, &ps);
  RECT wr;
  if (GetWindowRect(FHandle, &wr)) {
    FWindowRect = wr;
    RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    try {
      PaintSkin(dc, r);
    } catch (...) {
    }
  }
  if (own) EndPaint(FHandle, &ps);
}

void TSkinControl::EraseWithParent(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (FControl) {
    PaintParentBackground(*FControl, dc);
  } else {
    RECT r;
    GetClientRect(FHandle, &r);
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
