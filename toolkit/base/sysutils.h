#pragma once
// Run-time helpers on GBK byte strings. Case functions touch ASCII letters only,
// so the bytes of a double-byte character are never changed.
#include <string>

std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
// <0, 0, >0 comparing without regard to ASCII letter case.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
