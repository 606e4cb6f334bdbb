#include "skin/win/controls/dispatch.h"

#include <commctrl.h>

#include <vector>

#include "skin/win/controls/boxes/box.h"
#include "skin/win/controls/boxes/group_box.h"
#include "skin/win/controls/boxes/sizer.h"
#include "skin/win/controls/buttons/bit_button.h"
#include "skin/win/controls/buttons/button.h"
#include "skin/win/controls/buttons/check.h"
#include "skin/win/controls/buttons/media_player.h"
#include "skin/win/controls/buttons/menu_button.h"
#include "skin/win/controls/buttons/speed_button.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/input/combo.h"
#include "skin/win/controls/input/datetime.h"
#include "skin/win/controls/input/edit.h"
#include "skin/win/controls/input/progress.h"
#include "skin/win/controls/input/trackbar.h"
#include "skin/win/controls/input/updown.h"
#include "skin/win/controls/scroll/check_list.h"
#include "skin/win/controls/scroll/list_view.h"
#include "skin/win/controls/scroll/scrollbar.h"
#include "skin/win/controls/tabs/adv_page.h"
#include "skin/win/controls/tabs/tab.h"
#include "skin/win/data/object_image.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/frame/manager.h"
#include "skin/win/messages.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/controls.h"

namespace {

bool Is(const TControl* control, const char* className) { return control->InheritsFrom(className); }

// A border or a scroll bar around the client area: measured on the window, or
// read from the styles a hidden control's window will be made with.
bool HasNonClientArea(TWinControl& control) {
  if (HWND window = control.HandleOrNull()) {
    RECT wr, cr;
    GetWindowRect(window, &wr);
    GetClientRect(window, &cr);
    return wr.right - wr.left != cr.right || wr.bottom - wr.top != cr.bottom;
  }
  const DWORD style = control.CreationStyle();
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, control.CreationExStyle());
  return frame.right > frame.left || frame.bottom > frame.top || (style & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

}  // namespace

const char* SkinKindName(TSkinKind kind) {
  static const char* const names[] = {
      "Button", "BitButton", "PngBitButton", "MenuButton", "SpeedButton", "PngSpeedButton", "CheckBox",
      "RadioButton", "GroupBox", "Box", "BoxH", "Scrollbar", "SingleScrollbar", "ListView", "CheckList", "Edit",
      "ComboBox", "ComboBoxEx", "DateTime", "TrackBar", "UpDown", "MediaPlayer", "Tab", "Tab31", "AdvPage",
      "Progress", "Sizer", "ObjImageCheck", "ObjImageRadio", "ObjImageCx"};
  return names[static_cast<int>(kind)];
}

TSkinControl* CreateSkinObject(TSkinKind kind, TComponent* owner) {
  switch (kind) {
    case TSkinKind::Button:
      return new TSkinButton(owner);
    case TSkinKind::MenuButton:
      return new TSkinMenuButton(owner);
    case TSkinKind::SpeedButton:
      return new TSkinSpeedButton(owner);
    case TSkinKind::PngSpeedButton: {
      auto* speed = new TSkinSpeedButton(owner);
      speed->FGlyphProp = "PngImage";
      return speed;
    }
    case TSkinKind::MediaPlayer:
      return new TSkinMP(owner);
    case TSkinKind::ListView:
      return new TSkinListView(owner);
    case TSkinKind::CheckList:
      return new TSkinCheckList(owner);
    case TSkinKind::Tab:
      return new TSkinTab(owner);
    case TSkinKind::Tab31:
      return new TSkinTab31(owner);
    case TSkinKind::AdvPage: {
      auto* page = new TSkinAdvPage(owner);
      page->FPageMode = TSkinAdvPage::kTabPicturesMode;
      return page;
    }
    case TSkinKind::ComboBox:
      return new TSkinComBox(owner);
    case TSkinKind::ComboBoxEx: {
      auto* combo = new TSkinComBox(owner);
      combo->FExtended = true;
      return combo;
    }
    case TSkinKind::DateTime:
      return new TSkinDateTime(owner);
    case TSkinKind::Sizer:
      return new TSkinSizer(owner);
    case TSkinKind::TrackBar:
      return new TSkinTrackBar(owner);
    case TSkinKind::UpDown:
      return new TSkinUpDown(owner);
    case TSkinKind::Progress:
      return new TSkinProgress(owner);
    case TSkinKind::Edit:
      return new TSkinEdit(owner);
    case TSkinKind::Scrollbar:
      return new TSkinScrollbar(owner);
    case TSkinKind::SingleScrollbar:
      return new TSkinScrollbar(owner, 1);
    case TSkinKind::BitButton:
      return new TSkinBitButton(owner);
    case TSkinKind::PngBitButton: {
      auto* b = new TSkinBitButton(owner);
      b->FGlyphProp = "PngImage";
      return b;
    }
    case TSkinKind::CheckBox:
      return new TSkinCheckBox(owner);
    case TSkinKind::RadioButton:
      return new TSkinRadioButton(owner);
    case TSkinKind::GroupBox:
      return new TSkinGroupBox(owner);
    case TSkinKind::Box:
      return new TSkinBox(owner);
    case TSkinKind::BoxH:
      return new TSkinBoxH(owner);
    case TSkinKind::ObjImageCheck:
    case TSkinKind::ObjImageRadio:
    case TSkinKind::ObjImageCx: {
      auto* o = new TSkinObjImage(owner);
      o->FImageKind = kind == TSkinKind::ObjImageCheck ? TSkinObjImage::ikCustomCheck
                      : kind == TSkinKind::ObjImageRadio ? TSkinObjImage::ikCustomRadio
                                                          : TSkinObjImage::ikPropertiesCheck;
      return o;
    }
  }
  return nullptr;  // not a family: every TSkinKind has its case above (the compiler checks)
}

bool NeedsScrollbarSkin(TControl* control) {
  auto* w = dynamic_cast<TWinControl*>(control);
  if (!w) return false;
  if (Is(w, "TCustomListBox")) return true;
  // A hidden control's window is not made for the question.
  const DWORD style = w->HandleAllocated() ? static_cast<DWORD>(GetWindowLongW(w->HandleOrNull(), GWL_STYLE))
                                           : w->CreationStyle();
  return (style & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

TSkinDispatcher::TSkinDispatcher(TSkinData* data, TSkinControlList* list, TCanvas* canvas, TComponent* frameOwner)
    : data_(data), list_(list), canvas_(canvas), frameOwner_(frameOwner) {}

bool TSkinDispatcher::Has(int element) const { return (data_->SkinControls & SetOf(element)) != 0; }

void TSkinDispatcher::Attach(TSkinKind kind, TControl* control, bool setColor) {
  if (OnAttach) OnAttach(kind, control, nullptr);
  TSkinControl* object = Factory ? Factory(kind, control) : nullptr;
  if (object) object->AttachControl(list_, data_, setColor, canvas_);
}

void TSkinDispatcher::AttachWindow(TSkinKind kind, HWND window) {
  if (OnAttach) OnAttach(kind, nullptr, window);
  TSkinControl* object = Factory ? Factory(kind, frameOwner_) : nullptr;
  if (object) object->AttachHandle(window, data_, list_, canvas_);
}

// --- Toolkit controls ------------------------------------------------------------

void TSkinDispatcher::SkinFormControls(TComponent* form) {
  list_->FreeDead();
  SkinComponents(form);
  auto* parent = dynamic_cast<TWinControl*>(form);
  if (!parent) return;
  std::vector<TWinControl*> order;
  parent->GetTabOrderList(order);
  for (TWinControl* w : order)
    if (!IsTabOrderSkipped(w)) SkinControl(w, form);
}

void TSkinDispatcher::SkinComponents(TComponent* owner) {
  // Attaching adds components to their owners: walk a copy.
  std::vector<TComponent*> owned;
  for (int i = 0; i < owner->ComponentCount(); ++i) owned.push_back(owner->Components(i));
  for (TComponent* c : owned)
    if (dynamic_cast<TControl*>(c)) SkinControl(c, owner);
}

void TSkinDispatcher::SkinChildControls(TWinControl* parent) {
  std::vector<TControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i) children.push_back(parent->Controls(i));
  for (TControl* c : children) SkinControl(c, parent);
}

bool TSkinDispatcher::IsTabOrderSkipped(TWinControl* control) const {
  if (!control->HandleAllocated()) return true;
  if (control->GetTag() == data_->DisableTag) return true;
  return IsWindowSkinned(control->HandleOrNull());
}

bool TSkinDispatcher::IsControlSkinned(TControl* control) const {
  if (list_->FindByControl(control)) return true;
  auto* w = dynamic_cast<TWinControl*>(control);
  return w && w->HandleAllocated() && IsWindowSkinned(w->HandleOrNull());
}

void TSkinDispatcher::PassDisableTag(TControl* control) {
  auto* w = dynamic_cast<TWinControl*>(control);
  if (!w || w->ControlCount() == 0) return;
  std::string name = LowerCase(control->ClassName());
  if (name.find("radiogroup") == std::string::npos && name.find("checkgroup") == std::string::npos) return;
  for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->SetTag(data_->DisableTag);
}

void TSkinDispatcher::SkinControl(TComponent* component, TComponent* form) {
  auto* control = dynamic_cast<TControl*>(component);
  if (!control) return;
  if (control->GetTag() == data_->DisableTag) {
    PassDisableTag(control);
    return;
  }
  if (!control->Parent() || IsControlSkinned(control)) return;
  const std::string upper = UpperCase(control->ClassName());
  // A shown control has its window; a hidden one gets it when first shown or
  // used, and its skin object takes it then.
  if (data_->OnSkinControl) {
    TComponent* skinned = nullptr;
    data_->OnSkinControl(frameOwner_, data_, dynamic_cast<TControl*>(form), control, upper, skinned);
    if (skinned) {
      auto* object = dynamic_cast<TSkinControl*>(skinned);
      if (object && !list_->Contains(object)) {
        object->AttachControl(list_, data_, object->FSetColor, canvas_);
        if (auto* panel = dynamic_cast<TWinControl*>(control); panel && Is(panel, "TCustomPanel"))
          SkinChildControls(panel);
      }
      return;
    }
  }
  if (SkinBy3rdList(upper, control)) return;
  if (upper == "TDBCOMBOBOXEH" || upper == "TFRDESIGNERPAGE" || upper == "TFRPBOX") return;
  SkinChain(control, upper);
}

void TSkinDispatcher::SkinGroupButtons(TWinControl* group, TSkinKind buttonKind) {
  std::vector<TControl*> children;
  for (int i = 0; i < group->ControlCount(); ++i) children.push_back(group->Controls(i));
  for (TControl* c : children) Attach(buttonKind, c, false);
}

void TSkinDispatcher::SkinChain(TControl* control, const std::string& upper) {
  auto* win = dynamic_cast<TWinControl*>(control);
  const bool tabs = data_->Tabs && data_->Tabs->HasImage();
  if (upper == "TTABSET" && Has(xcTab) && tabs) return Attach(TSkinKind::Tab31, control, false);
  if (upper == "TTABBEDNOTEBOOK" && Has(xcTab) && tabs) return Attach(TSkinKind::Tab, control, false);
  if (upper == "TMVCPANEL") {
    if (win) SkinChildControls(win);
    return;
  }
  if (Is(control, "TCustomCheckBox") && Has(xcCheckBox)) return Attach(TSkinKind::CheckBox, control, false);
  if (Is(control, "TTrackBar") && Has(xcTrackBar)) return Attach(TSkinKind::TrackBar, control, false);
  if ((upper == "TUPDOWN" || upper == "TSPINBUTTON") && Has(xcSpin)) return Attach(TSkinKind::UpDown, control, false);
  if (upper == "TMEDIAPLAYER" && Has(xcButton)) return Attach(TSkinKind::MediaPlayer, control, false);
  if (win && Is(control, "TCustomRadioGroup") && Has(xcRadioButton)) {
    SkinGroupButtons(win, TSkinKind::RadioButton);
    return Attach(TSkinKind::GroupBox, control, true);
  }
  if (upper == "TDBNAVIGATOR" && Has(xcPanel)) {
    Attach(TSkinKind::Box, control, true);
    if (win)
      for (int i = 0; i < win->ControlCount(); ++i) SkinControl(win->Controls(i), nullptr);
    return;
  }
  if ((upper == "TRZDBCHECKBOX" || upper == "TRZCHECKBOX") && Has(xcCheckBox))
    return Attach(TSkinKind::ObjImageCheck, control, true);
  if ((upper == "TRZRADIOBUTTON" || upper == "TRZDBRADIOBUTTON") && Has(xcRadioButton))
    return Attach(TSkinKind::ObjImageRadio, control, true);
  if ((upper == "TCXDBCHECKBOX" || upper == "TCXCHECKBOX") && Has(xcCheckBox))
    return Attach(TSkinKind::ObjImageCx, control, true);
  if (win && Is(control, "TCustomGroupBox") && Has(xcPanel)) {
    SkinChildControls(win);
    return Attach(TSkinKind::GroupBox, control, false);
  }
  if (Is(control, "TRadioButton") && Has(xcRadioButton)) return Attach(TSkinKind::RadioButton, control, false);
  if (upper == "TTNTCOMBOBOX" && Has(xcCombo)) return Attach(TSkinKind::ComboBox, control, false);
  if (Is(control, "TCustomComboBox") && Has(xcCombo)) return Attach(TSkinKind::ComboBox, control, false);
  if (upper == "TRICHEDIT" && Has(xcScrollbar)) return Attach(TSkinKind::Scrollbar, control, false);
  if ((upper == "TWWDBRICHEDIT" || upper == "TDXDBMEMO") && Has(xcScrollbar))
    return Attach(TSkinKind::Scrollbar, control, false);
  if (win && Is(control, "TCustomPanel") && Has(xcPanel)) {
    SkinChildControls(win);
    return Attach(TSkinKind::Box, control, true);
  }
  if ((upper == "TDXTREELIST" || upper == "TDXDBTREELIST" || upper == "TDXDBGRID") && Has(xcScrollbar))
    return Attach(TSkinKind::Scrollbar, control, false);
  if (Is(control, "TCustomListView") && Has(xcScrollbar)) return Attach(TSkinKind::ListView, control, false);
  if (upper == "TCHECKLISTBOX" && Has(xcScrollbar)) return Attach(TSkinKind::CheckList, control, false);
  if (Is(control, "TCustomMemo") && Has(xcScrollbar)) return Attach(TSkinKind::Scrollbar, control, false);
  if (NeedsScrollbarSkin(control) && Has(xcScrollbar)) return Attach(TSkinKind::Scrollbar, control, false);
  if (Is(control, "TButton") && Has(xcButton)) return Attach(TSkinKind::Button, control, false);
  if (Is(control, "TCustomEdit") && Has(xcEdit)) return Attach(TSkinKind::Edit, control, false);
  if (upper == "TDCEDIT" || upper == "TDCDBEDIT") {
    long long buttons = GetOrdPropByName(control, "NumButtons");
    if (buttons == 1 && Has(xcCombo)) return Attach(TSkinKind::ComboBox, control, false);
    if (buttons == 0 && Has(xcEdit) && win) return Attach(TSkinKind::Edit, control, false);
    return;
  }
  if (Is(control, "TCustomForm")) {
    Attach(TSkinKind::Box, control, true);
    SkinComponents(control);
  }
}

bool TSkinDispatcher::SkinBy3rdList(const std::string& className, TControl* control) {
  const std::string key = LowerCase(className) + "=";
  std::string value;
  bool found = false;
  for (const std::string& line : data_->Skin3rd) {
    std::string l = LowerCase(line);
    if (l.compare(0, key.size(), key) != 0) continue;
    value = l.substr(l.find('=') + 1, 50);
    found = true;
    break;
  }
  if (!found || value.empty()) return false;
  auto* win = dynamic_cast<TWinControl*>(control);
  if (value == "nil") return true;
  if (value == "combobox") {
    if (Has(xcCombo)) Attach(TSkinKind::ComboBox, control, false);
  } else if (value == "comboboxex") {
    if (Has(xcCombo)) Attach(TSkinKind::ComboBoxEx, control, false);
  } else if (value == "edit") {
    if (Has(xcEdit) && win && HasNonClientArea(*win)) Attach(TSkinKind::Edit, control, false);
  } else if (value == "radiobutton") {
    if (Has(xcRadioButton)) Attach(TSkinKind::RadioButton, control, false);
  } else if (value == "panel") {
    if (Has(xcPanel)) {
      SetPropByName(control, "Transparent", "True");
      Attach(TSkinKind::Box, control, true);
    }
  } else if (value == "trackbar") {
    if (Has(xcButton)) {
      SetPropByName(control, "Transparent", "True");
      Attach(TSkinKind::TrackBar, control, false);
    }
  } else if (value == "button") {
    if (Has(xcButton)) Attach(TSkinKind::Button, control, false);
  } else if (value == "datetimepicker") {
    if (Has(xcCombo)) Attach(TSkinKind::DateTime, control, false);
  } else if (value == "mediaplayer") {
    if (Has(xcButton)) Attach(TSkinKind::MediaPlayer, control, false);
  } else if (value == "bitbtn") {
    if (Has(xcButton)) {
      bool menu = key == "tcxbutton=" && GetEnumPropByName(control, "Kind") == "cxbkDropDownButton";
      Attach(menu ? TSkinKind::MenuButton : TSkinKind::BitButton, control, false);
    }
  } else if (value == "pngbitbtn") {
    if (Has(xcButton)) Attach(TSkinKind::PngBitButton, control, false);
  } else if (value == "pngspeedbutton") {
    if (Has(xcButton)) Attach(TSkinKind::PngSpeedButton, control, false);
  } else if (value == "menubtn") {
    if (Has(xcButton)) Attach(TSkinKind::MenuButton, control, false);
  } else if (value == "speedbutton") {
    if (Has(xcSpeedButton)) Attach(TSkinKind::SpeedButton, control, false);
  } else if (value == "tab") {
    if (Has(xcTab) && data_->Tabs && data_->Tabs->HasImage()) Attach(TSkinKind::Tab, control, false);
  } else if (value == "progress") {
    if (Has(xcProgress)) Attach(TSkinKind::Progress, control, false);
  } else if (value == "scrollbar") {
    if (Has(xcScrollbar)) {
      Attach(TSkinKind::Scrollbar, control, false);
      if (win) SkinChildControls(win);
    }
  } else if (value == "singlescrollbar") {
    if (Has(xcScrollbar)) Attach(TSkinKind::SingleScrollbar, control, false);
  } else if (value == "embedscrollbar") {
    if (Has(xcScrollbar) && win)
      for (int i = 0; i < win->ControlCount(); ++i)
        if (NeedsScrollbarSkin(win->Controls(i))) Attach(TSkinKind::Scrollbar, win->Controls(i), false);
  } else if (value == "container") {
    if (win) SkinChildControls(win);
  } else if (value == "groupbox") {
    if (Has(xcGroupBox)) Attach(TSkinKind::GroupBox, control, true);
  } else if (value == "advpagecontrol") {
    if (Has(xcTab)) Attach(TSkinKind::AdvPage, control, true);
  } else if (value == "radiogroup" || value == "checkgroup") {
    const bool radio = value == "radiogroup";
    if (Has(radio ? xcGroupBox : xcPanel) && win) {
      if (Has(xcRadioButton)) {
        const bool rz = className.find("TRZ") != std::string::npos;
        std::vector<TControl*> children;
        for (int i = 0; i < win->ControlCount(); ++i) children.push_back(win->Controls(i));
        for (TControl* c : children) {
          if (rz) Attach(radio ? TSkinKind::ObjImageRadio : TSkinKind::ObjImageCheck, c, true);
          else Attach(radio ? TSkinKind::RadioButton : TSkinKind::CheckBox, c, false);
        }
      }
      if (Has(xcGroupBox)) Attach(TSkinKind::GroupBox, control, true);
    }
  } else if (value == "checkbox") {
    if (Has(xcCheckBox)) Attach(TSkinKind::CheckBox, control, false);
  }
  return true;
}

// --- Bare windows ----------------------------------------------------------------

void TSkinDispatcher::SkinChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND w = GetTopWindow(parent); w; w = GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
  for (HWND w : children)
    if (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) SkinChildWindow(w);
}

void TSkinDispatcher::SkinChildWindow(HWND window) {
  if (!window || list_->FindByHandle(window)) return;
  const std::string cls = LowerCase(GetClassNameString(window));
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (cls == "button") {
    // A button that shows a bitmap keeps it, whatever its type.
    if (style & BS_BITMAP) return;
    // The button type is the low four bits, compared whole.
    switch (style & BS_TYPEMASK) {
      case BS_OWNERDRAW:
      case BS_GROUPBOX:
        return;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
        if (Has(xcCheckBox)) AttachWindow(TSkinKind::CheckBox, window);
        return;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        if (Has(xcRadioButton)) AttachWindow(TSkinKind::RadioButton, window);
        return;
      default:  // push buttons
        if (Has(xcButton)) AttachWindow(TSkinKind::Button, window);
        return;
    }
  }
  if (cls == "combobox") {
    if (Has(xcCombo) && (style & 3) != CBS_SIMPLE) AttachWindow(TSkinKind::ComboBox, window);
    return;
  }
  if (cls == "comboboxex32") {
    HWND child = GetTopWindow(window);
    if (Has(xcCombo) && child) AttachWindow(TSkinKind::ComboBox, child);
    return;
  }
  if (cls == "scrollbar") {
    if (!(style & WS_TABSTOP)) AttachWindow(TSkinKind::Sizer, window);
    return;
  }
  if (cls == "systreeview32") return;
  if (cls == "#32770") {
    if (!(style & WS_TABSTOP)) {
      SkinChildWindows(window);
      AttachWindow(TSkinKind::BoxH, window);
    }
    return;
  }
  if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass") {
    SkinChildWindows(window);
    if (TWinControl* c = TWinControl::FindControl(window)) c->SetColor(data_->Colors[scButtonFace]);
    return;
  }
  if (cls == "tcheckbox") {
    if (Has(xcCheckBox)) AttachWindow(TSkinKind::CheckBox, window);
  } else if (cls == "tcombobox") {
    if (Has(xcCombo)) AttachWindow(TSkinKind::ComboBox, window);
  } else if (cls == "tbutton") {
    if (Has(xcButton)) AttachWindow(TSkinKind::Button, window);
  } else if (cls == "tprogressbar") {
    AttachWindow(TSkinKind::Progress, window);
  } else if (cls == "tsilentpaintpanel") {
    if (TWinControl* c = TWinControl::FindControl(window)) c->SetColor(data_->Colors[scButtonFace]);
  } else if (cls == "systabcontrol32") {
    if (Has(xcTab) && !(style & TCS_OWNERDRAWFIXED)) AttachWindow(TSkinKind::Tab, window);
  } else if (cls == "toolbarwindow32") {
    AttachWindow(TSkinKind::BoxH, window);
  } else if (cls == "edit") {
    if (Has(xcEdit)) AttachWindow(TSkinKind::Edit, window);
  }
}
