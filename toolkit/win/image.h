#pragma once
// Pictures (a still bitmap or animated frames) and the image control showing them.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

// Frames already composed to 32-bit RGBA (top row first, 4 bytes a pixel in the
// order red, green, blue, alpha), all of the picture's size. Delays are in 1/100 s;
// a loop count of 0 plays forever, n plays the frames n times.
class TAnimatedPicture {
public:
  virtual ~TAnimatedPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int FrameCount() const = 0;
  virtual const std::uint8_t* FramePixels(int index) const = 0;
  virtual int FrameDelay(int index) const = 0;
  virtual int LoopCount() const = 0;
};

class TPicture : public TPersistent {
  TK_CLASS(TPicture)
public:
  TPicture();
  ~TPicture() override;

  // Copies a bitmap, another picture, or the frames of an animated picture.
  void Assign(const TPersistent& source) override;
  void Assign(const TAnimatedPicture& source);
  void Clear();
  bool Empty() const { return frames_.empty(); }
  int Width() const;
  int Height() const;

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // Frame `index` as a bitmap (32 bpp with premultiplied alpha for animated frames).
  TBitmap& Frame(int index) const;
  int FrameDelay(int index) const;  // 1/100 s
  int LoopCount() const { return loopCount_; }
  bool HasAlpha() const { return alpha_; }

  std::function<void(TObject*)> OnChange;

private:
  void Changed();
  std::vector<std::unique_ptr<TBitmap>> frames_;
  std::vector<int> delays_;
  int loopCount_ = 0;
  bool alpha_ = false;
};

class TImage : public TGraphicControl {
  TK_CLASS(TImage)
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() const { return picture_.get(); }
  bool GetStretch() const { return stretch_; }
  void SetStretch(bool v);
  bool GetCenter() const { return center_; }
  void SetCenter(bool v);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);

  // Animation state: the frame shown, and whether the frames are still advancing.
  int FrameIndex() const { return frame_; }
  bool Animating() const { return timer_ != 0; }

  void Paint() override;

protected:
  void AdjustAutoSize() override;

private:
  void PictureChanged();
  void StartFrame(int index);
  void StopTimer();
  void TimerFired();
  static LRESULT CALLBACK TimerWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false, center_ = false, transparent_ = false;
  int frame_ = 0;
  int loopsDone_ = 0;
  HWND timerWnd_ = nullptr;
  UINT_PTR timer_ = 0;
};
