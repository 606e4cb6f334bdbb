#pragma once
// Commands run in the host's shell from the Windows tests. Wine cannot wait
// for a host process: the command's last act is to move its status into a
// file, which is waited for here.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"

namespace host_shell {
// The host's path of a Windows path, "" when Wine gives none.
inline std::string HostPath(const std::string& path) {
  using TUnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<TUnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return std::string();
  char* name = unixName(GbkToWide(path).c_str());
  if (!name) return std::string();
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

inline std::string Quoted(const std::string& hostPath) { return "'" + hostPath + "'"; }
}  // namespace host_shell

// Runs `script` in the host's shell and returns its exit status, -1 when it
// could not be run. What it prints goes into `output` where one is given.
inline int RunHostShell(const std::string& script, std::string* output = nullptr) {
  using namespace host_shell;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int runs = 0;
  const std::string base =
      WideToGbk(temp) + "host_shell_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++runs);
  const std::string status = base + ".status", printed = base + ".out";
  const std::string hostStatus = HostPath(status), hostPrinted = HostPath(printed), shell = HostPath("Z:\\bin\\sh");
  if (hostStatus.empty() || hostPrinted.empty() || shell.empty()) return -1;
  RemoveFile(status);
  const std::string line = "\"" + shell + "\" -c \"(" + script + ") >" +
                           (output ? Quoted(hostPrinted) : std::string("/dev/null")) + " 2>/dev/null; echo $? >" +
                           Quoted(hostStatus + ".part") + "; mv " + Quoted(hostStatus + ".part") + " " +
                           Quoted(hostStatus) + "\"";
  std::wstring command = GbkToWide(line);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  TBytes text;
  for (int waited = 0; waited < 60000 && !ReadFileBytes(status, text); waited += 20) Sleep(20);
  RemoveFile(status);
  if (output) {
    TBytes bytes;
    ReadFileBytes(printed, bytes);
    output->assign(bytes.begin(), bytes.end());
    RemoveFile(printed);
  }
  return text.empty() ? -1 : std::atoi(std::string(text.begin(), text.end()).c_str());
}
