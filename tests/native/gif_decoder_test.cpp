#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "toolkit/base/gif_image.h"

namespace {

// --- Sample pictures made with giflib's encoder ------------------------------

struct FrameDesc {
  int left = 0, top = 0, width = 1, height = 1;
  int delay = 0;
  int disposal = DISPOSAL_UNSPECIFIED;
  int transparent = NO_TRANSPARENT_COLOR;
  bool control = true;  // write a graphic control extension
  bool interlaced = false;
  std::vector<TGifColor> local;  // empty: the global palette
  std::vector<std::uint8_t> pixels;
};

struct PictureDesc {
  bool gif89 = true;
  int width = 1, height = 1;
  std::vector<TGifColor> global;
  int loop = -1;  // -1: no looping extension
  std::vector<FrameDesc> frames;
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

std::vector<std::uint8_t> Encode(const PictureDesc& desc) {
  std::vector<std::uint8_t> out;
  int err = 0;
  GifFileType* gif = EGifOpen(&out, WriteToVector, &err);
  if (!gif) throw std::runtime_error("EGifOpen failed");
  EGifSetGifVersion(gif, desc.gif89);
  ColorMapObject* global = MakeMap(desc.global);
  bool ok = EGifPutScreenDesc(gif, desc.width, desc.height, 8, 0, global) == GIF_OK;
  GifFreeMapObject(global);
  if (ok && desc.loop >= 0) {
    const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType sub[] = {1, static_cast<GifByteType>(desc.loop & 0xFF), static_cast<GifByteType>(desc.loop >> 8)};
    ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof app, app) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof sub, sub) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  }
  for (const FrameDesc& f : desc.frames) {
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
const std::uint32_t K = 0xFF000000u, R = 0xFFFF0000u, G = 0xFF00FF00u, B = 0xFF0000FFu, W = 0xFFFFFFFFu;

FrameDesc Rect(int left, int top, int width, int height, std::vector<std::uint8_t> pixels,
               int disposal = DISPOSAL_UNSPECIFIED, int transparent = NO_TRANSPARENT_COLOR) {
  FrameDesc f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.pixels = std::move(pixels);
  f.disposal = disposal;
  f.transparent = transparent;
  return f;
}

PictureDesc Screen(int width, int height, std::vector<FrameDesc> frames) {
  PictureDesc p;
  p.width = width;
  p.height = height;
  p.global = kPalette;
  p.frames = std::move(frames);
  return p;
}

bool SameColour(const TGifColor& a, const TGifColor& b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

TGifPicture Decode(const std::vector<std::uint8_t>& bytes) { return DecodeGif(bytes.data(), bytes.size()); }

// Three frames of a 4 x 3 screen, as a decomposition picture is animated.
PictureDesc Animated() {
  PictureDesc p = Screen(4, 3, {Rect(0, 0, 4, 3, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}, DISPOSE_DO_NOT),
                                Rect(1, 1, 2, 2, {0, 3, 3, 0}, DISPOSE_BACKGROUND),
                                Rect(3, 0, 1, 1, {0}, DISPOSE_PREVIOUS)});
  p.frames[0].delay = 50;
  p.frames[1].delay = 120;
  p.frames[2].delay = 7;
  p.frames[2].local = {kWhite, kBlue};
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
    EXPECT_EQ(f.Pixels, Animated().frames[static_cast<std::size_t>(i)].pixels);
  }
  ASSERT_EQ(pic.Frames[2].Palette.size(), 2u);
  EXPECT_TRUE(SameColour(pic.Frames[2].Palette[0], kWhite));
  EXPECT_TRUE(SameColour(pic.Frames[1].Palette[3], kBlue));  // the global one
}

TEST(GifDecoder, LoopCountOfTheLoopingExtension) {
  const int cases[][2] = {{-1, 1}, {0, 0}, {1, 1}, {5, 5}, {300, 300}, {65535, 65535}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    PictureDesc p = Animated();
    p.loop = c[0];
    EXPECT_EQ(Decode(Encode(p)).LoopCount, c[1]);
  }
}

TEST(GifDecoder, Gif87aAndInterlacedRows) {
  PictureDesc p = Screen(2, 2, {Rect(0, 0, 2, 2, {3, 2, 1, 0})});
  p.gif89 = false;
  p.frames[0].control = false;
  std::vector<std::uint8_t> bytes = Encode(p);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
  TGifPicture pic = Decode(bytes);
  EXPECT_EQ(pic.Version, "87a");
  ASSERT_EQ(pic.Frames.size(), 1u);
  EXPECT_EQ(pic.Frames[0].Disposal, TGifDisposal::Unspecified);
  EXPECT_EQ(pic.Frames[0].TransparentIndex, -1);
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{B, G, R, K}));

  std::vector<std::uint8_t> rows;
  for (int r = 0; r < 11; ++r) rows.insert(rows.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(r)});
  p = Screen(2, 11, {Rect(0, 0, 2, 11, rows)});
  p.global.resize(16);
  p.frames[0].interlaced = true;
  pic = Decode(Encode(p));
  EXPECT_TRUE(pic.Frames[0].Interlaced);
  EXPECT_EQ(pic.Frames[0].Pixels, rows);
}

TEST(GifDecoder, TransparentPixelsShowWhatIsBeneath) {
  // The first frame leaves its third pixel undrawn.
  TGifPicture pic = Decode(Encode(Screen(3, 1, {Rect(0, 0, 2, 1, {1, 0}, DISPOSE_DO_NOT, 0),
                                                Rect(0, 0, 3, 1, {2, 3, 2}, DISPOSE_DO_NOT, 2)})));
  EXPECT_EQ(pic.Frames[0].TransparentIndex, 0);
  EXPECT_EQ(pic.Frames[1].TransparentIndex, 2);
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{R, 0, 0}));
  EXPECT_EQ(ComposeGifFrame(pic, 1), (TGifCanvas{R, B, 0}));
}

TEST(GifDecoder, DisposalDecidesWhatTheNextFrameIsDrawnOn) {
  // Screen 4 x 1: frame 0 fills it red, frame 1 puts green at x = 2..3, frame 2 blue at x = 0.
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
    TGifPicture pic = Decode(Encode(Screen(4, 1, {Rect(0, 0, 4, 1, {1, 1, 1, 1}, c.disposal0),
                                                  Rect(2, 0, 2, 1, {2, 2}, c.disposal1), Rect(0, 0, 1, 1, {3})})));
    EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{R, R, R, R}));
    EXPECT_EQ(ComposeGifFrame(pic, 1), c.frame1);
    EXPECT_EQ(ComposeGifFrame(pic, 2), c.frame2);
  }
}

TEST(GifDecoder, ComposerGivesTheSameFramesInAnyOrder) {
  TGifPicture pic = Decode(Encode(Animated()));
  std::vector<TGifCanvas> fresh;
  for (int i = 0; i < 3; ++i) fresh.push_back(ComposeGifFrame(pic, i));
  // Frame 1 shows frame 0 with the square over its centre; that area is cleared before frame 2.
  EXPECT_EQ(fresh[1], (TGifCanvas{R, R, R, R, G, K, B, G, B, B, K, B}));
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
  TGifPicture pic = Decode(Encode(Screen(2, 2, {Rect(1, 1, 3, 2, {1, 2, 3, 3, 2, 1}, DISPOSE_BACKGROUND),
                                                Rect(0, 0, 1, 1, {3})})));
  EXPECT_EQ(ComposeGifFrame(pic, 0), (TGifCanvas{0, 0, 0, R}));
  EXPECT_EQ(ComposeGifFrame(pic, 1), (TGifCanvas{B, 0, 0, 0}));
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
  PictureDesc p = Screen(2, 2, {Rect(0, 0, 2, 2, {0, 1, 2, 3})});
  p.gif89 = false;
  p.frames[0].control = false;
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

  p.frames.assign(1001, Rect(0, 0, 1, 1, {1}));
  EXPECT_THROW(Decode(Encode(p)), EGifError);
  p.frames.resize(1000);
  EXPECT_EQ(Decode(Encode(p)).Frames.size(), 1000u);
}

TEST(GifDecoder, EveryTruncationRaises) {
  PictureDesc p = Animated();
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
