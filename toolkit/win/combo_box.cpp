#include "toolkit/win/combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/item_window.h"

const TClassInfo& TCustomComboBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomComboBox>("TCustomComboBox", &TWinControl::StaticClass())
          .Strings("Items", &TCustomComboBox::GetItemsList, &TCustomComboBox::SetItemsList)
          .Prop("ItemIndex", &TCustomComboBox::GetItemIndex, &TCustomComboBox::SetItemIndex)
          .Enum("Style", &TCustomComboBox::GetStyle, &TCustomComboBox::SetStyle,
                {"csDropDown", "csSimple", "csDropDownList"})
          .Prop("DropDownCount", &TCustomComboBox::GetDropDownCount, &TCustomComboBox::SetDropDownCount)
          .Event("OnChange", &TCustomComboBox::OnChange)
          .Event("OnSelect", &TCustomComboBox::OnSelect)
          .Event("OnDropDown", &TCustomComboBox::OnDropDown)
          .Build();
  return info;
}

const TClassInfo& TComboBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClass()).Creatable().Build();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomComboBox::~TCustomComboBox() {
  BeginDestroy();
  DestroyComponents();
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"COMBOBOX";
  p.Caption.clear();
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown: p.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: p.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
  }
}

void TCustomComboBox::InitializeWindow() {
  HWND w = HandleOrNull();
  FillItemWindow(w, *items_, kComboBoxMessages);
  if (itemIndex_ >= 0) SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  else if (style_ != TComboBoxStyle::csDropDownList) SetWindowTextW(w, GbkToWide(text_).c_str());
  SizeDropDown();
}

// The window's height for the system is the height with the list dropped.
void TCustomComboBox::SizeDropDown() {
  HWND w = HandleOrNull();
  if (!w || style_ == TComboBoxStyle::csSimple) return;
  SendMessageW(w, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(1, dropDownCount_)), 0);
  RECT r;
  GetWindowRect(w, &r);
  int item = static_cast<int>(SendMessageW(w, CB_GETITEMHEIGHT, 0, 0));
  int rows = std::clamp(items_->Count(), 1, std::max(1, dropDownCount_));
  int closed = r.bottom - r.top;
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, closed + rows * item + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// In the combo's font, with the list's frame, the pixels the list leaves
// around an item's text and, when the rows do not all show, its scroll bar;
// never narrower than the box, never past the right edge of the screen.
void TCustomComboBox::FitDroppedWidth() {
  HWND w = HandleOrNull();
  if (!w || style_ == TComboBoxStyle::csSimple) return;
  constexpr int kTextMargins = 6;
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (int i = 0; i < items_->Count(); ++i) {
    const std::wstring text = GbkToWide(items_->Strings(i));
    SIZE size{};
    if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) widest = std::max<int>(widest, size.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  int width = widest + kTextMargins + 2 * GetSystemMetrics(SM_CXBORDER);
  if (items_->Count() > std::max(1, dropDownCount_)) width += GetSystemMetrics(SM_CXVSCROLL);
  RECT box{};
  GetWindowRect(w, &box);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &monitor))
    width = std::min<int>(width, monitor.rcWork.right - box.left);
  // A width below the box's first forgets an earlier, wider list (Wine keeps
  // the wider of the two otherwise).
  SendMessageW(w, CB_SETDROPPEDWIDTH, 1, 0);
  SendMessageW(w, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(std::max<int>(width, box.right - box.left)), 0);
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  SizeDropDown();
}

void TCustomComboBox::SetStyle(TComboBoxStyle s) {
  if (s == style_) return;
  if (HandleAllocated()) {
    itemIndex_ = GetItemIndex();
    text_ = GetText();
  }
  style_ = s;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int n) {
  dropDownCount_ = n;
  SizeDropDown();
}

bool TCustomComboBox::DroppedDown() const {
  return HandleOrNull() && SendMessageW(HandleOrNull(), CB_GETDROPPEDSTATE, 0, 0);
}

int TCustomComboBox::GetItemIndex() const {
  if (HWND w = HandleOrNull()) return static_cast<int>(SendMessageW(w, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_->Count()) i = -1;
  itemIndex_ = i;
  if (HWND w = HandleOrNull()) {
    SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
  } else if (i >= 0) {
    text_ = items_->Strings(i);
  } else if (style_ == TComboBoxStyle::csDropDownList) {
    text_.clear();
  }
}

std::string TCustomComboBox::GetText() const { return TWinControl::GetText(); }

// A list-only box can show only an item: the text selects it.
void TCustomComboBox::SetText(const std::string& text) {
  if (style_ == TComboBoxStyle::csDropDownList) {
    int i = -1;
    for (int k = 0; k < items_->Count() && i < 0; ++k)
      if (items_->Strings(k) == text) i = k;
    SetItemIndex(i);
    return;
  }
  if (!HandleAllocated()) itemIndex_ = -1;
  TWinControl::SetText(text);
}

void TCustomComboBox::ItemsChanged(TControlStrings::TChange c, int i) {
  HWND w = HandleOrNull();
  if (!w) {
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    return;
  }
  MirrorItemChange(w, *items_, c, i, kComboBoxMessages);
  SizeDropDown();
}

void TCustomComboBox::ReflectedMessage(TMessage& m) {
  if (m.Msg != CN_COMMAND) return TWinControl::ReflectedMessage(m);
  m.Result = 0;
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE: {
      // The edit shows the chosen item only after this notification: show it now.
      int i = GetItemIndex();
      if (i >= 0 && style_ != TComboBoxStyle::csDropDownList)
        SetWindowTextW(HandleOrNull(), GbkToWide(items_->Strings(i)).c_str());
      Click();
      if (OnSelect) OnSelect(this);
      else if (OnChange) OnChange(this);
      return;
    }
    case CBN_EDITCHANGE:
      if (OnChange) OnChange(this);
      return;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      FitDroppedWidth();
      return;
    default:
      return;
  }
}
