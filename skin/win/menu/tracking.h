#pragma once
// Which menu of the program is open, kept in one place: the bar pull-down a
// frame tracks (with the message-filter hook that runs while it is open and
// the bar button to open next), the skinned system popup, and the kind of the
// next popup-menu window. Frames report what they open and close; the manager
// and the frames ask.
#include <windows.h>

class TMenuBtn;
class TWinSkinForm;

// What a popup-menu window shows; the skin allows each kind by its own option.
enum class TMenuKind { Context, BarPullDown, SystemMenu };

class TMenuTracking {
public:
  TMenuTracking() = default;
  TMenuTracking(const TMenuTracking&) = delete;
  TMenuTracking& operator=(const TMenuTracking&) = delete;

  // --- A bar pull-down (one at a time) ---
  // frame opens the pull-down menu of its bar button index: the hook watches the loop.
  void BarPullDownOpened(TWinSkinForm* frame, int index, HMENU menu);
  // TrackPopupMenu returned: the hook goes; the bar button to open next, -1 none.
  int BarPullDownClosed();
  // Closes frame's open pull-down, if any, and opens no other.
  void CancelBarPullDown(const TWinSkinForm* frame);
  // WM_MENUSELECT of frame's open pull-down (sent to the owner, never through the hook).
  void MenuSelected(const TWinSkinForm* frame, UINT flags, HMENU menu);
  // The frame whose pull-down is open, or null; its bar button (-1 none).
  TWinSkinForm* BarFrame() const { return barFrame_; }
  int TrackedIndex() const { return trackedIndex_; }
  // The pull-down frame has open, or null.
  HMENU OpenPullDown(const TWinSkinForm* frame) const { return frame && frame == barFrame_ ? barMenu_ : nullptr; }
  // True while frame's pull-down loop runs (it ends with Alt or a close before TrackPopupMenu returns).
  bool InMenuLoop(const TWinSkinForm* frame) const { return frame && frame == barFrame_ && inLoop_; }
  bool HookInstalled() const { return hook_ != nullptr; }

  // --- The skinned system popup ---
  void SystemPopupOpened(TWinSkinForm* frame);
  void SystemPopupClosed();
  bool SystemPopupOpen(const TWinSkinForm* frame) const { return frame && frame == systemFrame_; }

  // --- The kind of the next popup-menu window ---
  // A frame's window initialises a popup (WM_INITMENUPOPUP): its system menu or another.
  void MenuInitialised(bool systemMenu) { kind_ = systemMenu ? TMenuKind::SystemMenu : TMenuKind::BarPullDown; }
  // No skinned popup-menu window is left: the next one is a context menu.
  void PopupWindowsGone() { kind_ = TMenuKind::Context; }
  TMenuKind NextPopupKind() const { return kind_; }

  // A frame goes: nothing of it is tracked any more.
  void FrameGone(const TWinSkinForm* frame);

private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wp, LPARAM lp);
  // The hook's work on one message of the open pull-down's loop; true when eaten.
  bool FilterMenuMessage(MSG& msg);
  // The bar button after (next) or before the tracked one, wrapping; null without a bar.
  TMenuBtn* Neighbour(bool next) const;
  void InstallHook();
  void RemoveHook();

  HHOOK hook_ = nullptr;
  TWinSkinForm* barFrame_ = nullptr;  // the frame whose pull-down is open
  HMENU barMenu_ = nullptr;           // that pull-down
  int trackedIndex_ = -1;             // its bar button; -1 none
  int nextIndex_ = -1;                // the button to open once the open pull-down has closed
  bool inLoop_ = false;
  bool selected_ = false;             // an item of the open pull-down is highlighted:
  HMENU selectedMenu_ = nullptr;      //   the menu it belongs to
  bool selectedHasPopup_ = false;     //   and whether it opens a submenu
  POINT lastMousePos_{};
  bool firstKeyPosted_ = false;
  bool switchingMenu_ = false;
  TWinSkinForm* systemFrame_ = nullptr;  // the frame whose skinned system popup is open
  TMenuKind kind_ = TMenuKind::Context;
};

// The program's one tracking state.
TMenuTracking& MenuTracking();
