#include "practice/rules/article_encoding.h"

#include "toolkit/base/unicode_gbk.h"

namespace {
const char16_t kReplacement = 0xFFFD;  // a damaged character, or one beyond the basic plane

// The UTF-8 character at bytes[i]: its length and code point, or 0 when the
// bytes there are no valid character.
std::size_t Utf8CharAt(const std::string& bytes, std::size_t i, char32_t& code) {
  const auto at = [&bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char b = at(i);
  if (b < 0x80) {
    code = b;
    return 1;
  }
  std::size_t n;
  char32_t min;
  if (b >= 0xC2 && b <= 0xDF) n = 2, min = 0x80, code = b & 0x1F;
  else if (b >= 0xE0 && b <= 0xEF) n = 3, min = 0x800, code = b & 0x0F;
  else if (b >= 0xF0 && b <= 0xF4) n = 4, min = 0x10000, code = b & 0x07;
  else return 0;
  if (i + n > bytes.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((at(i + k) & 0xC0) != 0x80) return 0;
    code = code << 6 | (at(i + k) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

std::u16string Utf8ToUtf16(const std::string& bytes, std::size_t from) {
  std::u16string text;
  text.reserve(bytes.size() - from);
  for (std::size_t i = from; i < bytes.size();) {
    char32_t code = 0;
    const std::size_t n = Utf8CharAt(bytes, i, code);
    text += n == 0 || code > 0xFFFF ? kReplacement : static_cast<char16_t>(code);
    i += n == 0 ? 1 : n;
  }
  return text;
}

// UTF-16 code units in the basic plane: a pair beyond it, a lone surrogate
// and a byte left over at the end each become one replacement.
std::u16string Utf16Units(const std::string& bytes, std::size_t from, bool bigEndian) {
  std::u16string text;
  text.reserve((bytes.size() - from) / 2 + 1);
  const auto unitAt = [&](std::size_t i) {
    const unsigned hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const unsigned lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    return static_cast<char16_t>(hi << 8 | lo);
  };
  const auto isHigh = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
  const auto isLow = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
  std::size_t i = from;
  for (; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unitAt(i);
    if (isHigh(u) && i + 3 < bytes.size() && isLow(unitAt(i + 2))) {
      text += kReplacement;
      i += 2;
    } else {
      text += isHigh(u) || isLow(u) ? kReplacement : u;
    }
  }
  if (i < bytes.size()) text += kReplacement;
  return text;
}
}  // namespace

bool IsUnicodeUtf8(const std::string& bytes) {
  bool beyondAscii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t code = 0;
    const std::size_t n = Utf8CharAt(bytes, i, code);
    if (n == 0) return false;
    beyondAscii = beyondAscii || n > 1;
    i += n;
  }
  return beyondAscii;
}

TTextEncoding DetectTextEncoding(const std::string& bytes, std::size_t& markLength) {
  markLength = 0;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    markLength = 3;
    return TTextEncoding::Utf8;
  }
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    markLength = 2;
    return bytes[0] == '\xFF' ? TTextEncoding::Utf16LE : TTextEncoding::Utf16BE;
  }
  return IsUnicodeUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Gbk;
}

TArticleDecoding DecodeArticle(const std::string& bytes) {
  TArticleDecoding result;
  std::size_t mark = 0;
  const TTextEncoding encoding = DetectTextEncoding(bytes, mark);
  if (encoding == TTextEncoding::Gbk) {
    // GBK's trail bytes lie above the control characters: each byte tells.
    for (char c : bytes)
      if (IsControlCharacter(static_cast<unsigned char>(c))) return result;
    result.IsText = true;
    result.Gbk = bytes;
    return result;
  }
  const std::u16string text = encoding == TTextEncoding::Utf8 ? Utf8ToUtf16(bytes, mark)
                                                              : Utf16Units(bytes, mark, encoding == TTextEncoding::Utf16BE);
  for (char16_t c : text)
    if (IsControlCharacter(c)) return result;
  result.IsText = true;
  result.Gbk = Utf16ToGbk(text, result.Replaced);
  return result;
}
