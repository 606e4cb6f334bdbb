#include "toolkit/win/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "toolkit/base/gbk_wide.h"

bool ShellOpen(const std::string& target) {
  HINSTANCE r = ShellExecuteW(nullptr, L"open", GbkToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(r) > 32;
}
