#include "toolkit/base/float_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kInt64Limit = 9223372036854775808.0;  // 2^63

std::int64_t ToInt64(double v) {
  if (!(v >= -kInt64Limit && v < kInt64Limit)) throw EInvalidOp("Invalid floating point operation");
  return static_cast<std::int64_t>(v);
}

// A parsed picture.
struct Picture {
  std::string text;           // the picture with quotes resolved; placeholders kept as '0', '#', '.'
  std::vector<bool> literal;  // true where text[i] is literal text
  int intPlaces = 0;          // placeholders before the point
  int intZeros = 0;           // integer places from the first '0' to the point
  int decPlaces = 0;          // placeholders after the point
  int decZeros = 0;           // decimal places up to the last '0'
};

Picture ParsePicture(const std::string& format) {
  Picture p;
  bool seenPoint = false;
  int firstIntZero = -1;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '"' || c == '\'') {
      std::size_t end = format.find(c, i + 1);
      if (end == std::string::npos) end = format.size();
      for (std::size_t k = i + 1; k < end; ++k) {
        p.text += format[k];
        p.literal.push_back(true);
      }
      i = end;
      continue;
    }
    bool placeholder = c == '0' || c == '#' || (c == '.' && !seenPoint);
    p.text += c;
    p.literal.push_back(!placeholder);
    if (!placeholder) continue;
    if (c == '.') {
      seenPoint = true;
    } else if (seenPoint) {
      ++p.decPlaces;
      if (c == '0') p.decZeros = p.decPlaces;
    } else {
      if (c == '0' && firstIntZero < 0) firstIntZero = p.intPlaces;
      ++p.intPlaces;
    }
  }
  if (firstIntZero >= 0) p.intZeros = p.intPlaces - firstIntZero;
  return p;
}

// |value| rounded half away from zero to `decimals` places, from its 15
// significant digits, as integer and fraction digit strings.
void DecimalDigits(double value, int decimals, std::string& intDigits, std::string& fracDigits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string digits;
  const char* q = buf;
  for (; *q && *q != 'e'; ++q)
    if (*q >= '0' && *q <= '9') digits += *q;
  int exponent = (*q == 'e') ? std::atoi(q + 1) : 0;
  int point = exponent + 1;  // digits before the decimal point
  if (digits.find_first_not_of('0') == std::string::npos) point = 1;

  int keep = point + decimals;  // significant digits kept
  if (keep < 0) {
    digits.clear();
    point = 0;
  } else if (keep < static_cast<int>(digits.size())) {
    bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int k = keep - 1;
      for (; k >= 0; --k) {
        if (digits[static_cast<std::size_t>(k)] == '9') {
          digits[static_cast<std::size_t>(k)] = '0';
        } else {
          ++digits[static_cast<std::size_t>(k)];
          break;
        }
      }
      if (k < 0) {
        digits.insert(digits.begin(), '1');
        ++point;
      }
    }
  }
  // Place the digits around the point.
  if (point <= 0) {
    digits.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  }
  std::size_t total = static_cast<std::size_t>(point + decimals);
  if (digits.size() < total) digits.append(total - digits.size(), '0');
  intDigits = digits.substr(0, static_cast<std::size_t>(point));
  fracDigits = digits.substr(static_cast<std::size_t>(point), static_cast<std::size_t>(decimals));
  std::size_t nz = intDigits.find_first_not_of('0');
  intDigits.erase(0, nz == std::string::npos ? intDigits.size() : nz);
}

}  // namespace

std::int64_t Round(double value) {
  if (std::isnan(value)) throw EInvalidOp("Invalid floating point operation");
  double f = std::floor(value);
  double rest = value - f;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
  return ToInt64(f);
}

std::int64_t Trunc(double value) {
  if (std::isnan(value)) throw EInvalidOp("Invalid floating point operation");
  return ToInt64(std::trunc(value));
}

std::string FormatFloat(const std::string& format, double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  Picture p = ParsePicture(format);

  std::string intDigits, fracDigits;
  DecimalDigits(value, p.decPlaces, intDigits, fracDigits);
  while (static_cast<int>(fracDigits.size()) > p.decZeros && !fracDigits.empty() && fracDigits.back() == '0')
    fracDigits.pop_back();
  if (static_cast<int>(intDigits.size()) < p.intZeros)
    intDigits.insert(0, static_cast<std::size_t>(p.intZeros) - intDigits.size(), '0');
  bool negative = value < 0 && (intDigits.find_first_not_of('0') != std::string::npos ||
                                fracDigits.find_first_not_of('0') != std::string::npos);

  // Placeholder k of the integer part shows digits [k + offset, k + offset + 1),
  // the first one also every surplus digit before them.
  int offset = static_cast<int>(intDigits.size()) - p.intPlaces;
  auto clampIndex = [&](int i) {
    return static_cast<std::size_t>(i < 0 ? 0 : (i > static_cast<int>(intDigits.size()) ? intDigits.size() : i));
  };
  std::string out;
  bool signDone = !negative;
  bool inFraction = false;
  int intSeen = 0, decSeen = 0;
  for (std::size_t i = 0; i < p.text.size(); ++i) {
    char c = p.text[i];
    if (p.literal[i]) {
      out += c;
      continue;
    }
    if (!signDone) {
      out += '-';
      signDone = true;
    }
    if (c == '.') {
      inFraction = true;
      if (p.intPlaces == 0) out += intDigits;
      if (!fracDigits.empty()) out += '.';
    } else if (!inFraction) {
      std::size_t from = intSeen == 0 ? 0 : clampIndex(intSeen + offset);
      std::size_t to = clampIndex(intSeen + offset + 1);
      if (to > from) out.append(intDigits, from, to - from);
      ++intSeen;
    } else {
      if (decSeen < static_cast<int>(fracDigits.size())) out += fracDigits[static_cast<std::size_t>(decSeen)];
      ++decSeen;
    }
  }
  return out;
}
