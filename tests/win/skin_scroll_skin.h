#pragma once
// A scroll-bar skin of plain colours: every frame of the arrow strip, the
// tracks and the thumbs has its own colour, so what a bar draws reads back.
#include <windows.h>

#include <memory>

#include "skin/win/controls/control.h"
#include "skin/win/controls/scroll/overlay.h"
#include "skin/win/data/skin_data.h"
#include "toolkit/win/bitmap.h"

namespace scroll_skin {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
inline TColor ArrowColour(int f) { return Rgb(f * 10, 30 + f * 5, 90); }
inline TColor VertTrack(int f) { return Rgb(0, 60 + f * 30, 0); }
inline TColor HorzTrack(int f) { return Rgb(60 + f * 30, 0, 0); }
inline TColor VertThumb(int f) { return Rgb(0, 0, 60 + f * 40); }
inline TColor HorzThumb(int f) { return Rgb(60 + f * 40, 60 + f * 40, 0); }
constexpr TColor kFace = Rgb(230, 225, 200);
constexpr TColor kShadow = Rgb(40, 40, 40);
constexpr TColor kUntouched = Rgb(1, 2, 3);

inline std::unique_ptr<TDataSkinObject> Strip(int frames, int width, int height, TColor (*colour)(int)) {
  auto obj = std::make_unique<TDataSkinObject>();
  obj->Bitmap = std::make_unique<TBitmap>();
  obj->Bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  obj->Bitmap->SetSize(frames * width, height);
  for (int f = 0; f < frames; ++f) FillRectColor(obj->Bitmap->CanvasDC(), RECT{f * width, 0, (f + 1) * width, height},
                                                 colour(f + 1));
  obj->FrameCount = frames;
  return obj;
}

inline int ArrowSize() { return GetSystemMetrics(SM_CXHSCROLL); }

// The vertical thumb as a strip of 6 frames in pairs of one colour (frames 1-2
// VertThumb(1), 3-4 VertThumb(2), 5-6 VertThumb(3)), each pair with two magenta
// columns at its right edge. Drawn as 3 frames with magenta left out, as the
// horizontal thumb's switches say, it shows VertThumb(k) in state k.
inline std::unique_ptr<TDataSkinObject> PairedThumbStrip(int height) {
  auto obj = Strip(6, 8, height, [](int f) { return VertThumb((f + 1) / 2); });
  for (int pair = 1; pair <= 3; ++pair)
    FillRectColor(obj->Bitmap->CanvasDC(), RECT{16 * pair - 2, 0, 16 * pair, height}, Rgb(255, 0, 255));
  return obj;
}

inline void MakeScrollSkin(TSkinData& data) {
  const int a = ArrowSize();
  data.Scrollbar = Strip(23, a, a, ArrowColour);
  data.HorzScroll = Strip(4, 8, a, HorzTrack);
  data.VertScroll = Strip(4, 8, a, VertTrack);
  data.HorzScrollThumb = Strip(3, 8, a, HorzThumb);
  data.VertScrollThumb = PairedThumbStrip(a);
  // The horizontal objects' switches count for both bars: they differ from the
  // vertical ones' so that a bar drawing with the vertical ones shows it.
  data.HorzScroll->Tile = 1;
  data.HorzScrollThumb->Trans = 1;
  data.Colors[scButtonFace] = kFace;
  data.Colors[scButtonShadow] = kShadow;
}

// What an overlay draws, painted off screen over a background of kUntouched.
struct Painted {
  explicit Painted(TWScrollbar& bar) {
    RECT r;
    GetClientRect(bar.Handle(), &r);
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(r.right, r.bottom);
    FillRectColor(bitmap.CanvasDC(), r, kUntouched);
    bar.Paint(bitmap.CanvasDC());
  }
  TColor At(int x, int y) { return static_cast<TColor>(GetPixel(bitmap.CanvasDC(), x, y)); }
  TBitmap bitmap;
};

}  // namespace scroll_skin
