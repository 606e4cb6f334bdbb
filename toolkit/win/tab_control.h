#pragma once
// Tab control over the common-controls tab window (tabs on any side, tabs or
// buttons), and a tab sheet: the plain container that holds one page.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/control_strings.h"
#include "toolkit/win/controls.h"

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

class TTabControl : public TWinControl {
  TK_CLASS(TTabControl)
public:
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;

  TControlStrings* Tabs() const { return tabs_.get(); }
  std::vector<std::string> GetTabsList() const { return tabs_->List(); }
  void SetTabsList(const std::vector<std::string>& l) { tabs_->SetList(l); }
  int GetTabIndex() const;
  void SetTabIndex(int i);
  TTabPosition GetTabPosition() const { return position_; }
  void SetTabPosition(TTabPosition p);
  TTabStyle GetStyle() const { return style_; }
  void SetStyle(TTabStyle s);
  bool GetMultiLine() const { return multiLine_; }
  void SetMultiLine(bool v);

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;

private:
  void TabsChanged(TControlStrings::TChange c, int i);
  void Rebuild();
  void StyleChanged();
  std::unique_ptr<TControlStrings> tabs_;
  int tabIndex_ = -1;  // kept while there is no window
  TTabPosition position_ = TTabPosition::tpTop;
  TTabStyle style_ = TTabStyle::tsTabs;
  bool multiLine_ = false;
};

// One page's container, filled with its own colour.
class TTabSheet : public TWinControl {
  TK_CLASS(TTabSheet)
public:
  explicit TTabSheet(TComponent* owner);

protected:
  void PaintWindow(HDC dc) override;
};
