// Owner-drawn menus: handlers on toolkit items, menu entries marked
// owner-drawn, WM_MEASUREITEM and WM_DRAWITEM of a skinned window, and the
// skinned system popup.
#include "skin/win/skin_menu_owner.h"

#include <algorithm>
#include <functional>

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_menu_draw.h"
#include "skin/win/skin_popup_menu.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/form.h"
#include "toolkit/win/image_list.h"

namespace {

// The background of the popup window that shows menu (tagging the newest untagged one).
TMenuBackground BackgroundOf(HMENU menu) {
  TMenuBackground bg;
  TSkinManage* m = SkinManager();
  if (!m || !menu) return bg;
  m->TagLastMenu(menu);
  if (TWinSkinPopMenu* p = m->PopupOfMenu(menu)) {
    bg.Bitmap = p->Background();
    bg.ClientOffset = p->ClientOffset();
  }
  return bg;
}

TWinSkinForm* FrameOfForm(TCustomForm* form) {
  TSkinManage* m = SkinManager();
  HWND w = form ? form->HandleOrNull() : nullptr;
  return m && w ? m->FormOfWindow(w) : nullptr;
}

void ForEachItem(TMenuItem* item, const std::function<void(TMenuItem*)>& visit) {
  for (int i = 0; i < item->Count(); ++i) {
    visit(item->Items(i));
    ForEachItem(item->Items(i), visit);
  }
}

// Draws a toolkit item with the frame's skin onto the canvas's DC.
void DrawItemWithSkin(TWinSkinForm& frame, TMenuItem& item, HDC dc, const RECT& rect, bool selected) {
  TMenuItemFace face = FaceOfItem(item, frame.RightToLeft);
  HMENU parent = item.Parent() ? item.Parent()->Handle() : nullptr;
  DrawSkinMenuItem(*frame.SkinData, face, dc, rect, selected, BackgroundOf(parent));
}

void DrawItemPlainly(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) {
  // The toolkit's own face: the handler steps aside for one draw.
  DRAWITEMSTRUCT di{};
  di.CtlType = ODT_MENU;
  di.hDC = canvas.Handle();
  di.rcItem = rect;
  di.itemState = selected ? ODS_SELECTED : 0;
  TMenuDrawItemEvent saved = std::move(item.OnDrawItem);
  item.OnDrawItem = nullptr;
  item.DrawItem(di);
  item.OnDrawItem = std::move(saved);
}

}  // namespace

void SetMenuOwnerDraw(HMENU menu, bool on) {
  if (!menu || !IsMenu(menu)) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi)) continue;
    const UINT type = on ? (mi.fType | MFT_OWNERDRAW) : (mi.fType & ~static_cast<UINT>(MFT_OWNERDRAW));
    if (type != mi.fType) {
      MENUITEMINFOW set{};
      set.cbSize = sizeof set;
      set.fMask = MIIM_FTYPE;  // MIIM_TYPE would replace the entry's text
      set.fType = type;
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set);
    }
    if (mi.hSubMenu) SetMenuOwnerDraw(mi.hSubMenu, on);
  }
}

namespace {
using TFrameFinder = std::function<TWinSkinForm*()>;

TMenuDrawItemEvent DrawHandler(TFrameFinder frameOf) {
  return [frameOf](TObject* sender, TCanvas& canvas, RECT rect, bool selected) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    TWinSkinForm* frame = frameOf();
    if (frame && frame->SkinData && !frame->SkinData->NoSkin)
      DrawItemWithSkin(*frame, *item, canvas.Handle(), rect, selected);
    else
      DrawItemPlainly(*item, canvas, rect, selected);
  };
}

TMenuMeasureItemEvent MeasureHandler(TFrameFinder frameOf) {
  return [frameOf](TObject* sender, TCanvas& canvas, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    TWinSkinForm* frame = frameOf();
    if (!item || !frame || !frame->SkinData) return;
    TMenu* menu = item->GetParentMenu();
    TMenuItemFace face = FaceOfItem(*item, frame->RightToLeft);
    // The toolkit measured the whole caption: a tab and what follows are the shortcut's.
    if (item->GetCaption().find('\t') != std::string::npos)
      width -= canvas.TextWidth(item->GetCaption()) - canvas.TextWidth(face.Caption);
    width += MenuItemExtraWidth(*frame->SkinData, face, canvas, menu && menu->GetImages());
  };
}

TFrameFinder FrameOfWindow(HWND window) {
  return [window] {
    TSkinManage* m = SkinManager();
    return m ? m->FormOfWindow(window) : nullptr;
  };
}
}  // namespace

TMenuDrawItemEvent SkinMenuItemDrawHandler(TCustomForm* form) {
  return DrawHandler([form] { return FrameOfForm(form); });
}

TMenuMeasureItemEvent SkinMenuItemMeasureHandler(TCustomForm* form) {
  return MeasureHandler([form] { return FrameOfForm(form); });
}

// --- The frame's part -------------------------------------------------------------

void TWinSkinForm::SkinPopupMenus(TComponent* owner, bool on) {
  if (!owner || !SkinData) return;
  if (auto* f = dynamic_cast<TCustomForm*>(owner); f && f->ClassName() == "TwwRichEditForm") return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (dynamic_cast<TCustomForm*>(c)) {
      SkinPopupMenus(c, on);
      continue;
    }
    auto* popup = dynamic_cast<TPopupMenu*>(c);
    if (!popup || !(SkinData->SkinControls & SetOf(xcPopupMenu)) || popup->GetTag() == SkinData->DisableTag) continue;
    ForEachItem(popup->Items(), [&](TMenuItem* item) {
      if (on) {
        item->OnDrawItem = SkinMenuItemDrawHandler(FormControl);
        if (!item->OnMeasureItem) item->OnMeasureItem = SkinMenuItemMeasureHandler(FormControl);
      } else {
        item->OnDrawItem = nullptr;
        item->OnMeasureItem = nullptr;
      }
    });
    popup->SetOwnerDraw(on);
  }
}

void TWinSkinForm::SkinMainMenus(TComponent* owner, bool on) {
  if (!owner) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* menu = dynamic_cast<TMainMenu*>(owner->Components(i));
    if (!menu) continue;
    for (int k = 0; k < menu->Items()->Count(); ++k)
      ForEachItem(menu->Items()->Items(k), [&](TMenuItem* item) {
        if (on && !item->OnDrawItem) {
          item->OnDrawItem = SkinMenuItemDrawHandler(FormControl);
          item->OnMeasureItem = SkinMenuItemMeasureHandler(FormControl);
        } else if (!on) {
          item->OnDrawItem = nullptr;
          item->OnMeasureItem = nullptr;
        }
      });
    menu->SetOwnerDraw(on);
  }
}

void TWinSkinForm::WMMeasureItem(TMessage& m) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (!mi || mi->CtlType != ODT_MENU || !MenuHandle || !SkinData) {
    CallDefaultProc(m);
    return;
  }
  TMenu* main = SkinMenuBar ? SkinMenuBar->MainMenu() : nullptr;
  TMenuItem* item = FindMenuItem(static_cast<WORD>(mi->itemID));
  if (item && main && item->GetParentMenu() == main) {
    // The toolkit measures the item (without a handler of its own), the skin adds its columns.
    TMenuMeasureItemEvent own = std::move(item->OnMeasureItem);
    item->OnMeasureItem = nullptr;
    item->MeasureItem(*mi);
    item->OnMeasureItem = std::move(own);
    HDC dc = GetWindowDC(FormHandle);
    {
      TCanvas canvas(dc);
      if (Screen) canvas.Font().Assign(*Screen->MenuFont());
      TMenuItemFace face = FaceOfItem(*item, RightToLeft);
      mi->itemWidth += static_cast<UINT>(MenuItemExtraWidth(*SkinData, face, canvas, main->GetImages() != nullptr));
    }
    ReleaseDC(FormHandle, dc);
    m.Result = TRUE;
    return;
  }
  if (FormControl && mi->itemID > 0 && mi->itemID < 4096) {
    CallDefaultProc(m);
    return;
  }
  TMenuItemFace face = FaceOfMenuEntry(OpenBarPopup, mi->itemID, RightToLeft);
  HDC dc = GetWindowDC(FormHandle);
  {
    TCanvas canvas(dc);
    if (Screen) canvas.Font().Assign(*Screen->MenuFont());
    int w = canvas.TextWidth(face.IsLine() ? std::string() : face.Caption) + 26;
    if (SkinData->MenuItem) w += SkinData->MenuItem->LeftWidth;
    if (!face.ShortCutText.empty()) w += canvas.TextWidth(face.ShortCutText) + 19;
    mi->itemWidth = static_cast<UINT>(w);
    if (face.IsLine()) mi->itemHeight = 8;
    else mi->itemHeight = static_cast<UINT>(std::max(canvas.TextHeight("Ag"), GetSystemMetrics(SM_CYMENU) - 4) + 4);
  }
  ReleaseDC(FormHandle, dc);
  m.Result = TRUE;
}

void TWinSkinForm::WMDrawItem(TMessage& m) {
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!di || di->CtlType != ODT_MENU || !MenuHandle || !SkinData || (FormKind == 1 && LOBYTE(GetVersion()) == 4)) {
    CallDefaultProc(m);
    return;
  }
  HMENU menu = reinterpret_cast<HMENU>(di->hwndItem);
  TMenuBackground bg = BackgroundOf(menu);
  const bool selected = (di->itemState & ODS_SELECTED) != 0;
  if (FormControl) {
    TMenu* main = SkinMenuBar ? SkinMenuBar->MainMenu() : nullptr;
    TMenuItem* item = FindMenuItem(static_cast<WORD>(di->itemID));
    if (item && main && item->GetParentMenu() == main) {
      DrawSkinMenuItem(*SkinData, FaceOfItem(*item, RightToLeft), di->hDC, di->rcItem, selected, bg);
      m.Result = TRUE;
      return;
    }
    if (di->itemID > 0 && di->itemID < 4096) {
      CallDefaultProc(m);
      return;
    }
  }
  DrawSkinMenuItem(*SkinData, FaceOfMenuEntry(menu, di->itemID, RightToLeft), di->hDC, di->rcItem, selected, bg, true);
  m.Result = TRUE;
}

// --- The skinned system popup ---------------------------------------------------------

void TWinSkinForm::BuildSysPopupMenu() {
  SysPopupMenu.reset();
  if (!SystemMenu) return;
  auto popup = std::make_unique<TPopupMenu>(nullptr);
  popup->SetTag(33333);
  if (SkinData && SkinData->MenuImages) popup->SetImages(SkinData->MenuImages.get());
  const bool maximized = WindowState == 1, minimized = WindowState == 2;
  const int count = GetMenuItemCount(SystemMenu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    mi.dwTypeData = text;
    mi.cch = 80;
    if (!GetMenuItemInfoW(SystemMenu, static_cast<UINT>(i), TRUE, &mi)) continue;
    auto* item = new TMenuItem(popup.get());
    std::string caption = WideToGbk(text);
    item->SetCaption(caption.empty() || (mi.fType & MFT_SEPARATOR) ? "-" : caption);
    item->SetTag(mi.wID);
    int image = -1;
    // An item the application greyed stays grey; the state-bound commands
    // also need the window's state to allow them.
    bool stateAllows = true;
    switch (mi.wID) {
      case SC_SIZE: stateAllows = WindowState == 0 && Sizable; break;
      case SC_MOVE: stateAllows = !maximized; break;
      case SC_MINIMIZE: image = 2; stateAllows = !minimized && (BorderIconBits & 2); break;
      case SC_MAXIMIZE: image = 1; stateAllows = !maximized && (BorderIconBits & 1); break;
      case SC_CLOSE: image = 3; break;
      case SC_RESTORE: image = 0; stateAllows = WindowState != 0; break;
      default: break;
    }
    item->SetImageIndex(image);
    item->SetEnabled(stateAllows && !(mi.fState & (MFS_GRAYED | MFS_DISABLED)));
    item->SetChecked((mi.fState & MFS_CHECKED) != 0);
    HWND window = FormHandle;
    item->OnClick = [window](TObject* sender) {
      auto* clicked = static_cast<TMenuItem*>(sender);
      PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(clicked->GetTag()), 0);
    };
    popup->Items()->Add(item);
  }
  SysPopupMenu = std::move(popup);
  // Owner-drawn with the skin's handlers once every item is in.
  ForEachItem(SysPopupMenu->Items(), [this](TMenuItem* item) {
    item->OnDrawItem = DrawHandler(FrameOfWindow(FormHandle));
    item->OnMeasureItem = MeasureHandler(FrameOfWindow(FormHandle));
  });
  SysPopupMenu->SetOwnerDraw(true);
}
