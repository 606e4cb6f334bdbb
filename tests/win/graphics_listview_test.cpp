#include "graphics_support.h"

#include <commctrl.h>

#include "toolkit/base/sysutils.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/listview.h"

namespace {

struct ListViewTest : GraphicsFixture {
  void SetUp() override {
    GraphicsFixture::SetUp();
    list = new TListView(form);
    list->SetParent(form);
    list->SetBounds(5, 5, 400, 250);
    list->SetViewStyle(TViewStyle::vsReport);
    for (const char* c : {"打字类型", "速度", "用户"}) list->Columns()->Add()->SetCaption(c);
  }
  TListItem* AddRow(const std::string& caption, const std::vector<std::string>& subs) {
    TListItem* i = list->Items()->Add();
    i->SetCaption(caption);
    for (auto& s : subs) i->AddSubItem(s);
    return i;
  }
  std::wstring Cell(int row, int column) {
    wchar_t buf[128] = {};
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = 128;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
  }
  int Rows() { return static_cast<int>(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0)); }
  // Rows as "caption/sub1" from the window.
  std::vector<std::string> Shown(int column = 1) {
    std::vector<std::string> out;
    for (int r = 0; r < Rows(); ++r) out.push_back(WideToGbk(Cell(r, 0)) + "/" + WideToGbk(Cell(r, column)));
    return out;
  }
  TListView* list = nullptr;
};

TEST_F(ListViewTest, ItemsAndColumnsShowInTheWindowInGbk) {
  TListItem* early = AddRow("英文(大)", {"120字/分", "abc"});
  int tag = 5;
  early->Data = &tag;
  list->Handle();
  AddRow("五笔文章", {"95字/分", "bob"});
  AddRow("拼音文章", {"30字/分"});
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(Cell(0, 0), L"\x82F1\x6587(\x5927)");
  EXPECT_EQ(Cell(1, 1), L"95\x5B57/\x5206");
  EXPECT_EQ(Cell(2, 2), L"");
  wchar_t head[32] = {};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.pszText = head;
  col.cchTextMax = 32;
  SendMessageW(list->Handle(), LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_EQ(std::wstring(head), L"\x901F\x5EA6");
  list->Columns()->Items(0)->SetWidth(80);
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 80);

  list->Items()->Item(2)->SetSubItem(1, "carol");
  EXPECT_EQ(Cell(2, 2), L"carol");
  list->Items()->Delete(1);
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(Cell(1, 2), L"carol");
  EXPECT_EQ(list->Items()->Item(0)->Data, &tag);
  EXPECT_THROW(list->Items()->Delete(5), Exception);
  list->Items()->Clear();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewTest, StylesReachTheWindow) {
  list->SetGridLines(true);
  list->SetRowSelect(true);
  list->SetReadOnly(true);
  HWND w = list->Handle();
  LRESULT ex = SendMessageW(w, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  LONG_PTR st = GetWindowLongPtrW(w, GWL_STYLE);
  EXPECT_EQ(st & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(st & LVS_EDITLABELS);
  list->SetGridLines(false);
  EXPECT_FALSE(SendMessageW(w, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
  list->SetReadOnly(false);
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & LVS_EDITLABELS);
  EXPECT_EQ(GetEnumName(*GetPropInfo(list, "ViewStyle"), GetOrdProp(*list, "ViewStyle")), "vsReport");
}

TEST_F(ListViewTest, CustomSortOrdersItemsAndRowsAndKeepsTheSelection) {
  AddRow("c", {"120字/分"});
  AddRow("a", {"95字/分"});
  TListItem* b = AddRow("B", {"120字/分"});
  AddRow("d", {"30字/分"});
  list->Handle();
  b->SetSelected(true);
  auto byColumn = [](TListItem* x, TListItem* y, long long column) {
    return column == 0 ? CompareText(x->GetCaption(), y->GetCaption())
                       : CompareText(x->SubItems()[static_cast<std::size_t>(column - 1)],
                                     y->SubItems()[static_cast<std::size_t>(column - 1)]);
  };
  struct Case {
    long long column;
    bool descending;
    std::vector<std::string> want;
  } cases[] = {
      {0, false, {"a/95字/分", "B/120字/分", "c/120字/分", "d/30字/分"}},
      {0, true, {"d/30字/分", "c/120字/分", "B/120字/分", "a/95字/分"}},
      // Numbers compare as text; equal keys keep their order.
      {1, false, {"c/120字/分", "B/120字/分", "d/30字/分", "a/95字/分"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    list->CustomSort(
        [&](TListItem* x, TListItem* y, long long col) { return c.descending ? -byColumn(x, y, col) : byColumn(x, y, col); },
        c.column);
    EXPECT_EQ(Shown(), c.want);
    for (int i = 0; i < list->Items()->Count(); ++i)
      EXPECT_EQ(WideToGbk(Cell(i, 0)), list->Items()->Item(i)->GetCaption());
    EXPECT_EQ(list->Selected(), b);
    EXPECT_TRUE(b->GetSelected());
  }
  // A comparison that fails leaves the rows matching the items.
  EXPECT_THROW(list->CustomSort([](TListItem*, TListItem*, long long) -> int { throw Exception("x"); }, 0), Exception);
  for (int i = 0; i < list->Items()->Count(); ++i)
    EXPECT_EQ(WideToGbk(Cell(i, 0)), list->Items()->Item(i)->GetCaption());
}

TEST_F(ListViewTest, SortByTextKeepsCaptionOrderAsItemsArrive) {
  list->SetSortType(TSortType::stText);
  list->Handle();
  AddRow("五笔文章", {"1"});
  AddRow("英文(大)", {"2"});
  AddRow("Abc", {"3"});
  AddRow("abd", {"4"});
  std::vector<std::string> want = {"Abc/3", "abd/4", "五笔文章/1", "英文(大)/2"};
  EXPECT_EQ(Shown(), want);
  EXPECT_EQ(list->Items()->Item(2)->GetCaption(), "五笔文章");
}

TEST_F(ListViewTest, ColumnClicksAndSelectionsRaiseEvents) {
  AddRow("a", {"1"});
  TListItem* second = AddRow("b", {"2"});
  std::vector<int> columns;
  std::vector<std::pair<TListItem*, bool>> selections;
  list->OnColumnClick = [&](TObject* s, TListColumn* c) {
    EXPECT_EQ(s, list);
    columns.push_back(c->Index());
  };
  list->OnSelectItem = [&](TObject*, TListItem* i, bool sel) { selections.push_back({i, sel}); };
  HWND w = list->Handle();
  NMLISTVIEW nm{};
  nm.hdr.hwndFrom = w;
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iItem = -1;
  nm.iSubItem = 2;
  SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  // The skin engine's message with the same number is not a notification.
  list->Perform(CN_NOTIFY, 0, SKIN_MESSAGE_TAG);
  EXPECT_EQ(columns, (std::vector<int>{2}));

  second->SetSelected(true);
  list->Items()->Item(0)->SetSelected(true);  // single selection: the second loses it
  ASSERT_GE(selections.size(), 2u);
  EXPECT_EQ(selections.front(), std::make_pair(second, true));
  EXPECT_EQ(list->Selected(), list->Items()->Item(0));
  EXPECT_FALSE(second->GetSelected());
  bool sawDeselect = false;
  for (auto& s : selections) sawDeselect |= s.first == second && !s.second;
  EXPECT_TRUE(sawDeselect);
}

}  // namespace
