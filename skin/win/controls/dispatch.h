#pragma once
// The dispatcher: decides for every control of a skinned window which skinned
// control takes it over, makes that object and attaches it. Toolkit controls
// are decided by Tag, OnSkinControl, the Skin3rd list and their class; bare
// windows by window class and style.
#include <windows.h>

#include <functional>
#include <string>

class TCanvas;
class TComponent;
class TControl;
class TSkinControl;
class TSkinControlList;
class TSkinData;
class TWinControl;

// The skinned-control families the dispatcher can choose.
enum class TSkinKind {
  Button, BitButton, PngBitButton, MenuButton, SpeedButton, PngSpeedButton, CheckBox, RadioButton, GroupBox,
  Box, BoxH, Scrollbar, SingleScrollbar, ListView, CheckList, Edit, ComboBox, ComboBoxEx, DateTime, TrackBar,
  UpDown, MediaPlayer, Tab, Tab31, AdvPage, Progress, Sizer, ObjImageCheck, ObjImageRadio, ObjImageCx
};
const char* SkinKindName(TSkinKind kind);

// Makes the object of a family.
using TSkinFactory = std::function<TSkinControl*(TSkinKind kind, TComponent* owner)>;
TSkinControl* CreateSkinObject(TSkinKind kind, TComponent* owner);

class TSkinDispatcher {
public:
  // Bare windows' objects are owned by frameOwner; all are listed in list.
  TSkinDispatcher(TSkinData* data, TSkinControlList* list, TCanvas* canvas, TComponent* frameOwner);

  void SkinFormControls(TComponent* form);
  void SkinComponents(TComponent* owner);
  void SkinChildControls(TWinControl* parent);
  void SkinControl(TComponent* control, TComponent* form);
  bool SkinBy3rdList(const std::string& className, TControl* control);
  void PassDisableTag(TControl* control);
  bool IsTabOrderSkipped(TWinControl* control) const;
  bool IsControlSkinned(TControl* control) const;
  void SkinChildWindows(HWND parent);
  void SkinChildWindow(HWND window);

  TSkinFactory Factory = CreateSkinObject;
  // Tells of every object attached (the tests watch the decisions).
  std::function<void(TSkinKind kind, TControl* control, HWND window)> OnAttach;

private:
  bool Has(int element) const;
  void Attach(TSkinKind kind, TControl* control, bool setColor);
  void AttachWindow(TSkinKind kind, HWND window);
  void SkinChain(TControl* control, const std::string& upperName);
  void SkinGroupButtons(TWinControl* group, TSkinKind buttonKind);

  TSkinData* data_;
  TSkinControlList* list_;
  TCanvas* canvas_;
  TComponent* frameOwner_;
};

// A windowed control with a scroll-bar style, or a list box.
bool NeedsScrollbarSkin(TControl* control);
