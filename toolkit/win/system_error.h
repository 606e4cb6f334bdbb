#pragma once
// Failed system calls: the system's own text for an error code, and the
// exception that carries both.
#include <string>

#include "toolkit/base/exception.h"

// FormatMessage's text for `code` (GBK, without the closing line break);
// "system error N" when the system has none.
std::string SystemErrorText(unsigned long code);

// Message: `what`, then the system's text and the code ("...: text (code 1400)").
// Code 0 (a call that failed without setting one) is said as such.
class ESystemError : public Exception {
public:
  ESystemError(const std::string& what, unsigned long code);
  unsigned long Code() const { return code_; }

private:
  unsigned long code_;
};
