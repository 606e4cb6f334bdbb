#pragma once
// The skin manager: a window-creation hook of the user-interface thread picks
// up every top-level window of the program, filters it and gives it a skinned
// frame; queued actions (skin all, unskin all, refresh) run from a timer.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TComponent;
class TCustomForm;
class TSkinData;
class TTimer;
class TWinSkinForm;
class TWinSkinPopMenu;

class TSkinManage {
public:
  TSkinManage();
  ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  void InstallHook();
  void RegisterSkinData(TSkinData* data);
  // Frames drawn with data are detached and freed; the last data frees the manager.
  void UnregisterSkinData(TSkinData* data);

  // The filter and attach of one window; true when a frame was attached. While
  // all windows are skinned (the queued action) a plain child of an MDI client counts too.
  bool SkinWindow(HWND window, bool skinningAll = false);
  TWinSkinForm* FormOfWindow(HWND window) const;
  const std::vector<TWinSkinForm*>& Forms() const { return forms_; }
  // Forgets a frame (its destructor calls this).
  void RemoveForm(TWinSkinForm* frame);
  TCustomForm* FindFormObject(HWND window) const;
  TSkinData* FindSkinData(HWND window, const std::string& className) const;
  bool AcceptWindow(HWND window, const std::string& className) const;

  // Popup-menu windows ("#32768") wear the skin through their own objects.
  void SkinPopupMenu(HWND window);
  bool UnskinPopupMenu(HWND window);
  bool IsPopupMenuSkinned(HWND window) const;
  // The newest untagged popup window shows menu; the popup that shows menu (null when none).
  void TagLastMenu(HMENU menu);
  TWinSkinPopMenu* PopupOfMenu(HMENU menu) const;
  void FreePopupMenus();
  const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupMenus() const { return popupMenus_; }

  // The program's MDI children were maximised or restored: every frame follows.
  void SetMDIChildActive(bool maximized);
  bool MDIChildMaximized() const { return mdiChildMaximized_; }
  // The MDI client of the program's MDI frame (and the frame's form): set by
  // the frame that hooks it, forgotten when that frame lets go of it.
  void SetMDIClient(HWND client, TCustomForm* frameForm);
  void ForgetMDIClient(HWND client);
  HWND MDIClient() const { return mdiClient_; }
  TCustomForm* MDIFrameForm() const { return mdiFrameForm_; }

  // Queued actions: 1 skin, 2 unskin, 3 refresh, 6 free dead frames; run interval ms later.
  void SetAction(int action, int interval);
  void SetActionSkinData(TSkinData* data) { actionSkinData_ = data; }
  void DoAction();
  bool ActionQueued() const;
  void RefreshSkinData();
  void PurgeDeadForms();
  void FreeDeadForms();
  void UnskinAllForms();
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  int Started() const { return started_; }
  void SetStarted(int started) { started_ = started; }
  // The first registered skin data of the main form, or null.
  TSkinData* MainSkinData() const { return mainSkinData_; }

private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wp, LPARAM lp);
  void SkinVisibleForm(TCustomForm* form);
  void DetachAndFree(TWinSkinForm* frame);

  std::unique_ptr<TTimer> actionTimer_;
  std::vector<TWinSkinForm*> forms_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popupMenus_;
  std::vector<TSkinData*> skinDataList_;
  bool enabled_ = false;
  bool mdiChildMaximized_ = false;
  HWND mdiClient_ = nullptr;
  TCustomForm* mdiFrameForm_ = nullptr;
  int pendingAction_ = 0;
  TSkinData* actionSkinData_ = nullptr;
  TSkinData* mainSkinData_ = nullptr;
  int started_ = 0;  // 0 until a window was activated or skinned, then 1; 4 while destroyed
  HHOOK hook_ = nullptr;
};

// The one manager, or null when there is none.
TSkinManage* SkinManager();
// Makes the manager if there is none.
TSkinManage* EnsureSkinManager();

// GetClassNameA, at most 100 characters.
std::string GetClassNameString(HWND window);
