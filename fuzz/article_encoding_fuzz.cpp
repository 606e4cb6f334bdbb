// An article file's bytes read in their own encoding: text in GBK stays as it
// is, text in UTF-8 or UTF-16 becomes GBK with the same line ends, stand-ins
// at least for what was counted replaced, and no control character; anything
// with a control character is no text at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "practice/rules/article_encoding.h"
#include "toolkit/base/unicode_gbk.h"

namespace {

// Line feeds of the text after its mark, counted in its own code units.
std::size_t LineFeeds(const std::string& bytes, std::size_t mark, TTextEncoding encoding) {
  if (encoding != TTextEncoding::Utf16LE && encoding != TTextEncoding::Utf16BE)
    return static_cast<std::size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(mark), bytes.end(), '\n'));
  const std::size_t low = encoding == TTextEncoding::Utf16LE ? 0 : 1;
  std::size_t n = 0;
  for (std::size_t i = mark; i + 1 < bytes.size(); i += 2)
    if (bytes[i + low] == '\n' && bytes[i + 1 - low] == '\0') ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t mark = 0;
  const TTextEncoding encoding = DetectTextEncoding(bytes, mark);
  const TArticleDecoding d = DecodeArticle(bytes);
  if (!d.IsText) {
    Check(d.Gbk.empty() && d.Replaced == 0);
    return 0;
  }
  for (char c : d.Gbk) Check(!IsControlCharacter(static_cast<unsigned char>(c)));
  if (encoding == TTextEncoding::Gbk) {
    Check(mark == 0 && d.Gbk == bytes && d.Replaced == 0);
    return 0;
  }
  Check(static_cast<std::size_t>(std::count(d.Gbk.begin(), d.Gbk.end(), kGbkStandIn)) >= d.Replaced);
  Check(static_cast<std::size_t>(std::count(d.Gbk.begin(), d.Gbk.end(), '\n')) == LineFeeds(bytes, mark, encoding));
  return 0;
}
