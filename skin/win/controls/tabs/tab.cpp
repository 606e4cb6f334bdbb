#include "skin/win/controls/tabs/tab.h"

#include <commctrl.h>

#include "skin/win/controls/dispatch.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"
#include "skin/win/draw/text.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"
#include "toolkit/win/image_list.h"
#include "toolkit/win/tab_set.h"

int TabPositionOfStyle(LONG style) {
  const bool vertical = (style & TCS_VERTICAL) != 0, farSide = (style & TCS_RIGHT) != 0;
  if (vertical) return farSide ? 3 : 2;
  return farSide ? 1 : 0;
}

RECT TabRectInStrip(RECT t, int position, int w, int paneEdge, int right) {
  switch (position) {
    case 1:
      OffsetRect(&t, 0, -(paneEdge + 1));
      return t;
    case 2:
      return RECT{w - t.bottom, t.left, w - t.top, t.right};
    case 3:
      return RECT{t.top - 1, right - t.right, t.bottom - 1, right - t.left};
    default:
      OffsetRect(&t, 0, 1);
      return t;
  }
}

namespace {

struct TTabItem {
  std::wstring Text;
  int Image = -1;
};

// Text and image of tab i, through the wide or the ANSI message as the window is.
TTabItem ReadTabItem(HWND window, bool unicode, int i) {
  TTabItem out;
  if (unicode) {
    wchar_t buffer[81] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = buffer;
    item.cchTextMax = 80;
    if (SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
      WideCopy(buffer, -1, out.Text);
      out.Image = item.iImage;
    }
  } else {
    char buffer[81] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = buffer;
    item.cchTextMax = 80;
    if (SendMessageA(window, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
      out.Text = AnsiToWide(buffer);
      out.Image = item.iImage;
    }
  }
  return out;
}

// The display area grown by 4: where the pane goes.
RECT PaneRect(HWND window, const RECT& r) {
  RECT p = r;
  SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&p));
  InflateRect(&p, 4, 4);
  return p;
}

// The caption and image of a tab: from the control's Images when it has them,
// else from the window's own image list.
void DrawTabCaption(TSkinControl& ctl, TCanvas& canvas, const RECT& t, const TTabItem& item) {
  auto* images = static_cast<TImageList*>(GetObjectPropByName(ctl.FControl, "Images", TImageList::StaticClass()));
  if (images) return DrawImageListItem(ctl, canvas, t, 1, item.Text, item.Image, images);
  auto system = reinterpret_cast<HIMAGELIST>(SendMessageW(ctl.Handle(), TCM_GETIMAGELIST, 0, 0));
  DrawImageListItem(ctl, canvas, t, 1, item.Text, item.Image, system);
}

}  // namespace

// --- Tab control -------------------------------------------------------------------

const TClassInfo& TSkinTab::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinTab::TSkinTab(TComponent* owner)
    : TSkinControl(owner),
      FTabsBitmap(std::make_unique<TBitmap>()),
      FPaneBitmap(std::make_unique<TBitmap>()),
      FStripBitmap(std::make_unique<TBitmap>()) {
  FStripBitmap->SetPixelFormat(TPixelFormat::pf24bit);
}

TSkinTab::~TSkinTab() = default;

void TSkinTab::AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas) {
  TSkinControl::AttachControl(list, skinData, setColor, canvas);
  if (Handle()) WindowCreated();
}

void TSkinTab::WindowCreated() {
  FEnabled = (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  PrepareImages();
  SkinScrollArrowsChild(*this);
}

void TSkinTab::AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas) {
  TSkinControl::AttachHandle(handle, skinData, list, canvas);
  if (Handle() != handle) return;
  FFocused = GetFocus() == Handle();
  FEnabled = (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  FCaption = GetWindowTextWide(Handle());
  PrepareImages();
  SkinScrollArrowsChild(*this);
}

void TSkinTab::SkinChanged() {
  // New images first, so the repaint shows the new skin.
  PrepareImages();
  TSkinControl::SkinChanged();
}

bool TSkinTab::BeforeMessage(TMessage& m) {
  // Without the Tabs image the control draws its tabs itself.
  if (m.Msg == WM_PAINT && !FTabsBitmap->Empty()) {
    PaintViaBeginPaint(m);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTab::PrepareImages() {
  FTabPosition = static_cast<BYTE>(TabPositionOfStyle(GetStyle(GWL_STYLE)));
  // Images of an earlier skin never outlive it.
  FTabsBitmap->SetSize(0, 0);
  FPaneBitmap->SetSize(0, 0);
  const TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (!tabs) return;
  if (tabs->HasImage()) CopyBitmap(*tabs->Bitmap, *FTabsBitmap);
  if (tabs->Style == 0 && tabs->Bitmap2 && !tabs->Bitmap2->Empty()) CopyBitmap(*tabs->Bitmap2, *FPaneBitmap);
  if (tabs->Style == 1 && FSkinData->TabPane && FSkinData->TabPane->HasImage())
    CopyBitmap(*FSkinData->TabPane->Bitmap, *FPaneBitmap);
  FTabsBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  FPaneBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  switch (FTabPosition) {
    case 1:
      if (!FTabsBitmap->Empty()) FlipBitmap(*FTabsBitmap);
      if (!FPaneBitmap->Empty()) FlipBitmap(*FPaneBitmap);
      break;
    case 2:
      if (!FPaneBitmap->Empty()) RotateBitmapLeft(*FPaneBitmap);
      break;
    case 3:
      if (!FPaneBitmap->Empty()) RotateBitmapRight(*FPaneBitmap);
      break;
    default:
      break;
  }
}

HWND SkinScrollArrowsChild(TSkinControl& tabs) {
  HWND arrows = FindWindowExW(tabs.Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  if (!arrows) return nullptr;
  tabs.SkinSpinChild(arrows, false);
  return (GetWindowLongW(arrows, GWL_STYLE) & WS_VISIBLE) ? arrows : nullptr;
}

void TSkinTab::PaintSkin(HDC dc, const RECT& r) {
  if (FTabsBitmap->Empty()) return;
  FEnabled = (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  RECT p = PaneRect(Handle(), r);
  switch (FTabPosition) {
    case 1: p.bottom -= 1; break;
    case 2: p.left += 1; break;
    case 3: p.right -= 1; break;
    default: p.top += 1; break;
  }
  const TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (tabs) {
    const int n = static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
    const int focused = static_cast<int>(SendMessageW(Handle(), TCM_GETCURFOCUS, 0, 0));
    RECT s;
    switch (FTabPosition) {
      case 1: s = RECT{r.left, p.bottom, r.right, r.bottom}; break;
      case 2: s = RECT{r.left, r.top, p.left, r.bottom}; break;
      case 3: s = RECT{p.right, r.top, r.right, r.bottom}; break;
      default: s = RECT{r.left, r.top, r.right, p.top}; break;
    }
    const bool lying = FTabPosition >= 2;
    const int w = lying ? s.bottom - s.top : s.right - s.left, h = lying ? s.right - s.left : s.bottom - s.top;
    if (w > 0 && h > 0) {
      FStripBitmap->SetPixelFormat(TPixelFormat::pf24bit);
      FStripBitmap->SetSize(w, h);
      HDC sdc = FStripBitmap->CanvasDC();
      FillParentColor(sdc, RECT{0, 0, w, h});
      auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
      HGDIOBJ oldFont = font ? SelectObject(sdc, font) : nullptr;
      TCanvas strip(sdc);
      for (int i = 0; i < n; ++i) {
        const TTabItem item = ReadTabItem(Handle(), Unicode(), i);
        RECT t;
        if (!SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t))) continue;
        t = TabRectInStrip(t, FTabPosition, w, p.bottom, r.right);
        const int k = i == focused ? 2 : 1;
        SkinDrawPart(sdc, t, *FTabsBitmap, tabs->Margins(), k, tabs->FrameCount, tabs->Trans == 1, tabs->Tile != 0,
                     false);
        if (font) SelectObject(sdc, font);
        SetTextColor(sdc, ColorToRGB(k == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2));
        DrawTabCaption(*this, strip, t, item);
      }
      strip.SetHandle(nullptr);
      if (oldFont) SelectObject(sdc, oldFont);
      if (FTabPosition == 2) RotateBitmapLeft(*FStripBitmap);
      if (FTabPosition == 3) RotateBitmapRight(*FStripBitmap);
      const int saved = SaveDC(dc);
      if (HWND arrows = SkinScrollArrowsChild(*this)) {
        // The scroll arrows keep their place: the strip goes round them.
        RECT wr, ar;
        GetWindowRect(Handle(), &wr);
        GetWindowRect(arrows, &ar);
        OffsetRect(&ar, -wr.left, -wr.top);
        ExcludeClipRect(dc, ar.left, ar.top, ar.right, ar.bottom);
      }
      BitBlt(dc, s.left, s.top, s.right - s.left, s.bottom - s.top, FStripBitmap->CanvasDC(), 0, 0, SRCCOPY);
      RestoreDC(dc, saved);
    }
  }
  try {
    PaintPane(dc, p);
  } catch (...) {
    // The pane is decoration: the tabs stay drawn.
  }
}

void TSkinTab::PaintPane(HDC dc, const RECT& p) {
  if (FPaneBitmap->Empty() || !FSkinData->Tabs) return;
  const TDataSkinBorder& tabs = *FSkinData->Tabs;
  RECT margins{4, 5, 4, 4};
  if (tabs.Style != 0) {
    if (!FSkinData->TabPane) return;
    margins = FSkinData->TabPane->Margins();
  }
  SkinDrawPart(dc, p, *FPaneBitmap, margins, 1, 1, false, false, false);
}

// --- Old-style tab set -----------------------------------------------------------

const TClassInfo& TSkinTab31::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner), FTabsBitmap(std::make_unique<TBitmap>()) {}

TSkinTab31::~TSkinTab31() = default;

// The tab set's window procedure itself is taken over, not its WindowProc. A
// tab set without a window yet is watched through its WindowProc until the
// toolkit makes one.
void TSkinTab31::AttachControl(TSkinControlList* list, TSkinData* skinData, bool, TCanvas* canvas) {
  if (Attached() || !TakeOwnerControl(list, skinData, canvas)) return;
  PrepareImage();
  if (Handle()) {
    TakeOverWindow(Handle());
  } else {
    HookControl(FControl);
    MarkAttached();
  }
}

void TSkinTab31::WindowCreated() {
  UnhookControl();
  TakeOverWindow(Handle());
}

void TSkinTab31::SkinChanged() {
  PrepareImage();
  TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
  FTabsBitmap->SetSize(0, 0);
  const TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (!tabs || !tabs->HasImage()) return;
  CopyBitmap(*tabs->Bitmap, *FTabsBitmap);
  FTabsBitmap->SetPixelFormat(TPixelFormat::pf24bit);
  FlipBitmap(*FTabsBitmap);
}

bool TSkinTab31::BeforeMessage(TMessage& m) {
  // Without the Tabs image the tab set paints and erases itself.
  if (FTabsBitmap->Empty()) return TSkinControl::BeforeMessage(m);
  switch (m.Msg) {
    case WM_PAINT:
      // The control's own paint runs on the validated area; the face follows again.
      PaintViaBeginPaint(m);
      return true;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinTab31::PaintSkin(HDC dc, const RECT& r) {
  auto* set = dynamic_cast<TTabSet*>(FControl);
  const TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (!set || !tabs || FTabsBitmap->Empty() || r.right <= r.left || r.bottom <= r.top) return;
  TBitmap face;
  face.SetPixelFormat(TPixelFormat::pf24bit);
  face.SetSize(r.right - r.left, r.bottom - r.top);
  HDC fdc = face.CanvasDC();
  FillSkinColor(fdc, r);
  TCanvas canvas(fdc);
  canvas.Font().Assign(*set->GetFont());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  for (const TTabSet::TShownTab& t : set->ShownTabs(fdc, r.right, r.bottom)) {
    const int k = t.Index == set->GetTabIndex() ? 2 : 1;
    SkinDrawPart(fdc, t.Rect, *FTabsBitmap, tabs->Margins(), k, tabs->FrameCount, tabs->Trans == 1, tabs->Tile != 0,
                 false);
    canvas.Font().SetColor(k == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2);
    canvas.Prepare();
    DrawCaptionText(*this, canvas, t.Rect, DT_CENTER, true, AnsiToWide(set->Tabs()->Strings(t.Index)));
  }
  canvas.SetHandle(nullptr);
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, fdc, 0, 0, SRCCOPY);
}

// --- Tabs as buttons ---------------------------------------------------------------

const TClassInfo& TSkinTabBtn::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinTabBtn>("TSkinTabBtn", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinTabBtn::TSkinTabBtn(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabBtn::BeforeMessage(TMessage& m) {
  // Without the push-button image the control draws its buttons itself.
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (m.Msg == WM_PAINT && buttons && buttons->HasImage()) {
    PaintViaBeginPaint(m);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::PaintSkin(HDC dc, const RECT& r) {
  FEnabled = FControl ? FControl->GetEnabled() : (GetStyle(GWL_STYLE) & WS_DISABLED) == 0;
  const RECT p = PaneRect(Handle(), r);
  const RECT s{r.left, r.top, r.right, p.top + 1};
  const TDataSkinButton* buttons = FSkinData ? FSkinData->Buttons.get() : nullptr;
  if (!buttons || !buttons->HasImage() || s.right <= s.left || s.bottom <= s.top) return;
  const int n = static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(SendMessageW(Handle(), TCM_GETCURFOCUS, 0, 0));
  TBitmap face;
  face.SetPixelFormat(TPixelFormat::pf24bit);
  face.SetSize(s.right - s.left, s.bottom - s.top);
  HDC fdc = face.CanvasDC();
  FillSkinColor(fdc, RECT{0, 0, s.right - s.left, s.bottom - s.top});
  auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? SelectObject(fdc, font) : nullptr;
  SetTextColor(fdc, RGB(0, 0, 0));
  TCanvas canvas(fdc);
  for (int i = 0; i < n; ++i) {
    RECT t;
    if (!SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t))) continue;
    OffsetRect(&t, 0, 1);
    const int k = i == focused ? 2 : 1;
    SkinDrawPart(fdc, t, *buttons->Bitmap, buttons->Margins(), k, buttons->FrameCount, buttons->Trans == 1,
                 buttons->Tile != 0, false);
    if (k == 1 && buttons->NormalColour2Given) SetTextColor(fdc, ColorToRGB(buttons->NormalColour2));
    if (k == 2 && buttons->PressedColour2Given) SetTextColor(fdc, ColorToRGB(buttons->PressedColour2));
    const TTabItem item = ReadTabItem(Handle(), Unicode(), i);
    DrawTabCaption(*this, canvas, t, item);
  }
  canvas.SetHandle(nullptr);
  if (oldFont) SelectObject(fdc, oldFont);
  BitBlt(dc, s.left, s.top, s.right - s.left, s.bottom - s.top, fdc, 0, 0, SRCCOPY);
}

// --- Tab sheet ---------------------------------------------------------------------

const TClassInfo& TSkinTabSheet::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinTabSheet>("TSkinTabSheet", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinTabSheet::TSkinTabSheet(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabSheet::BeforeMessage(TMessage& m) {
  const bool result = TSkinControl::BeforeMessage(m);
  if (!result || FMode != 0) return result;
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT:
      PaintViaBeginPaint(m);
      return false;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      if (FSkinData && FSkinData->FaceBrush) FillRect(reinterpret_cast<HDC>(m.WParam), &r, FSkinData->FaceBrush);
      else FillSkinColor(reinterpret_cast<HDC>(m.WParam), r);
      m.Result = 1;
      return false;
    }
    default:
      return result;
  }
}

void TSkinTabSheet::PaintSkin(HDC dc, const RECT& r) {
  FillSkinColor(dc, r);
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) w->PaintControls(dc);
}
