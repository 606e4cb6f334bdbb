#pragma once
// A skinned frame: attached by the skin manager to one window (a toolkit form,
// a system dialog box or another top-level window of the program), it takes
// over the window's procedure (and the form's WindowProc), draws the whole
// non-client area from the skin, cuts the window to the border images, and
// gives everything back in reverse order on detach.
//
// Its state is its own: the manager, the menu bar and the caption buttons
// change it only through the operations below.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/win/controls/control.h"
#include "skin/win/frame/nc_object.h"
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
class TSkinDispatcher;
class TTimer;
class TWinSkinMenu;

// Where a frame is in its life.
enum class TFrameStage {
  Attached,          // the window is taken over; completion (SM_COMPLETESKIN) is to come
  Skinned,           // complete: the frame draws
  Reapplying,        // the skin changed and is applied again
  Resizing,          // the window is resized to the skin's frame
  WindowDestroying,  // the window handles WM_NCDESTROY
  WindowGone,        // the window is destroyed: the manager frees the frame
};

enum class TFormKind { Plain, MDIFrame, MDIChild };
enum class TBorderKind { Sizable, Single, None, Dialog };
enum class TShowState { Normal, Maximized, Minimized };

// What the window is, read from its class and style at attach and when its style changes.
struct TWindowTraits {
  // Border icons.
  enum : int { MaximizeBox = 1, MinimizeBox = 2, HelpBox = 4, SystemMenu = 8, OwnTaskButton = 16 };
  TFormKind Kind = TFormKind::Plain;
  TBorderKind Border = TBorderKind::Sizable;
  int Icons = 0;
  LONG Style = 0;
  bool RightToLeft = false, Sizable = false, Unicode = false, Dialog = false, Child = false;
  bool Has(int icon) const { return (Icons & icon) != 0; }
};

// The skin's borders around the window and the menu strip under the caption (pixels).
struct TFrameMetrics {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int MenuBar = 0;  // the strip's height; 0 without
};

class TWinSkinForm : public TComponent {
  TK_CLASS(TWinSkinForm)
public:
  // The frame of window (of class className); a toolkit form over the window owns it.
  TWinSkinForm(TCustomForm* form, HWND window, std::string className);
  ~TWinSkinForm() override;

  // --- Life (the manager) ---
  // Takes the window over with data's skin; SM_COMPLETESKIN completes it.
  void Attach(TSkinData* data);
  // Gives everything back: the window gets its own frame and size again.
  void Detach();
  // The same while the window is being destroyed: nothing is resized.
  void DetachOnDestroy();
  void RepaintWindow();
  // Frame sizes and caption buttons read from the skin again.
  void LoadFrameMetrics();
  void FreeCaptionButtons();
  // The skin changed: colours, menus, size and controls follow it.
  void SkinChanged();
  // Gives one child window, made after the frame, its skinned-control object.
  void SkinChildWindow(HWND window);
  // The program's MDI children were maximised (an MDI child's frame gives up
  // its shape) or restored (it forgets its maximised state and takes its shape again).
  void MDIChildrenMaximized();
  void MDIChildrenRestored();
  // Deletes the frame now, or when the outermost of its window procedures returns.
  void DeleteWhenIdle();

  // --- What others read ---
  bool Attached() const { return subclass_.Attached(); }
  HWND Window() const { return window_; }
  TCustomForm* Form() const { return form_; }
  TSkinData* SkinData() const { return data_; }
  bool Skinned() const { return stage_ == TFrameStage::Skinned; }
  bool WindowGone() const { return stage_ == TFrameStage::WindowGone; }
  bool Active() const { return active_; }
  const TWindowTraits& Traits() const { return traits_; }
  const TFrameMetrics& Metrics() const { return metrics_; }
  HWND MDIClient() const { return mdiClient_; }
  bool MDIClientHooked() const { return mdiSubclass_.Attached(); }
  // The skinned menu bar (it keeps its own state), or null.
  TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
  const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return captionButtons_; }
  TNCObject* HotObject() const { return hot_; }
  const TSkinControlList& Controls() const { return controls_; }
  bool FrameTimerRunning() const;
  // Window coordinates of a screen point.
  POINT ScreenToFrame(int x, int y) const;
  // The visible caption button at a window point, or null.
  TNCObject* NCObjectAtPoint(POINT p) const;
  // The enabled visible bar button with key as its access key; null without a bar.
  TMenuBtn* FindMenuAccel(unsigned key) const;

  // --- The caption buttons and the menu bar ---
  // o becomes the hot object, the one before it is left; false when o is not visible.
  bool TakeHot(TNCObject* o);
  // o is hot no more.
  void LoseHot(const TNCObject* o);
  // The bar frees its buttons: a hot one is forgotten.
  void DropHotMenuButton();
  void PaintCaptionButton(TWinSysButton& button, int frameIndex);
  // Left edge (window coordinates) of the leftmost visible MDI button on the
  // menu bar of a window W wide; INT_MAX when none is shown.
  int MDIButtonsLeft(int W);
  // The MDI buttons of a maximised active MDI child onto the bar's strip (drawn at barRect).
  void PaintMDIButtons(TBitmap& strip, const RECT& barRect);

  // --- Painting (its parts are benchmarked one by one) ---
  // The whole frame into dc, or into the window's DC when dc is null.
  void PaintFrame(HDC dc);
  void PaintCaption(HDC dc);
  // The menu strip under the caption of a window W wide.
  void PaintMenuBar(HDC dc, int W);
  // Border piece index (1 left, 2 right, 3 top, 4 bottom) at rect.
  void PaintBorderPiece(int index, const RECT& rect, HDC dc);
  // Drops the kept pieces and caption bands: the next paint renders them anew.
  void ForgetPaintCache();
  void UpdateRegion();
  // The next UpdateRegion cuts the region again, even at the same size.
  void ForgetRegionSize() { region_.Size = SIZE{}; }

  // --- Commands ---
  void ToggleMaximize();
  // The skinned copy of the system menu, made anew; null for a window without one.
  TPopupMenu* BuildSysPopupMenu();

private:
  // --- Attach, completion and detach (form.cpp) ---
  void AttachForm(TSkinData* data);
  void AttachFrame(TSkinData* data);
  void Complete();
  void NotifySkinned();
  void ReadStyle();
  TShowState ReadShowState() const;
  void CalcClientMargins();
  void FindMDIClient();
  void ResizeToSkinFrame(bool useClientRect);
  bool DialogFitsCaption(int& width);
  void FrameChanged();
  void DetachControlsOnly();
  // Timer, hint, form hook, window procedure and colour: false when not attached.
  bool DetachProcedures();
  void Unsubclass();
  void RestoreFormHook();
  void WMNCCalcSize(TMessage& m);

  // --- Window procedures (form_proc.cpp) ---
  void WndProc(TMessage& m);
  void FormWindowProc(TMessage& m);
  LRESULT CallDefaultProc(TMessage& m);
  void WMStyleChanged(TMessage& m);
  void Enter() { ++depth_; }
  void Leave();

  // --- The MDI client of an MDI frame (form_mdi.cpp) ---
  void HookMDIClient();
  void UnhookMDIClient();
  void MDIClientWndProc(TMessage& m);
  bool IsMDIChildMaximized() const;

  // --- Painting and region (form_paint.cpp) ---
  HDC FrameDC(HDC given, bool& release);
  void PaintCaptionText(TCanvas& canvas, const RECT& rect, const std::wstring& text);
  void LayoutCaptionButtons();
  // Top-left corner (window coordinates) of a caption button w x h in a window W wide.
  POINT CaptionButtonOrigin(const TDataSkinSysButton& b, int w, int h, int W) const;
  void PaintCaptionButtons(TBitmap& band);
  bool IsCaptionButtonVisible(int index);
  // Border piece index rendered at w x h in the current look, kept until its
  // size or look changes; null without image. The piece is the bitmap's
  // top-left w x h (the bitmap may be bigger).
  TBitmap* RenderedBorderPiece(int index, int w, int h);
  void ClearRegion();
  void SetStyle(LONG style);
  void SetSysMenuStyle(bool remove);
  // The window's text (wide, or the ANSI text converted from GBK).
  std::wstring WindowTextWide() const;

  // --- Non-client input (form_input.cpp) ---
  void GetIconBitmap();
  void DrawWindowIcon(HDC dc, const RECT& rect);
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
  void CaptionButtonClick(int x, int y);
  void ShowSysPopupMenu(POINT p);
  void ToggleMinimize();
  void RestoreWindow();
  void MDIChildCommand(WPARAM command);
  // The frame timer runs while the caption is active; it rests while nothing
  // on the frame is hot (its ticks would do nothing) and wakes when something is.
  void TimerTick();
  void SetFrameTimer(bool on);
  void WakeFrameTimer();
  void ResetCaptionHint();
  static std::string CaptionButtonHintText(int action);

  // --- The menu bar (menu/track.cpp) ---
  // Opens the button's pull-down (and the neighbours the user moves to); false when it has none.
  bool PopupMenuButton(TMenuBtn* button);
  // Posts a press on the button, which opens its pull-down.
  void ClickMenuButton(TMenuBtn* button);
  void HandleMenuClickAt(TMessage& m);
  void DialogChar(TMessage& m);
  void WMMenuSelect(TMessage& m);

  // --- Owner-drawn menus (menu/owner.cpp) ---
  void SkinPopupMenus(TComponent* owner, bool on);
  void SkinMainMenus(TComponent* owner, bool on);
  // The form's popup menus (and main menu items with xcMenuItem) drawn by the skin, or given back.
  void SkinFormMenus(bool on);
  // Ends a pull-down or system popup of this frame that is open.
  void CloseOpenMenus();
  void WMMeasureItem(TMessage& m);
  void WMDrawItem(TMessage& m);

  // --- Skinned controls (form_controls.cpp) ---
  TSkinDispatcher Dispatcher();
  // Gives every control of the window its skinned-control object.
  void SkinControls();
  // Switches the objects off (unless the window is going) and frees them.
  void ReleaseSkinControls(bool unskin);
  // A control re-created its window: its scroll-bar skin is made again.
  void RecreateScrollbarSkin(HWND window);

  // --- The window ---
  HWND window_;
  TCustomForm* form_;
  std::string className_;
  TSkinData* data_ = nullptr;
  TFrameStage stage_ = TFrameStage::Attached;
  bool drawsFrame_ = false;  // the skin draws the non-client area (xcMainMenu); else controls only
  TWindowTraits traits_;
  TShowState showState_ = TShowState::Normal;
  bool active_ = true;
  TColor savedColor_ = 0;  // the form's colour before the skin's
  // The window's own non-client size (before the skin) and the client area kept through resizes.
  struct TOwnFrame {
    int NCWidth = 0, NCHeight = 0;
    RECT Client{};
  } ownFrame_;
  TFrameMetrics metrics_;

  // --- Caption, icon and region ---
  struct TCaptionState {
    HFONT Font = nullptr;  // the system's caption font (owned)
    SIZE WindowSize{};     // the window's size at the last paint
    RECT Title{};          // where the title was drawn (window coordinates)
    std::unique_ptr<TBitmap> ButtonScratch;  // one caption button composed over the band
  } caption_;
  struct TWindowIcon {
    HICON Handle = nullptr;  // the window's icon, or the program's
    HICON Small = nullptr;   // a small copy of it (owned)
    int SmallSize = 16;
    std::unique_ptr<TBitmap> Bitmap;  // the small icon over the key colour
  } icon_;
  // A region given to SetWindowRgn is the system's: it is never deleted here.
  struct TRegionState {
    bool Set = false;
    SIZE Size{};  // the window's size it was cut for
  } region_;

  // --- Caption buttons, hover and hints ---
  std::vector<std::unique_ptr<TWinSysButton>> captionButtons_;
  TNCObject* hot_ = nullptr;
  TNCObject* pressedObject_ = nullptr;
  std::unique_ptr<TTimer> frameTimer_;
  bool frameTimerResting_ = false;
  int hintTime_ = 0;

  // --- Menus ---
  HMENU menuHandle_ = nullptr;  // the window's menu at attach
  std::unique_ptr<TWinSkinMenu> menuBar_;
  struct TSystemMenu {
    HMENU Menu = nullptr;  // the window's system menu
    std::unique_ptr<TPopupMenu> Popup;  // its skinned copy
    DWORD LastShown = 0, DoubleClickTime = 0;  // a second request within the time closes the window
  } systemMenu_;

  // --- MDI ---
  HWND mdiClient_ = nullptr;
  bool savedMenuUpdate_ = true;  // the skin data's MenuUpdate when the client was hooked

  // --- Skinned controls ---
  TSkinControlList controls_;
  std::unique_ptr<TCanvas> controlCanvas_;

  // --- Procedures ---
  TWindowSubclass subclass_;
  TWindowSubclass mdiSubclass_;
  TWindowProcLayer formLayer_;
  std::shared_ptr<bool> alive_;
  bool writingStyle_ = false;
  bool appSysMenu_ = false;  // the window's own WS_SYSMENU (removed while the skin draws the caption)
  int depth_ = 0;
  bool freePending_ = false;  // freed while dispatching: freed when the outermost dispatch ends

  // --- Kept paints ---
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
    TShowState ShowState = TShowState::Normal;
    TBorderKind BorderKind = TBorderKind::Sizable;
    int BorderIcons = 0;
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
};
