#include "toolkit/win/system_error.h"

#include <windows.h>

#include "toolkit/base/gbk_wide.h"

std::string SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) return "system error " + std::to_string(code);
  return WideToGbk(text);
}

namespace {
std::string Describe(const std::string& what, unsigned long code) {
  if (code == 0) return what + " (the system gave no error code)";
  return what + ": " + SystemErrorText(code) + " (code " + std::to_string(code) + ")";
}
}  // namespace

ESystemError::ESystemError(const std::string& what, unsigned long code) : Exception(Describe(what, code)), code_(code) {}
