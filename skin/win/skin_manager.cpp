#include "skin/win/skin_manager.h"

#include <algorithm>

#include "skin/win/skin_data.h"
#include "skin/win/skin_form.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_popup_menu.h"
#include "skin/win/skin_text.h"
#include "toolkit/win/application.h"
#include "toolkit/win/timer.h"

namespace {

std::unique_ptr<TSkinManage>& TheManager() {
  static std::unique_ptr<TSkinManage> manager;
  return manager;
}

bool hookPassThrough = false;

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool Contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

TSkinManage* SkinManager() { return TheManager().get(); }

TSkinManage* EnsureSkinManager() {
  if (!TheManager()) TheManager() = std::make_unique<TSkinManage>();
  return TheManager().get();
}

std::string GetClassNameString(HWND window) {
  char name[101] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TSkinManage::TSkinManage() : ActionTimer(std::make_unique<TTimer>(nullptr)) {
  ActionTimer->SetEnabled(false);
  ActionTimer->SetInterval(100);
  ActionTimer->OnTimer = [this](TObject*) { DoAction(); };
  hookPassThrough = false;
}

TSkinManage::~TSkinManage() {
  started_ = 4;
  Enabled = false;
  ActionTimer.reset();
  if (!Forms.empty()) UnskinAllForms();
  FreePopupMenus();
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  hookPassThrough = true;
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::RegisterSkinData(TSkinData* data) {
  if (std::find(SkinDataList.begin(), SkinDataList.end(), data) == SkinDataList.end()) SkinDataList.push_back(data);
  if (!MainSkinData && data->SkinFormtype == TSkinFormType::sfMainform) MainSkinData = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
  SkinDataList.erase(std::remove(SkinDataList.begin(), SkinDataList.end(), data), SkinDataList.end());
  if (MainSkinData == data) MainSkinData = nullptr;
  if (ActionSkinData == data) ActionSkinData = nullptr;
  // No frame may draw with a skin that is gone.
  for (std::size_t i = Forms.size(); i-- > 0;)
    if (i < Forms.size() && Forms[i]->SkinData == data) DetachAndFree(Forms[i]);
  if (SkinDataList.empty()) TheManager().reset();  // last statement: this object is gone
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wp, LPARAM lp) {
  TSkinManage* m = SkinManager();
  HHOOK hook = m ? m->hook_ : nullptr;
  if (!m || hookPassThrough || code < 0) return CallNextHookEx(hook, code, wp, lp);
  HWND window = reinterpret_cast<HWND>(wp);
  switch (code) {
    case HCBT_CREATEWND: {
      const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
      std::string cls = GetClassNameString(window);
      if (cs->style & WS_CHILD) {
        // A size grip made under a skinned frame is skinned at once.
        if (Lower(cls) == "scrollbar" && (cs->style & SBS_SIZEGRIP))
          if (TWinSkinForm* frame = m->FormOfWindow(cs->hwndParent)) frame->SkinChildWindow(window);
      } else if (cls == "#32768") {
        m->SkinPopupMenu(window);
      }
      if (cs->dwExStyle & WS_EX_MDICHILD) m->SkinWindow(window);
      break;
    }
    case HCBT_DESTROYWND:
      m->UnskinPopupMenu(window);
      break;
    case HCBT_ACTIVATE:
      if (m->started_ == 0) m->started_ = 1;
      m->SkinWindow(window);
      break;
    default:
      break;
  }
  // The manager may have gone while a window was handled.
  TSkinManage* now = SkinManager();
  return CallNextHookEx(now ? now->hook_ : nullptr, code, wp, lp);
}

TCustomForm* TSkinManage::FindFormObject(HWND window) const {
  // Only windows that exist: asking a form for its handle would make one here.
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (Screen->Forms(i)->HandleOrNull() == window) return Screen->Forms(i);
  return dynamic_cast<TCustomForm*>(FindControlOfWindow(window));
}

TWinSkinForm* TSkinManage::FormOfWindow(HWND window) const {
  for (TWinSkinForm* f : Forms)
    if (f->FormHandle == window) return f;
  return nullptr;
}

void TSkinManage::RemoveForm(TWinSkinForm* frame) {
  Forms.erase(std::remove(Forms.begin(), Forms.end(), frame), Forms.end());
}

bool TSkinManage::AcceptWindow(HWND window, const std::string& className) const {
  if (!MainSkinData) return true;
  bool accept = true;
  std::string lower = Lower(className);
  if (!(MainSkinData->Options & SetOf(xoPreview)) && Contains(lower, "preview")) accept = false;
  if (className == "#32770" && (GetWindowLongW(window, GWL_STYLE) & 0x200)) accept = false;
  if (lower == "tpopupdbtreeview") accept = false;
  MainSkinData->DoFormSkin(window, className, accept);
  return accept;
}

TSkinData* TSkinManage::FindSkinData(HWND window, const std::string& className) const {
  auto lastOf = [&](auto match) -> TSkinData* {
    for (auto it = SkinDataList.rbegin(); it != SkinDataList.rend(); ++it)
      if (match(**it)) return *it;
    return nullptr;
  };
  if (TSkinData* d = lastOf([&](TSkinData& s) {
        auto* owner = dynamic_cast<TWinControl*>(s.Owner());
        return s.SkinFormtype == TSkinFormType::sfOnlyThisForm && owner && owner->HandleOrNull() == window;
      }))
    return d;
  std::string lower = Lower(className);
  if (lower == "tmessageform" || lower == "#32770")
    if (TSkinData* d = lastOf([](TSkinData& s) { return s.SkinFormtype == TSkinFormType::sfDialog; })) return d;
  if (TSkinData* d = lastOf([](TSkinData& s) { return s.SkinFormtype == TSkinFormType::sfMainform; })) return d;
  return SkinDataList.empty() ? nullptr : SkinDataList.front();
}

bool TSkinManage::SkinWindow(HWND window) {
  if (!Enabled || !IsWindow(window)) return false;
  PurgeDeadForms();
  if (IsWindowSkinned(window) || FormOfWindow(window)) return false;
  TCustomForm* form = FindFormObject(window);
  LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  if (!SkinAll && (style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD) &&
      Lower(GetClassNameString(GetParent(window))) == "mdiclient")
    return false;
  std::string cls = GetClassNameString(window);
  auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  if (!form && module != GetModuleHandleW(nullptr) && cls != "#32770") return false;
  RECT r{};
  GetWindowRect(window, &r);
  if (!(exStyle & WS_EX_MDICHILD) && (r.right - r.left) * (r.bottom - r.top) == 0) return false;
  if (form && form->GetTag() == 99) return false;
  if (Contains(cls, "TcxPopupEditPopupWindow") || Contains(cls, "TTERenderWindow") || cls == "TApplication")
    return false;
  if (!AcceptWindow(window, cls)) return false;
  TSkinData* data = FindSkinData(window, cls);
  if (!data || data->NoSkin) return false;
  auto* frame = new TWinSkinForm(form);
  frame->FormHandle = window;
  frame->WindowClass = cls;
  if (form) frame->AttachForm(data, form);
  else frame->AttachWindow(data);
  Forms.push_back(frame);
  PostMessageW(window, SM_COMPLETESKIN, 0, 1000);
  return true;
}

void TSkinManage::SkinVisibleForm(TCustomForm* form) {
  HWND w = form->HandleOrNull();
  if (!w || !form->GetVisible() || (GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) return;
  SkinWindow(w);
}

void TSkinManage::SkinPopupMenu(HWND window) {
  if (!Enabled || IsPopupMenuSkinned(window) || IsWindowSkinned(window)) return;
  TSkinData* data = FindSkinData(window, "#32768");
  if (!data || data->NoSkin) return;
  const TSkinControlTypes c = data->SkinControls;
  bool allowed = true;
  if (MenuKind == 0) allowed = (c & SetOf(xcPopupMenu)) != 0;
  else if (MenuKind == 1) allowed = (c & (SetOf(xcMainMenu) | SetOf(xcMenuItem))) != 0;
  else if (MenuKind == 2) allowed = (c & SetOf(xcSystemMenu)) != 0;
  if (!allowed) return;
  auto popup = std::make_unique<TWinSkinPopMenu>();
  popup->Attach(window, data, nullptr);
  PopupMenus.push_back(std::move(popup));
}

bool TSkinManage::UnskinPopupMenu(HWND window) {
  auto it = std::find_if(PopupMenus.begin(), PopupMenus.end(),
                         [&](const std::unique_ptr<TWinSkinPopMenu>& p) { return p->MenuWindow == window; });
  if (it == PopupMenus.end()) {
    // A menu that was not skinned closes: the next popup is a context menu again.
    if (PopupMenus.empty() && GetClassNameString(window) == "#32768") MenuKind = 0;
    return false;
  }
  std::unique_ptr<TWinSkinPopMenu> gone = std::move(*it);
  PopupMenus.erase(it);
  gone->Detach();
  if (PopupMenus.empty()) MenuKind = 0;
  return true;
}

bool TSkinManage::IsPopupMenuSkinned(HWND window) const {
  for (const auto& p : PopupMenus)
    if (p->MenuWindow == window) return true;
  return false;
}

void TSkinManage::TagLastMenu(HMENU menu) {
  // A menu drawn again keeps its window; a submenu opened meanwhile waits for its own.
  if (!menu || PopupOfMenu(menu)) return;
  for (auto it = PopupMenus.rbegin(); it != PopupMenus.rend(); ++it) {
    if (!(*it)->Key) {
      (*it)->Key = menu;
      return;
    }
  }
}

TWinSkinPopMenu* TSkinManage::PopupOfMenu(HMENU menu) const {
  if (!menu) return nullptr;
  for (const auto& p : PopupMenus)
    if (p->Key == menu) return p.get();
  return nullptr;
}

void TSkinManage::FreePopupMenus() {
  for (auto& p : PopupMenus) p->Detach();
  PopupMenus.clear();
}

void TSkinManage::SetMDIChildActive(bool maximized) {
  if (maximized == MDIChildMaximized) return;
  MDIChildMaximized = maximized;
  if (MainSkinData && (MainSkinData->Options & SetOf(xoMDIChildBorder))) return;
  for (TWinSkinForm* f : Forms) {
    if (f->FormKind != 2) continue;
    if (maximized) {
      f->ClearRegion();
    } else if (f->WindowState != 2) {
      f->WindowState = 0;
      f->UpdateRegion();
      if (!f->HasRegion) f->FrameChanged();
    }
  }
}

void TSkinManage::SetAction(int action, int interval) {
  PendingAction = action;
  if (ActionTimer) ActionTimer->SetInterval(static_cast<unsigned>(interval));
  if (started_ == 0) {
    if (action == 1) Enabled = true;
    else if (action == 2) Enabled = false;
    return;
  }
  if (ActionTimer) ActionTimer->SetEnabled(true);
}

void TSkinManage::DetachAndFree(TWinSkinForm* frame) {
  RemoveForm(frame);
  frame->Detach();
  frame->RepaintWindow();
  FreeForm(frame);
}

void TSkinManage::DoAction() {
  ActionTimer->SetEnabled(false);
  TSkinData* data = ActionSkinData;
  if (!data) return;
  const int action = PendingAction;
  const bool onlyThis = data->SkinFormtype == TSkinFormType::sfOnlyThisForm;
  auto ofData = [&](TWinSkinForm* f) { return f->SkinData == data; };
  switch (action) {
    case 1:
      Enabled = true;
      SkinAll = true;
      if (!onlyThis) PurgeDeadForms();
      if (Screen)
        for (int i = Screen->FormCount() - 1; i >= 0; --i) {
          TCustomForm* f = Screen->Forms(i);
          if (onlyThis && f != data->Owner()) continue;
          SkinVisibleForm(f);
          if (onlyThis) break;
        }
      SkinAll = false;
      break;
    case 2:
      Enabled = false;
      PurgeDeadForms();
      if (onlyThis) {
        for (std::size_t i = Forms.size(); i-- > 0;)
          if (ofData(Forms[i])) {
            DetachAndFree(Forms[i]);
            break;
          }
      } else {
        while (!Forms.empty()) DetachAndFree(Forms.front());
      }
      break;
    case 3: {
      PurgeDeadForms();
      std::vector<TWinSkinForm*> frames;
      for (TWinSkinForm* f : Forms)
        if (ofData(f)) {
          frames.push_back(f);
          if (onlyThis) break;
        }
      for (TWinSkinForm* f : frames) {
        f->FreeCaptionButtons();
        f->LoadFrameMetrics();
      }
      for (TWinSkinForm* f : frames)
        if (std::find(Forms.begin(), Forms.end(), f) != Forms.end()) f->SkinChanged();
      break;
    }
    case 6:
      FreeDeadForms();
      break;
    default:
      break;
  }
  ActionSkinData = nullptr;
  data->DoSkinChanged();
}

void TSkinManage::RefreshSkinData() {
  for (TWinSkinForm* f : Forms)
    if (f->SkinData == ActionSkinData) f->FreeCaptionButtons();
}

void TSkinManage::PurgeDeadForms() {
  if (started_ == 4) return;
  FreeDeadForms();
}

void TSkinManage::FreeDeadForms() {
  for (std::size_t i = Forms.size(); i-- > 0;) {
    if (i >= Forms.size()) continue;
    TWinSkinForm* f = Forms[i];
    if (f->SkinState != 6) continue;
    Forms.erase(Forms.begin() + static_cast<std::ptrdiff_t>(i));
    FreeForm(f);
  }
}

void TSkinManage::UnskinAllForms() {
  Enabled = false;
  while (!Forms.empty()) {
    TWinSkinForm* f = Forms.back();
    Forms.pop_back();
    f->DetachOnDestroy();
    FreeForm(f);
  }
}

void TSkinManage::FreeForm(TWinSkinForm* frame) {
  if (frame->Dispatching()) frame->FreePending = true;
  else delete frame;
}
