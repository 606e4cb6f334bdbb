#include "graphics_support.h"
#include "toolkit/win/hint_window.h"
#include "toolkit/win/open_dialog.h"

namespace {

using OpenDialogTest = GraphicsFixture;

TEST_F(OpenDialogTest, AnswersFromTheReplacement) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("文本文件|*.txt|所有文件|*.*");
  dlg.SetInitialDir("C:\\文章");
  dlg.SetTitle("打开");
  std::string seenDir;
  auto previous = TOpenDialog::SetAnswer([&](TOpenDialog& d) {
    seenDir = d.GetInitialDir();
    if (d.GetFilter().empty()) return false;
    d.SetFileName(d.GetInitialDir() + "\\唐诗.txt");
    return true;
  });
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(seenDir, "C:\\文章");
  EXPECT_EQ(dlg.GetFileName(), "C:\\文章\\唐诗.txt");
  dlg.SetFilter("");
  EXPECT_FALSE(dlg.Execute());
  TOpenDialog::SetAnswer(previous);
  EXPECT_TRUE(IsPublishedProp(&dlg, "InitialDir"));
}

using HintWindowTest = GraphicsFixture;

TEST_F(HintWindowTest, ShowsTextAtAPointWithoutActivation) {
  form->Show();
  HWND active = GetActiveWindow();
  THintWindow hint(nullptr);
  RECT at = hint.CalcHintRect(500, "最小化");
  OffsetRect(&at, 300, 200);
  hint.ActivateHint(at, "最小化");
  Pump();
  HWND w = hint.HandleOrNull();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(hint.HintShowing());
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 200);
  const RECT small = hint.CalcHintRect(500, "最");
  EXPECT_GT(r.right - r.left, small.right);
  EXPECT_EQ(r.right - r.left, at.right - at.left);
  EXPECT_EQ(r.bottom - r.top, at.bottom - at.top);
  wchar_t text[16] = {};
  GetWindowTextW(w, text, 16);
  EXPECT_EQ(std::wstring(text), L"\x6700\x5C0F\x5316");
  EXPECT_EQ(GetActiveWindow(), active);
  hint.ReleaseHint();
  EXPECT_FALSE(hint.HintShowing());
  EXPECT_FALSE(IsWindowVisible(w));
}

}  // namespace
