#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <string>

#include "toolkit/win/registry.h"

namespace {
const char kBase[] = "\\Software\\TapmiraServicesTest";
const wchar_t kBaseW[] = L"Software\\TapmiraServicesTest";

class ServicesRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBaseW);
    ASSERT_TRUE(reg.OpenKey(kBase, true));
  }
  void TearDown() override {
    reg.CloseKey();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBaseW);
  }
  // Raw data as another program (or damage) may have left it.
  static void RawSet(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kBaseW, name, type, data, size), ERROR_SUCCESS);
  }
  TRegistry reg;
};
}  // namespace

TEST_F(ServicesRegistry, KeysOpenCreateAndResolvePaths) {
  TRegistry r;
  EXPECT_EQ(r.RootKey(), HKEY_LOCAL_MACHINE);
  std::string sub = std::string(kBase) + "\\A\\B";
  EXPECT_FALSE(r.KeyExists(sub));
  EXPECT_FALSE(r.OpenKey(sub, false));
  EXPECT_TRUE(r.CreateKey(sub));
  EXPECT_FALSE(r.HasCurrentKey());  // CreateKey opens nothing
  EXPECT_TRUE(r.KeyExists(sub));
  ASSERT_TRUE(r.OpenKey(sub, false));
  EXPECT_EQ(r.CurrentPath(), "Software\\TapmiraServicesTest\\A\\B");
  // Relative to the open key; a leading separator goes back to the root.
  ASSERT_TRUE(reg.OpenKey("A\\B\\C", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\TapmiraServicesTest\\A\\B\\C");
  EXPECT_TRUE(r.KeyExists("C"));
  ASSERT_TRUE(reg.OpenKey(kBase, false));
  EXPECT_EQ(reg.CurrentPath(), "Software\\TapmiraServicesTest");
}

TEST_F(ServicesRegistry, IntegersAndGbkStringsRoundTrip) {
  for (int v : {0, 1, -1, 25, INT_MAX, INT_MIN}) {
    reg.WriteInteger("Interval", v);
    EXPECT_EQ(reg.GetDataType("Interval"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.ReadInteger("Interval"), v);
  }
  for (const std::string& v : {std::string(), std::string("abc;"), std::string("张三;李四;abc;"),
                               std::string("星期日\\路径"), std::string(3000, 'x') + "尾"}) {
    reg.WriteString("Users", v);
    EXPECT_EQ(reg.GetDataType("Users"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadString("Users"), v);
  }
  // Stored as characters, not GBK bytes, so other programs read them right.
  reg.WriteString("CurrentUser", "张三");
  wchar_t buf[16] = {0};
  DWORD size = sizeof(buf);
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kBaseW, L"CurrentUser", RRF_RT_REG_SZ, nullptr, buf, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(buf), L"\u5f20\u4e09");
  reg.WriteInteger("用户数", 2);  // GBK value names
  EXPECT_EQ(reg.ReadInteger("用户数"), 2);
}

TEST_F(ServicesRegistry, MissingAndWrongTypedValuesAreToldAndRefused) {
  const DWORD two = 2;
  const unsigned char blob[] = {1, 2, 3};
  const unsigned short shortDword = 7;
  const unsigned long long qword = 9;
  RawSet(L"AsString", REG_SZ, L"5", 4);
  RawSet(L"AsInteger", REG_DWORD, &two, sizeof(two));
  RawSet(L"AsBinary", REG_BINARY, blob, sizeof(blob));
  RawSet(L"ShortDword", REG_DWORD, &shortDword, sizeof(shortDword));
  RawSet(L"AsQword", REG_QWORD, &qword, sizeof(qword));
  struct Case { const char* Name; bool Exists; TRegDataType Type; bool IntReads, StrReads; } cases[] = {
      {"AsString", true, TRegDataType::rdString, false, true},
      {"AsInteger", true, TRegDataType::rdInteger, true, false},
      {"AsBinary", true, TRegDataType::rdBinary, false, false},
      {"ShortDword", true, TRegDataType::rdInteger, false, false},
      {"AsQword", true, TRegDataType::rdUnknown, false, false},
      {"Missing", false, TRegDataType::rdUnknown, false, true},  // reads as ""
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(reg.ValueExists(c.Name), c.Exists);
    EXPECT_EQ(reg.GetDataType(c.Name), c.Type);
    if (c.IntReads) EXPECT_NO_THROW(reg.ReadInteger(c.Name));
    else EXPECT_THROW(reg.ReadInteger(c.Name), ERegistryException);
    if (c.StrReads) EXPECT_NO_THROW(reg.ReadString(c.Name));
    else EXPECT_THROW(reg.ReadString(c.Name), ERegistryException);
  }
  EXPECT_EQ(reg.ReadString("Missing"), "");
  try {
    reg.ReadInteger("AsString");
  } catch (const ERegistryException& e) {
    EXPECT_NE(e.Message().find("AsString"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(reg.ReadString("AsString"), "5");  // a refused read changes nothing
}

TEST_F(ServicesRegistry, StringsWithoutTerminatorOrWithOddSizeReadCleanly) {
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  const char odd[] = {'x', 0, 'y', 0, 'z'};
  const wchar_t inner[] = {L'a', 0, L'b', 0};
  RawSet(L"NoNul", REG_SZ, unterminated, sizeof(unterminated));
  RawSet(L"Odd", REG_SZ, odd, sizeof(odd));
  RawSet(L"InnerNul", REG_SZ, inner, sizeof(inner));
  EXPECT_EQ(reg.ReadString("NoNul"), "abc");
  EXPECT_EQ(reg.ReadString("Odd"), "xy");
  EXPECT_EQ(reg.ReadString("InnerNul"), "a");
}

TEST_F(ServicesRegistry, ValuesNeedAnOpenKey) {
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("x"));
  EXPECT_THROW(reg.ReadInteger("x"), ERegistryException);
  EXPECT_THROW(reg.ReadString("x"), ERegistryException);
  EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);
  EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
}
