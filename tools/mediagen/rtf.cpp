#include "rtf.h"

#include <sstream>
#include <vector>

#include "font.h"
#include "text_convert.h"

namespace mediagen {

namespace {

std::string Utf8Of(const char32_t* cps) {
  std::string s;
  for (; *cps; ++cps) {
    char32_t c = *cps;
    if (c < 0x80) {
      s += char(c);
    } else if (c < 0x800) {
      s += char(0xC0 | (c >> 6));
      s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += char(0xE0 | (c >> 12));
      s += char(0x80 | ((c >> 6) & 0x3F));
      s += char(0x80 | (c & 0x3F));
    } else {
      s += char(0xF0 | (c >> 18));
      s += char(0x80 | ((c >> 12) & 0x3F));
      s += char(0x80 | ((c >> 6) & 0x3F));
      s += char(0x80 | (c & 0x3F));
    }
  }
  return s;
}

// Text with bold spans into RTF: ASCII as is (with \ { } escaped), the rest
// as \uN with N the signed 16-bit code (surrogate pairs beyond the BMP),
// each followed by two fallback bytes for readers without Unicode: the
// character's GBK code, or "??".
bool Inline(const std::string& text, std::string& out, std::string& error) {
  std::u32string cps;
  if (!DecodeUtf8(text, cps)) { error = "not valid UTF-8"; return false; }
  bool bold = false;
  for (size_t i = 0; i < cps.size(); ++i) {
    char32_t c = cps[i];
    if (c == '*' && i + 1 < cps.size() && cps[i + 1] == '*') {
      bold = !bold;
      out += bold ? "{\\b " : "}";
      ++i;
      continue;
    }
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += char(c);
    } else if (c < 0x80) {
      out += char(c);
    } else {
      std::string gbk, ignored;
      char32_t one[2] = {c, 0};
      std::string utf8 = Utf8Of(one);
      if (c > 0xFFFF || !Utf8ToGbk(utf8, gbk, ignored) || gbk.size() != 2) gbk = "??";
      auto unit = [&](unsigned u) {
        static const char kHex[] = "0123456789abcdef";
        out += "\\u" + std::to_string(int(int16_t(u)));
        for (unsigned char b : gbk) out += std::string("\\'") + kHex[b >> 4] + kHex[b & 15];
      };
      if (c > 0xFFFF) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        unit(c);
      }
    }
  }
  if (bold) { error = "unclosed ** in: " + text; return false; }
  return true;
}

}  // namespace

bool MarkupToRtf(const std::string& utf8, std::string& rtf, std::string& error) {
  std::vector<std::string> paras;
  std::istringstream in(utf8);
  std::string line, cur;
  auto flush = [&] {
    if (!cur.empty()) paras.push_back(cur);
    cur.clear();
  };
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    bool blank = line.find_first_not_of(' ') == std::string::npos;
    if (blank) { flush(); continue; }
    if (line.compare(0, 2, "- ") == 0 || line[0] == '#') flush();
    if (!cur.empty()) {
      // Chinese lines join without a blank, Latin ones with one.
      unsigned char last = cur.back(), first = line[0];
      if (last < 0x80 && first < 0x80) cur += ' ';
    }
    cur += line;
    if (line[0] == '#') flush();
  }
  flush();
  if (paras.empty()) { error = "the document is empty"; return false; }
  rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\fnil\\fcharset134 SimHei;}}"
        "{\\colortbl;\\red0\\green0\\blue0;\\red20\\green60\\blue140;}"
        "\\viewkind4\\paperw11906\\paperh16838\\margl1440\\margr1440\\margt1440\\margb1440\n";
  for (const auto& p : paras) {
    std::string body;
    if (p.compare(0, 3, "## ") == 0) {
      if (!Inline(p.substr(3), body, error)) return false;
      rtf += "\\pard\\sb240\\sa120\\f1\\fs30\\b\\cf2 " + body + "\\b0\\cf1\\par\n";
    } else if (p.compare(0, 2, "# ") == 0) {
      if (!Inline(p.substr(2), body, error)) return false;
      rtf += "\\pard\\qc\\sb120\\sa240\\f1\\fs44\\b\\cf2 " + body + "\\b0\\cf1\\par\n";
    } else if (p.compare(0, 2, "- ") == 0) {
      if (!Inline(p.substr(2), body, error)) return false;
      rtf += "\\pard\\fi-360\\li720\\sa80\\f0\\fs24 \\bullet\\tab " + body + "\\par\n";
    } else {
      if (!Inline(p, body, error)) return false;
      rtf += "\\pard\\fi480\\sa120\\sl360\\slmult1\\f0\\fs24 " + body + "\\par\n";
    }
  }
  rtf += "}\n";
  return true;
}

}  // namespace mediagen
