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

}  // namespace
