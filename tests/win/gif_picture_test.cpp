#include <gtest/gtest.h>

#include "program_fixture.h"
#include "toolkit/base/gif_image.h"
#include "toolkit/win/gif_picture.h"

namespace {

// The decomposition pictures shipped in the picture modules, as the image shows them.
TEST(GifPicture, ShippedPictureAnimatesInTheImage) {
  TModule module = LoadDataModule(BuiltProgramFolder() + "wbrc1.dll");
  ASSERT_NE(module, nullptr);
  TResourceView view = ResourceView(module, "MywbGIF1", "GIF");
  TPicture picture;
  LoadGifPicture(view.Data, view.Size, picture);
  EXPECT_EQ(picture.Width(), 225);
  EXPECT_EQ(picture.Height(), 41);
  EXPECT_GE(picture.FrameCount(), 2);
  for (int i = 0; i < picture.FrameCount(); ++i) EXPECT_GT(picture.FrameDelay(i), 0);

  TImage image(nullptr);
  image.SetAutoSize(true);
  image.Picture()->Assign(picture);
  EXPECT_EQ(image.GetWidth(), 225);
  EXPECT_EQ(image.GetHeight(), 41);
  FreeDataModule(module);
}

TEST(GifPicture, DamagedDataLeavesThePictureAsItWas) {
  TModule module = LoadDataModule(BuiltProgramFolder() + "wbrc2.dll");
  ASSERT_NE(module, nullptr);
  TResourceView view = ResourceView(module, "MywbGIF3500", "GIF");
  TPicture picture;
  LoadGifPicture(view.Data, view.Size, picture);
  const int frames = picture.FrameCount();
  const auto* bytes = static_cast<const std::uint8_t*>(view.Data);
  std::vector<std::uint8_t> cut(bytes, bytes + view.Size / 2);
  EXPECT_THROW(LoadGifPicture(cut.data(), cut.size(), picture), EGifError);
  EXPECT_EQ(picture.FrameCount(), frames);
  FreeDataModule(module);
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
