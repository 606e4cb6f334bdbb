#include "toolkit/win/app_errors.h"

#include <windows.h>

#include "toolkit/win/message_box.h"

namespace {
TExceptionReport& Current() {
  static TExceptionReport report = [](const std::string& message) {
    ShowMessageBox(message, "错误", MB_OK | MB_ICONERROR);
  };
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
