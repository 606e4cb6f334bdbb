#pragma once
// The score query: the recorded scores in a table, filtered by user and
// practice type, sorted by any column, deleted by the filters.
#include "toolkit/win/toolkit.h"
#include "users/query/score_filter.h"

class TForm3 : public TForm {
  TK_CLASS(TForm3)
public:
  explicit TForm3(TComponent* owner);

  TLabel *Label1, *Label2;
  TComboBox *ComboBox1, *ComboBox2;
  TButton *Button1, *Button2, *Button3;
  TListView* ListView1;

  void FormCreate(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void ListView1ColumnClick(TObject* Sender, TListColumn* Column);
  std::any MethodAddress(const std::string& name) const override;

private:
  void FitDateColumn();
  TScoreFilter CurrentFilter() const;
  void ListScores(const TScoreFilter& filter);
  void SupplyRow(TObject* Sender, int index, TListItem* item);

  // The list's rows: numbers of the records shown, in the order shown. The list
  // view asks for a row's texts only when it draws the row.
  std::vector<int> rows_;
};

// The direction of the next column sort, shared by all columns and kept for
// the program's life; false at start.
extern bool SortAscending;

