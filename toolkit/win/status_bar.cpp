#include "toolkit/win/status_bar.h"

#include <commctrl.h>

#include "toolkit/base/gbk_wide.h"

namespace {
const std::vector<std::string> kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kBiDiModes{"bdLeftToRight", "bdRightToLeft"};
}  // namespace

const TClassInfo& TStatusPanel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStatusPanel>("TStatusPanel", &TPersistent::StaticClass())
          .Prop("Text", &TStatusPanel::GetText, &TStatusPanel::SetText)
          .Prop("Width", &TStatusPanel::GetWidth, &TStatusPanel::SetWidth)
          .Enum("Alignment", &TStatusPanel::GetAlignment, &TStatusPanel::SetAlignment, kAlignments)
          .Enum("Bevel", &TStatusPanel::GetBevel, &TStatusPanel::SetBevel, {"pbNone", "pbLowered", "pbRaised"})
          .Enum("Style", &TStatusPanel::GetStyle, &TStatusPanel::SetStyle, {"psText", "psOwnerDraw"})
          .Enum("BiDiMode", &TStatusPanel::GetBiDiMode, &TStatusPanel::SetBiDiMode, kBiDiModes)
          .Build();
  return info;
}

void TStatusPanel::Changed() { owner_->UpdatePanels(); }
void TStatusPanel::SetText(const std::string& t) { SetAndNotify(text_, t); }
void TStatusPanel::SetWidth(int w) { SetAndNotify(width_, w < 0 ? 0 : w); }
void TStatusPanel::SetAlignment(TAlignment a) { SetAndNotify(alignment_, a); }
void TStatusPanel::SetBevel(TStatusPanelBevel b) { SetAndNotify(bevel_, b); }
void TStatusPanel::SetStyle(TStatusPanelStyle s) { SetAndNotify(style_, s); }
void TStatusPanel::SetBiDiMode(TBiDiMode m) { SetAndNotify(biDiMode_, m); }

const TClassInfo& TStatusBar::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStatusBar>("TStatusBar", &TWinControl::StaticClass())
          .Creatable()
          .Prop("SimplePanel", &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel)
          .Prop("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText)
          .Prop("SizeGrip", &TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip)
          .Enum("BiDiMode", &TStatusBar::GetBiDiMode, &TStatusBar::SetBiDiMode, kBiDiModes)
          .Build();
  return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 200, 19);
  SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar() {
  BeginDestroy();
  DestroyComponents();
}

TStatusPanel* TStatusBar::AddPanel() {
  panels_.push_back(std::make_unique<TStatusPanel>(this));
  UpdatePanels();
  return panels_.back().get();
}

void TStatusBar::SetSimplePanel(bool v) {
  simplePanel_ = v;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& t) {
  simpleText_ = t;
  UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool v) {
  if (v == sizeGrip_) return;
  sizeGrip_ = v;
  if (HandleAllocated()) RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = STATUSCLASSNAMEW;
  p.Caption.clear();
  // The toolkit places the bar itself.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::InitializeWindow() { UpdatePanels(); }

void TStatusBar::UpdatePanels() {
  HWND w = HandleOrNull();
  if (!w) return;
  SendMessageW(w, SB_SIMPLE, simplePanel_ || panels_.empty(), 0);
  SendMessageW(w, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(GbkToWide(simpleText_).c_str()));
  if (panels_.empty()) return;
  std::vector<int> edges;
  int x = 0;
  for (const auto& p : panels_) edges.push_back(x += p->GetWidth());
  edges.back() = -1;
  SendMessageW(w, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const TStatusPanel& p = *panels_[i];
    WPARAM how = i;
    if (p.GetStyle() == TStatusPanelStyle::psOwnerDraw) how |= SBT_OWNERDRAW;
    if (p.GetBevel() == TStatusPanelBevel::pbNone) how |= SBT_NOBORDERS;
    if (p.GetBevel() == TStatusPanelBevel::pbRaised) how |= SBT_POPOUT;
    if (p.GetStyle() == TStatusPanelStyle::psOwnerDraw) {
      SendMessageW(w, SB_SETTEXTW, how, static_cast<LPARAM>(i));
    } else {
      std::wstring text = GbkToWide(p.GetText());
      if (p.GetAlignment() == TAlignment::taCenter) text = L"\t" + text;
      else if (p.GetAlignment() == TAlignment::taRightJustify) text = L"\t\t" + text;
      SendMessageW(w, SB_SETTEXTW, how, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
}

void TStatusBar::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const int i = static_cast<int>(d->itemID);
    if (OnDrawPanel && i >= 0 && i < PanelCount()) OnDrawPanel(this, Panels(i), d->rcItem);
    m.Result = 1;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
