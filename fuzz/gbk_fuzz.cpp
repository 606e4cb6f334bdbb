// The GBK-aware text helpers on any bytes: a double-byte character is never
// split, changed by case mapping or taken for a path delimiter.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "toolkit/base/sysutils.h"

namespace {
// The kind of every byte, found by one scan from the start: a lead byte
// (0x81..0xFE) takes the next byte as its trail, whatever that byte is.
std::vector<TMbcsByteType> Kinds(const std::string& s) {
  std::vector<TMbcsByteType> kinds(s.size(), TMbcsByteType::mbSingleByte);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b >= 0x81 && b <= 0xFE) {
      kinds[i] = TMbcsByteType::mbLeadByte;
      if (i + 1 < s.size()) kinds[++i] = TMbcsByteType::mbTrailByte;
    }
  }
  return kinds;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

int Sign(int v) { return (v > 0) - (v < 0); }

// Indices to look at: all of a short text, a spread of a long one (ByteType scans from the start).
std::vector<std::size_t> Probes(std::size_t size) {
  std::vector<std::size_t> at;
  const std::size_t step = size <= 256 ? 1 : size / 128;
  for (std::size_t i = 0; i <= size + 1; i += step) at.push_back(i);
  if (size > 0) at.push_back(size - 1);
  return at;
}

void CheckKindsAndCuts(const std::string& s, const std::vector<TMbcsByteType>& kinds) {
  for (std::size_t i : Probes(s.size())) {
    if (i >= 1 && i <= s.size()) Check(ByteType(s, i) == kinds[i - 1]);
    else Check(ByteType(s, i) == TMbcsByteType::mbSingleByte);
    const std::string cut = CutGbk(s, i);
    Check(s.compare(0, cut.size(), cut) == 0);
    std::size_t expected = i >= s.size() ? s.size() : (i > 0 && kinds[i - 1] == TMbcsByteType::mbLeadByte ? i - 1 : i);
    Check(cut.size() == expected);
  }
}

// Letters change only where they stand alone; every byte of a character stays.
void CheckCase(const std::string& s, const std::vector<TMbcsByteType>& kinds) {
  const std::string up = UpperCase(s), low = LowerCase(s);
  Check(up.size() == s.size() && low.size() == s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool single = kinds[i] != TMbcsByteType::mbTrailByte;
    Check(up[i] == (single ? Upper(s[i]) : s[i]));
    Check(low[i] == (single ? Lower(s[i]) : s[i]));
  }
  Check(SameText(s, up) && SameText(low, up) && CompareText(s, low) == 0);
}

// Case-blind comparison is the plain byte order of the upper-cased texts.
void CheckCompare(const std::string& a, const std::string& b) {
  const std::string ua = UpperCase(a), ub = UpperCase(b);
  const int plain = Sign(ua.compare(ub));  // std::string compares bytes as unsigned char
  Check(Sign(CompareText(a, b)) == plain);
  Check(Sign(CompareText(b, a)) == -plain);
  Check(SameText(a, b) == (plain == 0));
}

void CheckPaths(const std::string& s, const std::vector<TMbcsByteType>& kinds) {
  const std::string path = ExtractFilePath(s), name = ExtractFileName(s);
  Check(path + name == s);
  // The path ends at the last delimiter that is a character of its own.
  std::size_t last = 0;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (kinds[i] == TMbcsByteType::mbSingleByte && IsDelimiter(s[i])) last = i + 1;
  Check(path.size() == last);
  const std::string withDelimiter = IncludeTrailingPathDelimiter(s);
  if (last == s.size() && !s.empty()) Check(withDelimiter == s);
  else Check(withDelimiter == s + PathDelim);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  const std::vector<TMbcsByteType> kinds = Kinds(s);
  CheckKindsAndCuts(s, kinds);
  CheckCase(s, kinds);
  CheckPaths(s, kinds);
  // Two texts: the input cut at its middle.
  const std::string a = s.substr(0, size / 2), b = s.substr(size / 2);
  CheckCompare(a, b);
  CheckCompare(a, a + b);
  CheckCompare(UpperCase(a), LowerCase(a));
  return 0;
}
