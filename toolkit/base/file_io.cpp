#include "toolkit/base/file_io.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "toolkit/base/gbk_wide.h"

namespace {
FILE* Open(const std::string& path, const wchar_t* mode) { return _wfopen(GbkToWide(path).c_str(), mode); }
}  // namespace

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesW(GbkToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
bool RemoveFile(const std::string& path) { return DeleteFileW(GbkToWide(path).c_str()) != 0; }
bool MoveFileOver(const std::string& source, const std::string& target) {
  return MoveFileExW(GbkToWide(source).c_str(), GbkToWide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#define OPEN_READ(p) Open(p, L"rb")
#define OPEN_WRITE(p) Open(p, L"wb")
#define OPEN_APPEND(p) Open(p, L"a+b")
#else
#include <sys/stat.h>

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }
bool MoveFileOver(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}
#define OPEN_READ(p) std::fopen((p).c_str(), "rb")
#define OPEN_WRITE(p) std::fopen((p).c_str(), "wb")
#define OPEN_APPEND(p) std::fopen((p).c_str(), "a+b")
#endif

bool ReadFileBytes(const std::string& path, TBytes& out) {
  FILE* f = OPEN_READ(path);
  if (!f) return false;
  TBytes data;
  std::uint8_t chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (ok) out.swap(data);
  return ok;
}

bool WriteFileBytes(const std::string& path, const void* data, std::size_t size) {
  FILE* f = OPEN_WRITE(path);
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool AppendFileLine(const std::string& path, const std::string& line) {
  FILE* f = OPEN_APPEND(path);
  if (!f) return false;
  std::string text;
  if (std::fseek(f, -1, SEEK_END) == 0 && std::fgetc(f) != '\n') text = "\r\n";
  text += line;
  text += "\r\n";
  std::fseek(f, 0, SEEK_END);  // a read is followed by a positioning before a write
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool CopyFileBytes(const std::string& source, const std::string& target) {
  FILE* in = OPEN_READ(source);
  if (!in) return false;
  FILE* out = OPEN_WRITE(target);
  if (!out) {
    std::fclose(in);
    return false;
  }
  std::uint8_t chunk[65536];
  std::size_t n;
  bool ok = true;
  while (ok && (n = std::fread(chunk, 1, sizeof chunk, in)) > 0) ok = std::fwrite(chunk, 1, n, out) == n;
  ok = !std::ferror(in) && ok;
  std::fclose(in);
  ok = (std::fflush(out) == 0) && ok;
  ok = (std::fclose(out) == 0) && ok;
  if (!ok) RemoveFile(target);
  return ok;
}
