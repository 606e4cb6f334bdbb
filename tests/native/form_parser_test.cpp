#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/base/form_parser.h"

namespace {

const char kMainForm[] =
    "object Form1: TForm1\n"                          // 1
    "  Left = 192\n"                                  // 2
    "  Caption = 'Tapmira     2020年8月15日版'\n"      // 3
    "  Font.Name = '宋体'\n"                           // 4
    "  Font.Height = -14\n"                           // 5
    "  Font.Style = [fsBold]\n"                       // 6
    "  BorderIcons = []\n"                            // 7
    "  KeyPreview = True\n"                           // 8
    "  OnCreate = FormCreate\n"                       // 9
    "  object Label1: TLabel\n"                       // 10
    "    Caption = 'It''s'            // a comment\n" // 11
    "  end\n"                                         // 12
    "  object RadioGroup1: TRadioGroup\n"             // 13
    "    Items = (\n"                                 // 14
    "      '英文(大)'\n"                               // 15
    "      '英文(小)')\n"                              // 16
    "  end\n"                                         // 17
    "  object ListView1: TListView\n"                 // 18
    "    Columns = <\n"                               // 19
    "      item\n"                                    // 20
    "        Caption = '用户'\n"                       // 21
    "        Width = 80\n"                            // 22
    "      end>\n"                                    // 23
    "  end\n"                                         // 24
    "  object SkinData1: TSkinData\n"                 // 25
    "    SkinStream = {\n"                            // 26
    "      0A0B0C0D\n"                                // 27
    "      0E0F}\n"                                   // 28
    "  end\n"                                         // 29
    "end\n";                                          // 30

const TFormProperty* Find(const std::vector<TFormProperty>& props, const std::string& name) {
  for (const TFormProperty& p : props)
    if (p.Name == name) return &p;
  return nullptr;
}

TEST(FormParser, ReadsTheWholeTree) {
  TFormObject root = ParseFormDefinition(kMainForm, "Unit1.form");
  EXPECT_EQ(root.Name, "Form1");
  EXPECT_EQ(root.ClassName, "TForm1");
  EXPECT_EQ(root.Line, 1);
  EXPECT_EQ(root.EndLine, 30);
  ASSERT_EQ(root.Props.size(), 8u);
  ASSERT_EQ(root.Children.size(), 4u);

  const TFormProperty* p = Find(root.Props, "Caption");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Line, 3);
  EXPECT_EQ(p->Value.Kind, TFormValueKind::String);
  EXPECT_EQ(p->Value.Str, "Tapmira     2020年8月15日版");
  // The font name keeps its GBK bytes.
  p = Find(root.Props, "Font.Name");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Value.Str, std::string("\xCB\xCE\xCC\xE5"));
  p = Find(root.Props, "Font.Height");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Value.Kind, TFormValueKind::Integer);
  EXPECT_EQ(p->Value.Int, -14);
  p = Find(root.Props, "Font.Style");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Value.Kind, TFormValueKind::Set);
  EXPECT_EQ(p->Value.Names, std::vector<std::string>{"fsBold"});
  p = Find(root.Props, "BorderIcons");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Value.Kind, TFormValueKind::Set);
  EXPECT_TRUE(p->Value.Names.empty());
  p = Find(root.Props, "OnCreate");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Value.Kind, TFormValueKind::Ident);
  EXPECT_EQ(p->Value.Str, "FormCreate");
  EXPECT_EQ(p->Line, 9);

  const TFormObject& label = root.Children[0];
  EXPECT_EQ(label.Name, "Label1");
  EXPECT_EQ(label.ClassName, "TLabel");
  EXPECT_EQ(label.Line, 10);
  EXPECT_EQ(label.EndLine, 12);
  ASSERT_EQ(label.Props.size(), 1u);
  EXPECT_EQ(label.Props[0].Value.Str, "It's");

  const TFormProperty& items = root.Children[1].Props.at(0);
  EXPECT_EQ(items.Value.Kind, TFormValueKind::List);
  EXPECT_EQ(items.Value.Strings, (std::vector<std::string>{"英文(大)", "英文(小)"}));

  const TFormProperty& columns = root.Children[2].Props.at(0);
  EXPECT_EQ(columns.Value.Kind, TFormValueKind::Collection);
  ASSERT_EQ(columns.Value.Items.size(), 1u);
  EXPECT_EQ(columns.Value.Items[0].Line, 20);
  ASSERT_EQ(columns.Value.Items[0].Props.size(), 2u);
  EXPECT_EQ(columns.Value.Items[0].Props[0].Value.Str, "用户");
  EXPECT_EQ(columns.Value.Items[0].Props[1].Value.Int, 80);
  EXPECT_EQ(columns.Value.Items[0].Props[1].Line, 22);

  const TFormProperty& skin = root.Children[3].Props.at(0);
  EXPECT_EQ(skin.Value.Kind, TFormValueKind::Binary);
  EXPECT_EQ(skin.Value.Bytes, (std::vector<std::uint8_t>{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}));
  EXPECT_EQ(root.Children[3].EndLine, 29);
}

TEST(FormParser, NestedObjectsAndCollectionsInsideItems) {
  TFormObject root = ParseFormDefinition(
      "object F: TF\n"
      "  object Panel1: TPanel\n"
      "    object Button1: TButton\n"
      "      Groups = <item Sub = <item X = 1 end item X = 2 end> end>\n"
      "    end\n"
      "  end\n"
      "  object Label2: TLabel end\n"
      "end",
      "f.form");
  ASSERT_EQ(root.Children.size(), 2u);
  ASSERT_EQ(root.Children[0].Children.size(), 1u);
  const TFormObject& button = root.Children[0].Children[0];
  EXPECT_EQ(button.Name, "Button1");
  const TFormValue& groups = button.Props.at(0).Value;
  ASSERT_EQ(groups.Items.size(), 1u);
  const TFormValue& sub = groups.Items[0].Props.at(0).Value;
  ASSERT_EQ(sub.Items.size(), 2u);
  EXPECT_EQ(sub.Items[1].Props.at(0).Value.Int, 2);
  EXPECT_EQ(root.Children[1].Name, "Label2");
  EXPECT_EQ(root.Children[1].Line, 7);
}

struct ValueCase {
  const char* text;
  TFormValueKind kind;
  std::int64_t integer;
  double number;
  const char* str;
};

TEST(FormParser, ValuesOfEveryKind) {
  const ValueCase cases[] = {
      {"192", TFormValueKind::Integer, 192, 0, ""},
      {"-14", TFormValueKind::Integer, -14, 0, ""},
      {"+7", TFormValueKind::Integer, 7, 0, ""},
      {"$FF000010", TFormValueKind::Integer, 0xFF000010LL, 0, ""},
      {"$7fffffffffffffff", TFormValueKind::Integer, 0x7FFFFFFFFFFFFFFFLL, 0, ""},
      {"-$10", TFormValueKind::Integer, -16, 0, ""},
      {"9223372036854775807", TFormValueKind::Integer, 9223372036854775807LL, 0, ""},
      {"1.5", TFormValueKind::Float, 0, 1.5, ""},
      {"-2.5e1", TFormValueKind::Float, 0, -25.0, ""},
      {"3E2", TFormValueKind::Float, 0, 300.0, ""},
      {"True", TFormValueKind::Ident, 0, 0, "True"},
      {"alClient", TFormValueKind::Ident, 0, 0, "alClient"},
      {"''", TFormValueKind::String, 0, 0, ""},
      {"''''", TFormValueKind::String, 0, 0, "'"},
      {"'a' + 'b'", TFormValueKind::String, 0, 0, "ab"},
      {"'first ' +\n    'second'", TFormValueKind::String, 0, 0, "first second"},
      {"'a''b'", TFormValueKind::String, 0, 0, "a'b"},
      {"'注意：练习过程按ESC键结束'", TFormValueKind::String, 0, 0, "注意：练习过程按ESC键结束"},
      {"'// not a comment'", TFormValueKind::String, 0, 0, "// not a comment"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = std::string("object F: TF\n  P = ") + c.text + "\nend\n";
    TFormObject root = ParseFormDefinition(text, "v.form");
    ASSERT_EQ(root.Props.size(), 1u);
    const TFormValue& v = root.Props[0].Value;
    EXPECT_EQ(v.Kind, c.kind);
    EXPECT_EQ(v.Line, 2);
    if (c.kind == TFormValueKind::Integer) {
      EXPECT_EQ(v.Int, c.integer);
    } else if (c.kind == TFormValueKind::Float) {
      EXPECT_DOUBLE_EQ(v.Float, c.number);
    } else {
      EXPECT_EQ(v.Str, c.str);
    }
  }
}

TEST(FormParser, SetsListsAndBinaryForms) {
  TFormObject root = ParseFormDefinition(
      "object F: TF\n"
      "  Options = [ a , b,c ]\n"
      "  Lines = ()\n"
      "  Lines2 = ('x' + 'y' 'z')\n"
      "  Data = {}\n"
      "  Data2 = {  ab CD\n"
      "    eF  }\n"
      "  Keyword = object1\n"
      "end\n",
      "s.form");
  ASSERT_EQ(root.Props.size(), 6u);
  EXPECT_EQ(root.Props[0].Value.Names, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(root.Props[1].Value.Kind, TFormValueKind::List);
  EXPECT_TRUE(root.Props[1].Value.Strings.empty());
  EXPECT_EQ(root.Props[2].Value.Strings, (std::vector<std::string>{"xy", "z"}));
  EXPECT_EQ(root.Props[3].Value.Kind, TFormValueKind::Binary);
  EXPECT_TRUE(root.Props[3].Value.Bytes.empty());
  EXPECT_EQ(root.Props[4].Value.Bytes, (std::vector<std::uint8_t>{0xAB, 0xCD, 0xEF}));
  EXPECT_EQ(root.Props[5].Line, 8);  // lines counted across the binary value
  EXPECT_EQ(root.Props[5].Value.Str, "object1");
}

TEST(FormParser, KeywordsIgnoreCaseAndCrLfLines) {
  TFormObject root = ParseFormDefinition("OBJECT F: TF\r\n  Left = 1\r\n  Object B: TB\r\n  END\r\nEnd\r\n", "k.form");
  EXPECT_EQ(root.Props.at(0).Value.Int, 1);
  ASSERT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Line, 3);
  EXPECT_EQ(root.EndLine, 5);
}

struct BadCase {
  const char* text;
  int line;
  const char* property;
  const char* message;  // part of the detail
};

TEST(FormParser, BadDefinitionsNameFileLineAndProperty) {
  const BadCase cases[] = {
      {"object F: TF\n  Caption = 'abc\nend\n", 2, "Caption", "unterminated string"},
      {"object F: TF\n  Caption = 'a' +\n    5\nend\n", 3, "Caption", "string expected"},
      {"object F: TF\n  Data = {\n  0A0G }\nend\n", 3, "Data", "bad hex digit 'G'"},
      {"object F: TF\n  Data = { 0A0 }\nend\n", 2, "Data", "odd number of digits"},
      {"object F: TF\n  Data = { 0A0B\n", 2, "Data", "unterminated binary value"},
      {"object F: TF\n  Left = 1\n  object B: TB\n  end\n", 5, "", "missing 'end' of object F (begun on line 1)"},
      {"object F: TF\n  object B: TB\n    Left = 1\n", 4, "", "missing 'end' of object B (begun on line 2)"},
      {"object F: TF\n  Left = @\nend\n", 2, "Left", "unknown token '@'"},
      {"object F: TF\n  Left \xB4\xF2\nend\n", 2, "Left", "unknown token $B4"},
      {"object F: TF\n  Left 5\nend\n", 2, "Left", "'=' expected but number 5 found"},
      {"object F: TF\n  Left =\nend\n", 3, "Left", "value expected but 'end' found"},
      {"object F: TF\n  Left = 1\nend\nend\n", 4, "", "after the end of object F"},
      {"object F: TF\n  Left = 99999999999999999999\nend\n", 2, "Left", "number out of range"},
      {"object F: TF\n  Left = $\nend\n", 2, "Left", "no digits after '$'"},
      {"object F: TF\n  Left = $12345678901234567\nend\n", 2, "Left", "number out of range"},
      {"object F: TF\n  Left = 12ab\nend\n", 2, "Left", "bad number"},
      {"object F: TF\n  Left = -x\nend\n", 2, "Left", "number expected after sign"},
      {"object F: TF\n  Items = (\n    'a'\n    1)\nend\n", 4, "Items", "string expected in list"},
      {"object F: TF\n  Items = ('a'\n", 3, "Items", "missing ')'"},
      {"object F: TF\n  Style = [a b]\nend\n", 2, "Style", "',' or ']' expected"},
      {"object F: TF\n  Style = [a, 1]\nend\n", 2, "Style", "set element expected"},
      {"object F: TF\n  Cols = <\n    item\n      Width = 1\n", 5, "Cols", "missing 'end' of the item begun on line 3"},
      {"object F: TF\n  Cols = <\n    item end\n", 4, "Cols", "missing '>'"},
      {"object F: TF\n  Cols = < Width = 1 >\nend\n", 2, "Cols", "'item' or '>' expected"},
      {"object F: TF\n  Cols = <\n    item\n      Width = 1\n    end\n    item\n      Width = 'x\n    end>\nend\n", 7,
       "Cols[1].Width", "unterminated string"},
      {"object F: TF\n  item\nend\n", 2, "", "'item' outside a collection"},
      {"object F: TF\n  Font. = 1\nend\n", 2, "Font", "property name expected"},
      {"object F TF\nend\n", 1, "", "':' expected"},
      {"object : TF\nend\n", 1, "", "object name expected"},
      {"form F: TF\nend\n", 1, "", "'object' expected"},
      {"", 1, "", "no object in the definition"},
      {"// only a comment\n\n", 3, "", "no object in the definition"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseFormDefinition(c.text, "Unit9.form");
      ADD_FAILURE() << "no error";
    } catch (const EFormDefError& e) {
      EXPECT_EQ(e.File(), "Unit9.form");
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Property(), c.property);
      EXPECT_NE(e.Detail().find(c.message), std::string::npos) << e.Detail();
    }
  }
}

TEST(FormParser, DeepNestingIsRefused) {
  std::string objects, collection = "object F: TF\n  P = ";
  for (int i = 0; i < 65; ++i) objects += "object O" + std::to_string(i) + ": TO\n";
  for (int i = 0; i < 64; ++i) collection += "<item P = ";
  for (const std::string& text : {objects, collection}) {
    try {
      ParseFormDefinition(text, "deep.form");
      ADD_FAILURE() << "no error";
    } catch (const EFormDefError& e) {
      EXPECT_NE(e.Detail().find("nested too deeply"), std::string::npos) << e.Detail();
    }
  }
  // Sixty-four levels are still read.
  std::string fine;
  for (int i = 0; i < 64; ++i) fine += "object O" + std::to_string(i) + ": TO\n";
  for (int i = 0; i < 64; ++i) fine += "end\n";
  EXPECT_EQ(ParseFormDefinition(fine, "deep.form").Children.size(), 1u);
}

TEST(FormParser, ErrorMessageSaysWhere) {
  try {
    ParseFormDefinition("object Form1: TForm1\n  Caption = 'open\nend\n", "Unit1.form");
    FAIL() << "no error";
  } catch (const EFormDefError& e) {
    EXPECT_EQ(e.Message(), "Unit1.form(2): property Caption: unterminated string");
  }
  try {
    ParseFormDefinition("object Form1: TForm1\n", "Unit1.form");
    FAIL() << "no error";
  } catch (const EFormDefError& e) {
    EXPECT_EQ(e.Message(), "Unit1.form(2): missing 'end' of object Form1 (begun on line 1)");
  }
}

}  // namespace
