#pragma once
// Forms: top-level windows built from their form definitions.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/base/method_table.h"
#include "toolkit/win/controls.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TMainMenu;

class TCustomForm : public TWinControl {
  TK_CLASS(TCustomForm)
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Runs OnCreate; called by whoever creates the form, once it is fully built
  // (see CreateFormObject).
  virtual void AfterConstruction();

  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle s);
  TBorderIcons GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState s);
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }
  bool IsModal() const { return modal_; }
  // The main menu that is the window's menu bar; null when there is none.
  TMainMenu* Menu() const;
  void SetMenu(TMainMenu* menu);

  void SetClientSize(int w, int h) override;
  // Before the window exists: the window's size less the frame its style gives.
  int ClientWidth() const override;
  int ClientHeight() const override;
  void Show();
  TModalResult ShowModal();
  void Close();
  // Destroys the form once the current message has been handled.
  void Release();
  void BringToForeground();
  void Centre(HWND relativeTo);

  // Finds an owned component by name and checks its class (binding of fields).
  template <class T>
  void Bind(T*& field, const char* name) {
    field = dynamic_cast<T*>(FindComponent(name));
    if (!field) throw Exception(ClassName() + ": component " + name + " is missing or of another class");
  }

  // Streams the form's definition (resource named after the class) into this form.
  void ReadDefinition();

  void FocusChanged(TWinControl* c);
  void SelectNext(TWinControl* current, bool forward);
  void WndProc(TMessage& m) override;

  TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnActivate, OnDeactivate, OnPaint, OnResize;
  TCloseEvent OnClose;
  std::function<void(TObject*, bool& canClose)> OnCloseQuery;

protected:
  void CreateParams(TCreateParams& p) override;
  // Only the form's own events hear it; no skin does.
  bool HearsMouseLeave() const override { return OnMouseEnter || OnMouseLeave; }
  void InitializeWindow() override;
  void PaintWindow(HDC dc) override;
  void VisibleChanged() override;

private:
  RECT FrameAround(int w, int h) const;
  void UpdateWindowStyle();
  void CollectTabStops(std::vector<TWinControl*>& out) const;
  bool DialogKey(WORD key);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = TPosition::poDesigned;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool keyPreview_ = false;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool created_ = false;
  bool positioned_ = false;
};

class TForm : public TCustomForm {
  TK_CLASS(TForm)
public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// new T(owner), then AfterConstruction (OnCreate runs there).
template <class T>
T* CreateFormObject(TComponent* owner) {
  T* f = new T(owner);
  try {
    f->AfterConstruction();
  } catch (...) {
    delete f;
    throw;
  }
  return f;
}

// The forms that exist, in creation order.
class TScreen {
public:
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int i) const { return forms_.at(static_cast<std::size_t>(i)); }
  TCustomForm* ActiveForm() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The system's menu font, read when first asked for.
  TFont* MenuFont();
  void AddForm(TCustomForm* f) { forms_.push_back(f); }
  void RemoveForm(TCustomForm* f);

private:
  std::vector<TCustomForm*> forms_;
  std::unique_ptr<TFont> menuFont_;
};

extern TScreen* Screen;
