#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "main_form_fixture.h"
#include "native/user_list_texts.h"
#include "practice/rules/practice_types.h"
#include "prompt_box.h"
#include "screenshot.h"
#include "users/Unit3.h"
#include "users/Unit5.h"

namespace {

// The dialogs over the real main window, shown non-modally and driven by clicks.
class UserDialogs : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form1 = form;
  }
  void TearDown() override {
    Form1 = nullptr;
    MainFormTest::TearDown();
  }
  void UseList(const std::string& text, const std::string& current) {
    SplitUserList(Practice.Users, text);
    Practice.Users.CurrentUser = current;
  }
  std::unique_ptr<TForm5> OpenUsers() {
    std::unique_ptr<TForm5> d(CreateFormObject<TForm5>(Application));
    d->Show();
    Pump();
    return d;
  }
  void Select(TForm5& d, int row) { d.ListBox1->SetItemIndex(row); }
  void NewUser(TForm5& d, const std::string& name) {
    Click(d.Button2->Handle());
    d.Edit1->SetText(name);
    Click(d.Button6->Handle());
  }
  std::string MainCaption() { return WindowText(form->Handle()); }
  static std::vector<std::string> Names() { return ::Names(Practice.Users); }
};

TEST_F(UserDialogs, DeletingTheCurrentUserMakesTheSystemUserCurrent) {
  UseList("abc;bob;carol;", "bob");
  auto d = OpenUsers();
  EXPECT_EQ(d->ListBox1->GetItemsList(), (std::vector<std::string>{"abc", "bob", "carol"}));
  EXPECT_EQ(d->Label2->GetCaption(), "当前用户:bob");
  EXPECT_FALSE(d->Edit1->GetVisible() || d->Label1->GetVisible() || d->Button6->GetVisible());
  ASSERT_TRUE(SaveWindowShot(d->Handle(), ArtefactFolder() + "user-dialog.bmp"));
  Select(*d, 1);
  Click(d->Button3->Handle());
  EXPECT_EQ(Practice.Users.CurrentUser, "abc");
  EXPECT_EQ(d->Label2->GetCaption(), "当前用户:abc");
  EXPECT_EQ(MainCaption(), UserCaption(Practice.DesignCaption, "abc"));
  EXPECT_EQ(Practice.Users.UserListText, "abc;carol;");
  EXPECT_EQ(d->ListBox1->GetItemsList(), Names());
}

TEST_F(UserDialogs, DeletingAnotherUserRebuildsTheListInOrder) {
  UseList("abc;bob;carol;dave;", "carol");
  auto d = OpenUsers();
  Select(*d, 1);
  Click(d->Button3->Handle());
  EXPECT_EQ(Practice.Users.UserListText, "abc;carol;dave;");
  EXPECT_EQ(Names(), (std::vector<std::string>{"abc", "carol", "dave"}));
  EXPECT_EQ(d->ListBox1->GetItemsList(), Names());
  EXPECT_EQ(Practice.Users.CurrentUser, "carol");
  EXPECT_EQ(MainCaption(), UserCaption(Practice.DesignCaption, "carol"));
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(UserDialogs, DeleteRefusesTheSystemUserAndIgnoresNoSelection) {
  UseList("abc;bob;", "abc");
  auto d = OpenUsers();
  Click(d->Button3->Handle());  // no row selected
  EXPECT_TRUE(boxes.Calls.empty());
  Select(*d, 0);
  Click(d->Button3->Handle());
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Text, "不能删除系统用户！");
  EXPECT_EQ(boxes.Calls[0].Caption, "错误");
  EXPECT_EQ(boxes.Calls[0].Flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
  EXPECT_EQ(Practice.Users.UserListText, "abc;bob;");
  EXPECT_EQ(d->ListBox1->Items()->Count(), 2);
}

TEST_F(UserDialogs, NewUserBecomesCurrentAtOnce) {
  UseList("abc;", "abc");
  auto d = OpenUsers();
  Click(d->Button2->Handle());
  EXPECT_TRUE(d->Edit1->GetVisible() && d->Label1->GetVisible() && d->Button6->GetVisible());
  EXPECT_EQ(d->Label1->GetCaption(), "新建用户名");
  d->Edit1->SetText(" 小明 ");
  Click(d->Button6->Handle());
  EXPECT_EQ(Practice.Users.CurrentUser, " 小明 ") << "names are taken as typed";
  EXPECT_EQ(MainCaption(), Practice.DesignCaption + "---- 小明 ");
  EXPECT_EQ(Practice.Users.UserListText, "abc; 小明 ;");
  EXPECT_EQ(d->ListBox1->GetItemsList(), Names());
  EXPECT_EQ(d->Label2->GetCaption(), "当前用户: 小明 ") << "the label used to keep the old user";
  EXPECT_FALSE(d->Edit1->GetVisible() || d->Button6->GetVisible());
  // The same name is refused.
  NewUser(*d, " 小明 ");
  EXPECT_EQ(Practice.Users.UserCount, 2);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
}

TEST_F(UserDialogs, TheNewNameBoxIsEmptyAfterAUserIsCreated) {
  UseList("abc;", "abc");
  auto d = OpenUsers();
  for (const std::string name : {"xiaoming", "temp2"}) {
    Click(d->Button2->Handle());
    ASSERT_TRUE(d->Edit1->GetVisible());
    EXPECT_EQ(d->Edit1->GetText(), "") << "before " << name;
    Click(d->Edit1->Handle());
    for (char c : name) Key(d->Edit1->Handle(), KeyOf(c));
    Click(d->Button6->Handle());
    EXPECT_EQ(Practice.Users.CurrentUser, name);
  }
  EXPECT_EQ(Practice.Users.UserListText, "abc;xiaoming;temp2;");
}

TEST_F(UserDialogs, ConfirmWithAnEmptyNameOnlyHidesTheEntry) {
  UseList("abc;", "abc");
  auto d = OpenUsers();
  NewUser(*d, "");
  EXPECT_FALSE(d->Edit1->GetVisible() || d->Label1->GetVisible() || d->Button6->GetVisible());
  EXPECT_EQ(Practice.Users.UserListText, "abc;");
  EXPECT_TRUE(boxes.Calls.empty());
}

TEST_F(UserDialogs, NamesTheListCannotHoldAreRefusedWithAMessage) {
  const std::string full = ManyNames(MaxUsers);
  struct Case {
    std::string list, name;
  } cases[] = {{full, "extra"}, {"abc;", std::string(MaxUserNameLength + 1, 'x')}, {"abc;", "a;b"},
               {"abc;bob;", "bob"}, {"abc;bob;", "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.substr(0, 10));
    UseList(c.list, "abc");
    boxes.Calls.clear();
    auto d = OpenUsers();
    NewUser(*d, c.name);
    ASSERT_EQ(boxes.Calls.size(), 1u);
    EXPECT_EQ(boxes.Calls[0].Caption, "提示");
    EXPECT_FALSE(boxes.Calls[0].Text.empty());
    EXPECT_EQ(Practice.Users.UserListText, c.list);
    EXPECT_EQ(Practice.Users.CurrentUser, "abc");
    EXPECT_EQ(d->ListBox1->Items()->Count(), Practice.Users.UserCount);
  }
}

TEST_F(UserDialogs, LogInTakesTheSelectedUserAndCloses) {
  UseList("abc;bob;", "abc");
  const std::string before = MainCaption();
  auto d = OpenUsers();
  Click(d->Button1->Handle());  // nothing selected
  EXPECT_FALSE(d->GetVisible());
  EXPECT_EQ(Practice.Users.CurrentUser, "abc");
  EXPECT_EQ(MainCaption(), before);

  auto again = OpenUsers();
  Select(*again, 1);
  Click(again->Button1->Handle());
  EXPECT_FALSE(again->GetVisible());
  EXPECT_EQ(Practice.Users.CurrentUser, "bob");
  EXPECT_EQ(MainCaption(), Practice.DesignCaption + "----bob");
}

// Closes the modal dialog from a timer once it is up.
TButton* ModalCloseButton = nullptr;
std::string ModalLabel;
void CALLBACK CloseUserDialog(HWND, UINT, UINT_PTR id, DWORD) {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* d = dynamic_cast<TForm5*>(Screen->Forms(i)); d && d->IsModal()) {
      KillTimer(nullptr, id);
      ModalLabel = d->Label2->GetCaption();
      ModalCloseButton = d->Button4;
      PostMessageW(d->Button4->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(d->Button4->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
}

TEST_F(UserDialogs, ExitMenuShowsTheDialogModallyAndFreesIt) {
  UseList("abc;bob;", "bob");
  const int forms = Screen->FormCount();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseUserDialog);
  form->N7Click(form);
  KillTimer(nullptr, timer);
  EXPECT_NE(ModalCloseButton, nullptr);
  EXPECT_EQ(ModalLabel, "当前用户:bob");
  EXPECT_EQ(Screen->FormCount(), forms) << "the dialog is freed when it closes";
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

// The score query over a history set up by the test.
class ScoreQuery : public UserDialogs {
protected:
  void AddScore(const std::string& user, const std::string& type, const std::string& speed,
                const std::string& time = "0:1:0", const std::string& date = "2026年1月2日3时4分 星期五") {
    svlScoreSet r;
    r.User = user;
    r.PracticeType = type;
    r.TimeUsed = time;
    r.Total = "100字";
    r.AccuracyText = "99%";
    r.Errors = "1";
    r.Speed = speed;
    r.DateText = date;
    ASSERT_TRUE(AppendScoreRecord(Practice.Scores, r));
  }
  // A history read from the file (so deletions rewrite it), in the test's program folder.
  void History() {
    UseList("abc;bob;carol;", "abc");
    Practice.Scores = TScoreTable{};
    Practice.Scores.Loaded = true;
    Practice.Scores.ScoreHeader1 = "h1";
    Practice.Scores.ScoreHeader2 = "h2";
    AddScore("bob", "英文(大)", "120字/分", "0:10:0", "2026年1月10日8时0分 星期六");
    AddScore("", "英文(大)", "");  // deleted earlier
    AddScore("carol", "五笔文章", "95字/分");
    AddScore("bob", "五笔文章", "30字/分", "0:2:0", "2025年12月31日23时0分 星期三");
    AddScore("carol", "英文(大)", "88字/分", "1:0:0", "2026年1月2日13时4分 星期五");
    SaveScoreHistory();
  }
  static std::string ScoreFileText() {
    TBytes b;
    ReadFileBytes(ScoreFilePath(), b);
    return std::string(b.begin(), b.end());
  }
  std::unique_ptr<TForm3> OpenScores() {
    std::unique_ptr<TForm3> d(CreateFormObject<TForm3>(Application));
    d->Show();
    Pump();
    return d;
  }
  // Column `c` of every row, top to bottom, as the list view shows it.
  static std::vector<std::string> Column(TForm3& d, int c) {
    std::vector<std::string> out;
    HWND list = d.ListView1->Handle();
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < rows; ++i) {
      wchar_t text[256] = {};
      LVITEMW it{};
      it.iSubItem = c;
      it.pszText = text;
      it.cchTextMax = 256;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
      out.push_back(WideToGbk(text));
    }
    return out;
  }
  void Choose(TComboBox* box, const std::string& text) {
    int i = box->Items()->IndexOf(text);
    ASSERT_GE(i, 0) << text;
    box->SetItemIndex(i);
  }
  // A click on a column header, as the mouse delivers it.
  void ClickHeader(TForm3& d, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(d.ListView1->Handle(), LVM_GETHEADER, 0, 0));
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(header, WM_LBUTTONUP, 0, at);
    Pump();
  }
};

TEST_F(ScoreQuery, OpensWithEveryRecordThatHasAUser) {
  History();
  auto d = OpenScores();
  std::vector<std::string> users = {"所有用户", "abc", "bob", "carol"};
  EXPECT_EQ(d->ComboBox1->GetItemsList(), users);
  EXPECT_EQ(d->ComboBox1->GetItemIndex(), 0);
  std::vector<std::string> types = {"所有类型"};
  for (int t = 0; t < 23; ++t) types.push_back(PracticeTypeCaption(t));
  EXPECT_EQ(d->ComboBox2->GetItemsList(), types);
  EXPECT_EQ(d->ComboBox2->GetItemIndex(), 0);
  ASSERT_EQ(d->ListView1->Items()->Count(), 4);
  EXPECT_EQ(d->ListView1->Columns()->Count(), 9);
  // Rows are kept in caption order, equal captions in record order.
  EXPECT_EQ(Column(*d, 0), (std::vector<std::string>{"五笔文章", "五笔文章", "英文(大)", "英文(大)"}));
  TListItem* row = d->ListView1->Items()->Item(0);
  EXPECT_EQ(row->SubItems(), (std::vector<std::string>{"0:1:0", "100字", "99%", "1", "95字/分",
                                                       "2026年1月2日3时4分 星期五", "carol", ""}));
  ASSERT_TRUE(SaveWindowShot(d->Handle(), ArtefactFolder() + "score-query.bmp"));
}

TEST_F(ScoreQuery, QueryFiltersByUserAndType) {
  History();
  auto d = OpenScores();
  struct Case {
    std::string user, type;
    std::vector<std::string> speeds;  // of the rows, in record order
  } cases[] = {
      {"所有用户", "所有类型", {"120字/分", "95字/分", "30字/分", "88字/分"}},
      {"bob", "所有类型", {"120字/分", "30字/分"}},
      {"所有用户", "五笔文章", {"95字/分", "30字/分"}},
      {"carol", "英文(大)", {"88字/分"}},
      {"abc", "所有类型", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.user + "/" + c.type);
    Choose(d->ComboBox1, c.user);
    Choose(d->ComboBox2, c.type);
    Click(d->Button1->Handle());
    std::vector<std::string> speeds = Column(*d, 5);
    std::sort(speeds.begin(), speeds.end());
    std::vector<std::string> want = c.speeds;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(speeds, want);
  }
  // A typed user name filters as well; it is compared exactly.
  d->ComboBox1->SetText("BOB");
  Click(d->Button1->Handle());
  EXPECT_EQ(d->ListView1->Items()->Count(), 0);
}

TEST_F(ScoreQuery, DeleteGoesByTheFiltersNowChosenAndReachesTheFileAtOnce) {
  History();
  auto d = OpenScores();
  Choose(d->ComboBox1, "bob");
  Click(d->Button1->Handle());
  Choose(d->ComboBox1, "carol");  // changed after the query
  Click(d->Button3->Handle());
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_EQ(d->ListView1->Items()->Count(), 0);
  EXPECT_EQ(Practice.Scores.ScoreCount, 5) << "emptied records stay in memory";
  TScoreTable file;
  ReadScoreFile(ScoreFilePath(), file);
  ASSERT_EQ(file.ScoreCount, 2);
  EXPECT_EQ(file.ScoreRecords[1].User, "bob");
  EXPECT_EQ(file.ScoreRecords[2].User, "bob");
  Choose(d->ComboBox1, "所有用户");
  Click(d->Button1->Handle());
  EXPECT_EQ(Column(*d, 7), (std::vector<std::string>{"bob", "bob"}));
  const svlScoreSet& gone = Practice.Scores.ScoreRecords[3];
  EXPECT_TRUE(gone.User.empty() && gone.PracticeType.empty() && gone.Speed.empty() && gone.DateText.empty());

  Choose(d->ComboBox1, "bob");
  Choose(d->ComboBox2, "英文(大)");
  Click(d->Button3->Handle());
  Choose(d->ComboBox2, "所有类型");
  Click(d->Button1->Handle());
  EXPECT_EQ(Column(*d, 0), (std::vector<std::string>{"五笔文章"}));
}

TEST_F(ScoreQuery, DeletingTheWholeHistoryIsAskedFirst) {
  History();
  auto d = OpenScores();
  const std::string before = ScoreFileText();
  RealMessageBoxes real;
  // Enter takes the default button: No. Nothing goes.
  TPromptAnswer key;
  key.Key = VK_RETURN;
  {
    TAnswerPrompt answering(key);
    Click(d->Button3->Handle());
  }
  ASSERT_TRUE(key.Answered);
  EXPECT_NE(key.Text.find("4条"), std::string::npos) << key.Text;
  EXPECT_EQ(d->ListView1->Items()->Count(), 4);
  EXPECT_EQ(CountListedScores(Practice.Scores, TScoreFilter{}), 4);
  EXPECT_EQ(ScoreFileText(), before);

  // A click on Yes deletes every score, in memory and in the file.
  TPromptAnswer yes;
  yes.Button = IDYES;
  yes.Shot = "score-delete-all.bmp";
  {
    TAnswerPrompt answering(yes);
    Click(d->Button3->Handle());
  }
  ASSERT_TRUE(yes.Answered);
  EXPECT_EQ(yes.Text, key.Text);
  EXPECT_EQ(Practice.Scores.ScoreCount, 0);
  EXPECT_EQ(d->ListView1->Items()->Count(), 0);
  EXPECT_EQ(ScoreFileText(), "h1\r\nh2\r\n");
}

TEST_F(ScoreQuery, DeleteWithBothFiltersOnAllEmptiesTheHistory) {
  History();
  auto d = OpenScores();
  boxes.Answer = IDYES;
  Click(d->Button3->Handle());
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Caption, "提示");
  EXPECT_EQ(boxes.Calls[0].Flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(Practice.Scores.ScoreCount, 0);
  EXPECT_TRUE(Practice.Scores.ScoreRecords[1].User.empty());
  Click(d->Button2->Handle());
  EXPECT_FALSE(d->GetVisible());
  auto again = OpenScores();  // an empty history gives an empty list
  EXPECT_EQ(again->ListView1->Items()->Count(), 0);
  Click(again->Button3->Handle());
  EXPECT_EQ(boxes.Calls.size(), 1u) << "nothing to delete, nothing asked";
  AddScore("bob", "数字练习", "10字/分");  // a new score after the emptied ones
  Click(again->Button1->Handle());
  EXPECT_EQ(Column(*again, 0), (std::vector<std::string>{"数字练习"}));
}

TEST_F(ScoreQuery, TimesSortAsDurationsAndDatesAsDates) {
  History();
  SortAscending = true;
  auto d = OpenScores();
  ClickHeader(*d, 1);  // 打字时间
  EXPECT_EQ(Column(*d, 1), (std::vector<std::string>{"0:1:0", "0:2:0", "0:10:0", "1:0:0"}));
  ClickHeader(*d, 6);  // 统计日期, descending
  EXPECT_EQ(Column(*d, 6), (std::vector<std::string>{"2026年1月10日8时0分 星期六", "2026年1月2日13时4分 星期五",
                                                    "2026年1月2日3时4分 星期五", "2025年12月31日23时0分 星期三"}));
  ASSERT_TRUE(SaveWindowShot(d->Handle(), ArtefactFolder() + "score-query-by-date.bmp"));
}

// Every column is as wide as the list view itself finds its texts need, the
// date's time of day included, and all of them show beside the list's scroll
// bar in a dialog that stays on the screen.
TEST_F(ScoreQuery, EveryColumnShowsItsTextsWhole) {
  History();
  for (int i = 0; i < 40; ++i) AddScore("carol", "五笔文章", "767字/分", "0:1:16", "2026年12月10日13时45分 星期四");
  auto d = OpenScores();
  ASSERT_TRUE(SaveWindowShot(d->Handle(), ArtefactFolder() + "score-query-dates.bmp"));
  HWND list = d->ListView1->Handle();
  auto width = [list](int c) { return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0)); };
  for (int c = 0; c < 8; ++c) {  // the article names are as long as their files'
    const int designed = width(c);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE);
    const int needed = width(c);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, c, designed);
    EXPECT_GE(designed, needed) << "column " << c;
  }
  int columns = 0;
  for (int c = 0; c < 9; ++c) columns += width(c);
  RECT client{}, dialog{};
  GetClientRect(list, &client);
  EXPECT_LE(columns, client.right) << "columns pushed out of sight";
  GetWindowRect(d->Handle(), &dialog);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(d->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  EXPECT_LE(dialog.right - dialog.left, monitor.rcWork.right - monitor.rcWork.left);
}

TEST_F(ScoreQuery, HeaderClicksAlternateTheDirectionWhicheverColumn) {
  History();
  SortAscending = false;
  auto d = OpenScores();
  ClickHeader(*d, 5);  // 速度
  EXPECT_EQ(Column(*d, 5), (std::vector<std::string>{"120字/分", "95字/分", "88字/分", "30字/分"}));
  EXPECT_TRUE(SortAscending);
  ClickHeader(*d, 5);
  EXPECT_EQ(Column(*d, 5), (std::vector<std::string>{"30字/分", "88字/分", "95字/分", "120字/分"}))
      << "speeds sort by their numbers";
  ClickHeader(*d, 7);  // 用户: descending again
  EXPECT_EQ(Column(*d, 7), (std::vector<std::string>{"carol", "carol", "bob", "bob"}));
  d->ListView1->SelectIndex(2);  // bob's 五笔文章 (30字/分)
  ClickHeader(*d, 0);  // 打字类型, ascending; equal captions keep their order
  EXPECT_EQ(Column(*d, 0), (std::vector<std::string>{"五笔文章", "五笔文章", "英文(大)", "英文(大)"}));
  EXPECT_EQ(Column(*d, 7), (std::vector<std::string>{"carol", "bob", "carol", "bob"}));
  EXPECT_EQ(d->ListView1->SelectedIndex(), 1) << "the selection moves with its record";
  ASSERT_NE(d->ListView1->Selected(), nullptr);
  EXPECT_EQ(d->ListView1->Selected()->SubItems().at(4), "30字/分");
  d.reset();
  // The direction is kept across openings of the dialog.
  EXPECT_FALSE(SortAscending);
  auto again = OpenScores();
  ClickHeader(*again, 7);
  EXPECT_EQ(Column(*again, 7), (std::vector<std::string>{"carol", "carol", "bob", "bob"}));
  EXPECT_TRUE(SortAscending);
}

}  // namespace
