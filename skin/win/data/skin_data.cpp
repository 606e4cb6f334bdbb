#include "skin/win/data/skin_data.h"

#include <cstring>

#include "skin/portable/quick_ini.h"
#include "skin/portable/skin_reader.h"
#include "skin/win/frame/manager.h"
#include "skin/win/user32.h"
#include "toolkit/base/file_io.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"
#include "toolkit/win/hint_window.h"
#include "toolkit/win/image_list.h"
#include "toolkit/win/message_box.h"

const std::vector<std::string>& DefaultSkin3rd() {
  static const std::vector<std::string> lines = {
    "TCategoryButtons=scrollbar", "TPngSpeedbutton=pngspeedbutton", "TPngBitBtn=pngbitbtn",
    "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar", "TTBXDockablePanel=Panel",
    "TAdvPanelGroup=scrollbar", "TComboboxex=combobox", "TRxSpeedButton=speedbutton", "THTMLViewer=scrollbar",
    "TDBCtrlGrid=scrollbar", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton", "TControlBar=Panel",
    "TTBDock=Panel", "TTBToolbar=Panel", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
    "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox",
    "TcxDBDateEdit=combobox", "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox",
    "TcxDBBlobEdit=combobox", "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox",
    "TcxDBShellComboBox=combobox", "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TRzGroup=panel",
    "TRzButton=button", "TRzBitbtn=bitbtn", "TRzMenuButton=menubtn", "TRzCheckGroup=CheckGroup",
    "TRzRadioGroup=Radiogroup", "TRzButtonEdit=Edit", "TRzDBRadioGroup=Radiogroup",
    "TRzDBRadioButton=Radiobutton", "TRzDateTimeEdit=combobox", "TRzColorEdit=combobox",
    "TRzDateTimePicker=combobox", "TRzDBDateTimeEdit=combobox", "TRzDbColorEdit=combobox",
    "TRzDBDateTimePicker=combobox", "TLMDButton=bitbtn", "TLMDGroupBox=Groupbox", "TDBCheckboxEh=Checkbox",
    "TDBCheckboxEh=Checkbox", "TLMDCHECKBOX=Checkbox", "TLMDDBCHECKBOX=Checkbox",
    "TLMDRadiobutton=Radiobutton", "TLMDCalculator=panel", "TLMDGROUPBOX=Panel", "TLMDSIMPLEPANEL=Panel",
    "TLMDDBCalendar=Panel", "TLMDButtonPanel=Panel", "TLMDLMDCalculator=Panel", "TLMDHeaderPanel=Panel",
    "TLMDTechnicalLine=Panel", "TLMDLMDClock=Panel", "TLMDTrackbar=panel", "TLMDListCombobox=combobox",
    "TLMDCheckListCombobox=combobox", "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox",
    "TLMDColorCombobox=combobox", "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox",
    "TLMDFontSizeCombobox=combobox", "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox",
    "TLMDCalculatorComboBox=combobox", "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox",
    "TLMDTreeComboBox=combobox", "TLMDRADIOGROUP=radiogroup", "TLMDCheckGroup=CheckGroup",
    "TLMDDBRADIOGROUP=radiogroup", "TLMDDBCheckGroup=CheckGroup", "TLMDCalculatorEdit=edit", "TLMDEDIT=Edit",
    "TLMDMASKEDIT=Edit", "TLMDBROWSEEDIT=Edit", "TLMDEXTSPINEDIT=Edit", "TLMDCALENDAREDIT=Edit",
    "TLMDFILEOPENEDIT=Edit", "TLMDFILESAVEEDIT=Edit", "TLMDCOLOREDIT=Edit", "TLMDDBEDIT=Edit",
    "TLMDDBMASKEDIT=Edit", "TLMDDBEXTSPINEDIT=Edit", "TLMDDBSPINEDIT=Edit", "TLMDDBEDITDBLookup=Edit",
    "TLMDEDITDBLookup=Edit", "TDBLookupCombobox=Combobox", "TWWDBCombobox=Combobox",
    "TWWDBLookupCombo=Combobox", "TWWDBCombobox=Combobox", "TWWKeyCombo=Combobox", "TWWTempKeyCombo=combobox",
    "TWWDBDateTimePicker=Combobox", "TWWRADIOGROUP=radiogroup", "TWWDBEDIT=Edit", "TcxButton=bitbtn",
    "TcxDBRadioGroup=radiogroup", "TcxRadioGroup=radiogroup", "TcxGroupbox=groupbox", "TOVCPICTUREFIELD=Edit",
    "TOVCDBPICTUREFIELD=Edit", "TOVCSLIDEREDIT=Edit", "TOVCDBSLIDEREDIT=Edit", "TOVCSIMPLEFIELD=Edit",
    "TOVCDBSIMPLEFIELD=Edit", "TO32DBFLEXEDIT=Edit", "TOVCNUMERICFIELD=Edit", "TOVCDBNUMERICFIELD=Edit"
  };
  return lines;
}

const TClassInfo& TSkinData::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSkinData>("TSkinData", &TComponent::StaticClass())
          .Creatable()
          .Prop("Active", &TSkinData::GetActive, &TSkinData::SetActive)
          .Prop("DisableTag", &TSkinData::GetDisableTag, &TSkinData::SetDisableTag)
          .Set("SkinControls", &TSkinData::GetSkinControls, &TSkinData::SetSkinControls,
               {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
                "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton",
                "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu",
                "xcFastReport"})
          .Set("Options", &TSkinData::GetOptions, &TSkinData::SetOptions,
               {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
                "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
                "xoCaptionButtonHint", "xoFormScrollbar"})
          .Strings("Skin3rd", &TSkinData::GetSkin3rd, &TSkinData::SetSkin3rd)
          .Prop("SkinFile", &TSkinData::GetSkinFile, &TSkinData::SetSkinFile)
          .Prop("SkinStore", &TSkinData::GetSkinStore, &TSkinData::SetSkinStore)
          .Enum("SkinFormtype", &TSkinData::GetSkinFormtype, &TSkinData::SetSkinFormtype,
                {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"})
          .Prop("Version", &TSkinData::GetVersion, &TSkinData::SetVersion)
          .Prop("MenuUpdate", &TSkinData::GetMenuUpdate, &TSkinData::SetMenuUpdate)
          .Prop("MenuMerge", &TSkinData::GetMenuMerge, &TSkinData::SetMenuMerge)
          .Binary("SkinStream", &TSkinData::WriteSkinStream, &TSkinData::ReadSkinStream)
          .Event("OnFormSkin", &TSkinData::OnFormSkin)
          .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
          .Event("OnSkinControl", &TSkinData::OnSkinControl)
          .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
          .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
          .Build();
  return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      SkinControls(~(SetOf(xcMenuItem) | SetOf(xcFastReport)) & (SetOf(xcFastReport + 1) - 1)),
      Skin3rd(DefaultSkin3rd()),
      Buttons(std::make_unique<TDataSkinButton>()),
      Title(std::make_unique<TDataSkinTitle>()),
      AppIcon(std::make_unique<TBitmap>()),
      MenuImages(std::make_unique<TImageList>(nullptr)),
      HintWindow(std::make_unique<THintWindow>(nullptr)) {
  static const char* const borderNames[4] = {"Left", "Right", "Top", "Bottom"};
  for (int i = 0; i < 4; ++i) {
    Borders[i] = std::make_unique<TDataSkinBorder>();
    Borders[i]->Name = borderNames[i];
  }
  Buttons->Name = "Buttons";
  Title->Name = "Title";
  AppIcon->SetPixelFormat(TPixelFormat::pf24bit);
  // Four 16 x 16 glyphs of the caption menu, black on white.
  TBitmap glyphs;
  try {
    glyphs.LoadFromResourceName(GetModuleHandleW(nullptr), "VELLORAMENU");
    MenuImages->AddMasked(glyphs, clWhite);
  } catch (const EInvalidGraphic&) {
    // A program built without its bitmaps draws caption menus without glyphs.
  }
}

TSkinData::~TSkinData() {
  BeginDestroy();
  if (TSkinManage* manager = SkinManager()) manager->UnregisterSkinData(this);
  if (HintWindow) HintWindow->ReleaseHint();
  if (FaceBrush) DeleteObject(FaceBrush);
}

void TSkinData::ReportProblem(const std::string& text) const { ShowMessageBox(text, "错误", MB_OK | MB_ICONERROR); }

std::vector<std::uint8_t> TSkinData::WriteSkinStream() const {
  auto& data = const_cast<TMemoryStream&>(SkinStreamData);
  std::int32_t size = static_cast<std::int32_t>(data.Size());
  std::vector<std::uint8_t> out(4 + static_cast<std::size_t>(size));
  std::memcpy(out.data(), &size, 4);
  if (size > 0) std::memcpy(out.data() + 4, data.Memory(), static_cast<std::size_t>(size));
  return out;
}

void TSkinData::ReadSkinStream(const std::vector<std::uint8_t>& bytes) {
  std::int32_t size = 0;
  if (bytes.size() < 4) {
    ReportProblem("皮肤数据不完整，程序将以系统样式显示。");
    return;
  }
  std::memcpy(&size, bytes.data(), 4);
  if (size <= 0) return;
  if (static_cast<std::uint64_t>(size) > bytes.size() - 4) {
    ReportProblem("皮肤数据不完整，程序将以系统样式显示。");
    return;
  }
  SkinStreamData.Clear();
  SkinStreamData.Write(bytes.data() + 4, size);
  SkinStreamData.SetPosition(0);
  LoadSkin();
}

void TSkinData::SetSkinFile(const std::string& name) {
  skinFile_ = name;
  // While the definition is read, Loaded takes the file up (a stored skin read with it wins).
  fileWaits_ = IsLoading();
  if (fileWaits_) return;
  NoSkin = true;
  if (LoadSkinFile()) Refresh();
}

bool TSkinData::LoadSkinFile() {
  TBytes bytes;
  if (skinFile_.empty() || !ReadFileBytes(skinFile_, bytes)) return false;
  SkinStreamData.Clear();
  if (!bytes.empty()) SkinStreamData.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  SkinStreamData.SetPosition(0);
  LoadSkin();
  return true;
}

bool TSkinData::LoadSkin() {
  NoSkin = true;
  bool told = false;
  auto tell = [&](const std::string& text) {
    if (!told) ReportProblem(text);
    told = true;
  };
  try {
    TSkinReader reader;
    reader.OnReport = tell;
    SkinStreamData.SetPosition(0);
    if (!reader.Load(SkinStreamData)) return false;
    TMemoryStream entry;
    std::string name;
    TQuickIni ini;
    reader.FindEntry(".ini", entry, name);
    entry.SetPosition(0);
    ini.LoadFromStream(entry);
    ApplySkin(reader, ini);
  } catch (const std::exception& e) {
    NoSkin = true;
    tell(std::string("皮肤无法使用，程序将以系统样式显示。\r") + e.what());
    return false;
  }
  if (!BadImages.empty()) {
    std::string names;
    for (const std::string& n : BadImages) names += "\r" + n;
    tell("皮肤中有图像无法读取，这些部分以系统样式显示：" + names);
  }
  return true;
}

void TSkinData::Loaded() {
  TComponent::Loaded();
  if (fileWaits_ && SkinStreamData.Size() == 0) LoadSkinFile();
  fileWaits_ = false;
  if (!OptionalUser32().GetScrollBarInfo) SkinControls &= ~SetOf(xcScrollbar);
  TSkinManage* manager = EnsureSkinManager();
  if (manager) manager->RegisterSkinData(this);
  if (SkinFormtype != TSkinFormType::sfMainform) {
    if (!manager) return;
    manager->SetEnabled(true);
    manager->SetStarted(manager->Started() + 1);
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && active_) manager->SkinWindow(form->Handle());
    return;
  }
  if (manager) manager->InstallHook();
  if (active_) {
    if (NoSkin) active_ = false;
    else if (manager) manager->SetAction(1, 250);
  }
  if (SkinControls & SetOf(xcMainMenu)) SkinControls &= ~SetOf(xcMenuItem);
  else SkinControls &= ~SetOf(xcSystemMenu);
  LoadAppIcon();
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (IsLoading()) return;
  TSkinManage* manager = SkinManager();
  if (!manager) return;
  switch (SkinFormtype) {
    case TSkinFormType::sfMainform:
      if (value && NoSkin) return;
      manager->SetActionSkinData(this);
      manager->SetAction(value ? 1 : 2, 250);
      if (value) manager->SetStarted(1);
      break;
    case TSkinFormType::sfOnlyThisForm:
      manager->SetActionSkinData(this);
      if (!(value && NoSkin)) manager->SetAction(value ? 1 : 2, 250);
      break;
    default:
      break;
  }
}

void TSkinData::Refresh() {
  if (IsLoading()) return;
  if (!SkinManager()) Loaded();
  TSkinManage* manager = SkinManager();
  if (!manager) return;
  manager->SetActionSkinData(this);
  manager->RefreshSkinData();
  if (manager->Started() == 1) manager->SetAction(3, 250);
}

void TSkinData::DoFormSkin(HWND window, const std::string& className, bool& doSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == "SysMonthCal32") doSkin = false;
  else if ((SkinControls & SetOf(xcFastReport)) && className.compare(0, 3, "Tfr") == 0) doSkin = false;
}

void TSkinData::DoSkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ShowHint(const RECT& rect, const std::string& text) {
  if (!(Options & SetOf(xoCaptionButtonHint)) || HintShown) return;
  RECT shown = HintWindow->CalcHintRect(kHintMaxWidth, text);
  OffsetRect(&shown, rect.left, rect.top);
  HintWindow->ActivateHint(shown, text);
  HintShown = true;
}

void TSkinData::HideHint() {
  if (!HintShown) return;
  HintWindow->ReleaseHint();
  HintShown = false;
}

void TSkinData::LoadAppIcon() {
  HWND app = Application ? Application->Handle() : nullptr;
  if (!app) return;
  auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
  if (!icon) return;
  int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  auto small = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
  if (!small) return;
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(w, h);
  bitmap->Canvas().Brush().SetColor(clFuchsia);
  bitmap->Canvas().FillRect(RECT{0, 0, w, h});
  DrawIconEx(bitmap->CanvasDC(), 0, 0, small, w, h, 0, nullptr, DI_NORMAL);
  DestroyIcon(small);
  bitmap->SetTransparentColor(clFuchsia);
  bitmap->SetTransparent(true);
  AppIcon = std::move(bitmap);
}

void RegisterSkinClasses() { RegisterComponentClass(TSkinData::StaticClass()); }
