#pragma once
// A form on screen with a test skin of plain colours and a dispatcher over
// it, for the tests of the skinned-control families.
#include <windows.h>

#include "skin_button_skin.h"
#include "skin_fixture.h"

struct SkinFamilyFixture : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    MakeButtonSkin(*data);
    NewDispatcher();
  }
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
};
