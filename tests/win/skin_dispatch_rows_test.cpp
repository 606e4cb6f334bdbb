// The dispatcher's rarer rows: a dialog inside a window, the combo inside an
// extended combo box, radio and check groups of other component sets named by
// Skin3rd lines, and edit controls with a number of buttons or named by a
// Skin3rd line.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "skin/win/controls/boxes/box.h"
#include "skin/win/controls/boxes/group_box.h"
#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/buttons/check.h"
#include "skin/win/controls/input/combo.h"
#include "skin/win/controls/input/edit.h"
#include "skin/win/data/object_image.h"
#include "skin/win/messages.h"
#include "skin_controls_fixture.h"
#include "skin_strips.h"
#include "toolkit/win/edit.h"
#include "toolkit/win/panel.h"

namespace {

// A group of choices of another component set: a panel holding its buttons.
class TOptionGroup : public TPanel {
  TK_CLASS(TOptionGroup)
public:
  explicit TOptionGroup(TComponent* owner) : TPanel(owner) {}
};
const TClassInfo& TOptionGroup::StaticClass() {
  static const TClassInfo info = TClassBuilder<TOptionGroup>("TOptionGroup", &TPanel::StaticClass()).Build();
  return info;
}
class TRzChoiceGroup : public TPanel {
  TK_CLASS(TRzChoiceGroup)
public:
  explicit TRzChoiceGroup(TComponent* owner) : TPanel(owner) {}
};
const TClassInfo& TRzChoiceGroup::StaticClass() {
  static const TClassInfo info = TClassBuilder<TRzChoiceGroup>("TRzChoiceGroup", &TPanel::StaticClass()).Build();
  return info;
}

// An edit of another component set that says how many buttons it carries.
class TDCEdit : public TWinControl {
  TK_CLASS(TDCEdit)
public:
  explicit TDCEdit(TComponent* owner) : TWinControl(owner) {}
  int GetNumButtons() const { return buttons; }
  void SetNumButtons(int n) { buttons = n; }
  int buttons = 0;
};
const TClassInfo& TDCEdit::StaticClass() {
  static const TClassInfo info = TClassBuilder<TDCEdit>("TDCEdit", &TWinControl::StaticClass())
                                     .Prop("NumButtons", &TDCEdit::GetNumButtons, &TDCEdit::SetNumButtons)
                                     .Build();
  return info;
}

using SkinDispatchRowsTest = SkinControlsTest;

// A group of two buttons, group and buttons coloured (9, 9, 9).
template <class G, class B>
std::pair<G*, std::vector<TControl*>> Group(SkinControlsTest& t, int top) {
  auto* g = t.Make<G>(10, top, 200, 80);
  g->SetColor(Rgb(9, 9, 9));
  std::vector<TControl*> buttons;
  for (int i = 0; i < 2; ++i) {
    auto* b = t.Make<B>(10, 10 + 25 * i, 120, 20, g);
    b->SetColor(Rgb(9, 9, 9));
    buttons.push_back(b);
  }
  return {g, buttons};
}
using K = TSkinKind;

TEST_F(SkinDispatchRowsTest, ADialogInsideAWindowIsSkinnedAfterItsChildren) {
  HWND parent = Parent();
  auto dialog = [&](DWORD style) {
    return CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 200, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  HWND d = dialog(0);
  HWND ok = Child(d, L"BUTTON", BS_PUSHBUTTON);
  HWND check = Child(d, L"BUTTON", BS_AUTOCHECKBOX);
  ASSERT_TRUE(d && ok && check);
  dispatcher->SkinChildWindow(d);
  ASSERT_EQ(decisions.size(), 3u);
  EXPECT_EQ(decisions[2].kind, K::BoxH);
  EXPECT_EQ(decisions[2].window, d) << "the dialog last, after its children";
  EXPECT_NE(dynamic_cast<TSkinButton*>(list.FindByHandle(ok)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinCheckBox*>(list.FindByHandle(check)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinBoxH*>(list.FindByHandle(d)), nullptr);
  // A dialog that is a tab stop is left alone, children and all.
  decisions.clear();
  HWND stop = dialog(WS_TABSTOP);
  Child(stop, L"BUTTON", BS_PUSHBUTTON);
  dispatcher->SkinChildWindow(stop);
  EXPECT_TRUE(decisions.empty());
}

TEST_F(SkinDispatchRowsTest, AnExtendedComboBoxSkinsItsInnerCombo) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&icc));
  HWND parent = Parent();
  auto extended = [&] {
    return CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 200,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  HWND ex = extended();
  ASSERT_NE(ex, nullptr);
  HWND inner = GetTopWindow(ex);
  ASSERT_NE(inner, nullptr);
  dispatcher->SkinChildWindow(ex);
  ASSERT_EQ(decisions.size(), 1u);
  EXPECT_EQ(decisions[0].kind, K::ComboBox);
  EXPECT_EQ(decisions[0].window, inner);
  EXPECT_NE(dynamic_cast<TSkinComBox*>(list.FindByHandle(inner)), nullptr);
  EXPECT_EQ(list.FindByHandle(ex), nullptr) << "the outer window keeps its own procedure";
  decisions.clear();
  data->SkinControls &= ~SetOf(xcCombo);
  dispatcher->SkinChildWindow(extended());
  EXPECT_TRUE(decisions.empty());
}

TEST_F(SkinDispatchRowsTest, RadioAndCheckGroupsOfOtherSetsByTheirSkin3rdLines) {
  auto [radios, radioButtons] = Group<TOptionGroup, TRadioButton>(*this, 10);
  auto [checks, checkBoxes] = Group<TRzChoiceGroup, TCheckBox>(*this, 100);
  data->Skin3rd = {"TOptionGroup=Radiogroup", "TRzChoiceGroup=CheckGroup"};
  form->Show();
  dispatcher->SkinControl(radios, form);
  dispatcher->SkinControl(checks, form);
  // Buttons first, each its family; then the group, in the skin's colour.
  for (TControl* b : radioButtons) EXPECT_NE(dynamic_cast<TSkinRadioButton*>(list.FindByControl(b)), nullptr);
  auto* rg = dynamic_cast<TSkinGroupBox*>(list.FindByControl(radios));
  ASSERT_NE(rg, nullptr);
  EXPECT_EQ(radios->GetColor(), kFace);
  EXPECT_EQ(radioButtons[0]->GetColor(), Rgb(9, 9, 9));
  // A group of the "TRz" set hands its buttons the strips' glyphs.
  for (TControl* b : checkBoxes) EXPECT_NE(dynamic_cast<TSkinObjImage*>(list.FindByControl(b)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinGroupBox*>(list.FindByControl(checks)), nullptr);
  ASSERT_FALSE(decisions.empty());
  EXPECT_EQ(decisions.back().control, checks);

  // The guards: a radio group needs xcGroupBox, a check group xcPanel; the
  // buttons need xcRadioButton (both kinds), the group itself xcGroupBox.
  struct Case {
    TSkinControlTypes off;
    bool group, buttons;
  };
  const Case cases[] = {{SetOf(xcRadioButton), true, false}, {SetOf(xcGroupBox), false, false}};
  for (const Case& c : cases) {
    for (TSkinControl* o : list.Snapshot()) delete o;
    decisions.clear();
    data->SkinControls = ~c.off;
    dispatcher->SkinControl(radios, form);
    EXPECT_EQ(list.FindByControl(radios) != nullptr, c.group);
    EXPECT_EQ(list.FindByControl(radioButtons[0]) != nullptr, c.buttons);
  }
  for (TSkinControl* o : list.Snapshot()) delete o;
  data->SkinControls = ~SetOf(xcPanel);
  dispatcher->SkinControl(checks, form);
  EXPECT_EQ(list.Count(), 0) << "a check group needs xcPanel";
  data->SkinControls = ~SetOf(xcGroupBox);
  dispatcher->SkinControl(checks, form);
  EXPECT_EQ(list.FindByControl(checks), nullptr);
  EXPECT_NE(list.FindByControl(checkBoxes[0]), nullptr) << "its buttons without the group";
}

TEST_F(SkinDispatchRowsTest, EditsWithButtonsByTheirNumber) {
  DecideOnly();
  auto edit = [&](int buttons, int top) {
    auto* e = Make<TDCEdit>(10, top, 120, 24);
    e->buttons = buttons;
    return e;
  };
  TDCEdit* one = edit(1, 10);
  TDCEdit* none = edit(0, 40);
  TDCEdit* two = edit(2, 70);
  form->Show();
  for (TDCEdit* e : {one, none, two}) dispatcher->SkinControl(e, form);
  ASSERT_EQ(decisions.size(), 2u);
  EXPECT_EQ(decisions[0].kind, K::ComboBox);
  EXPECT_EQ(decisions[0].control, one);
  EXPECT_EQ(decisions[1].kind, K::Edit);
  EXPECT_EQ(decisions[1].control, none);
  EXPECT_NE(list.FindByControl(none), nullptr);
  // A family switched off gives nothing.
  for (TSkinControl* o : list.Snapshot()) delete o;
  decisions.clear();
  data->SkinControls &= ~(SetOf(xcCombo) | SetOf(xcEdit));
  for (TDCEdit* e : {one, none, two}) dispatcher->SkinControl(e, form);
  EXPECT_TRUE(decisions.empty());
}

// Skinning makes no window: a hidden edit without buttons, or one that a
// Skin3rd "edit" line names, is attached without one and is skinned when the
// toolkit makes it. The line takes an edit with a border only, shown or hidden.
TEST_F(SkinDispatchRowsTest, HiddenEditsAreSkinnedWhenTheirWindowIsMade) {
  const TColor shadow = Rgb(20, 140, 70);
  data->Colors[scButtonShadow] = shadow;
  data->Skin3rd = {"TEdit=edit"};
  // An edit without buttons, one with a border and one without: hidden, then shown.
  struct Edits {
    TDCEdit* plain;
    TEdit *framed, *bare;
    std::vector<TWinControl*> All() const { return {plain, framed, bare}; }
  };
  Edits rows[2];
  for (int k = 0; k < 2; ++k) {
    const int top = 10 + 100 * k;
    rows[k] = {Make<TDCEdit>(10, top, 120, 24), Make<TEdit>(10, top + 30, 120, 24),
               Make<TEdit>(10, top + 60, 120, 24)};
    rows[k].bare->SetBorderStyle(TBorderStyle::bsNone);
  }
  for (TWinControl* e : rows[0].All()) e->SetVisible(false);
  form->Show();
  for (int k = 0; k < 2; ++k) {
    const bool hidden = k == 0;
    const Edits& r = rows[k];
    for (TWinControl* e : r.All()) {
      dispatcher->SkinControl(e, form);
      EXPECT_EQ(e->HandleAllocated(), !hidden) << e->ClassName() << " hidden " << hidden;
    }
    EXPECT_NE(dynamic_cast<TSkinEdit*>(list.FindByControl(r.plain)), nullptr) << hidden;
    EXPECT_NE(dynamic_cast<TSkinEdit*>(list.FindByControl(r.framed)), nullptr) << hidden;
    EXPECT_EQ(list.FindByControl(r.bare), nullptr) << "no border: " << hidden;
    for (TWinControl* e : r.All()) e->SetVisible(true);
    EXPECT_TRUE(IsWindowSkinned(r.plain->Handle())) << hidden;
    EXPECT_TRUE(IsWindowSkinned(r.framed->Handle())) << hidden;
    EXPECT_FALSE(IsWindowSkinned(r.bare->Handle())) << hidden;
    RedrawWindow(r.framed->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(PixelAt(r.framed->Handle(), 0, 12), shadow) << "the skin's border, " << hidden;
  }
}

}  // namespace
