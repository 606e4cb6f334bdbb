#include "skin/win/controls/buttons/check.h"

#include <algorithm>
#include <string>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

namespace {

// Asks a check box or radio button to paint itself again; nothing sends it here.
constexpr UINT kRepaintRequest = 0xB0D0;

bool Contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

int CheckBoxFrame(int first, bool disabled, bool indeterminate, int frameCount) {
  int f = first;
  if (disabled) f += 2;
  if (indeterminate) f = 4;
  if (frameCount == 12) {
    if (f == 2) f = 5;
    else if (f == 3) f = 4;
    else if (f == 4) f = 8;
    if (indeterminate) f = disabled ? 12 : 9;
  }
  // A grayed and disabled control whose window is not indeterminate comes
  // out past a 4-frame strip: show the strip's last frame.
  return std::clamp(f, 1, std::max(frameCount, 1));
}

int RadioButtonFrame(bool checked, bool disabled, int frameCount) {
  int f = checked ? 2 : 1;
  if (disabled) f += 2;
  if (frameCount == 8) {
    if (f == 2) f = 5;
    else if (f == 3) f = 4;
    else if (f == 4) f = 8;
  }
  return std::clamp(f, 1, std::max(frameCount, 1));
}

// --- What both share -----------------------------------------------------------------

const TClassInfo& TSkinToggle::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinToggle>("TSkinToggle", &TSkinControl::StaticClass()).Build();
  return info;
}

bool TSkinToggle::HasStrip() const {
  const TBitmap* strip = Strip();
  return strip && !strip->Empty() && StripFrames() > 0;
}

void TSkinToggle::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  FMode = 0;
  if (!FControl) return;
  FMode = HasStrip() ? 1 : 0;
  TakeTransparency(*FControl);
}

bool TSkinToggle::BeforeMessage(TMessage& m) {
  if (!TSkinControl::BeforeMessage(m)) return false;
  if ((m.Msg == WM_PAINT || m.Msg == WM_PRINT) && FMode == 1) {
    PaintViaBeginPaint(m);
    return false;
  }
  if (m.Msg == WM_ERASEBKGND && FTransparent) {
    EraseWithParent(m);
    return false;
  }
  return true;
}

void TSkinToggle::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case kRepaintRequest:
    // The system button paints its pressed look and its keyboard cues at
    // once, outside WM_PAINT: paint the skin over them again.
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
      Redraw();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinToggle::PaintSkin(HDC dc, const RECT& r) {
  TBitmap* strip = Strip();
  if (!HasStrip()) {
    FMode = 0;
    return;
  }
  const int n = StripFrames();
  const int w = strip->GetWidth() / n, h = strip->GetHeight();
  const LONG style = GetStyle(GWL_STYLE);
  FEnabled = (style & WS_DISABLED) == 0;
  FFocused = GetFocus() == Handle();
  const int frame = FrameOf(n);

  const bool rtl = (BiDiFlags(0) & DT_RTLREADING) != 0;
  RECT box{r.left, r.top + ((r.bottom - r.top) - h) / 2, r.left + w, 0};
  RECT text = r;
  UINT flags = rtl ? DT_RTLREADING : 0;
  if (style & BS_LEFTTEXT) {
    LeftTextBox(r, w, box, text);
    flags = rtl ? DT_RTLREADING | DT_RIGHT : 0;
  } else {
    text.left = r.left + w + 2;
  }
  box.bottom = box.top + h;
  flags |= DT_WORDBREAK | DT_EXPANDTABS;

  if (FMode == 1 && !FTransparent) FillSkinColor(dc, r);
  DrawStripFrameMasked(dc, box, n, frame, *strip);
  if (FMode == 0) return;

  FCaption = GetWindowTextWide(Handle());
  if (FControl) FCaption = GetTextPropByName(FControl, "Caption");
  HFONT font = FControl ? FControl->GetFont()->Handle()
                        : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  const COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);
  const int oldMode = GetBkMode(dc);
  if (FControl) SetTextColor(dc, ColorToRGB(FEnabled ? FControl->GetFont()->GetColor() : clBtnShadow));
  SetBkColor(dc, ColorToRGB(FaceColor()));
  SetBkMode(dc, TRANSPARENT);
  RECT measured = text;
  SkinDrawText(dc, FCaption, measured, flags | DT_CALCRECT | DT_NOCLIP);
  OffsetRect(&text, 0, ((text.bottom - text.top) - measured.bottom) / 2);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  if (FFocused && !FCaption.empty() && version.dwMajorVersion != 6) DrawFocus(dc, flags, text);
  SkinDrawText(dc, FCaption, text, flags);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  if (oldFont) SelectObject(dc, oldFont);
}

// --- Check boxes -----------------------------------------------------------------------

const TClassInfo& TSkinCheckBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinCheckBox>("TSkinCheckBox", &TSkinToggle::StaticClass()).Build();
  return info;
}

void TSkinCheckBox::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  FPendingCheck = 0;
  TSkinToggle::AttachControl(list, skinData, setColor, canvas);
}

void TSkinCheckBox::AfterMessage(TMessage& m) {
  if (m.Msg == BM_SETCHECK) FPendingCheck = static_cast<int>(m.WParam) + 1;
  TSkinToggle::AfterMessage(m);
}

TBitmap* TSkinCheckBox::Strip() const {
  return FSkinData && FSkinData->Buttons ? FSkinData->Buttons->Bitmap2.get() : nullptr;
}

int TSkinCheckBox::StripFrames() const { return FSkinData && FSkinData->Buttons ? FSkinData->Buttons->CheckFrameCount : 0; }

int TSkinCheckBox::FrameOf(int frameCount) {
  const LRESULT state = SendMessageW(Handle(), BM_GETSTATE, 0, 0);
  int f = (state & BST_CHECKED) ? 2 : 1;
  if (FControl) {
    if (IsPublishedProp(FControl, "State")) {
      const std::string s = LowerCase(GetEnumPropByName(FControl, "State"));
      if (Contains(s, "uncheck")) f = 1;
      else if (Contains(s, "check")) f = 2;
      else if (Contains(s, "gray")) f = 4;
    } else if (IsPublishedProp(FControl, "Checked")) {
      f = SameText(GetEnumPropByName(FControl, "Checked"), "true") ? 2 : 1;
    }
    if (IsPublishedProp(FControl, "DataField") && FPendingCheck != 0) f = FPendingCheck == 3 ? 4 : FPendingCheck;
    if (IsPublishedProp(FControl, "DataBinding")) f = 1;
  }
  return CheckBoxFrame(f, !FEnabled, (state & BST_INDETERMINATE) != 0, frameCount);
}

void TSkinCheckBox::LeftTextBox(const RECT& r, int w, RECT& box, RECT& text) const {
  box.left = r.right - w;
  box.right = r.right;
  text.right = r.right - w - 2;
}

// --- Radio buttons -----------------------------------------------------------------------

const TClassInfo& TSkinRadioButton::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinRadioButton>("TSkinRadioButton", &TSkinToggle::StaticClass()).Build();
  return info;
}

TBitmap* TSkinRadioButton::Strip() const {
  return FSkinData && FSkinData->Buttons ? FSkinData->Buttons->Bitmap3.get() : nullptr;
}

int TSkinRadioButton::StripFrames() const {
  return FSkinData && FSkinData->Buttons ? FSkinData->Buttons->RadioFrameCount : 0;
}

int TSkinRadioButton::FrameOf(int frameCount) {
  bool checked = (SendMessageW(Handle(), BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
  if (FControl && IsPublishedProp(FControl, "Checked"))
    checked = SameText(GetEnumPropByName(FControl, "Checked"), "true");
  return RadioButtonFrame(checked, !FEnabled, frameCount);
}

void TSkinRadioButton::LeftTextBox(const RECT& r, int w, RECT& box, RECT& text) const {
  box.left = r.right - 1 - w;
  box.right = r.right - 1;
  text.right = r.right - w - 3;
}
