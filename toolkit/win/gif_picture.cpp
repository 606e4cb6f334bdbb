#include "toolkit/win/gif_picture.h"

#include <string>

#include "toolkit/base/gif_image.h"

namespace {

// The frames of a decoded GIF as RGBA images of the logical screen's size.
class TGifFrames : public TAnimatedPicture {
public:
  explicit TGifFrames(const TGifPicture& gif) : width_(gif.Width), height_(gif.Height), loops_(gif.LoopCount) {
    TGifComposer composer(gif);
    for (int i = 0; i < static_cast<int>(gif.Frames.size()); ++i) {
      const TGifCanvas& canvas = composer.Frame(i);
      std::vector<std::uint8_t> rgba(canvas.size() * 4);
      for (std::size_t p = 0; p < canvas.size(); ++p) {
        const std::uint32_t argb = canvas[p];
        rgba[p * 4 + 0] = static_cast<std::uint8_t>(argb >> 16);
        rgba[p * 4 + 1] = static_cast<std::uint8_t>(argb >> 8);
        rgba[p * 4 + 2] = static_cast<std::uint8_t>(argb);
        rgba[p * 4 + 3] = static_cast<std::uint8_t>(argb >> 24);
      }
      frames_.push_back(std::move(rgba));
      delays_.push_back(gif.Frames[static_cast<std::size_t>(i)].Delay);
    }
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int FrameCount() const override { return static_cast<int>(frames_.size()); }
  const std::uint8_t* FramePixels(int index) const override { return frames_.at(static_cast<std::size_t>(index)).data(); }
  int FrameDelay(int index) const override { return delays_.at(static_cast<std::size_t>(index)); }
  int LoopCount() const override { return loops_; }

private:
  int width_, height_, loops_;
  std::vector<std::vector<std::uint8_t>> frames_;
  std::vector<int> delays_;
};

}  // namespace

void LoadGifPicture(const void* data, std::size_t size, TPicture& picture) {
  const TGifPicture gif = DecodeGif(data, size);
  // Every frame is kept as a full-canvas copy: a small file of many frames on
  // a large screen would ask for gigabytes.
  const std::uint64_t bytes = static_cast<std::uint64_t>(gif.Frames.size()) * static_cast<std::uint64_t>(gif.Width) *
                              static_cast<std::uint64_t>(gif.Height) * 4u;
  if (bytes > MaxGifPictureBytes)
    throw EGifError("GIF picture too large: " + std::to_string(gif.Frames.size()) + " frames of " +
                    std::to_string(gif.Width) + " x " + std::to_string(gif.Height));
  const TGifFrames frames(gif);
  picture.Assign(frames);
}
