#pragma once
// Run-time helpers on GBK byte strings. Case functions touch single-byte ASCII letters only,
// so the bytes of a double-byte character are never changed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
// <0, 0, >0 comparing without regard to ASCII letter case.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);

// --- Numbers ------------------------------------------------------------------

std::string IntToStr(long long value);
// Optional sign, then decimal digits or "$" and hexadecimal digits; no blanks.
// Raises EConvertError on any other text or when the value does not fit 32 bits
// (hexadecimal up to $FFFFFFFF is taken as the 32-bit pattern, $FFFFFFFF = -1).
int StrToInt(const std::string& s);
int StrToIntDef(const std::string& s, int defaultValue);
// As StrToInt without raising: false (value untouched) on bad text.
bool TryStrToInt(const std::string& s, int& value);

// --- Trimming: bytes at or below the blank (control characters included) ------

std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);

// --- Format ---------------------------------------------------------------------

// One argument of Format: an integer, a real number or a text.
class TFormatArg {
public:
  enum class TKind { Int, Float, Str };
  TFormatArg(int v) : kind_(TKind::Int), int_(v), narrow_(true) {}
  TFormatArg(unsigned v) : kind_(TKind::Int), int_(v), narrow_(true) {}
  TFormatArg(long v) : kind_(TKind::Int), int_(v), narrow_(sizeof(long) == 4) {}
  TFormatArg(unsigned long v) : kind_(TKind::Int), int_(static_cast<long long>(v)), narrow_(sizeof(long) == 4) {}
  TFormatArg(long long v) : kind_(TKind::Int), int_(v) {}
  TFormatArg(unsigned long long v) : kind_(TKind::Int), int_(static_cast<long long>(v)) {}
  TFormatArg(double v) : kind_(TKind::Float), float_(v) {}
  TFormatArg(const char* v) : kind_(TKind::Str), str_(v ? v : "") {}
  TFormatArg(const std::string& v) : kind_(TKind::Str), str_(v) {}
  TFormatArg(char v) : kind_(TKind::Str), str_(1, v) {}

  TKind Kind() const { return kind_; }
  long long Int() const { return int_; }
  bool Narrow() const { return narrow_; }  // a 32-bit integer (for %u and %x of negatives)
  double Float() const { return float_; }
  const std::string& Str() const { return str_; }

private:
  TKind kind_;
  long long int_ = 0;
  bool narrow_ = false;
  double float_ = 0;
  std::string str_;
};

// printf-like: %d %u %x (upper-case digits) %s %f and %%, each with an optional
// "-" (left-align), a width and a precision (%.2f decimals, default 2; %.3d
// minimum digits). Raises EConvertError on an unknown conversion, a missing
// argument or an argument of the wrong kind (%f also takes integers).
std::string FormatArgs(const std::string& format, const std::vector<TFormatArg>& args);
template <class... A>
std::string Format(const std::string& format, const A&... args) {
  return FormatArgs(format, std::vector<TFormatArg>{TFormatArg(args)...});
}

// --- GBK double-byte text -----------------------------------------------------

enum class TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };

// 0x81..0xFE begin a double-byte character.
bool IsLeadByte(unsigned char b);
// The kind of byte `index` of s, counted from 1, found by scanning from the start
// so that a trail byte (which may equal an ASCII code) is never taken for a lead
// byte or a single character. A lead byte at the very end is still mbLeadByte.
// Out-of-range indices give mbSingleByte.
TMbcsByteType ByteType(const std::string& s, std::size_t index);
// The first maxBytes bytes of s, one less when that would split a character.
std::string CutGbk(const std::string& s, std::size_t maxBytes);

// --- File names (GBK aware: a trail byte 0x5C is not a delimiter) -------------

#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// Up to and including the last '\' or '/' ("" when there is none).
std::string ExtractFilePath(const std::string& fileName);
// After the last '\' or '/'.
std::string ExtractFileName(const std::string& fileName);
// path with PathDelim appended unless it already ends in '\' or '/' ("" gives PathDelim alone).
std::string IncludeTrailingPathDelimiter(const std::string& path);

// --- Date and time --------------------------------------------------------------

struct TDateTimeRec {
  int Year = 0, Month = 0, Day = 0;    // month 1..12, day 1..31
  int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

TDateTimeRec Now();   // local time
TDateTimeRec Date();  // today, time fields 0
// 0 for Sunday .. 6 for Saturday, from the calendar date.
int DayOfWeek(const TDateTimeRec& d);
// "星期日" .. "星期六" for 0 .. 6.
std::string WeekdayName(int dayOfWeek);

// --- Random numbers -------------------------------------------------------------

// One generator for the whole process. Randomize mixes a high-resolution counter
// into its state (it never resets it), so calling it before every draw does not
// make draws repeat, even within one clock tick.
void Randomize();
// Uniform in 0 .. range-1; 0 when range <= 0.
int Random(int range);
