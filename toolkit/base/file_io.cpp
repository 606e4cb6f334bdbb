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
#define OPEN_UPDATE(p) Open(p, L"r+b")
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
#define OPEN_UPDATE(p) std::fopen((p).c_str(), "r+b")
#endif

namespace {
// The rest of an open file, from where it stands: the size it reports is read
// in one go, anything beyond it in chunks.
bool ReadRest(FILE* f, TBytes& data) {
  data.clear();
  long start = std::ftell(f);
  if (start >= 0 && std::fseek(f, 0, SEEK_END) == 0) {
    long end = std::ftell(f);
    if (std::fseek(f, start, SEEK_SET) != 0) return false;
    if (end > start) {
      data.resize(std::size_t(end - start));
      data.resize(std::fread(data.data(), 1, data.size(), f));
    }
  }
  std::uint8_t chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  return !std::ferror(f);
}

// Flushes and closes a file written to: true when `written` holds and both succeed.
bool CloseWritten(FILE* f, bool written) {
  written = std::fflush(f) == 0 && written;
  return std::fclose(f) == 0 && written;
}
}  // namespace

bool ReadFileInto(const std::string& path, TBytes& buffer) {
  FILE* f = OPEN_READ(path);
  if (!f) return false;
  bool ok = ReadRest(f, buffer);
  std::fclose(f);
  return ok;
}

bool ReadFileBytes(const std::string& path, TBytes& out) {
  TBytes data;
  if (!ReadFileInto(path, data)) return false;
  out.swap(data);
  return true;
}

bool WriteFileBytes(const std::string& path, const void* data, std::size_t size) {
  FILE* f = OPEN_WRITE(path);
  if (!f) return false;
  return CloseWritten(f, size == 0 || std::fwrite(data, 1, size, f) == size);
}

bool FileAcceptsWrites(const std::string& path) {
  FILE* f = OPEN_UPDATE(path);
  return f && std::fclose(f) == 0;
}

bool AppendFileLine(const std::string& path, const std::string& line) {
  FILE* f = OPEN_APPEND(path);
  if (!f) return false;
  std::string text;
  if (std::fseek(f, -1, SEEK_END) == 0 && std::fgetc(f) != '\n') text = "\r\n";
  text += line;
  text += "\r\n";
  std::fseek(f, 0, SEEK_END);  // a read is followed by a positioning before a write
  return CloseWritten(f, std::fwrite(text.data(), 1, text.size(), f) == text.size());
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
  ok = CloseWritten(out, ok);
  if (!ok) RemoveFile(target);
  return ok;
}

#ifdef _WIN32
namespace {
// Removed by the system when closed, also when the program ends first.
// Made as a new file: truncating one, even an empty one, makes some file
// systems write it out to disk when it is closed. A file left over by
// someone else is replaced.
HANDLE CreateTempFile(const std::string& path) {
  const std::wstring wide = GbkToWide(path);
  const DWORD flags = FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE;
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
    h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, flags, nullptr);
  return h;
}

// The n-th other name of a temporary file: "wbOneTemp~2.dat".
std::string OtherTempName(const std::string& path, int n) {
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) dot = path.size();
  return path.substr(0, dot) + "~" + std::to_string(n) + path.substr(dot);
}
}  // namespace

// A name in use by another program (another copy of this one reading the
// same file) is left to it: the file takes the next free other name.
bool TTempFile::Write(const TBytes& bytes) {
  if (file_) return false;
  HANDLE h = CreateTempFile(path_);
  for (int n = 2; h == INVALID_HANDLE_VALUE && n <= 9; ++n) {
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) break;
    h = CreateTempFile(OtherTempName(path_, n));
  }
  if (h == INVALID_HANDLE_VALUE) return false;
  file_ = h;
  const DWORD size = DWORD(bytes.size());
  DWORD done = 0;
  return bytes.size() == size && (size == 0 || (WriteFile(h, bytes.data(), size, &done, nullptr) && done == size));
}

bool TTempFile::ReadBack(TBytes& out) {
  LARGE_INTEGER size{};
  if (!file_ || SetFilePointer(file_, 0, nullptr, FILE_BEGIN) != 0 || !GetFileSizeEx(file_, &size) ||
      size.QuadPart > 0x7FFFFFFF)
    return false;
  out.resize(std::size_t(size.QuadPart));
  DWORD done = 0;
  if (out.empty()) return true;
  if (!ReadFile(file_, out.data(), DWORD(out.size()), &done, nullptr)) return false;
  out.resize(done);
  return true;
}

TTempFile::~TTempFile() {
  if (file_) CloseHandle(file_);
}
#else
bool TTempFile::Write(const TBytes& bytes) {
  if (file_) return false;
  FILE* f = std::fopen(path_.c_str(), "w+b");
  if (!f) return false;
  file_ = f;
  return (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) && std::fflush(f) == 0;
}

bool TTempFile::ReadBack(TBytes& out) {
  FILE* f = static_cast<FILE*>(file_);
  return f && std::fseek(f, 0, SEEK_SET) == 0 && ReadRest(f, out);
}

TTempFile::~TTempFile() {
  if (!file_) return;
  std::fclose(static_cast<FILE*>(file_));
  RemoveFile(path_);
}
#endif
