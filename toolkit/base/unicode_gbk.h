#pragma once
// Text that arrives in a Unicode encoding, turned into the program's GBK
// (code page 936): through the system's code page on Windows, iconv elsewhere.
#include <cstddef>
#include <string>

// What stands for a character GBK lacks.
const char kGbkStandIn = '?';

// UTF-16 text (no surrogates: the caller has replaced what lies beyond the
// basic plane) in GBK; each character GBK lacks becomes kGbkStandIn and is
// counted in `missing`.
std::string Utf16ToGbk(const std::u16string& text, std::size_t& missing);
