#include "toolkit/win/image.h"
#include "toolkit/win/hidden_window.h"

#include <algorithm>
#include <cstring>

#include "toolkit/win/app_errors.h"

// --- TPicture ------------------------------------------------------------------

const TClassInfo& TPicture::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClass()).Build();
  return info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

int TPicture::Width() const { return frames_.empty() ? 0 : frames_[0]->GetWidth(); }
int TPicture::Height() const { return frames_.empty() ? 0 : frames_[0]->GetHeight(); }

TBitmap& TPicture::Frame(int index) const {
  if (index < 0 || index >= FrameCount()) throw Exception("picture frame index out of range");
  return *frames_[static_cast<std::size_t>(index)];
}

int TPicture::FrameDelay(int index) const {
  if (index < 0 || index >= FrameCount()) throw Exception("picture frame index out of range");
  return delays_[static_cast<std::size_t>(index)];
}

void TPicture::Clear() {
  if (frames_.empty()) return;
  frames_.clear();
  delays_.clear();
  loopCount_ = 0;
  alpha_ = false;
  Changed();
}

void TPicture::Assign(const TPersistent& source) {
  if (const auto* b = dynamic_cast<const TBitmap*>(&source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*b);
    frames_.clear();
    delays_.clear();
    if (!copy->Empty()) {
      frames_.push_back(std::move(copy));
      delays_.push_back(0);
    }
    loopCount_ = 0;
    alpha_ = false;
    Changed();
    return;
  }
  if (const auto* p = dynamic_cast<const TPicture*>(&source)) {
    if (p == this) return;
    std::vector<std::unique_ptr<TBitmap>> frames;
    for (const auto& f : p->frames_) {
      frames.push_back(std::make_unique<TBitmap>());
      frames.back()->Assign(*f);
    }
    frames_ = std::move(frames);
    delays_ = p->delays_;
    loopCount_ = p->loopCount_;
    alpha_ = p->alpha_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::Assign(const TAnimatedPicture& source) {
  int w = source.Width(), h = source.Height(), n = source.FrameCount();
  if (n <= 0 || w <= 0 || h <= 0) {
    Clear();
    return;
  }
  std::vector<std::unique_ptr<TBitmap>> frames;
  std::vector<int> delays;
  for (int i = 0; i < n; ++i) {
    const std::uint8_t* rgba = source.FramePixels(i);
    if (!rgba) throw EInvalidGraphic("animated picture without pixels for frame " + std::to_string(i));
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(TPixelFormat::pf32bit);
    b->SetSize(w, h);
    for (int y = 0; y < h; ++y) {
      auto* row = static_cast<std::uint8_t*>(b->ScanLine(y));
      const std::uint8_t* src = rgba + static_cast<std::size_t>(y) * w * 4;
      for (int x = 0; x < w; ++x) {
        unsigned a = src[x * 4 + 3];
        // Premultiplied BGRA, as alpha blending wants it.
        row[x * 4] = static_cast<std::uint8_t>(src[x * 4 + 2] * a / 255);
        row[x * 4 + 1] = static_cast<std::uint8_t>(src[x * 4 + 1] * a / 255);
        row[x * 4 + 2] = static_cast<std::uint8_t>(src[x * 4] * a / 255);
        row[x * 4 + 3] = static_cast<std::uint8_t>(a);
      }
    }
    frames.push_back(std::move(b));
    delays.push_back(std::max(0, source.FrameDelay(i)));
  }
  frames_ = std::move(frames);
  delays_ = std::move(delays);
  loopCount_ = std::max(0, source.LoopCount());
  alpha_ = true;
  Changed();
}

// --- TImage --------------------------------------------------------------------

namespace {
const wchar_t kTimerClass[] = L"TImageFrameTimer";
constexpr UINT_PTR kFrameTimerId = 1;
// Frames that ask for no delay (0 or 1) are shown for 1/10 s.
constexpr int kShortestDelay = 2, kDefaultDelay = 10;
}  // namespace

const TClassInfo& TImage::StaticClass() {
  static const TClassInfo info = TClassBuilder<TImage>("TImage", &TGraphicControl::StaticClass())
                                     .Creatable()
                                     .Object("Picture", &TImage::Picture)
                                     .Prop("Stretch", &TImage::GetStretch, &TImage::SetStretch)
                                     .Prop("Center", &TImage::GetCenter, &TImage::SetCenter)
                                     .Prop("Transparent", &TImage::GetTransparent, &TImage::SetTransparent)
                                     .Build();
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() {
  DestroyComponents();
  StopTimer();
  if (timerWnd_) DestroyWindow(timerWnd_);
  picture_->OnChange = nullptr;
}

void TImage::SetStretch(bool v) { SetAndInvalidate(stretch_, v); }
void TImage::SetCenter(bool v) { SetAndInvalidate(center_, v); }
void TImage::SetTransparent(bool v) { SetAndInvalidate(transparent_, v); }

void TImage::AdjustAutoSize() {
  if (GetAutoSize() && !picture_->Empty()) SetBounds(left_, top_, picture_->Width(), picture_->Height());
}

void TImage::PictureChanged() {
  StopTimer();
  frame_ = 0;
  loopsDone_ = 0;
  AdjustAutoSize();
  if (picture_->FrameCount() > 1) StartFrame(0);
  Invalidate();
}

LRESULT CALLBACK TImage::TimerWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kFrameTimerId) {
    auto* image = reinterpret_cast<TImage*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (image) Guarded([image] { image->TimerFired(); });
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void TImage::StartFrame(int index) {
  frame_ = index;
  if (!timerWnd_) {
    timerWnd_ = CreateHiddenWindow(kTimerClass, TimerWndProc);
    if (!timerWnd_) throw Exception("cannot create the animation timer window");
    SetWindowLongPtrW(timerWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  int delay = picture_->FrameDelay(index);
  if (delay < kShortestDelay) delay = kDefaultDelay;
  timer_ = SetTimer(timerWnd_, kFrameTimerId, static_cast<UINT>(delay * 10), nullptr);
}

void TImage::StopTimer() {
  if (timer_ && timerWnd_) KillTimer(timerWnd_, kFrameTimerId);
  timer_ = 0;
}

void TImage::TimerFired() {
  StopTimer();
  int count = picture_->FrameCount();
  if (count < 2) return;
  int next = frame_ + 1;
  if (next >= count) {
    ++loopsDone_;
    if (picture_->LoopCount() > 0 && loopsDone_ >= picture_->LoopCount()) return;  // stays on the last frame
    next = 0;
  }
  StartFrame(next);
  Invalidate();
}

void TImage::Paint() {
  if (picture_->Empty()) return;
  HDC dc = Canvas().Handle();
  TBitmap& bmp = picture_->Frame(std::min(frame_, picture_->FrameCount() - 1));
  int pw = bmp.GetWidth(), ph = bmp.GetHeight();
  RECT r{0, 0, pw, ph};
  if (stretch_) {
    r = RECT{0, 0, GetWidth(), GetHeight()};
  } else if (center_) {
    OffsetRect(&r, (GetWidth() - pw) / 2, (GetHeight() - ph) / 2);
  }
  HDC src = bmp.CanvasDC();
  int rw = r.right - r.left, rh = r.bottom - r.top;
  if (picture_->HasAlpha()) {
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, r.left, r.top, rw, rh, src, 0, 0, pw, ph, bf);
  } else if (transparent_) {
    TransparentBlt(dc, r.left, r.top, rw, rh, src, 0, 0, pw, ph, ColorToRGB(bmp.GetTransparentColor()));
  } else {
    StretchBlt(dc, r.left, r.top, rw, rh, src, 0, 0, pw, ph, SRCCOPY);
  }
}
