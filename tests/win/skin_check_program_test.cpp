// The main window's check boxes and radio groups as the program's skin draws
// them on the idle screen.
#include <windows.h>

#include "main_form_fixture.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/skin_check.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_group_box.h"
#include "skin/win/skin_manager.h"

namespace {

TEST_F(MainFormTest, SkinnedCheckBoxesAndRadioGroupsOfTheIdleScreen) {
  HWND main = form->Handle();
  auto frame = [&] { return SkinManager() ? SkinManager()->FormOfWindow(main) : nullptr; };
  ASSERT_TRUE(PumpUntil([&] { return frame() && frame()->Skinned(); }, 3000));
  const TSkinControlList& list = frame()->Controls();
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
  EXPECT_EQ(first->LastFrame, 2);
  EXPECT_EQ(second->LastFrame, 1);
  SaveWindowShot(main, ArtefactFolder() + "skinned_main_checks.bmp");
}

}  // namespace
