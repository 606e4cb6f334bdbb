// UTF-8 texts into the program's GBK files with CR LF line ends.
#pragma once

#include <string>

namespace mediagen {

// UTF-8 -> GBK, strict: false with a message naming line and column of the
// first character that GBK lacks or of a malformed sequence.
bool Utf8ToGbk(const std::string& utf8, std::string& gbk, std::string& error);
bool GbkToUtf8(const std::string& gbk, std::string& utf8, std::string& error);

// An article: a leading byte-order mark is dropped, line ends become CR LF,
// blanks at line ends and blank lines at the end are removed and the text
// does not end in a line break (a final CR LF would be a row of its own to
// type). Tabs and other control characters are refused; with ascii_only any
// byte above 0x7E is refused too (English articles).
bool ConvertArticle(const std::string& utf8, bool ascii_only, std::string& gbk, std::string& error);

// The score file with its two header lines and no records (GBK, CR LF).
std::string EmptyScoreFile();

}  // namespace mediagen
