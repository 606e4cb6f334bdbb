#include <set>

#include "graphics_support.h"
#include "toolkit/win/menus.h"

namespace {

struct MenuTest : GraphicsFixture {
  TMenuItem* NewItem(TComponent* parent, const std::string& caption) {
    auto* i = new TMenuItem(form);
    i->SetCaption(caption);
    i->SetParentComponent(parent);
    return i;
  }
  static std::wstring EntryText(HMENU m, UINT pos) {
    wchar_t buf[128] = {};
    GetMenuStringW(m, pos, buf, 128, MF_BYPOSITION);
    return buf;
  }
};

TEST_F(MenuTest, CommandIdsAreUniqueSmallAndReused) {
  std::set<WORD> ids;
  std::vector<TMenuItem*> items;
  for (int i = 0; i < 50; ++i) {
    items.push_back(new TMenuItem(form));
    WORD id = items.back()->Command();
    EXPECT_GE(id, 1);
    EXPECT_LE(id, 4095);
    EXPECT_TRUE(ids.insert(id).second);
    EXPECT_EQ(FindMenuItem(id), items.back());
  }
  WORD freed = items[7]->Command();
  delete items[7];
  EXPECT_EQ(FindMenuItem(freed), nullptr);
  auto* again = new TMenuItem(form);
  EXPECT_EQ(again->Command(), freed);
  EXPECT_EQ(FindMenuItem(0), nullptr);
  EXPECT_EQ(FindMenuItem(0xF060), nullptr);  // SC_CLOSE is never a menu item's
}

TEST_F(MenuTest, ItemsNestFromDefinitionsAndBuildTheNativeMenu) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* quit = NewItem(popup, "退出系统(&X)");
  TMenuItem* more = NewItem(popup, "更多");
  TMenuItem* sub = NewItem(more, "查询打字成绩");
  NewItem(popup, "-");
  EXPECT_EQ(popup->Items()->Count(), 3);
  EXPECT_EQ(more->Count(), 1);
  EXPECT_EQ(sub->Parent(), more);
  EXPECT_EQ(sub->GetParentMenu(), popup);
  EXPECT_EQ(sub->MenuIndex(), 0);
  auto* stray = new TMenuItem(form);
  EXPECT_THROW(stray->SetParentComponent(form), Exception);
  EXPECT_THROW(sub->Add(more), Exception);  // a cycle

  HMENU h = popup->Handle();
  ASSERT_EQ(GetMenuItemCount(h), 3);
  EXPECT_EQ(EntryText(h, 0), L"\x9000\x51FA\x7CFB\x7EDF(&X)");
  EXPECT_EQ(GetMenuItemID(h, 0), quit->Command());
  EXPECT_EQ(GetSubMenu(h, 1), more->Handle());
  EXPECT_EQ(EntryText(more->Handle(), 0), L"\x67E5\x8BE2\x6253\x5B57\x6210\x7EE9");
  EXPECT_TRUE(GetMenuState(h, 2, MF_BYPOSITION) & MF_SEPARATOR);

  // State changes reach the native entries.
  quit->SetChecked(true);
  quit->SetEnabled(false);
  UINT st = GetMenuState(h, quit->Command(), MF_BYCOMMAND);
  EXPECT_TRUE(st & MF_CHECKED);
  EXPECT_TRUE(st & MF_GRAYED);
  quit->SetShortCut(scCtrl | 'Q');
  EXPECT_EQ(EntryText(h, 0), L"\x9000\x51FA\x7CFB\x7EDF(&X)\tCtrl+Q");
  quit->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(h), 2);
  EXPECT_EQ(GetSubMenu(h, 0), more->Handle());
  quit->SetVisible(true);
  EXPECT_EQ(GetMenuItemID(h, 0), quit->Command());
  // Inserting and deleting.
  auto* first = new TMenuItem(form);
  first->SetCaption("a");
  popup->Items()->Insert(0, first);
  EXPECT_EQ(GetMenuItemID(h, 0), first->Command());
  popup->Items()->Delete(0);
  EXPECT_EQ(GetMenuItemID(h, 0), quit->Command());
  delete more;  // its submenu goes with it; the others stay
  EXPECT_EQ(GetMenuItemCount(h), 2);
  EXPECT_EQ(popup->Items()->Count(), 2);
}

TEST_F(MenuTest, PopupCommandsReachTheItemsOnClick) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* a = NewItem(popup, "软件更新");
  TMenuItem* b = NewItem(popup, "关于软件说明");
  std::vector<TObject*> clicked;
  a->OnClick = [&](TObject* s) { clicked.push_back(s); };
  b->OnClick = [&](TObject* s) { clicked.push_back(s); };
  HWND owner = TPopupMenu::OwnerWindow();
  ASSERT_TRUE(IsWindow(owner));
  SendMessageW(owner, WM_COMMAND, b->Command(), 0);
  SendMessageW(owner, WM_COMMAND, MAKEWPARAM(b->Command(), 0), reinterpret_cast<LPARAM>(owner));  // not a menu's
  b->SetEnabled(false);
  SendMessageW(owner, WM_COMMAND, b->Command(), 0);
  EXPECT_EQ(clicked, (std::vector<TObject*>{b}));

  // Owner-drawn entries are measured (in the menu font) and drawn by their items.
  int measured = 0;
  std::string measuredFont;
  a->OnMeasureItem = [&](TObject*, TCanvas& c, int& w, int& h) {
    ++measured;
    measuredFont = c.Font().GetName();
    EXPECT_EQ(c.Font().GetHeight(), Screen->MenuFont()->GetHeight());
    w = 77;
    h = 19;
  };
  MEASUREITEMSTRUCT mi{ODT_MENU, 0, a->Command(), 0, 0, 0};
  EXPECT_EQ(SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)), TRUE);
  EXPECT_EQ(measured, 1);
  EXPECT_EQ(measuredFont, Screen->MenuFont()->GetName());
  EXPECT_EQ(mi.itemWidth, 77u);
  EXPECT_EQ(mi.itemHeight, 19u);
  bool drawnSelected = false;
  a->OnDrawItem = [&](TObject*, TCanvas& c, RECT, bool selected) {
    drawnSelected = selected;
    EXPECT_NE(c.Handle(), nullptr);
  };
  // A draw handler alone leaves the entry as text; the menu's OwnerDraw switches
  // every entry, keeping its text, and back.
  auto type = [&](UINT pos) {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(popup->Handle(), pos, TRUE, &info);
    return info.fType & MFT_OWNERDRAW;
  };
  EXPECT_EQ(type(0), 0u);
  popup->SetOwnerDraw(true);
  EXPECT_EQ(type(0), static_cast<UINT>(MFT_OWNERDRAW));
  EXPECT_EQ(type(1), static_cast<UINT>(MFT_OWNERDRAW));
  EXPECT_EQ(EntryText(popup->Handle(), 1), L"\x5173\x4E8E\x8F6F\x4EF6\x8BF4\x660E");
  popup->SetOwnerDraw(false);
  EXPECT_EQ(type(0) | type(1), 0u);
  EXPECT_EQ(EntryText(popup->Handle(), 0), L"\x8F6F\x4EF6\x66F4\x65B0");
  popup->SetOwnerDraw(true);
  TestSurface s(50, 20);
  DRAWITEMSTRUCT di{ODT_MENU, 0, a->Command(), ODA_DRAWENTIRE, ODS_SELECTED, nullptr, s.dc, {0, 0, 50, 20}, 0};
  SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
  EXPECT_TRUE(drawnSelected);
}

// Picks the first entry of the open pop-up with the keyboard (or closes it).
int g_ticks = 0;
void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR, DWORD) {
  ++g_ticks;
  HWND owner = TPopupMenu::OwnerWindow();
  if (g_ticks == 1) {
    PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
  } else {
    PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

TEST_F(MenuTest, PopupShowsTheMenuAndRunsTheChosenItem) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* first = NewItem(popup, "退出当前用户");
  NewItem(popup, "退出系统");
  int clicks = 0;
  first->OnClick = [&](TObject*) { ++clicks; };
  g_ticks = 0;
  UINT_PTR t = SetTimer(nullptr, 0, 150, ChooseFirst);
  popup->Popup(100, 100);
  KillTimer(nullptr, t);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTest, MainMenuIsTheFormsBarAndTellsTheFormOfChanges) {
  int changes = 0;
  TWndMethod old = form->WindowProc;
  form->WindowProc = [&, old](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) ++changes;
    old(m);
  };
  auto* menu = new TMainMenu(form);
  TMenuItem* file = NewItem(menu, "文件(&F)");
  TMenuItem* open = NewItem(file, "打开");
  int opened = 0;
  open->OnClick = [&](TObject*) { ++opened; };
  HWND w = form->Handle();
  menu->AttachTo(form);
  EXPECT_EQ(GetMenu(w), menu->Handle());
  EXPECT_EQ(EntryText(GetMenu(w), 0), L"\x6587\x4EF6(&F)");
  int before = changes;
  EXPECT_GE(before, 1);
  file->SetCaption("帮助(&H)");
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(EntryText(GetMenu(w), 0), L"\x5E2E\x52A9(&H)");
  NewItem(menu, "编辑");
  EXPECT_EQ(changes, before + 2);
  EXPECT_EQ(GetMenuItemCount(GetMenu(w)), 2);

  // The bar's commands arrive at the form.
  SendMessageW(w, WM_COMMAND, open->Command(), 0);
  EXPECT_EQ(opened, 1);
  // The bar survives the window and comes back with a new one.
  HMENU bar = menu->Handle();
  form->RecreateWnd();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenu(form->Handle()), bar);
  menu->AttachTo(nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_TRUE(IsMenu(bar));
  int after = changes;
  file->SetCaption("x");
  EXPECT_EQ(changes, after);
  form->WindowProc = old;
}

}  // namespace
