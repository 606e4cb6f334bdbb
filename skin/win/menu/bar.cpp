#include "skin/win/menu/bar.h"

#include <algorithm>
#include <climits>

#include "skin/win/data/objects.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/frame/form.h"
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

void TMenuBtn::Paint() {
  TWinSkinForm& f = *OwnerForm;
  const TWinSkinMenu* bar = f.MenuBar();
  if (!bar || !Visible || IsRectEmpty(&BoundsRect)) return;
  HDC dc = GetWindowDC(f.Window());
  if (!dc) return;
  TBitmap& back = *bar->Background();
  const RECT& strip = bar->BarRect();
  if (!back.Empty())
    BitBlt(dc, BoundsRect.left, strip.top, WidthOf(BoundsRect), HeightOf(strip), back.CanvasDC(),
           BoundsRect.left - strip.left, 0, SRCCOPY);
  if (State == 2 || State == 3) {
    TSkinData* data = f.SkinData();
    HBRUSH frame = CreateSolidBrush(data ? ColorToRGB(data->Colors[scButtonHilight]) : GetSysColor(COLOR_BTNHIGHLIGHT));
    FrameRect(dc, &BoundsRect, frame);
    DeleteObject(frame);
  }
  DrawBarCaption(dc, Caption, BoundsRect, CaptionColour(f.SkinData(), ItemEnabled));
  ReleaseDC(f.Window(), dc);
}

// --- TWinSkinMenu ------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* owner)
    : owner_(owner), background_(std::make_unique<TBitmap>()), strip_(std::make_unique<TBitmap>()) {
  background_->SetPixelFormat(TPixelFormat::pf24bit);
  strip_->SetPixelFormat(TPixelFormat::pf24bit);
}

TWinSkinMenu::~TWinSkinMenu() {
  owner_->DropHotMenuButton();
}

TMenu* TWinSkinMenu::MainMenu() const { return owner_->Form() ? FormMainMenu(owner_->Form()) : nullptr; }

bool TWinSkinMenu::RightToLeft() const { return owner_->Traits().RightToLeft; }

void TWinSkinMenu::BuildItems() {
  ReadItems(true);
}

void TWinSkinMenu::RebuildItems() {
  ReadItems(false);
  Layout();
}

void TWinSkinMenu::TakeMenu(HMENU menu) {
  menu_ = menu;
  BuildItems();
  Layout();
}

void TWinSkinMenu::ReadItems(bool lookUpAll) {
  HWND w = owner_->Window();
  if (HMENU menu = GetMenu(w)) menu_ = menu;
  if (!menu_) return;
  TMenu* main = MainMenu();
  if (owner_->Form() && !main) return;
  owner_->DropHotMenuButton();
  buttons_.clear();
  const int count = GetMenuItemCount(menu_);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    mi.dwTypeData = text;
    mi.cch = 80;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &mi)) continue;
    auto b = std::make_unique<TMenuBtn>(owner_);
    b->ButtonIndex = static_cast<int>(buttons_.size());
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
        b->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
      }
    }
    buttons_.push_back(std::move(b));
  }
  SetMenu(w, nullptr);
}

int TWinSkinMenu::Inset(int stripWidth) const {
  TSkinData* data = owner_->SkinData();
  if (!data || !data->MenuBar) return 6;
  int inset = RightToLeft() ? data->MenuBar->RightWidth + 8 : data->MenuBar->LeftWidth + 4;
  return stripWidth < inset ? 12 : inset;
}

int TWinSkinMenu::FirstItemEdge(int stripLeft, int stripWidth) const {
  const int inset = Inset(stripWidth);
  if (!RightToLeft()) return inset;
  // Right to left the items stay clear of the MDI buttons at the bar's right end.
  TWinSkinForm& f = *owner_;
  const int mdiLeft = f.MDIButtonsLeft(stripLeft + stripWidth + f.Metrics().Right);
  return mdiLeft == INT_MAX ? stripWidth - inset : std::min(stripWidth - inset, mdiLeft - stripLeft - 5);
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
  const TWinSkinForm& f = *owner_;
  RECT wr{};
  GetWindowRect(f.Window(), &wr);
  RECT s{f.Metrics().Left, f.Metrics().Top, WidthOf(wr) - f.Metrics().Right, f.Metrics().Top + f.Metrics().MenuBar};
  if (WidthOf(s) <= 0 || HeightOf(s) <= 0) return;
  HDC dc = GetWindowDC(f.Window());
  int x = s.left + FirstItemEdge(s.left, WidthOf(s));
  for (auto& b : buttons_) {
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
  ReleaseDC(f.Window(), dc);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& rect) {
  const TWinSkinForm& f = *owner_;
  TSkinData* data = f.SkinData();
  const int W = WidthOf(rect), H = HeightOf(rect);
  if (W <= 0 || H <= 0) return;
  // Composed in the top-left of the kept bitmap: allocating one per paint costs more than the paint.
  GrowBitmap(*strip_, W, H);
  GrowBitmap(*background_, W, H);
  if (strip_->Empty() || background_->Empty()) return;
  TBitmap& strip = *strip_;
  HDC sd = strip.CanvasDC();
  SetStretchBltMode(sd, COLORONCOLOR);
  RECT all{0, 0, W, H};
  if (data && data->MenuBar && data->MenuBar->HasImage()) {
    TDataSkinObject& o = *data->MenuBar;
    const int frame = f.Active() ? 1 : 2;
    RECT margins{o.LeftWidth, 0, o.RightWidth, 0};
    if (o.Tile == 1) SkinDrawPart(sd, all, *o.Bitmap, margins, frame, 2, false, false, true);
    else SkinDrawThreeSlice(strip.Canvas(), all, *o.Bitmap, margins, frame, 2, false, true);
  } else {
    HBRUSH brush = CreateSolidBrush(data ? ColorToRGB(data->Colors[scMenubar]) : GetSysColor(COLOR_MENU));
    FillRect(sd, &all, brush);
    DeleteObject(brush);
  }
  barRect_ = rect;
  BitBlt(background_->CanvasDC(), 0, 0, W, H, sd, 0, 0, SRCCOPY);
  int x = FirstItemEdge(rect.left, W);
  for (auto& b : buttons_) {
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
  owner_->PaintMDIButtons(strip, rect);
  BitBlt(dc, rect.left, rect.top, W, H, sd, 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ItemAtPoint(POINT p) const {
  for (const auto& b : buttons_)
    if (b->Visible && !b->Caption.empty() && PtInRect(&b->BoundsRect, p)) return b.get();
  return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccel(unsigned key) const {
  for (const auto& b : buttons_)
    if (b->ItemEnabled && b->Visible && IsAccel(key, b->Caption)) return b.get();
  return nullptr;
}
