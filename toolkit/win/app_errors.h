#pragma once
// The application's default error report. Every boundary where the system calls
// back into the program (window procedures, timers, hooks, thread bodies) catches
// what escapes and hands it here; by default it shows the message in a message box.
#include <exception>
#include <functional>
#include <string>

void ReportException(const std::exception& e);
void ReportUnknownException();
// Tests replace the report (nothing may block); returns the previous one.
using TExceptionReport = std::function<void(const std::string& message)>;
TExceptionReport SetExceptionReport(TExceptionReport report);

// The program's main block: runs `body` (the application made, its forms
// created, its loop run), whose result is the process's exit code. Whatever
// escapes is shown in a message box (caption "错误") and the exit code is 1.
int RunMainBlock(const std::function<int()>& body);

// Runs f, reporting anything it throws; returns false when it threw.
template <class F>
bool Guarded(F&& f) {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    ReportException(e);
  } catch (...) {
    ReportUnknownException();
  }
  return false;
}
