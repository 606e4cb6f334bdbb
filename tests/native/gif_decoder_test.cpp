#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "toolkit/base/gif_image.h"

namespace {

// --- Sample pictures made with giflib's encoder ------------------------------

struct FrameSpec {
  int left = 0, top = 0, width = 1, height = 1;
  int delay = 0;
  int disposal = DISPOSAL_UNSPECIFIED;
  int transparent = NO_TRANSPARENT_COLOR;
  bool control = true;  // write a graphic control extension
  bool interlaced = false;
  std::vector<TGifColor> local;  // empty: the global palette
  std::vector<std::uint8_t> pixels;
};

struct PictureSpec {
  bool gif89 = true;
  int width = 1, height = 1;
  std::vector<TGifColor> global;
  int loop = -1;  // -1: no looping extension
  std::vector<FrameSpec> frames;
};

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

ColorMapObject* MakeMap(const std::vector<TGifColor>& colours) {
  if (colours.empty()) return nullptr;
  int n = 2;
  while (n < static_cast<int>(colours.size())) n *= 2;
  std::vector<GifColorType> c(static_cast<std::size_t>(n), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colours.size(); ++i) c[i] = GifColorType{colours[i].R, colours[i].G, colours[i].B};
  return GifMakeMapObject(n, c.data());
}

std::vector<std::uint8_t> Encode(const PictureSpec& spec) {
  std::vector<std::uint8_t> out;
  int err = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &err);
  if (!gif) throw std::runtime_error("EGifOpen failed");
  EGifSetGifVersion(gif, spec.gif89);
  ColorMapObject* global = MakeMap(spec.global);
  bool ok = EGifPutScreenDesc(gif, spec.width, spec.height, 8, 0, global) == GIF_OK;
  GifFreeMapObject(global);
  if (ok && spec.loop >= 0) {
    const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType sub[] = {1, static_cast<GifByteType>(spec.loop & 0xFF), static_cast<GifByteType>(spec.loop >> 8)};
    ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof app, app) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof sub, sub) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  }
  for (const FrameSpec& f : spec.frames) {
    if (!ok) break;
    if (f.control) {
      GraphicsControlBlock gcb{f.disposal, false, f.delay, f.transparent};
      GifByteType ext[4];
      std::size_t len = EGifGCBToExtension(&gcb, ext);
      ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK;
    }
    ColorMapObject* local = MakeMap(f.local);
    ok = ok && EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local) == GIF_OK;
    GifFreeMapObject(local);
    std::vector<int> rows;
    if (f.interlaced) {
      for (int start : {0, 4, 2, 1})
        for (int r = start; r < f.height; r += (start == 0 || start == 4) ? 8 : (start == 2 ? 4 : 2)) rows.push_back(r);
    } else {
      for (int r = 0; r < f.height; ++r) rows.push_back(r);
    }
    for (int r : rows) {
      std::vector<GifPixelType> line(f.pixels.begin() + r * f.width, f.pixels.begin() + (r + 1) * f.width);
      ok = ok && EGifPutLine(gif, line.data(), f.width) == GIF_OK;
    }
  }
  if (EGifCloseFile(gif, &err) != GIF_OK || !ok) throw std::runtime_error("encoding the sample failed");
  return out;
}

const TGifColor kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};
const std::vector<TGifColor> kPalette{kBlack, kRed, kGreen, kBlue};

std::uint32_t Argb(TGifColor c) { return 0xFF000000u | (std::uint32_t{c.R} << 16) | (std::uint32_t{c.G} << 8) | c.B; }

bool SameColour(const TGifColor& a, const TGifColor& b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

TGifPicture Decode(const std::vector<std::uint8_t>& bytes) { return DecodeGif(bytes.data(), bytes.size()); }

// Three frames of a 4 x 3 screen, as a decomposition picture is animated.
PictureSpec Animated() {
  PictureSpec p;
  p.width = 4;
  p.height = 3;
  p.global = kPalette;
  FrameSpec a;
  a.width = 4;
  a.height = 3;
  a.delay = 50;
  a.disposal = DISPOSE_DO_NOT;
  a.pixels = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
  FrameSpec b;
  b.left = 1;
  b.top = 1;
  b.width = 2;
  b.height = 2;
  b.delay = 120;
  b.disposal = DISPOSE_BACKGROUND;
  b.pixels = {0, 3, 3, 0};
  FrameSpec c;
  c.left = 3;
  c.top = 0;
  c.width = 1;
  c.height = 1;
  c.delay = 7;
  c.disposal = DISPOSE_PREVIOUS;
  c.local = {kWhite, kBlue};
  c.pixels = {0};
  p.frames = {a, b, c};
  return p;
}

TEST(GifDecoder, AnimatedFramesWithDelaysDisposalsAndPalettes) {
  TGifPicture pic = Decode(Encode(Animated()));
  EXPECT_EQ(pic.Version, "89a");
  EXPECT_EQ(pic.Width, 4);
  EXPECT_EQ(pic.Height, 3);
  EXPECT_EQ(pic.LoopCount, 1);  // no looping extension: played once
  ASSERT_EQ(pic.GlobalPalette.size(), 4u);
  EXPECT_TRUE(SameColour(pic.GlobalPalette[1], kRed));
  ASSERT_EQ(pic.Frames.size(), 3u);

  struct Expect {
    int left, top, width, height, delay;
    TGifDisposal disposal;
    bool local;
  };
  const Expect want[] = {
      {0, 0, 4, 3, 50, TGifDisposal::Keep, false},
      {1, 1, 2, 2, 120, TGifDisposal::RestoreBackground, false},
      {3, 0, 1, 1, 7, TGifDisposal::RestorePrevious, true},
  };
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TGifFrame& f = pic.Frames[static_cast<std::size_t>(i)];
    EXPECT_EQ(f.Left, want[i].left);
    EXPECT_EQ(f.Top, want[i].top);
    EXPECT_EQ(f.Width, want[i].width);
    EXPECT_EQ(f.Height, want[i].height);
    EXPECT_EQ(f.Delay, want[i].delay);
    EXPECT_EQ(f.Disposal, want[i].disposal);
    EXPECT_EQ(f.LocalPalette, want[i].local);
    EXPECT_EQ(f.TransparentIndex, -1);
  }
  EXPECT_EQ(pic.Frames[0].Pixels, (std::vector<std::uint8_t>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}));
  EXPECT_EQ(pic.Frames[1].Pixels, (std::vector<std::uint8_t>{0, 3, 3, 0}));
  ASSERT_EQ(pic.Frames[2].Palette.size(), 2u);
  EXPECT_TRUE(SameColour(pic.Frames[2].Palette[0], kWhite));
  EXPECT_TRUE(SameColour(pic.Frames[1].Palette[3], kBlue));  // the global one
}

TEST(GifDecoder, LoopCountOfTheLoopingExtension) {
  struct Case {
    int loop;
    int expected;
  };
  const Case cases[] = {{-1, 1}, {0, 0}, {1, 1}, {5, 5}, {300, 300}, {65535, 65535}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loop);
    PictureSpec p = Animated();
    p.loop = c.loop;
    EXPECT_EQ(Decode(Encode(p)).LoopCount, c.expected);
  }
}

TEST(GifDecoder, Gif87aWithoutExtensions) {
  PictureSpec p;
  p.gif89 = false;
  p.width = 2;
  p.height = 2;
  p.global = kPalette;
  FrameSpec f;
  f.control = false;
  f.width = 2;
  f.height = 2;
  f.pixels = {3, 2, 1, 0};
  p.frames = {f};
  std::vector<std::uint8_t> bytes = Encode(p);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
  TGifPicture pic = Decode(bytes);
  EXPECT_EQ(pic.Version, "87a");
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_EQ(pic.Frames[0].Delay, 0);
  EXPECT_EQ(pic.Frames[0].Disposal, TGifDisposal::Unspecified);
  EXPECT_EQ(pic.Frames[0].TransparentIndex, -1);
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{Argb(kBlue), Argb(kGreen), Argb(kRed), Argb(kBlack)}));
}

TEST(GifDecoder, InterlacedRowsComeBackInOrder) {
  PictureSpec p;
  p.width = 2;
  p.height = 11;
  p.global = std::vector<TGifColor>(16);
  FrameSpec f;
  f.width = 2;
  f.height = 11;
  f.interlaced = true;
  for (int r = 0; r < 11; ++r) f.pixels.insert(f.pixels.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(r)});
  p.frames = {f};
  TGifPicture pic = Decode(Encode(p));
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_TRUE(pic.Frames[0].Interlaced);
  EXPECT_EQ(pic.Frames[0].Pixels, f.pixels);
}

TEST(GifDecoder, TransparentPixelsShowWhatIsBeneath) {
  PictureSpec p;
  p.width = 3;
  p.height = 1;
  p.global = kPalette;
  FrameSpec bottom;
  bottom.width = 2;  // leaves the third pixel undrawn
  bottom.transparent = 0;
  bottom.pixels = {1, 0};
  FrameSpec top;
  top.width = 3;
  top.transparent = 2;
  top.pixels = {2, 3, 2};
  p.frames = {bottom, top};
  TGifPicture pic = Decode(Encode(p));
  EXPECT_EQ(pic.Frames[0].TransparentIndex, 0);
  EXPECT_EQ(pic.Frames[1].TransparentIndex, 2);
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{Argb(kRed), 0, 0}));
  EXPECT_EQ(ComposeGifFrame(pic, 1), (TGifCanvas{Argb(kRed), Argb(kBlue), 0}));
}

TEST(GifDecoder, DisposalDecidesWhatTheNextFrameIsDrawnOn) {
  // Screen 4 x 1. Frame 0 fills it red; frame 1 puts green at x = 2..3;
  // frame 2 puts blue at x = 0.
  const std::uint32_t R = Argb(kRed), G = Argb(kGreen), B = Argb(kBlue);
  struct Case {
    int disposal0, disposal1;
    TGifCanvas frame1, frame2;
  };
  const Case cases[] = {
      {DISPOSE_DO_NOT, DISPOSE_DO_NOT, {R, R, G, G}, {B, R, G, G}},
      {DISPOSAL_UNSPECIFIED, DISPOSE_BACKGROUND, {R, R, G, G}, {B, R, 0, 0}},
      {DISPOSE_DO_NOT, DISPOSE_PREVIOUS, {R, R, G, G}, {B, R, R, R}},
      {DISPOSE_BACKGROUND, DISPOSE_DO_NOT, {0, 0, G, G}, {B, 0, G, G}},
      {DISPOSE_BACKGROUND, DISPOSE_PREVIOUS, {0, 0, G, G}, {B, 0, 0, 0}},
      {DISPOSE_PREVIOUS, DISPOSE_DO_NOT, {0, 0, G, G}, {B, 0, G, G}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.disposal0) + "/" + std::to_string(c.disposal1));
    PictureSpec p;
    p.width = 4;
    p.height = 1;
    p.global = kPalette;
    FrameSpec f0, f1, f2;
    f0.width = 4;
    f0.disposal = c.disposal0;
    f0.pixels = {1, 1, 1, 1};
    f1.left = 2;
    f1.width = 2;
    f1.disposal = c.disposal1;
    f1.pixels = {2, 2};
    f2.pixels = {3};
    p.frames = {f0, f1, f2};
    TGifPicture pic = Decode(Encode(p));
    EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{R, R, R, R}));
    EXPECT_EQ(ComposeGifFrame(pic, 1), c.frame1);
    EXPECT_EQ(ComposeGifFrame(pic, 2), c.frame2);
  }
}

TEST(GifDecoder, ComposerGivesTheSameFramesInAnyOrder) {
  TGifPicture pic = Decode(Encode(Animated()));
  std::vector<TGifCanvas> fresh;
  for (int i = 0; i < 3; ++i) fresh.push_back(ComposeGifFrame(pic, i));
  // Frame 1 shows frame 0 with the blue square over its centre.
  const std::uint32_t R = Argb(kRed), G = Argb(kGreen), B = Argb(kBlue), K = Argb(kBlack), W = Argb(kWhite);
  EXPECT_EQ(fresh[1], (TGifCanvas{R, R, R, R, G, K, B, G, B, B, K, B}));
  // Frame 1's area is cleared before frame 2.
  EXPECT_EQ(fresh[2], (TGifCanvas{R, R, R, W, G, 0, 0, G, B, 0, 0, B}));

  TGifComposer composer(pic);
  for (int i : {0, 1, 2, 2, 0, 2, 1, 1, 0}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(composer.Frame(i), fresh[static_cast<std::size_t>(i)]);
  }
  EXPECT_THROW(composer.Frame(3), EGifError);
  EXPECT_THROW(composer.Frame(-1), EGifError);
}

TEST(GifDecoder, FramesReachingPastTheScreenAreClipped) {
  PictureSpec p;
  p.width = 2;
  p.height = 2;
  p.global = kPalette;
  FrameSpec f;
  f.left = 1;
  f.top = 1;
  f.width = 3;
  f.height = 2;
  f.disposal = DISPOSE_BACKGROUND;
  f.pixels = {1, 2, 3, 3, 2, 1};
  FrameSpec g;
  g.pixels = {3};
  p.frames = {f, g};
  TGifPicture pic = Decode(Encode(p));
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{0, 0, 0, Argb(kRed)}));
  EXPECT_EQ(ComposeGifFrame(pic, 1), (TGifCanvas{Argb(kBlue), 0, 0, 0}));
}

// --- Damaged data ------------------------------------------------------------

TEST(GifDecoder, NotAGifRaises) {
  const std::vector<std::string> inputs = {
      "",
      "GIF",
      "GIF89",
      "GIF88a\x01\x00\x01\x00\x00\x00\x00",
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
      "hello, this is plain text and not a picture at all",
  };
  for (const std::string& in : inputs) {
    SCOPED_TRACE(in);
    EXPECT_THROW(DecodeGif(in.data(), in.size()), EGifError);
  }
  EXPECT_THROW(DecodeGif(nullptr, 10), EGifError);
}

TEST(GifDecoder, DamagedHeadersAndBlocksRaise) {
  std::vector<std::uint8_t> good = Encode(Animated());
  struct Case {
    const char* name;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
  };
  // Offsets: 6 screen width, 13 the global palette (4 colours), 25 the first
  // extension's introducer.
  const Case cases[] = {
      {"zero screen width", 6, {0, 0}},
      {"zero screen height", 8, {0, 0}},
      {"unknown block", 25, {0x55}},
      {"control extension of the wrong length", 27, {5}},
  };
  ASSERT_EQ(good[25], 0x21);
  ASSERT_EQ(good[26], 0xF9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bad = good;
    std::copy(c.bytes.begin(), c.bytes.end(), bad.begin() + static_cast<std::ptrdiff_t>(c.offset));
    EXPECT_THROW(Decode(bad), EGifError);
  }
  // Only the trailer: no picture.
  std::vector<std::uint8_t> empty(good.begin(), good.begin() + 25);
  empty.push_back(0x3B);
  try {
    Decode(empty);
    FAIL() << "no error";
  } catch (const EGifError& e) {
    EXPECT_NE(std::string(e.what()).find("no picture"), std::string::npos) << e.what();
  }
}

TEST(GifDecoder, OversizedPicturesAreRefusedBeforeDecoding) {
  PictureSpec p;
  p.gif89 = false;
  p.width = 2;
  p.height = 2;
  p.global = kPalette;
  FrameSpec f;
  f.control = false;
  f.width = 2;
  f.height = 2;
  f.pixels = {0, 1, 2, 3};
  p.frames = {f};
  std::vector<std::uint8_t> good = Encode(p);
  ASSERT_EQ(good[25], 0x2C);  // the image descriptor follows the palette
  struct Case {
    const char* name;
    std::size_t offset;
  };
  const Case cases[] = {{"screen", 6}, {"frame", 30}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> big = good;
    for (std::size_t i = 0; i < 4; ++i) big[c.offset + i] = 0xFF;  // 65535 x 65535
    try {
      Decode(big);
      ADD_FAILURE() << "no error";
    } catch (const EGifError& e) {
      EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
  }

  FrameSpec dot;
  dot.control = false;
  dot.pixels = {1};
  p.frames.assign(1001, dot);
  EXPECT_THROW(Decode(Encode(p)), EGifError);
  p.frames.resize(1000);
  EXPECT_EQ(Decode(Encode(p)).Frames.size(), 1000u);
}

TEST(GifDecoder, EveryTruncationRaises) {
  PictureSpec p = Animated();
  p.loop = 0;
  std::vector<std::uint8_t> good = Encode(p);
  ASSERT_NO_THROW(Decode(good));
  for (std::size_t n = 0; n < good.size(); ++n) {
    SCOPED_TRACE(n);
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(Decode(cut), EGifError);
  }
  std::vector<std::uint8_t> cut(good.begin(), good.end() - 5);
  try {
    Decode(cut);
  } catch (const EGifError& e) {
    EXPECT_NE(std::string(e.what()).find("truncated"), std::string::npos) << e.what();
  }
}

TEST(GifDecoder, RandomDamageNeverCrashes) {
  std::vector<std::uint8_t> good = Encode(Animated());
  std::mt19937 rng(1234);
  int decoded = 0, refused = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bad = good;
    int flips = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < flips; ++i) bad[6 + rng() % (bad.size() - 6)] = static_cast<std::uint8_t>(rng());
    try {
      TGifPicture pic = Decode(bad);
      for (int k = 0; k < static_cast<int>(pic.Frames.size()); ++k) {
        TGifCanvas canvas = ComposeGifFrame(pic, k);
        ASSERT_EQ(canvas.size(), static_cast<std::size_t>(pic.Width) * static_cast<std::size_t>(pic.Height));
      }
      ++decoded;
    } catch (const EGifError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(decoded, 0);
}

}  // namespace
