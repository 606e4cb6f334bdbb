#pragma once
// What an article file holds: GBK text as the program keeps it, text in a
// Unicode encoding turned into GBK, or no text at all.
#include <cstddef>
#include <string>

enum class TTextEncoding { Gbk, Utf8, Utf16LE, Utf16BE };

// The encoding of a file's bytes and the length of its byte-order mark: a
// mark names UTF-8, UTF-16LE or UTF-16BE; without one, valid UTF-8 with at
// least one character beyond ASCII is UTF-8 (GBK text of more than a few
// characters is never valid UTF-8); anything else is GBK.
TTextEncoding DetectTextEncoding(const std::string& bytes, std::size_t& markLength);

// Whether bytes hold valid UTF-8 (no overlong forms, no surrogates, nothing
// past U+10FFFF) with at least one character beyond ASCII.
bool IsUnicodeUtf8(const std::string& bytes);

// A control character other than tab, CR and LF (a NUL included): the
// file is not text.
inline bool IsControlCharacter(unsigned c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

struct TArticleDecoding {
  bool IsText = false;
  std::string Gbk;            // the text in GBK, without its byte-order mark
  std::size_t Replaced = 0;   // characters GBK lacks (and damaged ones), each now kGbkStandIn
};

// An article file's bytes as the program's GBK text.
TArticleDecoding DecodeArticle(const std::string& bytes);
