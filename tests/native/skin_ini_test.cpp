// The skin description reader.
#include <gtest/gtest.h>

#include <string>

#include "skin/portable/quick_ini.h"
#include "toolkit/base/classes.h"

namespace {
TQuickIni Ini(const std::string& text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

std::vector<std::string> Sections(const TQuickIni& ini) {
  TStringList list;
  list.Add("stale");
  ini.ReadSections(list);
  return list.ToVector();
}
}  // namespace

TEST(SkinIni, ReadsKeysAndSectionsWithoutRegardToCase) {
  TQuickIni ini = Ini("[Buttons]\r\nRightwidth = 7 \r\nName=Calm blue\n[Other]\nRightWidth=9\n");
  EXPECT_EQ(ini.ReadInteger("buttons", "RightWidth", 0), 7);
  EXPECT_EQ(ini.ReadString("BUTTONS", "name", ""), "Calm blue");
  EXPECT_EQ(ini.ReadInteger("Other", "rightwidth", 0), 9);
  EXPECT_EQ(ini.ReadString("Missing", "Name", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Buttons", "Missing", "dflt"), "dflt");
  // The scan stops at the next header: Other's key is not Buttons'.
  EXPECT_EQ(ini.ReadString("Buttons", "Absent", "-"), "-");
}

TEST(SkinIni, CutsLinesAtCrLfAndNulAndDropsComments) {
  const char text[] = "[a]\rk1=1\nk2=2\r\n\r\n; k3=3\r\n  \t\r\nk4=4;5\r\nk5\r\n=6\0[b]\nk=7\n";
  TQuickIni ini = Ini(std::string(text, sizeof text - 1));
  EXPECT_EQ(ini.ReadString("a", "k1", ""), "1");
  EXPECT_EQ(ini.ReadString("a", "k2", ""), "2");
  EXPECT_EQ(ini.ReadString("a", "k3", "none"), "none");  // a whole line comment
  EXPECT_EQ(ini.ReadString("a", "k4", ""), "4;5");       // a semicolon after a value is part of it
  EXPECT_EQ(ini.ReadString("a", "", "empty key"), "empty key");
  EXPECT_EQ(ini.SectionLine("b"), -1);  // after the NUL
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[a]", "k1=1", "k2=2", "k4=4;5", "k5", "=6"}));
}

TEST(SkinIni, ConvertsDecimalAndHexadecimalIntegers) {
  TQuickIni ini = Ini("[n]\nneg=-12\nhex=0x1F\nHEX=0XfF\ndollar=$10\nbad=12px\nbare=0x\nbig=99999999999\nall=0xFFFFFFFF\n");
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 0x1F);  // "hex" and "HEX" are one key: the first wins
  EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 16);
  EXPECT_EQ(ini.ReadInteger("n", "bad", -5), -5);
  EXPECT_EQ(ini.ReadInteger("n", "bare", -5), -5);
  EXPECT_EQ(ini.ReadInteger("n", "big", -5), -5);
  EXPECT_EQ(ini.ReadInteger("n", "all", 0), -1);
  EXPECT_EQ(ini.ReadInteger("n", "missing", 42), 42);
}

TEST(SkinIni, EmptyValueAndDuplicatesTakeTheFirstOccurrence) {
  TQuickIni ini = Ini("[s]\nk=\nk=later\n[S]\nother=1\n[t]\nx=1\n");
  EXPECT_EQ(ini.ReadString("s", "k", "default"), "default");
  EXPECT_EQ(ini.ReadString("s", "other", "first section only"), "first section only");
  EXPECT_EQ(Sections(ini), (std::vector<std::string>{"s", "S", "t"}));
}

TEST(SkinIni, SectionNamesAreTrimmedAlikeForListingAndReading) {
  // A header with blanks inside the brackets must not read as a section of defaults.
  TQuickIni ini = Ini("[ Button1 ]\nAction=0\n[Button2]\nAction=2\n[]\nk=v\n");
  EXPECT_EQ(Sections(ini), (std::vector<std::string>{"Button1", "Button2", ""}));
  for (const std::string& name : Sections(ini)) EXPECT_GE(ini.SectionLine(name), 0) << name;
  EXPECT_EQ(ini.SectionLine("button1"), 0);
  EXPECT_EQ(ini.ReadInteger("Button1", "Action", -1), 0);
  EXPECT_EQ(ini.ReadInteger(" Button2 ", "Action", -1), 2);
}

TEST(SkinIni, LoadsFromTheStreamPositionAndReplacesEarlierText) {
  TMemoryStream s;
  std::string text = "[skip]\n[Fonts]\nFontHeight=16\n";
  s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  s.SetPosition(7);
  TQuickIni ini = Ini("[old]\nk=1\n");
  ini.LoadFromStream(s);
  EXPECT_EQ(ini.ReadInteger("Fonts", "FontHeight", 14), 16);
  EXPECT_EQ(ini.SectionLine("old"), -1);
  EXPECT_EQ(ini.SectionLine("skip"), -1);
  ini.LoadFromText("");
  EXPECT_TRUE(ini.Lines().empty());
  EXPECT_EQ(ini.ReadString("Fonts", "FontHeight", "d"), "d");
}
