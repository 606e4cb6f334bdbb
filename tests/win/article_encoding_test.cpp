// Articles saved in other encodings, chosen in the real window: each shows its
// own characters, what GBK lacks is told once, and a file that is not text
// gives nothing to type.
#include <gtest/gtest.h>

#include "article_window.h"

namespace {

class ArticleEncodings : public ArticleWindow {
protected:
  // What the first shown row holds, read back as the control shows it.
  std::wstring FirstRow() {
    wchar_t text[256] = {};
    GetWindowTextW(Shown(1)->Handle(), text, 256);
    return text;
  }
  // Chooses the English article `name` and starts it; the boxes shown are in `boxes`.
  void Open(const std::string& name) {
    boxes.Calls.clear();
    Choose(19, 1, name);
    Start();
  }
  void End() {
    if (Running()) Key(Focused(), VK_ESCAPE);
    ASSERT_FALSE(Running());
  }
};

// "café “quoted” 中国" and a second line.
const wchar_t kText[] = L"caf\u00E9 \u201Cquoted\u201D \u4E2D\u56FD\r\n";
const std::string kUtf8 = "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE4\xB8\xAD\xE5\x9B\xBD\r\nnext";

std::string Utf16Le(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}
std::string Utf16Be(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

TEST_F(ArticleEncodings, UnicodeFilesShowTheirOwnCharacters) {
  const std::wstring text = std::wstring(kText) + L"next";
  const std::pair<const char*, std::string> files[] = {
      {"utf8-mark", "\xEF\xBB\xBF" + kUtf8},
      {"utf8", kUtf8},
      {"utf16le", "\xFF\xFE" + Utf16Le(text)},
      {"utf16be", "\xFE\xFF" + Utf16Be(text)},
  };
  for (const auto& file : files) WriteArticle("English", file.first + std::string(".txt"), file.second);
  for (const auto& file : files) {
    Open(file.first);
    ASSERT_TRUE(Running()) << file.first;
    EXPECT_EQ(FirstRow(), kText) << file.first;
    EXPECT_TRUE(boxes.Calls.empty()) << file.first << ": " << boxes.Calls[0].Text;
    if (file.first == std::string("utf8-mark")) SaveWindowShot(form->Handle(), ArtefactFolder() + "article_utf8.bmp");
    // The row is typed as it shows: the text with its accented letter and quotes.
    PutText(WideToGbk(L"caf\u00E9 \u201Cquoted\u201D \u4E2D\u56FD"));
    EXPECT_EQ(Focused(), Input(2)->Handle()) << file.first;
    EXPECT_EQ(Counts().ArticleErrors, 0) << file.first;
    End();
  }
}

TEST_F(ArticleEncodings, WhatGbkLacksIsToldOnceAndTheRestIsTyped) {
  // ç and an emoji have no GBK code; the question mark is the text's own.
  WriteArticle("English", "lacks.txt", "\xEF\xBB\xBF" "gar\xC3\xA7on? \xF0\x9F\x98\x80 \xE4\xB8\xAD");
  Open("lacks");
  ASSERT_TRUE(Running());
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_EQ(boxes.Calls[0].Text, form->ComboBox1->GetText() + "文件中有2个字符无法显示，已换成“?”。");
  EXPECT_EQ(FirstRow(), L"gar?on? ? \u4E2D");
  EXPECT_EQ(Focused(), Input(1)->Handle()) << "the box closed, the learner types";
  TypeKeys("gar");
  EXPECT_EQ(Counts().RowErrors, 0);
  EXPECT_EQ(boxes.Calls.size(), 1u);
  End();
}

TEST_F(ArticleEncodings, AFileThatIsNotTextSaysSoAndGivesNothingToType) {
  // A text with NULs after its first line (once cut short there), and a picture.
  WriteArticle("English", "zeros.txt", std::string("first line\r\n\0\0\0binary", 21));
  WriteArticle("English", "picture.txt", std::string("\x89PNG\r\n\x1A\n", 8));
  for (const char* name : {"zeros", "picture"}) {
    Open(name);
    EXPECT_FALSE(Running());
    ASSERT_EQ(boxes.Calls.size(), 1u);
    EXPECT_EQ(boxes.Calls[0].Text, form->ComboBox1->GetText() + "文件不是文本文件，无法打开！");
    EXPECT_FALSE(Shown(1)->GetVisible());
  }
}

}  // namespace
