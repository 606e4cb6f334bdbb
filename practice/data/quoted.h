#pragma once
// How the learner's messages set off a name, a path or a value: in Chinese
// quotation marks.
#include <string>

inline std::string Quoted(const std::string& text) { return "“" + text + "”"; }
