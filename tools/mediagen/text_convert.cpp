#include "text_convert.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

#include "font.h"

namespace mediagen {

namespace {

bool Convert(const char* to, const char* from, const std::string& in, std::string& out,
             std::string& error) {
  iconv_t cd = iconv_open(to, from);
  if (cd == (iconv_t)-1) { error = std::string("no conversion from ") + from + " to " + to; return false; }
  out.clear();
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buf[4096];
  bool ok = true;
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, dst - buf);
    if (r == (size_t)-1 && errno != E2BIG) {
      size_t at = in.size() - left;
      int line = 1, col = 1;
      for (size_t i = 0; i < at; ++i) {
        if (in[i] == '\n') { ++line; col = 1; }
        else if (((unsigned char)in[i] & 0xC0) != 0x80 || std::string(from) != "UTF-8") ++col;
      }
      error = "line " + std::to_string(line) + ", column " + std::to_string(col) + ": " +
              (errno == EILSEQ ? "character not representable" : "incomplete character");
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

bool Utf8ToGbk(const std::string& utf8, std::string& gbk, std::string& error) {
  std::u32string cps;
  if (!DecodeUtf8(utf8, cps)) { error = "not valid UTF-8"; return false; }
  return Convert("GBK", "UTF-8", utf8, gbk, error);
}

bool GbkToUtf8(const std::string& gbk, std::string& utf8, std::string& error) {
  return Convert("UTF-8", "GBK", gbk, utf8, error);
}

bool ConvertArticle(const std::string& utf8, bool ascii_only, std::string& gbk, std::string& error) {
  std::string text = utf8;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  std::string clean;
  int line = 1;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string l = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    while (!l.empty() && l.back() == ' ') l.pop_back();
    for (size_t i = 0; i < l.size(); ++i) {
      unsigned char c = l[i];
      if (c < 0x20 || c == 0x7F) {
        error = "line " + std::to_string(line) + ": control character (tabs are not allowed)";
        return false;
      }
      if (ascii_only && c > 0x7E) {
        error = "line " + std::to_string(line) + ": not a plain ASCII character";
        return false;
      }
    }
    clean += l;
    if (end == std::string::npos) break;
    clean += '\n';
    start = end + 1;
    ++line;
  }
  while (!clean.empty() && clean.back() == '\n') clean.pop_back();
  if (clean.empty()) { error = "the article is empty"; return false; }
  std::string g;
  if (!Utf8ToGbk(clean, g, error)) return false;
  gbk.clear();
  for (char c : g) {
    if (c == '\n') gbk += '\r';
    gbk += c;
  }
  return true;
}

std::string EmptyScoreFile() {
  static const char* kFields[] = {u8"用户", u8"打字类型", u8"用时", u8"总数", u8"正确率",
                                  u8"错误", u8"速度", u8"日期", u8"文章"};
  static const int kWidths[] = {100, 20, 20, 20, 20, 20, 20, 40, 100};
  std::string head1, head2, err;
  Utf8ToGbk(u8"Tapmira 打字成绩记录", head1, err);
  for (int i = 0; i < 9; ++i) {
    std::string f;
    Utf8ToGbk(kFields[i], f, err);
    if (i < 8) f.resize(kWidths[i], ' ');
    head2 += f;
  }
  return head1 + "\r\n" + head2 + "\r\n";
}

}  // namespace mediagen
