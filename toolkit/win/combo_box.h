#pragma once
// Combo box over the system COMBOBOX class: editable drop-down or list only.
#include "toolkit/win/control_items.h"
#include "toolkit/win/controls.h"

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TCustomComboBox : public TWinControl, public TControlItems {
  TK_CLASS(TCustomComboBox)
public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  int GetItemIndex() const;
  void SetItemIndex(int i);
  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  // Rows shown when the list drops down.
  int GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n);
  bool DroppedDown() const;

  std::string GetText() const override;
  void SetText(const std::string& text) override;
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange, OnSelect, OnDropDown;

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;
  void ItemsChanged(TControlStrings::TChange c, int i) override;

private:
  void SizeDropDown();
  // The list drops as wide as its widest item, within the screen.
  void FitDroppedWidth();

  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int dropDownCount_ = 8;
  int itemIndex_ = -1;  // kept while there is no window
};

class TComboBox : public TCustomComboBox {
  TK_CLASS(TComboBox)
public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
