#pragma once
// The shell's "open" verb on a document, program or web address (GBK text).
#include <string>

// Opens target with its associated program, shown normally. Returns true when
// the shell accepted it.
bool ShellOpen(const std::string& target);
