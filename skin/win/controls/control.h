#pragma once
// A skinned control: one object per child control takes over its messages
// (a layer over a toolkit control's WindowProc, or a subclass of a bare
// window), lets the previous procedure do the work and paints the face from
// the skin. Families override the virtual operations; the shared paint and
// property routines are here too.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/win/color.h"
#include "toolkit/win/messages.h"
#include "toolkit/win/window_proc_layer.h"
#include "toolkit/win/window_subclass.h"

class TCanvas;
class TControl;
class TBitmap;
class TDataSkinObject;
class TImageList;
class TSkinControl;
class TSkinData;
class TSkinUpDown;

// The skinned controls of one window. The list owns none of them: each
// control object is owned by what it skins (or by the frame for a bare
// window) and leaves the list when it is destroyed.
class TSkinControlList {
public:
  TSkinControlList() = default;
  ~TSkinControlList();
  TSkinControlList(const TSkinControlList&) = delete;
  TSkinControlList& operator=(const TSkinControlList&) = delete;

  // False when the object is listed already.
  bool Add(TSkinControl* control);
  void Remove(TSkinControl* control);
  bool Contains(const TSkinControl* control) const;
  TSkinControl* FindByHandle(HWND window) const;
  TSkinControl* FindByControl(const TControl* control) const;
  // A copy to walk while objects may come and go.
  std::vector<TSkinControl*> Snapshot() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Frees the objects whose window is gone.
  void FreeDead();
  void SkinChanged();

private:
  std::vector<TSkinControl*> items_;
};

class TSkinControl : public TComponent {
  TK_CLASS(TSkinControl)
public:
  enum : BYTE { msHover = 1, msPressed = 2 };
  // Made and not attached yet; attached and skinning; attached and switched
  // off (SM_SKINCONTROL 0, Unskin); its window destroyed while it skinned.
  enum class TSkinState : BYTE { New, On, Off, Destroyed };

  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override;

  virtual void AttachControl(TSkinControlList* list, TSkinData* skinData, bool setColor, TCanvas* canvas);
  virtual void AttachHandle(HWND handle, TSkinData* skinData, TSkinControlList* list, TCanvas* canvas);
  virtual void Unskin();
  // True: the previous procedure runs, then AfterMessage; false: handled here.
  virtual bool BeforeMessage(TMessage& m);
  virtual void AfterMessage(TMessage& m);
  virtual void PaintWindow(HDC dc);
  virtual void PaintSkin(HDC dc, const RECT& r) {}
  virtual void SkinChanged();

  TSkinState State() const { return state_; }
  bool Attached() const { return state_ != TSkinState::New; }
  bool Active() const { return state_ == TSkinState::On; }
  bool Destroyed() const { return state_ == TSkinState::Destroyed; }
  // The window skinned: the toolkit control's (null while it has none), else
  // the bare window attached to.
  HWND Handle() const;
  // The window takes wide messages.
  bool Unicode() const;

  void SkinWndProc(TMessage& m);
  void CallDefault(TMessage& m);
  void Redraw();
  void AdjustParentBackground(bool on);
  TColor GetParentColor(TColor fallback) const;
  void FillSkinColor(HDC dc, const RECT& r) const;
  void FillParentColor(HDC dc, const RECT& r) const;
  void DrawFocus(HDC dc, UINT flags, const RECT& r);
  void ForwardMouseDown(const TMessage& m);
  // GetWindowLong of the window, wide or ANSI as the window is.
  LONG GetStyle(int index) const;
  UINT BiDiFlags(UINT flags) const;
  void PaintViaBeginPaint(TMessage& m);
  // WM_PAINT painted through PaintSkin, WM_ERASEBKGND answered as done (the
  // face covers the window): true when m was one of them.
  bool PaintOwnFace(TMessage& m);
  // Sets or clears msPressed in FMouseState and repaints the window.
  void SetPressed(bool pressed);
  // WM_LBUTTONDOWN and WM_LBUTTONDBLCLK: the window's own handling, then the
  // pressed look. True when m was one of them.
  bool PressAfterDefault(TMessage& m);
  void EraseWithParent(TMessage& m);
  // The skin's ButtonFace colour.
  TColor FaceColor() const;
  // The list it stands in was destroyed first.
  void ListGone() { FControlList = nullptr; }
  // The skin of a spin (up-down) child window of this control (an edit's spin,
  // a tab control's scroll arrows), in FUpDown: owned by this object, made
  // again when the child is a new window; a null child changes nothing.
  void SkinSpinChild(HWND child, bool embedded);
  void Notification(TComponent* component, TOperation operation) override;
  // A windowless control's WindowProc through SkinWndProc, and back.
  void HookControl(TControl* control);
  void UnhookControl();
  bool ControlHooked() const { return layer_.Installed(); }

  BYTE FMouseState = 0;
  TCanvas* FCanvas = nullptr;
  bool FEnabled = false;
  bool FFocused = false;
  std::wstring FCaption;
  TSkinData* FSkinData = nullptr;
  TControl* FControl = nullptr;
  RECT FWindowRect{};
  TControl* FGraphicControl = nullptr;
  bool FSetColor = false;
  // The control's own colour, taken by the first apply that recolours it.
  std::optional<TColor> FOldColor;
  // Painted over the parent's background (Tag 5555 or the skin's xoTransparent).
  bool FTransparent = false;
  TSkinControlList* FControlList = nullptr;
  int FMode = 0;
  bool FParentBgChanged = false;
  TSkinUpDown* FUpDown = nullptr;  // see SkinSpinChild

protected:
  // Takes the owner control, the skin and the list (no hook); false when the
  // owner is no control.
  bool TakeOwnerControl(TSkinControlList* list, TSkinData* skinData, TCanvas* canvas);
  // The window's procedure taken over, its caption read (the object is
  // attached); false when handle is no window or one is taken over already.
  bool TakeOverWindow(HWND handle);
  void MarkAttached() { state_ = TSkinState::On; }
  // FTransparent from the control's Tag and the skin's options.
  void TakeTransparency(const TControl& control);
  // A toolkit control attached before its window existed: the window is made
  // now (first shown or used). Families finish here what needs the window.
  virtual void WindowCreated() {}

private:
  void TakeCreatedWindow();

  TSkinState state_ = TSkinState::New;
  TWindowProcLayer layer_;        // over a toolkit control's WindowProc
  TWindowSubclass subclass_;      // over a bare window's procedure
};

// --- Shared paint routines ----------------------------------------------------

void FillRectColor(HDC dc, const RECT& r, TColor color);
// A one-pixel frame of a solid colour (the brush is made and deleted here).
void FrameRectColor(HDC dc, const RECT& r, TColor color);
// Frame frameIndex (from 1) of obj's horizontal strip, nine-piece, into r;
// nothing for an inverted rectangle, a missing image or frameCount <= 0.
void DrawSkinFrame(HDC dc, const RECT& r, int frameCount, int frameIndex, const TDataSkinObject* obj);
void DrawCaptionText(TSkinControl& ctl, TCanvas& canvas, const RECT& r, UINT alignment, bool enabled,
                     const std::wstring& text);
// Where an image (imageWidth wide, shown when wanted and narrower than r) and
// a caption go side by side in r, aligned 0 left, 1 centred, 2 right.
struct TImageTextLayout {
  bool Image = false;
  POINT ImageAt{};
  RECT Text{};  // clipped to r horizontally
};
TImageTextLayout LayoutImageAndText(HDC dc, const RECT& r, int alignment, const std::wstring& text, int imageWidth,
                                    bool wantImage, UINT flags);
// An image and a caption side by side, aligned 0 left, 1 centred, 2 right
// (tab captions); no image when imageIndex is -1 or it would not fit.
void DrawImageListItem(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                       int imageIndex, TImageList* imageList);
// The same with a system image list (a common control's own).
void DrawImageListItem(TSkinControl& ctl, TCanvas& canvas, const RECT& r, int alignment, const std::wstring& text,
                       int imageIndex, HIMAGELIST imageList);
// Frame index (from 1) of count frames side by side in bitmap, stretched into
// r with magenta left out: onto dc, onto a canvas, or through TransparentBlit.
void DrawStripFrame(HDC dc, const RECT& r, int count, int index, TBitmap& bitmap);
void DrawStripFrameCanvas(TCanvas& canvas, const RECT& r, int count, int index, TBitmap& bitmap);
void DrawStripFrameMasked(HDC dc, const RECT& r, int count, int index, TBitmap& bitmap);
// The shared paint bitmap from its origin into r.
void CopySharedBitmap(HDC dc, const RECT& r);
// dst becomes a copy of src: size, pixel format and pixels.
void CopyBitmap(TBitmap& src, TBitmap& dst);
std::wstring GetWindowTextWide(HWND handle);
// A popup window, or one whose parent is the desktop (a combo box's list).
bool IsPopupWindow(HWND handle);

// --- Properties by name (a missing property gives the empty result) -------------

long long GetOrdPropByName(const TObject* instance, const std::string& name);      // -1 when absent
std::string GetEnumPropByName(const TObject* instance, const std::string& name);   // "" when absent
std::wstring GetTextPropByName(const TObject* instance, const std::string& name);  // L"" when absent
TObject* GetObjectPropByName(const TObject* instance, const std::string& name, const TClassInfo& cls);
void SetPropByName(TObject* instance, const std::string& name, const std::string& text);
