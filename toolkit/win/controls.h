#pragma once
// Controls: TControl (any visible element), TGraphicControl (windowless, painted
// by its parent), TWinControl (owns a window, made on demand).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/component.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/color.h"
#include "toolkit/win/font.h"
#include "toolkit/win/messages.h"
#include "toolkit/win/window_proc_layer.h"

class TWinControl;
class TCustomForm;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;  // a set of TShiftFlag
TShiftState KeyboardShiftState();
// The shift state of a mouse message's key flags (MK_SHIFT, MK_LBUTTON...), Alt from the keyboard.
TShiftState KeysToShiftState(WPARAM keys);
// The caption (GBK) marks `key` as its access key: "&" before it, any letter case.
bool IsAccel(unsigned key, const std::string& caption);

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TImeMode { imDisable, imClose, imOpen, imDontCare };

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
  TK_CLASS(TControl)
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Message handling: WindowProc is replaceable; it starts as WndProc. Layers
  // that may come off in any order go on with TWindowProcLayer.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  virtual void WndProc(TMessage& m);
  virtual void DefaultHandler(TMessage& m) {}

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int w, int h) { SetBounds(left_, top_, w, h); }
  RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Showing() const;  // visible, and every parent too
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor c);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* GetFont() const { return font_.get(); }
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  // Caption and Text name the same string.
  virtual std::string GetText() const { return text_; }
  virtual void SetText(const std::string& text);
  std::string GetCaption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign a);
  bool GetAutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool v);

  virtual void Invalidate();
  virtual void Update() {}
  void Repaint() { Invalidate(); Update(); }
  void Refresh() { Repaint(); }
  virtual void Click();
  // Fires OnMouseDown; also for a press that a replaced WindowProc took for itself.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void BringToFront();

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter, OnMouseLeave;

protected:
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void BoundsChanged() {}
  virtual void AdjustAutoSize() {}
  void MouseMessage(TMessage& m);  // mouse events from a window or from the parent
  // Repaints part of the parent (windowless controls), in parent coordinates.
  void InvalidateArea(const RECT& r);
  // Keeps a property that only changes the look and repaints.
  template <class T, class V>
  void SetAndInvalidate(T& field, V&& value) {
    field = std::forward<V>(value);
    Invalidate();
  }

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string text_;

private:
  TWinControl* parent_ = nullptr;
  bool visible_ = true, enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false, parentFont_ = true;
  std::unique_ptr<TFont> font_;
  std::string hint_;
  bool showHint_ = false;
  TAlign align_ = TAlign::alNone;
  bool autoSize_ = false;
  bool mouseDown_ = false;
  friend class TWinControl;
};

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
  TK_CLASS(TGraphicControl)
public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  TCanvas& Canvas() { return canvas_; }
  // Draws the control at (0, 0) of `canvas` (the parent sets the origin and clip).
  virtual void Paint() {}
  void PaintTo(HDC dc);
  void Invalidate() override;
  // WM_PAINT from the parent carries its DC (origin and clip set) in WParam.
  void WndProc(TMessage& m) override;
  void Update() override;

protected:
  TCanvas canvas_;
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0, ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::wstring WinClassName;  // our class name (the control's class name)
  std::wstring BaseClassName; // a system class to build on ("EDIT"), empty for our own
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  TK_CLASS(TWinControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Made on demand, with the parents' windows; a parent's window brings along
  // the windows of its shown children, a hidden child's comes when it is first
  // shown or first used.
  HWND Handle();
  HWND HandleOrNull() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // The style and extended style the window is (or would be) made with,
  // without making it.
  DWORD CreationStyle();
  DWORD CreationExStyle();
  void DestroyHandle();
  // Sends CM_RECREATEWND while the old window still exists; its default
  // handling destroys the window and makes a new one.
  void RecreateWnd();
  // The control whose window this is (checked), or null.
  static TWinControl* FindControl(HWND wnd);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(static_cast<std::size_t>(i)); }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;  // windowless children only

  int GetTabOrder() const;
  void SetTabOrder(int order);
  // Every windowed control inside this one, nested ones included, in tab order
  // (each control followed by those inside it); appended to `list`.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();  // quiet when hidden or disabled
  TImeMode GetImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode m) { imeMode_ = m; }
  const std::string& GetImeName() const { return imeName_; }
  void SetImeName(const std::string& n) { imeName_ = n; }

  std::string GetText() const override;
  void SetText(const std::string& text) override;
  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void Invalidate() override;
  void Update() override;

  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  // Draws the windowless children into `dc` (the window's own DC coordinates).
  void PaintControls(HDC dc, TControl* first = nullptr);
  HBRUSH BackgroundBrush();
  void Realign();
  // The part of the client area that aligned children fill.
  virtual RECT AlignRect();

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

  // Key handling; true when the key was swallowed (set to 0).
  virtual bool DoKeyDown(WORD& key, TShiftState shift);
  virtual bool DoKeyUp(WORD& key, TShiftState shift);
  virtual bool DoKeyPress(char& key);

protected:
  // For a control that keeps the arrow keys: answers CM_WANTSPECIALKEY (true
  // when m was it).
  static bool KeepArrowKeys(TMessage& m);
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // After the window exists: fonts, colours and state the window must be told.
  virtual void InitializeWindow() {}
  virtual void PaintWindow(HDC dc);
  // Reflected messages (CN_*) from the parent; default: nothing handled.
  virtual void ReflectedMessage(TMessage& m);
  bool IsOwnClass() const { return baseWndProc_ == nullptr; }
  // Whether anything hears this control's CM_MOUSEENTER / CM_MOUSELEAVE (its
  // windowless children apart); only then is leaving it tracked throughout.
  virtual bool HearsMouseLeave() const { return true; }
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void AdjustWindowBounds();
  // The window's own, unsubclassed procedure (DefWindowProc for our own classes).
  LRESULT CallDefault(TMessage& m);

  std::vector<TControl*> controls_;   // every child, windowed or not, in z-order
  std::vector<TWinControl*> tabList_;

private:
  void MainWndProc(TMessage& m);
  void RecreateWindowNow();
  void PlaceInTabOrder();
  void WMPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void KeyMessage(TMessage& m);
  bool ReflectToChild(TMessage& m);
  void MouseToGraphicChild(TMessage& m);
  void TrackHover(TMessage& m);
  // The windowless child under the pointer hears CM_MOUSEENTER / CM_MOUSELEAVE.
  void SetMouseControl(TControl* c);
  static LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND handle_ = nullptr;
  WNDPROC objectInstance_ = nullptr;
  WNDPROC baseWndProc_ = nullptr;
  HBRUSH brush_ = nullptr;
  bool tabStop_ = false;
  bool hovering_ = false;
  bool keyDownSeen_ = false;
  bool realigning_ = false;
  bool makingChildren_ = false;
  TImeMode imeMode_ = TImeMode::imDontCare;
  std::string imeName_;
  TControl* captureControl_ = nullptr;
  TControl* mouseControl_ = nullptr;
  friend class TApplication;
  friend class TControl;
  friend class TCustomForm;
};

// The form that holds a control (null when it is not on one).
TCustomForm* GetParentForm(TControl* control);
// Closes the input method of a window that takes the focus (ImeMode imClose).
void SetCloseImeOnFocus(HWND wnd);
