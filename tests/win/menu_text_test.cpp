// The items of the program's popup menus read dark on the skin's menu, as a
// whole and not only at their darkest pixels.
#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "screen_pixels.h"

namespace {

struct TMenuLook {
  bool Seen = false;
  double Median = 0;
  int Ink = 0;
};
TMenuLook look;

void CALLBACK LookAtItems(HWND, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, id);
  auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // Items 2 to 5, none of them under the mouse.
  RECT first{}, last{};
  GetMenuItemRect(nullptr, menu, 1, &first);
  GetMenuItemRect(nullptr, menu, 4, &last);
  RECT items{first.left, first.top, first.right, last.bottom};
  const TScreenPixels shown = ReadScreen(items);
  const COLORREF face = MeasureTextContrast(shown).Background;
  look.Seen = true;
  look.Median = MedianInkContrast(shown, face);
  look.Ink = MeasureTextContrast(shown).InkPixels;
  EndMenu();
}

using MenuText = MainFormTest;

TEST_F(MenuText, HelpItemsReadDark) {
  look = TMenuLook{};
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  SetCursorPos(r.left + 5, r.bottom - 5);
  SetTimer(nullptr, 0, 300, LookAtItems);
  form->PopupMenu1->Popup(r.left + 200, r.top + 120);
  Pump();
  ASSERT_TRUE(look.Seen);
  EXPECT_GT(look.Ink, 100);
  EXPECT_GE(look.Median, 4.5) << "half the text pixels are paler than 4.5:1 on the menu";
}

}  // namespace
