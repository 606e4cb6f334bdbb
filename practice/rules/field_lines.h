#pragma once
// A line of fields ("总数:12 正确率:100% 错误:0 ...") broken into lines that
// fit a width only between its fields: at a space, which the break takes, or
// after a comma, which stays at the end of its line.
#include <functional>
#include <string>

// The lines of `line`, joined by CR LF, each no wider than `width` by
// `measure` (the width of a text) unless it is one field that alone is wider.
std::string BreakBetweenFields(const std::string& line, int width,
                               const std::function<int(const std::string&)>& measure);
