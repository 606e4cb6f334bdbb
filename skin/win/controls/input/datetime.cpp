#include "skin/win/controls/input/datetime.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/win/data/skin_data.h"
#include "toolkit/win/bitmap.h"

const TClassInfo& TArrowButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TArrowButton>("TArrowButton", &TWinControl::StaticClass()).Build();
  return info;
}

TArrowButton::TArrowButton(TComponent* owner) : TWinControl(owner) {
  FButtonWidth = GetSystemMetrics(SM_CXHSCROLL);
  SetTabStop(false);
}

void TArrowButton::Attach(TSkinDateTime* skin, TWinControl* picker) {
  FSkin = skin;
  FPicker = picker;
  // A child of the picker: its window comes with the picker's.
  SetParent(picker);
  SetBounds(picker->GetWidth() - FButtonWidth - 4, 0, FButtonWidth, picker->GetHeight() - 4);
  if (picker->HandleAllocated()) PickerWindowMade();
}

void TArrowButton::PickerWindowMade() {
  FPickerHandle = FPicker->HandleOrNull();
  RECT wr;
  GetWindowRect(FPickerHandle, &wr);
  Place(RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top});
  SetWindowLongW(FPickerHandle, GWL_STYLE, GetWindowLongW(FPickerHandle, GWL_STYLE) | WS_CLIPCHILDREN);
}

void TArrowButton::Place(const RECT& r) {
  const bool left = (GetWindowLongW(FPickerHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const int x = left ? 2 : r.right - FButtonWidth - 4;
  if (x != GetLeft()) SetBounds(x, GetTop(), GetWidth(), GetHeight());
}

void TArrowButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TWinControl::WndProc(m);
      if (FPicker && FPicker->GetEnabled()) {
        FHot = m.Msg == CM_MOUSEENTER ? 1 : 0;
        Invalidate();
      }
      return;
    case WM_LBUTTONDOWN: {
      TWinControl::WndProc(m);
      // The click reaches the picker at the same place: it opens its calendar.
      const LPARAM at = MAKELPARAM(GET_X_LPARAM(m.LParam) + GetLeft(), GET_Y_LPARAM(m.LParam) + GetTop());
      PostMessageW(FPickerHandle, WM_LBUTTONDOWN, m.WParam, at);
      PostMessageW(FPickerHandle, WM_LBUTTONUP, m.WParam, at);
      Invalidate();
      return;
    }
    case WM_LBUTTONUP:
      TWinControl::WndProc(m);
      if (IsWindow(FPickerHandle)) ::SetFocus(FPickerHandle);
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TArrowButton::PaintWindow(HDC dc) {
  TSkinData* data = FSkin ? FSkin->FSkinData : nullptr;
  if (!data || !FPicker) return;
  const RECT d{0, 0, GetWidth(), FPicker->GetHeight() - 4};
  FillRectColor(dc, d, data->Colors[scButtonFace]);
  const TDataSkinObject* arrow = data->ComboxArrow.get();
  if (!arrow || !arrow->HasImage()) return;
  const int count = std::max(arrow->FrameCount, 1);
  const int fw = arrow->Bitmap->GetWidth() / count, k = FHot ? std::min(4, count) : 1;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, arrow->Bitmap->CanvasDC(), fw * (k - 1), 0, fw,
             arrow->Bitmap->GetHeight(), SRCCOPY);
}

const TClassInfo& TSkinDateTime::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinDateTime>("TSkinDateTime", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinDateTime::TSkinDateTime(TComponent* owner) : TSkinControl(owner) {}

void TSkinDateTime::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  auto* picker = dynamic_cast<TWinControl*>(FControl);
  if (!picker) return;
  FArrowButton = new TArrowButton(this);
  FArrowButton->Attach(this, picker);
}

void TSkinDateTime::WindowCreated() {
  if (FArrowButton) FArrowButton->PickerWindowMade();
}

void TSkinDateTime::AfterMessage(TMessage& m) {
  if (m.Msg == WM_SIZE && FArrowButton) {
    FArrowButton->Repaint();
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinDateTime::PaintSkin(HDC dc, const RECT& r) {
  if (FArrowButton) FArrowButton->Place(r);
  RECT c;
  GetClientRect(Handle(), &c);
  if (!FSkinData || c.right == r.right - r.left || c.bottom == r.bottom - r.top) return;
  RECT f = r;
  FrameRectColor(dc, f, FSkinData->Colors[scButtonShadow]);
  InflateRect(&f, -1, -1);
  FrameRectColor(dc, f, clWhite);
}
