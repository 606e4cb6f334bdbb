// Drawing of skin strips, pixel by pixel on device-independent bitmaps.
#include <gtest/gtest.h>

#include <functional>

#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"
#include "toolkit/win/std_controls.h"

namespace {

// A 24-bit bitmap whose pixels come from colour(x, y).
std::unique_ptr<TBitmap> Painted(int w, int h, const std::function<TColor(int, int)>& colour) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, colour(x, y));
  return b;
}

// Each source pixel says where it is: red = x, green = y.
TColor At(int x, int y) { return static_cast<TColor>(RGB(x, y, 7)); }
int SourceX(TColor c) { return GetRValue(c); }
int SourceY(TColor c) { return GetGValue(c); }

const TColor kGround = static_cast<TColor>(RGB(1, 2, 3));

std::unique_ptr<TBitmap> Ground(int w, int h) {
  return Painted(w, h, [](int, int) { return kGround; });
}

}  // namespace

TEST(SkinDraw, NinePiecesKeepCornersAndStretchEdgesAndCentre) {
  auto strip = Painted(60, 20, At);  // two 30 x 20 frames
  auto part = SkinRenderPart(RECT{10, 10, 110, 30}, *strip, RECT{3, 3, 3, 3}, 2, 2, false, false);
  ASSERT_EQ(part->GetWidth(), 100);
  ASSERT_EQ(part->GetHeight(), 20);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(part->GetPixel(x, y), At(30 + x, y));                  // top left
      EXPECT_EQ(part->GetPixel(97 + x, y), At(57 + x, y));             // top right
      EXPECT_EQ(part->GetPixel(x, 17 + y), At(30 + x, 17 + y));        // bottom left
      EXPECT_EQ(part->GetPixel(97 + x, 17 + y), At(57 + x, 17 + y));   // bottom right
    }
  // The centre: 94 x 14 from the frame's 24 x 14, ends on its ends.
  EXPECT_EQ(part->GetPixel(3, 3), At(33, 3));
  EXPECT_EQ(part->GetPixel(96, 16), At(56, 16));
  int last = 0;
  for (int x = 3; x < 97; ++x) {
    int sx = SourceX(part->GetPixel(x, 8));
    EXPECT_TRUE(sx >= 33 && sx <= 56 && sx >= last) << x;
    last = sx;
  }
  // Edges stretch along, keep across.
  EXPECT_EQ(SourceY(part->GetPixel(50, 1)), 1);
  EXPECT_EQ(SourceX(part->GetPixel(1, 10)), 31);
  EXPECT_EQ(SourceX(part->GetPixel(98, 10)), 58);
}

TEST(SkinDraw, MarginsThatDoNotFitAreDropped) {
  auto frame = Painted(30, 20, At);
  auto part = SkinRenderPart(RECT{0, 0, 100, 20}, *frame, RECT{60, 0, 60, 0}, 1, 1, false, false);
  EXPECT_EQ(part->GetPixel(0, 0), At(0, 0));
  EXPECT_EQ(part->GetPixel(99, 19), At(29, 19));
  // Margins wider than the frame (though they fit the destination) are dropped too.
  auto wide = SkinRenderPart(RECT{0, 0, 100, 20}, *frame, RECT{20, 0, 20, 0}, 1, 1, false, false);
  EXPECT_EQ(wide->GetPixel(99, 0), At(29, 0));
  // Nothing to draw: an empty result, no bitmap of 0 x 0.
  auto none = SkinRenderPart(RECT{5, 5, 5, 9}, *frame, RECT{}, 1, 1, false, false);
  EXPECT_TRUE(none->Empty());
  EXPECT_EQ(none->Handle(), nullptr);
}

TEST(SkinDraw, TiledCentreRepeatsFromItsCornerUnderTheRightEdge) {
  auto frame = Painted(30, 20, At);
  auto part = SkinRenderPart(RECT{0, 0, 50, 20}, *frame, RECT{3, 3, 3, 3}, 1, 1, true, false);
  for (int x = 3; x < 47; ++x) {
    int expected = 3 + (x - 3) % 24;
    EXPECT_EQ(part->GetPixel(x, 5), At(expected, 5)) << x;
  }
  for (int x = 47; x < 50; ++x) EXPECT_EQ(part->GetPixel(x, 5), At(x - 20, 5));
  // A one-pixel tile fills the whole area.
  auto dest = Ground(40, 30);
  SkinTileRect(dest->Canvas(), RECT{5, 5, 35, 25}, *frame, RECT{9, 4, 10, 5});
  EXPECT_EQ(dest->GetPixel(5, 5), At(9, 4));
  EXPECT_EQ(dest->GetPixel(34, 24), At(9, 4));
  EXPECT_EQ(dest->GetPixel(35, 25), kGround);
  EXPECT_EQ(dest->GetPixel(4, 5), kGround);
}

TEST(SkinDraw, FramesOfVerticalStripsAndCentredFrames) {
  auto strip = Painted(10, 80, At);
  TFrameRect f = FrameRectOf(*strip, 3, 4, true);
  EXPECT_EQ(f.Y, 40);
  EXPECT_EQ(f.Height, 20);
  auto part = SkinRenderPart(RECT{0, 0, 10, 20}, *strip, RECT{}, 3, 4, false, true);
  EXPECT_EQ(part->GetPixel(0, 0), At(0, 40));
  EXPECT_EQ(part->GetPixel(9, 19), At(9, 59));
  // Out-of-range frames and counts are taken to the nearest frame.
  EXPECT_EQ(FrameRectOf(*strip, 9, 4, true).Y, 60);
  EXPECT_EQ(FrameRectOf(*strip, 1, 0, true).Height, 80);

  auto glyphs = Painted(32, 16, At);  // two 16 x 16 frames
  auto dest = Ground(40, 40);
  SkinDrawStateFrameCentered(dest->CanvasDC(), RECT{5, 5, 26, 26}, *glyphs, 2, 2, false);
  EXPECT_EQ(dest->GetPixel(7, 7), At(16, 0));
  EXPECT_EQ(dest->GetPixel(22, 22), At(31, 15));
  EXPECT_EQ(dest->GetPixel(6, 7), kGround);
  auto small = Ground(40, 40);
  SkinDrawStateFrameCentered(small->CanvasDC(), RECT{5, 5, 16, 16}, *glyphs, 1, 2, false);
  EXPECT_EQ(small->GetPixel(3, 3), At(0, 0));  // overhangs by 2 on each side
  EXPECT_EQ(small->GetPixel(2, 3), kGround);
}

TEST(SkinDraw, KeyColourLeavesTheDestination) {
  auto dest = Ground(6, 2);
  auto image = Painted(6, 2, [](int x, int) { return x % 2 ? clFuchsia : At(x, 0); });
  TransparentBlit(dest->CanvasDC(), RECT{0, 0, 6, 2}, *image, clFuchsia);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(dest->GetPixel(x, 1), x % 2 ? kGround : At(x, 0));
  auto allKey = Painted(6, 2, [](int, int) { return clFuchsia; });
  auto untouched = Ground(6, 2);
  TransparentBlit(untouched->CanvasDC(), RECT{0, 0, 6, 2}, *allKey, clFuchsia);
  EXPECT_EQ(untouched->GetPixel(3, 1), kGround);
  // A transparent nine-piece part draws through the same way.
  SkinDrawPart(untouched->CanvasDC(), RECT{0, 0, 6, 2}, *image, RECT{}, 1, 1, true, false, false);
  EXPECT_EQ(untouched->GetPixel(1, 0), kGround);
  EXPECT_EQ(untouched->GetPixel(2, 0), At(2, 0));
  // Inverted rectangles draw nothing.
  SkinDrawPart(untouched->CanvasDC(), RECT{4, 0, 2, 2}, *image, RECT{}, 1, 1, false, false, false);
  SkinDrawStateFrame(untouched->CanvasDC(), RECT{0, 2, 6, 0}, *image, 1, 1, false);
  EXPECT_EQ(untouched->GetPixel(3, 1), kGround);
}

TEST(SkinDraw, SeeThroughFramesIntoABitmapMatchTheMaskedCopy) {
  // A strip of four 7 x 5 frames with see-through pixels scattered in each.
  auto strip = Painted(28, 5, [](int x, int y) { return (x * 3 + y * 5) % 4 == 0 ? clFuchsia : At(x, y); });
  // Into a 24-bit bitmap (its pixels written directly), through its DC (a
  // masked copy), and into a 32-bit bitmap; compared pixel by pixel.
  auto direct = Ground(20, 12), masked = Ground(20, 12), wide = Ground(20, 12);
  wide->SetPixelFormat(TPixelFormat::pf32bit);
  const RECT own{2, 1, 9, 6}, stretched{10, 1, 20, 8}, outside{15, 8, 22, 13};
  for (TBitmap* b : {direct.get(), wide.get()}) {
    SkinDrawStateFrame(*b, own, *strip, 3, 4, true);
    SkinDrawStateFrame(*b, stretched, *strip, 2, 4, true);
    SkinDrawStateFrame(*b, outside, *strip, 4, 4, true);  // partly past the edge
  }
  SkinDrawStateFrame(masked->CanvasDC(), own, *strip, 3, 4, true);
  SkinDrawStateFrame(masked->CanvasDC(), stretched, *strip, 2, 4, true);
  SkinDrawStateFrame(masked->CanvasDC(), outside, *strip, 4, 4, true);
  int ground = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(direct->GetPixel(x, y), masked->GetPixel(x, y)) << x << "," << y;
      EXPECT_EQ(direct->GetPixel(x, y), wide->GetPixel(x, y)) << x << "," << y;
      if (direct->GetPixel(x, y) == kGround) ++ground;
    }
  EXPECT_EQ(direct->GetPixel(3, 1), At(15, 0));  // frame 3 starts at x 14
  EXPECT_EQ(direct->GetPixel(4, 1), kGround);    // its pixel (16, 0) is see-through
  EXPECT_GT(ground, 20 * 12 - 7 * 5 - 10 * 7 - 5 * 4);
}

TEST(SkinDraw, ThreeSliceWithoutMiddleEnds) {
  auto frame = Painted(10, 4, At);
  auto dest = Ground(50, 4);
  // Caps of 5 and 5 leave no middle in the frame: only the caps are drawn.
  SkinDrawThreeSlice(dest->Canvas(), RECT{0, 0, 50, 4}, *frame, RECT{5, 0, 5, 0}, 1, 1, false, false);
  EXPECT_EQ(dest->GetPixel(0, 0), At(0, 0));
  EXPECT_EQ(dest->GetPixel(49, 3), At(9, 3));
  // With a middle it repeats between the caps.
  SkinDrawThreeSlice(dest->Canvas(), RECT{0, 0, 50, 4}, *frame, RECT{2, 0, 2, 0}, 1, 1, false, false);
  EXPECT_EQ(dest->GetPixel(2, 0), At(2, 0));
  EXPECT_EQ(dest->GetPixel(8, 0), At(2, 0));
  EXPECT_EQ(dest->GetPixel(48, 0), At(8, 0));
}

TEST(SkinDraw, RegionsFromBorderImages) {
  auto row = Painted(4, 2, [](int x, int y) {
    const TColor c[4] = {clFuchsia, static_cast<TColor>(RGB(255, 1, 255)), static_cast<TColor>(RGB(254, 0, 255)), clFuchsia};
    return y == 0 ? c[x] : clFuchsia;
  });
  HRGN r = BitmapToRegion(*row, 10, 20, clFuchsia, 1, 1, 1);
  ASSERT_NE(r, nullptr);
  EXPECT_FALSE(PtInRegion(r, 11, 20));  // (255, 1, 255) is within the tolerance
  EXPECT_TRUE(PtInRegion(r, 12, 20));   // (254, 0, 255) is not
  EXPECT_FALSE(PtInRegion(r, 12, 21));  // an all-magenta row adds nothing
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 12);
  EXPECT_EQ(box.bottom, 21);
  DeleteObject(r);
  // All transparent: an empty region, not none. One row is enough.
  auto key = Painted(3, 1, [](int, int) { return clFuchsia; });
  HRGN empty = BitmapToRegion(*key, 0, 0, clFuchsia, 0, 0, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  DeleteObject(empty);
  // A checkerboard of 3000 runs, and a caller's bitmap left as it was.
  auto board = Painted(120, 50, [](int x, int y) { return (x + y) % 2 ? clFuchsia : clBlack; });
  board->SetPixelFormat(TPixelFormat::pf8bit);
  HRGN many = BitmapToRegion(*board, 0, 0, clFuchsia, 0, 0, 0);
  for (int y = 0; y < 50; y += 7)
    for (int x = 0; x < 120; x += 5) EXPECT_EQ(PtInRegion(many, x, y) != 0, (x + y) % 2 == 0) << x << "," << y;
  DeleteObject(many);
  EXPECT_EQ(board->GetPixelFormat(), TPixelFormat::pf8bit);
}

TEST(SkinDraw, QuarterTurnsOfBitmapsWithPaddedRows) {
  auto image = Painted(5, 3, At);
  image->SetPixelFormat(TPixelFormat::pf32bit);
  image->SetTransparent(true);
  RotateBitmapLeft(*image);
  ASSERT_EQ(image->GetWidth(), 3);
  ASSERT_EQ(image->GetHeight(), 5);
  EXPECT_EQ(image->GetPixel(0, 0), At(4, 0));
  RotateBitmapRight(*image);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image->GetPixel(x, y), At(x, y));
  EXPECT_TRUE(image->GetTransparent());
  MirrorBitmap(*image);
  EXPECT_EQ(image->GetPixel(0, 2), At(4, 2));
  FlipBitmap(*image);
  EXPECT_EQ(image->GetPixel(0, 0), At(4, 2));
  ReplaceColorKey(*image, clBtnFace);  // a system colour is resolved before it is written
}

TEST(SkinDraw, GradientDrawsOnlyVisibleLinesWithTheirWholeRampColours) {
  auto dest = Ground(4, 40);
  HDC dc = dest->CanvasDC();
  HRGN clip = CreateRectRgn(0, 20, 4, 40);
  SelectClipRgn(dc, clip);
  GradientFill(dc, RECT{0, 0, 4, 40}, static_cast<TColor>(RGB(0, 0, 0)), static_cast<TColor>(RGB(78, 39, 0)), 1);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  EXPECT_EQ(dest->GetPixel(2, 19), kGround);
  const std::vector<TRgb>& ramp = GradientRamps().Ramp(FindGradientRamp(40, RGB(0, 0, 0), RGB(78, 39, 0)));
  EXPECT_EQ(static_cast<TRgb>(dest->GetPixel(2, 20)), ramp[20]);
  EXPECT_EQ(static_cast<TRgb>(dest->GetPixel(2, 39)), ramp[39]);
  EXPECT_EQ(ramp[39], static_cast<TRgb>(RGB(78, 39, 0)));
}

TEST(SkinDraw, ParentBackgroundWithoutParentDrawsNothing) {
  TLabel label(nullptr);
  auto dest = Ground(4, 4);
  PaintParentBackground(label, dest->CanvasDC());
  EXPECT_EQ(dest->GetPixel(0, 0), kGround);
  EXPECT_EQ(GetStretchBltMode(SharedPaintBitmap().CanvasDC()), COLORONCOLOR);
}
