#pragma once
// TWScrollbar: a small window laid exactly over one of a target window's own
// scroll bars (WS_HSCROLL or WS_VSCROLL), as the target's sibling, just above
// it. It draws the bar from the skin and hands every press on to the target
// as WM_NCLBUTTONDOWN on the bar, so the system's scroll-bar logic (arrows
// with their repeat, paging, thumb tracking, the scroll messages) runs
// unchanged underneath. The skin object that made it owns it; its window
// goes with it.
//
// Skin objects read (each may be absent): Scrollbar (23 frames of arrows and
// grips; without it nothing is drawn), HorzScroll/VertScroll (the track, 4
// frames: 1 enabled, 3 disabled), HorzScrollThumb/VertScrollThumb (the thumb:
// 1 normal, 2 pressed, 3 hot); colour ButtonFace behind them.
#include <windows.h>

#include <memory>

#include "skin/portable/scroll_geometry.h"

class TControl;
class TSkinControl;

class TWScrollbar {
public:
  enum : int { kHorizontal = 0, kVertical = 1 };

  TWScrollbar();
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  // Covers bar kind of control's window (or of handle); the overlay's window
  // is made as a child of the target's parent and placed at once.
  void AttachToControl(TSkinControl* ownerSkin, TControl* control, int kind);
  void AttachToWindow(TSkinControl* ownerSkin, HWND handle, int kind);
  // Lays the overlay over the bar of handle, or hides it when the bar or the
  // window is not visible.
  void Place(HWND handle);
  void HideBar();
  // Part code (TScrollPart) under a point in overlay coordinates.
  int HitTest(POINT p) const;
  void Invalidate();
  void SetEnabled(bool enabled);
  // The bar as the system reports it; false when it cannot be read.
  bool ReadBarInfo(SCROLLBARINFO& info) const;
  // Draws the bar into dc (overlay coordinates).
  void Paint(HDC dc);
  HWND Handle() const { return FHandle; }

  int FBarLength = 0;
  int FThumbStart = 0, FThumbEnd = 0;
  POINT FBarOrigin{};
  POINT FPressCursor{};
  int FPressThumbStart = 0;
  bool FPressed = false;
  int FHotPart = spNone;
  int FArrowSize = 0;
  HWND FTargetHandle = nullptr;
  TSkinControl* FOwnerSkin = nullptr;
  int FKind = kHorizontal;
  RECT FBarRect{};
  bool FShown = false;

private:
  static LRESULT CALLBACK WindowProcedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Message(UINT msg, WPARAM wp, LPARAM lp);
  void MakeWindow(HWND target);
  void MouseMove(LPARAM lp);
  void Press(LPARAM lp);
  void Release(LPARAM lp);
  // Moves the thumb with the cursor while the system tracks it.
  void TrackThumb();
  // lp's position (overlay coordinates) moved by the bar's screen origin.
  LPARAM ScreenPosition(LPARAM lp) const;
  UINT HitCode() const { return FKind == kVertical ? HTVSCROLL : HTHSCROLL; }
  // The bar's arrows, length and thumb along its axis.
  TScrollAxis Axis() const { return TScrollAxis{FArrowSize, FBarLength, FThumbStart, FThumbEnd}; }

  HWND FHandle = nullptr;
  // False once the object is gone: a press handed on may outlive it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// How a bar is to look: its kind, the system's arrow size, the hot part,
// whether a press is being handed on, and the thumb's extent along the axis.
struct TScrollBarFace {
  int Kind = TWScrollbar::kHorizontal;
  int ArrowSize = 0;
  int HotPart = spNone;
  bool Pressed = false;
  int ThumbStart = 0, ThumbEnd = 0;
  // A disabled window's bar is drawn disabled even where the system does not
  // report it unavailable.
  bool WindowEnabled = true;
};
// Draws the bar that info describes, from owner's skin, into dc with its
// top-left corner at `at`; room is the extent it may take (a bar larger than
// that is stale and not drawn). False when nothing was drawn: no Scrollbar
// image, an invisible bar, or no off-screen bitmap.
bool DrawScrollBarFace(HDC dc, POINT at, const TSkinControl& owner, const SCROLLBARINFO& info,
                       const TScrollBarFace& face, SIZE room);
