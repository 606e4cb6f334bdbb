#include "toolkit/win/application.h"
#include "toolkit/win/check_list_box.h"
#include "toolkit/win/color.h"
#include "toolkit/win/date_time_picker.h"
#include "toolkit/win/image.h"
#include "toolkit/win/image_list.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/media_player.h"
#include "toolkit/win/menu_button.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/open_dialog.h"
#include "toolkit/win/speed_button.h"
#include "toolkit/win/status_bar.h"
#include "toolkit/win/std_controls.h"
#include "toolkit/win/tab_control.h"
#include "toolkit/win/tab_set.h"
#include "toolkit/win/timer.h"

namespace {
bool ColorIdent(const std::string& ident, std::int64_t& value) {
  TColor c;
  if (!IdentToColor(ident, c)) return false;
  value = c;
  return true;
}
}  // namespace

void RegisterToolkitClasses() {
  RegisterIntegerIdents(ColorIdent);
  RegisterComponentClass(TForm::StaticClass());
  RegisterComponentClass(TImage::StaticClass());
  RegisterComponentClass(TImageList::StaticClass());
  RegisterComponentClass(TListView::StaticClass());
  RegisterComponentClass(TMainMenu::StaticClass());
  RegisterComponentClass(TPopupMenu::StaticClass());
  RegisterComponentClass(TMenuItem::StaticClass());
  RegisterComponentClass(TOpenDialog::StaticClass());
  RegisterComponentClass(TTimer::StaticClass());
  RegisterComponentClass(TMediaPlayer::StaticClass());
  RegisterComponentClass(TLabel::StaticClass());
  RegisterComponentClass(TEdit::StaticClass());
  RegisterComponentClass(TRichEdit::StaticClass());
  RegisterComponentClass(TButton::StaticClass());
  RegisterComponentClass(TBitBtn::StaticClass());
  RegisterComponentClass(TCheckBox::StaticClass());
  RegisterComponentClass(TRadioButton::StaticClass());
  RegisterComponentClass(TRadioGroup::StaticClass());
  RegisterComponentClass(TComboBox::StaticClass());
  RegisterComponentClass(TListBox::StaticClass());
  RegisterComponentClass(TTrackBar::StaticClass());
  RegisterComponentClass(TGroupBox::StaticClass());
  RegisterComponentClass(TPanel::StaticClass());
  RegisterComponentClass(TSpeedButton::StaticClass());
  RegisterComponentClass(TMenuButton::StaticClass());
  RegisterComponentClass(TCheckListBox::StaticClass());
  RegisterComponentClass(TStatusBar::StaticClass());
  RegisterComponentClass(TTabControl::StaticClass());
  RegisterComponentClass(TTabSheet::StaticClass());
  RegisterComponentClass(TTabSet::StaticClass());
  RegisterComponentClass(TDateTimePicker::StaticClass());
}
