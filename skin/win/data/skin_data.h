#pragma once
// The skin data component: one stored skin container, the switches that say
// what is skinned, and the skin objects every skinned window reads.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/win/data/objects.h"
#include "toolkit/base/component.h"
#include "toolkit/base/streams.h"

class TControl;
class THintWindow;
class TImageList;
class TQuickIni;
class TSkinReader;

enum TSkinControlType {
  xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
  xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab,
  xcTrackBar, xcSystemMenu, xcFastReport
};
enum TSkinOption {
  xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
  xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar
};
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Sets of the enumerations above, one bit per value.
using TSkinControlTypes = unsigned;
using TSkinOptions = unsigned;
constexpr unsigned SetOf(int value) { return 1u << value; }

using TOnFormSkin = std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinControl = std::function<void(TComponent* Sender, class TSkinData* SkinData, TControl* Form,
                                          TControl* Control, const std::string& ControlClass,
                                          TComponent*& SkinnedControl)>;
using TOnSkinForm = std::function<void(TObject* Sender, HWND ahwnd, const std::string& aName)>;

// Indexes of the colour table.
enum TSkinColorIndex {
  scWindowText = 0, scTitleTextActive = 1, scTitleTextNoActive = 2, scButtonFace = 3, scButtonText = 4,
  scButtonHilight = 5, scButtonlight = 6, scButtonShadow = 7, scButtonDkShadow = 8, scHilightText = 11,
  scHilight = 12, scMenubar = 13, scMenuBarText = 14, scMenuText = 15, scMenu = 16, scTitleColor = 17,
  scScrollbar = 18
};
constexpr int SkinColorCount = 19;

class TSkinData : public TComponent {
  TK_CLASS(TSkinData)
public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;

  // --- Published properties ---
  bool GetActive() const { return active_; }
  void SetActive(bool value);
  int GetDisableTag() const { return DisableTag; }
  void SetDisableTag(int v) { DisableTag = v; }
  TSkinControlTypes GetSkinControls() const { return SkinControls; }
  void SetSkinControls(TSkinControlTypes v) { SkinControls = v; }
  TSkinOptions GetOptions() const { return Options; }
  void SetOptions(TSkinOptions v) { Options = v; }
  std::vector<std::string> GetSkin3rd() const { return Skin3rd; }
  void SetSkin3rd(const std::vector<std::string>& v) { Skin3rd = v; }
  const std::string& GetSkinFile() const { return skinFile_; }
  void SetSkinFile(const std::string& name);
  std::string GetSkinStore() const { return "(none)"; }
  void SetSkinStore(const std::string&) {}
  TSkinFormType GetSkinFormtype() const { return SkinFormtype; }
  void SetSkinFormtype(TSkinFormType v) { SkinFormtype = v; }
  std::string GetVersion() const { return "5.60.03.29"; }
  void SetVersion(const std::string&) {}
  bool GetMenuUpdate() const { return MenuUpdate; }
  void SetMenuUpdate(bool v) { MenuUpdate = v; }
  bool GetMenuMerge() const { return MenuMerge; }
  void SetMenuMerge(bool v) { MenuMerge = v; }
  // The stored container: int32 size, then that many bytes. Reading one runs
  // LoadSkin at once; a size of 0 or less keeps the stored skin; a size the
  // data does not hold is reported and changes nothing.
  std::vector<std::uint8_t> WriteSkinStream() const;
  void ReadSkinStream(const std::vector<std::uint8_t>& bytes);

  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm, OnAfterSkinForm;

  int DisableTag = 99;
  TSkinControlTypes SkinControls;
  TSkinOptions Options = SetOf(xoPreview) | SetOf(xoToolbarBK) | SetOf(xoCaptionButtonHint);
  std::vector<std::string> Skin3rd;
  TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
  bool MenuUpdate = true, MenuMerge = false;

  // --- Loading ---
  // Decodes SkinStreamData and applies its description. False (NoSkin stays
  // true, the user told once) for a container that cannot be used.
  bool LoadSkin();
  // Fills the skin objects from a description whose images come from reader.
  void ApplySkin(const TSkinReader& reader, const TQuickIni& ini);
  void Refresh();
  void Loaded() override;
  void LoadAppIcon();
  void DoFormSkin(HWND window, const std::string& className, bool& doSkin);
  void DoSkinChanged();
  // The caption-button hint at rect's top-left corner, its text broken into
  // lines of at most kHintMaxWidth pixels.
  static constexpr int kHintMaxWidth = 500;
  void ShowHint(const RECT& rect, const std::string& text);
  void HideHint();

  TMemoryStream SkinStreamData;
  bool NoSkin = true;
  // Skinned frames paint their non-client area at WM_NCPAINT only while this is true.
  bool FramePaintEnabled = true;
  // Entries of the last applied skin whose images could not be read.
  std::vector<std::string> BadImages;

  // --- Skin objects (null when the skin lacks them) ---
  std::array<std::unique_ptr<TDataSkinBorder>, 4> Borders;  // Left, Right, Top, Bottom
  std::unique_ptr<TDataSkinButton> Buttons;
  std::unique_ptr<TDataSkinTitle> Title;
  std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;
  std::unique_ptr<TDataSkinBorder> Progress, Tabs, ComboButton, UpDownHorz, UpDownVert;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> ProgressChunk, MenuBar, GroupBoxEdge, StatusBarEdges, TabPane, ToolBars, SunkEdge,
      ExtraImages, Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll, HorzScrollThumb,
      VertScrollThumb, TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight,
      TrackbarThumbUp, TrackbarThumbDown, Track, TrackVert;
  // Made by the engine and kept across applies.
  std::unique_ptr<TDataSkinObject> ComboxArrow, Toolbar;

  std::array<TColor, SkinColorCount> Colors{};
  std::array<bool, SkinColorCount> ColorGiven{};
  std::vector<TColor> SectionColors;
  std::array<TColor, 10> CustomColors{};
  HBRUSH FaceBrush = nullptr;

  std::unique_ptr<TBitmap> AppIcon;
  std::unique_ptr<TImageList> MenuImages;
  std::unique_ptr<THintWindow> HintWindow;
  bool HintShown = false;

private:
  struct TApply;
  void ReportProblem(const std::string& text) const;
  // Loads and applies SkinFile; false when there is no such file.
  bool LoadSkinFile();
  void FreeRoles();
  bool active_ = false;
  std::string skinFile_;
  bool fileWaits_ = false;  // SkinFile was read with the definition
};

// Lets form definitions create skin data by class name; forms that carry
// one call it before reading their definition.
void RegisterSkinClasses();

// The lines ClassName=kind of other component sets' controls and the kind of
// skinned control they get.
const std::vector<std::string>& DefaultSkin3rd();
