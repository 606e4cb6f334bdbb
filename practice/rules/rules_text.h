#pragma once
// Small text helpers of the practice rules (GBK bytes).
#include <string>

// Removes leading and trailing bytes at or below the blank.
std::string TrimText(const std::string& s);
// The integer value of a decimal text with an optional sign; false when the
// text is empty, not decimal or out of range.
bool ParseInt32(const std::string& s, int& value);
