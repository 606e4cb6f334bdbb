#pragma once
// Track bar over the common-controls track bar. Position stays within Min..Max;
// every change of it, by the user or by code, fires OnChange.
#include "toolkit/win/controls.h"

enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
  TK_CLASS(TTrackBar)
public:
  explicit TTrackBar(TComponent* owner);

  int GetMin() const { return min_; }
  void SetMin(int v);
  int GetMax() const { return max_; }
  void SetMax(int v);
  int GetPosition() const { return position_; }
  void SetPosition(int v);
  int GetSelStart() const { return selStart_; }
  void SetSelStart(int v);
  int GetSelEnd() const { return selEnd_; }
  void SetSelEnd(int v);
  TTickStyle GetTickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle s);
  TTrackBarOrientation GetOrientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation o);

  void Loaded() override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;
  void WndProc(TMessage& m) override;

private:
  void RangeChanged();
  int min_ = 0, max_ = 10, position_ = 0, selStart_ = 0, selEnd_ = 0;
  TTickStyle tickStyle_ = TTickStyle::tsAuto;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
};
