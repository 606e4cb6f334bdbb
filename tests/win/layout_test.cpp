#include <gtest/gtest.h>

#include <cmath>

#include "main_form_fixture.h"

namespace {

using Layout = MainFormTest;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

TEST_F(Layout, FullScreenAndBackByTheButton) {
  SetWindowPos(form->Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // moved by the learner
  Pump();
  RECT before, monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, now;
  GetWindowRect(form->Handle(), &before);
  RECT client;
  GetClientRect(form->Handle(), &client);
  ASSERT_EQ(client.right, 961);
  ASSERT_EQ(client.bottom, 521);
  Click(form->Button6->Handle());
  Pump();
  ASSERT_EQ(form->Button6->GetCaption(), "窗口");
  EXPECT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsNone);
  const int W = form->ClientWidth(), H = form->ClientHeight();
  GetWindowRect(form->Handle(), &now);
  EXPECT_TRUE(SameRect(now, monitor)) << RectText(now) << " on a screen of " << RectText(monitor);
  EXPECT_EQ(W, monitor.right);
  EXPECT_EQ(H, monitor.bottom);
  const int w = static_cast<int>(std::trunc(W / 4.75));
  const int c = static_cast<int>(std::nearbyint(w * 0.75));
  const int d = c / 5;
  EXPECT_EQ(form->Label1->GetLeft(), d);
  EXPECT_EQ(form->Label4->GetLeft(), 3 * w + 4 * d);
  EXPECT_EQ(form->Label2->GetTop(), (H - w) / 2);
  EXPECT_EQ(form->Label15->GetLeft(), W - 73);
  // The game symbol starts there, or as far left as the widest one needs to show whole.
  EXPECT_LE(form->Session->GameStartLeft(), W - 73);
  EXPECT_GT(form->Session->GameStartLeft(), W - 200);
  EXPECT_EQ(form->Session->RowRoom.MaxBytes, static_cast<int>(std::trunc(W / 961.0 * 86)));
  EXPECT_EQ(form->Button1->GetLeft(), (W - 961) / 2 + 324);
  EXPECT_EQ(form->Button1->GetTop(), H - form->Button1->GetHeight() - 23);

  Click(form->Button6->Handle());
  Pump();
  EXPECT_EQ(form->Button6->GetCaption(), "全屏");
  EXPECT_EQ(form->GetBorderStyle(), TFormBorderStyle::bsSingle);
  GetWindowRect(form->Handle(), &now);
  EXPECT_TRUE(SameRect(now, before)) << RectText(now) << " after " << RectText(before);
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 961);
  EXPECT_EQ(client.bottom, 521);
  EXPECT_EQ(form->Label4->GetTop(), 199) << "restoring puts Label4 at 199, not its design 201";
  EXPECT_EQ(form->Label14->GetTop(), 128);
  EXPECT_EQ(form->Session->RowRoom.MaxBytes, 86);
}

TEST_F(Layout, TheGameSymbolStartsAtTheRightOfTheFullScreen) {
  Click(form->Button6->Handle());
  Pump();
  const int start = form->ClientWidth() - 73;
  Click(form->RadioGroup1->Buttons(17)->Handle());
  Click(form->Button1->Handle());
  ASSERT_TRUE(form->Label15->GetVisible());
  EXPECT_GT(form->Label15->GetLeft(), start - 200) << "not the window's 888";
  const std::string symbol = form->Label15->GetCaption();
  PostMessageW(form->Handle(), WM_KEYDOWN, static_cast<WPARAM>(symbol[0]), 1);
  PostMessageW(form->Handle(), WM_KEYUP, static_cast<WPARAM>(symbol[0]), 0xC0000001);
  Application->ProcessMessages();
  EXPECT_EQ(form->Session->Counters().KeyHits, 1);
  EXPECT_LE(form->Session->GameStartLeft(), start);
  EXPECT_GT(form->Session->GameStartLeft(), start - 200);
  EXPECT_GT(form->Label15->GetLeft(), start - 200) << "a hit symbol starts again at the right edge";
}

}  // namespace
