// Alt+letter handed round a form (CM_DIALOGCHAR), the form's tab-order list,
// mouse presses given to a control by code that took its messages, and which
// windows track the pointer's leaving.
#include <string>
#include <vector>

#include "controls_fixture.h"
#include "services_pump.h"

namespace {

using InputTest = ControlsFixture;

TEST_F(InputTest, AccessKeysAreTheLetterAfterTheAmpersand) {
  EXPECT_TRUE(IsAccel('o', "确定(&O)"));
  EXPECT_TRUE(IsAccel('O', "&open"));
  EXPECT_FALSE(IsAccel('x', "确定(&O)"));
  EXPECT_FALSE(IsAccel('o', "Salt && Pepper"));
  EXPECT_TRUE(IsAccel('p', "Salt && &Pepper"));
  EXPECT_FALSE(IsAccel('o', "确定(O)"));
  EXPECT_FALSE(IsAccel('o', "trailing &"));
}

TEST_F(InputTest, AltLetterGoesToTheFormAndClicksTheButtonWithThatKey) {
  auto* edit = Make<TEdit>(10, 10, 120, 24);
  auto* panel = Make<TPanel>(10, 50, 200, 80);
  auto* ok = Make<TButton>(10, 10, 80, 25, panel);
  ok->SetCaption("确定(&O)");
  auto* quit = Make<TButton>(100, 10, 80, 25, panel);
  quit->SetCaption("退出(&X)");
  int oks = 0, quits = 0;
  ok->OnClick = [&](TObject*) { ++oks; };
  quit->OnClick = [&](TObject*) { ++quits; };
  std::vector<WPARAM> offered;
  TWindowProcLayer watch;
  watch.Install(form, [&](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) offered.push_back(m.WParam);
    watch.CallPrevious(m);
  });
  form->Show();
  edit->SetFocus();
  // Alt+O as the loop delivers it to the focused control.
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'o', 0x20000001);
  Pump();
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(quits, 0);
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'q', 0x20000001);  // nobody's key
  Pump();
  EXPECT_EQ(offered, (std::vector<WPARAM>{'o', 'q'}));
  // Alt+Space is the system menu's, never offered round (it would open that menu).
  TMessage space{CN_SYSCHAR, ' ', 0x20000001, 0};
  edit->WindowProc(space);
  EXPECT_EQ(space.Result, 0);
  EXPECT_EQ(offered.size(), 2u);
  // A disabled button does not take its key.
  quit->SetEnabled(false);
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'x', 0x20000001);
  Pump();
  EXPECT_EQ(quits, 0);
  // What takes the key first (a menu bar drawn by other code) keeps it from the controls.
  TWindowProcLayer bar;
  bar.Install(form, [&](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && m.WParam == 'o') {
      m.Result = 1;
      return;
    }
    bar.CallPrevious(m);
  });
  PostMessageW(edit->Handle(), WM_SYSCHAR, 'o', 0x20000001);
  Pump();
  EXPECT_EQ(oks, 1);
}

TEST_F(InputTest, TabOrderListHoldsNestedControlsInTabOrder) {
  auto* first = Make<TEdit>(10, 10, 100, 24);
  auto* group = Make<TGroupBox>(10, 40, 200, 120);
  auto* inner1 = Make<TEdit>(10, 20, 100, 24, group);
  auto* inner2 = Make<TButton>(10, 50, 80, 25, group);
  auto* last = Make<TButton>(10, 170, 80, 25);
  std::vector<TWinControl*> list;
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{first, group, inner1, inner2, last}));
  last->SetTabOrder(0);
  inner2->SetTabOrder(0);
  list.clear();
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{last, first, group, inner2, inner1}));
  list.clear();
  group->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{inner2, inner1}));
  // Tab walks the same order through the controls that can take the focus.
  form->Show();
  last->SetFocus();
  form->SelectNext(last, true);
  EXPECT_EQ(GetFocus(), first->Handle());
  form->SelectNext(first, true);
  EXPECT_EQ(GetFocus(), inner2->Handle());
}

TEST_F(InputTest, MouseDownFiresTheEventForAPressTakenElsewhere) {
  auto* button = Make<TButton>(10, 10, 80, 25);
  struct Press {
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  std::vector<Press> presses;
  button->OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    EXPECT_EQ(s, button);
    presses.push_back({b, sh, x, y});
  };
  button->MouseDown(TMouseButton::mbLeft, KeysToShiftState(MK_LBUTTON | MK_SHIFT), 40, -3);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].button, TMouseButton::mbLeft);
  EXPECT_EQ(presses[0].shift & (ssLeft | ssShift | ssCtrl), static_cast<TShiftState>(ssLeft | ssShift));
  EXPECT_EQ(presses[0].x, 40);
  EXPECT_EQ(presses[0].y, -3);
  // The window's own presses take the same road.
  auto* panel = Make<TPanel>(100, 10, 100, 60);
  int panelPresses = 0;
  panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState sh, int x, int y) {
    ++panelPresses;
    EXPECT_EQ(b, TMouseButton::mbRight);
    EXPECT_TRUE(sh & ssCtrl);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
  };
  SendMessageW(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(7, 9));
  EXPECT_EQ(panelPresses, 1);
}

// The window the system tracks the pointer's leaving for (none: null; an
// earlier test may have left one).
HWND TrackedWindow() {
  TRACKMOUSEEVENT t{sizeof t, TME_QUERY, nullptr, 0};
  TrackMouseEvent(&t);
  return (t.dwFlags & TME_LEAVE) ? t.hwndTrack : nullptr;
}

// A form nobody hears entering or leaving is not tracked (Wine polls the
// pointer while it is); its windowless children and windowed controls hear
// theirs as before, and so does a form with its own events.
TEST_F(InputTest, LeavingIsTrackedWhereSomeoneHearsIt) {
  POINT saved{};
  GetCursorPos(&saved);
  auto* label = Make<TLabel>(10, 10, 80, 20);
  label->SetCaption("label");
  auto* panel = Make<TPanel>(200, 10, 100, 60);
  std::vector<std::string> heard;
  label->OnMouseEnter = [&](TObject*) { heard.push_back("label enter"); };
  label->OnMouseLeave = [&](TObject*) { heard.push_back("label leave"); };
  panel->OnMouseLeave = [&](TObject*) { heard.push_back("panel leave"); };
  form->Show();
  Pump();
  HWND w = form->Handle();
  auto moveTo = [](HWND target, int x, int y) {
    POINT p{x, y};
    ClientToScreen(target, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  };
  auto away = [&](const char* expected) {
    SetCursorPos(0, 0);  // off every window of the test
    EXPECT_TRUE(PumpUntil([&] { return !heard.empty() && heard.back() == expected; }, 3000)) << expected;
  };

  moveTo(w, 400, 300);  // the form's bare client area
  EXPECT_NE(TrackedWindow(), w);
  moveTo(w, 20, 15);  // over the label
  EXPECT_EQ(TrackedWindow(), w);
  away("label leave");
  EXPECT_EQ(heard.front(), "label enter");

  moveTo(panel->Handle(), 10, 10);
  EXPECT_EQ(TrackedWindow(), panel->Handle());
  away("panel leave");

  bool formLeft = false;
  form->OnMouseLeave = [&](TObject*) { formLeft = true; };
  moveTo(w, 400, 300);
  EXPECT_EQ(TrackedWindow(), w);
  SetCursorPos(0, 0);
  EXPECT_TRUE(PumpUntil([&] { return formLeft; }, 3000));
  SetCursorPos(saved.x, saved.y);
}

}  // namespace
