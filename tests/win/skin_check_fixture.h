#pragma once
// A form for the tests of one skinned-control family: a skin data whose
// objects the test fills, the dispatcher over a list of its own, and the
// face of an object painted off screen.
#include <memory>

#include "skin_fixture.h"
#include "toolkit/win/bitmap.h"

struct SkinCheckFixture : SkinFixture {
  static constexpr TColor kUnpainted = static_cast<TColor>(1 | (2 << 8) | (3 << 16));

  void SetUp() override {
    SkinFixture::SetUp();
    MakeSkin(*data);
    NewDispatcher();
  }
  virtual void MakeSkin(TSkinData& skin) = 0;
  void UseSkin(std::unique_ptr<TSkinData> skin) {
    data = std::move(skin);
    NewDispatcher();
  }
  // The object's face painted over kUnpainted, at its window's size.
  std::unique_ptr<TBitmap> Face(TSkinControl* o) {
    RECT wr{};
    GetWindowRect(o->Handle(), &wr);
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(TPixelFormat::pf24bit);
    bmp->SetSize(wr.right - wr.left, wr.bottom - wr.top);
    const RECT all{0, 0, bmp->GetWidth(), bmp->GetHeight()};
    FillRectColor(bmp->CanvasDC(), all, kUnpainted);
    o->PaintSkin(bmp->CanvasDC(), all);
    return bmp;
  }
};
