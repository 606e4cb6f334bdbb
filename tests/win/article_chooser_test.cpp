// The article chooser's list as it drops under a click on its button: every
// name shows whole, and the list stays on the screen.
#include <gtest/gtest.h>

#include "article_window.h"

namespace {

class ArticleChooser : public ArticleWindow {
protected:
  // Names as long as the shipped ones, and one far wider than the screen.
  const std::vector<std::string> names = {"The Gettysburg Address.txt", "A Letter to a New Typist.txt", "Pangram.txt"};
  const std::string wide = std::string(200, 'W') + ".txt";
  void WriteArticles() {
    for (const std::string& name : names) WriteArticle("English", name, "Text.\r\n");
  }
  // The articles of the test go: the other tests number their own from 1.
  void TearDown() override {
    for (const std::string& name : names) RemoveArticle(name);
    RemoveArticle(wide);
    ArticleWindow::TearDown();
  }
  void RemoveArticle(const std::string& name) { DeleteFileW(GbkToWide(ProgramFolder() + "English\\" + name).c_str()); }
  // Drops the chooser's list with a click on its button; its window.
  HWND Drop() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(form->ComboBox1->Handle(), &info)) return nullptr;
    const LPARAM at = MAKELPARAM((info.rcButton.left + info.rcButton.right) / 2,
                                 (info.rcButton.top + info.rcButton.bottom) / 2);
    PostMessageW(form->ComboBox1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(form->ComboBox1->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
    return form->ComboBox1->DroppedDown() ? info.hwndList : nullptr;
  }
  void CloseList() {
    SendMessageW(form->ComboBox1->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
  }
  // The widest item text in the list's font.
  static int WidestItem(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[512] = {};
      const int length = static_cast<int>(SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text)));
      SIZE size{};
      GetTextExtentPoint32W(dc, text, length, &size);
      widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return widest;
  }
  static RECT WorkArea(HWND w) {
    MONITORINFO m{};
    m.cbSize = sizeof m;
    GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &m);
    return m.rcWork;
  }
};

TEST_F(ArticleChooser, TheListDropsAsWideAsItsLongestName) {
  WriteArticles();
  Choose(19);
  HWND list = Drop();
  ASSERT_NE(list, nullptr);
  RECT row{};
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  // The list draws an item's text a pixel in from its row's left edge.
  EXPECT_GE(row.right - row.left, WidestItem(list) + 2) << "names are cut";
  RECT dropped{}, box{};
  GetWindowRect(list, &dropped);
  GetWindowRect(form->ComboBox1->Handle(), &box);
  EXPECT_GE(dropped.right - dropped.left, box.right - box.left);
  RECT window{}, shot{};
  GetWindowRect(form->Handle(), &window);
  UnionRect(&shot, &dropped, &window);
  EXPECT_TRUE(SaveScreenShot(shot, ArtefactFolder() + "article-chooser-list.bmp"));
  CloseList();
}

TEST_F(ArticleChooser, AListWiderThanTheScreenEndsAtItsEdge) {
  WriteArticles();
  WriteArticle("English", wide, "Wide.\r\n");
  Choose(19);
  HWND list = Drop();
  ASSERT_NE(list, nullptr);
  RECT dropped{};
  GetWindowRect(list, &dropped);
  const RECT work = WorkArea(list);
  EXPECT_LE(dropped.right, work.right);
  EXPECT_GT(dropped.right, work.right - 40) << "as wide as the screen allows";
  CloseList();
  // Listed again without the wide name, it is only as wide as the others need.
  RemoveArticle(wide);
  Choose(21);
  Choose(19);
  list = Drop();
  ASSERT_NE(list, nullptr);
  RECT narrower{}, row{};
  GetWindowRect(list, &narrower);
  EXPECT_LT(narrower.right, dropped.right - 40);
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  EXPECT_GE(row.right - row.left, WidestItem(list) + 2);
  CloseList();
}

}  // namespace
