#include "users/Unit3.h"

#include <algorithm>

#include "practice/data/score.h"
#include "practice/main/practice_state.h"
#include "practice/main/score_store.h"
#include "users/query/score_sort.h"

bool SortAscending = false;

namespace {
// The list's columns: header and width (0: the list view's default).
struct TScoreColumn {
  const char* Caption;
  int Width;
};
const TScoreColumn ScoreColumns[] = {{"打字类型", 80}, {"打字时间", 70}, {"打字总数", 70},
                                     {"正确率", 70},   {"错误", 0},      {"速度", 70},
                                     {"统计日期", 140}, {"用户", 90},     {"文章名", 160}};
const int DateColumn = 6;
// What the list view adds to a text's width when it sizes a column to it.
const int CellPadding = 12;

// The widest date a record holds (ScoreDateText) in `c`'s font: every number
// at its most digits, in the widest digit, on each day of the week.
int WidestDateWidth(TCanvas& c) {
  char digit = '0';
  for (char d = '1'; d <= '9'; ++d)
    if (c.TextWidth(std::string(1, d)) > c.TextWidth(std::string(1, digit))) digit = d;
  int widest = 0;
  for (int day = 0; day < 7; ++day) {
    std::string date = ScoreDateText(TScoreTime{1111, 11, 11, 11, 11, day});
    std::replace(date.begin(), date.end(), '1', digit);  // never a byte of a Chinese character
    widest = std::max(widest, c.TextWidth(date));
  }
  return widest;
}
}  // namespace

const TClassInfo& TForm3::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm3>("TForm3", &TForm::StaticClass()).Build();
  return info;
}

TForm3::TForm3(TComponent* owner) : TForm(owner) {
  ReadDefinition();
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(ComboBox1, "ComboBox1");
  Bind(ComboBox2, "ComboBox2");
  Bind(Button1, "Button1");
  Bind(Button2, "Button2");
  Bind(Button3, "Button3");
  Bind(ListView1, "ListView1");
  // The form reader takes no column lists, so the columns are made here.
  for (const TScoreColumn& c : ScoreColumns) {
    TListColumn* column = ListView1->Columns()->Add();
    column->SetCaption(c.Caption);
    if (c.Width > 0) column->SetWidth(c.Width);
  }
  FitDateColumn();
  ListView1->OnData = [this](TObject* sender, int index, TListItem* item) { SupplyRow(sender, index, item); };
}

// The date column shows a whole date and time; the dialog widens for it, as
// far as the screen allows, so that every column shows beside the list's
// scroll bar.
void TForm3::FitDateColumn() {
  TListColumn* date = ListView1->Columns()->Items(DateColumn);
  {
    TScreenCanvas c(*ListView1->GetFont());
    date->SetWidth(std::max(date->GetWidth(), WidestDateWidth(c) + CellPadding));
  }
  int columns = 0;
  for (int i = 0; i < ListView1->Columns()->Count(); ++i) columns += ListView1->Columns()->Items(i)->GetWidth();
  const int needed = columns + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int frame = GetWidth() - ClientWidth();
  const int client = std::min(std::max(ClientWidth(), needed), static_cast<int>(work.right - work.left) - frame);
  SetClientWidth(client);
  ListView1->SetBounds(ListView1->GetLeft(), ListView1->GetTop(), client, ListView1->GetHeight());
}

std::any TForm3::MethodAddress(const std::string& name) const {
  using M = TMethodTable<TForm3>;
  static const M table = {M::Method("FormCreate", &TForm3::FormCreate),
                          M::Method("Button1Click", &TForm3::Button1Click),
                          M::Method("Button2Click", &TForm3::Button2Click),
                          M::Method("Button3Click", &TForm3::Button3Click),
                          M::Method("ListView1ColumnClick", &TForm3::ListView1ColumnClick)};
  return table.Find(const_cast<TForm3*>(this), name);
}

TScoreFilter TForm3::CurrentFilter() const {
  TScoreFilter f;
  f.AllUsers = ComboBox1->GetItemIndex() == 0;
  if (!f.AllUsers) f.User = ComboBox1->GetText();
  f.AllTypes = ComboBox2->GetItemIndex() == 0;
  if (!f.AllTypes) f.PracticeType = ComboBox2->GetText();
  return f;
}

void TForm3::SupplyRow(TObject* Sender, int index, TListItem* item) {
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return;
  const svlScoreSet& r = Practice.Scores.ScoreRecords[static_cast<std::size_t>(rows_[static_cast<std::size_t>(index)])];
  item->SetCaption(r.PracticeType);
  item->SetSubItems({r.TimeUsed, r.Total, r.AccuracyText, r.Errors, r.Speed, r.DateText, r.User, r.Article});
}

void TForm3::FormCreate(TObject* Sender) {
  const TUserList& users = Practice.Users;
  ComboBox1->Items()->Add("所有用户");
  for (int i = 1; i <= users.UserCount; ++i) ComboBox1->Items()->Add(users.UserNames[i]);
  ComboBox1->SetItemIndex(0);
  ListScores(TScoreFilter{});
}

void TForm3::Button1Click(TObject* Sender) { ListScores(CurrentFilter()); }

void TForm3::ListScores(const TScoreFilter& filter) {
  rows_ = ListedScoreRows(Practice.Scores, filter);
  ListView1->SetItemCount(static_cast<int>(rows_.size()));
}

void TForm3::Button2Click(TObject* Sender) { Close(); }

// Deleting the whole history is asked first; whatever goes is gone from the
// file at once.
void TForm3::Button3Click(TObject* Sender) {
  const TScoreFilter filter = CurrentFilter();
  if (filter.AllUsers && filter.AllTypes) {
    const int count = CountListedScores(Practice.Scores, filter);
    if (count > 0 && ShowMessageBox("将删除全部" + std::to_string(count) + "条打字成绩，删除后不能恢复。\n确定要删除吗？",
                                    "提示", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
      return;
  }
  const int deleted = DeleteScores(Practice.Scores, filter);
  rows_.clear();
  ListView1->SetItemCount(0);
  if (deleted > 0) SaveScoreHistory();
}

// The selected record stays selected wherever the sort puts it.
void TForm3::ListView1ColumnClick(TObject* Sender, TListColumn* Column) {
  const int selected = ListView1->SelectedIndex();
  const int record = selected >= 0 && static_cast<std::size_t>(selected) < rows_.size()
                         ? rows_[static_cast<std::size_t>(selected)] : 0;
  SortScoreRows(rows_, Practice.Scores, Column->Index(), SortAscending);
  SortAscending = !SortAscending;
  ListView1->SetItemCount(static_cast<int>(rows_.size()));
  if (record > 0)
    ListView1->SelectIndex(static_cast<int>(std::find(rows_.begin(), rows_.end(), record) - rows_.begin()));
}
