#pragma once
// Push button over the system BUTTON class.
#include "toolkit/win/controls.h"
#include "toolkit/win/form.h"

class TButton : public TWinControl {
  TK_CLASS(TButton)
public:
  explicit TButton(TComponent* owner);

  // Enter on the form clicks the default button, Esc the cancel button.
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  // A click hands this to the parent form's ModalResult (mrNone: nothing).
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }

  void Click() override;

protected:
  void CreateParams(TCreateParams& p) override;
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  void ReflectedMessage(TMessage& m) override;

private:
  bool default_ = false, cancel_ = false;
  TModalResult modalResult_ = mrNone;
};
