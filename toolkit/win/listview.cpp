#include "toolkit/win/listview.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/base/sysutils.h"
#include "toolkit/base/gbk_wide.h"

// --- Columns -------------------------------------------------------------------

const TClassInfo& TListColumn::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TListColumn>("TListColumn", &TPersistent::StaticClass())
          .Prop("Caption", &TListColumn::GetCaption, &TListColumn::SetCaption)
          .Prop("Width", &TListColumn::GetWidth, &TListColumn::SetWidth)
          .Enum("Alignment", &TListColumn::GetAlignment, &TListColumn::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"})
          .Build();
  return info;
}

int TListColumn::Index() const { return owner_->Columns()->IndexOf(this); }
void TListColumn::Changed() { owner_->ColumnChanged(Index()); }
void TListColumn::SetCaption(const std::string& c) { SetAndNotify(caption_, c); }
void TListColumn::SetWidth(int w) { SetAndNotify(width_, w); }
void TListColumn::SetAlignment(TAlignment a) { SetAndNotify(alignment_, a); }

const TClassInfo& TListColumns::StaticClass() {
  static const TClassInfo info = TClassBuilder<TListColumns>("TListColumns", &TPersistent::StaticClass()).Build();
  return info;
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::make_unique<TListColumn>(owner_));
  owner_->ColumnInserted(Count() - 1);
  return columns_.back().get();
}

void TListColumns::Delete(int index) {
  if (index < 0 || index >= Count()) throw Exception("column index out of range");
  columns_.erase(columns_.begin() + index);
  owner_->ColumnDeleted(index);
}

void TListColumns::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

int TListColumns::IndexOf(const TListColumn* c) const {
  for (int i = 0; i < Count(); ++i)
    if (columns_[static_cast<std::size_t>(i)].get() == c) return i;
  return -1;
}

// --- Items ---------------------------------------------------------------------

const TClassInfo& TListItem::StaticClass() {
  static const TClassInfo info = TClassBuilder<TListItem>("TListItem", &TPersistent::StaticClass())
                                     .Prop("Caption", &TListItem::GetCaption, &TListItem::SetCaption)
                                     .Build();
  return info;
}

int TListItem::Index() const { return owner_->IndexOfItem(this); }

void TListItem::SetCaption(const std::string& c) {
  caption_ = c;
  owner_->ItemChanged(this, true);
}
void TListItem::AddSubItem(const std::string& s) {
  subItems_.push_back(s);
  owner_->ItemChanged(this, false);
}
void TListItem::SetSubItem(int index, const std::string& s) {
  if (index < 0) throw Exception("sub-item index out of range");
  if (static_cast<std::size_t>(index) >= subItems_.size()) subItems_.resize(static_cast<std::size_t>(index) + 1);
  subItems_[static_cast<std::size_t>(index)] = s;
  owner_->ItemChanged(this, false);
}
void TListItem::SetSubItems(const std::vector<std::string>& s) {
  subItems_ = s;
  owner_->ItemChanged(this, false);
}

bool TListItem::GetSelected() const {
  HWND w = owner_->HandleOrNull();
  if (!w) return selected_;
  return (SendMessageW(w, LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool v) {
  selected_ = v;
  if (HWND w = owner_->HandleOrNull()) {
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED;
    it.state = v ? LVIS_SELECTED : 0;
    SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&it));
  }
}

const TClassInfo& TListItems::StaticClass() {
  static const TClassInfo info = TClassBuilder<TListItems>("TListItems", &TPersistent::StaticClass()).Build();
  return info;
}

TListItem* TListItems::Add() { return owner_->InsertItem(Count()); }
// An owner-data list has rows but no items of its own.
TListItem* TListItems::Insert(int index) { return owner_->InsertItem(index); }
void TListItems::Delete(int index) { owner_->DeleteItem(index); }
void TListItems::Clear() { owner_->ClearItems(); }
int TListItems::Count() const {
  return owner_->ownerData_ ? owner_->itemCount_ : static_cast<int>(owner_->items_.size());
}
TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) throw Exception("list item index out of range");
  if (owner_->ownerData_) return owner_->FilledScratch(index);
  return owner_->items_[static_cast<std::size_t>(index)].get();
}

// --- The list view -------------------------------------------------------------

const TClassInfo& TCustomListView::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomListView>("TCustomListView", &TWinControl::StaticClass())
          .Object("Columns", &TCustomListView::Columns)
          .Object("Items", &TCustomListView::Items)
          .Prop("GridLines", &TCustomListView::GetGridLines, &TCustomListView::SetGridLines)
          .Prop("RowSelect", &TCustomListView::GetRowSelect, &TCustomListView::SetRowSelect)
          .Prop("ReadOnly", &TCustomListView::GetReadOnly, &TCustomListView::SetReadOnly)
          .Enum("ViewStyle", &TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle,
                {"vsIcon", "vsSmallIcon", "vsList", "vsReport"})
          .Enum("SortType", &TCustomListView::GetSortType, &TCustomListView::SetSortType,
                {"stNone", "stData", "stText", "stBoth"})
          .Prop("OwnerData", &TCustomListView::GetOwnerData, &TCustomListView::SetOwnerData)
          .Event("OnColumnClick", &TCustomListView::OnColumnClick)
          .Event("OnSelectItem", &TCustomListView::OnSelectItem)
          .Build();
  return info;
}

const TClassInfo& TListView::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TListView>("TListView", &TCustomListView::StaticClass()).Creatable().Build();
  return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>(this)),
      itemsView_(std::make_unique<TListItems>(this)) {
  SetBounds(0, 0, 250, 150);
  SetColor(clWindow);
  SetTabStop(true);
}

TCustomListView::~TCustomListView() {
  BeginDestroy();
  DestroyComponents();
  DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = WC_LISTVIEWW;
  static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  p.Style |= views[static_cast<int>(viewStyle_)] | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  if (ownerData_) p.Style |= LVS_OWNERDATA;
  if (!readOnly_) p.Style |= LVS_EDITLABELS;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::UpdateExStyle() {
  HWND w = HandleOrNull();
  if (!w) return;
  DWORD ex = (gridLines_ ? LVS_EX_GRIDLINES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
  SendMessageW(w, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, ex);
}

void TCustomListView::InitializeWindow() {
  TWinControl::InitializeWindow();
  UpdateExStyle();
  ColorChanged();
  for (int i = 0; i < columns_->Count(); ++i) ColumnInserted(i);
  ++quiet_;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) InsertRow(i);
  if (ownerData_) SendMessageW(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(itemCount_), 0);
  --quiet_;
}

void TCustomListView::SetOwnerData(bool v) {
  if (v == ownerData_) return;
  if (!items_.empty()) throw Exception("owner data is chosen before the list has items");
  ownerData_ = v;
  itemCount_ = 0;
  if (HandleOrNull()) RecreateWnd();  // the style is fixed when the window is made
}

void TCustomListView::SetItemCount(int count) {
  if (!ownerData_) throw Exception("only an owner-data list view takes an item count");
  itemCount_ = std::max(count, 0);
  if (HWND w = HandleOrNull()) {
    ++quiet_;
    SendMessageW(w, LVM_SETITEMCOUNT, static_cast<WPARAM>(itemCount_), 0);
    --quiet_;
    InvalidateRect(w, nullptr, TRUE);
  }
}

int TCustomListView::SelectedIndex() const {
  if (HWND w = HandleOrNull()) return static_cast<int>(SendMessageW(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->selected_) return static_cast<int>(i);
  return -1;
}

void TCustomListView::SelectIndex(int index) {
  HWND w = HandleOrNull();
  if (!w) return;
  LVITEMW st{};
  st.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&st));  // none
  if (index < 0) return;
  st.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&st));
  SendMessageW(w, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

TListItem* TCustomListView::FilledScratch(int index) const {
  auto* self = const_cast<TCustomListView*>(this);
  if (!scratch_) self->scratch_ = std::make_unique<TListItem>(self);
  TListItem* item = scratch_.get();
  item->caption_.clear();
  item->subItems_.clear();
  if (OnData) OnData(self, index, item);
  return item;
}

// The window asks for a row's text as it draws it.
void TCustomListView::SupplyText(tagLVDISPINFOW& info) const {
  LVITEMW& it = info.item;
  if (!(it.mask & LVIF_TEXT) || !it.pszText || it.cchTextMax <= 0) return;
  it.pszText[0] = 0;
  if (it.iItem < 0 || it.iItem >= itemCount_) return;
  TListItem* item = FilledScratch(it.iItem);
  const std::string* text = nullptr;
  if (it.iSubItem == 0) text = &item->caption_;
  else if (it.iSubItem > 0 && static_cast<std::size_t>(it.iSubItem) <= item->subItems_.size())
    text = &item->subItems_[static_cast<std::size_t>(it.iSubItem - 1)];
  if (!text) return;
  std::wstring wide = GbkToWide(*text);
  std::size_t n = std::min(wide.size(), static_cast<std::size_t>(it.cchTextMax - 1));
  wide.copy(it.pszText, n);
  it.pszText[n] = 0;
}

void TCustomListView::ColorChanged() {
  TWinControl::ColorChanged();
  if (HWND w = HandleOrNull()) {
    SendMessageW(w, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetColor())));
    SendMessageW(w, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetColor())));
    SendMessageW(w, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetFont()->GetColor())));
  }
}

void TCustomListView::SetGridLines(bool v) {
  gridLines_ = v;
  UpdateExStyle();
}
void TCustomListView::SetRowSelect(bool v) {
  rowSelect_ = v;
  UpdateExStyle();
}
void TCustomListView::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  if (HWND w = HandleOrNull()) {
    LONG_PTR s = GetWindowLongPtrW(w, GWL_STYLE);
    SetWindowLongPtrW(w, GWL_STYLE, v ? s & ~LVS_EDITLABELS : s | LVS_EDITLABELS);
  }
}
void TCustomListView::SetViewStyle(TViewStyle v) {
  if (v == viewStyle_) return;
  viewStyle_ = v;
  if (HWND w = HandleOrNull()) {
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR s = GetWindowLongPtrW(w, GWL_STYLE);
    SetWindowLongPtrW(w, GWL_STYLE, (s & ~LVS_TYPEMASK) | views[static_cast<int>(v)]);
  }
}

void TCustomListView::SetSortType(TSortType t) {
  sortType_ = t;
  if (t == TSortType::stText || t == TSortType::stBoth)
    CustomSort([](TListItem* a, TListItem* b, long long) { return CompareText(a->GetCaption(), b->GetCaption()); },
               0);
}

// Columns in the window.

namespace {
// The system's description of a column; `text` holds its caption while used.
LVCOLUMNW ColumnInfo(const TListColumn& c, std::wstring& text) {
  static const int fmts[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.fmt = fmts[static_cast<int>(c.GetAlignment())];
  col.cx = c.GetWidth();
  col.pszText = text.data();
  return col;
}
}  // namespace

void TCustomListView::ColumnInserted(int index) {
  HWND w = HandleOrNull();
  if (!w) return;
  TListColumn* c = columns_->Items(index);
  std::wstring text = GbkToWide(c->GetCaption());
  LVCOLUMNW col = ColumnInfo(*c, text);
  SendMessageW(w, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
  // Rows already shown get the new column's texts.
  ++quiet_;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) WriteRow(i);
  --quiet_;
}

void TCustomListView::ColumnChanged(int index) {
  HWND w = HandleOrNull();
  if (!w || index < 0) return;
  TListColumn* c = columns_->Items(index);
  std::wstring text = GbkToWide(c->GetCaption());
  LVCOLUMNW col = ColumnInfo(*c, text);
  SendMessageW(w, LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::ColumnDeleted(int index) {
  if (HWND w = HandleOrNull()) SendMessageW(w, LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
}

// Rows in the window.

int TCustomListView::IndexOfItem(const TListItem* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TCustomListView::WriteRow(int index) {
  HWND w = HandleOrNull();
  if (!w) return;
  TListItem* item = items_[static_cast<std::size_t>(index)].get();
  std::wstring text = GbkToWide(item->caption_);
  LVITEMW it{};
  it.mask = LVIF_TEXT | LVIF_PARAM;
  it.iItem = index;
  it.pszText = text.data();
  it.lParam = reinterpret_cast<LPARAM>(item);
  SendMessageW(w, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  int subs = std::max(static_cast<int>(item->subItems_.size()), columns_->Count() - 1);
  for (int s = 0; s < subs; ++s) {
    std::wstring sub =
        static_cast<std::size_t>(s) < item->subItems_.size() ? GbkToWide(item->subItems_[static_cast<std::size_t>(s)]) : L"";
    LVITEMW si{};
    si.iSubItem = s + 1;
    si.pszText = sub.data();
    SendMessageW(w, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&si));
  }
}

void TCustomListView::InsertRow(int index) {
  HWND w = HandleOrNull();
  if (!w) return;
  TListItem* item = items_[static_cast<std::size_t>(index)].get();
  LVITEMW it{};
  it.mask = LVIF_PARAM | LVIF_STATE;
  it.iItem = index;
  it.lParam = reinterpret_cast<LPARAM>(item);
  it.stateMask = LVIS_SELECTED;
  it.state = item->selected_ ? LVIS_SELECTED : 0;
  SendMessageW(w, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
  WriteRow(index);
}

TListItem* TCustomListView::InsertItem(int index) {
  if (ownerData_) throw Exception("an owner-data list view holds no items of its own");
  index = std::clamp(index, 0, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + index, std::make_unique<TListItem>(this));
  ++quiet_;
  InsertRow(index);
  --quiet_;
  return items_[static_cast<std::size_t>(index)].get();
}

void TCustomListView::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) throw Exception("list item index out of range");
  if (HWND w = HandleOrNull()) SendMessageW(w, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
  items_.erase(items_.begin() + index);
}

void TCustomListView::ClearItems() {
  if (ownerData_) return SetItemCount(0);
  if (HWND w = HandleOrNull()) SendMessageW(w, LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

void TCustomListView::ItemChanged(TListItem* item, bool captionChanged) {
  if (captionChanged && (sortType_ == TSortType::stText || sortType_ == TSortType::stBoth)) {
    SortByCaption(item);
    return;
  }
  int i = IndexOfItem(item);
  if (i < 0) return;
  ++quiet_;
  WriteRow(i);
  --quiet_;
}

void TCustomListView::SortByCaption(TListItem* item) {
  int from = IndexOfItem(item);
  if (from < 0) return;
  item->selected_ = item->GetSelected();
  std::unique_ptr<TListItem> held = std::move(items_[static_cast<std::size_t>(from)]);
  items_.erase(items_.begin() + from);
  auto at = std::upper_bound(items_.begin(), items_.end(), item->caption_,
                             [](const std::string& c, const std::unique_ptr<TListItem>& other) {
                               return CompareText(c, other->caption_) < 0;
                             });
  int to = static_cast<int>(at - items_.begin());
  items_.insert(at, std::move(held));
  ++quiet_;
  if (HWND w = HandleOrNull()) {
    SendMessageW(w, LVM_DELETEITEM, static_cast<WPARAM>(from), 0);
    InsertRow(to);
  }
  --quiet_;
}

void TCustomListView::CustomSort(const TLVCompare& compare, long long data) {
  if (!compare) return;
  for (auto& i : items_) i->selected_ = i->GetSelected();
  auto rewrite = [this] {
    HWND w = HandleOrNull();
    if (!w) return;
    ++quiet_;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
      WriteRow(i);
      LVITEMW st{};
      st.stateMask = LVIS_SELECTED;
      st.state = items_[static_cast<std::size_t>(i)]->selected_ ? LVIS_SELECTED : 0;
      SendMessageW(w, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&st));
    }
    --quiet_;
  };
  try {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const std::unique_ptr<TListItem>& a, const std::unique_ptr<TListItem>& b) {
                       return compare(a.get(), b.get(), data) < 0;
                     });
  } catch (...) {
    rewrite();
    throw;
  }
  rewrite();
}

TListItem* TCustomListView::Selected() const {
  if (ownerData_) {
    int i = SelectedIndex();
    return i >= 0 && i < itemCount_ ? FilledScratch(i) : nullptr;
  }
  if (HWND w = HandleOrNull()) {
    LRESULT i = SendMessageW(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return i >= 0 && i < static_cast<LRESULT>(items_.size()) ? items_[static_cast<std::size_t>(i)].get() : nullptr;
  }
  for (auto& i : items_)
    if (i->selected_) return i.get();
  return nullptr;
}

void TCustomListView::ReflectedMessage(TMessage& m) {
  if (m.Msg != CN_NOTIFY || m.LParam == SKIN_MESSAGE_TAG || !m.LParam) {
    TWinControl::ReflectedMessage(m);
    return;
  }
  const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
  m.Result = 0;
  switch (hdr->code) {
    case LVN_COLUMNCLICK: {
      const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
      if (OnColumnClick && nm->iSubItem >= 0 && nm->iSubItem < columns_->Count())
        OnColumnClick(this, columns_->Items(nm->iSubItem));
      break;
    }
    case LVN_ITEMCHANGED: {
      const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
      if (quiet_ || !(nm->uChanged & LVIF_STATE) || !((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED)) break;
      if (nm->iItem < 0 || nm->iItem >= static_cast<int>(items_.size())) break;
      TListItem* item = items_[static_cast<std::size_t>(nm->iItem)].get();
      bool selected = (nm->uNewState & LVIS_SELECTED) != 0;
      item->selected_ = selected;
      if (OnSelectItem) OnSelectItem(this, item, selected);
      break;
    }
    case LVN_GETDISPINFOW:
      if (ownerData_) SupplyText(*reinterpret_cast<NMLVDISPINFOW*>(m.LParam));
      break;
    case LVN_ENDLABELEDITW: {
      const auto* nm = reinterpret_cast<const NMLVDISPINFOW*>(hdr);
      if (readOnly_ || !nm->item.pszText || nm->item.iItem < 0 || nm->item.iItem >= static_cast<int>(items_.size()))
        break;
      items_[static_cast<std::size_t>(nm->item.iItem)]->SetCaption(WideToGbk(nm->item.pszText));
      m.Result = 0;  // the row was already rewritten
      break;
    }
    default:
      break;
  }
}
