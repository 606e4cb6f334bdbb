#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/resources.h"
#include "toolkit/win/sound.h"

namespace {
// svctest.dll is built from tests/win/services_res.rc beside win_tests.exe.
class ServicesResources : public ::testing::Test {
protected:
  void SetUp() override {
    module = LoadDataModule(ProgramFolder() + "svctest.dll");
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override { FreeDataModule(module); }
  TModule module = nullptr;
};

bool Starts(const TResourceView& v, const char* prefix) {
  std::size_t n = std::strlen(prefix);
  return v.Size >= n && std::memcmp(v.Data, prefix, n) == 0;
}
}  // namespace

TEST_F(ServicesResources, FindsResourcesByNameAndTypeWithoutRegardToCase) {
  struct Case {
    const char* Name;
    const char* Type;
    std::size_t Size;
    const char* Prefix;
  } cases[] = {
      {"MyWAVabc", "WAV", 144, "RIFF"},
      {"mywavABC", "wav", 144, "RIFF"},
      {"MywbGIF3499", "GIF", 8, "GIF89a"},
      {"TESTFORM", "FORMDEF", 12, "object Form1"},
      {"#7", RT_RCDATA_NAME, 5, "seven"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TResourceView v;
    ASSERT_TRUE(FindResourceView(module, c.Name, c.Type, v));
    EXPECT_EQ(v.Size, c.Size);
    EXPECT_TRUE(Starts(v, c.Prefix));
  }
}

TEST_F(ServicesResources, AbsentResourcesAreFalseOrRaiseNamingTheResource) {
  struct Case {
    const char* Name;
    const char* Type;
  } cases[] = {{"MywbGIF3500", "GIF"}, {"MyWAVabc", "GIF"}, {"", "WAV"}, {"MyWAVabc", ""}, {"#8", RT_RCDATA_NAME}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TResourceView v;
    EXPECT_FALSE(FindResourceView(module, c.Name, c.Type, v));
    EXPECT_EQ(v.Data, nullptr);
  }
  try {
    ResourceView(module, "MywbGIF3500", "GIF");
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_NE(e.Message().find("MywbGIF3500"), std::string::npos);
  }
}

TEST_F(ServicesResources, ViewPointsIntoModuleMemoryWithoutCopying) {
  TResourceView a = ResourceView(module, "MyWAVabc", "WAV");
  TResourceView b = ResourceView(module, "MYWAVABC", "WAV");
  EXPECT_EQ(a.Data, b.Data);
  // The data lies inside the module's mapped image.
  MEMORY_BASIC_INFORMATION mbi;
  ASSERT_NE(VirtualQuery(a.Data, &mbi, sizeof(mbi)), 0u);
  // A module loaded as data has its handle's low bits set: the rest is its base.
  auto base = reinterpret_cast<std::uintptr_t>(module) & ~static_cast<std::uintptr_t>(3);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(mbi.AllocationBase), base);
}

TEST(ServicesModules, LoadsByGbkPathAndFailsCleanlyOnMissingFiles) {
  EXPECT_EQ(LoadDataModule(ProgramFolder() + "no-such-module.dll"), nullptr);
  FreeDataModule(nullptr);  // harmless
  // A copy under a Chinese name.
  std::string copy = ProgramFolder() + "资源模块.dll";
  ASSERT_TRUE(CopyFileW(GbkToWide(ProgramFolder() + "svctest.dll").c_str(), GbkToWide(copy).c_str(), FALSE))
      << GetLastError();
  TModule m = LoadDataModule(copy);
  ASSERT_NE(m, nullptr);
  TResourceView v;
  EXPECT_TRUE(FindResourceView(m, "MywbGIF3499", "GIF", v));
  FreeDataModule(m);
  DeleteFileW(GbkToWide(copy).c_str());
}

TEST(ServicesProgramFolder, IsTheExeFolderUnlessOverridden) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(FileExists(folder + "win_tests.exe"));
  EXPECT_TRUE(FileExists(folder + "svctest.dll"));
  struct Case {
    const char* Given;
    const char* Folder;
  } cases[] = {{"C:\\scratch", "C:\\scratch\\"}, {"C:\\scratch\\", "C:\\scratch\\"}, {"D:\\打字\\", "D:\\打字\\"}};
  for (const Case& c : cases) {
    SetProgramFolderOverride(c.Given);
    EXPECT_EQ(ProgramFolder(), c.Folder);
  }
  SetProgramFolderOverride("");
  EXPECT_EQ(ProgramFolder(), folder);
}

TEST_F(ServicesResources, SoundsAreHandedOverOnlyWhenTheyAreWaveData) {
  TResourceView wav = ResourceView(module, "MyWAVabc", "WAV");
  TResourceView gif = ResourceView(module, "MywbGIF3499", "GIF");
  TResourceView tooShort{wav.Data, 8};
  EXPECT_FALSE(PlaySoundFromMemory(gif));
  EXPECT_FALSE(PlaySoundFromMemory(tooShort));
  EXPECT_FALSE(PlaySoundFromMemory(TResourceView{}));
  // Real wave data goes to the system (which stays silent without a device).
  PlaySoundFromMemory(wav);
  StopSound();
}
