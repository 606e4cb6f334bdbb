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
  // Stores raw data the way another program (or damage) might have left it.
  void RawSet(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBaseW, 0, KEY_SET_VALUE, &k), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(k);
  }
  TRegistry reg;
};
}  // namespace

TEST_F(ServicesRegistry, RootIsLocalMachineAndKeysOpenOnlyWhenAllowedToCreate) {
  TRegistry fresh;
  EXPECT_EQ(fresh.RootKey(), HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(fresh.HasCurrentKey());
  std::string sub = std::string(kBase) + "\\A\\B";
  EXPECT_FALSE(fresh.KeyExists(sub));
  EXPECT_FALSE(fresh.OpenKey(sub, false));
  EXPECT_FALSE(fresh.HasCurrentKey());
  EXPECT_TRUE(fresh.CreateKey(sub));
  EXPECT_FALSE(fresh.HasCurrentKey());  // CreateKey leaves no key open
  EXPECT_TRUE(fresh.KeyExists(sub));
  EXPECT_TRUE(fresh.OpenKey(sub, false));
  EXPECT_EQ(fresh.CurrentPath(), "Software\\TapmiraServicesTest\\A\\B");
}

TEST_F(ServicesRegistry, RelativePathsStartAtTheOpenKey) {
  ASSERT_TRUE(reg.OpenKey("Settings\\Inner", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\TapmiraServicesTest\\Settings\\Inner");
  reg.WriteInteger("x", 3);
  TRegistry other;
  ASSERT_TRUE(other.OpenKey(std::string(kBase) + "\\Settings\\Inner", false));
  EXPECT_EQ(other.ReadInteger("x"), 3);
  // A leading separator goes back to the root.
  ASSERT_TRUE(reg.OpenKey(kBase, false));
  EXPECT_EQ(reg.CurrentPath(), "Software\\TapmiraServicesTest");
}

TEST_F(ServicesRegistry, IntegersRoundTrip) {
  const int values[] = {0, 1, -1, 5, 25, INT_MAX, INT_MIN};
  for (int v : values) {
    reg.WriteInteger("Interval", v);
    EXPECT_EQ(reg.GetDataType("Interval"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.ReadInteger("Interval"), v);
  }
}

TEST_F(ServicesRegistry, GbkStringsRoundTripAndAreStoredAsUnicode) {
  const std::string values[] = {"", "abc;", "张三;李四;abc;", "星期日\\路径", std::string(3000, 'x') + "尾"};
  for (const std::string& v : values) {
    reg.WriteString("Users", v);
    EXPECT_EQ(reg.GetDataType("Users"), TRegDataType::rdString);
    EXPECT_EQ(reg.ReadString("Users"), v);
  }
  // Another program reading the value sees the characters, not GBK bytes.
  reg.WriteString("CurrentUser", "张三");
  wchar_t buf[16] = {0};
  DWORD size = sizeof(buf);
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kBaseW, L"CurrentUser", RRF_RT_REG_SZ, nullptr, buf, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(buf), L"\u5f20\u4e09");
  // Value names are GBK too.
  reg.WriteInteger("用户数", 2);
  EXPECT_TRUE(reg.ValueExists("用户数"));
  EXPECT_EQ(reg.ReadInteger("用户数"), 2);
}

TEST_F(ServicesRegistry, MissingValues) {
  EXPECT_FALSE(reg.ValueExists("PlayMp3"));
  EXPECT_EQ(reg.GetDataType("PlayMp3"), TRegDataType::rdUnknown);
  EXPECT_THROW(reg.ReadInteger("PlayMp3"), ERegistryException);
  EXPECT_EQ(reg.ReadString("Users"), "");
}

TEST_F(ServicesRegistry, WrongTypesAreToldAndRefused) {
  const DWORD two = 2;
  const unsigned char blob[] = {1, 2, 3};
  const unsigned short shortDword = 7;
  const unsigned long long qword = 9;
  RawSet(L"AsString", REG_SZ, L"5", 4);
  RawSet(L"AsInteger", REG_DWORD, &two, sizeof(two));
  RawSet(L"AsBinary", REG_BINARY, blob, sizeof(blob));
  RawSet(L"ShortDword", REG_DWORD, &shortDword, sizeof(shortDword));
  RawSet(L"AsQword", REG_QWORD, &qword, sizeof(qword));
  struct Case {
    const char* Name;
    TRegDataType Type;
    bool IntegerReads;
    bool StringReads;
  } cases[] = {
      {"AsString", TRegDataType::rdString, false, true},
      {"AsInteger", TRegDataType::rdInteger, true, false},
      {"AsBinary", TRegDataType::rdBinary, false, false},
      {"ShortDword", TRegDataType::rdInteger, false, false},
      {"AsQword", TRegDataType::rdUnknown, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_TRUE(reg.ValueExists(c.Name));
    EXPECT_EQ(reg.GetDataType(c.Name), c.Type);
    if (c.IntegerReads) EXPECT_NO_THROW(reg.ReadInteger(c.Name));
    else EXPECT_THROW(reg.ReadInteger(c.Name), ERegistryException);
    if (c.StringReads) EXPECT_NO_THROW(reg.ReadString(c.Name));
    else EXPECT_THROW(reg.ReadString(c.Name), ERegistryException);
  }
  try {
    reg.ReadInteger("AsString");
  } catch (const ERegistryException& e) {
    EXPECT_NE(e.Message().find("AsString"), std::string::npos) << e.Message();
  }
  // A failed read changes nothing stored.
  EXPECT_EQ(reg.ReadString("AsString"), "5");
}

TEST_F(ServicesRegistry, StringsWithoutTerminatorOrWithOddSizeReadCleanly) {
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  RawSet(L"NoNul", REG_SZ, unterminated, sizeof(unterminated));
  EXPECT_EQ(reg.ReadString("NoNul"), "abc");
  const char odd[] = {'x', 0, 'y', 0, 'z'};
  RawSet(L"Odd", REG_SZ, odd, sizeof(odd));
  EXPECT_EQ(reg.ReadString("Odd"), "xy");
  const wchar_t inner[] = {L'a', 0, L'b', 0};
  RawSet(L"InnerNul", REG_SZ, inner, sizeof(inner));
  EXPECT_EQ(reg.ReadString("InnerNul"), "a");
}

TEST_F(ServicesRegistry, ValuesNeedAnOpenKey) {
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("x"));
  EXPECT_EQ(reg.GetDataType("x"), TRegDataType::rdUnknown);
  EXPECT_THROW(reg.ReadInteger("x"), ERegistryException);
  EXPECT_THROW(reg.ReadString("x"), ERegistryException);
  EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);
  EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
}
