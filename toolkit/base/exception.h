#pragma once
// Exceptions with a message, as every layer of the program raises them.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A failed internal check (the Assert of the run-time library).
class EAssertionFailed : public Exception {
public:
  using Exception::Exception;
};

// Text that does not convert to a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A property or class asked for by name that does not exist or has the wrong kind.
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};
