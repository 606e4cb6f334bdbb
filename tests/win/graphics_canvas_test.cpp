#include <algorithm>

#include "graphics_support.h"
#include "toolkit/base/gbk_wide.h"

namespace {

using CanvasTest = GraphicsFixture;

std::vector<COLORREF> Pixels(const TestSurface& s, int w, int h) {
  std::vector<COLORREF> v;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.push_back(s.At(x, y));
  return v;
}

// Wide text is drawn as it is; GBK text is converted with code page 936 first,
// so the two draw the same pixels and measure the same.
TEST_F(CanvasTest, WideTextDrawsAndMeasuresAsItsGbkTwin) {
  const std::string gbk = "五笔字根 Wubi";
  const std::wstring wide = L"\x4E94\x7B14\x5B57\x6839 Wubi";
  ASSERT_EQ(GbkToWide(gbk), wide);
  constexpr int W = 160, H = 30;
  TestSurface a(W, H), b(W, H);
  TCanvas ca(a.dc), cb(b.dc);
  for (TCanvas* c : {&ca, &cb}) {
    c->Font().SetHeight(-16);
    c->Font().SetColor(clNavy);
    c->Brush().SetStyle(TBrushStyle::bsClear);
  }
  RECT ra{0, 0, W, H}, rb = ra;
  int ha = ca.DrawText(gbk, ra, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  int hb = cb.DrawText(wide, rb, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  EXPECT_EQ(ha, hb);
  EXPECT_GT(hb, 0);
  std::vector<COLORREF> pa = Pixels(a, W, H), pb = Pixels(b, W, H);
  EXPECT_EQ(pa, pb);
  EXPECT_NE(std::count(pb.begin(), pb.end(), RGB(0, 0, 128)), 0) << "nothing was drawn";

  RECT ma{0, 0, 0, 0}, mb = ma;
  ca.DrawText(gbk, ma, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
  cb.DrawText(wide, mb, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
  EXPECT_EQ(mb.right, ma.right);
  EXPECT_EQ(mb.bottom, ma.bottom);
  EXPECT_GT(mb.right, cb.TextWidth("Wubi"));
}

TEST_F(CanvasTest, PixelsReadAndWriteInsideTheSurfaceOnly) {
  TestSurface s(20, 10);
  TCanvas c(s.dc);
  EXPECT_EQ(c.GetPixel(3, 4), static_cast<TColor>(RGB(255, 255, 255)));
  c.SetPixel(3, 4, clRed);
  c.SetPixel(19, 9, clBtnFace);  // a system colour is written as its plain colour
  EXPECT_EQ(c.GetPixel(3, 4), clRed);
  EXPECT_EQ(s.At(3, 4), RGB(255, 0, 0));
  EXPECT_EQ(c.GetPixel(19, 9), static_cast<TColor>(ColorToRGB(clBtnFace)));
  EXPECT_EQ(c.GetPixel(2, 4), static_cast<TColor>(RGB(255, 255, 255)));
  c.SetPixel(20, 3, clRed);
  c.SetPixel(-1, 0, clRed);
  EXPECT_EQ(c.GetPixel(20, 3), clNone);
  EXPECT_EQ(c.GetPixel(-1, 0), clNone);
}

TEST_F(CanvasTest, PolygonIsOutlinedWithThePenAndFilledWithTheBrush) {
  TestSurface s(40, 40);
  TCanvas c(s.dc);
  c.Pen().SetColor(clRed);
  c.Brush().SetColor(clBlue);
  // A downward arrow head, as a drop-down button draws it.
  c.Polygon({{5, 5}, {35, 5}, {20, 30}});
  EXPECT_EQ(s.At(20, 12), RGB(0, 0, 255));  // inside
  EXPECT_EQ(s.At(5, 5), RGB(255, 0, 0));    // a corner
  EXPECT_EQ(s.At(20, 5), RGB(255, 0, 0));   // the top edge
  EXPECT_EQ(s.At(6, 25), RGB(255, 255, 255));
  EXPECT_EQ(s.At(20, 35), RGB(255, 255, 255));
  c.Brush().SetStyle(TBrushStyle::bsClear);
  c.Polygon({{0, 38}, {39, 38}});
  EXPECT_EQ(s.At(20, 38), RGB(255, 0, 0));
  c.Polygon({});
}

}  // namespace
