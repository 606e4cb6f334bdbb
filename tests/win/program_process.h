#pragma once
// The program in a process of its own, as the learner starts it from its
// folder, driven by posted clicks, its clock stepped by posted ticks, and
// killed without any shut-down or left to end; and the windows found in it.
#include <windows.h>

#include <cwchar>
#include <string>

#include "program_fixture.h"
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
  // `seconds` ticks of every timer the process runs (its practice clock
  // among them), posted as the system posts them.
  void Tick(int seconds) const {
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"TTimerWindow", nullptr));) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid != pi_.dwProcessId) continue;
      // The toolkit numbers its timers from 1 and never reuses a number.
      for (int tick = 0; tick < seconds; ++tick)
        for (WPARAM id = 1; id <= 128; ++id) PostMessageW(w, WM_TIMER, id, 0);
    }
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

namespace program_windows {
struct ChildSearch {
  std::wstring text;
  int count;  // combo boxes: the item count, -1 for any window with `text`
  HWND found;
};

inline BOOL CALLBACK FindChild(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  if (s->count >= 0) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (wcsstr(cls, L"ComboBox") && SendMessageW(w, CB_GETCOUNT, 0, 0) == s->count) s->found = w;
  } else {
    wchar_t text[64] = {};
    GetWindowTextW(w, text, 64);
    if (s->text == text) s->found = w;
  }
  return s->found == nullptr;
}
}  // namespace program_windows

inline HWND ChildWithText(HWND parent, const wchar_t* text) {
  program_windows::ChildSearch s{text, -1, nullptr};
  EnumChildWindows(parent, program_windows::FindChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

inline HWND ComboWithItems(HWND parent, int count) {
  program_windows::ChildSearch s{L"", count, nullptr};
  EnumChildWindows(parent, program_windows::FindChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// A message box's text.
inline std::string BoxText(HWND box) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return WideToGbk(text);
}

// Plays a letter drill of one minute to its end in the program's main
// window; true when it ended.
inline bool PlayAMinute(const ProgramProcess& program, HWND main) {
  HWND type = ChildWithText(main, L"英文(小)"), length = ChildWithText(main, L"1分钟"),
       start = ChildWithText(main, L"开始");
  if (!type || !length || !start) return false;
  PostMiddleClick(type);
  PostMiddleClick(length);
  PostMiddleClick(start);
  for (int waited = 0; waited < 10000 && !ChildWithText(main, L"暂停"); waited += 50) Sleep(50);
  if (!ChildWithText(main, L"暂停")) return false;
  program.Tick(60);
  for (int waited = 0; waited < 30000 && !ChildWithText(main, L"开始"); waited += 50) Sleep(50);
  // The caption changes before the handler that ends the run has returned:
  // a message sent now is handled after it.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  return ChildWithText(main, L"开始") != nullptr;
}
