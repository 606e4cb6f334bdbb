#include "skin/win/menu/popup.h"

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "toolkit/win/bitmap.h"

namespace {
// The width of a menu window's edge that the skin's frame covers.
constexpr int kEdge = 3;
}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu() : frame_(std::make_unique<TBitmap>()) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* data, HMENU menu) {
  window_ = window;
  data_ = data;
  menu_ = menu;
  subclass_.Attach(window, [this](TMessage& m) { WndProc(m); });
}

void TWinSkinPopMenu::Detach() {
  if (!subclass_.Attached()) return;
  subclass_.Detach();
  frame_->SetSize(0, 0);
}

bool TWinSkinPopMenu::CanPaint() const {
  return data_ && !data_->NoSkin && data_->MenuBackground && data_->MenuBackground->HasImage();
}

void TWinSkinPopMenu::RenderFrame() {
  RECT r{};
  if (!GetWindowRect(window_, &r)) return;
  OffsetRect(&r, -r.left, -r.top);
  TDataSkinObject& o = *data_->MenuBackground;
  std::unique_ptr<TBitmap> part = SkinRenderPart(r, *o.Bitmap, o.Margins(), 1, 1, o.Tile == 1, false);
  frame_ = std::move(part);
}

TBitmap* TWinSkinPopMenu::Background() {
  if (!CanPaint() || !subclass_.Attached()) return nullptr;
  RECT r{};
  GetWindowRect(window_, &r);
  if (frame_->GetWidth() != r.right - r.left || frame_->GetHeight() != r.bottom - r.top) RenderFrame();
  return frame_->Empty() ? nullptr : frame_.get();
}

POINT TWinSkinPopMenu::ClientOffset() const {
  RECT r{};
  GetWindowRect(window_, &r);
  POINT p{0, 0};
  ClientToScreen(window_, &p);
  return POINT{p.x - r.left, p.y - r.top};
}

void TWinSkinPopMenu::WndProc(TMessage& m) {
  if (m.Msg == SM_ISSKINNED) {
    m.Result = 1;
    return;
  }
  TSkinManage* manager = SkinManager();
  if (!manager || !manager->Enabled()) {
    subclass_.CallPrevious(m);
    return;
  }
  switch (m.Msg) {
    case WM_ERASEBKGND: EraseBackground(m); return;
    case WM_NCPAINT: PaintFrame(m); return;
    case WM_PRINT: PrintFrame(m); return;
    case WM_PAINT: PaintBorder(m); return;
    default: subclass_.CallPrevious(m); return;
  }
}

void TWinSkinPopMenu::EraseBackground(TMessage& m) {
  if (!data_ || !(data_->Options & SetOf(xoMenuBG))) subclass_.CallPrevious(m);
  m.Result = 1;
}

void TWinSkinPopMenu::PaintFrame(TMessage& m) {
  // The skin paints the whole frame; a part of it (a region in WParam) is the system's.
  if (!CanPaint() || m.WParam != 1) {
    subclass_.CallPrevious(m);
    return;
  }
  RenderFrame();
  HDC dc = GetWindowDC(window_);
  if (!dc) return;
  BitBlt(dc, 0, 0, frame_->GetWidth(), frame_->GetHeight(), frame_->CanvasDC(), 0, 0, SRCCOPY);
  ReleaseDC(window_, dc);
  m.Result = 0;
}

void TWinSkinPopMenu::PrintFrame(TMessage& m) {
  RECT r{};
  if (!CanPaint() || !GetWindowRect(window_, &r)) {
    subclass_.CallPrevious(m);
    return;
  }
  OffsetRect(&r, -r.left, -r.top);
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  RenderFrame();
  BitBlt(dc, 0, 0, frame_->GetWidth(), frame_->GetHeight(), frame_->CanvasDC(), 0, 0, SRCCOPY);
  HRGN inner = CreateRectRgn(r.left + kEdge, r.top + kEdge, r.right - kEdge, r.bottom - kEdge);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  SelectClipRgn(dc, inner);
  subclass_.CallPrevious(m);
  SelectClipRgn(dc, nullptr);
  DeleteObject(inner);
  SetBkMode(dc, oldMode);
}

void TWinSkinPopMenu::PaintBorder(TMessage& m) {
  subclass_.CallPrevious(m);
  // A menu window without a non-client edge draws its edge in its client
  // area: the skin's frame is laid over that edge again.
  POINT offset = ClientOffset();
  if (!CanPaint() || offset.x > 0 || offset.y > 0) return;
  TBitmap* frame = Background();
  if (!frame) return;
  HDC dc = GetWindowDC(window_);
  if (!dc) return;
  const int w = frame->GetWidth(), h = frame->GetHeight();
  ExcludeClipRect(dc, kEdge, kEdge, w - kEdge, h - kEdge);
  BitBlt(dc, 0, 0, w, h, frame->CanvasDC(), 0, 0, SRCCOPY);
  ReleaseDC(window_, dc);
}
