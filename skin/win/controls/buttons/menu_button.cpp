#include "skin/win/controls/buttons/menu_button.h"

#include "skin/win/controls/glyph.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

const TClassInfo& TSkinMenuButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinMenuButton>("TSkinMenuButton", &TSkinButton::StaticClass()).Build();
  return info;
}

void TSkinMenuButton::PaintSkin(HDC dc, const RECT& r) {
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (!buttons || !buttons->HasImage() || buttons->FrameCount <= 0) return;
  FFocused = GetFocus() == Handle();
  FEnabled = (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  FCaption = FControl ? GetTextPropByName(FControl, "Caption") : GetWindowTextWide(Handle());
  int state = (FMouseState & msPressed) ? bfPressed : (FFocused || (FMouseState & msHover)) ? bfHot : bfNormal;
  if (!FEnabled) state = bfDisabled;

  const int cw = r.right - r.left, ch = r.bottom - r.top;
  FFaceBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  FFaceBitmap->SetSize(cw, ch);
  HDC face = FFaceBitmap->CanvasDC();
  HGDIOBJ oldFont = SelectObject(face, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  auto* glyph = static_cast<TBitmap*>(GetObjectPropByName(FControl, "Glyph", TBitmap::StaticClass()));
  int margin = static_cast<int>(GetOrdPropByName(FControl, "Margin"));
  int spacing = static_cast<int>(GetOrdPropByName(FControl, "Spacing"));
  const SIZE g = glyph && !glyph->Empty() ? SIZE{glyph->GetWidth(), glyph->GetHeight()} : SIZE{0, 0};
  const SIZE arrow{8, 3};

  const RECT all{0, 0, cw, ch};
  if (FTransparent && FControl) PaintParentBackground(*FControl, face);
  else FillSkinColor(face, all);
  DrawSkinFrame(face, all, buttons->FrameCount, state, buttons);
  if (FControl) SelectObject(face, FControl->GetFont()->Handle());
  FCaption = ReplaceBarsWithNewLine(FCaption, L"||", L"\r\n");

  SIZE text{0, 0};
  if (!FCaption.empty()) {
    RECT box{0, 0, cw - g.cx - arrow.cx, ch};
    InflateRect(&box, -2, -2);
    SkinDrawText(face, FCaption, box, DT_CALCRECT | DT_WORDBREAK);
    text = SIZE{box.right - box.left, box.bottom - box.top};
  }
  if (margin == -1 && spacing == -1) {
    margin = (cw - (g.cx + text.cx + arrow.cx)) / 4;
    spacing = margin;
  } else if (margin == -1) {
    margin = (cw - (g.cx + text.cx + arrow.cx + 2 * spacing)) / 2;
  } else if (spacing == -1) {
    spacing = ((cw - 2 * margin - g.cx + arrow.cx) - text.cx) / 2;
  }
  const int textX = margin + g.cx + spacing, textY = (ch - text.cy + 1) / 2;
  const int arrowX = textX + 2 * spacing + text.cx, arrowY = (ch - arrow.cy) / 2;
  if (g.cx > 0 && g.cy > 0) DrawGlyph(face, POINT{margin, (ch - g.cy) / 2}, 1, 1, *glyph);

  TColor color = FControl ? FControl->GetFont()->GetColor() : FSkinData->Colors[scButtonText];
  if (buttons->NormalColour2Given && state == bfNormal) color = buttons->NormalColour2;
  if (state == bfHot && buttons->MouseOverColour2Given) color = buttons->MouseOverColour2;
  if (state == bfPressed && buttons->PressedColour2Given) color = buttons->PressedColour2;
  TColor ink = clWindowText;
  if (!FEnabled) color = ink = clBtnShadow;
  SetTextColor(face, ColorToRGB(color));

  // A filled triangle, 7 pixels wide, pointing down.
  HBRUSH brush = CreateSolidBrush(ColorToRGB(ink));
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(ink));
  HGDIOBJ oldBrush = SelectObject(face, brush), oldPen = SelectObject(face, pen);
  const POINT corners[3] = {{arrowX, arrowY + 2}, {arrowX - 3, arrowY - 1}, {arrowX + 3, arrowY - 1}};
  Polygon(face, corners, 3);
  SelectObject(face, oldBrush);
  SelectObject(face, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);

  RECT t{textX, textY, textX + text.cx, textY + text.cy};
  SetBkMode(face, TRANSPARENT);
  if (!FCaption.empty()) SkinDrawText(face, FCaption, t, BiDiFlags(DT_WORDBREAK));
  if (FFocused && !(FSkinData->Options & SetOf(xoNoFocusRect))) {
    InflateRect(&t, 2, 2);
    DrawFocusRect(face, &t);
  }
  BitBlt(dc, r.left, r.top, cw, ch, face, 0, 0, SRCCOPY);
  SelectObject(face, oldFont);
}
