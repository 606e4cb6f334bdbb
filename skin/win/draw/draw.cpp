#include "skin/win/draw/draw.h"

#include <algorithm>

#include "skin/win/draw/img_util.h"

namespace {

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }
bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }
bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Stretching copy of a source rectangle to a destination rectangle; empty pieces are skipped.
void Piece(HDC dst, int dx1, int dy1, int dx2, int dy2, HDC src, int sx1, int sy1, int sx2, int sy2) {
  if (dx2 <= dx1 || dy2 <= dy1 || sx2 <= sx1 || sy2 <= sy1) return;
  StretchBlt(dst, dx1, dy1, dx2 - dx1, dy2 - dy1, src, sx1, sy1, sx2 - sx1, sy2 - sy1, SRCCOPY);
}

// A 24-bit work bitmap of the given size with COLORONCOLOR stretching.
std::unique_ptr<TBitmap> WorkBitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(w, h);
  if (!b->Empty()) SetStretchBltMode(b->CanvasDC(), COLORONCOLOR);
  return b;
}

// Key-colour transparent copy of (x, y, size of destRect) of a 24-bit bitmap
// straight into a 24-bit target's pixels; false when either does not allow it.
bool CopyUnlessKeyInto(TBitmap& target, const RECT& destRect, TBitmap& bitmap, int x, int y, TColor keyColour) {
  if (bitmap.GetPixelFormat() != TPixelFormat::pf24bit || target.GetPixelFormat() != TPixelFormat::pf24bit ||
      bitmap.Empty() || target.Empty() || Empty(destRect) || x < 0 || y < 0 ||
      x + WidthOf(destRect) > bitmap.GetWidth() || y + HeightOf(destRect) > bitmap.GetHeight() ||
      destRect.left < 0 || destRect.top < 0 || destRect.right > target.GetWidth() ||
      destRect.bottom > target.GetHeight())
    return false;
  TPixels24 to = Pixels24(target);
  to.Bits = to.Row(destRect.top) + destRect.left * 3;
  to.Width = WidthOf(destRect);
  to.Height = HeightOf(destRect);
  TPixels24 from = Pixels24(bitmap);
  from.Bits = from.Row(y) + x * 3;
  from.Width = to.Width;
  from.Height = to.Height;
  CopyUnlessKey(from, to, static_cast<TRgb>(ColorToRGB(keyColour)));
  return true;
}

void CopyOut(HDC dc, const RECT& destRect, TBitmap& image, bool transparent) {
  if (transparent) TransparentBlit(dc, destRect, image, clFuchsia);
  else BitBlt(dc, destRect.left, destRect.top, WidthOf(destRect), HeightOf(destRect), image.CanvasDC(), 0, 0, SRCCOPY);
}

}  // namespace

TFrameRect FrameRectOf(TBitmap& bitmap, int frameIndex, int frameCount, bool vertical) {
  int count = std::max(frameCount, 1);
  int index = std::clamp(frameIndex, 1, count) - 1;
  TFrameRect f;
  if (vertical) {
    f.Width = bitmap.GetWidth();
    f.Height = bitmap.GetHeight() / count;
    f.Y = index * f.Height;
  } else {
    f.Width = bitmap.GetWidth() / count;
    f.Height = bitmap.GetHeight();
    f.X = index * f.Width;
  }
  return f;
}

void GrowBitmap(TBitmap& b, int w, int h) {
  if (!b.Empty() && b.GetPixelFormat() == TPixelFormat::pf24bit && b.GetWidth() >= w && b.GetHeight() >= h) return;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  // Some room to spare, so that a window dragged larger does not allocate at every step.
  auto room = [](int have, int need) { return have >= need ? have : need + need / 8 + 8; };
  b.SetSize(room(b.GetWidth(), w), room(b.GetHeight(), h));
}

std::unique_ptr<TBitmap> SkinRenderPart(const RECT& destRect, TBitmap& bitmap, RECT m, int frameIndex, int frameCount,
                                        bool tile, bool vertical) {
  int W = std::max(WidthOf(destRect), 0), H = std::max(HeightOf(destRect), 0);
  auto result = WorkBitmap(W, H);
  if (result->Empty() || bitmap.Empty()) return result;
  SkinRenderPartInto(*result, W, H, bitmap, m, frameIndex, frameCount, tile, vertical);
  return result;
}

void SkinRenderPartInto(TBitmap& target, int W, int H, TBitmap& bitmap, RECT m, int frameIndex, int frameCount,
                        bool tile, bool vertical) {
  if (W <= 0 || H <= 0 || W > target.GetWidth() || H > target.GetHeight() || bitmap.Empty()) return;
  SetStretchBltMode(target.CanvasDC(), COLORONCOLOR);
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, vertical);
  // What a new bitmap would show where no piece lands.
  if (f.Width <= 0 || f.Height <= 0) PatBlt(target.CanvasDC(), 0, 0, W, H, BLACKNESS);
  m.left = std::max<LONG>(m.left, 0);
  m.top = std::max<LONG>(m.top, 0);
  m.right = std::max<LONG>(m.right, 0);
  m.bottom = std::max<LONG>(m.bottom, 0);
  // A pair of margins that fits neither the destination nor the frame is dropped.
  if (m.left + m.right > W || m.left + m.right > f.Width) m.left = m.right = 0;
  if (m.top + m.bottom > H || m.top + m.bottom > f.Height) m.top = m.bottom = 0;
  const int L = m.left, T = m.top, R = m.right, B = m.bottom;
  const int SX = f.X, SY = f.Y, FW = f.Width, FH = f.Height;
  HDC d = target.CanvasDC(), s = bitmap.CanvasDC();
  Piece(d, 0, 0, L, T, s, SX, SY, SX + L, SY + T);
  Piece(d, 0, H - B, L, H, s, SX, SY + FH - B, SX + L, SY + FH);
  Piece(d, W - R, 0, W, T, s, SX + FW - R, SY, SX + FW, SY + T);
  Piece(d, 0, T, L, H - B, s, SX, SY + T, SX + L, SY + FH - B);
  Piece(d, L, 0, W - R, T, s, SX + L, SY, SX + FW - R, SY + T);
  if (tile) SkinTileRect(target.Canvas(), RECT{L, T, W - R, H - B}, bitmap, RECT{SX + L, SY + T, SX + FW - R, SY + FH - B});
  else Piece(d, L, T, W - R, H - B, s, SX + L, SY + T, SX + FW - R, SY + FH - B);
  // Right and bottom pieces last: they cover what whole tiles left past the centre.
  Piece(d, W - R, H - B, W, H, s, SX + FW - R, SY + FH - B, SX + FW, SY + FH);
  Piece(d, W - R, T, W, H - B, s, SX + FW - R, SY + T, SX + FW, SY + FH - B);
  Piece(d, L, H - B, W - R, H, s, SX + L, SY + FH - B, SX + FW - R, SY + FH);
}

void SkinDrawPart(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex, int frameCount,
                  bool transparent, bool tile, bool vertical) {
  if (Empty(destRect) || bitmap.Empty()) return;
  auto part = SkinRenderPart(destRect, bitmap, margins, frameIndex, frameCount, tile, vertical);
  CopyOut(dc, destRect, *part, transparent);
}

void SkinTileRect(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& srcRect) {
  int TW = WidthOf(srcRect), TH = HeightOf(srcRect);
  if (TW <= 0 || TH <= 0 || Empty(destRect) || !canvas.Handle()) return;
  // One pattern brush of the tile fills whole tiles from DestRect's corner,
  // however small the tile.
  auto tileBitmap = WorkBitmap(TW, TH);
  BitBlt(tileBitmap->CanvasDC(), 0, 0, TW, TH, bitmap.CanvasDC(), srcRect.left, srcRect.top, SRCCOPY);
  HBRUSH brush = CreatePatternBrush(tileBitmap->Handle());
  if (!brush) return;
  HDC dc = canvas.Handle();
  POINT origin{destRect.left, destRect.top};
  LPtoDP(dc, &origin, 1);
  POINT old;
  SetBrushOrgEx(dc, origin.x, origin.y, &old);
  int across = (WidthOf(destRect) + TW - 1) / TW, down = (HeightOf(destRect) + TH - 1) / TH;
  RECT whole{destRect.left, destRect.top, destRect.left + across * TW, destRect.top + down * TH};
  FillRect(dc, &whole, brush);
  SetBrushOrgEx(dc, old.x, old.y, nullptr);
  DeleteObject(brush);
}

void SkinDrawThreeSlice(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex,
                        int frameCount, bool transparent, bool vertical) {
  if (Empty(destRect) || bitmap.Empty() || !canvas.Handle()) return;
  int W = WidthOf(destRect), H = HeightOf(destRect);
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, vertical);
  int L = std::clamp<int>(margins.left, 0, f.Width), R = std::clamp<int>(margins.right, 0, f.Width - L);
  auto work = WorkBitmap(W, H);
  HDC d = work->CanvasDC(), s = bitmap.CanvasDC();
  const int SX = f.X, SY = f.Y, FW = f.Width, FH = f.Height;
  Piece(d, 0, 0, L, H, s, SX, SY, SX + L, SY + FH);
  int M = FW - L - R;
  if (M > 0)  // nothing sound to repeat otherwise
    for (int x = L; x < W - R; x += M) Piece(d, x, 0, x + M, H, s, SX + L, SY, SX + L + M, SY + FH);
  Piece(d, W - R, 0, W, H, s, SX + FW - R, SY, SX + FW, SY + FH);
  if (transparent) {
    work->SetTransparentColor(clFuchsia);
    work->SetTransparent(true);
    canvas.Draw(destRect.left, destRect.top, *work);
  } else {
    BitBlt(canvas.Handle(), destRect.left, destRect.top, W, H, d, 0, 0, SRCCOPY);
  }
}

void SkinStretchStateFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, int frameIndex,
                           int frameCount, bool vertical) {
  if (Empty(destRect) || bitmap.Empty()) return;
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, vertical);
  HDC s = bitmap.CanvasDC();
  int W = WidthOf(destRect);
  const int SX = f.X, SY = f.Y, FW = f.Width, FH = f.Height;
  const int top = destRect.top, bottom = destRect.bottom;
  if (FW <= W) {
    int L = std::clamp<int>(margins.left, 0, FW), R = std::clamp<int>(margins.right, 0, FW - L);
    Piece(dc, destRect.left, top, destRect.left + L, bottom, s, SX, SY, SX + L, SY + FH);
    Piece(dc, destRect.left + L, top, destRect.right - R, bottom, s, SX + L, SY, SX + FW - R, SY + FH);
    Piece(dc, destRect.right - R, top, destRect.right, bottom, s, SX + FW - R, SY, SX + FW, SY + FH);
  } else {
    Piece(dc, destRect.left, top, destRect.right, bottom, s, SX, SY, SX + FW, SY + FH);
  }
}

void SkinDrawStateFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                        bool transparent) {
  if (Empty(destRect) || bitmap.Empty()) return;
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, false);
  auto work = WorkBitmap(WidthOf(destRect), HeightOf(destRect));
  Piece(work->CanvasDC(), 0, 0, WidthOf(destRect), HeightOf(destRect), bitmap.CanvasDC(), f.X, 0, f.X + f.Width,
        f.Height);
  CopyOut(dc, destRect, *work, transparent);
}

void SkinDrawStateFrame(TBitmap& target, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                        bool transparent) {
  if (Empty(destRect) || bitmap.Empty()) return;
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, false);
  // A see-through frame at its own size goes straight from the strip into the pixels.
  if (transparent && WidthOf(destRect) == f.Width && HeightOf(destRect) == f.Height &&
      CopyUnlessKeyInto(target, destRect, bitmap, f.X, f.Y, clFuchsia))
    return;
  SkinDrawStateFrame(target.CanvasDC(), destRect, bitmap, frameIndex, frameCount, transparent);
}

void SkinDrawStateFrameCentered(HDC dc, const RECT& destRect, TBitmap& bitmap, int frameIndex, int frameCount,
                                bool transparent) {
  if (Inverted(destRect) || bitmap.Empty()) return;
  TFrameRect f = FrameRectOf(bitmap, frameIndex, frameCount, false);
  if (f.Width <= 0 || f.Height <= 0) return;
  auto work = WorkBitmap(f.Width, f.Height);
  BitBlt(work->CanvasDC(), 0, 0, f.Width, f.Height, bitmap.CanvasDC(), f.X, 0, SRCCOPY);
  int x = destRect.left + (WidthOf(destRect) - f.Width) / 2;
  int y = destRect.top + (HeightOf(destRect) - f.Height) / 2;
  CopyOut(dc, RECT{x, y, x + f.Width, y + f.Height}, *work, transparent);
}

void TransparentBlit(HDC dc, const RECT& destRect, TBitmap& bitmap, TColor keyColour) {
  if (Empty(destRect) || bitmap.Empty()) return;
  int W = WidthOf(destRect), H = HeightOf(destRect);
  TBitmap mask;
  mask.Assign(bitmap);
  mask.Mask(keyColour);  // 1 where the key colour is
  // Where the mask is 1 the destination stays; elsewhere the source is copied.
  MaskBlt(dc, destRect.left, destRect.top, W, H, bitmap.CanvasDC(), 0, 0, mask.Handle(), 0, 0,
          MAKEROP4(0x00AA0029, SRCCOPY));
}

TBitmap& SharedPaintBitmap() {
  static TBitmap shared;
  static const bool prepared = [] {
    shared.SetPixelFormat(TPixelFormat::pf24bit);
    SetStretchBltMode(shared.CanvasDC(), COLORONCOLOR);
    return true;
  }();
  (void)prepared;
  return shared;
}
