#include "toolkit/win/tab_control.h"

#include <commctrl.h>

#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/group_box.h"

const TClassInfo& TTabControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TTabControl>("TTabControl", &TWinControl::StaticClass())
          .Creatable()
          .Strings("Tabs", &TTabControl::GetTabsList, &TTabControl::SetTabsList)
          .Prop("TabIndex", &TTabControl::GetTabIndex, &TTabControl::SetTabIndex)
          .Enum("TabPosition", &TTabControl::GetTabPosition, &TTabControl::SetTabPosition,
                {"tpTop", "tpBottom", "tpLeft", "tpRight"})
          .Enum("Style", &TTabControl::GetStyle, &TTabControl::SetStyle, {"tsTabs", "tsButtons", "tsFlatButtons"})
          .Prop("MultiLine", &TTabControl::GetMultiLine, &TTabControl::SetMultiLine)
          .Event("OnChange", &TTabControl::OnChange)
          .Build();
  return info;
}

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner), tabs_(std::make_unique<TControlStrings>()) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  tabs_->OnChanged = [this](TControlStrings::TChange c, int i) { TabsChanged(c, i); };
}

TTabControl::~TTabControl() {
  BeginDestroy();
  DestroyComponents();
}

void TTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = WC_TABCONTROLW;
  p.Caption.clear();
  p.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (multiLine_) p.Style |= TCS_MULTILINE;
  if (style_ != TTabStyle::tsTabs) p.Style |= TCS_BUTTONS;
  if (style_ == TTabStyle::tsFlatButtons) p.Style |= TCS_FLATBUTTONS;
  switch (position_) {
    case TTabPosition::tpTop:
      break;
    case TTabPosition::tpBottom:
      p.Style |= TCS_BOTTOM;
      break;
    case TTabPosition::tpLeft:
      p.Style |= TCS_VERTICAL | TCS_MULTILINE;
      break;
    case TTabPosition::tpRight:
      p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
      break;
  }
}

void TTabControl::InitializeWindow() { Rebuild(); }

void TTabControl::Rebuild() {
  HWND w = HandleOrNull();
  if (!w) return;
  SendMessageW(w, TCM_DELETEALLITEMS, 0, 0);
  const std::vector<std::string> list = tabs_->List();
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::wstring text = GbkToWide(list[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (tabIndex_ >= static_cast<int>(list.size())) tabIndex_ = -1;
  SendMessageW(w, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

void TTabControl::TabsChanged(TControlStrings::TChange, int) {
  if (HandleAllocated()) tabIndex_ = GetTabIndex();
  Rebuild();
}

int TTabControl::GetTabIndex() const {
  if (HWND w = HandleOrNull()) return static_cast<int>(SendMessageW(w, TCM_GETCURSEL, 0, 0));
  return tabIndex_;
}

void TTabControl::SetTabIndex(int i) {
  if (i < -1 || (!IsLoading() && i >= tabs_->Count())) i = -1;
  tabIndex_ = i;
  if (HWND w = HandleOrNull()) SendMessageW(w, TCM_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void TTabControl::SetTabPosition(TTabPosition p) {
  if (p == position_) return;
  position_ = p;
  StyleChanged();
}

void TTabControl::SetStyle(TTabStyle s) {
  if (s == style_) return;
  style_ = s;
  StyleChanged();
}

void TTabControl::SetMultiLine(bool v) {
  if (v == multiLine_) return;
  multiLine_ = v;
  StyleChanged();
}

// The window's style is fixed when it is made: a new one keeps the tab index.
void TTabControl::StyleChanged() {
  if (!HandleAllocated()) return;
  tabIndex_ = GetTabIndex();
  RecreateWnd();
}

void TTabControl::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_NOTIFY && m.LParam && m.LParam != SKIN_MESSAGE_TAG &&
      reinterpret_cast<const NMHDR*>(m.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
    tabIndex_ = GetTabIndex();
    if (OnChange) OnChange(this);
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}

const TClassInfo& TTabSheet::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTabSheet>("TTabSheet", &TWinControl::StaticClass()).Creatable().Build();
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

void TTabSheet::PaintWindow(HDC dc) { FillContainer(this, dc, false); }
