#include "toolkit/base/unicode_gbk.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

std::string Utf16ToGbk(const std::u16string& text, std::size_t& missing) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the wide API's text");
  missing = 0;
  if (text.empty()) return std::string();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const char standIn[] = {kGbkStandIn, '\0'};
  // No best fit: a character is kept only where GBK has that very character.
  const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, standIn, nullptr);
  std::string gbk(static_cast<std::size_t>(n), '\0');
  BOOL usedStandIn = FALSE;
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, length, &gbk[0], n, standIn, &usedStandIn);
  // Every character GBK lacks gave one stand-in; the rest were in the text.
  if (usedStandIn)
    missing = static_cast<std::size_t>(std::count(gbk.begin(), gbk.end(), kGbkStandIn) -
                                       std::count(text.begin(), text.end(), static_cast<char16_t>(kGbkStandIn)));
  return gbk;
}

#else
#include <iconv.h>

#include <cerrno>

std::string Utf16ToGbk(const std::u16string& text, std::size_t& missing) {
  missing = 0;
  std::string gbk;
  iconv_t cd = iconv_open("CP936", "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    missing = text.size();
    return std::string(text.size(), kGbkStandIn);
  }
  std::string bytes;  // UTF-16LE, as iconv reads it
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  char* in = &bytes[0];
  std::size_t inLeft = bytes.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
    gbk.append(buffer, static_cast<std::size_t>(out - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A character GBK lacks (or a damaged one): its stand-in, then on.
      gbk += kGbkStandIn;
      ++missing;
      in += 2;
      inLeft -= std::min<std::size_t>(inLeft, 2);
    }
  }
  iconv_close(cd);
  return gbk;
}
#endif
