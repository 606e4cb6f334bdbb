// TWinControl: keys (with the form's preview), focus and the input method.
#include <windows.h>
#include <imm.h>

#include "toolkit/win/controls.h"
#include "toolkit/win/form.h"

void SetCloseImeOnFocus(HWND wnd) {
  if (HIMC imc = ImmGetContext(wnd)) {
    ImmSetOpenStatus(imc, FALSE);
    ImmReleaseContext(wnd, imc);
  }
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && form->OnKeyDown) {
    form->OnKeyDown(form, key, shift);
    if (key == 0) return true;
  }
  if (OnKeyDown) {
    OnKeyDown(this, key, shift);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && form->OnKeyUp) {
    form->OnKeyUp(form, key, shift);
    if (key == 0) return true;
  }
  if (OnKeyUp) {
    OnKeyUp(this, key, shift);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(char& key) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && form->OnKeyPress) {
    form->OnKeyPress(form, key);
    if (key == 0) return true;
  }
  if (OnKeyPress) {
    OnKeyPress(this, key);
    if (key == 0) return true;
  }
  return false;
}

namespace {
bool IsDialogKey(WORD key) {
  switch (key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_CANCEL:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      return true;
    default:
      return false;
  }
}
}  // namespace

bool TWinControl::KeepArrowKeys(TMessage& m) {
  if (m.Msg != CM_WANTSPECIALKEY) return false;
  const WORD k = static_cast<WORD>(m.WParam);
  m.Result = (k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN) ? 1 : 0;
  return true;
}

// CN_KEYDOWN comes from the message loop before the key reaches the window:
// the key events run there (the window's WM_KEYDOWN then skips them), and dialog
// keys the control does not want go to the form (Tab, Enter, Esc...).
// A WM_KEYDOWN sent straight to the window runs the key events itself.
void TWinControl::KeyMessage(TMessage& m) {
  switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      keyDownSeen_ = true;
      if (DoKeyDown(key, KeyboardShiftState())) {
        m.Result = 1;
        return;
      }
      m.WParam = key;
      if (IsDialogKey(key) && !Perform(CM_WANTSPECIALKEY, key)) {
        if (TCustomForm* form = GetParentForm(this))
          if (form->Perform(CM_DIALOGKEY, key, m.LParam)) {
            m.Result = 1;
            return;
          }
      }
      m.Result = 0;
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (keyDownSeen_) {
        keyDownSeen_ = false;
      } else {
        WORD key = static_cast<WORD>(m.WParam);
        if (DoKeyDown(key, KeyboardShiftState())) return;
        m.WParam = key;
      }
      DefaultHandler(m);
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (DoKeyUp(key, KeyboardShiftState())) return;
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
    case WM_CHAR: {
      if (m.WParam < 0x80) {
        char key = static_cast<char>(m.WParam);
        if (DoKeyPress(key)) return;
        m.WParam = static_cast<unsigned char>(key);
      }
      DefaultHandler(m);
      return;
    }
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (!CanFocus()) return;
  TCustomForm* form = GetParentForm(this);
  if (form && !form->GetVisible()) {
    form->SetActiveControl(this);
    return;
  }
  ::SetFocus(Handle());
}
