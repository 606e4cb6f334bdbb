// Check boxes, radio groups, combo boxes, list boxes and track bars: their
// state in the window, and the events that user and code changes fire.
#include "controls_fixture.h"

#include <commctrl.h>

namespace {

TEST_F(ControlsFixture, CheckBoxCheckedFiresOnClickAndReachesWindow) {
  auto* box = Make<TCheckBox>(10, 10, 150, 20);
  box->SetCaption("关闭背景音乐");
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(true);  // before the window exists
  EXPECT_EQ(clicks, 1);
  HWND w = box->Handle();
  EXPECT_EQ(SendMessageW(w, BM_GETCHECK, 0, 0), BST_CHECKED);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);  // no change, no click
  SetOrdProp(*box, "Checked", 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(SendMessageW(w, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const TPropInfo* state = GetPropInfo(box, "State");
  ASSERT_NE(state, nullptr);
  SetOrdProp(*box, "State", GetEnumValue(*state, "cbGrayed"));
  EXPECT_EQ(SendMessageW(w, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(GetEnumName(*state, GetOrdProp(*box, "State")), "cbGrayed");
  EXPECT_FALSE(box->GetChecked());
  EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsFixture, CheckBoxClicksStepThroughStates) {
  struct Step {
    bool allowGrayed;
    TCheckBoxState from, to;
  };
  const Step steps[] = {
      {false, TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked},
      {false, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked},
      {true, TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed},
      {true, TCheckBoxState::cbGrayed, TCheckBoxState::cbUnchecked},
  };
  auto* box = Make<TCheckBox>(10, 10, 150, 20);
  form->Show();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  for (const Step& s : steps) {
    box->SetAllowGrayed(s.allowGrayed);
    box->SetState(s.from);
    clicks = 0;
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->GetState(), s.to);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(s.to));
  }
}

TEST_F(ControlsFixture, RadioGroupMakesButtonsColumnByColumn) {
  auto* group = Make<TRadioGroup>(5, 4, 353, 126);
  group->SetCaption("打字类型:");
  group->SetColumns(2);
  group->SetItemsList({"英文(大)", "英文(小)", "数字练习", "拼单字练", "拼单字跟"});
  ASSERT_EQ(group->ButtonCount(), 5);
  form->Show();
  // Three rows in the first column, two in the second.
  EXPECT_EQ(group->Buttons(0)->GetLeft(), group->Buttons(2)->GetLeft());
  EXPECT_LT(group->Buttons(0)->GetTop(), group->Buttons(1)->GetTop());
  EXPECT_LT(group->Buttons(1)->GetTop(), group->Buttons(2)->GetTop());
  EXPECT_GT(group->Buttons(3)->GetLeft(), group->Buttons(2)->GetLeft());
  EXPECT_EQ(group->Buttons(3)->GetTop(), group->Buttons(0)->GetTop());
  EXPECT_EQ(group->Buttons(4)->GetTop(), group->Buttons(1)->GetTop());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(group->Buttons(i)->Parent(), group);
    EXPECT_TRUE(IsChild(group->Handle(), group->Buttons(i)->Handle()));
  }
  EXPECT_EQ(WindowText(group->Buttons(2)->Handle()), L"\x6570\x5B57\x7EC3\x4E60");  // 数字练习
  RECT r;
  GetWindowRect(group->Buttons(4)->Handle(), &r);
  EXPECT_LE(r.bottom, group->ClientToScreen(POINT{0, group->GetHeight()}).y);
}

TEST_F(ControlsFixture, RadioGroupItemIndexByCodeAndByClick) {
  auto* group = Make<TRadioGroup>(5, 4, 200, 126);
  group->SetItemsList({"1分钟", "5分钟", "15分钟", "30分钟", "60分钟"});
  std::vector<int> seen;
  group->OnClick = [&](TObject*) { seen.push_back(group->GetItemIndex()); };
  form->Show();
  auto checked = [&] {
    std::vector<int> on;
    for (int i = 0; i < group->ButtonCount(); ++i)
      if (SendMessageW(group->Buttons(i)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) on.push_back(i);
    return on;
  };
  EXPECT_EQ(group->GetItemIndex(), -1);
  EXPECT_TRUE(checked().empty());
  SetOrdProp(*group, "ItemIndex", 0);
  EXPECT_EQ(checked(), std::vector<int>{0});
  group->SetItemIndex(0);
  SendMessageW(group->Buttons(3)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->GetItemIndex(), 3);
  EXPECT_EQ(checked(), std::vector<int>{3});
  SendMessageW(group->Buttons(3)->Handle(), BM_CLICK, 0, 0);  // the chosen one again
  group->SetItemIndex(-1);
  EXPECT_TRUE(checked().empty());
  EXPECT_EQ(seen, (std::vector<int>{0, 3, -1}));
  // New items make new buttons; the index stays within them.
  group->SetItemIndex(4);
  group->SetItemsList({"a", "b"});
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(checked(), std::vector<int>{1});
  group->Items()->Add("c");
  EXPECT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(WindowText(group->Buttons(2)->Handle()), L"c");
}

TEST_F(ControlsFixture, ComboBoxItemsTextAndIndex) {
  auto* combo = Make<TComboBox>(562, 41, 145, 22);
  combo->Items()->Add("1.英文");
  combo->Items()->Add("2.五笔");
  combo->SetText("选择英文练习文章");
  EXPECT_EQ(combo->GetText(), "选择英文练习文章");
  HWND w = combo->Handle();
  EXPECT_EQ(SendMessageW(w, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(combo->GetText(), "选择英文练习文章");
  EXPECT_EQ(combo->GetItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "2.五笔");
  combo->Items()->Insert(0, "0.拼音");
  EXPECT_EQ(SendMessageW(w, CB_GETCOUNT, 0, 0), 3);
  combo->Items()->Delete(0);
  combo->Items()->Clear();
  EXPECT_EQ(SendMessageW(w, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  // A list-only box: the text chooses an item.
  auto* list = Make<TComboBox>(10, 100, 145, 22);
  list->SetStyle(TComboBoxStyle::csDropDownList);
  list->SetItemsList({"所有用户", "abc", "bob"});
  list->SetText("bob");
  EXPECT_EQ(list->GetItemIndex(), 2);
  list->Handle();
  EXPECT_EQ(list->GetItemIndex(), 2);
  EXPECT_EQ(list->GetText(), "bob");
  EXPECT_EQ(GetWindowLongW(list->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

TEST_F(ControlsFixture, ComboBoxDropsDownCountRowsAndReportsChoices) {
  auto* combo = Make<TComboBox>(10, 10, 145, 22);
  for (int i = 0; i < 40; ++i) combo->Items()->Add("文章" + std::to_string(i));
  combo->SetDropDownCount(30);
  int dropped = 0, selects = 0, clicks = 0, changes = 0;
  combo->OnDropDown = [&](TObject*) { ++dropped; };
  combo->OnSelect = [&](TObject*) { ++selects; };
  combo->OnClick = [&](TObject*) { ++clicks; };
  combo->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  HWND w = combo->Handle();
  SendMessageW(w, CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  EXPECT_EQ(dropped, 1);
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(w, &info));
  RECT lr;
  GetClientRect(info.hwndList, &lr);
  int item = static_cast<int>(SendMessageW(w, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_NEAR(lr.bottom / item, 30, 1);
  // The control itself keeps the height of its closed face.
  EXPECT_LT(combo->GetHeight(), 3 * item);
  SendMessageW(w, CB_SHOWDROPDOWN, FALSE, 0);
  // The user chooses with the keyboard in the edit part.
  combo->SetFocus();
  PressKey(info.hwndItem, VK_DOWN);
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetText(), "文章0");
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 0);  // OnSelect took it
  // Typing replaces the chosen text, which the edit part holds selected.
  TypeWide(info.hwndItem, L"x");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->GetText(), "x");
}

TEST_F(ControlsFixture, ListBoxItemsSortedIndexAndBadDelete) {
  auto* list = Make<TListBox>(10, 10, 150, 200);
  list->SetItemsList({"abc", "bob", "张三"});
  HWND w = list->Handle();
  EXPECT_EQ(SendMessageW(w, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->GetItemIndex(), -1);
  // Deleting with nothing chosen is refused before anything changes.
  EXPECT_THROW(list->Items()->Delete(list->GetItemIndex()), EListError);
  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(SendMessageW(w, LB_GETCOUNT, 0, 0), 3);
  list->SetItemIndex(1);
  list->Items()->Delete(list->GetItemIndex());
  EXPECT_EQ(list->GetItemsList(), (std::vector<std::string>{"abc", "张三"}));
  wchar_t buf[32] = {};
  SendMessageW(w, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::wstring(buf), L"\x5F20\x4E09");
  list->SetSorted(true);
  list->Items()->Add("Bob");
  list->Items()->Add("aaa");
  EXPECT_EQ(list->GetItemsList(), (std::vector<std::string>{"aaa", "abc", "Bob", "张三"}));
  SendMessageW(w, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::wstring(buf), L"Bob");
}

TEST_F(ControlsFixture, ListBoxUserChoiceFiresOnClick) {
  auto* list = Make<TListBox>(10, 10, 150, 200);
  list->SetItemsList({"abc", "bob", "carol"});
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  list->SetFocus();
  list->SetItemIndex(0);
  EXPECT_EQ(clicks, 0);  // code does not click
  PressKey(list->Handle(), VK_DOWN);
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsFixture, TrackBarClampsPositionAndReportsChanges) {
  auto* track = Make<TTrackBar>(447, 99, 150, 25);
  track->SetTickStyle(TTickStyle::tsNone);
  track->SetMin(1);
  track->SetMax(10);
  std::vector<int> changes;
  track->OnChange = [&](TObject*) { changes.push_back(track->GetPosition()); };
  struct Case {
    int set, expected;
  };
  const Case cases[] = {{0, 1}, {25, 10}, {5, 5}, {-3, 1}, {1, 1}};
  HWND w = track->Handle();
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & TBS_NOTICKS);
  for (const Case& c : cases) {
    SetOrdProp(*track, "Position", c.set);
    EXPECT_EQ(track->GetPosition(), c.expected);
    EXPECT_EQ(SendMessageW(w, TBM_GETPOS, 0, 0), c.expected);
  }
  // Position was 1 after the min; then 10, 5, 1: each move reported once.
  EXPECT_EQ(changes, (std::vector<int>{10, 5, 1}));
  track->SetMax(4);
  track->SetPosition(4);
  track->SetMax(3);
  EXPECT_EQ(track->GetPosition(), 3);
  EXPECT_EQ(SendMessageW(w, TBM_GETRANGEMAX, 0, 0), 3);
  track->SetSelEnd(2);
  EXPECT_EQ(SendMessageW(w, TBM_GETSELEND, 0, 0), 2);
}

TEST_F(ControlsFixture, TrackBarUserMoveFiresOnChange) {
  auto* track = Make<TTrackBar>(10, 10, 150, 30);
  track->SetMin(1);
  track->SetMax(10);
  int changes = 0;
  track->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  track->SetFocus();
  PressKey(track->Handle(), VK_RIGHT);
  EXPECT_EQ(track->GetPosition(), 2);
  EXPECT_EQ(changes, 1);
  PressKey(track->Handle(), VK_END);
  EXPECT_EQ(track->GetPosition(), 10);
  EXPECT_EQ(changes, 2);
}

}  // namespace

namespace {

// Properties read from a form definition arrive in any order while the
// component is loading; Loaded settles them and fires no events.
TEST_F(ControlsFixture, StateReadWhileLoadingSettlesInLoaded) {
  auto* group = Make<TRadioGroup>(5, 4, 200, 126);
  auto* box = Make<TCheckBox>(220, 10, 100, 20);
  auto* track = Make<TTrackBar>(220, 40, 150, 25);
  auto* label = new TLabel(form);
  label->SetParent(form);
  int events = 0;
  group->OnClick = box->OnClick = [&](TObject*) { ++events; };
  track->OnChange = [&](TObject*) { ++events; };
  for (TComponent* c : std::vector<TComponent*>{group, box, track, label}) c->SetLoading(true);
  SetOrdProp(*group, "ItemIndex", 1);
  group->SetItemsList({"1分钟", "5分钟", "15分钟"});
  box->SetChecked(true);
  track->SetPosition(25);
  track->SetMax(10);
  track->SetMin(1);
  label->SetCaption("打中红字显示时间：");
  label->SetWidth(3);
  for (TComponent* c : std::vector<TComponent*>{group, box, track, label}) c->SetLoading(false);
  for (TComponent* c : std::vector<TComponent*>{group, box, track, label}) c->Loaded();
  form->Show();
  EXPECT_EQ(events, 0);
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(SendMessageW(group->Buttons(1)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(track->GetPosition(), 10);
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 10);
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_GT(label->GetWidth(), 100);
}

}  // namespace
