#pragma once
// A scratch copy of the built program's folder, for tests that start the main
// window with files missing or damaged, and the application they run in.
#include <windows.h>

#include <string>

#include "practice/data/score_place.h"
#include "practice/main/practice_state.h"
#include "practice/main/score_store.h"
#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"
#include "app_support.h"
#include "toolkit/win/application.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/resources.h"

// What a first start of the program finds: a new application, no practice
// state, no score file of the user's own, and no stored settings unless
// they are kept.
inline void FreshProgramStart(bool keepSettings = false) {
  FreshApplication();
  Practice = TPracticeState{};
  if (!keepSettings)
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, L"Software\\Sunvelo\\Tapmira");
  RemoveFile(UserScoreFolder() + ScoreFileName);
}

// The program's folder in the build tree, as Wine sees it ("Z:\...\bin\").
// A left click at the middle of a window, posted as the mouse delivers it.
inline void PostMiddleClick(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(w, WM_LBUTTONUP, 0, at);
}

inline std::string BuiltProgramFolder() {
  std::string unix = TAPMIRA_PROGRAM_DIR;
  std::string path = "Z:";
  for (char c : unix) path += c == '/' ? '\\' : c;
  if (path.back() != '\\') path += '\\';
  return path;
}

// Copies the program folder's files (not its sub-folders, nor the
// demonstration video, which would open a player) into a new folder.
inline std::string CopyProgramFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string folder = WideToGbk(temp) + name + "\\";
  CreateDirectoryW(GbkToWide(folder).c_str(), nullptr);
  std::vector<TSearchRec> entries;
  ListDirectory(BuiltProgramFolder(), entries);
  for (const TSearchRec& e : entries) {
    if (e.IsDirectory() || e.Name == "Tapmira2020使用演示.mp4") continue;
    TBytes bytes;
    if (ReadFileBytes(BuiltProgramFolder() + e.Name, bytes)) WriteFileBytes(folder + e.Name, bytes.data(), bytes.size());
  }
  return folder;
}
