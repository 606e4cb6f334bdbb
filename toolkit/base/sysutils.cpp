#include "toolkit/base/sysutils.h"

#include <cstdio>

#include "toolkit/base/exception.h"

namespace {
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Maps the ASCII letters of `s`, stepping over each double-byte character whole
// (its trail byte may lie in the letter range).
template <class F>
std::string MapLetters(const std::string& s, F map) {
  std::string r(s);
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(r[i])) && i + 1 < r.size()) ++i;
    else r[i] = map(r[i]);
  }
  return r;
}
}  // namespace

std::string UpperCase(const std::string& s) { return MapLetters(s, AsciiUpper); }

std::string LowerCase(const std::string& s) { return MapLetters(s, AsciiLower); }

int CompareText(const std::string& a, const std::string& b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  bool trail = false;  // a[i] (equal to b[i] so far) is the second byte of a character
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(trail ? a[i] : AsciiUpper(a[i]));
    unsigned char y = static_cast<unsigned char>(trail ? b[i] : AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
    trail = !trail && IsLeadByte(static_cast<unsigned char>(a[i]));
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

// --- Numbers ------------------------------------------------------------------

std::string IntToStr(long long value) { return std::to_string(value); }

bool TryStrToInt(const std::string& s, int& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = i < s.size() && s[i] == '$';
  if (hex) ++i;
  if (i == s.size()) return false;
  const unsigned long long limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  unsigned long long v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    v = v * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (v > limit) return false;
  }
  // Hexadecimal is a 32-bit pattern; decimal has been range-checked above.
  std::uint32_t bits = static_cast<std::uint32_t>(v);
  if (negative) bits = 0u - bits;
  value = static_cast<int>(static_cast<std::int32_t>(bits));
  return true;
}

int StrToInt(const std::string& s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int StrToIntDef(const std::string& s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

// --- Trimming -----------------------------------------------------------------

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TrimLeft(const std::string& s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlankOrControl(s[b])) ++b;
  return s.substr(b);
}

std::string TrimRight(const std::string& s) {
  std::size_t e = s.size();
  while (e > 0 && IsBlankOrControl(s[e - 1])) --e;
  return s.substr(0, e);
}

std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

// --- Format ---------------------------------------------------------------------

namespace {
[[noreturn]] void BadFormat(const std::string& format) {
  throw EConvertError("Format '" + format + "' invalid or incompatible with argument");
}

std::string Digits(unsigned long long v, bool hex) {
  char buf[32];
  std::snprintf(buf, sizeof buf, hex ? "%llX" : "%llu", v);
  return buf;
}
}  // namespace

std::string FormatArgs(const std::string& format, const std::vector<TFormatArg>& args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') { out += c; continue; }
    if (++i >= format.size()) BadFormat(format);
    if (format[i] == '%') { out += '%'; continue; }
    bool left = false;
    if (format[i] == '-') { left = true; ++i; }
    std::size_t width = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9' && width <= 4096)
      width = width * 10 + static_cast<std::size_t>(format[i++] - '0');
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      precision = 0;
      ++i;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9' && precision <= 64)
        precision = precision * 10 + (format[i++] - '0');
    }
    if (i >= format.size() || next >= args.size() || width > 4096 || precision > 64) BadFormat(format);
    const TFormatArg& a = args[next++];
    std::string field;
    bool negative = false;
    switch (format[i]) {
      case 'd': {
        if (a.Kind() != TFormatArg::TKind::Int) BadFormat(format);
        long long v = a.Int();
        negative = v < 0;
        field = Digits(negative ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v), false);
        break;
      }
      case 'u':
      case 'x': {
        if (a.Kind() != TFormatArg::TKind::Int) BadFormat(format);
        unsigned long long v = static_cast<unsigned long long>(a.Int());
        if (a.Narrow()) v &= 0xFFFFFFFFull;
        field = Digits(v, format[i] == 'x');
        break;
      }
      case 'f': {
        double v;
        if (a.Kind() == TFormatArg::TKind::Float) v = a.Float();
        else if (a.Kind() == TFormatArg::TKind::Int) v = static_cast<double>(a.Int());
        else BadFormat(format);
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 2 : precision, v);
        field = buf;
        precision = -1;  // already applied
        break;
      }
      case 's':
        if (a.Kind() != TFormatArg::TKind::Str) BadFormat(format);
        field = a.Str();
        precision = -1;
        break;
      default:
        BadFormat(format);
    }
    if (precision > 0 && field.size() < static_cast<std::size_t>(precision))
      field.insert(0, static_cast<std::size_t>(precision) - field.size(), '0');
    if (negative) field.insert(0, 1, '-');
    if (field.size() < width) {
      if (left) field.append(width - field.size(), ' ');
      else field.insert(0, width - field.size(), ' ');
    }
    out += field;
  }
  return out;
}

// --- GBK ------------------------------------------------------------------------

bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

TMbcsByteType ByteType(const std::string& s, std::size_t index) {
  if (index < 1 || index > s.size()) return TMbcsByteType::mbSingleByte;
  std::size_t target = index - 1;
  std::size_t i = 0;
  while (true) {
    bool lead = IsLeadByte(static_cast<unsigned char>(s[i]));
    if (i == target) return lead ? TMbcsByteType::mbLeadByte : TMbcsByteType::mbSingleByte;
    if (lead) {
      if (i + 1 == target) return TMbcsByteType::mbTrailByte;
      i += 2;
    } else {
      i += 1;
    }
  }
}

std::string CutGbk(const std::string& s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return s;
  std::size_t n = maxBytes;
  if (n > 0 && ByteType(s, n) == TMbcsByteType::mbLeadByte) --n;
  return s.substr(0, n);
}

// --- File names -------------------------------------------------------------------

namespace {
// Index just after the last delimiter outside a double-byte character, 0 if none.
std::size_t AfterLastDelimiter(const std::string& s) {
  std::size_t after = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b)) { ++i; continue; }
    if (b == '\\' || b == '/') after = i + 1;
  }
  return after;
}
}  // namespace

std::string ExtractFilePath(const std::string& fileName) { return fileName.substr(0, AfterLastDelimiter(fileName)); }

std::string ExtractFileName(const std::string& fileName) { return fileName.substr(AfterLastDelimiter(fileName)); }

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && AfterLastDelimiter(path) == path.size()) return path;
  return path + PathDelim;
}
