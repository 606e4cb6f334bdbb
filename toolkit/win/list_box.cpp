#include "toolkit/win/list_box.h"

#include "toolkit/win/item_window.h"

const TClassInfo& TCustomListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomListBox>("TCustomListBox", &TWinControl::StaticClass())
          .Strings("Items", &TCustomListBox::GetItemsList, &TCustomListBox::SetItemsList)
          .Prop("ItemIndex", &TCustomListBox::GetItemIndex, &TCustomListBox::SetItemIndex)
          .Prop("Sorted", &TCustomListBox::GetSorted, &TCustomListBox::SetSorted)
          .Enum("BorderStyle", &TCustomListBox::GetBorderStyle, &TCustomListBox::SetBorderStyle,
                {"bsNone", "bsSingle"})
          .Build();
  return info;
}

const TClassInfo& TListBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TListBox>("TListBox", &TCustomListBox::StaticClass()).Creatable().Build();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomListBox::~TCustomListBox() {
  BeginDestroy();
  DestroyComponents();
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"LISTBOX";
  p.Caption.clear();
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWindow() {
  HWND w = HandleOrNull();
  FillItemWindow(w, *items_, kListBoxMessages);
  SendMessageW(w, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TCustomListBox::SetBorderStyle(TBorderStyle s) {
  if (s == borderStyle_) return;
  borderStyle_ = s;
  if (HandleAllocated()) {
    itemIndex_ = GetItemIndex();
    RecreateWnd();
  }
}

int TCustomListBox::GetItemIndex() const {
  if (HWND w = HandleOrNull()) return static_cast<int>(SendMessageW(w, LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomListBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_->Count()) i = -1;
  itemIndex_ = i;
  if (HWND w = HandleOrNull()) SendMessageW(w, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void TCustomListBox::ItemsChanged(TControlStrings::TChange c, int i) {
  HWND w = HandleOrNull();
  if (!w) {
    if (c == TControlStrings::TChange::Reset || itemIndex_ >= items_->Count()) itemIndex_ = -1;
    return;
  }
  MirrorItemChange(w, *items_, c, i, kListBoxMessages);
}

void TCustomListBox::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == LBN_SELCHANGE) {
    Click();
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
