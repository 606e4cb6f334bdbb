#include "skin/win/controls/boxes/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin/win/draw/text.h"
#include "toolkit/win/bitmap.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/status_bar.h"

const TClassInfo& TSkinStatusBar::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinStatusBar>("TSkinStatusBar", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinStatusBar::TSkinStatusBar(TComponent* owner) : TSkinControl(owner) {}

bool TSkinStatusBar::BeforeMessage(TMessage& m) {
  if (PaintOwnFace(m)) return false;
  return TSkinControl::BeforeMessage(m);
}

void TSkinStatusBar::DrawEdgeFrame(HDC dc, const RECT& e, int k) {
  const TDataSkinObject* edges = FSkinData->StatusBarEdges.get();
  if (edges && edges->HasImage()) {
    std::unique_ptr<TBitmap> part = SkinRenderPart(RECT{0, 0, e.right - e.left, e.bottom - e.top}, *edges->Bitmap,
                                                   edges->Margins(), k, 3, edges->Tile != 0, false);
    if (part && !part->Empty())
      BitBlt(dc, e.left, e.top, e.right - e.left, e.bottom - e.top, part->CanvasDC(), 0, 0, SRCCOPY);
    return;
  }
  if (k == 3 || e.right - e.left < 2 || e.bottom - e.top < 2) return;
  const TColor light = k == 1 ? clBtnHighlight : clBtnShadow, dark = k == 1 ? clBtnShadow : clBtnHighlight;
  FillRectColor(dc, RECT{e.left, e.top, e.right - 1, e.top + 1}, dark);
  FillRectColor(dc, RECT{e.left, e.top, e.left + 1, e.bottom - 1}, dark);
  FillRectColor(dc, RECT{e.left, e.bottom - 1, e.right, e.bottom}, light);
  FillRectColor(dc, RECT{e.right - 1, e.top, e.right, e.bottom}, light);
}

namespace {
UINT AlignmentWord(TAlignment a, bool rightToLeft) {
  if (a == TAlignment::taCenter) return DT_CENTER;
  const bool right = (a == TAlignment::taRightJustify) != rightToLeft;
  return right ? DT_RIGHT : DT_LEFT;
}

int BevelFrame(TStatusPanelBevel b) {
  if (b == TStatusPanelBevel::pbLowered) return 1;
  if (b == TStatusPanelBevel::pbRaised) return 2;
  return 3;
}
}  // namespace

void TSkinStatusBar::PaintSkin(HDC dc, const RECT& r) {
  if (!FSkinData) return;
  auto* bar = dynamic_cast<TStatusBar*>(FControl);
  TBitmap& shared = SharedPaintBitmap();
  shared.SetSize(r.right - r.left, r.bottom - r.top);
  HDC sdc = shared.CanvasDC();
  FillSkinColor(sdc, r);
  TCanvas canvas(sdc);
  if (FControl) canvas.Font().Assign(*FControl->GetFont());
  canvas.Font().SetStyle(TFontStyles{});
  const TDataSkinObject* edges = FSkinData->StatusBarEdges.get();
  if (edges) canvas.Font().SetColor(edges->NormalColour2);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Prepare();
  if (edges) SetTextColor(sdc, ColorToRGB(edges->NormalColour2));
  FEnabled = true;

  const int panels = bar ? bar->PanelCount() : 0;
  if (!bar || bar->GetSimplePanel() || panels == 0) {
    DrawEdgeFrame(sdc, r, 1);
    std::wstring text = bar ? AnsiToWide(bar->GetSimpleText()) : GetWindowTextWide(Handle());
    if (text.empty()) text = L" ";
    const bool rtl = bar && bar->GetBiDiMode() == TBiDiMode::bdRightToLeft;
    DrawCaptionText(*this, canvas, RECT{r.left + 2, r.top, r.right - 2, r.bottom}, rtl ? DT_RIGHT : DT_LEFT, true,
                    text);
  } else {
    for (int i = 0; i < panels; ++i) {
      TStatusPanel& panel = *bar->Panels(i);
      RECT p;
      if (!SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p))) continue;
      p.right += 2;
      if (i == panels - 1) p.right = r.right;
      DrawEdgeFrame(sdc, p, BevelFrame(panel.GetBevel()));
      if (panel.GetStyle() != TStatusPanelStyle::psText) continue;
      std::wstring text = AnsiToWide(panel.GetText());
      if (text.empty()) text = L" ";
      const UINT align = AlignmentWord(panel.GetAlignment(), panel.GetBiDiMode() == TBiDiMode::bdRightToLeft);
      DrawCaptionText(*this, canvas, RECT{p.left + 2, p.top, p.right - 2, p.bottom}, align, true, text);
    }
  }

  const TDataSkinObject* extra = FSkinData->ExtraImages.get();
  if ((GetStyle(GWL_STYLE) & SBARS_SIZEGRIP) && extra && extra->HasImage()) {
    const int w = extra->Bitmap->GetWidth() / std::max(1, extra->FrameCount), h = extra->Bitmap->GetHeight();
    const RECT cell{r.right - 1 - w, r.bottom - 1 - h, r.right - 1, r.bottom - 1};
    DrawStripFrame(sdc, cell, extra->FrameCount, 5, *extra->Bitmap);
  }
  canvas.SetHandle(nullptr);
  CopySharedBitmap(dc, r);
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) w->PaintControls(dc);

  if (bar && bar->OnDrawPanel && panels > 0) {
    for (int i = 0; i < panels; ++i) {
      RECT p;
      if (!SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p))) continue;
      InflateRect(&p, -2, -2);
      bar->OnDrawPanel(bar, bar->Panels(i), p);
    }
  }
}
