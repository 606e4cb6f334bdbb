#include "tools/dictgen/gbk.h"

#include <iconv.h>

namespace {
bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == (iconv_t)-1) return false;
  std::string result(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = &result[0];
  std::size_t dstLeft = result.size();
  bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != (std::size_t)-1 && srcLeft == 0;
  iconv_close(cd);
  if (!ok) return false;
  result.resize(result.size() - dstLeft);
  out = result;
  return true;
}
}  // namespace

bool Utf8ToGbk(const std::string& utf8, std::string& gbk) { return Convert("GBK", "UTF-8", utf8, gbk); }

bool IsGb2312(const std::string& utf8) {
  std::string out;
  return Convert("GB2312", "UTF-8", utf8, out);
}

bool GbkToUtf8(const std::string& gbk, std::string& utf8) { return Convert("UTF-8", "GBK", gbk, utf8); }

std::vector<std::string> Utf8Chars(const std::string& s) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    chars.push_back(s.substr(i, n));
    i += n;
  }
  return chars;
}
