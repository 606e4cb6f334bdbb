#include "toolkit/win/hint_window.h"

#include "toolkit/win/application.h"

namespace {
constexpr int kPadX = 4, kPadY = 2;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_SINGLELINE;
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

SIZE THintWindow::CalcHintSize(const std::string& text) {
  HDC screen = GetDC(nullptr);
  SIZE s{0, 0};
  {
    TCanvas c(screen);
    c.Font().Assign(*GetFont());
    RECT r{0, 0, 0, 0};
    c.DrawText(text.empty() ? " " : text, r, kTextFormat | DT_CALCRECT);
    s.cx = r.right - r.left + 2 * kPadX + 2;
    s.cy = r.bottom - r.top + 2 * kPadY + 2;
  }
  ReleaseDC(nullptr, screen);
  return s;
}

void THintWindow::ActivateHint(int x, int y, const std::string& text) {
  SIZE s = CalcHintSize(text);
  SetText(text);
  SetBounds(x, y, s.cx, s.cy);
  HWND w = Handle();
  SetWindowPos(w, HWND_TOPMOST, x, y, s.cx, s.cy, SWP_NOACTIVATE);
  SetVisible(true);
  InvalidateRect(w, nullptr, TRUE);
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
