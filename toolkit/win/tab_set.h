#pragma once
// The old-style tab set: a row of tabs drawn by the control itself from
// FirstIndex on, between a start and an end margin; a tab that does not fit
// is left out. A click on a tab selects it.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/control_strings.h"
#include "toolkit/win/controls.h"

class TTabSet : public TWinControl {
  TK_CLASS(TTabSet)
public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;

  TControlStrings* Tabs() const { return tabs_.get(); }
  std::vector<std::string> GetTabsList() const { return tabs_->List(); }
  void SetTabsList(const std::vector<std::string>& l) { tabs_->SetList(l); }
  int GetTabIndex() const { return tabIndex_; }
  void SetTabIndex(int i);
  int GetFirstIndex() const { return firstIndex_; }
  void SetFirstIndex(int i);
  int GetStartMargin() const { return startMargin_; }
  void SetStartMargin(int v);
  int GetEndMargin() const { return endMargin_; }
  void SetEndMargin(int v);

  // The tabs shown in a client area of the given width, each with its rectangle.
  struct TShownTab {
    int Index;
    RECT Rect;
  };
  std::vector<TShownTab> ShownTabs(HDC dc, int width, int height);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  TNotifyEvent OnChange;

protected:
  void PaintWindow(HDC dc) override;

private:
  std::unique_ptr<TControlStrings> tabs_;
  int tabIndex_ = -1, firstIndex_ = 0, startMargin_ = 5, endMargin_ = 5;
};
