#pragma once
// A scratch copy of the built program's folder, for tests that start the main
// window with files missing or damaged, and the application they run in.
#include <windows.h>

#include <string>

#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"
#include "app_support.h"
#include "toolkit/win/application.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/resources.h"

// The program's folder in the build tree, as Wine sees it ("Z:\...\bin\").
inline std::string BuiltProgramFolder() {
  std::string unix = TAPMIRA_PROGRAM_DIR;
  std::string path = "Z:";
  for (char c : unix) path += c == '/' ? '\\' : c;
  if (path.back() != '\\') path += '\\';
  return path;
}

// Copies the program folder's files (not its sub-folders) into a new folder.
inline std::string CopyProgramFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string folder = WideToGbk(temp) + name + "\\";
  CreateDirectoryW(GbkToWide(folder).c_str(), nullptr);
  std::vector<TSearchRec> entries;
  ListDirectory(BuiltProgramFolder(), entries);
  for (const TSearchRec& e : entries) {
    if (e.IsDirectory()) continue;
    TBytes bytes;
    if (ReadFileBytes(BuiltProgramFolder() + e.Name, bytes)) WriteFileBytes(folder + e.Name, bytes.data(), bytes.size());
  }
  return folder;
}
