// Readers of the dictionary tool's lists: the Wubi 86 root table, the
// picture list and the sound names.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace mediagen {

// Key letter 'a'..'y' -> its roots (UTF-8), in the table's order.
using RootTable = std::map<char, std::vector<std::string>>;

// "key<TAB>root root ..." per line, '#' starts a comment line, blank lines skipped.
bool ParseRoots(const std::string& text, RootTable& out, std::string& error);
// The keys a..y that the table lacks, as a string of letters.
std::string MissingKeys(const RootTable& roots);

struct PictureEntry {
  int number = 0;
  std::string character;  // UTF-8
  std::string code;       // lower-case letters, 1 to 4
  bool drill = false;     // a drill character (of wbs.dat)
};

// "number<TAB>character<TAB>code[<TAB>drill]" per line; numbers positive and unique.
bool ParsePictures(const std::string& text, std::vector<PictureEntry>& out, std::string& error);

// One sound name per line (letters and a tone digit); duplicates are dropped.
bool ParseSoundNames(const std::string& text, std::vector<std::string>& out, std::string& error);

bool ReadText(const std::string& path, std::string& out);

}  // namespace mediagen
