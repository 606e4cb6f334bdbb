// Frame counts fixed by role, and the images the engine makes from the skin's own.
#include <algorithm>

#include "skin/win/data/apply.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/img_util.h"

namespace {

template <class T>
void SetCount(const std::unique_ptr<T>& o, int count) {
  if (o) o->FrameCount = count;
}

// Frames of a check or radio strip: 13 or 16 pixels wide, at least 4.
int StripFrames(TBitmap& strip) {
  if (strip.Empty()) return 4;
  return std::max(strip.GetWidth() / (strip.GetHeight() < 16 ? 13 : 16), 4);
}

std::unique_ptr<TBitmap> MagentaBitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(w, h);
  b->Canvas().Brush().SetColor(clFuchsia);
  b->Canvas().FillRect(RECT{0, 0, w, h});
  return b;
}

}  // namespace

void TSkinData::TApply::SetFrameCounts() {
  TSkinData& d = Data;
  TDataSkinButton& b = *d.Buttons;
  b.FrameCount = 5;
  if (b.RadioFrameCount == 0) b.RadioFrameCount = StripFrames(*b.Bitmap3);
  if (b.CheckFrameCount == 0) b.CheckFrameCount = StripFrames(*b.Bitmap2);
  d.Title->FrameCount = 2;
  SetCount(d.MenuBar, 2);
  SetCount(d.GroupBoxEdge, 2);
  SetCount(d.Toolbar, 1);
  SetCount(d.TabPane, 1);
  SetCount(d.GroupBox, 1);
  SetCount(d.MenuBackground, 1);
  if (d.Progress) d.Progress->FrameCount = d.Progress->Style != 0 ? 1 : 2;
  SetCount(d.StatusBarEdges, 3);
  for (auto* o : {&d.SunkEdge, &d.HorzScroll, &d.VertScroll}) SetCount(*o, 4);
  SetCount(d.ComboButton, 4);
  for (auto* o : {&d.ToolBars, &d.ExtraImages, &d.MenuItem, &d.TrackbarThumbHorz, &d.TrackbarThumbVert,
                  &d.TrackbarThumbLeft, &d.TrackbarThumbRight, &d.TrackbarThumbUp, &d.TrackbarThumbDown})
    SetCount(*o, 5);
  SetCount(d.Tabs, 5);
  if (d.Headerbar && Int("Headerbar", "Frame", 0) == 0) d.Headerbar->FrameCount = 5;
  SetCount(d.UpDownHorz, 8);
  SetCount(d.UpDownVert, 8);
  SetCount(d.Scrollbar, 23);
  SetCount(d.HorzScrollThumb, std::max(Int("HorzScrollThumb", "FrameCount", 3), 1));
  SetCount(d.VertScrollThumb, std::max(Int("VertScrollThumb", "FrameCount", 3), 1));
}

void TSkinData::TApply::ComposeComboImages() {
  TSkinData& d = Data;
  if (!d.SunkEdge || !d.ComboButton) return;
  TDataSkinObject& sunk = *d.SunkEdge;
  TDataSkinBorder& button = *d.ComboButton;
  const int k = std::max(sunk.FrameCount, 1);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL) + 2;
  const int cellW = 50, cellH = 21;
  auto strip = MagentaBitmap(cellW * k, cellH);
  auto cell = MagentaBitmap(cellW, cellH);
  HDC c = cell->CanvasDC();
  const RECT whole{0, 0, cellW, cellH}, buttonArea{cellW - arrow, 0, cellW, cellH};
  for (int f = 1; f <= k; ++f) {
    cell->Canvas().FillRect(whole);
    SkinDrawPart(c, whole, *sunk.Bitmap, sunk.Margins(), f, k, sunk.Trans == 1, sunk.Tile == 1, false);
    SkinDrawPart(c, buttonArea, *button.Bitmap, button.Margins(), f, button.FrameCount, true, button.Tile == 1, false);
    if (d.ExtraImages)
      SkinDrawStateFrameCentered(c, buttonArea, *d.ExtraImages->Bitmap, f, d.ExtraImages->FrameCount, true);
    cell->Canvas().FillRect(RECT{2, 2, cellW - 1 - arrow, 18});
    BitBlt(strip->CanvasDC(), cellW * (f - 1), 0, cellW, cellH, c, 0, 0, SRCCOPY);
  }
  button.Bitmap->Assign(*strip);
  button.Style = 2;
  button.TopHeight = sunk.TopHeight;
  button.BottomHeight = sunk.BottomHeight;
  button.LeftWidth = 2;
  button.RightWidth = arrow + 2;
  button.FrameCount = k;
  MirrorBitmap(*strip);
  sunk.Bitmap->Assign(*strip);
  sunk.LeftWidth = arrow + 2;
  sunk.RightWidth = 2;
}

void TSkinData::TApply::MakeComboArrow() {
  TSkinData& d = Data;
  if (!d.ComboxArrow) {
    d.ComboxArrow = std::make_unique<TDataSkinObject>();
    d.ComboxArrow->Name = "ComboxArrow";
  }
  TDataSkinObject& arrow = *d.ComboxArrow;
  arrow.Bitmap->Clear();
  arrow.FrameCount = 1;
  if (!d.ComboButton || !d.ComboButton->HasImage()) return;
  TDataSkinBorder& button = *d.ComboButton;
  if (!d.SunkEdge) {
    arrow.Bitmap->Assign(*button.Bitmap);
    ReplaceColorKey(*arrow.Bitmap, d.Colors[scButtonFace]);  // resolves a system colour
    arrow.FrameCount = button.FrameCount;
    return;
  }
  if (button.Style != 2) return;
  const int k = std::max(button.FrameCount, 1), w = button.Bitmap->GetWidth() / k;
  auto strip = MagentaBitmap(17 * k, 17);
  for (int i = 0; i < k; ++i)
    BitBlt(strip->CanvasDC(), 17 * i, 0, 17, 17, button.Bitmap->CanvasDC(), w * (i + 1) - 19, 2, SRCCOPY);
  arrow.Bitmap->Assign(*strip);
  arrow.FrameCount = k;
}

void TSkinData::TApply::MakeToolbarGradient() {
  TSkinData& d = Data;
  TColor t = TitleColor();
  TColor bottom = Blend(clGray, t, 150);
  int s = SaturationLevel(t);
  if (s > 110) bottom = Blend(t, clWhite, (5625 - 25 * s) / 140 + 50);
  TColor top = Blend(d.Colors[scButtonFace], clWhite, 150);
  if (!d.Toolbar) {
    d.Toolbar = std::make_unique<TDataSkinObject>();
    d.Toolbar->Name = "Toolbar";
  }
  TBitmap& image = *d.Toolbar->Bitmap;
  image.SetPixelFormat(TPixelFormat::pf24bit);
  image.SetSize(10, 40);
  GradientFill(image.CanvasDC(), RECT{0, 0, 10, 40}, top, bottom, 1);
  d.Toolbar->FrameCount = 1;
}

TColor TSkinData::TApply::TitleColor() const {
  TDataSkinBorder& top = *Data.Borders[2];
  if (!top.HasImage()) return Data.Colors[scButtonFace];
  int frames = std::max(top.FrameCount, 1);
  return top.Bitmap->GetPixel(top.Bitmap->GetWidth() / 3, (top.Bitmap->GetHeight() / frames) / 3);
}
