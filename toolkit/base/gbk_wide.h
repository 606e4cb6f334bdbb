#pragma once
// Text at the Win32 boundary: the program's strings are GBK (code page 936);
// wide Win32 calls get them converted explicitly, whatever the system's code
// page. Windows only.
#include <string>

std::wstring GbkToWide(const std::string& gbk);
std::string WideToGbk(const std::wstring& wide);
