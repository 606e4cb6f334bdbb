#pragma once
// Writes a parsed form definition back as text, and compares two parsed trees
// (lines aside): parsing what was written must give the same tree.
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "toolkit/base/form_parser.h"

namespace formtext {

inline std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

inline std::string Number(std::int64_t v) {
  if (v == std::numeric_limits<std::int64_t>::min()) return "$8000000000000000";
  return std::to_string(v);
}

inline std::string Real(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  std::string s = buf;
  if (s.find_first_of(".e") == std::string::npos) s += ".0";  // stays a number with a fraction
  return s;
}

inline void WriteProps(std::string& out, const std::vector<TFormProperty>& props);

inline std::string Value(const TFormValue& v) {
  std::string out;
  switch (v.Kind) {
    case TFormValueKind::Integer: return Number(v.Int);
    case TFormValueKind::Float: return Real(v.Float);
    case TFormValueKind::Ident: return v.Str;
    case TFormValueKind::String: return Quoted(v.Str);
    case TFormValueKind::Set:
      for (const std::string& n : v.Names) out += (out.empty() ? "" : ", ") + n;
      return "[" + out + "]";
    case TFormValueKind::List:
      for (const std::string& s : v.Strings) out += "\n" + Quoted(s);
      return "(" + out + ")";
    case TFormValueKind::Collection:
      for (const TFormItem& item : v.Items) {
        out += "\nitem\n";
        WriteProps(out, item.Props);
        out += "end";
      }
      return "<" + out + ">";
    case TFormValueKind::Binary: {
      static const char hex[] = "0123456789ABCDEF";
      for (std::uint8_t b : v.Bytes) out += std::string{hex[b >> 4], hex[b & 15]};
      return "{" + out + "}";
    }
  }
  return out;
}

inline void WriteProps(std::string& out, const std::vector<TFormProperty>& props) {
  for (const TFormProperty& p : props) out += p.Name + " = " + Value(p.Value) + "\n";
}

inline std::string Write(const TFormObject& o) {
  std::string out = "object " + o.Name + ": " + o.ClassName + "\n";
  WriteProps(out, o.Props);
  for (const TFormObject& child : o.Children) out += Write(child);
  return out + "end\n";
}

inline bool Same(const std::vector<TFormProperty>& a, const std::vector<TFormProperty>& b);

inline bool Same(const TFormValue& a, const TFormValue& b) {
  if (a.Kind != b.Kind || a.Int != b.Int || a.Str != b.Str || a.Names != b.Names || a.Strings != b.Strings ||
      a.Bytes != b.Bytes || a.Items.size() != b.Items.size() || std::memcmp(&a.Float, &b.Float, sizeof a.Float) != 0)
    return false;
  for (std::size_t i = 0; i < a.Items.size(); ++i)
    if (!Same(a.Items[i].Props, b.Items[i].Props)) return false;
  return true;
}

inline bool Same(const std::vector<TFormProperty>& a, const std::vector<TFormProperty>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Name != b[i].Name || !Same(a[i].Value, b[i].Value)) return false;
  return true;
}

inline bool Same(const TFormObject& a, const TFormObject& b) {
  if (a.Name != b.Name || a.ClassName != b.ClassName || !Same(a.Props, b.Props) || a.Children.size() != b.Children.size())
    return false;
  for (std::size_t i = 0; i < a.Children.size(); ++i)
    if (!Same(a.Children[i], b.Children[i])) return false;
  return true;
}

}  // namespace formtext
