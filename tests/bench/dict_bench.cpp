// Dictionary loading under Wine: the eleven files in start-up order (median of
// several loads), and how much of it is deciphering and the temporary files.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "practice/data/dict_cipher.h"
#include "practice/data/dict_load.h"
#include "toolkit/base/gbk_wide.h"

namespace {

const char* const kFiles[] = {"wb1.dat",     "wb2.dat", "wbzg.dat", "wbOne.dat",  "wbs.dat",    "wbTwo.dat",
                              "wbMulti.dat", "PYs.dat", "PYOne.dat", "PYTwo.dat", "PYMulti.dat"};
const int kRuns = 9;

// The built program folder as Wine sees it ("Z:\...\bin\").
std::string BuiltFolder() {
  std::string path = "Z:";
  for (char c : std::string(TAPMIRA_PROGRAM_DIR)) path += c == '/' ? '\\' : c;
  return path.back() == '\\' ? path : path + '\\';
}

// A scratch copy of the data files, so the temporary files stay out of the build.
std::string CopyData() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = WideToGbk(temp) + "dictbench\\";
  CreateDirectoryW(GbkToWide(folder).c_str(), nullptr);
  for (const char* name : kFiles) {
    TBytes bytes;
    if (!ReadFileBytes(BuiltFolder() + name, bytes) || !WriteFileBytes(folder + name, bytes.data(), bytes.size()))
      return std::string();
  }
  return folder;
}

template <class F>
double MedianMs(F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace

int main() {
  const std::string folder = CopyData();
  if (folder.empty()) {
    std::printf("the data files are missing from %s\n", BuiltFolder().c_str());
    return 1;
  }
  bool ok = true;
  // Each load into fresh memory, as at start-up; the tables are freed after the timing.
  std::vector<std::unique_ptr<TDictionaries>> loaded;
  for (int i = 0; i < kRuns; ++i) loaded.push_back(std::make_unique<TDictionaries>());
  int run = 0;
  const double total = MedianMs([&] {
    ok = LoadDictionaries(folder, *loaded[std::size_t(run++)]).Status == TDictLoadStatus::Ok && ok;
  });
  loaded.clear();
  // As the loader does: one buffer that every file goes through in turn.
  const double decipher = MedianMs([&] {
    TBytes plain;
    for (int i = 2; i < 11; ++i) DecipherFile(folder + kFiles[i], plain);
  });
  std::vector<TBytes> plains(11);
  for (int i = 3; i < 11; ++i) DecipherFile(folder + kFiles[i], plains[i]);
  const double temp = MedianMs([&] {
    TBytes back;
    for (int i = 3; i < 11; ++i) {
      const std::string path = folder + TempDictionaryName(kFiles[i]);
      TTempFile file(path);
      file.Write(plains[i]);
      file.ReadBack(back);
    }
  });
  for (const char* name : kFiles) RemoveFile(folder + name);
  RemoveDirectoryW(GbkToWide(folder).c_str());

  std::printf("dictionary loading: %.1f ms (median of %d), of which reading and deciphering %.1f ms, "
              "temporary files %.1f ms, the rest (lines into tables) %.1f ms\n",
              total, kRuns, decipher, temp, total - decipher - temp);
  std::printf("%d passed, %d failed\n", ok ? 1 : 0, ok ? 0 : 1);
  return ok ? 0 : 1;
}
