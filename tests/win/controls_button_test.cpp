// Buttons (clicks, modal results, Enter and Esc), labels (size and paint),
// containers, and the controls' published properties by name.
#include "controls_fixture.h"

namespace {

TEST_F(ControlsFixture, ButtonClickFromCodeAndFromTheWindow) {
  auto* button = Make<TButton>(324, 468, 69, 29);
  button->SetCaption("开始");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->GetModalResult(), mrNone);
  form->Show();
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  button->SetModalResult(mrOk);
  button->Click();
  EXPECT_EQ(form->GetModalResult(), mrOk);
  EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsFixture, ModalResultButtonEndsShowModal) {
  auto* ok = Make<TButton>(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  ok->SetCaption("确定(&O)");
  HWND w = ok->Handle();
  PostMessageW(w, BM_CLICK, 0, 0);
  EXPECT_EQ(form->ShowModal(), mrOk);
}

TEST_F(ControlsFixture, EnterClicksDefaultButtonAndEscTheCancelButton) {
  auto* edit = Make<TEdit>(10, 10, 100, 24);
  auto* ok = Make<TButton>(10, 50, 75, 25);
  auto* cancel = Make<TButton>(100, 50, 75, 25);
  auto* other = Make<TButton>(200, 50, 75, 25);
  SetOrdProp(*ok, "Default", 1);
  cancel->SetCancel(true);
  std::vector<std::string> clicked;
  ok->OnClick = [&](TObject*) { clicked.push_back("ok"); };
  cancel->OnClick = [&](TObject*) { clicked.push_back("cancel"); };
  other->OnClick = [&](TObject*) { clicked.push_back("other"); };
  form->Show();
  EXPECT_TRUE(GetWindowLongW(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  edit->SetFocus();
  PressKey(edit->Handle(), VK_RETURN);
  PressKey(edit->Handle(), VK_ESCAPE);
  // A focused button takes Enter itself.
  other->SetFocus();
  PressKey(other->Handle(), VK_RETURN);
  EXPECT_EQ(clicked, (std::vector<std::string>{"ok", "cancel", "other"}));
  ok->SetDefault(false);
  edit->SetFocus();
  PressKey(edit->Handle(), VK_RETURN);
  EXPECT_EQ(clicked.size(), 3u);
}

TEST_F(ControlsFixture, LabelAutoSizeFitsTheCaption) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->GetFont()->SetHeight(-14);
  label->SetCaption("");
  int lineHeight = label->GetHeight();
  EXPECT_GE(lineHeight, 14);
  label->SetCaption("打中红字显示时间：");
  int wide = label->GetWidth();
  EXPECT_GE(wide, 9 * 13);  // nine full-width characters
  EXPECT_EQ(label->GetHeight(), lineHeight);
  label->SetCaption("500毫秒");
  EXPECT_LT(label->GetWidth(), wide);
  label->GetFont()->SetHeight(-28);
  EXPECT_GE(label->GetHeight(), 2 * lineHeight - 2);
  // A fixed-size, wrapping label keeps its bounds.
  auto* fixed = new TLabel(form);
  fixed->SetParent(form);
  fixed->SetAutoSize(false);
  fixed->SetWordWrap(true);
  fixed->SetBounds(560, 4, 400, 59);
  fixed->SetCaption("注意：练习过程按ESC键结束,按Shift+ESC键暂停继续。注意：练习过程按ESC键结束。");
  EXPECT_EQ(fixed->GetWidth(), 400);
  EXPECT_EQ(fixed->GetHeight(), 59);
  // Auto-size with word wrap keeps the width and grows downwards.
  fixed->SetBounds(0, 0, 100, 10);
  fixed->SetAutoSize(true);
  EXPECT_EQ(fixed->GetWidth(), 100);
  EXPECT_GT(fixed->GetHeight(), 3 * lineHeight);
}

// Paints the form's windowless children into a bitmap and reads one pixel.
COLORREF PaintedPixel(TWinControl* parent, int x, int y) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateBitmap(parent->GetWidth(), parent->GetHeight(), 1, 32, nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, parent->GetWidth(), parent->GetHeight()};
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(mem, &all, green);
  DeleteObject(green);
  parent->PaintControls(mem);
  COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  return c;
}

TEST_F(ControlsFixture, LabelPaintsBackgroundUnlessTransparent) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 80, 40);
  label->SetColor(clYellow);
  label->GetFont()->SetColor(clRed);
  label->GetFont()->SetHeight(-30);
  label->SetCaption("字");
  label->SetAlignment(TAlignment::taRightJustify);
  label->SetLayout(TTextLayout::tlBottom);
  form->Show();
  EXPECT_EQ(PaintedPixel(form, 12, 12), RGB(255, 255, 0));
  // The glyph sits in the bottom right corner: some red there, none top left.
  bool red = false;
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateBitmap(form->GetWidth(), form->GetHeight(), 1, 32, nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  form->PaintControls(mem);
  for (int x = 60; x < 90 && !red; ++x)
    for (int y = 20; y < 50 && !red; ++y) red = GetPixel(mem, x, y) == RGB(255, 0, 0);
  bool redTopLeft = false;
  for (int x = 10; x < 40; ++x)
    for (int y = 10; y < 20; ++y) redTopLeft |= GetPixel(mem, x, y) == RGB(255, 0, 0);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EXPECT_TRUE(red);
  EXPECT_FALSE(redTopLeft);
  label->SetTransparent(true);
  EXPECT_EQ(PaintedPixel(form, 12, 12), RGB(0, 255, 0));
}

TEST_F(ControlsFixture, ContainersHoldChildrenAndPaintTheirBackground) {
  auto* panel = Make<TPanel>(10, 10, 200, 100);
  auto* group = Make<TGroupBox>(220, 10, 200, 100);
  group->SetCaption("说明");
  auto* inner = Make<TLabel>(10, 20, 100, 20, group);
  inner->SetCaption("本软件");
  auto* check = Make<TCheckBox>(10, 10, 100, 20, panel);
  form->SetColor(clBlue);
  panel->SetColor(clYellow);
  group->SetColor(clYellow);
  form->Show();
  EXPECT_TRUE(IsChild(panel->Handle(), check->Handle()));
  EXPECT_EQ(inner->Parent(), group);
  auto pixel = [](TWinControl* c, int x, int y) {
    HDC dc = GetDC(c->Handle());
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, c->GetWidth(), c->GetHeight());
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(c->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(mem), 0);
    COLORREF p = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(c->Handle(), dc);
    return p;
  };
  // Parent background: the form's colour shows; without it, the own Color.
  EXPECT_EQ(pixel(panel, 100, 80), RGB(0, 0, 255));
  EXPECT_EQ(pixel(group, 100, 80), RGB(0, 0, 255));
  SetOrdProp(*panel, "ParentBackground", 0);
  group->SetParentBackground(false);
  EXPECT_EQ(pixel(panel, 100, 80), RGB(255, 255, 0));
  EXPECT_EQ(pixel(group, 100, 80), RGB(255, 255, 0));
  panel->SetBevelOuter(TPanelBevel::bvNone);
  EXPECT_EQ(pixel(panel, 0, 0), RGB(255, 255, 0));
  panel->SetBevelOuter(TPanelBevel::bvLowered);
  EXPECT_NE(pixel(panel, 0, 0), RGB(255, 255, 0));
}

// Every control is made by class name and answers the properties the form
// definitions and the skin engine use.
struct PropCase {
  const char* cls;
  const char* prop;
  TPropKind kind;
  std::vector<std::string> names;  // enumeration identifiers, in order
};
const PropCase kProps[] = {
    {"TLabel", "Caption", TPropKind::String, {}},
    {"TLabel", "Transparent", TPropKind::Boolean, {"False", "True"}},
    {"TLabel", "Layout", TPropKind::Enum, {"tlTop", "tlCenter", "tlBottom"}},
    {"TLabel", "Alignment", TPropKind::Enum, {"taLeftJustify", "taRightJustify", "taCenter"}},
    {"TEdit", "BorderStyle", TPropKind::Enum, {"bsNone", "bsSingle"}},
    {"TEdit", "MaxLength", TPropKind::Integer, {}},
    {"TRichEdit", "Lines", TPropKind::Strings, {}},
    {"TRichEdit", "SelAttributes", TPropKind::Object, {}},
    {"TRichEdit", "PlainText", TPropKind::Boolean, {"False", "True"}},
    {"TButton", "Default", TPropKind::Boolean, {"False", "True"}},
    {"TButton", "ModalResult", TPropKind::Integer, {}},
    {"TCheckBox", "State", TPropKind::Enum, {"cbUnchecked", "cbChecked", "cbGrayed"}},
    {"TCheckBox", "Checked", TPropKind::Boolean, {"False", "True"}},
    {"TRadioButton", "Checked", TPropKind::Boolean, {"False", "True"}},
    {"TRadioGroup", "Items", TPropKind::Strings, {}},
    {"TRadioGroup", "ItemIndex", TPropKind::Integer, {}},
    {"TRadioGroup", "ParentBackground", TPropKind::Boolean, {"False", "True"}},
    {"TComboBox", "Style", TPropKind::Enum, {"csDropDown", "csSimple", "csDropDownList"}},
    {"TComboBox", "DropDownCount", TPropKind::Integer, {}},
    {"TListBox", "Sorted", TPropKind::Boolean, {"False", "True"}},
    {"TTrackBar", "Position", TPropKind::Integer, {}},
    {"TTrackBar", "TickStyle", TPropKind::Enum, {"tsNone", "tsAuto", "tsManual"}},
    {"TGroupBox", "ParentBackground", TPropKind::Boolean, {"False", "True"}},
    {"TPanel", "BevelOuter", TPropKind::Enum, {"bvNone", "bvLowered", "bvRaised", "bvSpace"}},
    {"TPanel", "Font", TPropKind::Object, {}},
};

TEST_F(ControlsFixture, ControlsAreMadeByNameWithTheirProperties) {
  for (const PropCase& c : kProps) {
    SCOPED_TRACE(std::string(c.cls) + "." + c.prop);
    const TClassInfo* info = FindComponentClass(c.cls);
    ASSERT_NE(info, nullptr);
    ASSERT_NE(info->Create, nullptr);
    TComponent* made = info->Create(form);
    ASSERT_NE(dynamic_cast<TControl*>(made), nullptr);
    EXPECT_EQ(made->ClassName(), c.cls);
    const TPropInfo* p = GetPropInfo(made, c.prop);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Kind, c.kind);
    EXPECT_EQ(p->EnumNames, c.names);
    if (c.kind == TPropKind::Object) EXPECT_NE(GetObjectProp(*made, c.prop), nullptr);
    if (c.kind == TPropKind::Boolean) {  // by name, as the skin reads and writes them
      std::string was = GetEnumProp(*made, c.prop);
      SetEnumProp(*made, c.prop, was == "True" ? "False" : "True");
      EXPECT_NE(GetEnumProp(*made, c.prop), was);
    }
    delete made;
  }
  // Strings go in and come out by name, in GBK.
  TComponent* group = FindComponentClass("TRadioGroup")->Create(form);
  TPropValue items;
  items.Kind = TPropKind::Strings;
  items.List = {"五笔单练", "五笔词练"};
  SetPropValue(*group, "Items", items);
  EXPECT_EQ(GetPropValue(*group, "Items").List, items.List);
  EXPECT_EQ(dynamic_cast<TRadioGroup*>(group)->ButtonCount(), 2);
  delete group;
}

}  // namespace
