// GIF pictures from any bytes: decoded through giflib, then every frame composed.
#include <cstdint>
#include <cstdlib>

#include "fuzz_check.h"
#include "toolkit/base/gif_image.h"

namespace {
std::uint32_t Opaque(const TGifColor& c) {
  return 0xFF000000u | (std::uint32_t{c.R} << 16) | (std::uint32_t{c.G} << 8) | c.B;
}

// The frame's own pixels lie on the canvas as they are, in the frame's colours.
void CheckDrawn(const TGifPicture& pic, const TGifFrame& f, const TGifCanvas& canvas) {
  for (int y = 0; y < f.Height; ++y) {
    const int sy = f.Top + y;
    if (sy >= pic.Height) break;
    for (int x = 0; x < f.Width; ++x) {
      const int sx = f.Left + x;
      if (sx >= pic.Width) break;
      const int index = f.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(f.Width) + static_cast<std::size_t>(x)];
      if (index == f.TransparentIndex) continue;
      const TGifColor c = static_cast<std::size_t>(index) < f.Palette.size() ? f.Palette[static_cast<std::size_t>(index)] : TGifColor{};
      Check(canvas[static_cast<std::size_t>(sy) * static_cast<std::size_t>(pic.Width) + static_cast<std::size_t>(sx)] == Opaque(c));
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGifPicture pic;
  try {
    pic = DecodeGif(data, size);
  } catch (const EGifError& e) {
    Check(*e.what() != 0);  // a refusal says why; any other exception escapes and is a finding
    return 0;
  }
  Check(pic.Version == "87a" || pic.Version == "89a");
  Check(pic.Width > 0 && pic.Height > 0 && static_cast<std::size_t>(pic.Width) * pic.Height <= (1u << 24));
  Check(!pic.Frames.empty() && pic.Frames.size() <= 1000 && pic.LoopCount >= 0);
  for (const TGifFrame& f : pic.Frames) {
    Check(f.Width > 0 && f.Height > 0 && f.Left >= 0 && f.Top >= 0 && !f.Palette.empty());
    Check(f.Pixels.size() == static_cast<std::size_t>(f.Width) * static_cast<std::size_t>(f.Height));
    Check(f.TransparentIndex >= -1 && f.TransparentIndex <= 255);
  }
  // Frames in order, one step each; every pixel opaque or clear. (A large
  // screen with many frames is only decoded: composing it is slow, not wrong.)
  TGifComposer composer(pic);
  const std::size_t area = static_cast<std::size_t>(pic.Width) * static_cast<std::size_t>(pic.Height);
  const int count = static_cast<int>(pic.Frames.size());
  if (area * pic.Frames.size() > (std::size_t{1} << 24)) return 0;
  for (int i = 0; i < count; ++i) {
    const TGifCanvas& canvas = composer.Frame(i);
    Check(canvas.size() == area);
    for (std::uint32_t p : canvas) Check((p >> 24) == 0 || (p >> 24) == 0xFF);
    CheckDrawn(pic, pic.Frames[static_cast<std::size_t>(i)], canvas);
  }
  // Going back composes from the start and gives the same canvas.
  const int back = count / 2;
  const TGifCanvas again = composer.Frame(back);
  Check(again == ComposeGifFrame(pic, back));
  try {
    composer.Frame(count);
    std::abort();
  } catch (const EGifError&) {
  }
  return 0;
}
