#include "toolkit/win/check_list_box.h"

#include <algorithm>
#include <string>

#include "toolkit/base/gbk_wide.h"

const TClassInfo& TCheckListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCheckListBox>("TCheckListBox", &TCustomListBox::StaticClass())
          .Creatable()
          .Prop("HeaderColor", &TCheckListBox::GetHeaderColor, &TCheckListBox::SetHeaderColor)
          .Prop("HeaderBackgroundColor", &TCheckListBox::GetHeaderBackgroundColor,
                &TCheckListBox::SetHeaderBackgroundColor)
          .Build();
  return info;
}

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

void TCheckListBox::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  p.Style |= LBS_OWNERDRAWFIXED;
}

TCheckListBox::TItemFlags TCheckListBox::Flags(int i) const {
  if (i < 0 || i >= static_cast<int>(flags_.size())) return TItemFlags{};
  return flags_[static_cast<std::size_t>(i)];
}

TCheckListBox::TItemFlags& TCheckListBox::FlagsFor(int i) {
  if (i < 0 || i >= Items()->Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  if (i >= static_cast<int>(flags_.size())) flags_.resize(static_cast<std::size_t>(i) + 1);
  return flags_[static_cast<std::size_t>(i)];
}

TCheckBoxState TCheckListBox::State(int i) const { return Flags(i).state; }
bool TCheckListBox::ItemEnabled(int i) const { return Flags(i).enabled; }
bool TCheckListBox::Header(int i) const { return Flags(i).header; }

void TCheckListBox::SetState(int i, TCheckBoxState s) {
  FlagsFor(i).state = s;
  Invalidate();
}

void TCheckListBox::SetItemEnabled(int i, bool v) {
  FlagsFor(i).enabled = v;
  Invalidate();
}

void TCheckListBox::SetHeader(int i, bool v) {
  FlagsFor(i).header = v;
  Invalidate();
}

void TCheckListBox::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = 1;
    return;
  }
  TCustomListBox::ReflectedMessage(m);
}

// The system's check box glyph, then the text.
void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& d) {
  HDC dc = d.hDC;
  RECT r = d.rcItem;
  const int i = static_cast<int>(d.itemID);
  const bool selected = (d.itemState & ODS_SELECTED) != 0;
  const TItemFlags f = Flags(i);
  TColor back = selected ? clHighlight : GetColor();
  TColor text = selected ? clHighlightText : GetFont()->GetColor();
  if (f.header) {
    back = headerBackground_;
    text = headerColor_;
  }
  HBRUSH brush = CreateSolidBrush(ColorToRGB(back));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  if (i < 0 || i >= Items()->Count()) return;
  RECT t = r;
  if (!f.header) {
    const int size = std::min(13, static_cast<int>(r.bottom - r.top));
    RECT box{r.left + 2, r.top + (r.bottom - r.top - size) / 2, r.left + 2 + size, 0};
    box.bottom = box.top + size;
    UINT state = DFCS_BUTTONCHECK;
    if (f.state == TCheckBoxState::cbChecked) state |= DFCS_CHECKED;
    if (f.state == TCheckBoxState::cbGrayed) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!f.enabled || !GetEnabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    t.left = box.right + 2;
  }
  if (!f.enabled || !GetEnabled()) text = clGrayText;
  HGDIOBJ old = SelectObject(dc, GetFont()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(text));
  std::wstring s = GbkToWide(Items()->Strings(i));
  DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
  if (d.itemState & ODS_FOCUS) DrawFocusRect(dc, &d.rcItem);
}
