// Which Wubi 86 roots a character's code letters stand for, found from a
// component decomposition (cjk-decomp lines "char:kind(part,part,...)")
// matched against the root table and the character's own code.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "lists.h"

namespace mediagen {

// Character or component number -> its parts, in writing order.
using Decompositions = std::map<std::string, std::vector<std::string>>;
bool ParseDecompositions(const std::string& text, Decompositions& out, std::string& error);

// What the frame of one code letter names: the roots it stands for, or that
// it is the identification (last-stroke) code.
struct LetterRoots {
  std::vector<std::string> roots;
  bool identification = false;
};

// The roots of every letter of the code; false when no split of the character
// into roots of the table spells its code (the picture then shows key caps).
bool RootsOfCode(const std::string& character, const std::string& code, const Decompositions& d,
                 const RootTable& roots, std::vector<LetterRoots>& out);

}  // namespace mediagen
