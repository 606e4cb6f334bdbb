#include "practice/rules/field_lines.h"

#include <vector>

namespace {
// The fields of `line`, each with the separator that ends it (neither byte
// is ever the second byte of a GBK character).
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    fields.back() += c;
    if (c == ' ' || c == ',') fields.emplace_back();
  }
  if (fields.back().empty()) fields.pop_back();
  return fields;
}

std::string WithoutTrailingSpace(const std::string& s) {
  return !s.empty() && s.back() == ' ' ? s.substr(0, s.size() - 1) : s;
}
}  // namespace

std::string BreakBetweenFields(const std::string& line, int width,
                               const std::function<int(const std::string&)>& measure) {
  std::string lines, current;
  for (const std::string& field : Fields(line)) {
    const std::string longer = current + field;
    if (current.empty() || measure(WithoutTrailingSpace(longer)) <= width) {
      current = longer;
      continue;
    }
    lines += WithoutTrailingSpace(current) + "\r\n";
    current = field;
  }
  return lines + current;
}
