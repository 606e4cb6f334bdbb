#pragma once
// A folder or file the program may only read, made under Wine (where every
// program may write anywhere) by a read-only bind mount of the machine: what
// a standard user meets on Windows in "C:\Program Files\..." or in a
// read-only file. Mounting needs root; Mounted() says whether it was made.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"

// A Windows path as the machine names it ("" where Wine gives no name).
inline std::string UnixPath(const std::string& path) {
  using TUnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<TUnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return "";
  char* name = unixName(GbkToWide(path).c_str());
  if (!name) return "";
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Runs a command of the machine's shell and gives its exit status; -1 when
// it gave none. Wine starts the machine's programs too, but hands back no
// process to wait for: the shell leaves its status in a file.
inline long MachineShell(const std::string& command) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int calls = 0;
  const std::string status =
      WideToGbk(temp) + "machine_shell_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++calls);
  const std::string unixStatus = UnixPath(status);
  if (unixStatus.empty()) return -1;
  std::wstring line = L"Z:\\bin\\sh -c \"(" + GbkToWide(command) + L"); echo $? > '" + GbkToWide(unixStatus) +
                      L".part' && mv '" + GbkToWide(unixStatus) + L".part' '" + GbkToWide(unixStatus) + L"'\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  TBytes text;
  for (int waited = 0; waited < 60000 && !ReadFileBytes(status, text); waited += 20) Sleep(20);
  RemoveFile(status);
  if (text.empty()) return -1;
  return std::strtol(std::string(text.begin(), text.end()).c_str(), nullptr, 10);
}

// `source` shown read-only at `target` (an existing folder or file; the
// same path makes `source` itself read-only) while the object lives.
class TReadOnlyMount {
public:
  TReadOnlyMount(const std::string& source, const std::string& target) : target_(Quoted(UnixPath(target))) {
    const std::string from = Quoted(UnixPath(source));
    if (from == "''" || target_ == "''") return;
    MachineShell("umount " + target_ + " 2>/dev/null");  // left by a run cut short
    mounted_ = MachineShell("mount --bind " + from + " " + target_ + " && mount -o remount,ro,bind " + target_) == 0;
    if (!mounted_) MachineShell("umount " + target_ + " 2>/dev/null");
  }
  ~TReadOnlyMount() {
    if (mounted_) MachineShell("umount " + target_ + " || umount -l " + target_);
  }
  TReadOnlyMount(const TReadOnlyMount&) = delete;
  TReadOnlyMount& operator=(const TReadOnlyMount&) = delete;
  bool Mounted() const { return mounted_; }

private:
  static std::string Quoted(const std::string& unixPath) { return "'" + unixPath + "'"; }
  std::string target_;
  bool mounted_ = false;
};
