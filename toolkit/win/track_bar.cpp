#include "toolkit/win/track_bar.h"

#include <commctrl.h>

#include <algorithm>

const TClassInfo& TTrackBar::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TTrackBar>("TTrackBar", &TWinControl::StaticClass())
          .Creatable()
          .Prop("Min", &TTrackBar::GetMin, &TTrackBar::SetMin)
          .Prop("Max", &TTrackBar::GetMax, &TTrackBar::SetMax)
          .Prop("Position", &TTrackBar::GetPosition, &TTrackBar::SetPosition)
          .Prop("SelStart", &TTrackBar::GetSelStart, &TTrackBar::SetSelStart)
          .Prop("SelEnd", &TTrackBar::GetSelEnd, &TTrackBar::SetSelEnd)
          .Enum("TickStyle", &TTrackBar::GetTickStyle, &TTrackBar::SetTickStyle, {"tsNone", "tsAuto", "tsManual"})
          .Enum("Orientation", &TTrackBar::GetOrientation, &TTrackBar::SetOrientation,
                {"trHorizontal", "trVertical"})
          .Event("OnChange", &TTrackBar::OnChange)
          .Build();
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = TRACKBAR_CLASSW;
  p.Caption.clear();
  p.Style |= TBS_ENABLESELRANGE | TBS_BOTH;
  p.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
  if (tickStyle_ == TTickStyle::tsNone) p.Style |= TBS_NOTICKS;
  else if (tickStyle_ == TTickStyle::tsAuto) p.Style |= TBS_AUTOTICKS;
}

void TTrackBar::InitializeWindow() {
  HWND w = HandleOrNull();
  SendMessageW(w, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(w, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(w, TBM_SETSEL, FALSE, MAKELPARAM(selStart_, selEnd_));
  SendMessageW(w, TBM_SETPOS, TRUE, position_);
}

// Values read in any order settle here, without an OnChange.
void TTrackBar::Loaded() {
  TWinControl::Loaded();
  if (max_ < min_) max_ = min_;
  position_ = std::clamp(position_, min_, max_);
  if (HWND w = HandleOrNull()) {
    SendMessageW(w, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(w, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(w, TBM_SETPOS, TRUE, position_);
  }
}

// The position is brought back into the range; a move fires OnChange.
void TTrackBar::RangeChanged() {
  if (HWND w = HandleOrNull()) {
    SendMessageW(w, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(w, TBM_SETRANGEMAX, TRUE, max_);
  }
  if (!IsLoading()) SetPosition(position_);
}

void TTrackBar::SetMin(int v) {
  min_ = v;
  if (max_ < min_ && !IsLoading()) max_ = min_;
  RangeChanged();
}

void TTrackBar::SetMax(int v) {
  max_ = v;
  if (min_ > max_ && !IsLoading()) min_ = max_;
  RangeChanged();
}

void TTrackBar::SetPosition(int v) {
  if (!IsLoading()) v = std::clamp(v, min_, std::max(min_, max_));
  if (HWND w = HandleOrNull()) SendMessageW(w, TBM_SETPOS, TRUE, v);
  if (v == position_) return;
  position_ = v;
  if (!IsLoading() && OnChange) OnChange(this);
}

void TTrackBar::SetSelStart(int v) {
  selStart_ = v;
  if (HWND w = HandleOrNull()) SendMessageW(w, TBM_SETSELSTART, TRUE, v);
}

void TTrackBar::SetSelEnd(int v) {
  selEnd_ = v;
  if (HWND w = HandleOrNull()) SendMessageW(w, TBM_SETSELEND, TRUE, v);
}

void TTrackBar::SetTickStyle(TTickStyle s) {
  if (s == tickStyle_) return;
  tickStyle_ = s;
  RecreateWnd();
}

void TTrackBar::SetOrientation(TTrackBarOrientation o) {
  if (o == orientation_) return;
  orientation_ = o;
  RecreateWnd();
}

void TTrackBar::WndProc(TMessage& m) {
  if (!KeepArrowKeys(m)) TWinControl::WndProc(m);
}

void TTrackBar::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    int v = static_cast<int>(SendMessageW(HandleOrNull(), TBM_GETPOS, 0, 0));
    if (v != position_) {
      position_ = v;
      if (OnChange) OnChange(this);
    }
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
