#include "skin/win/controls/scroll/scrollbar.h"

#include <string>

#include "skin/win/data/skin_data.h"
#include "skin/win/messages.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/controls.h"
#include "toolkit/win/form.h"

// --- The pair of overlays --------------------------------------------------------

void TScrollbarPair::Make(TSkinControl* owner, TControl* control, HWND handle) {
  Horz = std::make_unique<TWScrollbar>();
  Vert = std::make_unique<TWScrollbar>();
  if (control) {
    Horz->AttachToControl(owner, control, TWScrollbar::kHorizontal);
    Vert->AttachToControl(owner, control, TWScrollbar::kVertical);
  } else {
    Horz->AttachToWindow(owner, handle, TWScrollbar::kHorizontal);
    Vert->AttachToWindow(owner, handle, TWScrollbar::kVertical);
  }
}

void TScrollbarPair::Place(HWND handle) {
  if (Horz) Horz->Place(handle);
  if (Vert) Vert->Place(handle);
}

void TScrollbarPair::Hide() {
  if (Horz) Horz->HideBar();
  if (Vert) Vert->HideBar();
}

void TScrollbarPair::Free() {
  Horz.reset();
  Vert.reset();
}

void TScrollbarPair::SetEnabled(bool enabled) {
  if (Horz) Horz->SetEnabled(enabled);
  if (Vert) Vert->SetEnabled(enabled);
}

void TScrollbarPair::InvalidateShown() {
  if (Horz && Horz->FShown) Horz->Invalidate();
  if (Vert && Vert->FShown) Vert->Invalidate();
}

void TScrollbarPair::ScrollRequest(UINT msg, WPARAM wp) {
  TWScrollbar* bar = msg == WM_HSCROLL ? Horz.get() : Vert.get();
  if (!bar) return;
  bar->FHotPart = LOWORD(wp);
  bar->Invalidate();
}

bool TScrollbarPair::BothShown() const { return Horz && Vert && Horz->FShown && Vert->FShown; }

bool TScrollbarPair::Corner(RECT& r) const {
  if (!BothShown()) return false;
  r = RECT{Vert->FBarRect.left, Horz->FBarRect.top, Vert->FBarRect.right, Horz->FBarRect.bottom};
  return true;
}

void FillScrollCorner(const TSkinControl& skin, HDC dc, const TScrollbarPair& bars) {
  RECT corner;
  if (!dc || !skin.Handle() || !bars.Corner(corner)) return;
  // The DC is the window's: move by the border between window and client origins.
  RECT window;
  POINT client{0, 0};
  if (!GetWindowRect(skin.Handle(), &window) || !ClientToScreen(skin.Handle(), &client)) return;
  OffsetRect(&corner, client.x - window.left, client.y - window.top);
  skin.FillSkinColor(dc, corner);
}

// --- A toolkit control's bars -------------------------------------------------------

const TClassInfo& TSkinScrollbar::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinScrollbar>("TSkinScrollbar", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner, int mode) : TSkinControl(owner) { FMode = mode; }

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::AttachControl(TSkinControlList* list, TSkinData* skinData, bool, TCanvas* canvas) {
  AttachScrollbars(dynamic_cast<TControl*>(Owner()), skinData, list, canvas);
}

void TSkinScrollbar::AttachScrollbars(TControl* control, TSkinData* skinData, TSkinControlList* list,
                                      TCanvas* canvas) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (Attached() || !win || control != Owner()) return;
  const int mode = FMode;
  FDrawBorder = !SameText(GetEnumPropByName(control, "BorderStyle"), "bsNone") &&
                std::string(control->ClassName()) != "TImageScrollBox" && mode != 1;
  // The base takes the control's messages over and registers with the list.
  TSkinControl::AttachControl(list, skinData, false, canvas);
  FMode = mode;
  if (!Attached()) return;
  ReplaceFixedColor();
  if (Handle()) MakeBars();
}

void TSkinScrollbar::MakeBars() {
  FBars.Make(this, FControl, Handle());
  FBars.SetEnabled(FControl->GetEnabled());
  if (!FControl->GetVisible()) FBars.Hide();
  if (FDrawBorder) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::WindowCreated() {
  if (Attached()) MakeBars();
}

void TSkinScrollbar::ReplaceFixedColor() {
  const TPropInfo* p = FControl ? GetPropInfo(FControl, "FixedColor") : nullptr;
  if (!p || p->Kind != TPropKind::Integer) return;
  // A second skin keeps the colour the control had before the first.
  if (!FSetColor) FOldColor = static_cast<TColor>(GetOrdProp(*FControl, "FixedColor"));
  FSetColor = true;
  SetPropByName(FControl, "FixedColor", std::to_string(static_cast<long long>(FaceColor())));
}

void TSkinScrollbar::SkinChanged() {
  ReplaceFixedColor();
  Redraw();
  FBars.InvalidateShown();
}

void TSkinScrollbar::Unskin() {
  if (FSetColor && FControl && !Destroyed() && FOldColor)
    SetPropByName(FControl, "FixedColor", std::to_string(static_cast<long long>(*FOldColor)));
  FSetColor = false;
  TSkinControl::Unskin();
  if (Destroyed()) FBars.Hide();  // the window is gone: they go with this object
  else FBars.Free();
  if (FDrawBorder && !Destroyed() && Handle())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::PlaceBars() { FBars.Place(Handle()); }

void TSkinScrollbar::DrawBorder(HDC dc, const RECT& r) {
  if (!FSkinData) return;
  HBRUSH shadow = CreateSolidBrush(ColorToRGB(FSkinData->Colors[scButtonShadow]));
  FrameRect(dc, &r, shadow);
  DeleteObject(shadow);
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  HBRUSH face = CreateSolidBrush(ColorToRGB(FSkinData->Colors[scButtonFace]));
  FrameRect(dc, &inner, face);
  DeleteObject(face);
}

void TSkinScrollbar::DrawWindowBorder(HDC dc) {
  try {
    RECT r;
    if (!GetWindowRect(Handle(), &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    DrawBorder(dc, r);
  } catch (...) {
    // A border that cannot be drawn leaves the system's.
  }
}

bool TSkinScrollbar::BeforeMessage(TMessage& m) {
  if (m.Msg == WM_NCPAINT && FDrawBorder) {
    CallDefault(m);
    HDC dc = GetWindowDC(Handle());
    DrawWindowBorder(dc);
    ReleaseDC(Handle(), dc);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PlaceBars();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      FBars.ScrollRequest(m.Msg, m.WParam);
      break;
    case WM_MOUSEWHEEL:
      FBars.InvalidateShown();
      break;
    case CM_VISIBLECHANGED:
      if (m.WParam) PlaceBars();
      else FBars.Hide();
      break;
    case CM_ENABLEDCHANGED:
      if (FControl) FBars.SetEnabled(FControl->GetEnabled());
      TSkinControl::AfterMessage(m);
      break;
    case CM_RECREATEWND:
      // The new window is made by now: the frame replaces this object with one over it.
      if (FControl && FControlList && Handle()) {
        TCustomForm* form = GetParentForm(FControl);
        if (form && form->HandleAllocated())
          PostMessageW(form->HandleOrNull(), SM_CONTROLRECREATED, reinterpret_cast<WPARAM>(Handle()), 0);
      }
      break;
    case SM_PAINTFRAMETO:
      if (static_cast<LPARAM>(m.LParam) == SKIN_MESSAGE_TAG) {
        if (m.WParam) DrawWindowBorder(reinterpret_cast<HDC>(m.WParam));
        m.Result = SKIN_MESSAGE_TAG;
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinScrollbar::PaintSkin(HDC dc, const RECT&) {
  const LONG style = GetStyle(GWL_STYLE);
  for (TWScrollbar* bar : {FBars.Vert.get(), FBars.Horz.get()}) {
    if (!bar) continue;
    if (bar->FShown) bar->Invalidate();
    else if (style & (bar == FBars.Vert.get() ? WS_VSCROLL : WS_HSCROLL)) bar->Place(Handle());
  }
  FillScrollCorner(*this, dc, FBars);
}

// --- A window known by its handle -------------------------------------------------------

const TClassInfo& TSkinScrollbarH::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachHandle(handle, skinData, list, canvas);
  if (!Attached()) return;
  FBars.Make(this, nullptr, handle);
}

void TSkinScrollbarH::PlaceBars() { FBars.Place(Handle()); }

void TSkinScrollbarH::AfterMessage(TMessage& m) {
  if (!IsWindowVisible(Handle())) FBars.Hide();
  switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
      PlaceBars();
      Redraw();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      FBars.ScrollRequest(m.Msg, m.WParam);
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinScrollbarH::Unskin() {
  TSkinControl::Unskin();
  if (Destroyed()) FBars.Hide();
  else FBars.Free();
}

void TSkinScrollbarH::PaintSkin(HDC dc, const RECT&) {
  FBars.InvalidateShown();
  FillScrollCorner(*this, dc, FBars);
}
