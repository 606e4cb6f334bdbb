// Painting of a skinned frame: borders, caption band with title and caption
// buttons, the menu-bar strip, and the window region cut from the borders.
#include <algorithm>
#include <climits>
#include <tuple>

#include "skin/win/skin_data.h"
#include "skin/win/skin_draw.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_text.h"
#include "toolkit/base/gbk_wide.h"

namespace {
int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }
}  // namespace

HDC TWinSkinForm::FrameDC(HDC given, bool& release) {
  release = !given;
  return given ? given : GetWindowDC(FormHandle);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!SkinData || SkinData->NoSkin || (SkinState != 1 && SkinState != 3) || BorderKind == 2 ||
      (FormKind == 2 && WindowState == 1))
    return;
  bool release = false;
  HDC dc = FrameDC(given, release);
  if (!dc) return;
  try {
    GetWindowRect(FormHandle, &WindowRect);
    const int W = WidthOf(WindowRect), H = HeightOf(WindowRect);
    WindowSize = SIZE{W, H};
    if (WindowState == 2) {
      PaintCaption(dc);
    } else {
      PaintBorderPiece(1, RECT{0, 0, FrameLeft, H}, dc);
      PaintBorderPiece(2, RECT{W - FrameRight, 0, W, H}, dc);
      PaintBorderPiece(4, RECT{FrameLeft, H - FrameBottom, W - FrameRight, H}, dc);
      PaintCaption(dc);
      RECT bar{FrameLeft, FrameTop, W - FrameRight, FrameTop + MenuBarHeight};
      if (SkinMenuBar) SkinMenuBar->Paint(dc, bar);
      else if (MenuBarHeight > 0 && SkinData->FaceBrush) FillRect(dc, &bar, SkinData->FaceBrush);
    }
  } catch (...) {
    // A failed paint leaves what was drawn.
  }
  // A full repaint forgets the hovered or pressed button.
  if (HotObject) HotObject->State = 1;
  HotObject = nullptr;
  if (release) ReleaseDC(FormHandle, dc);
}

void TWinSkinForm::ForgetPaintCache() {
  // The bitmaps stay as work areas for the next renders.
  for (int look = 0; look < 2; ++look) {
    for (int i = 0; i < 4; ++i) pieceKeys_[i][look] = TPieceKey{};
    captionKept_[look] = false;
  }
}

bool TWinSkinForm::TCaptionKey::operator==(const TCaptionKey& o) const {
  auto fields = [](const TCaptionKey& k) {
    return std::tie(k.Text, k.Width, k.Height, k.FrameLeft, k.FrameRight, k.FrameTop, k.WindowState, k.BorderKind,
                    k.BorderIconBits, k.Active, k.Popup, k.RightToLeft, k.Dialog, k.Icon, k.Buttons);
  };
  return fields(*this) == fields(o);
}

TWinSkinForm::TCaptionKey TWinSkinForm::CaptionKeyNow(const std::wstring& text) const {
  TCaptionKey k;
  k.Text = text;
  k.Width = WindowSize.cx;
  k.Height = WindowState == 2 ? WindowSize.cy : FrameTop;
  k.FrameLeft = FrameLeft;
  k.FrameRight = FrameRight;
  k.FrameTop = FrameTop;
  k.WindowState = WindowState;
  k.BorderKind = BorderKind;
  k.BorderIconBits = BorderIconBits;
  k.Active = NCActive != 0;
  k.Popup = (Style & WS_POPUP) != 0;
  k.RightToLeft = RightToLeft;
  k.Dialog = IsDialog;
  k.Icon = IconHandle;
  for (const auto& b : SysButtons) k.Buttons.emplace_back(b->Visible, b->Enabled);
  return k;
}

void TWinSkinForm::PaintCaption(HDC dc) {
  std::wstring text = CaptionPrefix + WindowTextWide() + CaptionSuffix;
  // The buttons' visibility first: it is part of the key.
  LayoutCaptionButtons();
  TCaptionKey key = CaptionKeyNow(text);
  const int look = NCActive ? 0 : 1;
  if (!captionCache_[look] || !captionKept_[look] || !(key == captionKey_[look])) {
    ComposeCaption(text);
    captionKey_[look] = CaptionKeyNow(text);
    captionKept_[look] = true;
  }
  TBitmap& cached = *captionCache_[look];
  const SIZE size = captionSize_[look];
  if (cached.Empty() || size.cx <= 0 || size.cy <= 0) return;
  BitBlt(dc, 0, 0, size.cx, size.cy, cached.CanvasDC(), 0, 0, SRCCOPY);
  SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::ComposeCaption(const std::wstring& text) {
  const int W = WindowSize.cx, H = WindowSize.cy;
  const int look = NCActive ? 0 : 1;
  std::unique_ptr<TBitmap>& cache = captionCache_[look];
  if (!cache) cache = std::make_unique<TBitmap>();
  TBitmap& b = *cache;
  // The band is composed in the top-left of a kept bitmap.
  const int bandHeight = WindowState == 2 ? H : FrameTop;
  captionSize_[look] = SIZE{};
  if (W <= 0 || bandHeight <= 0) return;
  GrowBitmap(b, W, bandHeight);
  if (b.Empty()) return;
  captionSize_[look] = SIZE{W, bandHeight};
  RECT piece{FrameLeft, 0, W - FrameRight, FrameTop};
  if (WindowState == 2) {
    HBRUSH face = CreateSolidBrush(ColorToRGB(SkinData->Colors[scButtonFace]));
    RECT all{0, 0, W, H};
    FillRect(b.CanvasDC(), &all, face);
    DeleteObject(face);
    piece = RECT{0, 0, W, FrameTop};
  } else {
    // The band's ends are the side borders' tops, as painted just before.
    PaintBorderPiece(1, RECT{0, 0, FrameLeft, H}, b.CanvasDC());
    PaintBorderPiece(2, RECT{W - FrameRight, 0, W, H}, b.CanvasDC());
  }
  PaintBorderPiece(3, piece, b.CanvasDC());
  PaintCaptionText(b.Canvas(), piece, text);
  LayoutCaptionButtons();
  PaintCaptionButtons(b);
}

TBitmap* TWinSkinForm::RenderedBorderPiece(int index, int w, int h) {
  if (w <= 0 || h <= 0 || !SkinData) return nullptr;
  TDataSkinBorder& border = *SkinData->Borders[static_cast<std::size_t>(index - 1)];
  if (!border.HasImage()) return nullptr;
  int frame = (NCActive && border.FrameCount != 1) || border.FrameCount == 1 ? 1 : 2;
  std::unique_ptr<TBitmap>& part = pieces_[index - 1][frame - 1];
  TPieceKey& key = pieceKeys_[index - 1][frame - 1];
  if (!part || key.Width != w || key.Height != h || key.Frame != frame) {
    // Rendered into the top-left of a kept bitmap: a new size allocates nothing
    // unless it is bigger than any before.
    if (!part) part = std::make_unique<TBitmap>();
    key = TPieceKey{};
    GrowBitmap(*part, w, h);
    if (part->Empty()) return nullptr;
    SkinRenderPartInto(*part, w, h, *border.Bitmap, border.Margins(), frame, border.FrameCount, border.Tile != 1,
                       index >= 3);
    key = TPieceKey{w, h, frame};
  }
  return part.get();
}

void TWinSkinForm::PaintBorderPiece(int index, const RECT& rect, HDC dc) {
  if (TBitmap* part = RenderedBorderPiece(index, WidthOf(rect), HeightOf(rect)))
    BitBlt(dc, rect.left, rect.top, WidthOf(rect), HeightOf(rect), part->CanvasDC(), 0, 0, SRCCOPY);
}

std::wstring TWinSkinForm::WindowTextWide() const {
  if (IsUnicode) {
    int length = GetWindowTextLengthW(FormHandle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(FormHandle, text.data(), length + 1), 0)));
    return text;
  }
  char buffer[1001] = {};
  SendMessageA(FormHandle, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return AnsiToWide(buffer);
}

void TWinSkinForm::PaintCaptionText(TCanvas& canvas, const RECT& rect) {
  PaintCaptionText(canvas, rect, CaptionPrefix + WindowTextWide() + CaptionSuffix);
}

void TWinSkinForm::PaintCaptionText(TCanvas& canvas, const RECT& rect, const std::wstring& text) {
  TDataSkinTitle& title = *SkinData->Title;
  HDC dc = canvas.Handle();
  const int CW = WidthOf(rect);
  UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (RightToLeft) flags |= DT_RIGHT | DT_RTLREADING;
  RightButtonsExtent = 0;
  for (std::size_t i = 0; i < SysButtons.size(); ++i) {
    TDataSkinSysButton* b = SysButtons[i]->SkinButton();
    if (b && b->Align == 1 && b->HasImage() && IsCaptionButtonVisible(static_cast<int>(i)))
      RightButtonsExtent = std::max(RightButtonsExtent, b->Xcoord);
  }
  HGDIOBJ oldFont = SelectObject(dc, SysCaptionFont);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(SkinData->Colors[NCActive ? scTitleTextActive : scTitleTextNoActive]));
  RECT t = rect;
  SkinDrawText(dc, text, t, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  t.right += title.TXTBackleft + title.TXTBackRight;
  const int TW = WidthOf(t), TH = HeightOf(t);
  int x = 0;
  if (!RightToLeft) {
    switch (title.TextAlignment) {
      case 0: x = title.LeftWidth; break;
      case 1: x = (CW - TW) / 2; break;
      case 2: x = CW - title.RightWidth - TW; break;
      default: x = 0; break;
    }
  } else {
    switch (title.TextAlignment) {
      case 0: x = CW - RightButtonsExtent - TW; break;
      case 1: x = (CW - RightButtonsExtent - TW) / 2; break;
      case 2: x = title.LeftWidth; break;
      default: x = 0; break;
    }
  }
  int y = (HeightOf(rect) - TH) / 2 + title.TopHeight / 2;
  OffsetRect(&t, x, y);
  if (RightToLeft && x < 1) t.left = title.LeftWidth;
  if (RightToLeft) {
    OffsetRect(&t, 10, 0);
  } else if (Style & WS_POPUP) {
    if (RightButtonsExtent > 5 && rect.right - RightButtonsExtent - 5 < t.right)
      t.right = rect.right - RightButtonsExtent - 5;
  } else {
    t.right = std::min<LONG>(t.right, rect.right - title.RightWidth);
  }
  if (BorderKind == 3 && title.TextAlignment == 0) t.left -= 16;
  TitleRect = t;
  if (title.HasImage())
    SkinDrawThreeSlice(canvas, RECT{t.left, rect.top, t.right, rect.bottom}, *title.Bitmap,
                       RECT{title.TXTBackleft, 0, title.TXTBackRight, 0}, NCActive ? 1 : 2, 2, true, true);
  t.left += title.TXTBackleft;
  t.right -= title.TXTBackRight;
  SkinDrawText(dc, text, t, flags);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TWinSkinForm::LayoutCaptionButtons() {
  const int W = WindowSize.cx;
  for (std::size_t i = 0; i < SysButtons.size(); ++i) {
    TWinSysButton& button = *SysButtons[i];
    TDataSkinSysButton* b = button.SkinButton();
    if (!b || !IsCaptionButtonVisible(static_cast<int>(i))) continue;
    // The window icon has no image of its own: it takes the small icon's size.
    int w = b->HasImage() ? b->Bitmap->GetWidth() / std::max(b->FrameCount, 1) : SmallIconSize;
    int h = b->HasImage() ? b->Bitmap->GetHeight() : SmallIconSize;
    if (!b->HasImage() && b->Action != 3 && b->Action != 11) continue;
    POINT o = CaptionButtonOrigin(*b, w, h, W);
    button.BoundsRect = RECT{o.x, o.y, o.x + w, o.y + h};
  }
}

POINT TWinSkinForm::CaptionButtonOrigin(const TDataSkinSysButton& b, int w, int h, int W) const {
  switch (b.Align) {
    case 0: return POINT{b.Xcoord, b.Ycoord};
    case 1: return POINT{W - b.Xcoord, b.Ycoord};
    case 2: case 8: return POINT{TitleRect.left - w - b.Xcoord, b.Ycoord};
    case 3: case 9: return POINT{TitleRect.right + b.Xcoord, b.Ycoord};
    case 100:
      return POINT{W - b.Xcoord - FrameRight - (SkinData && SkinData->MenuBar ? SkinData->MenuBar->LeftWidth : 0),
                   FrameTop + (MenuBarHeight - h) / 2};
    default: return POINT{0, 0};
  }
}

int TWinSkinForm::MDIButtonsLeft(int W) {
  int left = INT_MAX;
  for (std::size_t i = 0; i < SysButtons.size(); ++i) {
    TDataSkinSysButton* b = SysButtons[i]->SkinButton();
    if (!b || b->Visibility != 100 || !b->HasImage() || !IsCaptionButtonVisible(static_cast<int>(i))) continue;
    const int w = b->Bitmap->GetWidth() / std::max(b->FrameCount, 1);
    left = std::min<int>(left, CaptionButtonOrigin(*b, w, b->Bitmap->GetHeight(), W).x);
  }
  return left;
}

void TWinSkinForm::PaintCaptionButtons(TBitmap& band) {
  for (std::size_t i = 0; i < SysButtons.size(); ++i) {
    TWinSysButton& button = *SysButtons[i];
    TDataSkinSysButton* b = button.SkinButton();
    if (!b || !button.Visible || b->Visibility == 100) continue;
    if (b->Action == 3 || b->Action == 11) {
      DrawWindowIcon(band.CanvasDC(), button.BoundsRect);
      continue;
    }
    if (!b->HasImage()) continue;
    int frame = b->FrameCount < 4 ? 1 : (NCActive && button.Enabled ? 1 : 4);
    SkinDrawStateFrame(band, button.BoundsRect, *b->Bitmap, frame, b->FrameCount, true);
    button.State = 1;
  }
}

void TWinSkinForm::PaintCaptionButton(TWinSysButton& button, int frameIndex) {
  TDataSkinSysButton* b = button.SkinButton();
  if (!b || !button.Visible || SkinState != 1 || BorderKind == 2) return;
  if (!button.Enabled) frameIndex = b->FrameCount > 3 ? 4 : 1;
  if (b->Visibility == 100 && frameIndex == 3) frameIndex = 4;
  HDC dc = GetWindowDC(FormHandle);
  if (!dc) return;
  if (b->Action == 3 || b->Action == 11) {
    DrawWindowIcon(dc, button.BoundsRect);
  } else if (b->HasImage()) {
    // The caption band under the button first: the button's image has see-through pixels.
    RECT r = button.BoundsRect;
    TBitmap& scratch = *CaptionBitmap;
    scratch.SetSize(WidthOf(r), HeightOf(r));
    if (!scratch.Empty()) {
      // Under the MDI buttons lies the menu bar, under the others the caption band.
      TBitmap* barBack = SkinMenuBar ? SkinMenuBar->BarBackground.get() : nullptr;
      if (b->Visibility == 100 && barBack && !barBack->Empty())
        BitBlt(scratch.CanvasDC(), 0, 0, WidthOf(r), HeightOf(r), barBack->CanvasDC(),
               r.left - SkinMenuBar->BarRect.left, r.top - SkinMenuBar->BarRect.top, SRCCOPY);
      else
        PaintBorderPiece(3, RECT{FrameLeft - r.left, -r.top, WindowSize.cx - FrameRight - r.left, FrameTop - r.top},
                         scratch.CanvasDC());
      SkinDrawStateFrame(scratch, RECT{0, 0, WidthOf(r), HeightOf(r)}, *b->Bitmap, frameIndex,
                         b->FrameCount, true);
      BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), scratch.CanvasDC(), 0, 0, SRCCOPY);
    }
  }
  ReleaseDC(FormHandle, dc);
}

bool TWinSkinForm::IsMDIChildMaximized() const {
  if (FormKind != 1 || !MDIClient) return false;
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

bool TWinSkinForm::IsCaptionButtonVisible(int index) {
  TWinSysButton& button = *SysButtons[static_cast<std::size_t>(index)];
  TDataSkinSysButton* b = button.SkinButton();
  if (!b) return button.Visible = false;
  const bool maxBox = BorderIconBits & 1, minBox = BorderIconBits & 2, help = BorderIconBits & 4,
             sysMenu = BorderIconBits & 8;
  auto condition = [&](int value, bool second) -> bool {
    switch (value) {
      case 0: return true;
      case 1: return WindowState == 1;
      case 2: return WindowState != 1;
      case 3: return NCActive != 0;
      case 4: return NCActive == 0;
      case 6: case 8: return second ? (maxBox || minBox) : ((maxBox || minBox) && sysMenu);
      case 7: return !maxBox;
      case 9: return !minBox;
      case 10: return second ? help : (help && !maxBox && !minBox);
      case 100: return IsMDIChildMaximized() && SkinMenuBar;
      default: break;
    }
    if (second) return false;
    if (value == 200) return BorderKind == 3 && !IsDialog;
    if (value >= 201 && value <= 999) return true;
    if (value >= 1000 && value <= 2000) return SendMessageW(FormHandle, SM_CAPTIONVISIBLE, value, b->Action) > 0;
    return false;
  };
  bool visible = condition(b->Visibility, false) && condition(b->Visibility1, true);
  switch (b->Action) {
    case 0: if (!sysMenu) visible = false; break;
    case 1: button.Enabled = maxBox && sysMenu; break;
    case 2: button.Enabled = minBox && sysMenu; break;
    case 3: case 11: case 12: if (BorderKind == 3) visible = false; break;
    default: break;
  }
  button.Visible = visible;
  return visible;
}

void TWinSkinForm::UpdateRegion() {
  if (SkinState == 6 || !SkinFrame || !SkinData || SkinData->NoSkin || BorderKind == 2) return;
  if (FormKind == 2 && WindowState != 0) return;
  RECT wr{};
  GetWindowRect(FormHandle, &wr);
  const int W = WidthOf(wr), H = HeightOf(wr);
  if (W <= 0 || H <= 0) return;
  if (W == RegionSize.cx && H == RegionSize.cy && FormKind != 2 && SkinState != 3) return;
  auto& borders = SkinData->Borders;
  bool shaped = false;
  for (auto& b : borders) shaped = shaped || b->Trans == 1;
  // A region handed to the system is the system's: it is never deleted here.
  if (!shaped) {
    Region = CreateRectRgn(0, 0, W, H);
    HasRegion = true;
    RegionSize = SIZE{W, H};
    SetWindowRgn(FormHandle, Region, TRUE);
    return;
  }
  RegionSize = SIZE{W, H};
  HRGN result = CreateRectRgn(FrameLeft, FrameTop, W - FrameRight, H - FrameBottom);
  // The pieces the paint uses, read where they are kept.
  auto pieceRegion = [&](int index, const RECT& at, bool shape) -> HRGN {
    if (!shape) return CreateRectRgn(at.left, at.top, at.right, at.bottom);
    if (WidthOf(at) <= 0 || HeightOf(at) <= 0) return CreateRectRgn(0, 0, 0, 0);
    TBitmap* piece = RenderedBorderPiece(index, WidthOf(at), HeightOf(at));
    if (!piece) return CreateRectRgn(at.left, at.top, at.right, at.bottom);  // no image: nothing see-through
    return BitmapToRegion(*piece, WidthOf(at), HeightOf(at), at.left, at.top, clFuchsia, 1, 1, 1);
  };
  HRGN left = pieceRegion(1, RECT{0, 0, FrameLeft, H}, borders[0]->Trans == 1 && H > 1);
  HRGN right = pieceRegion(2, RECT{W - FrameRight, 0, W, H}, borders[1]->Trans == 1 && H > 1);
  HRGN bottom = pieceRegion(4, RECT{FrameLeft, H - FrameBottom, W - FrameRight, H},
                            borders[3]->Trans == 1 && FrameBottom >= 2);
  HRGN top = pieceRegion(3, RECT{FrameLeft, 0, W - FrameRight, FrameTop},
                         borders[2]->Trans == 1 && FrameTop > 1 && W - FrameLeft - FrameRight > 0);
  CombineRgn(left, left, right, RGN_OR);
  CombineRgn(top, top, bottom, RGN_OR);
  CombineRgn(left, left, top, RGN_OR);
  CombineRgn(result, result, left, RGN_OR);
  for (HRGN r : {left, right, top, bottom}) DeleteObject(r);
  Region = result;
  HasRegion = true;
  SetWindowRgn(FormHandle, result, TRUE);
}

void TWinSkinForm::ClearRegion() {
  if (!HasRegion) return;
  SetWindowRgn(FormHandle, nullptr, FormKind == 2);
  HasRegion = false;
  Region = nullptr;
  RegionSize = SIZE{};
}

void TWinSkinForm::SetStyle(LONG style) {
  if (style == GetWindowLongW(FormHandle, GWL_STYLE)) return;
  writingStyle_ = true;
  SetWindowLongW(FormHandle, GWL_STYLE, style);
  writingStyle_ = false;
  Style = style;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (BorderIconBits & 16) return;
  LONG style = GetWindowLongW(FormHandle, GWL_STYLE);
  if (remove) style &= ~WS_SYSMENU;
  else if (appSysMenu_) style |= WS_SYSMENU;  // only a system menu the window had of its own
  SetStyle(style);
}
