#include "skin/win/controls/input/updown.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/win/controls/buttons/button.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/arrow_glyph.h"
#include "skin/win/draw/draw.h"
#include "toolkit/win/bitmap.h"

int UpDownFrame(int state, bool second) { return state + (second ? 4 : 0); }

const TClassInfo& TSkinUpDown::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinUpDown::TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}

bool TSkinUpDown::BeforeMessage(TMessage& m) {
  if (PressAfterDefault(m)) return false;
  switch (m.Msg) {
    case WM_PAINT:
      PaintViaBeginPaint(m);
      return false;
    case WM_ERASEBKGND:
      if (!FControl) {
        RECT r;
        GetClientRect(Handle(), &r);
        FillRectColor(reinterpret_cast<HDC>(m.WParam), r, clWhite);
      }
      m.Result = 1;
      return false;
    case WM_LBUTTONUP:
      FMouseState &= static_cast<BYTE>(~msPressed);
      CallDefault(m);
      PaintWindow(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinUpDown::PaintSkin(HDC dc, const RECT& area) {
  if (!FSkinData) return;
  RECT r = area;
  if (FEmbedded) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRectColor(dc, client, clWhite);
    RECT p, w;
    GetWindowRect(GetParent(Handle()), &p);
    GetWindowRect(Handle(), &w);
    // The buttons keep 3 pixels inside the edit's border.
    if (w.top - p.top < 3) r.top += 3 - (w.top - p.top);
    if (p.bottom - w.bottom < 3) r.bottom -= 3 - (p.bottom - w.bottom);
    if (p.right - w.right < 3) r.right -= 3 - (p.right - w.right);
  }
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  TBitmap face;
  face.SetPixelFormat(TPixelFormat::pf24bit);
  face.SetSize(width, height);
  HDC fdc = face.CanvasDC();
  const RECT b{0, 0, width, height};
  FillRectColor(fdc, b, FSkinData->Colors[scButtonFace]);

  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  const LONG style = GetStyle(GWL_STYLE);
  FEnabled = (style & WS_DISABLED) == 0;
  const bool horizontal = (style & UDS_HORZ) != 0;
  const int half = horizontal ? width / 2 : height / 2;
  const RECT buttons[2] = {horizontal ? RECT{0, 0, half, b.bottom} : RECT{0, 0, b.right, half},
                           horizontal ? RECT{half, 0, b.right, b.bottom} : RECT{0, half, b.right, b.bottom}};
  const int directions[2] = {horizontal ? adLeft : adUp, horizontal ? adRight : adDown};
  const int along = horizontal ? cursor.x : cursor.y;
  const TDataSkinBorder* obj = horizontal ? FSkinData->UpDownHorz.get() : FSkinData->UpDownVert.get();
  for (int i = 0; i < 2; ++i) {
    const RECT& k = buttons[i];
    const bool inHalf = i == 0 ? along < half : along >= half;
    const int state = ButtonFaceFrame(!FEnabled, inHalf ? FMouseState & msPressed : 0, false);
    if (obj && obj->HasImage()) {
      const int frame = UpDownFrame(state, i == 1);
      SkinDrawStateFrame(fdc, k, *obj->Bitmap, frame, obj->FrameCount, obj->Trans == 1);
      if (obj->Bitmap2 && !obj->Bitmap2->Empty()) {
        const int cw = obj->Bitmap2->GetWidth() / std::max(obj->FrameCount, 1), ch = obj->Bitmap2->GetHeight();
        const int x = k.left + ((k.right - k.left) - cw) / 2, y = k.top + ((k.bottom - k.top) - ch) / 2;
        SkinDrawStateFrame(fdc, RECT{x, y, x + cw, y + ch}, *obj->Bitmap2, frame, obj->FrameCount, obj->Trans == 1);
      }
      continue;
    }
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FSkinData->Colors[state == 2 ? scButtonShadow : scButtonFace]));
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->Colors[scButtonDkShadow]));
    HGDIOBJ oldBrush = SelectObject(fdc, brush);
    HGDIOBJ oldPen = SelectObject(fdc, pen);
    Rectangle(fdc, k.left, k.top, k.right, k.bottom);
    const int cx = k.left + (k.right - k.left) / 2, cy = k.top + (k.bottom - k.top) / 2;
    DrawArrowGlyph(fdc, cx, horizontal ? cy : cy - 2, directions[i]);
    SelectObject(fdc, oldPen);
    SelectObject(fdc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
  BitBlt(dc, r.left, r.top, width, height, fdc, 0, 0, SRCCOPY);
}
