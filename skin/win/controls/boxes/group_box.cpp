#include "skin/win/controls/boxes/group_box.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text.h"
#include "toolkit/win/controls.h"

const TClassInfo& TSkinGroupBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox", &TSkinControl::StaticClass()).Build();
  return info;
}

void TSkinGroupBox::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  FMode = FControl ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(TMessage& m) {
  if (!TSkinControl::BeforeMessage(m)) return false;
  if (m.Msg == WM_PAINT && FMode == 1) {
    PaintViaBeginPaint(m);
    return false;
  }
  return true;
}

void TSkinGroupBox::PaintSkin(HDC dc, const RECT& r) {
  FCaption = GetWindowTextWide(Handle());
  if (FCaption.empty() && FControl) FCaption = GetTextPropByName(FControl, "Caption");
  if (FControl) FillSkinColor(dc, r);

  HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  const COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);
  if (FControl && FControl->GetFont()) {
    font = FControl->GetFont()->Handle();
    SetTextColor(dc, ColorToRGB(FControl->GetFont()->GetColor()));
  }
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int top = zero.cy / 2 - 1;

  if (FMode == 0 && FSkinData && FSkinData->FaceBrush) {
    // Wipe the two outer pixels of the window's own frame.
    RECT old{0, top, r.right, r.bottom};
    FrameRect(dc, &old, FSkinData->FaceBrush);
    InflateRect(&old, -1, -1);
    FrameRect(dc, &old, FSkinData->FaceBrush);
  }
  const TColor shadow = FSkinData ? FSkinData->Colors[scButtonShadow] : clBtnShadow;
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(shadow));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, 1, top, r.right - 1, r.bottom - 1, 5, 5);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  // Opaque on ButtonFace: the caption hides the frame line behind it.
  SetBkColor(dc, ColorToRGB(FaceColor()));
  RECT text = r;
  UINT flags = DT_EXPANDTABS;
  if (GetStyle(GWL_EXSTYLE) & WS_EX_RIGHT) {
    text.right -= 8;
    flags = BiDiFlags(DT_RIGHT | DT_EXPANDTABS);
  } else {
    text.left += 8;
  }
  SkinDrawText(dc, FCaption, text, flags);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  if (oldFont) SelectObject(dc, oldFont);
  if (FMode == 1)
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) w->PaintControls(dc);
}
