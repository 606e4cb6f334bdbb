#pragma once
// The native build tree the test executable runs from (<build>/tests/native_tests),
// where the build put its generated data.
#include <unistd.h>

#include <string>

inline std::string BuildDir() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string dir(buf, static_cast<std::size_t>(n));
  dir = dir.substr(0, dir.rfind('/'));  // <build>/tests
  return dir.substr(0, dir.rfind('/'));
}
