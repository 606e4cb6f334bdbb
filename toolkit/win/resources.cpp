#include "toolkit/win/resources.h"

#include <windows.h>

#include "toolkit/base/gbk_wide.h"

const char* const RT_RCDATA_NAME = "#10";

namespace {
std::string& FolderOverride() {
  static std::string folder;
  return folder;
}
}  // namespace

TModule LoadDataModule(const std::string& path) {
  return LoadLibraryExW(GbkToWide(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void FreeDataModule(TModule module) {
  if (module) FreeLibrary(module);
}

bool FindResourceView(TModule module, const std::string& name, const std::string& type, TResourceView& view) {
  if (name.empty() || type.empty()) return false;
  HRSRC info = FindResourceW(module, GbkToWide(name).c_str(), GbkToWide(type).c_str());
  if (!info) return false;
  HGLOBAL data = LoadResource(module, info);
  if (!data) return false;
  const void* p = LockResource(data);
  if (!p) return false;
  view.Data = p;
  view.Size = SizeofResource(module, info);
  return true;
}

TResourceView ResourceView(TModule module, const std::string& name, const std::string& type) {
  TResourceView view;
  if (!FindResourceView(module, name, type, view)) throw EResNotFound("Resource " + name + " not found");
  return view;
}

std::string ProgramFolder() {
  if (!FolderOverride().empty()) return FolderOverride();
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  std::size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return WideToGbk(path);
}

void SetProgramFolderOverride(const std::string& folder) {
  std::string f = folder;
  if (!f.empty() && f.back() != '\\' && f.back() != '/') f += '\\';
  FolderOverride() = f;
}

std::string UserTempFolder() {
  wchar_t path[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, path);
  if (n == 0 || n > MAX_PATH) return std::string();
  std::string folder = WideToGbk(std::wstring(path, n));
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}
