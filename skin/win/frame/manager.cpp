#include "skin/win/frame/manager.h"

#include <algorithm>

#include "skin/win/data/skin_data.h"
#include "skin/win/draw/text.h"
#include "skin/win/frame/form.h"
#include "skin/win/menu/popup.h"
#include "skin/win/menu/tracking.h"
#include "skin/win/messages.h"
#include "toolkit/base/sysutils.h"
#include "toolkit/win/application.h"
#include "toolkit/win/timer.h"

namespace {

std::unique_ptr<TSkinManage>& TheManager() {
  static std::unique_ptr<TSkinManage> manager;
  return manager;
}

bool hookPassThrough = false;

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

TSkinManage::TSkinManage() : actionTimer_(std::make_unique<TTimer>(nullptr)) {
  actionTimer_->SetEnabled(false);
  actionTimer_->SetInterval(100);
  actionTimer_->OnTimer = [this](TObject*) { DoAction(); };
  hookPassThrough = false;
}

TSkinManage::~TSkinManage() {
  started_ = 4;
  enabled_ = false;
  actionTimer_.reset();
  if (!forms_.empty()) UnskinAllForms();
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
  if (std::find(skinDataList_.begin(), skinDataList_.end(), data) == skinDataList_.end()) skinDataList_.push_back(data);
  if (!mainSkinData_ && data->SkinFormtype == TSkinFormType::sfMainform) mainSkinData_ = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
  skinDataList_.erase(std::remove(skinDataList_.begin(), skinDataList_.end(), data), skinDataList_.end());
  if (mainSkinData_ == data) mainSkinData_ = nullptr;
  if (actionSkinData_ == data) actionSkinData_ = nullptr;
  // No frame may draw with a skin that is gone.
  for (std::size_t i = forms_.size(); i-- > 0;)
    if (i < forms_.size() && forms_[i]->SkinData() == data) DetachAndFree(forms_[i]);
  if (skinDataList_.empty()) TheManager().reset();  // last statement: this object is gone
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
        if (LowerCase(cls) == "scrollbar" && (cs->style & SBS_SIZEGRIP))
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
  for (TWinSkinForm* f : forms_)
    if (f->Window() == window) return f;
  return nullptr;
}

void TSkinManage::RemoveForm(TWinSkinForm* frame) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), frame), forms_.end());
}

bool TSkinManage::AcceptWindow(HWND window, const std::string& className) const {
  if (!mainSkinData_) return true;
  bool accept = true;
  std::string lower = LowerCase(className);
  if (!(mainSkinData_->Options & SetOf(xoPreview)) && Contains(lower, "preview")) accept = false;
  if (className == "#32770" && (GetWindowLongW(window, GWL_STYLE) & 0x200)) accept = false;
  if (lower == "tpopupdbtreeview") accept = false;
  mainSkinData_->DoFormSkin(window, className, accept);
  return accept;
}

TSkinData* TSkinManage::FindSkinData(HWND window, const std::string& className) const {
  auto lastOf = [&](auto match) -> TSkinData* {
    for (auto it = skinDataList_.rbegin(); it != skinDataList_.rend(); ++it)
      if (match(**it)) return *it;
    return nullptr;
  };
  if (TSkinData* d = lastOf([&](TSkinData& s) {
        auto* owner = dynamic_cast<TWinControl*>(s.Owner());
        return s.SkinFormtype == TSkinFormType::sfOnlyThisForm && owner && owner->HandleOrNull() == window;
      }))
    return d;
  std::string lower = LowerCase(className);
  if (lower == "tmessageform" || lower == "#32770")
    if (TSkinData* d = lastOf([](TSkinData& s) { return s.SkinFormtype == TSkinFormType::sfDialog; })) return d;
  if (TSkinData* d = lastOf([](TSkinData& s) { return s.SkinFormtype == TSkinFormType::sfMainform; })) return d;
  return skinDataList_.empty() ? nullptr : skinDataList_.front();
}

bool TSkinManage::SkinWindow(HWND window, bool skinningAll) {
  if (!enabled_ || !IsWindow(window)) return false;
  PurgeDeadForms();
  if (IsWindowSkinned(window) || FormOfWindow(window)) return false;
  TCustomForm* form = FindFormObject(window);
  LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  if (!skinningAll && (style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD) &&
      LowerCase(GetClassNameString(GetParent(window))) == "mdiclient")
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
  auto* frame = new TWinSkinForm(form, window, cls);
  frame->Attach(data);
  forms_.push_back(frame);
  PostMessageW(window, SM_COMPLETESKIN, 0, 1000);
  return true;
}

void TSkinManage::SkinVisibleForm(TCustomForm* form) {
  HWND w = form->HandleOrNull();
  if (!w || !form->GetVisible() || (GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) return;
  SkinWindow(w, true);
}

void TSkinManage::SkinPopupMenu(HWND window) {
  if (!enabled_ || IsPopupMenuSkinned(window) || IsWindowSkinned(window)) return;
  TSkinData* data = FindSkinData(window, "#32768");
  if (!data || data->NoSkin) return;
  const TSkinControlTypes c = data->SkinControls;
  bool allowed = true;
  switch (MenuTracking().NextPopupKind()) {
    case TMenuKind::Context: allowed = (c & SetOf(xcPopupMenu)) != 0; break;
    case TMenuKind::BarPullDown: allowed = (c & (SetOf(xcMainMenu) | SetOf(xcMenuItem))) != 0; break;
    case TMenuKind::SystemMenu: allowed = (c & SetOf(xcSystemMenu)) != 0; break;
  }
  if (!allowed) return;
  auto popup = std::make_unique<TWinSkinPopMenu>();
  popup->Attach(window, data, nullptr);
  popupMenus_.push_back(std::move(popup));
}

bool TSkinManage::UnskinPopupMenu(HWND window) {
  auto it = std::find_if(popupMenus_.begin(), popupMenus_.end(),
                         [&](const std::unique_ptr<TWinSkinPopMenu>& p) { return p->Window() == window; });
  if (it == popupMenus_.end()) {
    // A menu that was not skinned closes: the next popup is a context menu again.
    if (popupMenus_.empty() && GetClassNameString(window) == "#32768") MenuTracking().PopupWindowsGone();
    return false;
  }
  std::unique_ptr<TWinSkinPopMenu> gone = std::move(*it);
  popupMenus_.erase(it);
  gone->Detach();
  if (popupMenus_.empty()) MenuTracking().PopupWindowsGone();
  return true;
}

bool TSkinManage::IsPopupMenuSkinned(HWND window) const {
  for (const auto& p : popupMenus_)
    if (p->Window() == window) return true;
  return false;
}

void TSkinManage::TagLastMenu(HMENU menu) {
  // A menu drawn again keeps its window; a submenu opened meanwhile waits for its own.
  if (!menu || PopupOfMenu(menu)) return;
  for (auto it = popupMenus_.rbegin(); it != popupMenus_.rend(); ++it) {
    if (!(*it)->Menu()) {
      (*it)->TagMenu(menu);
      return;
    }
  }
}

TWinSkinPopMenu* TSkinManage::PopupOfMenu(HMENU menu) const {
  if (!menu) return nullptr;
  for (const auto& p : popupMenus_)
    if (p->Menu() == menu) return p.get();
  return nullptr;
}

void TSkinManage::FreePopupMenus() {
  for (auto& p : popupMenus_) p->Detach();
  popupMenus_.clear();
}

void TSkinManage::SetMDIChildActive(bool maximized) {
  if (maximized == mdiChildMaximized_) return;
  mdiChildMaximized_ = maximized;
  if (mainSkinData_ && (mainSkinData_->Options & SetOf(xoMDIChildBorder))) return;
  for (TWinSkinForm* f : forms_) {
    if (maximized) f->MDIChildrenMaximized();
    else f->MDIChildrenRestored();
  }
}

void TSkinManage::SetMDIClient(HWND client, TCustomForm* frameForm) {
  mdiClient_ = client;
  mdiFrameForm_ = frameForm;
}

void TSkinManage::ForgetMDIClient(HWND client) {
  if (mdiClient_ != client) return;
  mdiClient_ = nullptr;
  mdiFrameForm_ = nullptr;
}

void TSkinManage::SetAction(int action, int interval) {
  pendingAction_ = action;
  if (actionTimer_) actionTimer_->SetInterval(static_cast<unsigned>(interval));
  if (started_ == 0) {
    if (action == 1) enabled_ = true;
    else if (action == 2) enabled_ = false;
    return;
  }
  if (actionTimer_) actionTimer_->SetEnabled(true);
}

bool TSkinManage::ActionQueued() const { return actionTimer_ && actionTimer_->GetEnabled(); }

void TSkinManage::DetachAndFree(TWinSkinForm* frame) {
  RemoveForm(frame);
  frame->Detach();
  frame->RepaintWindow();
  frame->DeleteWhenIdle();
}

void TSkinManage::DoAction() {
  actionTimer_->SetEnabled(false);
  TSkinData* data = actionSkinData_;
  if (!data) return;
  const int action = pendingAction_;
  const bool onlyThis = data->SkinFormtype == TSkinFormType::sfOnlyThisForm;
  auto ofData = [&](TWinSkinForm* f) { return f->SkinData() == data; };
  switch (action) {
    case 1:
      enabled_ = true;
      if (!onlyThis) PurgeDeadForms();
      if (Screen)
        for (int i = Screen->FormCount() - 1; i >= 0; --i) {
          TCustomForm* f = Screen->Forms(i);
          if (onlyThis && f != data->Owner()) continue;
          SkinVisibleForm(f);
          if (onlyThis) break;
        }
      break;
    case 2:
      enabled_ = false;
      PurgeDeadForms();
      if (onlyThis) {
        for (std::size_t i = forms_.size(); i-- > 0;)
          if (ofData(forms_[i])) {
            DetachAndFree(forms_[i]);
            break;
          }
      } else {
        while (!forms_.empty()) DetachAndFree(forms_.front());
      }
      break;
    case 3: {
      PurgeDeadForms();
      std::vector<TWinSkinForm*> frames;
      for (TWinSkinForm* f : forms_)
        if (ofData(f)) {
          frames.push_back(f);
          if (onlyThis) break;
        }
      for (TWinSkinForm* f : frames) {
        f->FreeCaptionButtons();
        f->LoadFrameMetrics();
      }
      for (TWinSkinForm* f : frames)
        if (std::find(forms_.begin(), forms_.end(), f) != forms_.end()) f->SkinChanged();
      break;
    }
    case 6:
      FreeDeadForms();
      break;
    default:
      break;
  }
  actionSkinData_ = nullptr;
  data->DoSkinChanged();
}

void TSkinManage::RefreshSkinData() {
  for (TWinSkinForm* f : forms_)
    if (f->SkinData() == actionSkinData_) f->FreeCaptionButtons();
}

void TSkinManage::PurgeDeadForms() {
  if (started_ == 4) return;
  FreeDeadForms();
}

void TSkinManage::FreeDeadForms() {
  for (std::size_t i = forms_.size(); i-- > 0;) {
    if (i >= forms_.size()) continue;
    TWinSkinForm* f = forms_[i];
    if (!f->WindowGone()) continue;
    forms_.erase(forms_.begin() + static_cast<std::ptrdiff_t>(i));
    f->DeleteWhenIdle();
  }
}

void TSkinManage::UnskinAllForms() {
  enabled_ = false;
  while (!forms_.empty()) {
    TWinSkinForm* f = forms_.back();
    forms_.pop_back();
    f->DetachOnDestroy();
    f->DeleteWhenIdle();
  }
}
