#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/mediagen/lists.h"
#include "tools/mediagen/text_convert.h"

using namespace mediagen;
namespace fs = std::filesystem;

namespace {
const size_t kRowBytes = 86, kPageBytes = 6 * kRowBytes;

// The shipped articles of one folder, converted as the build converts them.
std::vector<std::string> Articles(const std::string& kind, bool ascii) {
  std::string here = __FILE__;
  fs::path dir = fs::path(here).parent_path() / ".." / ".." / "data" / "articles" / kind;
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".txt") continue;
    std::string text, gbk, err;
    EXPECT_TRUE(ReadText(e.path().string(), text)) << e.path();
    EXPECT_TRUE(ConvertArticle(text, ascii, gbk, err)) << e.path() << ": " << err;
    out.push_back(gbk);
  }
  return out;
}

void ExpectVariedLengths(const std::vector<std::string>& articles) {
  EXPECT_GE(articles.size(), 5u);
  size_t shorter_than_row = 0, many_pages = 0;
  for (const auto& a : articles) {
    shorter_than_row += a.size() < kRowBytes;
    many_pages += a.size() >= 2 * kPageBytes;
    EXPECT_EQ(a.find('\0'), std::string::npos);
  }
  EXPECT_GE(shorter_than_row, 1u);
  EXPECT_GE(many_pages, 3u);
}
}  // namespace

TEST(MediaArticles, EnglishArticlesArePlainAsciiOfVariedLength) {
  ExpectVariedLengths(Articles("English", true));
}

TEST(MediaArticles, ChineseArticlesAreGbkOfVariedLength) {
  auto articles = Articles("Chinese", false);
  ExpectVariedLengths(articles);
  // Chinese text: mostly double-byte characters.
  for (const auto& a : articles) {
    size_t high = 0;
    for (unsigned char c : a) high += c >= 0x80;
    EXPECT_GT(high * 10, a.size() * 8);
  }
}
