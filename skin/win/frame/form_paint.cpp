// Painting of a skinned frame: borders, caption band with title and caption
// buttons, the menu-bar strip, and the window region cut from the borders.
#include <algorithm>
#include <climits>
#include <tuple>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/messages.h"
#include "toolkit/base/gbk_wide.h"

namespace {
int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }
// Spaces around the window's text in the caption.
const wchar_t kCaptionPrefix[] = L"  ", kCaptionSuffix[] = L" ";
}  // namespace

HDC TWinSkinForm::FrameDC(HDC given, bool& release) {
  release = !given;
  return given ? given : GetWindowDC(window_);
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (!data_ || data_->NoSkin || (stage_ != TFrameStage::Skinned && stage_ != TFrameStage::Reapplying) ||
      traits_.Border == TBorderKind::None ||
      (traits_.Kind == TFormKind::MDIChild && showState_ == TShowState::Maximized))
    return;
  bool release = false;
  HDC dc = FrameDC(given, release);
  if (!dc) return;
  try {
    RECT wr{};
    GetWindowRect(window_, &wr);
    const int W = WidthOf(wr), H = HeightOf(wr);
    caption_.WindowSize = SIZE{W, H};
    if (showState_ == TShowState::Minimized) {
      PaintCaption(dc);
    } else {
      PaintBorderPiece(1, RECT{0, 0, metrics_.Left, H}, dc);
      PaintBorderPiece(2, RECT{W - metrics_.Right, 0, W, H}, dc);
      PaintBorderPiece(4, RECT{metrics_.Left, H - metrics_.Bottom, W - metrics_.Right, H}, dc);
      PaintCaption(dc);
      PaintMenuBar(dc, W);
    }
  } catch (...) {
    // A failed paint leaves what was drawn.
  }
  // A full repaint forgets the hovered or pressed button.
  if (hot_) hot_->State = 1;
  hot_ = nullptr;
  if (release) ReleaseDC(window_, dc);
}

void TWinSkinForm::PaintMenuBar(HDC dc, int W) {
  RECT bar{metrics_.Left, metrics_.Top, W - metrics_.Right, metrics_.Top + metrics_.MenuBar};
  if (menuBar_) menuBar_->Paint(dc, bar);
  else if (metrics_.MenuBar > 0 && data_->FaceBrush) FillRect(dc, &bar, data_->FaceBrush);
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
    return std::tie(k.Text, k.Width, k.Height, k.FrameLeft, k.FrameRight, k.FrameTop, k.ShowState, k.BorderKind,
                    k.BorderIcons, k.Active, k.Popup, k.RightToLeft, k.Dialog, k.Icon, k.Buttons);
  };
  return fields(*this) == fields(o);
}

TWinSkinForm::TCaptionKey TWinSkinForm::CaptionKeyNow(const std::wstring& text) const {
  TCaptionKey k;
  k.Text = text;
  k.Width = caption_.WindowSize.cx;
  k.Height = showState_ == TShowState::Minimized ? caption_.WindowSize.cy : metrics_.Top;
  k.FrameLeft = metrics_.Left;
  k.FrameRight = metrics_.Right;
  k.FrameTop = metrics_.Top;
  k.ShowState = showState_;
  k.BorderKind = traits_.Border;
  k.BorderIcons = traits_.Icons;
  k.Active = active_;
  k.Popup = (traits_.Style & WS_POPUP) != 0;
  k.RightToLeft = traits_.RightToLeft;
  k.Dialog = traits_.Dialog;
  k.Icon = icon_.Handle;
  for (const auto& b : captionButtons_) k.Buttons.emplace_back(b->Visible, b->Enabled);
  return k;
}

void TWinSkinForm::PaintCaption(HDC dc) {
  std::wstring text = kCaptionPrefix + WindowTextWide() + kCaptionSuffix;
  // The buttons' visibility first: it is part of the key.
  LayoutCaptionButtons();
  TCaptionKey key = CaptionKeyNow(text);
  const int look = active_ ? 0 : 1;
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
  const int W = caption_.WindowSize.cx, H = caption_.WindowSize.cy;
  const int look = active_ ? 0 : 1;
  std::unique_ptr<TBitmap>& cache = captionCache_[look];
  if (!cache) cache = std::make_unique<TBitmap>();
  TBitmap& b = *cache;
  // The band is composed in the top-left of a kept bitmap.
  const int bandHeight = showState_ == TShowState::Minimized ? H : metrics_.Top;
  captionSize_[look] = SIZE{};
  if (W <= 0 || bandHeight <= 0) return;
  GrowBitmap(b, W, bandHeight);
  if (b.Empty()) return;
  captionSize_[look] = SIZE{W, bandHeight};
  RECT piece{metrics_.Left, 0, W - metrics_.Right, metrics_.Top};
  if (showState_ == TShowState::Minimized) {
    HBRUSH face = CreateSolidBrush(ColorToRGB(data_->Colors[scButtonFace]));
    RECT all{0, 0, W, H};
    FillRect(b.CanvasDC(), &all, face);
    DeleteObject(face);
    piece = RECT{0, 0, W, metrics_.Top};
  } else {
    // The band's ends are the side borders' tops, as painted just before.
    PaintBorderPiece(1, RECT{0, 0, metrics_.Left, H}, b.CanvasDC());
    PaintBorderPiece(2, RECT{W - metrics_.Right, 0, W, H}, b.CanvasDC());
  }
  PaintBorderPiece(3, piece, b.CanvasDC());
  PaintCaptionText(b.Canvas(), piece, text);
  LayoutCaptionButtons();
  PaintCaptionButtons(b);
}

TBitmap* TWinSkinForm::RenderedBorderPiece(int index, int w, int h) {
  if (w <= 0 || h <= 0 || !data_) return nullptr;
  TDataSkinBorder& border = *data_->Borders[static_cast<std::size_t>(index - 1)];
  if (!border.HasImage()) return nullptr;
  int frame = (active_ && border.FrameCount != 1) || border.FrameCount == 1 ? 1 : 2;
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
  if (traits_.Unicode) {
    int length = GetWindowTextLengthW(window_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(window_, text.data(), length + 1), 0)));
    return text;
  }
  char buffer[1001] = {};
  SendMessageA(window_, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return AnsiToWide(buffer);
}

void TWinSkinForm::PaintCaptionText(TCanvas& canvas, const RECT& rect, const std::wstring& text) {
  TDataSkinTitle& title = *data_->Title;
  HDC dc = canvas.Handle();
  const int CW = WidthOf(rect);
  UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (traits_.RightToLeft) flags |= DT_RIGHT | DT_RTLREADING;
  int rightButtons = 0;  // how far the right-aligned caption buttons reach in
  for (std::size_t i = 0; i < captionButtons_.size(); ++i) {
    TDataSkinSysButton* b = captionButtons_[i]->SkinButton();
    if (b && b->Align == 1 && b->HasImage() && IsCaptionButtonVisible(static_cast<int>(i)))
      rightButtons = std::max(rightButtons, b->Xcoord);
  }
  HGDIOBJ oldFont = SelectObject(dc, caption_.Font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(data_->Colors[active_ ? scTitleTextActive : scTitleTextNoActive]));
  RECT t = rect;
  SkinDrawText(dc, text, t, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  t.right += title.TXTBackleft + title.TXTBackRight;
  const int TW = WidthOf(t), TH = HeightOf(t);
  int x = 0;
  if (!traits_.RightToLeft) {
    switch (title.TextAlignment) {
      case 0: x = title.LeftWidth; break;
      case 1: x = (CW - TW) / 2; break;
      case 2: x = CW - title.RightWidth - TW; break;
      default: x = 0; break;
    }
  } else {
    switch (title.TextAlignment) {
      case 0: x = CW - rightButtons - TW; break;
      case 1: x = (CW - rightButtons - TW) / 2; break;
      case 2: x = title.LeftWidth; break;
      default: x = 0; break;
    }
  }
  int y = (HeightOf(rect) - TH) / 2 + title.TopHeight / 2;
  OffsetRect(&t, x, y);
  if (traits_.RightToLeft && x < 1) t.left = title.LeftWidth;
  if (traits_.RightToLeft) {
    OffsetRect(&t, 10, 0);
  } else if (traits_.Style & WS_POPUP) {
    if (rightButtons > 5 && rect.right - rightButtons - 5 < t.right)
      t.right = rect.right - rightButtons - 5;
  } else {
    t.right = std::min<LONG>(t.right, rect.right - title.RightWidth);
  }
  if (traits_.Border == TBorderKind::Dialog && title.TextAlignment == 0) t.left -= 16;
  caption_.Title = t;
  if (title.HasImage())
    SkinDrawThreeSlice(canvas, RECT{t.left, rect.top, t.right, rect.bottom}, *title.Bitmap,
                       RECT{title.TXTBackleft, 0, title.TXTBackRight, 0}, active_ ? 1 : 2, 2, true, true);
  t.left += title.TXTBackleft;
  t.right -= title.TXTBackRight;
  SkinDrawText(dc, text, t, flags);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TWinSkinForm::LayoutCaptionButtons() {
  const int W = caption_.WindowSize.cx;
  for (std::size_t i = 0; i < captionButtons_.size(); ++i) {
    TWinSysButton& button = *captionButtons_[i];
    TDataSkinSysButton* b = button.SkinButton();
    if (!b || !IsCaptionButtonVisible(static_cast<int>(i))) continue;
    // The window icon has no image of its own: it takes the small icon's size.
    int w = b->HasImage() ? b->Bitmap->GetWidth() / std::max(b->FrameCount, 1) : icon_.SmallSize;
    int h = b->HasImage() ? b->Bitmap->GetHeight() : icon_.SmallSize;
    if (!b->HasImage() && b->Action != 3 && b->Action != 11) continue;
    POINT o = CaptionButtonOrigin(*b, w, h, W);
    button.BoundsRect = RECT{o.x, o.y, o.x + w, o.y + h};
  }
}

POINT TWinSkinForm::CaptionButtonOrigin(const TDataSkinSysButton& b, int w, int h, int W) const {
  switch (b.Align) {
    case 0: return POINT{b.Xcoord, b.Ycoord};
    case 1: return POINT{W - b.Xcoord, b.Ycoord};
    case 2: case 8: return POINT{caption_.Title.left - w - b.Xcoord, b.Ycoord};
    case 3: case 9: return POINT{caption_.Title.right + b.Xcoord, b.Ycoord};
    case 100:
      return POINT{W - b.Xcoord - metrics_.Right - (data_ && data_->MenuBar ? data_->MenuBar->LeftWidth : 0),
                   metrics_.Top + (metrics_.MenuBar - h) / 2};
    default: return POINT{0, 0};
  }
}

int TWinSkinForm::MDIButtonsLeft(int W) {
  int left = INT_MAX;
  for (std::size_t i = 0; i < captionButtons_.size(); ++i) {
    TDataSkinSysButton* b = captionButtons_[i]->SkinButton();
    if (!b || b->Visibility != 100 || !b->HasImage() || !IsCaptionButtonVisible(static_cast<int>(i))) continue;
    const int w = b->Bitmap->GetWidth() / std::max(b->FrameCount, 1);
    left = std::min<int>(left, CaptionButtonOrigin(*b, w, b->Bitmap->GetHeight(), W).x);
  }
  return left;
}

void TWinSkinForm::PaintMDIButtons(TBitmap& strip, const RECT& barRect) {
  if (traits_.Kind != TFormKind::MDIFrame || !IsMDIChildMaximized()) return;
  for (auto& button : captionButtons_) {
    TDataSkinSysButton* b = button->SkinButton();
    if (!b || b->Visibility != 100 || !b->HasImage() || !button->Visible) continue;
    RECT r = button->BoundsRect;
    OffsetRect(&r, -barRect.left, -barRect.top);
    SkinDrawStateFrame(strip, r, *b->Bitmap, 1, b->FrameCount, true);
    button->State = 1;
  }
  if (TSkinManage* mgr = SkinManager(); mgr && !mgr->MDIChildMaximized()) mgr->SetMDIChildActive(true);
}

void TWinSkinForm::PaintCaptionButtons(TBitmap& band) {
  for (std::size_t i = 0; i < captionButtons_.size(); ++i) {
    TWinSysButton& button = *captionButtons_[i];
    TDataSkinSysButton* b = button.SkinButton();
    if (!b || !button.Visible || b->Visibility == 100) continue;
    if (b->Action == 3 || b->Action == 11) {
      DrawWindowIcon(band.CanvasDC(), button.BoundsRect);
      continue;
    }
    if (!b->HasImage()) continue;
    int frame = b->FrameCount < 4 ? 1 : (active_ && button.Enabled ? 1 : 4);
    SkinDrawStateFrame(band, button.BoundsRect, *b->Bitmap, frame, b->FrameCount, true);
    button.State = 1;
  }
}

void TWinSkinForm::PaintCaptionButton(TWinSysButton& button, int frameIndex) {
  TDataSkinSysButton* b = button.SkinButton();
  if (!b || !button.Visible || stage_ != TFrameStage::Skinned || traits_.Border == TBorderKind::None) return;
  if (!button.Enabled) frameIndex = b->FrameCount > 3 ? 4 : 1;
  if (b->Visibility == 100 && frameIndex == 3) frameIndex = 4;
  HDC dc = GetWindowDC(window_);
  if (!dc) return;
  if (b->Action == 3 || b->Action == 11) {
    DrawWindowIcon(dc, button.BoundsRect);
  } else if (b->HasImage()) {
    // The caption band under the button first: the button's image has see-through pixels.
    RECT r = button.BoundsRect;
    TBitmap& scratch = *caption_.ButtonScratch;
    scratch.SetSize(WidthOf(r), HeightOf(r));
    if (!scratch.Empty()) {
      // Under the MDI buttons lies the menu bar, under the others the caption band.
      TBitmap* barBack = menuBar_ ? menuBar_->Background() : nullptr;
      if (b->Visibility == 100 && barBack && !barBack->Empty())
        BitBlt(scratch.CanvasDC(), 0, 0, WidthOf(r), HeightOf(r), barBack->CanvasDC(),
               r.left - menuBar_->BarRect().left, r.top - menuBar_->BarRect().top, SRCCOPY);
      else
        PaintBorderPiece(3,
                         RECT{metrics_.Left - r.left, -r.top, caption_.WindowSize.cx - metrics_.Right - r.left,
                              metrics_.Top - r.top},
                         scratch.CanvasDC());
      SkinDrawStateFrame(scratch, RECT{0, 0, WidthOf(r), HeightOf(r)}, *b->Bitmap, frameIndex,
                         b->FrameCount, true);
      BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), scratch.CanvasDC(), 0, 0, SRCCOPY);
    }
  }
  ReleaseDC(window_, dc);
}

bool TWinSkinForm::IsMDIChildMaximized() const {
  if (traits_.Kind != TFormKind::MDIFrame || !mdiClient_) return false;
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

bool TWinSkinForm::IsCaptionButtonVisible(int index) {
  TWinSysButton& button = *captionButtons_[static_cast<std::size_t>(index)];
  TDataSkinSysButton* b = button.SkinButton();
  if (!b) return button.Visible = false;
  const bool maxBox = traits_.Has(TWindowTraits::MaximizeBox), minBox = traits_.Has(TWindowTraits::MinimizeBox),
             help = traits_.Has(TWindowTraits::HelpBox), sysMenu = traits_.Has(TWindowTraits::SystemMenu);
  auto condition = [&](int value, bool second) -> bool {
    switch (value) {
      case 0: return true;
      case 1: return showState_ == TShowState::Maximized;
      case 2: return showState_ != TShowState::Maximized;
      case 3: return active_ != 0;
      case 4: return active_ == 0;
      case 6: case 8: return second ? (maxBox || minBox) : ((maxBox || minBox) && sysMenu);
      case 7: return !maxBox;
      case 9: return !minBox;
      case 10: return second ? help : (help && !maxBox && !minBox);
      case 100: return IsMDIChildMaximized() && menuBar_;
      default: break;
    }
    if (second) return false;
    if (value == 200) return traits_.Border == TBorderKind::Dialog && !traits_.Dialog;
    if (value >= 201 && value <= 999) return true;
    if (value >= 1000 && value <= 2000) return SendMessageW(window_, SM_CAPTIONVISIBLE, value, b->Action) > 0;
    return false;
  };
  bool visible = condition(b->Visibility, false) && condition(b->Visibility1, true);
  switch (b->Action) {
    case 0: if (!sysMenu) visible = false; break;
    case 1: button.Enabled = maxBox && sysMenu; break;
    case 2: button.Enabled = minBox && sysMenu; break;
    case 3: case 11: case 12: if (traits_.Border == TBorderKind::Dialog) visible = false; break;
    default: break;
  }
  button.Visible = visible;
  return visible;
}

void TWinSkinForm::UpdateRegion() {
  if (stage_ == TFrameStage::WindowGone || !drawsFrame_ || !data_ || data_->NoSkin ||
      traits_.Border == TBorderKind::None)
    return;
  if (traits_.Kind == TFormKind::MDIChild && showState_ != TShowState::Normal) return;
  RECT wr{};
  GetWindowRect(window_, &wr);
  const int W = WidthOf(wr), H = HeightOf(wr);
  if (W <= 0 || H <= 0) return;
  if (W == region_.Size.cx && H == region_.Size.cy && traits_.Kind != TFormKind::MDIChild &&
      stage_ != TFrameStage::Reapplying)
    return;
  auto& borders = data_->Borders;
  bool shaped = false;
  for (auto& b : borders) shaped = shaped || b->Trans == 1;
  // A region handed to the system is the system's: it is never deleted here.
  if (!shaped) {
    region_.Set = true;
    region_.Size = SIZE{W, H};
    SetWindowRgn(window_, CreateRectRgn(0, 0, W, H), TRUE);
    return;
  }
  region_.Size = SIZE{W, H};
  HRGN result = CreateRectRgn(metrics_.Left, metrics_.Top, W - metrics_.Right, H - metrics_.Bottom);
  // The pieces the paint uses, read where they are kept.
  auto pieceRegion = [&](int index, const RECT& at, bool shape) -> HRGN {
    if (!shape) return CreateRectRgn(at.left, at.top, at.right, at.bottom);
    if (WidthOf(at) <= 0 || HeightOf(at) <= 0) return CreateRectRgn(0, 0, 0, 0);
    TBitmap* piece = RenderedBorderPiece(index, WidthOf(at), HeightOf(at));
    if (!piece) return CreateRectRgn(at.left, at.top, at.right, at.bottom);  // no image: nothing see-through
    return BitmapToRegion(*piece, WidthOf(at), HeightOf(at), at.left, at.top, clFuchsia, 1, 1, 1);
  };
  HRGN left = pieceRegion(1, RECT{0, 0, metrics_.Left, H}, borders[0]->Trans == 1 && H > 1);
  HRGN right = pieceRegion(2, RECT{W - metrics_.Right, 0, W, H}, borders[1]->Trans == 1 && H > 1);
  HRGN bottom = pieceRegion(4, RECT{metrics_.Left, H - metrics_.Bottom, W - metrics_.Right, H},
                            borders[3]->Trans == 1 && metrics_.Bottom >= 2);
  HRGN top = pieceRegion(3, RECT{metrics_.Left, 0, W - metrics_.Right, metrics_.Top},
                         borders[2]->Trans == 1 && metrics_.Top > 1 && W - metrics_.Left - metrics_.Right > 0);
  CombineRgn(left, left, right, RGN_OR);
  CombineRgn(top, top, bottom, RGN_OR);
  CombineRgn(left, left, top, RGN_OR);
  CombineRgn(result, result, left, RGN_OR);
  for (HRGN r : {left, right, top, bottom}) DeleteObject(r);
  region_.Set = true;
  SetWindowRgn(window_, result, TRUE);
}

void TWinSkinForm::ClearRegion() {
  if (!region_.Set) return;
  SetWindowRgn(window_, nullptr, traits_.Kind == TFormKind::MDIChild);
  region_ = TRegionState{};
}

void TWinSkinForm::SetStyle(LONG style) {
  if (style == GetWindowLongW(window_, GWL_STYLE)) return;
  writingStyle_ = true;
  SetWindowLongW(window_, GWL_STYLE, style);
  writingStyle_ = false;
  traits_.Style = style;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (traits_.Has(TWindowTraits::OwnTaskButton)) return;
  LONG style = GetWindowLongW(window_, GWL_STYLE);
  if (remove) style &= ~WS_SYSMENU;
  else if (appSysMenu_) style |= WS_SYSMENU;  // only a system menu the window had of its own
  SetStyle(style);
}
