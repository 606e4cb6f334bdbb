#pragma once
// A form on screen with a test skin of plain colours and a dispatcher over
// it, for the tests of the skinned-control families.
#include <windows.h>

#include <memory>

#include "controls_fixture.h"
#include "skin/win/skin_control.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_dispatch.h"
#include "skin_button_skin.h"
#include "toolkit/win/canvas.h"

struct SkinFamilyFixture : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    data = std::make_unique<TSkinData>(nullptr);
    MakeButtonSkin(*data);
    NewDispatcher();
  }
  void TearDown() override {
    dispatcher.reset();
    ControlsFixture::TearDown();
    frameOwner.reset();
  }
  void NewDispatcher() { dispatcher = std::make_unique<TSkinDispatcher>(data.get(), &list, &canvas, frameOwner.get()); }
  // What a window shows at a point after the form and its windows repainted.
  TColor Shown(HWND w, int x, int y) {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now(w, x, y);
  }
  static TColor Now(HWND w, int x, int y) {
    HDC dc = GetDC(w);
    TColor c = static_cast<TColor>(GetPixel(dc, x, y));
    ReleaseDC(w, dc);
    return c;
  }

  std::unique_ptr<TSkinData> data;
  std::unique_ptr<TComponent> frameOwner = std::make_unique<TComponent>(nullptr);
  TSkinControlList list;
  TCanvas canvas;
  std::unique_ptr<TSkinDispatcher> dispatcher;
};
