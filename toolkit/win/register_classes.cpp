#include "toolkit/win/application.h"
#include "toolkit/win/image.h"
#include "toolkit/win/image_list.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/open_dialog.h"

void RegisterToolkitClasses() {
  RegisterComponentClass(TForm::StaticClass());
  RegisterComponentClass(TImage::StaticClass());
  RegisterComponentClass(TImageList::StaticClass());
  RegisterComponentClass(TListView::StaticClass());
  RegisterComponentClass(TMainMenu::StaticClass());
  RegisterComponentClass(TPopupMenu::StaticClass());
  RegisterComponentClass(TMenuItem::StaticClass());
  RegisterComponentClass(TOpenDialog::StaticClass());
}
