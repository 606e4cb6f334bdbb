#pragma once
// GIF pictures (GIF87a and GIF89a) decoded from memory, with every frame, and
// frames composed onto a 32-bit canvas ready to be blitted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/exception.h"

// Data that is not a readable GIF picture.
class EGifError : public Exception {
public:
  using Exception::Exception;
};

struct TGifColor {
  std::uint8_t R = 0, G = 0, B = 0;
};

// What happens to a frame's area before the next frame is drawn.
enum class TGifDisposal {
  Unspecified = 0,        // like Keep
  Keep = 1,               // leave the frame in place
  RestoreBackground = 2,  // clear the frame's area to transparent
  RestorePrevious = 3     // put back what was there before the frame
};

struct TGifFrame {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // on the logical screen
  int Delay = 0;                                 // in 1/100 s
  TGifDisposal Disposal = TGifDisposal::Unspecified;
  int TransparentIndex = -1;                     // -1: none
  bool LocalPalette = false;                     // false: the global palette is used
  bool Interlaced = false;                       // as stored; Pixels are in row order
  std::vector<TGifColor> Palette;                // the palette in effect for the frame
  std::vector<std::uint8_t> Pixels;              // Width * Height colour indices, rows top down
};

struct TGifPicture {
  std::string Version;  // "87a" or "89a"
  int Width = 0, Height = 0;
  std::vector<TGifColor> GlobalPalette;  // may be empty
  // Times the animation plays: 1 without a looping extension, 0 for ever.
  int LoopCount = 1;
  std::vector<TGifFrame> Frames;  // at least one
};

// Decodes the whole picture. Raises EGifError on damaged or truncated data.
TGifPicture DecodeGif(const void* data, std::size_t size);

// Canvas pixels are 0xAARRGGBB (a 32-bit top-down bitmap's layout on a
// little-endian machine), Width * Height of them; alpha is 0 or 255.
using TGifCanvas = std::vector<std::uint32_t>;

// Composes frames in order, honouring each frame's disposal and transparency.
// Asking for the frame after the last one composed costs one frame; any other
// frame is composed again from the start. The picture must outlive the composer.
class TGifComposer {
public:
  explicit TGifComposer(const TGifPicture& picture);
  const TGifCanvas& Frame(int index);  // raises EGifError when out of range

private:
  void Reset();
  void Draw(const TGifFrame& frame);
  void Dispose(const TGifFrame& frame);

  const TGifPicture& picture_;
  TGifCanvas canvas_;
  TGifCanvas saved_;  // before the last frame, for RestorePrevious
  int shown_ = -1;    // the frame on the canvas
};

// Frame `index` composed from the start.
TGifCanvas ComposeGifFrame(const TGifPicture& picture, int index);
