// Date-time pickers: the skin arrow over the drop-down button, its hover
// frame, the click handed on to the picker, the border, and a skin lacking
// the arrow.
#include <windows.h>

#include <memory>

#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/input/datetime.h"
#include "skin_fixture.h"
#include "skin_strips.h"
#include "toolkit/win/date_time_picker.h"

namespace {

const std::vector<TColor> kArrow = Distinct(4, 2);
const TColor kFace = StripRgb(230, 225, 200), kShadow = StripRgb(70, 60, 50);

struct SkinDateTimeTest : SkinFixture {
  void SetUp() override {
    SkinFixture::SetUp();
    data->ComboxArrow = ColourObject<TDataSkinObject>(kArrow, 8, 8);
    data->Colors[scButtonFace] = kFace;
    data->Colors[scButtonShadow] = kShadow;
    data->Skin3rd = {"TDateTimePicker=datetimepicker"};
    picker = Make<TDateTimePicker>(20, 20, 180, 24);
    other = Make<TButton>(20, 80, 80, 25);
    form->Show();
    NewDispatcher();
    dispatcher->SkinFormControls(form);
    skin = dynamic_cast<TSkinDateTime*>(list.FindByControl(picker));
  }
  TDateTimePicker* picker = nullptr;
  TButton* other = nullptr;
  TSkinDateTime* skin = nullptr;
};

TEST_F(SkinDateTimeTest, ArrowFramesClickAndBorder) {
  ASSERT_NE(skin, nullptr) << "the Skin3rd line names the family";
  TArrowButton* arrow = skin->FArrowButton;
  ASSERT_NE(arrow, nullptr);
  EXPECT_FALSE(arrow->GetTabStop());
  EXPECT_EQ(arrow->GetLeft(), 180 - arrow->FButtonWidth - 4);
  EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
  picker->Repaint();
  arrow->Repaint();
  Pump();
  EXPECT_EQ(PixelAt(arrow->Handle(), 5, 5), kArrow[0]);
  EXPECT_EQ(PixelAt(picker->Handle(), 0, 10), kShadow) << "the skin border";
  EXPECT_EQ(PixelAt(picker->Handle(), 1, 10), clWhite);

  arrow->Perform(CM_MOUSEENTER, 0, 0);
  arrow->Update();
  EXPECT_EQ(PixelAt(arrow->Handle(), 5, 5), kArrow[3]);
  arrow->Perform(CM_MOUSELEAVE, 0, 0);
  arrow->Update();
  EXPECT_EQ(PixelAt(arrow->Handle(), 5, 5), kArrow[0]);

  // The button's release gives the picker the focus.
  other->SetFocus();
  SendMessageW(arrow->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), picker->Handle());

  // A click on the arrow reaches the picker there: its calendar opens.
  other->SetFocus();
  EXPECT_EQ(picker->MonthCalendar(), nullptr);
  PostMessageW(arrow->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(arrow->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PumpUntil([&] { return picker->MonthCalendar() != nullptr; }, 2000));
  Pump();
  EXPECT_TRUE(SaveWindowShot(form->Handle(), ArtefactFolder() + "skin_datetime_open.bmp"));
  PressKey(picker->Handle(), VK_ESCAPE);

  // The arrow follows the picker's width at the next paint.
  picker->SetBounds(20, 20, 240, 24);
  picker->Repaint();
  Pump();
  EXPECT_EQ(arrow->GetLeft(), 240 - arrow->FButtonWidth - 4);
}

TEST_F(SkinDateTimeTest, AHiddenPickerGetsItsArrowWithItsWindow) {
  auto* hidden = new TDateTimePicker(form);
  hidden->SetVisible(false);
  hidden->SetParent(form);
  hidden->SetBounds(20, 130, 160, 24);
  dispatcher->SkinFormControls(form);
  auto* s = dynamic_cast<TSkinDateTime*>(list.FindByControl(hidden));
  ASSERT_NE(s, nullptr);
  TArrowButton* arrow = s->FArrowButton;
  ASSERT_NE(arrow, nullptr);
  EXPECT_FALSE(hidden->HandleAllocated()) << "skinning makes no window";
  EXPECT_FALSE(arrow->HandleAllocated());

  SetCursorPos(0, 0);  // not over the arrow: it shows its normal frame
  hidden->SetVisible(true);
  Pump();
  ASSERT_TRUE(hidden->HandleAllocated());
  EXPECT_EQ(arrow->FPickerHandle, hidden->HandleOrNull());
  EXPECT_EQ(GetParent(arrow->Handle()), hidden->HandleOrNull());
  EXPECT_EQ(arrow->GetLeft(), 160 - arrow->FButtonWidth - 4);
  EXPECT_TRUE(GetWindowLongW(hidden->HandleOrNull(), GWL_STYLE) & WS_CLIPCHILDREN);
  hidden->Repaint();
  arrow->Repaint();
  Pump();
  EXPECT_EQ(PixelAt(arrow->Handle(), 5, 5), kArrow[0]);
  EXPECT_EQ(PixelAt(hidden->HandleOrNull(), 0, 10), kShadow) << "the skin border";
  // The button's release gives the picker the focus.
  other->SetFocus();
  SendMessageW(arrow->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), hidden->HandleOrNull());
}

TEST_F(SkinDateTimeTest, SkinLackingTheArrowShowsAPlainButton) {
  ASSERT_NE(skin, nullptr);
  data->ComboxArrow.reset();
  picker->Repaint();
  skin->FArrowButton->Repaint();
  Pump();
  EXPECT_EQ(PixelAt(skin->FArrowButton->Handle(), 5, 5), kFace);
}

}  // namespace
