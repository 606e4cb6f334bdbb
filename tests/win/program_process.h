#pragma once
// The program in a process of its own, as the learner starts it from its
// folder, driven by posted clicks and keys.
#include <windows.h>

#include <cwchar>
#include <string>

#include "toolkit/base/gbk_wide.h"

class ProgramProcess {
public:
  explicit ProgramProcess(const std::string& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring exe = GbkToWide(folder + "Tapmira.exe");
    started_ = CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                              GbkToWide(folder).c_str(), &si, &pi_) != 0;
  }
  ~ProgramProcess() {
    Kill();
    if (started_) {
      CloseHandle(pi_.hThread);
      CloseHandle(pi_.hProcess);
    }
  }
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;
  bool Started() const { return started_; }
  // Ends the process at once: no shut-down runs.
  void Kill() {
    if (!started_ || ended_) return;
    TerminateProcess(pi_.hProcess, 9);
    WaitForSingleObject(pi_.hProcess, 10000);
    ended_ = true;
  }
  // Waits for the process to end by itself; its exit code, or -1 when it
  // was still running after `ms`.
  long long ExitCode(DWORD ms = 30000) {
    if (!started_ || WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    ended_ = true;
    DWORD code = 0;
    return GetExitCodeProcess(pi_.hProcess, &code) ? code : -1;
  }
  // A shown top-level window of the process with this class, waited for.
  HWND Window(const wchar_t* cls, DWORD ms = 30000) const {
    for (DWORD waited = 0; waited < ms; waited += 50) {
      Search s{pi_.dwProcessId, cls, nullptr};
      EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
      if (s.found) return s.found;
      Sleep(50);
    }
    return nullptr;
  }

private:
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  };
  static BOOL CALLBACK FindTopLevel(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid != s->pid || !IsWindowVisible(w) || wcscmp(cls, s->cls) != 0) return TRUE;
    s->found = w;
    return FALSE;
  }
  PROCESS_INFORMATION pi_{};
  bool started_ = false, ended_ = false;
};
