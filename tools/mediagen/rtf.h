// A small marked-up text into an RTF document that word processors open.
//
// Markup, one element per paragraph (paragraphs are separated by blank lines,
// the lines of a paragraph are joined):
//   # Title          ## Heading          - list item
//   **bold** inside any paragraph.
#pragma once

#include <string>

namespace mediagen {

bool MarkupToRtf(const std::string& utf8, std::string& rtf, std::string& error);

}  // namespace mediagen
