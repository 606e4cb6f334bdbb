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

  // The filter and attach of one window; true when a frame was attached.
  bool SkinWindow(HWND window);
  void SkinVisibleForm(TCustomForm* form);
  TWinSkinForm* FormOfWindow(HWND window) const;
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

  void SetMDIChildActive(bool maximized);

  // Queued actions: 1 skin, 2 unskin, 3 refresh, 6 free dead frames; run interval ms later.
  void SetAction(int action, int interval);
  void SetActionSkinData(TSkinData* data) { ActionSkinData = data; }
  void DoAction();
  void RefreshSkinData();
  void PurgeDeadForms();
  void FreeDeadForms();
  void UnskinAllForms();
  void SetEnabled(bool enabled) { Enabled = enabled; }
  int Started() const { return started_; }
  void SetStarted(int started) { started_ = started; }

  // Frees a frame now, or once none of its window procedures runs any more.
  static void FreeForm(TWinSkinForm* frame);

  std::unique_ptr<TTimer> ActionTimer;
  std::vector<TWinSkinForm*> Forms;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus;
  std::vector<TSkinData*> SkinDataList;
  bool Enabled = false;
  bool SkinAll = false;
  bool MDIChildMaximized = false;
  HWND MDIClientHandle = nullptr;
  TCustomForm* MDIFormControl = nullptr;
  int PendingAction = 0;
  TSkinData* ActionSkinData = nullptr;
  TSkinData* MainSkinData = nullptr;

private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wp, LPARAM lp);
  void DetachAndFree(TWinSkinForm* frame);
  int started_ = 0;  // 0 until a window was activated or skinned, then 1; 4 while destroyed
  HHOOK hook_ = nullptr;
};

// The one manager, or null when there is none.
TSkinManage* SkinManager();
// Makes the manager if there is none.
TSkinManage* EnsureSkinManager();

// GetClassNameA, at most 100 characters.
std::string GetClassNameString(HWND window);
