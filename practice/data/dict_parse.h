#pragma once
// Line parsers of the text dictionaries: fixed 1-based byte columns, each field
// cut independently (the ranges overlap) and trimmed.
#include <string>
#include <string_view>
#include "practice/data/dict_records.h"
#include "toolkit/base/sysutils.h"

namespace dictcol {
// Bytes first..last (1-based, inclusive), fewer when the line is shorter.
std::string Cols(const std::string& line, int first, int last);
// Bytes from `first` to the end of the line.
std::string ColsToEnd(const std::string& line, int first);
}  // namespace dictcol

const char kSoundPrefix[] = "MyPyWAV";

// Each fills a default record from one line.
void ParseWbOneLine(std::string_view line, svlcharsetWBOne& r);
void ParseWbsLine(std::string_view line, svlcharsetWBs& r);
void ParseWbTwoLine(std::string_view line, svlcharsetWBTwo& r);
void ParseWbMultiLine(std::string_view line, svlcharsetWBMulti& r);
void ParsePYsLine(std::string_view line, svlcharsetPYs& r);
void ParsePYOneLine(std::string_view line, svlcharsetPYOne& r);
void ParsePYTwoLine(std::string_view line, svlcharsetpyTwo& r);
// Keeps the first 10 sound words of a longer sound column.
void ParsePYMultiLine(std::string_view line, svlcharsetpyMulti& r);

// The record of one line as a value: ParsedLine(line, ParseWbOneLine).
template <class R>
R ParsedLine(std::string_view line, void (*parse)(std::string_view, R&)) {
  R r;
  parse(line, r);
  return r;
}
