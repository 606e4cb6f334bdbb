// Owner-drawn menus: handlers on toolkit items, menu entries marked
// owner-drawn, WM_MEASUREITEM and WM_DRAWITEM of a skinned window, and the
// skinned system popup.
#include "skin/win/menu/owner.h"

#include <algorithm>
#include <functional>

#include "skin/win/data/skin_data.h"
#include "skin/win/frame/form.h"
#include "skin/win/frame/manager.h"
#include "skin/win/menu/bar.h"
#include "skin/win/menu/draw.h"
#include "skin/win/menu/popup.h"
#include "skin/win/menu/tracking.h"
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
  TMenuItemFace face = FaceOfItem(item, frame.Traits().RightToLeft);
  HMENU parent = item.Parent() ? item.Parent()->Handle() : nullptr;
  DrawSkinMenuItem(*frame.SkinData(), face, dc, rect, selected, BackgroundOf(parent));
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
    if (frame && frame->SkinData() && !frame->SkinData()->NoSkin)
      DrawItemWithSkin(*frame, *item, canvas.Handle(), rect, selected);
    else
      DrawItemPlainly(*item, canvas, rect, selected);
  };
}

TMenuMeasureItemEvent MeasureHandler(TFrameFinder frameOf) {
  return [frameOf](TObject* sender, TCanvas& canvas, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    TWinSkinForm* frame = frameOf();
    if (!item || !frame || !frame->SkinData()) return;
    TMenu* menu = item->GetParentMenu();
    TMenuItemFace face = FaceOfItem(*item, frame->Traits().RightToLeft);
    // The toolkit measured the whole caption: a tab and what follows are the shortcut's.
    if (item->GetCaption().find('\t') != std::string::npos)
      width -= canvas.TextWidth(item->GetCaption()) - canvas.TextWidth(face.Caption);
    width += MenuItemExtraWidth(*frame->SkinData(), face, canvas, menu && menu->GetImages());
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
  if (!owner || !data_) return;
  if (auto* f = dynamic_cast<TCustomForm*>(owner); f && f->ClassName() == "TwwRichEditForm") return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (dynamic_cast<TCustomForm*>(c)) {
      SkinPopupMenus(c, on);
      continue;
    }
    auto* popup = dynamic_cast<TPopupMenu*>(c);
    if (!popup || !(data_->SkinControls & SetOf(xcPopupMenu)) || popup->GetTag() == data_->DisableTag) continue;
    ForEachItem(popup->Items(), [&](TMenuItem* item) {
      if (on) {
        item->OnDrawItem = SkinMenuItemDrawHandler(form_);
        if (!item->OnMeasureItem) item->OnMeasureItem = SkinMenuItemMeasureHandler(form_);
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
          item->OnDrawItem = SkinMenuItemDrawHandler(form_);
          item->OnMeasureItem = SkinMenuItemMeasureHandler(form_);
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
  if (!mi || mi->CtlType != ODT_MENU || !menuHandle_ || !data_) {
    CallDefaultProc(m);
    return;
  }
  TMenu* main = menuBar_ ? menuBar_->MainMenu() : nullptr;
  TMenuItem* item = FindMenuItem(static_cast<WORD>(mi->itemID));
  if (item && main && item->GetParentMenu() == main) {
    // The toolkit measures the item (without a handler of its own), the skin adds its columns.
    TMenuMeasureItemEvent own = std::move(item->OnMeasureItem);
    item->OnMeasureItem = nullptr;
    item->MeasureItem(*mi);
    item->OnMeasureItem = std::move(own);
    HDC dc = GetWindowDC(window_);
    {
      TCanvas canvas(dc);
      if (Screen) canvas.Font().Assign(*Screen->MenuFont());
      TMenuItemFace face = FaceOfItem(*item, traits_.RightToLeft);
      mi->itemWidth += static_cast<UINT>(MenuItemExtraWidth(*data_, face, canvas, main->GetImages() != nullptr));
    }
    ReleaseDC(window_, dc);
    m.Result = TRUE;
    return;
  }
  if (form_ && mi->itemID > 0 && mi->itemID < 4096) {
    CallDefaultProc(m);
    return;
  }
  TMenuItemFace face = FaceOfMenuEntry(MenuTracking().OpenPullDown(this), mi->itemID, traits_.RightToLeft);
  HDC dc = GetWindowDC(window_);
  {
    TCanvas canvas(dc);
    if (Screen) canvas.Font().Assign(*Screen->MenuFont());
    int w = canvas.TextWidth(face.IsLine() ? std::string() : face.Caption) + 26;
    if (data_->MenuItem) w += data_->MenuItem->LeftWidth;
    if (!face.ShortCutText.empty()) w += canvas.TextWidth(face.ShortCutText) + 19;
    mi->itemWidth = static_cast<UINT>(w);
    if (face.IsLine()) mi->itemHeight = 8;
    else mi->itemHeight = static_cast<UINT>(std::max(canvas.TextHeight("Ag"), GetSystemMetrics(SM_CYMENU) - 4) + 4);
  }
  ReleaseDC(window_, dc);
  m.Result = TRUE;
}

void TWinSkinForm::WMDrawItem(TMessage& m) {
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!di || di->CtlType != ODT_MENU || !menuHandle_ || !data_ ||
      (traits_.Kind == TFormKind::MDIFrame && LOBYTE(GetVersion()) == 4)) {
    CallDefaultProc(m);
    return;
  }
  HMENU menu = reinterpret_cast<HMENU>(di->hwndItem);
  TMenuBackground bg = BackgroundOf(menu);
  const bool selected = (di->itemState & ODS_SELECTED) != 0;
  if (form_) {
    TMenu* main = menuBar_ ? menuBar_->MainMenu() : nullptr;
    TMenuItem* item = FindMenuItem(static_cast<WORD>(di->itemID));
    if (item && main && item->GetParentMenu() == main) {
      DrawSkinMenuItem(*data_, FaceOfItem(*item, traits_.RightToLeft), di->hDC, di->rcItem, selected, bg);
      m.Result = TRUE;
      return;
    }
    if (di->itemID > 0 && di->itemID < 4096) {
      CallDefaultProc(m);
      return;
    }
  }
  DrawSkinMenuItem(*data_, FaceOfMenuEntry(menu, di->itemID, traits_.RightToLeft), di->hDC, di->rcItem, selected, bg,
                   true);
  m.Result = TRUE;
}

// --- The skinned system popup ---------------------------------------------------------

TPopupMenu* TWinSkinForm::BuildSysPopupMenu() {
  systemMenu_.Popup.reset();
  if (!systemMenu_.Menu) return nullptr;
  auto popup = std::make_unique<TPopupMenu>(nullptr);
  popup->SetTag(33333);
  if (data_ && data_->MenuImages) popup->SetImages(data_->MenuImages.get());
  const bool maximized = showState_ == TShowState::Maximized, minimized = showState_ == TShowState::Minimized;
  const int count = GetMenuItemCount(systemMenu_.Menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    mi.dwTypeData = text;
    mi.cch = 80;
    if (!GetMenuItemInfoW(systemMenu_.Menu, static_cast<UINT>(i), TRUE, &mi)) continue;
    auto* item = new TMenuItem(popup.get());
    std::string caption = WideToGbk(text);
    item->SetCaption(caption.empty() || (mi.fType & MFT_SEPARATOR) ? "-" : caption);
    item->SetTag(mi.wID);
    int image = -1;
    // An item the application greyed stays grey; the state-bound commands
    // also need the window's state to allow them.
    bool stateAllows = true;
    switch (mi.wID) {
      case SC_SIZE: stateAllows = showState_ == TShowState::Normal && traits_.Sizable; break;
      case SC_MOVE: stateAllows = !maximized; break;
      case SC_MINIMIZE: image = 2; stateAllows = !minimized && traits_.Has(TWindowTraits::MinimizeBox); break;
      case SC_MAXIMIZE: image = 1; stateAllows = !maximized && traits_.Has(TWindowTraits::MaximizeBox); break;
      case SC_CLOSE: image = 3; break;
      case SC_RESTORE: image = 0; stateAllows = showState_ != TShowState::Normal; break;
      default: break;
    }
    item->SetImageIndex(image);
    item->SetEnabled(stateAllows && !(mi.fState & (MFS_GRAYED | MFS_DISABLED)));
    item->SetChecked((mi.fState & MFS_CHECKED) != 0);
    HWND window = window_;
    item->OnClick = [window](TObject* sender) {
      auto* clicked = static_cast<TMenuItem*>(sender);
      PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(clicked->GetTag()), 0);
    };
    popup->Items()->Add(item);
  }
  systemMenu_.Popup = std::move(popup);
  // Owner-drawn with the skin's handlers once every item is in.
  ForEachItem(systemMenu_.Popup->Items(), [this](TMenuItem* item) {
    item->OnDrawItem = DrawHandler(FrameOfWindow(window_));
    item->OnMeasureItem = MeasureHandler(FrameOfWindow(window_));
  });
  systemMenu_.Popup->SetOwnerDraw(true);
  return systemMenu_.Popup.get();
}
