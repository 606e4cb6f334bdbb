// The parent's background behind a see-through control.
#include <algorithm>
#include <vector>

#include "skin/win/draw/draw.h"
#include "toolkit/win/controls.h"

void PaintParentBackground(TControl& control, HDC dc) {
  TWinControl* parent = control.Parent();
  if (!parent || !dc) return;
  // The parent's painting may paint this control again, which would ask again.
  static std::vector<TControl*> painting;
  if (std::find(painting.begin(), painting.end(), &control) != painting.end()) return;
  painting.push_back(&control);
  int saved = SaveDC(dc);
  try {
    POINT old;
    OffsetViewportOrgEx(dc, -control.GetLeft(), -control.GetTop(), &old);
    RECT r = control.ClientRect();
    OffsetRect(&r, control.GetLeft(), control.GetTop());
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    HWND window = parent->Handle();
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } catch (...) {
    RestoreDC(dc, saved);
    painting.pop_back();
    throw;
  }
  RestoreDC(dc, saved);
  painting.pop_back();
}
