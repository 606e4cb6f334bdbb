#ifdef _WIN32
#include "toolkit/base/gbk_wide.h"

#include <windows.h>

std::wstring GbkToWide(const std::string& gbk) {
  if (gbk.empty()) return std::wstring();
  int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &w[0], n);
  return w;
}

std::string WideToGbk(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &s[0], n, nullptr, nullptr);
  return s;
}
#endif
