#pragma once
// Date-time picker over the common-controls SysDateTimePick32: a date field
// with a drop-down calendar.
#include "toolkit/win/controls.h"

class TDateTimePicker : public TWinControl {
  TK_CLASS(TDateTimePicker)
public:
  explicit TDateTimePicker(TComponent* owner);

  // The drop-down calendar while it is open, else null.
  HWND MonthCalendar() const;

protected:
  void CreateParams(TCreateParams& p) override;
};
