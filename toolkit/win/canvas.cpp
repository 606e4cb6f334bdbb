#include "toolkit/win/canvas.h"

#include "toolkit/base/gbk_wide.h"

namespace {
// A brush or pen made again at its next use, after a change.
template <class THandle>
void DropHandle(THandle& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}
}  // namespace

const TClassInfo& TBrush::StaticClass() {
  static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TPersistent::StaticClass())
                                     .Prop("Color", &TBrush::GetColor, &TBrush::SetColor)
                                     .Enum("Style", &TBrush::GetStyle, &TBrush::SetStyle, {"bsSolid", "bsClear"})
                                     .Build();
  return info;
}
TBrush::~TBrush() { if (handle_) DeleteObject(handle_); }
void TBrush::SetColor(TColor c) {
  color_ = c;
  DropHandle(handle_);
}
void TBrush::SetStyle(TBrushStyle s) {
  style_ = s;
  DropHandle(handle_);
}
HBRUSH TBrush::Handle() const {
  if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) handle_ = CreateSolidBrush(ColorToRGB(color_));
  return handle_;
}

const TClassInfo& TPen::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPen>("TPen", &TPersistent::StaticClass())
                                     .Prop("Color", &TPen::GetColor, &TPen::SetColor)
                                     .Prop("Width", &TPen::GetWidth, &TPen::SetWidth)
                                     .Build();
  return info;
}
TPen::~TPen() { if (handle_) DeleteObject(handle_); }
void TPen::SetColor(TColor c) {
  color_ = c;
  DropHandle(handle_);
}
void TPen::SetWidth(int w) {
  width_ = w;
  DropHandle(handle_);
}
HPEN TPen::Handle() const {
  if (!handle_) handle_ = CreatePen(PS_SOLID, width_, ColorToRGB(color_));
  return handle_;
}

const TClassInfo& TCanvas::StaticClass() {
  static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass()).Build();
  return info;
}

TCanvas::~TCanvas() { Restore(); }

void TCanvas::SetHandle(HDC dc) {
  Restore();
  dc_ = dc;
}

void TCanvas::Restore() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::Prepare() {
  HGDIOBJ f = SelectObject(dc_, font_.Handle());
  HGDIOBJ b = SelectObject(dc_, brush_.Handle());
  HGDIOBJ p = SelectObject(dc_, pen_.Handle());
  if (!oldFont_) oldFont_ = f;
  if (!oldBrush_) oldBrush_ = b;
  if (!oldPen_) oldPen_ = p;
  SetTextColor(dc_, ColorToRGB(font_.GetColor()));
  if (brush_.GetStyle() == TBrushStyle::bsClear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(brush_.GetColor()));
  }
}

void TCanvas::FillRect(const RECT& r) {
  Prepare();
  ::FillRect(dc_, &r, brush_.Handle());
}
void TCanvas::FrameRect(const RECT& r) {
  Prepare();
  ::FrameRect(dc_, &r, brush_.Handle());
}
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Prepare();
  ::Rectangle(dc_, x1, y1, x2, y2);
}
void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }
void TCanvas::LineTo(int x, int y) {
  Prepare();
  ::LineTo(dc_, x, y);
}
void TCanvas::TextOut(int x, int y, const std::string& text) {
  Prepare();
  std::wstring w = GbkToWide(text);
  TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}
void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
  Prepare();
  std::wstring w = GbkToWide(text);
  ExtTextOutW(dc_, x, y, ETO_CLIPPED | (brush_.GetStyle() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE), &r, w.c_str(),
              static_cast<UINT>(w.size()), nullptr);
}
int TCanvas::DrawText(const std::string& text, RECT& r, UINT format) { return DrawText(GbkToWide(text), r, format); }
int TCanvas::DrawText(const std::wstring& text, RECT& r, UINT format) {
  Prepare();
  return DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}
void TCanvas::Polygon(const std::vector<POINT>& points) {
  if (points.empty()) return;
  Prepare();
  ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}
TColor TCanvas::GetPixel(int x, int y) const {
  COLORREF c = ::GetPixel(dc_, x, y);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}
void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixelV(dc_, x, y, ColorToRGB(color)); }
SIZE TCanvas::TextExtent(const std::string& text) {
  Prepare();
  std::wstring w = GbkToWide(text);
  SIZE s{0, 0};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return s;
}
void TCanvas::Draw(int x, int y, HBITMAP bitmap) {
  if (!bitmap) return;
  BITMAP bm{};
  GetObject(bitmap, sizeof bm, &bm);
  HDC mem = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BitBlt(dc_, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}
