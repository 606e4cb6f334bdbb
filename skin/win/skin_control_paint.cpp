// Paint routines the skinned-control families share: strip frames, image and
// caption pairs, copies of bitmaps.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "skin/win/skin_control.h"
#include "skin/win/skin_draw.h"
#include "skin/win/skin_text.h"
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

// The caption beside an image that drawImage puts at the given point.
void DrawItemCaption(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                     int imageWidth, bool wantImage, const std::function<void(POINT)>& drawImage) {
  const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS;
  HDC dc = canvas.Handle();
  const TImageTextLayout at = LayoutImageAndText(dc, r, alignment, text, imageWidth, wantImage, flags);
  if (at.Image) drawImage(at.ImageAt);
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
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
