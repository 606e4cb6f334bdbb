#include "toolkit/win/date_time_picker.h"

#include <commctrl.h>

const TClassInfo& TDateTimePicker::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TDateTimePicker>("TDateTimePicker", &TWinControl::StaticClass()).Creatable().Build();
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(p);
  p.BaseClassName = DATETIMEPICK_CLASSW;
  p.Caption.clear();
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

HWND TDateTimePicker::MonthCalendar() const {
  HWND w = HandleOrNull();
  HWND calendar = w ? reinterpret_cast<HWND>(SendMessageW(w, DTM_GETMONTHCAL, 0, 0)) : nullptr;
  return calendar && IsWindowVisible(calendar) ? calendar : nullptr;
}
