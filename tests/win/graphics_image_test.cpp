#include <chrono>

#include "graphics_support.h"
#include "toolkit/win/image.h"

namespace {

// Frames of one colour each, made here in place of a decoded GIF.
class SolidFrames : public TAnimatedPicture {
public:
  struct F {
    std::uint8_t r, g, b, a;
    int delay;
  };
  SolidFrames(int w, int h, std::vector<F> frames, int loops) : w_(w), h_(h), frames_(std::move(frames)), loops_(loops) {
    for (const F& f : frames_) {
      pixels_.emplace_back();
      for (int i = 0; i < w * h; ++i) pixels_.back().insert(pixels_.back().end(), {f.r, f.g, f.b, f.a});
    }
  }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  int FrameCount() const override { return static_cast<int>(frames_.size()); }
  const std::uint8_t* FramePixels(int i) const override { return pixels_.at(static_cast<std::size_t>(i)).data(); }
  int FrameDelay(int i) const override { return frames_.at(static_cast<std::size_t>(i)).delay; }
  int LoopCount() const override { return loops_; }
  std::vector<std::vector<std::uint8_t>> pixels_;

private:
  int w_, h_;
  std::vector<F> frames_;
  int loops_;
};

struct ImageTest : GraphicsFixture {
  void SetUp() override {
    GraphicsFixture::SetUp();
    image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 50, 40);
  }
  // The colour the form's windowless children paint at a form point.
  COLORREF Painted(int x, int y) {
    TestSurface s(420, 320);
    form->PaintControls(s.dc);
    return s.At(x, y);
  }
  using Clock = std::chrono::steady_clock;
  // Runs the message loop for `ms`, noting each frame change and when it came.
  std::vector<std::pair<int, long>> Watch(int ms) {
    std::vector<std::pair<int, long>> seen{{image->FrameIndex(), 0}};
    auto start = Clock::now();
    for (;;) {
      long t = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
      if (t >= ms) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      Pump();
      if (image->FrameIndex() != seen.back().first) seen.push_back({image->FrameIndex(), t});
    }
    return seen;
  }
  TImage* image = nullptr;
};

TBitmap* SolidBitmap(int w, int h, TColor c) {
  auto* b = new TBitmap;
  b->SetSize(w, h);
  b->Canvas().Brush().SetColor(c);
  b->Canvas().FillRect(RECT{0, 0, w, h});
  return b;
}

TEST_F(ImageTest, AutoSizeTakesThePicturesSizeAndPaintsIt) {
  std::unique_ptr<TBitmap> b(SolidBitmap(30, 20, clRed));
  image->Picture()->Assign(*b);
  EXPECT_EQ(image->GetWidth(), 50);  // AutoSize off: the design size stays
  image->SetAutoSize(true);
  EXPECT_EQ(image->GetWidth(), 30);
  EXPECT_EQ(image->GetHeight(), 20);
  std::unique_ptr<TBitmap> big(SolidBitmap(64, 33, clBlue));
  image->Picture()->Assign(*big);
  EXPECT_EQ(image->GetWidth(), 64);
  EXPECT_EQ(image->GetHeight(), 33);
  // The picture is a copy: changing the source later changes nothing.
  big->Canvas().Brush().SetColor(clLime);
  big->Canvas().FillRect(RECT{0, 0, 64, 33});
  EXPECT_EQ(Painted(12, 12), RGB(0, 0, 255));
  image->Picture()->Clear();
  EXPECT_TRUE(image->Picture()->Empty());
  EXPECT_EQ(image->GetWidth(), 64);
  EXPECT_NE(Painted(12, 12), RGB(0, 0, 255));
}

TEST_F(ImageTest, CenterStretchAndTransparent) {
  std::unique_ptr<TBitmap> b(SolidBitmap(10, 10, clFuchsia));
  b->Canvas().Brush().SetColor(clRed);
  b->Canvas().FillRect(RECT{2, 2, 8, 8});
  image->Picture()->Assign(*b);
  EXPECT_EQ(Painted(10 + 1, 10 + 1), RGB(255, 0, 255));
  image->SetCenter(true);  // 50x40: the picture at (20, 15)
  EXPECT_NE(Painted(10 + 1, 10 + 1), RGB(255, 0, 255));
  EXPECT_EQ(Painted(10 + 20, 10 + 15), RGB(255, 0, 255));
  image->SetTransparent(true);
  EXPECT_NE(Painted(10 + 20, 10 + 15), RGB(255, 0, 255));
  EXPECT_EQ(Painted(10 + 24, 10 + 19), RGB(255, 0, 0));
  image->SetTransparent(false);
  image->SetStretch(true);
  EXPECT_EQ(Painted(10 + 48, 10 + 38), RGB(255, 0, 255));
  EXPECT_EQ(Painted(10 + 25, 10 + 20), RGB(255, 0, 0));
}

TEST_F(ImageTest, AnimationShowsFrameZeroThenFollowsTheDelaysAndStopsAfterTheLoops) {
  // 250 ms red, 50 ms green, 50 ms see-through; played twice.
  SolidFrames frames(8, 6, {{255, 0, 0, 255, 25}, {0, 255, 0, 255, 5}, {0, 0, 255, 0, 5}}, 2);
  image->SetAutoSize(true);
  image->Picture()->Assign(frames);
  frames.pixels_.clear();  // the picture keeps its own copy
  EXPECT_EQ(image->GetWidth(), 8);
  EXPECT_EQ(image->Picture()->FrameCount(), 3);
  EXPECT_EQ(image->Picture()->FrameDelay(0), 25);
  EXPECT_EQ(image->FrameIndex(), 0);
  EXPECT_TRUE(image->Animating());
  EXPECT_EQ(Painted(12, 12), RGB(255, 0, 0));

  auto seen = Watch(1200);
  std::vector<int> order;
  for (auto& s : seen) order.push_back(s.first);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1, 2}));
  EXPECT_FALSE(image->Animating());
  EXPECT_EQ(image->FrameIndex(), 2);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_GE(seen[1].second, 200);                     // frame 0 stayed its 250 ms
  EXPECT_LT(seen[2].second - seen[1].second, 200);    // frame 1 only 50 ms
  EXPECT_GE(seen[4].second - seen[3].second, 200);    // frame 0 again, 250 ms
  // The last frame is transparent: what is behind the image shows.
  EXPECT_NE(Painted(12, 12), RGB(0, 0, 255));
  EXPECT_NE(Painted(12, 12), RGB(0, 255, 0));
}

TEST_F(ImageTest, LoopCountZeroPlaysOnAndANewPictureStartsAgain) {
  SolidFrames forever(4, 4, {{255, 0, 0, 255, 3}, {0, 255, 0, 255, 3}}, 0);
  image->Picture()->Assign(forever);
  auto seen = Watch(400);
  EXPECT_GE(seen.size(), 5u);
  EXPECT_TRUE(image->Animating());

  // A still picture ends the animation.
  std::unique_ptr<TBitmap> b(SolidBitmap(4, 4, clBlue));
  image->Picture()->Assign(*b);
  EXPECT_FALSE(image->Animating());
  EXPECT_EQ(image->FrameIndex(), 0);
  EXPECT_EQ(Watch(100).size(), 1u);

  // One frame alone does not animate; a deleted image leaves no timer behind.
  SolidFrames one(4, 4, {{0, 0, 0, 255, 1}}, 0);
  image->Picture()->Assign(one);
  EXPECT_FALSE(image->Animating());
  image->Picture()->Assign(forever);
  delete image;
  Watch(100);
}

TEST_F(ImageTest, PictureAssignCopiesAnotherPicture) {
  SolidFrames frames(3, 2, {{10, 20, 30, 255, 7}, {40, 50, 60, 128, 9}}, 4);
  TPicture a;
  a.Assign(frames);
  TPicture b;
  b.Assign(a);
  a.Clear();
  ASSERT_EQ(b.FrameCount(), 2);
  EXPECT_EQ(b.LoopCount(), 4);
  EXPECT_EQ(b.FrameDelay(1), 9);
  EXPECT_EQ(b.Width(), 3);
  // Premultiplied: half-covered (40, 50, 60) keeps half its intensity.
  auto* px = static_cast<std::uint8_t*>(b.Frame(1).ScanLine(0));
  EXPECT_EQ(px[0], 60 * 128 / 255);
  EXPECT_EQ(px[2], 40 * 128 / 255);
  EXPECT_EQ(px[3], 128);
  EXPECT_THROW(b.Frame(2), Exception);
}

}  // namespace
