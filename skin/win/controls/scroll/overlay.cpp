#include "skin/win/controls/scroll/overlay.h"

#include <windowsx.h>

#include "skin/win/controls/control.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/user32.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/controls.h"

namespace {

const wchar_t kOverlayClass[] = L"TWScrollbar";

void RegisterOverlayClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kOverlayClass;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
}

bool Drawable(const TDataSkinObject* obj) { return obj && obj->HasImage() && obj->FrameCount > 0; }

}  // namespace

TWScrollbar::TWScrollbar() : FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() {
  *alive_ = false;
  if (FHandle && IsWindow(FHandle)) {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
}

void TWScrollbar::AttachToControl(TSkinControl* ownerSkin, TControl* control, int kind) {
  auto* w = dynamic_cast<TWinControl*>(control);
  if (!w) return;
  AttachToWindow(ownerSkin, w->Handle(), kind);
}

void TWScrollbar::AttachToWindow(TSkinControl* ownerSkin, HWND handle, int kind) {
  FOwnerSkin = ownerSkin;
  FTargetHandle = handle;
  FKind = kind;
  MakeWindow(handle);
  Place(handle);
}

void TWScrollbar::MakeWindow(HWND target) {
  if (FHandle || !IsWindow(target)) return;
  RegisterOverlayClass();
  FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, kOverlayClass, L"", WS_CHILD, 0, 0, 0, 0, GetParent(target), nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!FHandle) return;
  SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWScrollbar::WindowProcedure));
}

LRESULT CALLBACK TWScrollbar::WindowProcedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // Destroyed with its parent: the object stays, without a window.
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    self->FShown = false;
    return DefWindowProcW(wnd, msg, wp, lp);
  }
  try {
    return self->Message(msg, wp, lp);
  } catch (...) {
    return 0;  // nothing crosses the window procedure
  }
}

LRESULT TWScrollbar::Message(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(FHandle, &ps);
      Paint(dc);
      EndPaint(FHandle, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      MouseMove(lp);
      return 0;
    case WM_MOUSELEAVE:
      if (!FPressed) {
        FHotPart = spNone;
        Invalidate();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(lp);
      return 0;
    case WM_LBUTTONUP:
      Release(lp);
      return 0;
    default:
      return DefWindowProcW(FHandle, msg, wp, lp);
  }
}

bool TWScrollbar::ReadBarInfo(SCROLLBARINFO& info) const {
  if (!FTargetHandle) return false;
  return GetScrollBarInfoSafe(FTargetHandle, FKind == kVertical ? OBJID_VSCROLL : OBJID_HSCROLL, info);
}

void TWScrollbar::Place(HWND handle) {
  FTargetHandle = handle;
  SCROLLBARINFO info{};
  if (!FHandle || !ReadBarInfo(info)) {
    FShown = false;
    return;
  }
  if (!(GetWindowLongW(handle, GWL_STYLE) & WS_VISIBLE) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
    HideBar();
    return;
  }
  RECT bar = info.rcScrollBar;
  POINT client{bar.left, bar.top};
  ScreenToClient(handle, &client);
  const int width = bar.right - bar.left, height = bar.bottom - bar.top;
  FBarRect = RECT{client.x, client.y, client.x + width, client.y + height};
  FBarLength = FKind == kVertical ? height : width;
  POINT at{bar.left, bar.top};
  ScreenToClient(GetParent(handle), &at);
  // Directly above the target; once placed the overlay itself may be the one before it.
  HWND before = GetWindow(handle, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
  if (before == FHandle) flags |= SWP_NOZORDER;
  if (!before) before = HWND_TOP;
  FShown = true;
  SetWindowPos(FHandle, before, at.x, at.y, width, height, flags);
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWScrollbar::HideBar() {
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
  FShown = false;
}

int TWScrollbar::HitTest(POINT p) const {
  return ScrollHitTest(Axis(), FKind == kVertical ? p.y : p.x);
}

void TWScrollbar::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TWScrollbar::SetEnabled(bool enabled) {
  if (FHandle) EnableWindow(FHandle, enabled);
  Invalidate();
}

void TWScrollbar::MouseMove(LPARAM lp) {
  const int part = HitTest(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  if (part != FHotPart) {
    FHotPart = part;
    Invalidate();
  }
  TrackMouseLeave(FHandle);
}

LPARAM TWScrollbar::ScreenPosition(LPARAM lp) const {
  const int x = GET_X_LPARAM(lp) + FBarOrigin.x, y = GET_Y_LPARAM(lp) + FBarOrigin.y;
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

void TWScrollbar::Press(LPARAM lp) {
  GetCursorPos(&FPressCursor);
  SCROLLBARINFO info{};
  const bool read = ReadBarInfo(info);
  if (read) FPressThumbStart = info.xyThumbTop;
  const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  FHotPart = HitTest(p);
  FBarOrigin = read ? POINT{info.rcScrollBar.left, info.rcScrollBar.top} : POINT{0, 0};
  const LPARAM screen = ScreenPosition(lp);
  FPressed = true;
  Invalidate();
  FHotPart = HitTest(p);
  ReleaseCapture();
  // Returns when the system's tracking of the press is over; the skin may
  // have been taken off meanwhile.
  const std::shared_ptr<bool> alive = alive_;
  SendMessageW(FTargetHandle, WM_NCLBUTTONDOWN, HitCode(), screen);
  if (!*alive) return;
  FPressed = false;
  ReleaseCapture();
  Invalidate();
}

void TWScrollbar::Release(LPARAM lp) {
  const LPARAM screen = ScreenPosition(lp);
  FPressed = false;
  ReleaseCapture();
  PostMessageW(FTargetHandle, WM_NCLBUTTONUP, HitCode(), screen);
}

void TWScrollbar::TrackThumb() {
  POINT cursor;
  GetCursorPos(&cursor);
  TScrollAxis axis = Axis();
  const int travel = FKind == kVertical ? cursor.y - FPressCursor.y : cursor.x - FPressCursor.x;
  TrackScrollThumb(axis, FPressThumbStart, travel);
  FThumbStart = axis.ThumbStart;
  FThumbEnd = axis.ThumbEnd;
}

void TWScrollbar::Paint(HDC dc) {
  TSkinData* data = FOwnerSkin ? FOwnerSkin->FSkinData : nullptr;
  if (!FHandle || !data || !data->Scrollbar || !data->Scrollbar->HasImage()) return;
  SCROLLBARINFO info{};
  if (!ReadBarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
  RECT own;
  GetClientRect(FHandle, &own);
  const int width = info.rcScrollBar.right - info.rcScrollBar.left;
  const int height = info.rcScrollBar.bottom - info.rcScrollBar.top;
  // A stale placement: wait for the next one.
  if (width < 0 || height < 0 || width > own.right || height > own.bottom) return;
  FBarLength = FKind == kVertical ? height : width;
  if (FPressed && FHotPart == spThumb) {
    TrackThumb();
  } else {
    FThumbStart = info.xyThumbTop;
    FThumbEnd = info.xyThumbBottom;
  }
  TScrollBarFace face;
  face.Kind = FKind;
  face.ArrowSize = FArrowSize;
  face.HotPart = FHotPart;
  face.Pressed = FPressed;
  face.ThumbStart = FThumbStart;
  face.ThumbEnd = FThumbEnd;
  face.WindowEnabled = IsWindowEnabled(FTargetHandle) != FALSE;
  DrawScrollBarFace(dc, POINT{0, 0}, *FOwnerSkin, info, face, SIZE{own.right, own.bottom});
}

bool DrawScrollBarFace(HDC dc, POINT at, const TSkinControl& owner, const SCROLLBARINFO& info,
                       const TScrollBarFace& face, SIZE room) {
  const TSkinData* data = owner.FSkinData;
  const TDataSkinObject* arrows = data ? data->Scrollbar.get() : nullptr;
  if (!arrows || !arrows->HasImage() || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return false;
  const bool enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && face.WindowEnabled;
  RECT r{0, 0, info.rcScrollBar.right - info.rcScrollBar.left, info.rcScrollBar.bottom - info.rcScrollBar.top};
  if (r.right <= 0 || r.bottom <= 0 || r.right > room.cx || r.bottom > room.cy) return false;
  const bool vertical = face.Kind == TWScrollbar::kVertical;
  const int length = vertical ? r.bottom : r.right;
  const int extent = vertical ? room.cy : room.cx;
  const int arrowSize = face.ArrowSize;
  const int thickness = ScrollBarThickness(arrows->Bitmap->GetHeight(), arrowSize);

  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(r.right, r.bottom);
  if (bitmap.Empty() || !bitmap.Handle()) return false;
  HDC bdc = bitmap.CanvasDC();
  SetStretchBltMode(bdc, COLORONCOLOR);
  owner.FillSkinColor(bdc, r);
  if (vertical) r.right = thickness;
  else r.bottom = thickness;
  // The rectangle from a to b along the axis, the bar's thickness across.
  auto span = [&](int a, int b) { return vertical ? RECT{0, a, r.right, b} : RECT{a, 0, b, r.bottom}; };

  // Skins are made for the horizontal objects' switches: both tracks tile as
  // HorzScroll says, both thumbs take HorzScrollThumb's frame count and
  // transparency (the vertical object's own when there is no horizontal one).
  const TDataSkinObject* horzTrack = data->HorzScroll.get();
  const TDataSkinObject* track = vertical ? data->VertScroll.get() : horzTrack;
  if (Drawable(track) && length > 2 * arrowSize)
    SkinDrawPart(bdc, span(arrowSize, length - arrowSize), *track->Bitmap, track->Margins(), enabled ? 1 : 3, 4,
                 track->Trans == 1, (horzTrack ? horzTrack : track)->Tile != 0, false);

  const int arrow = ScrollArrowLength(arrowSize, length);
  TCanvas& canvas = bitmap.Canvas();
  DrawStripFrameCanvas(canvas, span(0, arrow), ScrollStripFrames,
                       ScrollArrowFrame(vertical ? sfUpArrow : sfLeftArrow, face.HotPart == spFirstArrow, face.Pressed),
                       *arrows->Bitmap);
  DrawStripFrameCanvas(
      canvas, span(length - arrow, length), ScrollStripFrames,
      ScrollArrowFrame(vertical ? sfDownArrow : sfRightArrow, face.HotPart == spSecondArrow, face.Pressed),
      *arrows->Bitmap);

  const int start = face.ThumbStart, end = face.ThumbEnd;
  if (enabled && end > start) {
    const bool hot = face.HotPart == spThumb;
    const TDataSkinObject* horzThumb = data->HorzScrollThumb.get();
    const TDataSkinObject* thumb = vertical ? data->VertScrollThumb.get() : horzThumb;
    const TDataSkinObject* switches = horzThumb && horzThumb->FrameCount > 0 ? horzThumb : thumb;
    if (Drawable(thumb) && start < extent && end < extent)
      SkinDrawPart(bdc, span(start, end), *thumb->Bitmap, thumb->Margins(), ScrollThumbFrame(hot, face.Pressed),
                   switches->FrameCount, switches->Trans == 1, false, false);
    int grip = 0;
    const int gripLength = arrows->Bitmap->GetHeight();
    if (ScrollGripStart(start, end, gripLength, grip) && grip < extent && grip + gripLength < extent)
      DrawStripFrameCanvas(canvas, span(grip, grip + gripLength), ScrollStripFrames,
                           ScrollGripFrame(vertical ? sfVertGrip : sfHorzGrip, hot, face.Pressed), *arrows->Bitmap);
  }
  BitBlt(dc, at.x, at.y, bitmap.GetWidth(), bitmap.GetHeight(), bdc, 0, 0, SRCCOPY);
  return true;
}
