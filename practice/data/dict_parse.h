#pragma once
// Line parsers of the text dictionaries: fixed 1-based byte columns, each field
// cut independently (the ranges overlap) and trimmed.
#include <string>
#include "practice/data/dict_records.h"
#include "toolkit/base/sysutils.h"

namespace dictcol {
// Bytes first..last (1-based, inclusive), fewer when the line is shorter.
std::string Cols(const std::string& line, int first, int last);
// Bytes from `first` to the end of the line.
std::string ColsToEnd(const std::string& line, int first);
}  // namespace dictcol

const char kSoundPrefix[] = "MyPyWAV";

svlcharsetWBOne ParseWbOneLine(const std::string& line);
svlcharsetWBs ParseWbsLine(const std::string& line);
svlcharsetWBTwo ParseWbTwoLine(const std::string& line);
svlcharsetWBMulti ParseWbMultiLine(const std::string& line);
svlcharsetPYs ParsePYsLine(const std::string& line);
svlcharsetPYOne ParsePYOneLine(const std::string& line);
svlcharsetpyTwo ParsePYTwoLine(const std::string& line);
// Keeps the first 10 sound words of a longer sound column.
svlcharsetpyMulti ParsePYMultiLine(const std::string& line);
