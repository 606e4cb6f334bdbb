#include "skin/win/skin_menu_bar.h"

#include <algorithm>
#include <climits>

#include "skin/win/skin_data.h"
#include "skin/win/skin_draw.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_objects.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/controls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"

namespace {
int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

HFONT MenuFontHandle() { return Screen ? Screen->MenuFont()->Handle() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// A bar caption centred in rect, in the given colour.
void DrawBarCaption(HDC dc, const std::string& caption, RECT rect, COLORREF colour) {
  HGDIOBJ oldFont = SelectObject(dc, MenuFontHandle());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = SetTextColor(dc, colour);
  std::wstring text = GbkToWide(caption);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

COLORREF CaptionColour(TSkinData* data, bool enabled) {
  if (!enabled) return GetSysColor(COLOR_GRAYTEXT);
  return data ? ColorToRGB(data->Colors[scMenuBarText]) : GetSysColor(COLOR_MENUTEXT);
}
}  // namespace

// --- TMenuBtn ----------------------------------------------------------------------

TMenuItem* TMenuBtn::LinkedItem() const { return Linked ? FindMenuItem(static_cast<WORD>(Command)) : nullptr; }

void TMenuBtn::Paint() {
  TWinSkinForm& f = *OwnerForm;
  TWinSkinMenu* bar = f.SkinMenuBar.get();
  if (!bar || !Visible || IsRectEmpty(&BoundsRect)) return;
  HDC dc = GetWindowDC(f.FormHandle);
  if (!dc) return;
  TBitmap& back = *bar->BarBackground;
  const int x = BoundsRect.left - bar->BarRect.left;
  if (!back.Empty())
    BitBlt(dc, BoundsRect.left, bar->BarRect.top, WidthOf(BoundsRect), HeightOf(bar->BarRect), back.CanvasDC(), x, 0,
           SRCCOPY);
  if (State == 2 || State == 3) {
    HBRUSH frame = CreateSolidBrush(f.SkinData ? ColorToRGB(f.SkinData->Colors[scButtonHilight]) : GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameRect(dc, &BoundsRect, frame);
    DeleteObject(frame);
  }
  DrawBarCaption(dc, Caption, BoundsRect, CaptionColour(f.SkinData, ItemEnabled));
  ReleaseDC(f.FormHandle, dc);
}

// --- TWinSkinMenu ------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* owner)
    : OwnerForm(owner), BarBackground(std::make_unique<TBitmap>()), Strip(std::make_unique<TBitmap>()) {
  BarBackground->SetPixelFormat(TPixelFormat::pf24bit);
  Strip->SetPixelFormat(TPixelFormat::pf24bit);
}

TWinSkinMenu::~TWinSkinMenu() {
  if (OwnerForm->HotObject && dynamic_cast<TMenuBtn*>(OwnerForm->HotObject)) OwnerForm->HotObject = nullptr;
}

TMenu* TWinSkinMenu::MainMenu() const { return OwnerForm->FormControl ? FormMainMenu(OwnerForm->FormControl) : nullptr; }

bool TWinSkinMenu::RightToLeft() const { return OwnerForm->RightToLeft; }

void TWinSkinMenu::BuildItems() {
  ReadItems(true);
}

void TWinSkinMenu::RebuildItems() {
  ReadItems(false);
  Layout();
}

void TWinSkinMenu::ReadItems(bool lookUpAll) {
  HWND w = OwnerForm->FormHandle;
  if (HMENU menu = GetMenu(w)) BarMenuHandle = menu;
  if (!BarMenuHandle) return;
  TMenu* main = MainMenu();
  if (OwnerForm->FormControl && !main) return;
  if (OwnerForm->HotObject && dynamic_cast<TMenuBtn*>(OwnerForm->HotObject)) OwnerForm->HotObject = nullptr;
  BarButtons.clear();
  const int count = GetMenuItemCount(BarMenuHandle);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    mi.dwTypeData = text;
    mi.cch = 80;
    if (!GetMenuItemInfoW(BarMenuHandle, static_cast<UINT>(i), TRUE, &mi)) continue;
    auto b = std::make_unique<TMenuBtn>(OwnerForm);
    b->ButtonIndex = static_cast<int>(BarButtons.size());
    b->SubMenu = mi.hSubMenu;
    b->ItemEnabled = !(mi.fState & (MFS_GRAYED | MFS_DISABLED));
    b->Visible = true;
    b->Command = mi.wID;
    b->Caption = WideToGbk(text);
    if (main && (lookUpAll || b->Caption.empty())) {
      // The toolkit's item by its command (entries carry their item's command).
      if (TMenuItem* item = FindMenuItem(static_cast<WORD>(mi.wID)); item && item->GetParentMenu() == main) {
        b->Caption = item->GetCaption();
        b->ItemEnabled = item->GetEnabled();
        b->Linked = true;
        b->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
      }
    }
    BarButtons.push_back(std::move(b));
  }
  SetMenu(w, nullptr);
}

int TWinSkinMenu::Inset(int stripWidth) const {
  TSkinData* data = OwnerForm->SkinData;
  if (!data || !data->MenuBar) return 6;
  int inset = RightToLeft() ? data->MenuBar->RightWidth + 8 : data->MenuBar->LeftWidth + 4;
  return stripWidth < inset ? 12 : inset;
}

int TWinSkinMenu::FirstItemEdge(int stripLeft, int stripWidth) const {
  const int inset = Inset(stripWidth);
  if (!RightToLeft()) return inset;
  // Right to left the items stay clear of the MDI buttons at the bar's right end.
  TWinSkinForm& f = *OwnerForm;
  const int mdiLeft = f.MDIButtonsLeft(stripLeft + stripWidth + f.FrameRight);
  return mdiLeft == INT_MAX ? stripWidth - inset : std::min(stripWidth - inset, mdiLeft - stripLeft - 5);
}

void TWinSkinMenu::PaintMDIButtons(TBitmap& strip, const RECT& rect) {
  TWinSkinForm& f = *OwnerForm;
  if (f.FormKind != 1 || !f.IsMDIChildMaximized()) return;
  for (auto& button : f.SysButtons) {
    TDataSkinSysButton* b = button->SkinButton();
    if (!b || b->Visibility != 100 || !b->HasImage() || !button->Visible) continue;
    RECT r = button->BoundsRect;
    OffsetRect(&r, -rect.left, -rect.top);
    SkinDrawStateFrame(strip, r, *b->Bitmap, 1, b->FrameCount, true);
    button->State = 1;
  }
  if (TSkinManage* mgr = SkinManager(); mgr && !mgr->MDIChildMaximized) mgr->SetMDIChildActive(true);
}

int TWinSkinMenu::ButtonWidth(HDC dc, const std::string& caption) const {
  HGDIOBJ old = SelectObject(dc, MenuFontHandle());
  std::wstring text = GbkToWide(caption);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  SelectObject(dc, old);
  int w = text.empty() ? 0 : WidthOf(r);
  return w > 0 ? w + 10 : w;
}

void TWinSkinMenu::Layout() {
  TWinSkinForm& f = *OwnerForm;
  RECT wr{};
  GetWindowRect(f.FormHandle, &wr);
  RECT s{f.FrameLeft, f.FrameTop, WidthOf(wr) - f.FrameRight, f.FrameTop + f.MenuBarHeight};
  if (WidthOf(s) <= 0 || HeightOf(s) <= 0) return;
  HDC dc = GetWindowDC(f.FormHandle);
  int x = s.left + FirstItemEdge(s.left, WidthOf(s));
  for (auto& b : BarButtons) {
    if (!b->Visible) {
      b->BoundsRect = RECT{0, 0, 0, 0};
      continue;
    }
    int w = ButtonWidth(dc, b->Caption);
    if (RightToLeft()) {
      b->BoundsRect = RECT{x - w, s.top, x, s.bottom - 1};
      x -= w;
    } else {
      b->BoundsRect = RECT{x, s.top, x + w, s.bottom - 1};
      x += w;
    }
  }
  ReleaseDC(f.FormHandle, dc);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& rect) {
  TWinSkinForm& f = *OwnerForm;
  TSkinData* data = f.SkinData;
  const int W = WidthOf(rect), H = HeightOf(rect);
  if (W <= 0 || H <= 0) return;
  // Composed in the top-left of the kept bitmap: allocating one per paint costs more than the paint.
  GrowBitmap(*Strip, W, H);
  GrowBitmap(*BarBackground, W, H);
  if (Strip->Empty() || BarBackground->Empty()) return;
  TBitmap& strip = *Strip;
  HDC sd = strip.CanvasDC();
  SetStretchBltMode(sd, COLORONCOLOR);
  RECT all{0, 0, W, H};
  if (data && data->MenuBar && data->MenuBar->HasImage()) {
    TDataSkinObject& o = *data->MenuBar;
    const int frame = f.NCActive ? 1 : 2;
    RECT margins{o.LeftWidth, 0, o.RightWidth, 0};
    if (o.Tile == 1) SkinDrawPart(sd, all, *o.Bitmap, margins, frame, 2, false, false, true);
    else SkinDrawThreeSlice(strip.Canvas(), all, *o.Bitmap, margins, frame, 2, false, true);
  } else {
    HBRUSH brush = CreateSolidBrush(data ? ColorToRGB(data->Colors[scMenubar]) : GetSysColor(COLOR_MENU));
    FillRect(sd, &all, brush);
    DeleteObject(brush);
  }
  BarRect = rect;
  BitBlt(BarBackground->CanvasDC(), 0, 0, W, H, sd, 0, 0, SRCCOPY);
  Painting = true;
  int x = FirstItemEdge(rect.left, W);
  for (auto& b : BarButtons) {
    if (!b->Visible) {
      b->BoundsRect = RECT{0, 0, 0, 0};
      continue;
    }
    int w = ButtonWidth(sd, b->Caption);
    RECT r = RightToLeft() ? RECT{x - w, 0, x, H - 1} : RECT{x, 0, x + w, H - 1};
    x += RightToLeft() ? -w : w;
    DrawBarCaption(sd, b->Caption, r, CaptionColour(data, b->ItemEnabled));
    OffsetRect(&r, rect.left, rect.top);
    b->BoundsRect = r;
  }
  Painting = false;
  PaintMDIButtons(strip, rect);
  BitBlt(dc, rect.left, rect.top, W, H, sd, 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ItemAtPoint(POINT p) const {
  for (const auto& b : BarButtons)
    if (b->Visible && !b->Caption.empty() && PtInRect(&b->BoundsRect, p)) return b.get();
  return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccel(unsigned key) const {
  for (const auto& b : BarButtons)
    if (b->ItemEnabled && b->Visible && IsAccel(key, b->Caption)) return b.get();
  return nullptr;
}
