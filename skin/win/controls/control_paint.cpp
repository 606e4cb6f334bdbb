// Paint routines the skinned-control families share: strip frames, image and
// caption pairs, copies of bitmaps.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "skin/win/controls/control.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/image_list.h"

namespace {

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Frame index of count, stretched to r's size; null when there is nothing to draw.
std::unique_ptr<TBitmap> StretchedStripFrame(const RECT& r, int count, int index, TBitmap& bitmap) {
  if (Inverted(r) || count <= 0 || bitmap.Empty()) return nullptr;
  const int w = bitmap.GetWidth() / count;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (w <= 0 || width <= 0 || height <= 0) return nullptr;
  index = std::clamp(index, 1, count);
  auto frame = std::make_unique<TBitmap>();
  frame->SetSize(width, height);
  SetStretchBltMode(frame->CanvasDC(), COLORONCOLOR);
  StretchBlt(frame->CanvasDC(), 0, 0, width, height, bitmap.CanvasDC(), w * (index - 1), 0, w, bitmap.GetHeight(),
             SRCCOPY);
  return frame;
}

}  // namespace

void DrawStripFrameCanvas(TCanvas& canvas, const RECT& r, int count, int index, TBitmap& bitmap) {
  std::unique_ptr<TBitmap> frame = StretchedStripFrame(r, count, index, bitmap);
  if (!frame) return;
  frame->SetTransparentColor(clFuchsia);
  frame->SetTransparent(true);
  canvas.Draw(r.left, r.top, *frame);
}

void DrawStripFrame(HDC dc, const RECT& r, int count, int index, TBitmap& bitmap) {
  TCanvas canvas(dc);
  DrawStripFrameCanvas(canvas, r, count, index, bitmap);
}

void DrawStripFrameMasked(HDC dc, const RECT& r, int count, int index, TBitmap& bitmap) {
  std::unique_ptr<TBitmap> frame = StretchedStripFrame(r, count, index, bitmap);
  if (frame) TransparentBlit(dc, r, *frame, clFuchsia);
}

TImageTextLayout LayoutImageAndText(HDC dc, const RECT& r, int alignment, const std::wstring& text, int imageWidth,
                                    bool wantImage, UINT flags) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  TImageTextLayout out;
  out.Image = wantImage && imageWidth < width;
  const int cx = out.Image ? imageWidth : 0;
  RECT t = r;
  if (out.Image) t.right += cx + 2;
  if (!text.empty()) {
    SkinDrawText(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
  } else {
    t.right = t.left;
  }
  const int tw = t.right - t.left, th = t.bottom - t.top;
  int x = alignment == 0 ? 3 : alignment == 1 ? (width - cx - tw) / 2 : width - cx - tw - 2;
  if (x < 2) x = 1;
  out.ImageAt = POINT{r.left + x, r.top + (height - cx) / 2};
  OffsetRect(&t, r.left - t.left + x + cx, r.top - t.top + (height - th) / 2);
  t.left = std::max(t.left, r.left);
  t.right = std::min(t.right, r.right);
  out.Text = t;
  return out;
}

namespace {

// A caption's drawing state for as long as it lives: a transparent
// background, the canvas's brush clear and the DC's font in its plain style
// (neither bold, italic, underlined nor struck out); the font is given back.
class TPlainCaption {
public:
  explicit TPlainCaption(TCanvas& canvas) : dc_(canvas.Handle()) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    SetBkMode(dc_, TRANSPARENT);
    LOGFONTW lf{};
    HGDIOBJ font = GetCurrentObject(dc_, OBJ_FONT);
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return;
    if (lf.lfWeight <= FW_NORMAL && !lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut) return;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = FALSE;
    plain_ = CreateFontIndirectW(&lf);
    if (plain_) old_ = SelectObject(dc_, plain_);
  }
  ~TPlainCaption() {
    if (!plain_) return;
    SelectObject(dc_, old_);
    DeleteObject(plain_);
  }
  TPlainCaption(const TPlainCaption&) = delete;
  TPlainCaption& operator=(const TPlainCaption&) = delete;

private:
  HDC dc_;
  HFONT plain_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

void DrawCaptionText(TSkinControl& ctl, TCanvas& canvas, const RECT& r, UINT alignment, bool enabled,
                     const std::wstring& text) {
  const UINT flags = alignment | DT_EXPANDTABS;
  HDC dc = canvas.Handle();
  TPlainCaption plain(canvas);
  RECT t = r;
  SkinDrawText(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
  int w = t.right - t.left, h = t.bottom - t.top;
  if (alignment == DT_CENTER) {
    OffsetRect(&t, r.left - t.left + ((r.right - r.left) - w) / 2, r.top - t.top + ((r.bottom - r.top) - h) / 2 - 1);
  } else {
    OffsetRect(&t, 0, r.top - t.top + ((r.bottom - r.top) - h) / 2 - 1);
    t.left = r.left;
    t.right = r.right;
  }
  if (!enabled) SetTextColor(dc, ColorToRGB(clBtnShadow));
  SkinDrawText(dc, text, t, ctl.BiDiFlags(flags));
}

namespace {

// The caption beside an image that drawImage puts at the given point.
void DrawItemCaption(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                     int imageWidth, bool wantImage, const std::function<void(POINT)>& drawImage) {
  const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS;
  HDC dc = canvas.Handle();
  TPlainCaption plain(canvas);  // measured as it is drawn
  const TImageTextLayout at = LayoutImageAndText(dc, r, alignment, text, imageWidth, wantImage, flags);
  if (at.Image) drawImage(at.ImageAt);
  if (text.empty()) return;
  if (!ctl.FEnabled) SetTextColor(dc, ColorToRGB(clBtnShadow));
  RECT t = at.Text;
  SkinDrawText(dc, text, t, ctl.BiDiFlags(flags));
}

}  // namespace

void DrawImageListItem(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                       int imageIndex, TImageList* imageList) {
  DrawItemCaption(ctl, canvas, r, alignment, text, imageList ? imageList->GetWidth() : 0,
                  imageIndex != -1 && imageList, [&](POINT p) { imageList->Draw(canvas, p.x, p.y, imageIndex); });
}

void DrawImageListItem(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                       int imageIndex, HIMAGELIST imageList) {
  int cx = 0, cy = 0;
  if (imageList) ImageList_GetIconSize(imageList, &cx, &cy);
  DrawItemCaption(ctl, canvas, r, alignment, text, cx, imageIndex != -1 && imageList, [&](POINT p) {
    ImageList_Draw(imageList, imageIndex, canvas.Handle(), p.x, p.y, ILD_TRANSPARENT);
  });
}

void CopySharedBitmap(HDC dc, const RECT& r) {
  TBitmap& shared = SharedPaintBitmap();
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, shared.CanvasDC(), 0, 0, SRCCOPY);
}

void CopyBitmap(TBitmap& src, TBitmap& dst) {
  dst.SetPixelFormat(src.GetPixelFormat());
  dst.SetSize(src.GetWidth(), src.GetHeight());
  if (src.Empty()) return;
  BitBlt(dst.CanvasDC(), 0, 0, src.GetWidth(), src.GetHeight(), src.CanvasDC(), 0, 0, SRCCOPY);
}

bool IsPopupWindow(HWND handle) {
  const LONG style = GetWindowLongW(handle, GWL_STYLE);
  return (style & WS_POPUP) != 0 || GetParent(handle) == GetDesktopWindow();
}
