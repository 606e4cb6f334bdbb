// Article files in other encodings: byte-order marks, unmarked UTF-8, GBK as
// it is, characters GBK lacks, and files that are not text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "build_dir.h"
#include "practice/rules/article_encoding.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/unicode_gbk.h"

namespace {

// "café “quoted” 中" in UTF-8, and the same in GBK (é is the pinyin letter A8A6).
const std::string kUtf8 = "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE4\xB8\xAD\r\n";
const std::string kGbk = "caf\xA8\xA6 \xA1\xB0quoted\xA1\xB1 \xD6\xD0\r\n";

// UTF-16 bytes of code units, little- or big-endian.
std::string Utf16(std::initializer_list<char16_t> units, bool bigEndian) {
  std::string bytes;
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}
// The same text as kUtf8 in UTF-16 code units.
const std::initializer_list<char16_t> kUnits = {u'c', u'a', u'f', 0x00E9, u' ', 0x201C, u'q', u'u', u'o', u't',
                                                u'e', u'd', 0x201D, u' ', 0x4E2D, u'\r', u'\n'};

TArticleDecoding Decode(const std::string& bytes) { return DecodeArticle(bytes); }

TEST(ArticleEncoding, ByteOrderMarksNameTheEncodingAndTheTextBecomesGbk) {
  std::size_t mark = 9;
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF" + kUtf8, mark), TTextEncoding::Utf8);
  EXPECT_EQ(mark, 3u);
  EXPECT_EQ(DetectTextEncoding("\xFF\xFE" + Utf16(kUnits, false), mark), TTextEncoding::Utf16LE);
  EXPECT_EQ(mark, 2u);
  EXPECT_EQ(DetectTextEncoding("\xFE\xFF" + Utf16(kUnits, true), mark), TTextEncoding::Utf16BE);
  EXPECT_EQ(mark, 2u);

  for (const std::string& file : {"\xEF\xBB\xBF" + kUtf8, "\xFF\xFE" + Utf16(kUnits, false),
                                  "\xFE\xFF" + Utf16(kUnits, true)}) {
    const TArticleDecoding d = Decode(file);
    EXPECT_TRUE(d.IsText);
    EXPECT_EQ(d.Gbk, kGbk) << "the mark is gone and each character is its GBK code";
    EXPECT_EQ(d.Replaced, 0u);
  }
  // A mark alone is an empty text.
  EXPECT_EQ(Decode("\xEF\xBB\xBF").Gbk, "");
  EXPECT_TRUE(Decode("\xFF\xFE").IsText);
}

TEST(ArticleEncoding, UnmarkedUtf8IsReadAsUtf8AndGbkStaysByteForByte) {
  std::size_t mark = 9;
  EXPECT_EQ(DetectTextEncoding(kUtf8, mark), TTextEncoding::Utf8);
  EXPECT_EQ(mark, 0u);
  EXPECT_EQ(Decode(kUtf8).Gbk, kGbk);
  // Accented letters alone (also valid GBK byte pairs) are UTF-8 too.
  EXPECT_EQ(Decode("l\xC3\xBC caf\xC3\xA9").Gbk, "l\xA8\xB9 caf\xA8\xA6");

  // GBK: Chinese text, ASCII, and bytes that only look like the start of UTF-8.
  for (const std::string& gbk : {kGbk, std::string("plain ASCII\r\n\ttext"), std::string("\xC3\xA9\xE4"),
                                 std::string("\xE4\xB8\xAD\xD6"), std::string("\xED\xA0\x80"),
                                 std::string("\xC0\x80"), std::string("\xF4\x90\x80\x80")}) {
    EXPECT_EQ(DetectTextEncoding(gbk, mark), TTextEncoding::Gbk) << gbk;
    const TArticleDecoding d = Decode(gbk);
    EXPECT_TRUE(d.IsText);
    EXPECT_EQ(d.Gbk, gbk);
  }
}

TEST(ArticleEncoding, ShippedArticlesAreGbkAsTheyAre) {
  int files = 0;
  for (const char* kind : {"English", "Chinese"}) {
    const std::filesystem::path folder = BuildDir() + "/appdata/" + kind;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      TBytes bytes;
      ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes));
      const std::string text(bytes.begin(), bytes.end());
      std::size_t mark = 0;
      EXPECT_EQ(DetectTextEncoding(text, mark), TTextEncoding::Gbk) << entry.path();
      EXPECT_EQ(Decode(text).Gbk, text);
      ++files;
    }
  }
  EXPECT_GT(files, 2);
}

TEST(ArticleEncoding, CharactersGbkLacksAreCountedAndShownAsStandIns) {
  // ç and an emoji (beyond the basic plane) are not in GBK; a "?" of the text is no stand-in.
  const TArticleDecoding utf8 = Decode("\xEF\xBB\xBF\xC3\xA7\x61?\xF0\x9F\x98\x80\xE4\xB8\xAD");
  EXPECT_TRUE(utf8.IsText);
  EXPECT_EQ(utf8.Gbk, std::string(1, kGbkStandIn) + "a??" + "\xD6\xD0");
  EXPECT_EQ(utf8.Replaced, 2u);
  // The same in UTF-16 (the emoji a surrogate pair), with a lone surrogate and
  // a byte left over at the end: damaged characters count as well.
  const TArticleDecoding utf16 =
      Decode("\xFF\xFE" + Utf16({0x00E7, u'a', u'?', 0xD83D, 0xDE00, 0x4E2D, 0xDC00, u'b'}, false) + "x");
  EXPECT_EQ(utf16.Gbk, "?a??\xD6\xD0?b?");
  EXPECT_EQ(utf16.Replaced, 4u);
  // A cut UTF-8 character after a mark.
  const TArticleDecoding cut = Decode("\xEF\xBB\xBF" "ab\xE4\xB8");
  EXPECT_EQ(cut.Gbk.substr(0, 2), "ab");
  EXPECT_GE(cut.Replaced, 1u);
  EXPECT_EQ(cut.Gbk.size(), 2 + cut.Replaced);
}

TEST(ArticleEncoding, ControlCharactersMakeAFileNoText) {
  for (const std::string& bytes :
       {std::string("abc\0def", 7), std::string("\0", 1), std::string("a\x01z"), std::string("page\x0C"),
        std::string("\x1B[0m"), std::string("del\x7F"), std::string("\xEF\xBB\xBF" "caf\xC3\xA9\x07"),
        "\xFF\xFE" + Utf16({u'a', 0x0000, u'b'}, false), "\xFE\xFF" + Utf16({u'a', 0x001A}, true),
        Utf16({u'n', u'o', u' ', u'm', u'a', u'r', u'k'}, false), std::string("\x89PNG\r\n\x1A\n", 8)}) {
    const TArticleDecoding d = Decode(bytes);
    EXPECT_FALSE(d.IsText) << bytes;
    EXPECT_TRUE(d.Gbk.empty());
  }
  // Tabs and line ends are text, and so is a GBK character whose bytes are no control bytes.
  EXPECT_TRUE(Decode("a\tb\r\nc\nd\re").IsText);
  EXPECT_TRUE(Decode("\xFF\xFE" + Utf16({u'\t', u'\r', u'\n'}, false)).IsText);
}

}  // namespace
