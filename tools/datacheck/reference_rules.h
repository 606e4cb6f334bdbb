#pragma once
// The checker's second references (a Wubi 86 table as mb2txt writes it, the
// readings exported from pinyin-pro) and the rules a difference is judged by.
#include <map>
#include <string>
#include <vector>

struct WubiReference {
  std::map<std::string, std::vector<std::string>> codesOf;  // character or phrase -> its codes
  std::map<std::string, std::vector<std::string>> charsOf;  // code -> its single characters, in table order
};
// The "[Data]" part of the text: "code text" lines. False when it cannot be read or has no data.
bool ReadWubiReference(const std::string& path, WubiReference& out);
// The character of a level-1 or level-2 code: the first GB 2312 character the
// table lists for it; empty when there is none.
std::string ShortCodeCharacter(const WubiReference& ref, const std::string& code);
// Whether the files' full code is one the table gives the character (云 fcu
// agrees with a table listing fcu and fcuu).
bool FullCodeAgrees(const WubiReference& ref, const std::string& ch, const std::string& code);

// "text<TAB>syllables" lines (syllables separated by blanks).
bool ReadReferenceReadings(const std::string& path, std::map<std::string, std::vector<std::string>>& out);

enum class ReadingMatch {
  Same,
  NeutralTone,   // only a neutral tone differs (东西 dong1 xi5 / xi1)
  CitationTone,  // only 一 or 不 differs: the files keep yi1, bu4 where a tone change is written
  Differs,
};
// Compares a reading of the characters `chars` in the files with the reference's.
ReadingMatch MatchReadings(const std::vector<std::string>& chars, const std::vector<std::string>& files,
                           const std::vector<std::string>& reference);
