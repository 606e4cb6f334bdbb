#pragma once
// Skin objects: an image strip of equal state frames with its margins,
// drawing flags and text colours, held by the skin data under a fixed role.
#include <memory>
#include <string>

#include "toolkit/win/bitmap.h"

class TDataSkinObject : public TObject {
public:
  TDataSkinObject();
  ~TDataSkinObject() override;

  int LeftWidth = 0, TopHeight = 0, RightWidth = 0, BottomHeight = 0;
  std::unique_ptr<TBitmap> Bitmap;
  int Trans = 0;  // 1: magenta pixels are transparent
  int Tile = 0;   // 1: middle parts repeat, 0: they stretch
  std::string Name;
  int FrameCount = 1;
  int Style = 0;
  int NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
  TColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;

  // The four margins as a rectangle of widths (Left, Top, Right, Bottom).
  RECT Margins() const { return RECT{LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  bool HasImage() const { return Bitmap && !Bitmap->Empty(); }
  // Frame sizes of a horizontal strip (FrameCount is at least 1).
  int FrameWidth() const;
  int FrameHeight() const { return Bitmap ? Bitmap->GetHeight() : 0; }
};

class TDataSkinBorder : public TDataSkinObject {
public:
  TDataSkinBorder();
  std::unique_ptr<TBitmap> Bitmap2;
};

class TDataSkinButton : public TDataSkinObject {
public:
  TDataSkinButton();
  std::unique_ptr<TBitmap> Bitmap2;  // check box strip
  std::unique_ptr<TBitmap> Bitmap3;  // radio button strip
  int RadioFrameCount = 0, CheckFrameCount = 0;
  bool NormalColour2Given = false, MouseOverColour2Given = false, PressedColour2Given = false;
};

class TDataSkinTitle : public TDataSkinObject {
public:
  // LeftWidth, TopHeight and RightWidth hold the caption text's shifts and clip.
  int TextAlignment = 0, TextBackground = 0, FontHeight = 14, TXTBackleft = 0, TXTBackRight = 0;
  TColor ActiveTextColor = clNone, InActiveTextColor = clNone;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
  int Action = 0, Align = 0, Xcoord = 0, Ycoord = 0, CombineOp = -1, Visibility = 0, Visibility1 = 0;
};

// The group box's caption plate.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  int BackgroundLeftShift = 0, BackgroundRightShift = 0, BackgroundAlignment = 0;
};
