#include <gtest/gtest.h>

#include <cmath>

#include "main_form_fixture.h"

namespace {

using Layout = MainFormTest;

TEST_F(Layout, FullScreenAndBackByTheButton) {
  Click(form->Button6->Handle());
  Pump();
  ASSERT_EQ(form->Button6->GetCaption(), "窗口");
  EXPECT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsNone);
  const int W = form->ClientWidth(), H = form->ClientHeight();
  EXPECT_GT(W, 961);
  const int w = static_cast<int>(std::trunc(W / 4.75));
  const int c = static_cast<int>(std::nearbyint(w * 0.75));
  const int d = c / 5;
  EXPECT_EQ(form->Label1->GetLeft(), d);
  EXPECT_EQ(form->Label4->GetLeft(), 3 * w + 4 * d);
  EXPECT_EQ(form->Label2->GetTop(), (H - w) / 2);
  EXPECT_EQ(form->Label15->GetLeft(), W - 73);
  EXPECT_EQ(Practice.GameStartLeft, W - 73);
  EXPECT_EQ(Practice.MaxRowLength, static_cast<int>(std::trunc(W / 961.0 * 86)));
  EXPECT_EQ(form->Button1->GetLeft(), (W - 961) / 2 + 324);
  EXPECT_EQ(form->Button1->GetTop(), H - form->Button1->GetHeight() - 23);

  Click(form->Button6->Handle());
  Pump();
  EXPECT_EQ(form->Button6->GetCaption(), "全屏");
  EXPECT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsSingle);
  EXPECT_EQ(form->GetWidth(), 977);
  EXPECT_EQ(form->GetHeight(), 559);
  EXPECT_EQ(form->Label4->GetTop(), 199) << "restoring puts Label4 at 199, not its design 201";
  EXPECT_EQ(form->Label14->GetTop(), 128);
  EXPECT_EQ(Practice.MaxRowLength, 86);
}

}  // namespace
