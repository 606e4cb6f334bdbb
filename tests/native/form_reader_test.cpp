#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form_test_classes.h"
#include "toolkit/base/form_reader.h"

namespace {

using TNotifyEvent = std::function<void(TObject*)>;
using TKeyEvent = std::function<void(TObject*, int&)>;

std::vector<std::string> gLoadedLog;

enum class TTestAlign { alNone, alTop, alClient };

class TTestWidget : public TComponent {
  TK_CLASS(TTestWidget)
public:
  explicit TTestWidget(TComponent* owner) : TComponent(owner) {}

  int GetLeft() const { return left_; }
  void SetLeft(int v) {
    if (v < -1000) throw EConvertError("Left out of range");
    left_ = v;
  }
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) {
    caption_ = v;
    captionSetWhileLoading = IsLoading();
  }
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  double GetRatio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  TTestAlign GetAlign() const { return align_; }
  void SetAlign(TTestAlign v) { align_ = v; }
  unsigned GetAnchors() const { return anchors_; }
  void SetAnchors(unsigned v) { anchors_ = v; }
  std::vector<std::string> GetItems() const { return items_; }
  void SetItems(const std::vector<std::string>& v) { items_ = v; }
  std::vector<std::uint8_t> GetData() const { return data_; }
  void SetData(const std::vector<std::uint8_t>& v) { data_ = v; }
  bool GetFailLoad() const { return failLoad_; }
  void SetFailLoad(bool v) { failLoad_ = v; }
  TTestFont* GetFont() const { return &font_; }
  TTestColumns* GetColumns() const { return &columns_; }

  void SetParentComponent(TComponent* parent) override { this->parent = parent; }
  void Loaded() override {
    ++loadedCalls;
    loadingInLoaded = IsLoading();
    gLoadedLog.push_back(GetName());
    if (failLoad_) throw Exception("cannot open the skin");
  }

  TNotifyEvent OnClick;
  TKeyEvent OnKey;
  TComponent* parent = nullptr;
  int loadedCalls = 0;
  bool loadingInLoaded = true;
  bool captionSetWhileLoading = false;

private:
  int left_ = 0;
  std::string caption_;
  bool enabled_ = true;
  double ratio_ = 0;
  TTestAlign align_ = TTestAlign::alNone;
  unsigned anchors_ = 3;
  std::vector<std::string> items_;
  std::vector<std::uint8_t> data_;
  bool failLoad_ = false;
  mutable TTestFont font_;
  mutable TTestColumns columns_;
};

const TClassInfo& TTestWidget::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TTestWidget>("TTestWidget", &TComponent::StaticClass())
          .Creatable()
          .Prop("Left", &TTestWidget::GetLeft, &TTestWidget::SetLeft)
          .Prop("Caption", &TTestWidget::GetCaption, &TTestWidget::SetCaption)
          .Prop("Enabled", &TTestWidget::GetEnabled, &TTestWidget::SetEnabled)
          .Prop("Ratio", &TTestWidget::GetRatio, &TTestWidget::SetRatio)
          .Prop("FailLoad", &TTestWidget::GetFailLoad, &TTestWidget::SetFailLoad)
          .Enum("Align", &TTestWidget::GetAlign, &TTestWidget::SetAlign, {"alNone", "alTop", "alClient"})
          .Set("Anchors", &TTestWidget::GetAnchors, &TTestWidget::SetAnchors, {"akLeft", "akTop", "akRight", "akBottom"})
          .Strings("Items", &TTestWidget::GetItems, &TTestWidget::SetItems)
          .Binary("Data", &TTestWidget::GetData, &TTestWidget::SetData)
          .Object("Font", &TTestWidget::GetFont)
          .Object("Columns", &TTestWidget::GetColumns)
          .Event("OnClick", &TTestWidget::OnClick)
          .Event("OnKey", &TTestWidget::OnKey)
          .Build();
  return info;
}

class TTestTimer : public TComponent {
  TK_CLASS(TTestTimer)
public:
  explicit TTestTimer(TComponent* owner) : TComponent(owner) {}
  int GetInterval() const { return interval_; }
  void SetInterval(int v) { interval_ = v; }
  void Loaded() override { gLoadedLog.push_back(GetName()); }

private:
  int interval_ = 1000;
};

const TClassInfo& TTestTimer::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestTimer>("TTestTimer", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Interval", &TTestTimer::GetInterval, &TTestTimer::SetInterval)
                                     .Build();
  return info;
}

// Registered but without a way to create it.
class TTestAbstract : public TComponent {
  TK_CLASS(TTestAbstract)
};

const TClassInfo& TTestAbstract::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestAbstract>("TTestAbstract", &TComponent::StaticClass()).Build();
  return info;
}

class TTestForm : public TComponent {
  TK_CLASS(TTestForm)
public:
  explicit TTestForm(TComponent* owner = nullptr) : TComponent(owner) {
    timer = new TTestTimer(this);
    timer->SetName("Timer1");
  }

  int GetLeft() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  unsigned GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned v) { borderIcons_ = v; }
  TTestFont* GetFont() const { return &font_; }
  TTestFont* GetSpare() const { return nullptr; }

  std::any MethodAddress(const std::string& name) const override {
    auto* self = const_cast<TTestForm*>(this);
    if (name == "FormCreate") return TNotifyEvent([self](TObject*) { ++self->created; });
    if (name == "Widget1Click") return TNotifyEvent([self](TObject* sender) { self->clicked = sender; });
    if (name == "Widget1Key") return TKeyEvent([](TObject*, int& key) { key = 0; });
    return {};
  }
  void Loaded() override {
    loadingInLoaded = IsLoading();
    gLoadedLog.push_back("root");
  }

  TNotifyEvent OnCreate;
  TTestTimer* timer = nullptr;
  int created = 0;
  TObject* clicked = nullptr;
  bool loadingInLoaded = true;

private:
  int left_ = 0;
  std::string caption_;
  bool keyPreview_ = false;
  unsigned borderIcons_ = 7;
  mutable TTestFont font_;
};

const TClassInfo& TTestForm::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TTestForm>("TTestForm", &TComponent::StaticClass())
          .Prop("Left", &TTestForm::GetLeft, &TTestForm::SetLeft)
          .Prop("Caption", &TTestForm::GetCaption, &TTestForm::SetCaption)
          .Prop("KeyPreview", &TTestForm::GetKeyPreview, &TTestForm::SetKeyPreview)
          .Set("BorderIcons", &TTestForm::GetBorderIcons, &TTestForm::SetBorderIcons,
               {"biSystemMenu", "biMinimize", "biMaximize"})
          .Object("Font", &TTestForm::GetFont)
          .Object("Spare", &TTestForm::GetSpare)
          .Event("OnCreate", &TTestForm::OnCreate)
          .Build();
  return info;
}

const bool kRegistered = [] {
  RegisterComponentClass(TTestWidget::StaticClass());
  RegisterComponentClass(TTestTimer::StaticClass());
  RegisterComponentClass(TTestAbstract::StaticClass());
  return true;
}();

const char kForm[] =
    "object Form1: TTestForm\n"
    "  Left = 192\n"
    "  Caption = 'Tapmira     2020年8月15日版'\n"
    "  font.name = '宋体'\n"
    "  Font.Height = -14\n"
    "  Font.Style = [fsBold, fsUnderline]\n"
    "  BorderIcons = []\n"
    "  KeyPreview = True\n"
    "  OnCreate = FormCreate\n"
    "  object Timer1: TTestTimer\n"
    "    Interval = 450\n"
    "  end\n"
    "  object Panel1: TTestWidget\n"
    "    Align = alclient\n"
    "    Anchors = [akLeft, akBottom]\n"
    "    object Widget1: ttestwidget\n"
    "      Left = -5\n"
    "      Caption = 'It''s'\n"
    "      Enabled = false\n"
    "      Ratio = 2.5\n"
    "      Items = (\n"
    "        '英文(大)'\n"
    "        '英文(小)')\n"
    "      Data = {0A0B0C}\n"
    "      Columns = <\n"
    "        item\n"
    "          Caption = '用户'\n"
    "          Width = 80\n"
    "        end\n"
    "        item\n"
    "          Caption = '文章名'\n"
    "        end>\n"
    "      OnClick = Widget1Click\n"
    "      OnKey = Widget1Key\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(FormReader, StreamsComponentsPropertiesAndEvents) {
  ASSERT_TRUE(kRegistered);
  gLoadedLog.clear();
  TTestForm form;
  ReadFormDefinition(form, kForm, "Unit1.form");

  EXPECT_EQ(form.GetName(), "Form1");
  EXPECT_EQ(form.GetLeft(), 192);
  EXPECT_EQ(form.GetCaption(), "Tapmira     2020年8月15日版");
  EXPECT_EQ(form.GetFont()->GetName(), "宋体");
  EXPECT_EQ(form.GetFont()->GetHeight(), -14);
  EXPECT_EQ(form.GetFont()->GetStyle(), 1u | 4u);
  EXPECT_EQ(form.GetBorderIcons(), 0u);
  EXPECT_TRUE(form.GetKeyPreview());
  ASSERT_TRUE(form.OnCreate);
  form.OnCreate(&form);
  EXPECT_EQ(form.created, 1);

  // The timer the form made itself is reused, not made twice.
  ASSERT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.FindComponent("Timer1"), form.timer);
  EXPECT_EQ(form.timer->GetInterval(), 450);

  auto* panel = dynamic_cast<TTestWidget*>(form.FindComponent("Panel1"));
  auto* widget = dynamic_cast<TTestWidget*>(form.FindComponent("Widget1"));
  ASSERT_TRUE(panel);
  ASSERT_TRUE(widget);
  EXPECT_EQ(panel->Owner(), &form);
  EXPECT_EQ(widget->Owner(), &form);  // owned by the root, placed in its enclosing object
  EXPECT_EQ(panel->parent, &form);
  EXPECT_EQ(widget->parent, panel);
  EXPECT_EQ(panel->GetAlign(), TTestAlign::alClient);
  EXPECT_EQ(panel->GetAnchors(), 1u | 8u);

  EXPECT_EQ(widget->GetLeft(), -5);
  EXPECT_EQ(widget->GetCaption(), "It's");
  EXPECT_FALSE(widget->GetEnabled());
  EXPECT_DOUBLE_EQ(widget->GetRatio(), 2.5);
  EXPECT_EQ(widget->GetItems(), (std::vector<std::string>{"英文(大)", "英文(小)"}));
  EXPECT_EQ(widget->GetData(), (std::vector<std::uint8_t>{0x0A, 0x0B, 0x0C}));

  TTestColumns* cols = widget->GetColumns();
  ASSERT_EQ(cols->Count(), 2);
  auto* c0 = dynamic_cast<TTestColumn*>(cols->Items(0));
  auto* c1 = dynamic_cast<TTestColumn*>(cols->Items(1));
  ASSERT_TRUE(c0);
  ASSERT_TRUE(c1);
  EXPECT_EQ(c0->GetCaption(), "用户");
  EXPECT_EQ(c0->GetWidth(), 80);
  EXPECT_EQ(c1->GetCaption(), "文章名");
  EXPECT_EQ(c1->GetWidth(), 50);
  EXPECT_EQ(cols->updates, 1);  // the whole collection is told once

  ASSERT_TRUE(widget->OnClick);
  widget->OnClick(widget);
  EXPECT_EQ(form.clicked, widget);
  ASSERT_TRUE(widget->OnKey);
  int key = 27;
  widget->OnKey(widget, key);
  EXPECT_EQ(key, 0);

  // Properties are set while loading; Loaded runs once each after the whole
  // tree, outside the loading state, the root last.
  EXPECT_TRUE(widget->captionSetWhileLoading);
  EXPECT_EQ(widget->loadedCalls, 1);
  EXPECT_EQ(panel->loadedCalls, 1);
  EXPECT_FALSE(widget->loadingInLoaded);
  EXPECT_FALSE(form.loadingInLoaded);
  EXPECT_EQ(gLoadedLog, (std::vector<std::string>{"Timer1", "Panel1", "Widget1", "root"}));
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(widget->IsLoading());
}

TEST(FormReader, ReadingAgainReusesEveryComponent) {
  TTestForm form;
  ReadFormDefinition(form, kForm, "Unit1.form");
  TComponent* widget = form.FindComponent("Widget1");
  ReadFormDefinition(form,
                     "object Form1: TTestForm\n"
                     "  object Widget1: TTestWidget\n"
                     "    Columns = <item Width = 7 end>\n"
                     "  end\n"
                     "end\n",
                     "again.form");
  EXPECT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.FindComponent("Widget1"), widget);
  // A collection value replaces the items it had.
  TTestColumns* cols = static_cast<TTestWidget*>(widget)->GetColumns();
  ASSERT_EQ(cols->Count(), 1);
  EXPECT_EQ(static_cast<TTestColumn*>(cols->Items(0))->GetWidth(), 7);
}

struct BadCase {
  const char* body;  // inside "object Form1: TTestForm", from line 2
  int line;
  const char* property;
  const char* message;
};

std::string InWidget(const std::string& body) { return "  object W: TTestWidget\n" + body + "  end\n"; }

TEST(FormReader, BadDefinitionsNameFileLineAndProperty) {
  const BadCase cases[] = {
      {"  object W: TTestNoSuch\n  end\n", 2, "", "unknown class TTestNoSuch"},
      {"  object W: TTestAbstract\n  end\n", 2, "", "class TTestAbstract cannot be created"},
      {"  Colour = 5\n", 2, "Colour", "unknown property Colour of TTestForm"},
      {"  Left = 1\n  Font.Nmae = 'x'\n", 3, "Font.Nmae", "unknown property Nmae of TTestFont"},
      {"  Left.X = 1\n", 2, "Left.X", "Left is not an object property"},
      {"  Missing.X = 1\n", 2, "Missing.X", "unknown property Missing of TTestForm"},
      {"  Spare.Name = 'x'\n", 2, "Spare.Name", "Spare of TTestForm is not assigned"},
      {"  Left = 'x'\n", 2, "Left", "integer expected but string found"},
      {"  Left = 1.5\n", 2, "Left", "integer expected but number found"},
      {"  Caption = 5\n", 2, "Caption", "string expected but integer found"},
      {"  KeyPreview = 1\n", 2, "KeyPreview", "True or False expected but integer found"},
      {"  KeyPreview = Maybe\n", 2, "KeyPreview", "True or False expected but 'Maybe' found"},
      {"  Font.Style = fsBold\n", 2, "Font.Style", "set expected but identifier found"},
      {"  Font.Style = [fsBold, fsWide]\n", 2, "Font.Style", "unknown element 'fsWide' in set Style"},
      {"  OnCreate = NoSuchHandler\n", 2, "OnCreate", "unknown handler NoSuchHandler"},
      {"  OnCreate = Widget1Key\n", 2, "OnCreate", "handler Widget1Key does not fit event OnCreate"},
      {"  OnCreate = 'FormCreate'\n", 2, "OnCreate", "handler name expected but string found"},
      {"  Font = <>\n", 2, "Font", "Font is not a collection"},
      {"  Name = 'Other'\n", 2, "Name", "property Name is read-only"},
      {"  object W: TTestWidget\n  end\n  object w: TTestWidget\n  end\n", 4, "", "duplicate component name w"},
      {"  object Form1: TTestWidget\n  end\n", 2, "", "duplicate component name Form1"},
      {"  object Timer1: TTestWidget\n  end\n", 2, "", "component Timer1 is a TTestTimer, not a TTestWidget"},
      {"  Caption = 'open\n", 2, "Caption", "unterminated string"},
  };
  const BadCase widgetCases[] = {
      {"    Align = alLeft\n", 3, "Align", "unknown value 'alLeft' for Align"},
      {"    Align = 1\n", 3, "Align", "identifier expected but integer found"},
      {"    Columns = ('a')\n", 3, "Columns", "collection expected but list found"},
      {"    Items = 'a'\n", 3, "Items", "list of strings expected but string found"},
      {"    Data = 'a'\n", 3, "Data", "binary data expected but string found"},
      {"    Ratio = 'a'\n", 3, "Ratio", "number expected but string found"},
      {"    Columns = <\n      item\n        Widht = 1\n      end>\n", 5, "Columns[0].Widht",
       "unknown property Widht of TTestColumn"},
      {"    Columns = <\n      item end\n      item\n        Caption = 1\n      end>\n", 6, "Columns[1].Caption",
       "string expected but integer found"},
      {"    Left = -5000\n", 3, "Left", "Left out of range"},
      {"    OnClick = FormCreate\n    OnKey = FormCreate\n", 4, "OnKey", "handler FormCreate does not fit event OnKey"},
      {"    FailLoad = True\n", 2, "", "loading of W cannot finish: cannot open the skin"},
  };
  std::vector<std::pair<std::string, BadCase>> all;
  for (const BadCase& c : cases) all.emplace_back(c.body, c);
  for (const BadCase& c : widgetCases) all.emplace_back(InWidget(c.body), c);
  for (const auto& entry : all) {
    const BadCase& c = entry.second;
    SCOPED_TRACE(entry.first);
    TTestForm form;
    try {
      ReadFormDefinition(form, "object Form1: TTestForm\n" + entry.first + "end\n", "Unit5.form");
      ADD_FAILURE() << "no error";
    } catch (const EFormDefError& e) {
      EXPECT_EQ(e.File(), "Unit5.form");
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Property(), c.property);
      EXPECT_NE(e.Detail().find(c.message), std::string::npos) << e.Detail();
    }
    // A failed read leaves nothing in the loading state.
    EXPECT_FALSE(form.IsLoading());
    for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->IsLoading());
  }
}

TEST(FormReader, DefinitionOfAnotherClassIsRefused) {
  TTestForm form;
  try {
    ReadFormDefinition(form, "object Form2: TTestWidget\nend\n", "Unit2.form");
    FAIL() << "no error";
  } catch (const EFormDefError& e) {
    EXPECT_EQ(e.Message(), "Unit2.form(1): the definition is of class TTestWidget but the form is a TTestForm");
  }
  EXPECT_EQ(form.GetName(), "");
  // An ancestor's class name fits.
  ReadFormDefinition(form, "object Form3: TComponent\n  Tag = 5\nend\n", "Unit3.form");
  EXPECT_EQ(form.GetName(), "Form3");
  EXPECT_EQ(form.GetTag(), 5);
}

}  // namespace
