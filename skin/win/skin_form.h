#pragma once
// A skinned frame: attached by the skin manager to one window (a toolkit form,
// a system dialog box or another top-level window of the program), it takes
// over the window's procedure (and the form's WindowProc), draws the whole
// non-client area from the skin, cuts the window to the border images, and
// gives everything back in reverse order on detach.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/win/skin_control.h"
#include "skin/win/skin_nc_object.h"
#include "toolkit/base/component.h"
#include "toolkit/win/color.h"
#include "toolkit/win/messages.h"
#include "toolkit/win/window_proc_layer.h"
#include "toolkit/win/window_subclass.h"

class TBitmap;
class TCanvas;
class TCustomForm;
class TMenuBtn;
class TPopupMenu;
class TSkinData;
class TTimer;
class TWinSkinMenu;

class TWinSkinForm : public TComponent {
  TK_CLASS(TWinSkinForm)
public:
  explicit TWinSkinForm(TComponent* owner);
  ~TWinSkinForm() override;

  // --- Attach and detach ---
  void AttachForm(TSkinData* data, TCustomForm* form);
  void AttachWindow(TSkinData* data) { Attach(data); }
  void Attach(TSkinData* data);
  void Detach();
  void DetachOnDestroy();
  void DetachControlsOnly();
  void RepaintWindow();
  void SkinChanged();
  bool Attached() const { return subclass_.Attached(); }

  // --- Sizes and state ---
  void LoadFrameMetrics();
  void FreeCaptionButtons();
  void ResizeToSkinFrame(bool useClientRect);
  void FrameChanged();
  int ReadWindowState() const;
  void CalcClientMargins();
  void FindMDIClient();

  // --- The MDI client of an MDI frame ---
  void HookMDIClient();
  void UnhookMDIClient();
  void MDIClientWndProc(TMessage& m);
  bool MDIClientHooked() const { return mdiSubclass_.Attached(); }
  bool SavedMenuUpdate = true;  // the skin data's MenuUpdate when the frame was attached

  // --- Painting and region ---
  void PaintFrame(HDC dc);
  void PaintCaption(HDC dc);
  void PaintCaptionText(TCanvas& canvas, const RECT& rect);
  void PaintCaptionText(TCanvas& canvas, const RECT& rect, const std::wstring& text);
  void LayoutCaptionButtons();
  // Top-left corner (window coordinates) of a caption button w x h in a window W wide.
  POINT CaptionButtonOrigin(const TDataSkinSysButton& b, int w, int h, int W) const;
  // Left edge (window coordinates) of the leftmost visible MDI button on the
  // menu bar of a window W wide; INT_MAX when none is shown.
  int MDIButtonsLeft(int W);
  void PaintCaptionButtons(TBitmap& band);
  void PaintCaptionButton(TWinSysButton& button, int frameIndex);
  bool IsCaptionButtonVisible(int index);
  bool IsMDIChildMaximized() const;
  void PaintBorderPiece(int index, const RECT& rect, HDC dc);
  // Border piece index (1 left, 2 right, 3 top, 4 bottom) rendered at w x h in
  // the current look, kept until its size or look changes; null without image.
  // The piece is the bitmap's top-left w x h (the bitmap may be bigger).
  TBitmap* RenderedBorderPiece(int index, int w, int h);
  // Drops the kept pieces and caption bands: the next paint renders them anew.
  void ForgetPaintCache();
  void UpdateRegion();
  void ClearRegion();
  void SetSysMenuStyle(bool remove);
  void GetIconBitmap();
  // The window's text (wide, or the ANSI text converted from GBK).
  std::wstring WindowTextWide() const;
  void DrawWindowIcon(HDC dc, const RECT& rect);

  // --- Non-client input ---
  POINT ScreenToFrame(int x, int y) const;
  TNCObject* NCObjectAtPoint(POINT p) const;
  void ShowSysPopupMenu(POINT p);
  void CaptionButtonClick(int x, int y);
  void ToggleMaximize();
  void ToggleMinimize();
  void RestoreWindow();
  void MDIChildCommand(WPARAM command);
  void TimerTick();
  // The frame timer runs while the caption is active; it rests while nothing
  // on the frame is hot (its ticks would do nothing) and wakes when something is.
  void SetFrameTimer(bool on);
  void WakeFrameTimer();
  static std::string CaptionButtonHintText(int action);

  // --- Menu bar (skin_menu_track.cpp) ---
  // Opens the button's pull-down (and the neighbours the user moves to); false
  // when it has none.
  bool PopupMenuButton(TMenuBtn* button);
  // Posts a press on the button, which opens its pull-down.
  void ClickMenuButton(TMenuBtn* button);
  void HandleMenuClickAt(TMessage& m);
  // The enabled visible bar button with key as its access key; null without a bar.
  TMenuBtn* FindMenuAccel(unsigned key) const;
  void EndMenuTracking();
  // Closes this frame's open pull-down, if any, and opens no other.
  void CancelMenuTracking();
  void DialogChar(TMessage& m);
  void WMMenuSelect(TMessage& m);
  HMENU OpenBarPopup = nullptr;  // the pull-down being tracked

  // --- Owner-drawn menus (skin_menu_owner.cpp) ---
  void BuildSysPopupMenu();
  void SkinPopupMenus(TComponent* owner, bool on);
  void SkinMainMenus(TComponent* owner, bool on);
  // The form's popup menus (and main menu items with xcMenuItem) drawn by the skin, or given back.
  void SkinFormMenus(bool on);
  // Ends a pull-down or system popup of this frame that is open.
  void CloseOpenMenus();
  void WMMeasureItem(TMessage& m);
  void WMDrawItem(TMessage& m);
  std::unique_ptr<TPopupMenu> SysPopupMenu;
  bool SysMenuOpen = false;  // the skinned system popup is being tracked

  // --- State other parts read ---
  HWND FormHandle = nullptr;
  TCustomForm* FormControl = nullptr;
  TSkinData* SkinData = nullptr;
  std::string WindowClass;
  int SkinState = 0;  // 0 attached, 1 skinned, 3 re-applying, 4 being destroyed, 5 resizing, 6 dead
  bool SkinFrame = false;
  int FormKind = 0;    // 0 plain, 1 MDI frame, 2 MDI child
  int BorderKind = 0;  // 0 sizable, 1 single, 2 none, 3 dialog
  int BorderIconBits = 0;  // 1 maximize, 2 minimize, 4 help, 8 system menu, 16 own task-bar button
  int WindowState = 0;     // 0 normal, 1 maximised, 2 minimised
  BYTE NCActive = 1;
  bool RightToLeft = false, Sizable = false, IsUnicode = false, IsDialog = false, IsChildWindow = false;
  LONG Style = 0;
  int FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0, MenuBarHeight = 0;
  int OrigNCWidth = 0, OrigNCHeight = 0;
  RECT SavedClientRect{}, WindowRect{}, TitleRect{};
  SIZE WindowSize{}, RegionSize{};
  int RightButtonsExtent = 0;
  std::wstring CaptionPrefix = L"  ", CaptionSuffix = L" ", CaptionText;
  int CaptionWidth = 0;
  std::string WndClassName;
  HWND OwnerWindow = nullptr, MDIClient = nullptr;
  HMENU MenuHandle = nullptr, SystemMenu = nullptr;
  HICON IconHandle = nullptr;
  HICON SmallIcon = nullptr;  // a small copy of IconHandle (owned)
  int SmallIconSize = 16;
  DWORD LastSysMenuTick = 0, DoubleClickTime = 0;
  std::vector<std::unique_ptr<TWinSysButton>> SysButtons;
  TNCObject* HotObject = nullptr;
  bool InMenuLoop = false;
  bool HasRegion = false;
  HRGN Region = nullptr;  // owned by the window once set; never deleted here
  HFONT SysCaptionFont = nullptr;  // the system's caption font (owned)
  std::unique_ptr<TBitmap> IconBitmap, CaptionBitmap;
  std::unique_ptr<TTimer> FrameTimer;
  std::unique_ptr<TWinSkinMenu> SkinMenuBar;
  TColor SavedColor = 0;

  // --- Skinned controls ---
  // Gives every control of the window its skinned-control object.
  void SkinControls();
  // Gives one child window, made after the frame, its object.
  void SkinChildWindow(HWND window);
  // Switches the objects off (unless the window is going) and frees them.
  void ReleaseSkinControls(bool unskin);
  // A control re-created its window: its scroll-bar skin is made again.
  void RecreateScrollbarSkin(HWND window);
  TSkinControlList SkinControlList;
  std::unique_ptr<TCanvas> ControlCanvas;

  // Window procedures (dispatch of messages).
  void WndProc(TMessage& m);
  void FormWindowProc(TMessage& m);
  LRESULT CallDefaultProc(TMessage& m);
  // True while one of this frame's window procedures runs.
  bool Dispatching() const { return depth_ > 0; }
  // Freed by the manager while dispatching: freed when the outermost dispatch ends.
  bool FreePending = false;

private:
  void Complete();
  void NotifySkinned();
  void ReadStyle();
  void RestoreSize();
  void Unsubclass();
  // Timer, hint, form hook, window procedure and colour: false when not attached.
  bool DetachProcedures();
  void RestoreFormHook();
  void SetStyle(LONG style);
  void Enter() { ++depth_; }
  void Leave();
  HDC FrameDC(HDC given, bool& release);

  // Handlers (non-client input, sizes, commands).
  void WMNCCalcSize(TMessage& m);
  void WMNCHitTest(TMessage& m);
  void WMNCActivate(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMSize(TMessage& m);
  void WMNCMouseMove(TMessage& m);
  void WMNCLButtonDown(TMessage& m);
  void WMNCLButtonUp(TMessage& m);
  void WMNCLButtonDblClk(TMessage& m);
  void WMNCRButtonDown(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMCommand(TMessage& m);
  void WMSysCommand(TMessage& m);
  void WMStyleChanged(TMessage& m);
  void ResetCaptionHint();
  bool DialogFitsCaption(int& width);

  // Rendered border pieces (Left, Right, Top, Bottom) and the composed caption
  // band of the last paint, kept while their size, state and text stay the same.
  struct TPieceKey {
    int Width = 0, Height = 0, Frame = 0;
  };
  // One of each for the active and the inactive look.
  std::unique_ptr<TBitmap> pieces_[4][2];
  TPieceKey pieceKeys_[4][2];
  std::unique_ptr<TBitmap> captionCache_[2];
  SIZE captionSize_[2]{};  // the composed band's size in its bitmap
  // Every input of the caption band's layout and look: a kept band is shown
  // again only while its key compares equal, field by field.
  struct TCaptionKey {
    std::wstring Text;
    int Width = 0, Height = 0, FrameLeft = 0, FrameRight = 0, FrameTop = 0;
    int WindowState = 0, BorderKind = 0, BorderIconBits = 0;
    bool Active = false, Popup = false, RightToLeft = false, Dialog = false;
    HICON Icon = nullptr;
    // Per caption button: shown and enabled (the application's answers included).
    std::vector<std::pair<bool, bool>> Buttons;
    bool operator==(const TCaptionKey& other) const;
  };
  TCaptionKey captionKey_[2];
  bool captionKept_[2]{};
  // The key of the band as it would be painted now (the buttons' states as last laid out).
  TCaptionKey CaptionKeyNow(const std::wstring& text) const;
  void ComposeCaption(const std::wstring& text);

  TWindowSubclass subclass_;
  TWindowSubclass mdiSubclass_;
  TWindowProcLayer formLayer_;
  std::shared_ptr<bool> alive_;
  bool writingStyle_ = false;
  bool appSysMenu_ = false;  // the window's own WS_SYSMENU (removed while the skin draws the caption)
  TNCObject* pressedObject_ = nullptr;
  int hintTime_ = 0;
  bool frameTimerResting_ = false;
  int depth_ = 0;
};
