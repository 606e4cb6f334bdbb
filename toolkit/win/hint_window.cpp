#include "toolkit/win/hint_window.h"

#include "toolkit/win/application.h"

namespace {
constexpr int kPadX = 4, kPadY = 2;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}  // namespace

const TClassInfo& THintWindow::StaticClass() {
  static const TClassInfo info = TClassBuilder<THintWindow>("THintWindow", &TWinControl::StaticClass()).Build();
  return info;
}

THintWindow::THintWindow(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  GetFont()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.WndParent = Application ? Application->Handle() : nullptr;
  p.ClassStyle |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
  HDC screen = GetDC(nullptr);
  RECT r{0, 0, maxWidth, 0};
  {
    TCanvas c(screen);
    c.Font().Assign(*GetFont());
    c.DrawText(text.empty() ? " " : text, r, kTextFormat | DT_CALCRECT);
  }
  ReleaseDC(nullptr, screen);
  return RECT{0, 0, r.right - r.left + 2 * kPadX + 2, r.bottom - r.top + 2 * kPadY + 2};
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& text) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  SetText(text);
  SetBounds(rect.left, rect.top, w, h);
  HWND window = Handle();
  SetWindowPos(window, HWND_TOPMOST, rect.left, rect.top, w, h, SWP_NOACTIVATE);
  SetVisible(true);
  InvalidateRect(window, nullptr, TRUE);
}

void THintWindow::ReleaseHint() { SetVisible(false); }

bool THintWindow::HintShowing() const { return HandleAllocated() && IsWindowVisible(HandleOrNull()); }

void THintWindow::PaintWindow(HDC dc) {
  TCanvas c(dc);
  c.Font().Assign(*GetFont());
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  c.Brush().SetColor(GetColor());
  c.FillRect(r);
  c.Brush().SetStyle(TBrushStyle::bsClear);
  InflateRect(&r, -kPadX, -kPadY);
  c.DrawText(GetText(), r, kTextFormat);
}
