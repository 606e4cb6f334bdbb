#pragma once
// The list view over the common-controls list view: columns, items with sub-items,
// report view, custom sorting.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/controls.h"

class TCustomListView;
struct tagLVDISPINFOW;

#include "toolkit/win/control_enums.h"
enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum class TSortType { stNone, stData, stText, stBoth };

class TListColumn : public TOwnedItem {
  TK_CLASS(TListColumn)
public:
  explicit TListColumn(TCustomListView* owner) : owner_(owner) {}
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& c);
  int GetWidth() const { return width_; }
  void SetWidth(int w);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  int Index() const;

private:
  void Changed() override;
  TCustomListView* owner_;
  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TListColumns : public TPersistent {
  TK_CLASS(TListColumns)
public:
  explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
  TListColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int index) const { return columns_.at(static_cast<std::size_t>(index)).get(); }
  void Delete(int index);
  void Clear();
  int IndexOf(const TListColumn* c) const;

private:
  TCustomListView* owner_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem : public TPersistent {
  TK_CLASS(TListItem)
public:
  explicit TListItem(TCustomListView* owner) : owner_(owner) {}
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& c);
  // Texts of columns 1, 2, ...
  const std::vector<std::string>& SubItems() const { return subItems_; }
  void AddSubItem(const std::string& s);
  void SetSubItem(int index, const std::string& s);
  void SetSubItems(const std::vector<std::string>& s);
  void* Data = nullptr;
  int Index() const;
  bool GetSelected() const;
  void SetSelected(bool v);
  TCustomListView* ListView() const { return owner_; }

private:
  friend class TCustomListView;
  TCustomListView* owner_;
  std::string caption_;
  std::vector<std::string> subItems_;
  bool selected_ = false;  // while there is no window
};

class TListItems : public TPersistent {
  TK_CLASS(TListItems)
public:
  explicit TListItems(TCustomListView* owner) : owner_(owner) {}
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int Count() const;
  TListItem* Item(int index) const;

private:
  TCustomListView* owner_;
};

using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
// Negative when a goes before b, 0 when equal, positive when after.
using TLVCompare = std::function<int(TListItem* a, TListItem* b, long long data)>;
// Owner data: fills `item` (caption and sub-items) with the texts of row `index`.
using TLVOwnerDataEvent = std::function<void(TObject* sender, int index, TListItem* item)>;

class TCustomListView : public TWinControl {
  TK_CLASS(TCustomListView)
public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TListColumns* Columns() const { return columns_.get(); }
  TListItems* Items() const { return itemsView_.get(); }
  // The first selected item, or null.
  TListItem* Selected() const;

  bool GetGridLines() const { return gridLines_; }
  void SetGridLines(bool v);
  bool GetRowSelect() const { return rowSelect_; }
  void SetRowSelect(bool v);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  TViewStyle GetViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle v);
  // stText and stBoth keep the items in caption order (CompareText) as captions are set.
  TSortType GetSortType() const { return sortType_; }
  void SetSortType(TSortType t);

  // Orders the items by `compare`; equal items keep their order.
  void CustomSort(const TLVCompare& compare, long long data);

  // Owner data (set while the list has no items): the list holds no items of its
  // own; it shows ItemCount rows whose texts OnData supplies when they are
  // drawn. Items()->Item(i) and Selected() then give a scratch item filled by
  // OnData, valid until the next such call; Add and Insert raise.
  bool GetOwnerData() const { return ownerData_; }
  void SetOwnerData(bool v);
  int GetItemCount() const { return itemCount_; }
  // Sets the number of rows and redraws them all (their texts may have moved).
  void SetItemCount(int count);
  // The selected row, -1 for none.
  int SelectedIndex() const;
  void SelectIndex(int index);

  TLVColumnClickEvent OnColumnClick;
  TLVSelectItemEvent OnSelectItem;
  TLVOwnerDataEvent OnData;

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;
  void ColorChanged() override;

private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  void ColumnChanged(int index);
  void ColumnInserted(int index);
  void ColumnDeleted(int index);
  TListItem* InsertItem(int index);
  void DeleteItem(int index);
  void ClearItems();
  void ItemChanged(TListItem* item, bool captionChanged);
  void WriteRow(int index);
  void InsertRow(int index);
  void UpdateExStyle();
  void SortByCaption(TListItem* item);
  int IndexOfItem(const TListItem* item) const;
  TListItem* FilledScratch(int index) const;
  void SupplyText(tagLVDISPINFOW& info) const;  // LVN_GETDISPINFOW

  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> itemsView_;
  std::vector<std::unique_ptr<TListItem>> items_;
  bool gridLines_ = false, rowSelect_ = false, readOnly_ = false;
  TViewStyle viewStyle_ = TViewStyle::vsIcon;
  TSortType sortType_ = TSortType::stNone;
  int quiet_ = 0;  // > 0 while the rows are being written: no selection events
  bool ownerData_ = false;
  int itemCount_ = 0;
  std::unique_ptr<TListItem> scratch_;
};

class TListView : public TCustomListView {
  TK_CLASS(TListView)
public:
  explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};
