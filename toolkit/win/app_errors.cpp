#include "toolkit/win/app_errors.h"

#include <windows.h>

#include <cstdio>

#include "toolkit/win/message_box.h"

namespace {
// Where no box can be shown (the system makes no window), the message goes to
// standard error.
void ShowErrorBox(const std::string& message) {
  if (ShowMessageBox(message, "错误", MB_OK | MB_ICONERROR) <= 0) std::fprintf(stderr, "%s\n", message.c_str());
}

TExceptionReport& Current() {
  static TExceptionReport report = ShowErrorBox;
  return report;
}
}  // namespace

void ReportException(const std::exception& e) { Current()(e.what()); }
void ReportUnknownException() { Current()("unknown error"); }

TExceptionReport SetExceptionReport(TExceptionReport report) {
  TExceptionReport old = std::move(Current());
  Current() = std::move(report);
  return old;
}

int RunMainBlock(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox("unknown error");
  }
  return 1;
}
