// Pixel arithmetic and colours of the skin engine.
#include <gtest/gtest.h>

#include "skin/portable/img_ops.h"
#include "skin/portable/skin_color.h"
#include "toolkit/base/exception.h"

namespace {

// An image whose every pixel is distinct, with the stride's padding bytes marked.
TImage24 Numbered(int w, int h) {
  TImage24 img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, MakeRgb(x * 16 + 1, y * 16 + 2, x + y * w));
  return img;
}

bool SamePixels(const TImage24& a, const TImage24& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

TImage24 Turned(TImage24& source, bool left) {
  TImage24 out(source.Height(), source.Width());
  if (left) RotatePixelsLeft(source.View(), out.View());
  else RotatePixelsRight(source.View(), out.View());
  return out;
}

}  // namespace

TEST(SkinImage, QuarterTurnsMapCornersAndUndoEachOther) {
  for (auto [w, h] : {std::pair{5, 3}, {7, 1}, {1, 6}, {3, 3}, {2, 5}}) {
    TImage24 img = Numbered(w, h);
    TImage24 left = Turned(img, true);
    // Counter-clockwise: the top-right corner comes to the top-left.
    EXPECT_EQ(left.Pixel(0, 0), img.Pixel(w - 1, 0)) << w << "x" << h;
    EXPECT_EQ(left.Pixel(0, w - 1), img.Pixel(0, 0));
    TImage24 back = Turned(left, false);
    EXPECT_TRUE(SamePixels(back, img)) << w << "x" << h;
    TImage24 right = Turned(img, false);
    EXPECT_EQ(right.Pixel(0, 0), img.Pixel(0, h - 1));
  }
  TImage24 img = Numbered(4, 3), wrong(4, 3);
  EXPECT_THROW(RotatePixelsLeft(img.View(), wrong.View()), EAssertionFailed);
}

TEST(SkinImage, MirrorAndFlipKeepRowPadding) {
  // 5 pixels of 3 bytes: each row has one padding byte, which must stay as it is.
  TImage24 img = Numbered(5, 3);
  TPixels24 v = img.View();
  for (int y = 0; y < 3; ++y) v.Row(y)[15] = 0xAB;
  TImage24 original = img;
  MirrorPixels(v);
  EXPECT_EQ(img.Pixel(0, 1), original.Pixel(4, 1));
  EXPECT_EQ(img.Pixel(2, 1), original.Pixel(2, 1));
  FlipPixels(v);
  EXPECT_EQ(img.Pixel(0, 0), original.Pixel(4, 2));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(v.Row(y)[15], 0xAB);
  FlipPixels(v);
  MirrorPixels(v);
  EXPECT_TRUE(SamePixels(img, original));
}

TEST(SkinImage, ColourKeyReplacesExactMagentaOnly) {
  TImage24 img(3, 1);
  img.SetPixel(0, 0, KeyColour);
  img.SetPixel(1, 0, MakeRgb(255, 1, 255));
  img.SetPixel(2, 0, MakeRgb(254, 0, 255));
  ReplaceColorKey(img.View(), MakeRgb(10, 20, 30));
  EXPECT_EQ(img.Pixel(0, 0), MakeRgb(10, 20, 30));
  EXPECT_EQ(img.Pixel(1, 0), MakeRgb(255, 1, 255));
  EXPECT_EQ(img.Pixel(2, 0), MakeRgb(254, 0, 255));
}

TEST(SkinImage, KeyedCopyLeavesTheTargetWhereTheSourceIsExactlyTheKey) {
  TImage24 source(3, 2), target(4, 1);
  source.SetPixel(0, 0, KeyColour);
  source.SetPixel(1, 0, MakeRgb(255, 1, 255));
  source.SetPixel(2, 0, MakeRgb(1, 2, 3));
  for (int x = 0; x < 4; ++x) target.SetPixel(x, 0, MakeRgb(9, 9, 9));
  CopyUnlessKey(source.View(), target.View(), KeyColour);
  EXPECT_EQ(target.Pixel(0, 0), MakeRgb(9, 9, 9));
  EXPECT_EQ(target.Pixel(1, 0), MakeRgb(255, 1, 255));
  EXPECT_EQ(target.Pixel(2, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(target.Pixel(3, 0), MakeRgb(9, 9, 9));  // past the source: untouched
  // A bottom-up view (negative stride) is walked the same way.
  TImage24 flipped(3, 2);
  TPixels24 up = flipped.View();
  up.Bits = up.Row(1);
  up.Stride = -up.Stride;
  source.SetPixel(0, 1, MakeRgb(7, 7, 7));
  CopyUnlessKey(source.View(), up, KeyColour);
  EXPECT_EQ(flipped.Pixel(0, 0), MakeRgb(7, 7, 7));
  EXPECT_EQ(flipped.Pixel(2, 1), MakeRgb(1, 2, 3));
}

TEST(SkinImage, BlendWeightsArePercentOrPerMilleAndClamped) {
  TRgb white = MakeRgb(255, 255, 255), black = 0;
  EXPECT_EQ(BlendRgb(MakeRgb(200, 100, 0), black, 70), MakeRgb(140, 70, 0));    // 70 %
  EXPECT_EQ(BlendRgb(MakeRgb(200, 100, 0), black, 150), MakeRgb(30, 15, 0));    // 15 %
  EXPECT_EQ(BlendRgb(white, MakeRgb(0, 100, 200), 150), MakeRgb(38, 123, 208)); // 15 % and 85 %
  EXPECT_EQ(BlendRgb(white, black, -40), black);
  EXPECT_EQ(BlendRgb(white, black, 5000), white);
}

TEST(SkinImage, SaturationLevel) {
  EXPECT_EQ(SaturationLevel(MakeRgb(100, 20, 150)), 200);  // dark
  EXPECT_EQ(SaturationLevel(MakeRgb(255, 0, 0)), 255);
  EXPECT_EQ(SaturationLevel(MakeRgb(255, 255, 255)), 0);
  EXPECT_EQ(SaturationLevel(MakeRgb(170, 167, 167)), 4);  // 4.5: halves go to even
  EXPECT_EQ(SaturationLevel(MakeRgb(170, 165, 165)), 8);  // 7.5
}

TEST(SkinImage, GradientRampsAreCachedByCountAndColours) {
  TGradientCache cache;
  int slot = cache.Make(4, MakeRgb(0, 90, 9), MakeRgb(30, 0, 0));
  const std::vector<TRgb>& ramp = cache.Ramp(slot);
  ASSERT_EQ(ramp.size(), 4u);
  EXPECT_EQ(ramp[0], MakeRgb(0, 90, 9));
  EXPECT_EQ(ramp[1], MakeRgb(10, 61, 7));  // divisions truncate toward zero
  EXPECT_EQ(ramp[3], MakeRgb(30, 1, 1));
  // A falling channel need not end exactly on the end colour; the lookup still finds the ramp.
  EXPECT_EQ(cache.Find(4, MakeRgb(0, 90, 9), MakeRgb(30, 0, 0)), slot);
  EXPECT_EQ(cache.Find(5, MakeRgb(0, 90, 9), MakeRgb(30, 0, 0)), -1);
  int one = cache.Make(1, MakeRgb(0, 0, 0), MakeRgb(100, 50, 7));
  EXPECT_EQ(cache.Ramp(one)[0], MakeRgb(50, 25, 3));
  EXPECT_EQ(cache.Get(1, MakeRgb(0, 0, 0), MakeRgb(100, 50, 7)), one);
  // Sixteen more ramps: the first one's slot is taken over.
  for (int i = 0; i < 15; ++i) cache.Make(10 + i, 0, MakeRgb(i, i, i));
  EXPECT_EQ(cache.Find(4, MakeRgb(0, 90, 9), MakeRgb(30, 0, 0)), -1);
  EXPECT_EQ(cache.Find(1, MakeRgb(0, 0, 0), MakeRgb(100, 50, 7)), one);
  EXPECT_THROW(cache.Find(0, 0, 0), EAssertionFailed);
  EXPECT_THROW(cache.Make(-1, 0, 0), EAssertionFailed);
}

TEST(SkinColour, DigitRunsAreRedGreenBlue) {
  EXPECT_EQ(ParseSkinColor(""), 0u);
  EXPECT_EQ(ParseSkinColor("255 0 255"), KeyColour);
  EXPECT_EQ(ParseSkinColor("255,0,255"), KeyColour);
  EXPECT_EQ(ParseSkinColor(" 7 ; 8 ; 9 "), MakeRgb(7, 8, 9));
  EXPECT_EQ(ParseSkinColor("10 20"), MakeRgb(10, 0, 0));  // the open run is not a second component
  EXPECT_EQ(ParseSkinColor("10 20 "), MakeRgb(10, 20, 0));
  EXPECT_EQ(ParseSkinColor("300 1 2"), MakeRgb(300 & 0xFF, 1, 2));
  EXPECT_EQ(ParseSkinColor("1,2,3,4,5"), MakeRgb(1, 2, 3));
  EXPECT_EQ(ParseSkinColor("99999999999999999999 1 1"), MakeRgb(255, 1, 1));  // (10^20 - 1) mod 256
}
