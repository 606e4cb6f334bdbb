#include "skin/win/controls/input/combo.h"

#include <windowsx.h>

#include <algorithm>
#include <initializer_list>

#include "skin/win/controls/scroll/combo_scrollbar.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/user32.h"
#include "toolkit/win/bitmap.h"

namespace {

// The DC's state (clipping above all) as the caller gave it.
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC dc_;
  int saved_;
};

bool Has(const TDataSkinObject* obj) { return obj && obj->HasImage(); }

}  // namespace

int ComboStateFrame(bool disabled, BYTE mouseState, bool focused) {
  if (disabled) return cfDisabled;
  if (mouseState & TSkinControl::msPressed) return cfPressed;
  if (focused || (mouseState & TSkinControl::msHover)) return cfHot;
  return cfNormal;
}

int ComboFlatStateFrame(bool disabled, BYTE mouseState, bool focused) {
  if (mouseState & TSkinControl::msPressed) return cfPressed;
  if (focused || (mouseState & TSkinControl::msHover)) return cfHot;
  return disabled ? cfDisabled : cfNormal;
}

const TClassInfo& TSkinComBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() { edit_.Detach(); }

void TSkinComBox::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FListScrollbars) FListScrollbars = nullptr;
  if (component == FListScrollBar) FListScrollBar = nullptr;
}

void TSkinComBox::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  if (Handle()) WindowCreated();
}

void TSkinComBox::WindowCreated() {
  FStyle = GetStyle(GWL_STYLE);
  SkinList(FControlList);
  if ((FStyle & 3) != CBS_SIMPLE) HookEdit();
}

void TSkinComBox::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachHandle(handle, skinData, list, canvas);
  if (!Attached()) return;
  FStyle = GetStyle(GWL_STYLE);
  if ((FStyle & 3) != CBS_SIMPLE) HookEdit();
}

// The list's scroll bars get their own skin, owned here.
void TSkinComBox::SkinList(TSkinControlList* list) {
  auto get = OptionalUser32().GetComboBoxInfo;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!get || !get(Handle(), &info) || !info.hwndList) return;
  if ((FStyle & 3) != CBS_SIMPLE) {
    if (!(FStyle & 2)) return;
    FListScrollBar = new TComboxScrollBar(this);
    FListScrollBar->AttachHandle(info.hwndList, FSkinData, list, nullptr);
  } else if ((GetWindowLongW(info.hwndList, GWL_STYLE) & WS_CHILD) && !IsPopupWindow(info.hwndList)) {
    FListScrollbars = new TSkinScrollbarH(this);
    FListScrollbars->AttachHandle(info.hwndList, FSkinData, list, FCanvas);
  }
}

// The edit child is watched through the wide API, so Unicode combos get it too.
void TSkinComBox::HookEdit() {
  FEditHandle = GetTopWindow(Handle());
  if (FEditHandle) edit_.Attach(FEditHandle, [this](TMessage& m) { EditWndProc(m); });
}

void TSkinComBox::EditWndProc(TMessage& m) {
  edit_.CallPrevious(m);
  if (!Active()) return;
  if (m.Msg == WM_PAINT) PaintWindow(nullptr);
  else TrackPress(m.Msg);
}

bool TSkinComBox::TrackPress(UINT msg) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) FMouseState |= msPressed;
  else if (msg == WM_LBUTTONUP) FMouseState &= static_cast<BYTE>(~msPressed);
  else return false;
  Redraw();
  return true;
}

void TSkinComBox::Unskin() {
  TSkinControl::Unskin();
  edit_.Detach();
  for (TSkinControl* bar : std::initializer_list<TSkinControl*>{FListScrollbars, FListScrollBar}) {
    if (!bar) continue;
    bar->Unskin();
    delete bar;  // clears its field through Notification
  }
}

void TSkinComBox::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CN_COMMAND:
      break;
    case WM_MOUSEMOVE: {
      POINT p{LOWORD(m.LParam), HIWORD(m.LParam)};
      const bool over = PtInRect(&FButtonRect, p) != FALSE;
      if ((FMouseState & msHover) && !over && FEnabled) {
        FMouseState &= static_cast<BYTE>(~msHover);
        Redraw();
      } else if (!(FMouseState & msHover) && over && FEnabled) {
        FMouseState |= msHover;
        Redraw();
      }
      break;
    }
    case WM_DRAWITEM:
      Redraw();
      break;
    case WM_NCPAINT:
      // Under Wine the window stands taller for a moment while its list's
      // height is set (the toolkit sets it through the window's height): a
      // paint forced then would leave the combo's face on the parent below.
      if (TallerThanFace())
        InvalidateRect(Handle(), nullptr, TRUE);
      else
        Redraw();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      TrackPress(m.Msg);
      break;
    case CM_MOUSELEAVE:
      if (FMouseState & msHover) {
        FMouseState &= static_cast<BYTE>(~msHover);
        Redraw();
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

int TSkinComBox::FaceHeight(const COMBOBOXINFO& info) const {
  RECT at;
  POINT client{0, 0};
  if (info.rcButton.bottom <= info.rcButton.top || !GetWindowRect(Handle(), &at) || !ClientToScreen(Handle(), &client))
    return 0;
  // The face ends as far below the button as it begins above it.
  return 2 * (client.y - at.top) + info.rcButton.top + info.rcButton.bottom;
}

bool TSkinComBox::TallerThanFace() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  RECT at;
  auto get = OptionalUser32().GetComboBoxInfo;
  if (!get || !get(Handle(), &info) || (info.stateButton & STATE_SYSTEM_INVISIBLE) || !GetWindowRect(Handle(), &at))
    return false;
  const int face = FaceHeight(info);
  return face > 0 && at.bottom - at.top > face;
}

void TSkinComBox::PaintSkin(HDC dc, const RECT& window) {
  const TDataSkinBorder* button = FSkinData ? FSkinData->ComboButton.get() : nullptr;
  if (!Has(button)) return;
  FStyle = GetStyle(GWL_STYLE);
  FExStyle = GetStyle(GWL_EXSTYLE);
  FComboInfo = COMBOBOXINFO{};
  FComboInfo.cbSize = sizeof(FComboInfo);
  RECT r = window;
  if (auto get = OptionalUser32().GetComboBoxInfo) {
    if (get(Handle(), &FComboInfo)) {
      FButtonRect = FComboInfo.rcButton;
      if (FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE) return;  // a simple combo has no button
      // Below the face is the parent's, also while the window stands taller (see AfterMessage).
      if (const int face = FaceHeight(FComboInfo)) r.bottom = std::min(r.bottom, r.top + face);
    }
  }
  FFocused = GetFocus() == Handle();
  FEnabled = (FStyle & WS_DISABLED) == 0;
  TSavedDC saved(dc);
  if (button->Style == 1) {
    PaintFlat(dc, r);
    return;
  }
  const int frame = ComboStateFrame(!FEnabled, FMouseState, FFocused);
  if (FExtended) {
    PaintExtended(dc, r, frame);
    return;
  }
  const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  const int e = GetSystemMetrics(SM_CXHSCROLL);
  if (button->Style == 2) {
    const TDataSkinObject* obj = left ? FSkinData->SunkEdge.get() : button;
    if (!Has(obj)) return;
    SkinDrawPart(dc, r, *obj->Bitmap, obj->Margins(), frame, obj->FrameCount, true, false, false);
    // The composed image leaves the text area open up to one pixel of edge before the button.
    PaintCaptionMargin(dc, r, left ? r.left + e + 3 : r.right - e - 3, left);
    return;
  }
  PaintStandard(dc, r, frame);
  PaintCaptionMargin(dc, r, left ? r.left + e + 4 : r.right - e - 4, left);
}

void TSkinComBox::PaintCaptionMargin(HDC dc, const RECT& r, int textEnd, bool left) {
  // The brush the combo fills its text area with, asked of its parent as the combo asks.
  HWND parent = GetParent(Handle());
  HDC scratch = CreateCompatibleDC(dc);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, FEnabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(scratch),
                                                     reinterpret_cast<LPARAM>(Handle())));
  DeleteDC(scratch);
  if (!brush) brush = GetSysColorBrush(FEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
  const RECT m = left ? RECT{textEnd, r.top + 2, textEnd + ComboCaptionMargin, r.bottom - 2}
                      : RECT{textEnd - ComboCaptionMargin, r.top + 2, textEnd, r.bottom - 2};
  FillRect(dc, &m, brush);
}

void TSkinComBox::PaintStandard(HDC dc, const RECT& r, int frame) {
  const TDataSkinBorder& button = *FSkinData->ComboButton;
  const int e = GetSystemMetrics(SM_CXHSCROLL);
  const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  TSavedDC textLeftOut(dc);
  RECT b, a;
  if (!left) {
    ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - e - 4, r.bottom - 2);
    b = RECT{r.right - e - 2, r.top, r.right, r.bottom};
    a = RECT{r.right - e - 2, r.top, r.right - 2, r.bottom};
  } else {
    ExcludeClipRect(dc, r.left + e + 4, r.top + 2, r.right - 2, r.bottom - 2);
    b = RECT{r.left, r.top, r.left + e + 2, r.bottom};
    a = RECT{2, r.top, e + 2, r.bottom};
  }
  const TDataSkinObject* sunk = FSkinData->SunkEdge.get();
  if (Has(sunk)) {
    DrawSkinFrame(dc, r, sunk->FrameCount, frame, sunk);
  } else {
    // No face in the skin: the colour table's.
    FillRectColor(dc, r, FSkinData->Colors[scButtonFace]);
    FrameRectColor(dc, r, FSkinData->Colors[scButtonShadow]);
  }
  TBitmap* image = left && button.Bitmap2 && !button.Bitmap2->Empty() ? button.Bitmap2.get() : button.Bitmap.get();
  DrawStripFrameMasked(dc, b, button.FrameCount, frame, *image);
  FButtonRect = b;
  const TDataSkinObject* arrow = FSkinData->ExtraImages.get();
  if (Has(arrow)) {
    const int cw = arrow->Bitmap->GetWidth() / std::max(arrow->FrameCount, 1), ch = arrow->Bitmap->GetHeight();
    const int x = a.left + ((a.right - a.left) - cw) / 2, y = a.top + ((a.bottom - a.top) - ch) / 2;
    DrawStripFrame(dc, RECT{x, y, x + cw, y + ch}, arrow->FrameCount, frame, *arrow->Bitmap);
  }
}

void TSkinComBox::PaintFlat(HDC dc, const RECT& r) {
  const TDataSkinBorder& button = *FSkinData->ComboButton;
  const int frame = ComboFlatStateFrame(!FEnabled, FMouseState, FFocused);
  const int g = GetSystemMetrics(SM_CYVTHUMB);
  const int bw = button.Bitmap->GetWidth() / std::max(button.FrameCount, 1), bh = button.Bitmap->GetHeight();
  const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  // The DC's own brush is borrowed: used, never deleted.
  HBRUSH dcBrush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  RECT s = r;
  InflateRect(&s, -1, -1);
  FrameRect(dc, &s, dcBrush);
  InflateRect(&s, -1, -1);
  RECT strip = s, k = s;
  if (left) {
    strip.right = s.left + g;
    k.right = s.left + bw;
  } else {
    strip.left = s.right - g;
    k.left = s.right - bw;
  }
  FillRect(dc, &strip, dcBrush);
  if (bh < g) k.bottom = k.top + bh;
  FrameRectColor(dc, r, FSkinData->Colors[scButtonShadow]);
  FButtonRect = k;
  DrawStripFrame(dc, k, button.FrameCount, frame, *button.Bitmap);
}

void TSkinComBox::PaintExtended(HDC dc, const RECT& r, int frame) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right != r.right - r.left && client.bottom != r.bottom - r.top) {
    RECT f = r;
    FrameRectColor(dc, f, FSkinData->Colors[scButtonShadow]);
    InflateRect(&f, -1, -1);
    FrameRectColor(dc, f, clWhite);
  }
  HWND child = GetTopWindow(Handle());
  const TDataSkinObject* arrow = FSkinData->ComboxArrow.get();
  RECT cr;
  if (!child || !GetWindowRect(child, &cr)) return;
  OffsetRect(&cr, -FWindowRect.left, -FWindowRect.top);
  FillRectColor(dc, cr, FSkinData->Colors[scButtonFace]);
  if (Has(arrow)) DrawStripFrame(dc, cr, arrow->FrameCount, frame, *arrow->Bitmap);
}
