// The skin's bitmap entries on any bytes: checked, then decoded (every kind:
// palettes, RLE code, 16 and 32 bits with colour masks).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/portable/bmp_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBmpInfo info;
  std::string reason;
  bool accepted = ParseBmpEntry(data, size, info, reason);
  if (!accepted && reason.empty()) std::abort();  // a refusal always says why
  if (accepted) {
    // Everything the header promises lies inside the data.
    if (info.PixelsAt + info.PixelBytes > size) std::abort();
    if (info.PixelsAt + info.Stride * static_cast<std::size_t>(info.Height) > size) std::abort();
    if (info.Width < 1 || info.Height < 1 || info.Width > MaxBmpSide || info.Height > MaxBmpSide) std::abort();
    const bool rle = info.Compression == TBmpCompression::Rle8 || info.Compression == TBmpCompression::Rle4;
    if (rle != (info.Stride == 0) || (rle && info.TopDown)) std::abort();
  }
  TImage24 image;
  bool decoded = DecodeBmpEntry(data, size, image, reason);
  if (decoded != accepted) std::abort();
  if (decoded && (image.Width() != info.Width || image.Height() != info.Height)) std::abort();
  return 0;
}
