// The main window's check boxes and radio groups as the program's skin draws
// them on the idle screen.
#include <windows.h>

#include "main_form_fixture.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/boxes/group_box.h"
#include "skin/win/controls/buttons/check.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin_strips.h"
#include "skinned_frame.h"
#include "toolkit/win/bitmap.h"

namespace {

// The radio button's window shows frame k of the skin's radio strip as its box.
bool ShowsRadioFrame(HWND w, const TDataSkinButton& buttons, int k) {
  return ShowsBoxFrame(w, *buttons.Bitmap3, buttons.RadioFrameCount, k);
}

TEST_F(MainFormTest, SkinnedCheckBoxesAndRadioGroupsOfTheIdleScreen) {
  HWND main = form->Handle();
  TWinSkinForm* frame = WaitForSkinnedFrame(main);
  ASSERT_NE(frame, nullptr);
  const TSkinControlList& list = frame->Controls();
  for (TCheckBox* c : {form->CheckBox1, form->CheckBox2, form->CheckBox3, form->CheckBox4}) {
    auto* s = dynamic_cast<TSkinCheckBox*>(list.FindByControl(c));
    ASSERT_NE(s, nullptr) << c->GetName();
    EXPECT_EQ(s->FMode, 1) << "the skin paints the whole face";
  }
  for (TRadioGroup* g : {form->RadioGroup1, form->RadioGroup2}) {
    EXPECT_NE(dynamic_cast<TSkinGroupBox*>(list.FindByControl(g)), nullptr) << g->GetName();
    for (int i = 0; i < g->ButtonCount(); ++i)
      EXPECT_NE(dynamic_cast<TSkinRadioButton*>(list.FindByControl(g->Buttons(i))), nullptr);
  }
  // The checked item shows the skin's checked frame.
  PumpFor(200);
  auto* first = dynamic_cast<TSkinRadioButton*>(list.FindByControl(form->RadioGroup1->Buttons(0)));
  auto* second = dynamic_cast<TSkinRadioButton*>(list.FindByControl(form->RadioGroup1->Buttons(1)));
  ASSERT_TRUE(first && second);
  const TDataSkinButton& buttons = *first->FSkinData->Buttons;
  ASSERT_GE(buttons.RadioFrameCount, 2);
  EXPECT_TRUE(ShowsRadioFrame(form->RadioGroup1->Buttons(0)->Handle(), buttons, 2));
  EXPECT_FALSE(ShowsRadioFrame(form->RadioGroup1->Buttons(0)->Handle(), buttons, 1));
  EXPECT_TRUE(ShowsRadioFrame(form->RadioGroup1->Buttons(1)->Handle(), buttons, 1));
  SaveWindowShot(main, ArtefactFolder() + "skinned_main_checks.bmp");
}

}  // namespace
