#include "toolkit/base/form_parser.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "toolkit/base/sysutils.h"

namespace {
std::string Where(const std::string& file, int line, const std::string& property) {
  std::string s = file + "(" + std::to_string(line) + ")";
  if (!property.empty()) s += ": property " + property;
  return s;
}
}  // namespace

EFormDefError::EFormDefError(const std::string& file, int line, const std::string& property,
                             const std::string& message)
    : Exception(Where(file, line, property) + ": " + message),
      file_(file), line_(line), property_(property), detail_(message) {}

const char* FormValueKindName(TFormValueKind kind) {
  switch (kind) {
    case TFormValueKind::Integer: return "integer";
    case TFormValueKind::Float: return "number";
    case TFormValueKind::Ident: return "identifier";
    case TFormValueKind::String: return "string";
    case TFormValueKind::Set: return "set";
    case TFormValueKind::List: return "list";
    case TFormValueKind::Collection: return "collection";
    case TFormValueKind::Binary: return "binary data";
  }
  return "value";
}

namespace {

enum class TTok { Eof, Ident, Integer, Float, String, Symbol };

struct TToken {
  TTok Type = TTok::Eof;
  int Line = 1;
  char Sym = 0;
  std::string Text;  // Ident name, String contents
  std::int64_t Int = 0;
  double Float = 0;
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Shown(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u < 0x7F) return std::string("'") + c + "'";
  char buf[8];
  std::snprintf(buf, sizeof buf, "$%02X", u);
  return buf;
}

class TLexer {
public:
  TLexer(const std::string& text, const std::string& file) : s_(text), file_(file) {}

  // The property whose value is being read, for error messages.
  std::string Property;

  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw EFormDefError(file_, line, Property, message);
  }
  int Line() const { return line_; }

  const TToken& Peek() {
    if (!peeked_) { tok_ = Scan(); peeked_ = true; }
    return tok_;
  }
  TToken Next() {
    Peek();
    peeked_ = false;
    return tok_;
  }

  // Reads the hex digits of a binary value after its `{`, up to and including `}`.
  std::vector<std::uint8_t> ReadHex(int startLine) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (;;) {
      if (pos_ >= s_.size()) Fail(startLine, "unterminated binary value (no '}')");
      char c = s_[pos_++];
      if (c == '\n') { ++line_; continue; }
      if (c == ' ' || c == '\t' || c == '\r') continue;
      if (c == '}') break;
      int v = HexValue(c);
      if (v < 0) Fail(line_, "bad hex digit " + Shown(c) + " in binary value");
      if (high < 0) high = v;
      else { bytes.push_back(static_cast<std::uint8_t>(high * 16 + v)); high = -1; }
    }
    if (high >= 0) Fail(line_, "bad hex: odd number of digits in binary value");
    return bytes;
  }

private:
  void SkipBlanks() {
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\n') { ++line_; ++pos_; }
      else if (c == ' ' || c == '\t' || c == '\r') ++pos_;
      else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else break;
    }
  }

  TToken Scan() {
    SkipBlanks();
    TToken t;
    t.Line = line_;
    if (pos_ >= s_.size()) return t;
    char c = s_[pos_];
    if (IsIdentStart(c)) {
      std::size_t b = pos_;
      while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
      t.Type = TTok::Ident;
      t.Text = s_.substr(b, pos_ - b);
    } else if (IsDigit(c)) {
      ScanNumber(t);
    } else if (c == '$') {
      ScanHexNumber(t);
    } else if (c == '\'') {
      ScanString(t);
    } else if (std::string("=:.,[]()<>{}+-").find(c) != std::string::npos) {
      t.Type = TTok::Symbol;
      t.Sym = c;
      ++pos_;
    } else {
      Fail(line_, "unknown token " + Shown(c));
    }
    return t;
  }

  void ScanNumber(TToken& t) {
    std::size_t b = pos_;
    while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
    bool isFloat = false;
    if (pos_ + 1 < s_.size() && s_[pos_] == '.' && IsDigit(s_[pos_ + 1])) {
      isFloat = true;
      ++pos_;
      while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
    }
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      std::size_t e = pos_ + 1;
      if (e < s_.size() && (s_[e] == '+' || s_[e] == '-')) ++e;
      if (e < s_.size() && IsDigit(s_[e])) {
        isFloat = true;
        pos_ = e;
        while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
      }
    }
    if (pos_ < s_.size() && IsIdentStart(s_[pos_])) Fail(line_, "bad number " + s_.substr(b, pos_ + 1 - b));
    const char* first = s_.data() + b;
    const char* last = s_.data() + pos_;
    if (isFloat) {
      t.Type = TTok::Float;
      auto r = std::from_chars(first, last, t.Float);
      if (r.ec != std::errc() || r.ptr != last) Fail(line_, "bad number " + s_.substr(b, pos_ - b));
    } else {
      t.Type = TTok::Integer;
      auto r = std::from_chars(first, last, t.Int);
      if (r.ec != std::errc() || r.ptr != last) Fail(line_, "number out of range: " + s_.substr(b, pos_ - b));
    }
  }

  void ScanHexNumber(TToken& t) {
    std::size_t b = ++pos_;
    std::uint64_t v = 0;
    while (pos_ < s_.size() && HexValue(s_[pos_]) >= 0) {
      if (pos_ - b >= 16) Fail(line_, "number out of range: $" + s_.substr(b, pos_ + 1 - b));
      v = v * 16 + static_cast<std::uint64_t>(HexValue(s_[pos_]));
      ++pos_;
    }
    if (pos_ == b) Fail(line_, "bad hex number: no digits after '$'");
    if (pos_ < s_.size() && IsIdentChar(s_[pos_])) Fail(line_, "bad hex number $" + s_.substr(b, pos_ + 1 - b));
    t.Type = TTok::Integer;
    t.Int = static_cast<std::int64_t>(v);
  }

  // 'text' with '' for a quote; adjacent quoted pieces form one string.
  void ScanString(TToken& t) {
    t.Type = TTok::String;
    ++pos_;
    for (;;) {
      if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r') Fail(t.Line, "unterminated string");
      char c = s_[pos_++];
      if (c != '\'') { t.Text += c; continue; }
      if (pos_ < s_.size() && s_[pos_] == '\'') { t.Text += '\''; ++pos_; continue; }
      break;
    }
  }

  const std::string& s_;
  const std::string& file_;
  std::size_t pos_ = 0;
  int line_ = 1;
  TToken tok_;
  bool peeked_ = false;
};

bool IsWord(const TToken& t, const char* word) { return t.Type == TTok::Ident && SameText(t.Text, word); }
bool IsSym(const TToken& t, char c) { return t.Type == TTok::Symbol && t.Sym == c; }

std::string Describe(const TToken& t) {
  switch (t.Type) {
    case TTok::Eof: return "end of file";
    case TTok::Ident: return "'" + t.Text + "'";
    case TTok::Integer: return "number " + std::to_string(t.Int);
    case TTok::Float: return "number";
    case TTok::String: return "string";
    case TTok::Symbol: return std::string("'") + t.Sym + "'";
  }
  return "token";
}

class TParser {
public:
  TParser(const std::string& text, const std::string& file) : lex_(text, file) {}

  TFormObject ParseRoot() {
    if (lex_.Peek().Type == TTok::Eof) lex_.Fail(lex_.Peek().Line, "no object in the definition");
    TFormObject root = ParseObject();
    const TToken& t = lex_.Peek();
    if (t.Type != TTok::Eof)
      lex_.Fail(t.Line, "unexpected " + Describe(t) + " after the end of object " + root.Name);
    return root;
  }

private:
  TToken Expect(TTok type, const char* what) {
    TToken t = lex_.Next();
    if (t.Type != type) lex_.Fail(t.Line, std::string(what) + " expected but " + Describe(t) + " found");
    return t;
  }
  void ExpectSym(char c) {
    TToken t = lex_.Next();
    if (!IsSym(t, c)) lex_.Fail(t.Line, std::string("'") + c + "' expected but " + Describe(t) + " found");
  }

  // Counts nested objects and collections; deep nesting is refused, not recursed into.
  struct TDepth {
    TParser& p;
    TDepth(TParser& parser, int line) : p(parser) {
      if (++p.depth_ > kMaxDepth) p.lex_.Fail(line, "objects or collections nested too deeply");
    }
    ~TDepth() { --p.depth_; }
  };
  static constexpr int kMaxDepth = 64;

  TFormObject ParseObject() {
    TDepth depth(*this, lex_.Peek().Line);
    TToken t = lex_.Next();
    if (!IsWord(t, "object")) lex_.Fail(t.Line, "'object' expected but " + Describe(t) + " found");
    TFormObject obj;
    obj.Line = t.Line;
    obj.Name = Expect(TTok::Ident, "object name").Text;
    ExpectSym(':');
    obj.ClassName = Expect(TTok::Ident, "class name").Text;
    for (;;) {
      const TToken& p = lex_.Peek();
      if (p.Type == TTok::Eof)
        lex_.Fail(p.Line, "missing 'end' of object " + obj.Name + " (begun on line " + std::to_string(obj.Line) + ")");
      if (IsWord(p, "end")) { obj.EndLine = lex_.Next().Line; return obj; }
      if (IsWord(p, "object")) { obj.Children.push_back(ParseObject()); continue; }
      if (IsWord(p, "item")) lex_.Fail(p.Line, "'item' outside a collection");
      if (p.Type != TTok::Ident) lex_.Fail(p.Line, "property name expected but " + Describe(p) + " found");
      obj.Props.push_back(ParseProperty());
    }
  }

  TFormProperty ParseProperty() {
    TFormProperty prop;
    TToken t = lex_.Next();
    prop.Line = t.Line;
    prop.Name = t.Text;
    std::string outer = lex_.Property;
    lex_.Property = prefix_ + prop.Name;
    while (IsSym(lex_.Peek(), '.')) {
      lex_.Next();
      prop.Name += "." + Expect(TTok::Ident, "property name").Text;
      lex_.Property = prefix_ + prop.Name;
    }
    ExpectSym('=');
    prop.Value = ParseValue();
    lex_.Property = outer;
    return prop;
  }

  std::string ParseStringExpr(TToken first) {
    std::string s = first.Text;
    while (IsSym(lex_.Peek(), '+')) {
      lex_.Next();
      s += Expect(TTok::String, "string").Text;
    }
    return s;
  }

  TFormValue ParseValue() {
    TToken t = lex_.Next();
    TFormValue v;
    v.Line = t.Line;
    if (IsSym(t, '-') || IsSym(t, '+')) {
      TToken n = lex_.Next();
      bool neg = t.Sym == '-';
      if (n.Type == TTok::Integer) {
        v.Kind = TFormValueKind::Integer;
        if (neg && n.Int == std::numeric_limits<std::int64_t>::min()) lex_.Fail(n.Line, "number out of range");
        v.Int = neg ? -n.Int : n.Int;
      } else if (n.Type == TTok::Float) {
        v.Kind = TFormValueKind::Float;
        v.Float = neg ? -n.Float : n.Float;
      } else {
        lex_.Fail(n.Line, "number expected after sign but " + Describe(n) + " found");
      }
      return v;
    }
    switch (t.Type) {
      case TTok::Integer: v.Kind = TFormValueKind::Integer; v.Int = t.Int; return v;
      case TTok::Float: v.Kind = TFormValueKind::Float; v.Float = t.Float; return v;
      case TTok::Ident:
        if (IsWord(t, "object") || IsWord(t, "end") || IsWord(t, "item"))
          lex_.Fail(t.Line, "value expected but " + Describe(t) + " found");
        v.Kind = TFormValueKind::Ident;
        v.Str = t.Text;
        return v;
      case TTok::String: v.Kind = TFormValueKind::String; v.Str = ParseStringExpr(t); return v;
      case TTok::Eof: lex_.Fail(t.Line, "value expected but end of file found");
      case TTok::Symbol: break;
    }
    switch (t.Sym) {
      case '[': ParseSet(v); return v;
      case '(': ParseList(v); return v;
      case '<': ParseCollection(v); return v;
      case '{': v.Kind = TFormValueKind::Binary; v.Bytes = lex_.ReadHex(t.Line); return v;
      default: lex_.Fail(t.Line, "value expected but " + Describe(t) + " found");
    }
  }

  void ParseSet(TFormValue& v) {
    v.Kind = TFormValueKind::Set;
    if (IsSym(lex_.Peek(), ']')) { lex_.Next(); return; }
    for (;;) {
      v.Names.push_back(Expect(TTok::Ident, "set element").Text);
      TToken t = lex_.Next();
      if (IsSym(t, ']')) return;
      if (!IsSym(t, ',')) lex_.Fail(t.Line, "',' or ']' expected in set but " + Describe(t) + " found");
    }
  }

  void ParseList(TFormValue& v) {
    v.Kind = TFormValueKind::List;
    for (;;) {
      TToken t = lex_.Next();
      if (IsSym(t, ')')) return;
      if (t.Type == TTok::Eof)
        lex_.Fail(t.Line, "missing ')' of the list begun on line " + std::to_string(v.Line));
      if (t.Type != TTok::String) lex_.Fail(t.Line, "string expected in list but " + Describe(t) + " found");
      v.Strings.push_back(ParseStringExpr(t));
    }
  }

  void ParseCollection(TFormValue& v) {
    TDepth depth(*this, v.Line);
    v.Kind = TFormValueKind::Collection;
    std::string outerPrefix = prefix_;
    for (;;) {
      prefix_ = lex_.Property + "[" + std::to_string(v.Items.size()) + "].";
      TToken t = lex_.Next();
      if (IsSym(t, '>')) { prefix_ = outerPrefix; return; }
      if (t.Type == TTok::Eof)
        lex_.Fail(t.Line, "missing '>' of the collection begun on line " + std::to_string(v.Line));
      if (!IsWord(t, "item")) lex_.Fail(t.Line, "'item' or '>' expected but " + Describe(t) + " found");
      TFormItem item;
      item.Line = t.Line;
      for (;;) {
        const TToken& p = lex_.Peek();
        if (IsWord(p, "end")) { lex_.Next(); break; }
        if (p.Type == TTok::Eof)
          lex_.Fail(p.Line, "missing 'end' of the item begun on line " + std::to_string(item.Line));
        if (p.Type != TTok::Ident || IsWord(p, "item") || IsWord(p, "object"))
          lex_.Fail(p.Line, "property name expected but " + Describe(p) + " found");
        item.Props.push_back(ParseProperty());
      }
      v.Items.push_back(std::move(item));
    }
  }

  TLexer lex_;
  std::string prefix_;  // "Columns[0]." while the properties of an item are read
  int depth_ = 0;
};

}  // namespace

TFormObject ParseFormDefinition(const std::string& text, const std::string& fileName) {
  TParser parser(text, fileName);
  return parser.ParseRoot();
}
