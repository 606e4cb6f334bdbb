#include "skin/win/controls/input/progress.h"

#include <commctrl.h>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"
#include "toolkit/win/bitmap.h"

namespace {

bool Has(const TDataSkinObject* obj) { return obj && obj->HasImage(); }

}  // namespace

const TClassInfo& TSkinProgress::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinProgress::TSkinProgress(TComponent* owner) : TSkinControl(owner) {}

bool TSkinProgress::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (!FSkinData || !Has(FSkinData->Progress.get())) return true;  // the control paints itself
      PaintViaBeginPaint(m);
      m.Result = 0;
      return false;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinProgress::PaintSkin(HDC dc, const RECT& r) {
  if (!FSkinData || !Has(FSkinData->Progress.get())) return;
  const bool chunks = FSkinData->Progress->Style == 1;
  if (chunks && !Has(FSkinData->ProgressChunk.get())) return;
  const int pos = static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
  const int max = static_cast<int>(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0));
  const int min = static_cast<int>(SendMessageW(Handle(), PBM_GETRANGE, TRUE, 0));
  const bool vertical = (GetStyle(GWL_STYLE) & PBS_VERTICAL) != 0;
  const int width = r.right - r.left, height = r.bottom - r.top;
  // A vertical bar is built lying down and turned.
  const RECT q = vertical ? RECT{0, 0, height, width} : RECT{0, 0, width, height};
  if (q.right <= 0 || q.bottom <= 0) return;
  TBitmap bar;
  bar.SetPixelFormat(TPixelFormat::pf24bit);
  bar.SetSize(q.right, q.bottom);
  FillRectColor(bar.CanvasDC(), q, FSkinData->Colors[scButtonFace]);
  PaintBar(bar.CanvasDC(), q, pos, min, max, chunks);
  if (vertical) RotateBitmapLeft(bar);
  BitBlt(dc, r.left, r.top, width, height, bar.CanvasDC(), 0, 0, SRCCOPY);
}

void TSkinProgress::PaintBar(HDC dc, const RECT& q, int pos, int min, int max, bool chunks) {
  const TDataSkinBorder& trough = *FSkinData->Progress;
  const bool tile = trough.Tile == 1;
  if (!chunks) SkinDrawPart(dc, q, *trough.Bitmap, trough.Margins(), 1, 2, true, tile, false);
  else SkinDrawPart(dc, q, *trough.Bitmap, trough.Margins(), 1, 1, true, false, false);
  if (max <= 0 || pos <= 0 || max == min) return;
  RECT f = q;
  f.right = q.left + MulDiv(q.right - q.left, pos - min, max - min);
  if (f.right <= f.left) return;
  if (!chunks) {
    SkinDrawPart(dc, f, *trough.Bitmap, trough.Margins(), 2, 2, true, tile, false);
    return;
  }
  const TDataSkinObject& chunk = *FSkinData->ProgressChunk;
  TBitmap& image = *chunk.Bitmap;
  const int cw = image.GetWidth(), ch = image.GetHeight();
  const int v = (f.bottom - ch) / 2;
  TBitmap scratch;
  scratch.SetPixelFormat(TPixelFormat::pf24bit);
  if (chunk.Tile == 1) {
    scratch.SetSize(f.right - f.left, ch);
    FillRectColor(scratch.CanvasDC(), RECT{0, 0, f.right - f.left, ch}, clFuchsia);
    for (int i = 0; i <= (f.right - f.left) / cw; ++i)
      BitBlt(scratch.CanvasDC(), i * cw, 0, cw, ch, image.CanvasDC(), 0, 0, SRCCOPY);
    const int x = chunk.LeftWidth + 2, y = q.top + v;
    TransparentBlit(dc, RECT{x, y, x + scratch.GetWidth(), y + ch}, scratch, clFuchsia);
    return;
  }
  // The chunk is stretched over the whole bar; the scratch, 4 rows shorter, crops its bottom.
  const int sh = f.bottom - 4;
  if (sh <= 0) return;
  scratch.SetSize(f.right, sh);
  FillRectColor(scratch.CanvasDC(), RECT{0, 0, f.right, sh}, clFuchsia);
  SkinStretchStateFrame(scratch.CanvasDC(), f, image, chunk.Margins(), 1, 1, false);
  TransparentBlit(dc, RECT{2, 2, 2 + f.right, 2 + sh}, scratch, clFuchsia);
}
