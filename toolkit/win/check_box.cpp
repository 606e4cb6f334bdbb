#include "toolkit/win/check_box.h"

const TClassInfo& TCustomCheckBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomCheckBox>("TCustomCheckBox", &TWinControl::StaticClass())
          .Enum("State", &TCustomCheckBox::GetState, &TCustomCheckBox::SetState,
                {"cbUnchecked", "cbChecked", "cbGrayed"})
          .Prop("Checked", &TCustomCheckBox::GetChecked, &TCustomCheckBox::SetChecked)
          .Prop("AllowGrayed", &TCustomCheckBox::GetAllowGrayed, &TCustomCheckBox::SetAllowGrayed)
          .Enum("Alignment", &TCustomCheckBox::GetAlignment, &TCustomCheckBox::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"})
          .Build();
  return info;
}

const TClassInfo& TCheckBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCheckBox>("TCheckBox", &TCustomCheckBox::StaticClass()).Creatable().Build();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  p.Style |= BS_3STATE;
  if (alignment_ == TAlignment::taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeWindow() {
  SendMessageW(HandleOrNull(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  if (HWND w = HandleOrNull()) SendMessageW(w, BM_SETCHECK, static_cast<WPARAM>(s), 0);
  if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  if (HWND w = HandleOrNull()) {
    LONG_PTR st = GetWindowLongPtrW(w, GWL_STYLE);
    if (a == TAlignment::taLeftJustify) st |= BS_LEFTTEXT;
    else st &= ~static_cast<LONG_PTR>(BS_LEFTTEXT);
    SetWindowLongPtrW(w, GWL_STYLE, st);
    Invalidate();
  }
}

// A click steps unchecked -> checked -> grayed (when allowed) -> unchecked.
void TCustomCheckBox::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    switch (state_) {
      case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
      case TCheckBoxState::cbChecked:
        SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
        break;
      case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
    }
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
