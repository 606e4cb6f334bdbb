#include "toolkit/base/directory.h"

#include "toolkit/base/sysutils.h"

#ifdef _WIN32
#include <windows.h>

#include "toolkit/base/gbk_wide.h"

namespace {

// False when some character has no GBK form.
bool Gbk(const wchar_t* w, std::string& out) {
  int len = static_cast<int>(wcslen(w));
  out.clear();
  if (len == 0) return true;
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(936, 0, w, len, nullptr, 0, nullptr, &lossy);
  out.assign(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, w, len, &out[0], n, nullptr, &lossy);
  return !lossy;
}
}  // namespace

bool ListDirectory(const std::string& folder, std::vector<TSearchRec>& entries) {
  entries.clear();
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(GbkToWide((folder.empty() ? "" : IncludeTrailingPathDelimiter(folder)) + "*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    // An empty drive root has no "." entry to find: it is still a folder.
    DWORD a = GetFileAttributesW(GbkToWide(folder.empty() ? "." : folder).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  do {
    if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0) continue;
    TSearchRec r;
    if (!Gbk(fd.cFileName, r.Name) && fd.cAlternateFileName[0]) Gbk(fd.cAlternateFileName, r.Name);
    r.Attr = static_cast<int>(fd.dwFileAttributes);
    r.Size = (static_cast<std::int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    entries.push_back(std::move(r));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return true;
}

namespace {
bool IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesW(GbkToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
bool MakeFolder(const std::string& path) { return CreateDirectoryW(GbkToWide(path).c_str(), nullptr) != 0; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

#else
#include <dirent.h>
#include <sys/stat.h>

bool ListDirectory(const std::string& folder, std::vector<TSearchRec>& entries) {
  entries.clear();
  DIR* d = opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return false;
  const std::string base = folder.empty() ? "" : IncludeTrailingPathDelimiter(folder);
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    TSearchRec r;
    r.Name = name;
    struct stat st;
    if (stat((base + name).c_str(), &st) == 0) {
      r.Attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
      r.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::int64_t>(st.st_size);
    } else {
      r.Attr = faArchive;  // a dangling link: listed as a file
    }
    entries.push_back(std::move(r));
  }
  closedir(d);
  return true;
}

namespace {
bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }
bool IsSeparator(char c) { return c == '/'; }
}  // namespace
#endif

// A level above that cannot be made (a drive, a share) is passed over: the
// folder itself is checked at the end.
bool ForceDirectories(const std::string& folder) {
  std::string f = folder;
  while (!f.empty() && IsSeparator(f.back()) && ByteType(f, f.size() - 1) == TMbcsByteType::mbSingleByte) f.pop_back();
  if (f.empty()) return false;
  if (IsFolder(f)) return true;
  const std::string parent = ExtractFilePath(f);
  if (!parent.empty()) ForceDirectories(parent);
  MakeFolder(f);
  return IsFolder(f);
}
