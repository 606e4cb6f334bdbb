#pragma once
// Menu skin objects of plain, distinct colours for the menu tests: the bar's
// two looks, the five item frames (frame 2 with its own caps for the
// separator) and the popup background with its border.
#include <windows.h>

#include <memory>

#include "skin/win/data/skin_data.h"
#include "skin_support_frame.h"

namespace menu_skin {

using frame_skin::Fill;
using frame_skin::Rgb;
using frame_skin::Strip;

constexpr TColor kBar[2] = {Rgb(30, 60, 90), Rgb(60, 60, 60)};
constexpr TColor kItem[5] = {Rgb(240, 240, 200), Rgb(180, 200, 240), Rgb(0, 0, 0), Rgb(40, 120, 40), Rgb(0, 0, 0)};
constexpr TColor kCapLeft = Rgb(200, 30, 30), kCapRight = Rgb(30, 30, 200);
constexpr TColor kMenuBack = Rgb(230, 210, 180), kMenuEdge = Rgb(120, 60, 20);
constexpr TColor kMenuText = Rgb(20, 20, 20), kHilightText = Rgb(255, 255, 255), kShadow = Rgb(128, 128, 128);
constexpr int kItemW = 40, kItemH = 20, kCap = 5, kBarCap = 3;

inline void AddMenuSkin(TSkinData& data) {
  auto bar = std::make_unique<TDataSkinObject>();
  Strip(*bar->Bitmap, 32, 20, 2, true);
  for (int f = 0; f < 2; ++f) Fill(*bar->Bitmap, 0, f * 20, 32, 20, kBar[f]);
  bar->FrameCount = 2;
  bar->LeftWidth = bar->RightWidth = kBarCap;
  bar->Tile = 1;
  data.MenuBar = std::move(bar);

  auto item = std::make_unique<TDataSkinObject>();
  Strip(*item->Bitmap, kItemW, kItemH, 5, false);
  for (int f = 0; f < 5; ++f) Fill(*item->Bitmap, f * kItemW, 0, kItemW, kItemH, kItem[f]);
  // Frame 2 (the separator): its own left and right caps.
  Fill(*item->Bitmap, kItemW, 0, kCap, kItemH, kCapLeft);
  Fill(*item->Bitmap, 2 * kItemW - kCap, 0, kCap, kItemH, kCapRight);
  item->FrameCount = 5;
  item->LeftWidth = item->RightWidth = kCap;
  item->Trans = 0;
  data.MenuItem = std::move(item);

  auto back = std::make_unique<TDataSkinObject>();
  Strip(*back->Bitmap, 30, 30, 1, false);
  Fill(*back->Bitmap, 0, 0, 30, 30, kMenuEdge);
  Fill(*back->Bitmap, 3, 3, 24, 24, kMenuBack);
  back->LeftWidth = back->TopHeight = back->RightWidth = back->BottomHeight = 3;
  data.MenuBackground = std::move(back);

  data.Colors[scMenubar] = kBar[0];
  data.Colors[scMenuBarText] = Rgb(250, 250, 250);
  data.Colors[scMenuText] = kMenuText;
  data.Colors[scHilightText] = kHilightText;
  data.Colors[scHilight] = Rgb(0, 0, 128);
  data.Colors[scMenu] = kMenuBack;
  data.Colors[scButtonShadow] = kShadow;
  data.Colors[scButtonHilight] = Rgb(255, 255, 0);
}

}  // namespace menu_skin
