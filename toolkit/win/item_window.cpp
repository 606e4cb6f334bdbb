#include "toolkit/win/item_window.h"

#include "toolkit/base/gbk_wide.h"

const TItemWindowMessages kListBoxMessages{LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                           LB_RESETCONTENT, LB_GETCURSEL,    LB_SETCURSEL};
const TItemWindowMessages kComboBoxMessages{CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING,
                                            CB_RESETCONTENT, CB_GETCURSEL,    CB_SETCURSEL};

namespace {
void InsertItem(HWND w, const TControlStrings& items, int i, const TItemWindowMessages& m) {
  SendMessageW(w, m.Insert, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(GbkToWide(items.Strings(i)).c_str()));
}
}  // namespace

void FillItemWindow(HWND w, const TControlStrings& items, const TItemWindowMessages& m) {
  for (const std::string& s : items.List())
    SendMessageW(w, m.Add, 0, reinterpret_cast<LPARAM>(GbkToWide(s).c_str()));
}

void MirrorItemChange(HWND w, const TControlStrings& items, TControlStrings::TChange c, int i,
                      const TItemWindowMessages& m) {
  switch (c) {
    case TControlStrings::TChange::Insert:
      InsertItem(w, items, i, m);
      break;
    case TControlStrings::TChange::Delete:
      SendMessageW(w, m.Delete, static_cast<WPARAM>(i), 0);
      break;
    case TControlStrings::TChange::Put: {
      const int sel = static_cast<int>(SendMessageW(w, m.GetCurSel, 0, 0));
      SendMessageW(w, m.Delete, static_cast<WPARAM>(i), 0);
      InsertItem(w, items, i, m);
      if (sel == i) SendMessageW(w, m.SetCurSel, static_cast<WPARAM>(i), 0);
      break;
    }
    case TControlStrings::TChange::Reset:
      SendMessageW(w, m.Reset, 0, 0);
      FillItemWindow(w, items, m);
      break;
  }
}
