#include "skin/win/controls/buttons/button.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "skin/win/user32.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

int ButtonFaceFrame(bool disabled, BYTE mouseState, bool focusedOrDefault) {
  if (disabled) return bfDisabled;
  if (mouseState & TSkinControl::msPressed) return bfPressed;
  if (mouseState & TSkinControl::msHover) return bfHot;
  if (focusedOrDefault) return bfFocused;
  return bfNormal;
}

std::wstring ReplaceBarsWithNewLine(const std::wstring& text, const std::wstring& bars, const std::wstring& newLine) {
  std::size_t at = bars.empty() ? std::wstring::npos : text.find(bars);
  if (at == std::wstring::npos) return text;
  return text.substr(0, at) + newLine + text.substr(at + bars.size());
}

const TClassInfo& TSkinButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner), FFaceBitmap(std::make_unique<TBitmap>()) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  if (!FControl) return;
  const std::string name = LowerCase(FControl->ClassName());
  FMode = name.rfind("trz", 0) == 0 || name.rfind("tel", 0) == 0 ? 1 : 0;
  TakeTransparency(*FControl);
}

bool TSkinButton::BeforeMessage(TMessage& m) {
  if (PaintOwnFace(m)) return false;
  switch (m.Msg) {
    case WM_TIMER:
      KillTimer(Handle(), 1);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!FFocused) SetFocus(Handle());
      FMouseState |= msPressed;
      PaintWindow(nullptr);
      if (FMode == 0 && FControl) ForwardMouseDown(m);
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinButton::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      PaintWindow(nullptr);
      break;
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) {
        FMouseState |= msPressed;
        Redraw();
      }
      break;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) {
        FMouseState &= static_cast<BYTE>(~msPressed);
        Redraw();
      }
      break;
    case WM_MOUSEMOVE:
      if (FEnabled && !(FMouseState & msHover)) {
        FMouseState |= msHover;
        Redraw();
      }
      TrackMouseLeave(Handle());
      break;
    case WM_LBUTTONUP:
      if (FMouseState & msPressed) {
        FMouseState &= static_cast<BYTE>(~msPressed);
        Redraw();
        MakeClick();
      }
      break;
    case WM_MOUSELEAVE:
      FMouseState &= static_cast<BYTE>(~(msHover | msPressed));
      Redraw();
      break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
      Redraw();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinButton::MakeClick() {
  if (FControl) {
    FControl->Click();
    return;
  }
  HWND parent = GetParent(Handle());
  if (!parent) return;
  WPARAM id = SameText(GetClassNameString(Handle()), "tbutton") ? 0 : static_cast<WPARAM>(GetDlgCtrlID(Handle()));
  PostMessageW(parent, WM_COMMAND, id, reinterpret_cast<LPARAM>(Handle()));
}

int TSkinButton::PaintFace(const RECT& r, bool defaultCounts, HGDIOBJ& oldFont) {
  oldFont = nullptr;
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (!buttons || !buttons->HasImage() || buttons->FrameCount <= 0) return 0;
  FFocused = GetFocus() == Handle();
  FEnabled = (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  const bool isDefault = SameText(GetEnumPropByName(FControl, "Default"), "true");
  FCaption = FControl ? GetTextPropByName(FControl, "Caption") : GetWindowTextWide(Handle());
  const int frame = ButtonFaceFrame(!FEnabled, FMouseState, FFocused || (defaultCounts && isDefault));
  FFaceBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  FFaceBitmap->SetSize(r.right - r.left, r.bottom - r.top);
  HDC face = FFaceBitmap->CanvasDC();
  if (FTransparent && FControl) PaintParentBackground(*FControl, face);
  else FillSkinColor(face, r);
  DrawSkinFrame(face, r, buttons->FrameCount, frame, buttons);
  HFONT font = FControl ? FControl->GetFont()->Handle()
                        : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  if (font) oldFont = SelectObject(face, font);
  return frame;
}

TColor TSkinButton::CaptionColor(int frame, bool normalOnly) const {
  const TDataSkinButton& buttons = *FSkinData->Buttons;
  TColor color = FControl ? FControl->GetFont()->GetColor() : FSkinData->Colors[scButtonText];
  if (buttons.NormalColour2Given && (!normalOnly || frame == bfNormal)) color = buttons.NormalColour2;
  if (frame == bfHot && buttons.MouseOverColour2Given) color = buttons.MouseOverColour2;
  if (frame == bfPressed && buttons.PressedColour2Given) color = buttons.PressedColour2;
  if (frame == bfDisabled) color = clBtnShadow;
  return color;
}

void TSkinButton::PaintSkin(HDC dc, const RECT& r) {
  HGDIOBJ oldFont = nullptr;
  const int frame = PaintFace(r, true, oldFont);
  if (frame == 0) return;
  HDC face = FFaceBitmap->CanvasDC();
  SetTextColor(face, ColorToRGB(CaptionColor(frame, false)));
  DrawButtonCaption(face, r, DT_CENTER);
  if (oldFont) SelectObject(face, oldFont);
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, face, 0, 0, SRCCOPY);
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& r, UINT alignment) {
  FCaption = ReplaceBarsWithNewLine(FCaption, L"||", L"\r\n");
  RECT t = r;
  InflateRect(&t, -2, -2);
  SetBkMode(dc, TRANSPARENT);
  SkinDrawText(dc, FCaption, t, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
  OffsetRect(&t, -t.left, -t.top);
  const int w = r.right - r.left, h = r.bottom - r.top, tw = t.right, th = t.bottom;
  if (alignment == DT_CENTER) {
    OffsetRect(&t, (w - tw) / 2, (h - th) / 2 - 1);
  } else {
    OffsetRect(&t, 0, (h - th) / 2 - 1);
    t.left = r.left;
    t.right = r.right;
  }
  SkinDrawText(dc, FCaption, t, BiDiFlags(alignment | DT_WORDBREAK | DT_EXPANDTABS));
  SetBkMode(dc, OPAQUE);
  if (FFocused && !(FSkinData->Options & SetOf(xoNoFocusRect))) {
    InflateRect(&t, 2, 2);
    DrawFocusRect(dc, &t);
  }
}
