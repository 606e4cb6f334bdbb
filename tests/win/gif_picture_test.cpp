#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "program_fixture.h"
#include "toolkit/base/gif_image.h"
#include "toolkit/win/gif_picture.h"

namespace {

// The bytes of GIF resource `name` in the shipped picture module `dll`
// (empty when either is missing).
std::vector<std::uint8_t> ShippedGif(const char* dll, const char* name) {
  TModule module = LoadDataModule(BuiltProgramFolder() + dll);
  if (!module) return {};
  TResourceView view = ResourceView(module, name, "GIF");
  const auto* bytes = static_cast<const std::uint8_t*>(view.Data);
  std::vector<std::uint8_t> gif(bytes, bytes + (bytes ? view.Size : 0));
  FreeDataModule(module);
  return gif;
}

// The decomposition pictures shipped in the picture modules, as the image shows them.
TEST(GifPicture, ShippedPictureAnimatesInTheImage) {
  const std::vector<std::uint8_t> gif = ShippedGif("wbrc1.dll", "MywbGIF1");
  ASSERT_FALSE(gif.empty());
  TPicture picture;
  LoadGifPicture(gif.data(), gif.size(), picture);
  EXPECT_EQ(picture.Width(), 225);
  EXPECT_EQ(picture.Height(), 41);
  EXPECT_GE(picture.FrameCount(), 2);
  for (int i = 0; i < picture.FrameCount(); ++i) EXPECT_GT(picture.FrameDelay(i), 0);

  TImage image(nullptr);
  image.SetAutoSize(true);
  image.Picture()->Assign(picture);
  EXPECT_EQ(image.GetWidth(), 225);
  EXPECT_EQ(image.GetHeight(), 41);
}

TEST(GifPicture, DamagedDataLeavesThePictureAsItWas) {
  const std::vector<std::uint8_t> gif = ShippedGif("wbrc2.dll", "MywbGIF3500");
  ASSERT_FALSE(gif.empty());
  TPicture picture;
  LoadGifPicture(gif.data(), gif.size(), picture);
  const int frames = picture.FrameCount();
  const std::vector<std::uint8_t> cut(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(gif.size() / 2));
  EXPECT_THROW(LoadGifPicture(cut.data(), cut.size(), picture), EGifError);
  EXPECT_EQ(picture.FrameCount(), frames);
}

// A tiny file of many one-pixel frames on a screen of 4096 x 4096: composed
// whole it would take 1000 x 64 MB.
TEST(GifPicture, ManyFramesOnALargeScreenAreRefusedLikeDamagedData) {
  std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0x00, 0x10, 0x00, 0x10, 0x80, 0, 0,
                                   0, 0, 0, 255, 255, 255};
  const std::uint8_t frame[] = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0x02, 0x02, 0x44, 0x01, 0x00};
  for (int i = 0; i < 1000; ++i) gif.insert(gif.end(), frame, frame + sizeof frame);
  gif.push_back(0x3B);
  ASSERT_EQ(DecodeGif(gif.data(), gif.size()).Frames.size(), 1000u);
  TPicture picture;
  EXPECT_THROW(LoadGifPicture(gif.data(), gif.size(), picture), EGifError);
  EXPECT_TRUE(picture.Empty());
}

}  // namespace
