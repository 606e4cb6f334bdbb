#pragma once
// Stand-ins for the window classes the form definitions name (the portable
// core has none of them): each publishes the properties the forms use, with
// the same kinds, and keeps what it is given by name, so the form reader runs
// on the real definitions without a window.
#include <any>
#include <cstdint>
#include <utility>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/native/form_test_classes.h"
#include "toolkit/base/component.h"
#include "toolkit/base/sysutils.h"

namespace standin {

using TKeyEvent = std::function<void(TObject*, int&)>;

// A published property of a stand-in: its kind, and its identifiers for enumerations and sets.
struct TPropShape {
  const char* Name;
  TPropKind Kind;
  std::vector<std::string> Idents = {};
};

const std::vector<std::string> kBorderStyles = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};

inline std::vector<TPropShape> ControlProps(bool integerColumns) {
  using K = TPropKind;
  std::vector<TPropShape> shapes = {
      {"Left", K::Integer}, {"Top", K::Integer}, {"Width", K::Integer}, {"Height", K::Integer},
      {"MaxLength", K::Integer}, {"Interval", K::Integer}, {"ItemIndex", K::Integer}, {"DropDownCount", K::Integer},
      {"Min", K::Integer}, {"Max", K::Integer}, {"Position", K::Integer}, {"DisableTag", K::Integer},
      {"Color", K::Integer}, {"Visible", K::Boolean}, {"Transparent", K::Boolean}, {"Enabled", K::Boolean},
      {"ReadOnly", K::Boolean}, {"TabStop", K::Boolean}, {"PlainText", K::Boolean}, {"AutoSize", K::Boolean},
      {"WordWrap", K::Boolean}, {"ShowHint", K::Boolean}, {"RowSelect", K::Boolean}, {"OwnerData", K::Boolean},
      {"GridLines", K::Boolean}, {"MenuUpdate", K::Boolean}, {"MenuMerge", K::Boolean}, {"Active", K::Boolean},
      {"Caption", K::String}, {"Text", K::String}, {"Hint", K::String}, {"Version", K::String},
      {"SkinStore", K::String}, {"Items", K::Strings}, {"SkinStream", K::Binary}, {"Font", K::Object},
      {"BorderStyle", K::Enum, kBorderStyles},
      {"ImeMode", K::Enum, {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imChinese"}},
      {"ViewStyle", K::Enum, {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}},
      {"TickStyle", K::Enum, {"tsAuto", "tsManual", "tsNone"}},
      {"SortType", K::Enum, {"stNone", "stData", "stText", "stBoth"}},
      {"SkinFormtype", K::Enum, {"sfMainform", "sfDialog", "sfOnlyThisForm"}},
      {"Align", K::Enum, {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}},
      {"SkinControls", K::Set, {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
                                "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
                                "xcSpeedButton", "xcSpin", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab",
                                "xcTrackBar", "xcSystemMenu", "xcMenuItem"}},
      {"Options", K::Set, {"xoPreview", "xoToolbarBK", "xoCaptionButtonHint", "xoMenuBG", "xoTransparent"}},
      {"OnClick", K::Event}, {"OnTimer", K::Event}, {"OnChange", K::Event}, {"OnColumnClick", K::Event},
      {"OnKeyDown", K::Event}, {"OnKeyUp", K::Event}, {"OnKeyPress", K::Event},
  };
  shapes.push_back({"Columns", integerColumns ? K::Integer : K::Object});
  return shapes;
}

inline std::vector<TPropShape> FormProps() {
  using K = TPropKind;
  return {
      {"Left", K::Integer}, {"Top", K::Integer}, {"Width", K::Integer}, {"Height", K::Integer},
      {"ClientWidth", K::Integer}, {"ClientHeight", K::Integer}, {"Color", K::Integer}, {"Caption", K::String},
      {"KeyPreview", K::Boolean}, {"Font", K::Object}, {"BorderStyle", K::Enum, kBorderStyles},
      {"BorderIcons", K::Set, {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}},
      {"Position", K::Enum, {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                             "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}},
      {"OnCreate", K::Event}, {"OnClose", K::Event}, {"OnDestroy", K::Event}, {"OnShow", K::Event},
      {"OnKeyDown", K::Event}, {"OnKeyPress", K::Event},
  };
}

// Key events take the key; every other event only the sender.
inline bool IsKeyEvent(const std::string& name) { return name.find("Key") != std::string::npos; }

// A component of a stand-in class: its descriptor comes from the class it stands for.
class TStandIn : public TComponent {
public:
  TStandIn(TComponent* owner, const TClassInfo& info) : TComponent(owner), info_(info) {}
  const TClassInfo& ClassType() const override { return info_; }
  void SetParentComponent(TComponent* parent) override { Parent = parent; }
  void Loaded() override { ++LoadedCalls; }

  std::map<std::string, TPropValue> Values;  // by property name as published
  mutable TTestFont Font;
  mutable TTestColumns Columns;
  TComponent* Parent = nullptr;
  int LoadedCalls = 0;

private:
  const TClassInfo& info_;
};

// The form: answers handler names the way a form class publishes its methods.
class TStandInForm : public TStandIn {
public:
  using TStandIn::TStandIn;
  std::any MethodAddress(const std::string& name) const override {
    if (name.rfind("Missing", 0) == 0) return {};
    if (IsKeyEvent(name)) return TKeyEvent([](TObject*, int& key) { key = 0; });
    return TNotifyEvent([](TObject*) {});
  }
};

inline TPropInfo MakeProp(const TPropShape& shape) {
  TPropInfo p;
  p.Name = shape.Name;
  p.Kind = shape.Kind;
  p.EnumNames = shape.Kind == TPropKind::Boolean ? std::vector<std::string>{"False", "True"} : shape.Idents;
  const std::string name = shape.Name;
  if (shape.Kind == TPropKind::Object) {
    p.Get = [name](const TObject& o) {
      const auto& s = static_cast<const TStandIn&>(o);
      TPropValue v;
      v.Kind = TPropKind::Object;
      v.Obj = name == "Font" ? static_cast<TObject*>(&s.Font) : static_cast<TObject*>(&s.Columns);
      return v;
    };
    return p;
  }
  const TPropKind kind = shape.Kind;
  p.Get = [name, kind](const TObject& o) {
    const auto& values = static_cast<const TStandIn&>(o).Values;
    auto it = values.find(name);
    if (it != values.end()) return it->second;
    TPropValue v;
    v.Kind = kind;
    return v;
  };
  p.Set = [name, kind](TObject& o, const TPropValue& v) {
    // As the toolkit's own properties: 32-bit integers, handlers of the event's type.
    if (kind == TPropKind::Integer && (v.Int < INT32_MIN || v.Int > UINT32_MAX))
      throw EPropertyError("value " + std::to_string(v.Int) + " is out of range");
    if (kind == TPropKind::Event &&
        (IsKeyEvent(name) ? !std::any_cast<TKeyEvent>(&v.Method) : !std::any_cast<TNotifyEvent>(&v.Method)))
      throw EPropertyError("handler does not fit event " + name);
    static_cast<TStandIn&>(o).Values[name] = v;
  };
  return p;
}

// The creatable control classes, in registration order.
constexpr const char* kControlClasses[] = {"TLabel",    "TButton",    "TCheckBox", "TComboBox",  "TEdit",
                                           "TGroupBox", "TImage",     "TListBox",  "TListView",  "TMediaPlayer",
                                           "TMenuItem", "TPopupMenu", "TRichEdit", "TSkinData",  "TTimer",
                                           "TTrackBar", "TRadioGroup"};
constexpr std::size_t kControlCount = sizeof kControlClasses / sizeof kControlClasses[0];

// The stand-in classes, registered once: the forms' own classes and their controls.
class TRegistry {
public:
  static TRegistry& Get() {
    static TRegistry registry;
    return registry;
  }
  // The form class of that name, or the first one when the definition names another.
  const TClassInfo& FormClass(const std::string& name) const {
    for (const auto& c : forms_)
      if (SameText(c->Name, name)) return *c;
    return *forms_.front();
  }
  const TClassInfo& Control(std::size_t i) const { return *controls_[i]; }

private:
  TRegistry();
  void Add(std::vector<std::unique_ptr<TClassInfo>>& to, const char* name, const std::vector<TPropShape>& shapes,
           TComponent* (*create)(TComponent*)) {
    auto info = std::make_unique<TClassInfo>(TClassInfo{name, &TComponent::StaticClass(), create, {}});
    for (const TPropShape& s : shapes) info->Props.push_back(MakeProp(s));
    to.push_back(std::move(info));
  }
  static bool ColourIdent(const std::string& ident, std::int64_t& value) {
    static const std::map<std::string, std::int64_t> colours = {
        {"clBlack", 0x000000},       {"clWhite", 0xFFFFFF},       {"clTeal", 0x808000},
        {"clPurple", 0x800080},      {"clBtnFace", 0xFF00000F},   {"clWindowText", 0xFF000008},
        {"clHighlight", 0xFF00000D}, {"clHotLight", 0xFF00001A},  {"clWindow", 0xFF000005}};
    auto it = colours.find(ident);
    if (it == colours.end()) return false;
    value = it->second;
    return true;
  }

  std::vector<std::unique_ptr<TClassInfo>> forms_, controls_;
};

// The reader creates through a descriptor's plain function: one per class.
template <std::size_t I>
TComponent* CreateControl(TComponent* owner) {
  return new TStandIn(owner, TRegistry::Get().Control(I));
}
template <std::size_t... I>
std::vector<TComponent* (*)(TComponent*)> ControlCreators(std::index_sequence<I...>) {
  return {&CreateControl<I>...};
}

inline TRegistry::TRegistry() {
  for (const char* name : {"TForm1", "TForm2", "TForm3", "TForm5"}) Add(forms_, name, FormProps(), nullptr);
  const auto creators = ControlCreators(std::make_index_sequence<kControlCount>());
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const bool radioGroup = std::string(kControlClasses[i]) == "TRadioGroup";
    Add(controls_, kControlClasses[i], ControlProps(radioGroup), creators[i]);
  }
  Add(controls_, "TWinControl", ControlProps(false), nullptr);  // registered, not creatable
  for (const auto& c : controls_) RegisterComponentClass(*c);
  RegisterIntegerIdents(&ColourIdent);
}

}  // namespace standin
