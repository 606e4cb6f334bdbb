#pragma once
// The system windows that hold a list of strings (LISTBOX, COMBOBOX) kept in
// step with a control's TControlStrings; the two differ only in message numbers.
#include <windows.h>

#include "toolkit/win/control_strings.h"

struct TItemWindowMessages {
  UINT Add, Insert, Delete, Reset, GetCurSel, SetCurSel;
};
extern const TItemWindowMessages kListBoxMessages, kComboBoxMessages;

// Every item added to the window, in order.
void FillItemWindow(HWND w, const TControlStrings& items, const TItemWindowMessages& m);
// One change of items (as told by TControlStrings::OnChanged) carried over to
// the window; a replaced item that was selected stays selected.
void MirrorItemChange(HWND w, const TControlStrings& items, TControlStrings::TChange c, int i,
                      const TItemWindowMessages& m);
