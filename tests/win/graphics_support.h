#pragma once
// Shared set-up of the graphics tests: one application, a form, a message pump.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "form_fixture.h"

struct GraphicsFixture : FormFixture {
  void SetUp() override {
    FormFixture::SetUp();
    form->SetBounds(20, 20, 420, 320);
  }
  void TearDown() override {
    FormFixture::TearDown();
    EXPECT_TRUE(reports.empty()) << reports.front();
  }
};

// A memory DC with a 32-bit bitmap, for reading back what was drawn.
struct TestSurface {
  TestSurface(int w, int h) {
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(w, h, 1, 32, nullptr);
    old = SelectObject(dc, bmp);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~TestSurface() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
};
