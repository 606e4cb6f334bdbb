#include "skin/win/controls/buttons/speed_button.h"

#include "skin/win/controls/glyph.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

namespace {

bool IsTrue(const TObject* o, const char* name) { return SameText(GetEnumPropByName(o, name), "true"); }

}  // namespace

const TClassInfo& TSkinSpeedButton::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", &TSkinButton::StaticClass()).Build();
  return info;
}

TSkinSpeedButton::TSkinSpeedButton(TComponent* owner) : TSkinButton(owner) {}

TSkinSpeedButton::~TSkinSpeedButton() { UnhookControl(); }

void TSkinSpeedButton::AttachControl(TSkinControlList* list, TSkinData* skinData, bool, TCanvas* canvas) {
  AttachGraphic(list, skinData, canvas);
}

void TSkinSpeedButton::AttachGraphic(TSkinControlList* list, TSkinData* skinData, TCanvas* canvas) {
  auto* button = dynamic_cast<TControl*>(Owner());
  if (Attached() || !button) return;
  FSkinData = skinData;
  FCanvas = canvas;
  FControlList = list;
  FGraphicControl = button;
  HookControl(button);
  if (list) list->Add(this);
  MarkAttached();
  TakeTransparency(*button);
  button->Invalidate();
}

bool TSkinSpeedButton::SkinHasButtons() const {
  const TDataSkinButton* b = FSkinData ? FSkinData->Buttons.get() : nullptr;
  return b && b->HasImage() && b->FrameCount > 0;
}

bool TSkinSpeedButton::BeforeMessage(TMessage& m) {
  if (PressAfterDefault(m)) return false;
  switch (m.Msg) {
    case WM_PAINT: {
      // Without a button image the button keeps its own look.
      if (!SkinHasButtons()) return true;
      if (m.WParam && FGraphicControl) {
        RECT r = FGraphicControl->ClientRect();
        PaintSpeedFace(reinterpret_cast<HDC>(m.WParam), r);
      }
      m.Result = 1;
      return false;
    }
    case WM_LBUTTONUP:
      return true;
    default:
      return TSkinButton::BeforeMessage(m);
  }
}

void TSkinSpeedButton::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
      break;
    case WM_NCDESTROY:
    case CM_RELEASE:
      UnhookControl();
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) SetPressed(m.Msg == WM_KEYDOWN);
      break;
    case WM_LBUTTONUP:
      SetPressed(false);
      break;
    case CM_MOUSEENTER:
      FMouseState |= msHover;
      PaintWindow(nullptr);
      break;
    case CM_MOUSELEAVE:
      FMouseState &= static_cast<BYTE>(~(msHover | msPressed));
      if (FGraphicControl && FGraphicControl->GetVisible()) PaintWindow(nullptr);
      break;
    case WM_MOUSEMOVE:
      break;  // hover comes with CM_MOUSEENTER; the button has no window to track
    default:
      TSkinButton::AfterMessage(m);
      break;
  }
}

void TSkinSpeedButton::PaintWindow(HDC) {
  // Straight onto the parent's window, clipped to the button.
  TControl* button = FGraphicControl;
  TWinControl* parent = button ? button->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated() || !button->Showing() || !SkinHasButtons()) return;
  HDC dc = GetDC(parent->HandleOrNull());
  if (!dc) return;
  OffsetViewportOrgEx(dc, button->GetLeft(), button->GetTop(), nullptr);
  IntersectClipRect(dc, 0, 0, button->GetWidth(), button->GetHeight());
  try {
    PaintSpeedFace(dc, button->ClientRect());
  } catch (...) {
  }
  ReleaseDC(parent->HandleOrNull(), dc);
}

void TSkinSpeedButton::PaintSpeedFace(HDC dc, const RECT& rect) {
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  TControl* sb = FGraphicControl;
  if (!buttons || !buttons->HasImage() || buttons->FrameCount <= 0 || !sb) return;
  if (SameText(GetEnumPropByName(sb, "Visible"), "false") || FPainting) return;
  FPainting = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{FPainting};

  const bool enabled = IsTrue(sb, "Enabled"), down = IsTrue(sb, "Down");
  FEnabled = enabled;
  const int g = down ? bfPressed : ButtonFaceFrame(!enabled, FMouseState, false);
  int glyphFrame = g == 2 ? 3 : g == 3 ? 2 : 1;
  if (down) glyphFrame = 4;

  FCaption = GetTextPropByName(sb, "Caption");
  auto* font = static_cast<TFont*>(GetObjectPropByName(sb, "Font", TFont::StaticClass()));
  const bool graphicGlyph = !FGlyphProp.empty();
  auto* glyph = static_cast<TBitmap*>(
      GetObjectPropByName(sb, graphicGlyph ? FGlyphProp : "Glyph", TBitmap::StaticClass()));
  // No pictures, or a count below one, is one picture.
  long long numGlyphs = GetOrdPropByName(sb, "NumGlyphs");
  if (numGlyphs < 1) numGlyphs = 1;
  const bool flat = IsTrue(sb, "Flat");
  const int margin = static_cast<int>(GetOrdPropByName(sb, "Margin"));
  const int spacing = static_cast<int>(GetOrdPropByName(sb, "Spacing"));
  const int layout = GlyphLayoutOf(GetEnumPropByName(sb, "Layout"));

  RECT r{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  if (r.right < 1 || r.bottom < 1) return;
  try {
    FFaceBitmap->SetPixelFormat(TPixelFormat::pf24bit);
    FFaceBitmap->SetSize(r.right, r.bottom);
  } catch (...) {
    return;
  }
  HDC face = FFaceBitmap->CanvasDC();
  HGDIOBJ oldFont = font ? SelectObject(face, font->Handle()) : nullptr;
  if (FTransparent) PaintParentBackground(*sb, face);
  else FillSkinColor(face, r);
  if (g == 2 || g == 4 || !flat) DrawSkinFrame(face, r, buttons->FrameCount, g, buttons);

  SIZE glyphSize{0, 0};
  if (glyph && !glyph->Empty())
    glyphSize = SIZE{glyph->GetWidth() / static_cast<int>(numGlyphs), glyph->GetHeight()};
  FCaption = ReplaceBarsWithNewLine(FCaption, L"||", L"\r\n");

  TColor color = font ? font->GetColor() : FSkinData->Colors[scButtonText];
  if (buttons->NormalColour2Given && (g == 1 || (!graphicGlyph && glyphSize.cx * glyphSize.cy == 0)))
    color = buttons->NormalColour2;
  if (g == 4 && buttons->MouseOverColour2Given) color = buttons->MouseOverColour2;
  if (g == 2 && buttons->PressedColour2Given) color = buttons->PressedColour2;
  if (!enabled) color = clBtnShadow;
  SetTextColor(face, ColorToRGB(color));
  SetBkMode(face, TRANSPARENT);

  if (glyphSize.cx > 0 && glyphSize.cy > 0) {
    const SIZE text = CaptionSizeBesideGlyph(face, FCaption, r, layout, glyphSize);
    const TGlyphPlacement at =
        PlaceGlyphAndText(SIZE{r.right, r.bottom}, glyphSize, text, layout, margin, spacing, 1);
    if (graphicGlyph) {
      const COLORREF key = ColorToRGB(glyph->GetPixel(0, glyph->GetHeight() - 1));
      TransparentBlt(face, at.Glyph.x, at.Glyph.y, glyph->GetWidth(), glyph->GetHeight(), glyph->CanvasDC(), 0, 0,
                     glyph->GetWidth(), glyph->GetHeight(), key);
    } else {
      DrawGlyph(face, at.Glyph, static_cast<int>(numGlyphs), glyphFrame, *glyph);
    }
    if (!FCaption.empty()) {
      RECT t{at.Text.x, at.Text.y, at.Text.x + text.cx, at.Text.y + text.cy};
      SkinDrawText(face, FCaption, t, BiDiFlags(at.Flags));
    }
  } else {
    DrawButtonCaption(face, r, DT_CENTER);
  }
  if (oldFont) SelectObject(face, oldFont);
  BitBlt(dc, rect.left, rect.top, r.right, r.bottom, face, 0, 0, SRCCOPY);
}
