#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/mediagen/gif_writer.h"
#include "tools/mediagen/lists.h"
#include "tools/mediagen/picture.h"

using namespace mediagen;

namespace {

struct Reader {
  const std::vector<uint8_t>* data;
  size_t pos = 0;
};

int ReadMem(GifFileType* g, GifByteType* buf, int n) {
  auto* r = static_cast<Reader*>(g->UserData);
  int left = int(r->data->size() - r->pos);
  if (n > left) n = left;
  std::memcpy(buf, r->data->data() + r->pos, n);
  r->pos += n;
  return n;
}

// A GIF decoded with giflib's own reader, as the program decodes it.
struct Decoded {
  int width = 0, height = 0, frames = 0, loop = -1;
  std::vector<int> delays, transparent;
  std::vector<std::vector<uint8_t>> pixels;
  std::vector<std::vector<Rgba>> colors;  // per frame, per pixel, 0 when transparent
};

bool Decode(const std::vector<uint8_t>& bytes, Decoded& d) {
  Reader r{&bytes};
  int err = 0;
  GifFileType* g = DGifOpen(&r, ReadMem, &err);
  if (!g) return false;
  if (DGifSlurp(g) != GIF_OK) { DGifCloseFile(g, &err); return false; }
  d.width = g->SWidth;
  d.height = g->SHeight;
  d.frames = g->ImageCount;
  for (int i = 0; i < g->ImageCount; ++i) {
    const SavedImage& im = g->SavedImages[i];
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(g, i, &gcb) == GIF_OK) {
      d.delays.push_back(gcb.DelayTime);
      d.transparent.push_back(gcb.TransparentColor);
    }
    for (int e = 0; e + 1 < im.ExtensionBlockCount; ++e) {
      const ExtensionBlock& b = im.ExtensionBlocks[e];
      if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
          std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0) {
        const ExtensionBlock& sub = im.ExtensionBlocks[e + 1];
        if (sub.ByteCount == 3 && sub.Bytes[0] == 1) d.loop = sub.Bytes[1] | (sub.Bytes[2] << 8);
      }
    }
    size_t n = size_t(im.ImageDesc.Width) * im.ImageDesc.Height;
    d.pixels.emplace_back(im.RasterBits, im.RasterBits + n);
    const ColorMapObject* map = im.ImageDesc.ColorMap ? im.ImageDesc.ColorMap : g->SColorMap;
    std::vector<Rgba> cols(n);
    for (size_t p = 0; p < n; ++p) {
      int idx = im.RasterBits[p];
      if (!d.transparent.empty() && idx == d.transparent.back()) continue;
      const GifColorType& c = map->Colors[idx];
      cols[p] = Opaque(c.Red, c.Green, c.Blue);
    }
    d.colors.push_back(cols);
  }
  DGifCloseFile(g, &err);
  return true;
}

const char* kFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
std::string Fixture(const std::string& name) {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../fixtures/media/" + name;
}

}  // namespace

TEST(MediaGif, FramesDelaysLoopAndTransparencyReadBack) {
  GifImage img;
  img.width = 3;
  img.height = 2;
  img.palette = {kTransparent, Opaque(255, 0, 0), Opaque(0, 0, 255)};
  img.transparent = 0;
  img.loop_count = 3;
  img.frames = {{{0, 1, 2, 2, 1, 0}, 40}, {{1, 1, 1, 0, 0, 2}, 125}};
  std::vector<uint8_t> bytes;
  std::string err;
  ASSERT_TRUE(EncodeGif(img, bytes, err)) << err;
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
  Decoded d;
  ASSERT_TRUE(Decode(bytes, d));
  EXPECT_EQ(d.width, 3);
  EXPECT_EQ(d.height, 2);
  ASSERT_EQ(d.frames, 2);
  EXPECT_EQ(d.delays, (std::vector<int>{40, 125}));
  EXPECT_EQ(d.transparent, (std::vector<int>{0, 0}));
  EXPECT_EQ(d.loop, 3);
  EXPECT_EQ(d.pixels[0], img.frames[0].indices);
  EXPECT_EQ(d.pixels[1], img.frames[1].indices);
}

TEST(MediaGif, SingleFrameHasNoLoopExtensionAndNoTransparencyWhenUnused) {
  Canvas c(4, 4, Opaque(10, 20, 30));
  c.Set(1, 1, Opaque(200, 0, 0));
  GifImage img;
  std::string err;
  ASSERT_TRUE(IndexFrames({&c}, img, err)) << err;
  EXPECT_EQ(img.transparent, -1);
  EXPECT_EQ(img.palette.size(), 2u);
  img.frames[0].delay_cs = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeGif(img, bytes, err)) << err;
  Decoded d;
  ASSERT_TRUE(Decode(bytes, d));
  EXPECT_EQ(d.frames, 1);
  EXPECT_EQ(d.loop, -1);
  EXPECT_EQ(d.colors[0][5], Opaque(200, 0, 0));
  EXPECT_EQ(d.colors[0][0], Opaque(10, 20, 30));
}

TEST(MediaGif, IndexingSharesOnePaletteAndCoarsensManyColours) {
  // 32 x 32 distinct colours plus transparency: more than a palette holds.
  Canvas a(32, 32), b(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      a.Set(x, y, Opaque(uint8_t(x * 8), uint8_t(y * 8), 77));
      b.Set(x, y, (x + y) % 3 ? Opaque(uint8_t(x * 8), uint8_t(y * 8), 77) : kTransparent);
    }
  GifImage img;
  std::string err;
  ASSERT_TRUE(IndexFrames({&a, &b}, img, err)) << err;
  ASSERT_LE(img.palette.size(), 256u);
  EXPECT_EQ(img.transparent, 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      size_t i = size_t(y) * 32 + x;
      uint8_t ia = img.frames[0].indices[i], ib = img.frames[1].indices[i];
      EXPECT_NE(ia, 0);
      if ((x + y) % 3) EXPECT_EQ(ia, ib); else EXPECT_EQ(ib, 0);
      Rgba want = a.At(x, y), got = img.palette[ia];
      for (int s = 0; s < 24; s += 8)
        EXPECT_LE(std::abs(int((want >> s) & 0xFF) - int((got >> s) & 0xFF)), 32);
    }
}

TEST(MediaGif, RefusesInconsistentInput) {
  std::string err;
  GifImage img;
  Canvas a(2, 2), b(3, 2);
  EXPECT_FALSE(IndexFrames({&a, &b}, img, err));
  EXPECT_FALSE(IndexFrames({}, img, err));

  img = GifImage();
  img.width = img.height = 1;
  img.palette = {Opaque(1, 2, 3)};
  img.frames = {{{1}, 0}};  // index past the palette
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(EncodeGif(img, bytes, err));
  img.frames = {{{0, 0}, 0}};  // wrong pixel count
  EXPECT_FALSE(EncodeGif(img, bytes, err));
}

class MediaPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err, text;
    smooth_ = Font::Open(kFont, 0, err);
    crisp_ = Font::Open(kFont, 2, err);
    if (!smooth_ || !crisp_) GTEST_SKIP() << err;
    ASSERT_TRUE(ReadText(Fixture("roots.txt"), text));
    ASSERT_TRUE(ParseRoots(text, roots_, err)) << err;
  }
  std::unique_ptr<Font> smooth_, crisp_;
  RootTable roots_;
};

TEST_F(MediaPicture, LayoutKeepsPartsApartAndInside) {
  for (size_t n = 1; n <= 4; ++n) {
    PictureLayout l = LayoutPicture(n);
    ASSERT_EQ(l.keys.size(), n);
    EXPECT_TRUE(l.character.Inside(kPictureWidth, kPictureHeight));
    for (size_t i = 0; i < n; ++i) {
      EXPECT_TRUE(l.keys[i].Inside(kPictureWidth, kPictureHeight)) << n << " " << i;
      EXPECT_FALSE(l.keys[i].Overlaps(l.character));
      EXPECT_GE(l.keys[i].w, 40);
      for (size_t j = 0; j < i; ++j) EXPECT_FALSE(l.keys[i].Overlaps(l.keys[j]));
    }
  }
}

TEST_F(MediaPicture, OneFrameLitPerCodeLetter) {
  PictureMaker maker(*smooth_, *crisp_, roots_);
  PictureEntry e{2, u8"好", "vbg"};
  std::vector<Canvas> frames = maker.Frames(e);
  ASSERT_EQ(frames.size(), 3u);
  PictureLayout l = LayoutPicture(3);
  // A key differs between two frames exactly when it is lit in one of them.
  auto same_key = [&](const Canvas& a, const Canvas& b, const Rect& r) {
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        if (a.At(x, y) != b.At(x, y)) return false;
    return true;
  };
  for (size_t f = 1; f < 3; ++f)
    for (size_t k = 0; k < 3; ++k)
      EXPECT_EQ(same_key(frames[0], frames[f], l.keys[k]), k != 0 && k != f) << f << k;
  // The big character is inked, the picture's corners and the unused fourth slot are clear.
  int ink = 0;
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureHeight; ++x) ink += (frames[0].At(x, y) & 0xFFFFFF) < 0x606060;
  EXPECT_GT(ink, 40);
  EXPECT_EQ(frames[0].At(0, 0), kTransparent);
  EXPECT_EQ(frames[0].At(kPictureWidth - 5, kPictureHeight / 2), kTransparent);
}

TEST_F(MediaPicture, EncodedPictureAnimatesAndLoops) {
  PictureMaker maker(*smooth_, *crisp_, roots_);
  std::vector<uint8_t> gif;
  std::string err;
  ASSERT_TRUE(maker.Encode({3500, u8"国", "lgyi"}, gif, err)) << err;
  Decoded d;
  ASSERT_TRUE(Decode(gif, d));
  EXPECT_EQ(d.width, kPictureWidth);
  EXPECT_EQ(d.height, kPictureHeight);
  ASSERT_EQ(d.frames, 4);
  EXPECT_EQ(d.delays, (std::vector<int>{kFrameDelay, kFrameDelay, kFrameDelay, kLastFrameDelay}));
  EXPECT_EQ(d.loop, 0);
  EXPECT_EQ(d.transparent[0], 0);
  EXPECT_NE(d.pixels[0], d.pixels[1]);

  ASSERT_TRUE(maker.Encode({1, u8"一", "g"}, gif, err)) << err;
  ASSERT_TRUE(Decode(gif, d = Decoded()));
  EXPECT_EQ(d.frames, 1);
}

TEST_F(MediaPicture, KeyCapStaysInsideAndDrawsItsRoots) {
  std::vector<std::string> many;
  for (int i = 0; i < 20; ++i) many.push_back(u8"戋");
  many.push_back(u8"\U0010FFFD");
  Canvas with(80, 41), without(80, 41);
  DrawKeyCap(with, {0, 0, 44, 41}, 'g', many, false, *smooth_, *crisp_);
  DrawKeyCap(without, {0, 0, 44, 41}, 'g', {}, false, *smooth_, *crisp_);
  EXPECT_FALSE(Drawable(*crisp_, u8"\U0010FFFD"));
  EXPECT_TRUE(Drawable(*crisp_, u8"戋"));
  for (int y = 0; y < 41; ++y)
    for (int x = 44; x < 80; ++x) ASSERT_EQ(with.At(x, y), kTransparent) << x << "," << y;
  int differ = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 44; ++x) differ += with.At(x, y) != without.At(x, y);
  EXPECT_GT(differ, 100);
}
