#pragma once
// UTF-8 helpers of the data tools.
#include <string>
#include <vector>

// Converts UTF-8 text to GBK (code page 936); false when a character has no GBK code.
bool Utf8ToGbk(const std::string& utf8, std::string& gbk);
// True when every character is in the GB 2312 set.
bool IsGb2312(const std::string& utf8);
// GBK text back to UTF-8; false on a byte sequence that is not GBK.
bool GbkToUtf8(const std::string& gbk, std::string& utf8);
// The characters of a UTF-8 text, one string each.
std::vector<std::string> Utf8Chars(const std::string& utf8);
