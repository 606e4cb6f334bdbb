#pragma once
// Readers of the input-method source tables (UTF-8), shared by the data tools.
#include <map>
#include <string>
#include <vector>

std::vector<std::string> Split(const std::string& s, char sep);
// Lines after the line `headerEnd` that ends a table's header ("..." in the
// input-method tables), a line end's '\r', comments and blank lines left out;
// false when the file cannot be read.
bool BodyLines(const std::string& path, const std::string& headerEnd, std::vector<std::string>& lines);
// The lines of a hand-kept list, '#' comments and blank lines left out; false
// when the file cannot be read.
bool ListLines(const std::string& path, std::vector<std::string>& lines);
// One to four letters a-y.
bool IsWubiCode(const std::string& c);

struct CodeEntry {
  std::string code;
  long long weight;
};

struct WubiSource {
  std::map<std::string, std::vector<CodeEntry>> chars;     // single characters, every code
  std::map<std::string, CodeEntry> phrases;              // best code of each phrase
  std::map<std::string, std::vector<std::string>> phraseCodes;  // every code of each phrase
  // Short code of 1-2 letters -> its GB 2312 character (in `code`) of the highest weight.
  std::map<std::string, CodeEntry> shortCodes;
};

bool ReadWubi(const std::string& path, WubiSource& src);
// A character's full code: its longest code, of the highest weight among those.
std::string FullCode(const std::vector<CodeEntry>& codes);
// The source's character of a short code: the one with the highest weight.
bool ShortCodeCharacter(const WubiSource& src, const std::string& code, std::string& ch);

// Codes decided by hand where the Wubi tables differ (data/dict/wubi-codes.txt):
//   full<TAB>character<TAB>code     the character's full code
//   short<TAB>code<TAB>character    the character of a level-1 or level-2 code
struct WubiDecisions {
  std::map<std::string, std::string> fullCode;       // character -> full code
  std::map<std::string, std::string> shortCodeChar;  // code -> character
};
// False when the file cannot be read or a line is not one of the above.
bool ReadWubiDecisions(const std::string& path, WubiDecisions& out);
// Puts the decided codes into the table: a decided full code replaces the
// character's longest codes; a decided short code leaves every other character.
void ApplyWubiDecisions(const WubiDecisions& decisions, WubiSource& src);
// A code shorter than a character's full code belongs to one character only:
// `chars` most frequent first, each later holder loses it (振 keeps rdf, 翱 not).
void KeepShortCodesUnique(const std::vector<std::string>& chars, WubiSource& src);

// The Wubi 86 code of a word from its characters' full codes: two letters of each
// of two characters; one each of the first two and two of the third; or one each
// of the first three and the last. Empty when a code is too short.
std::string WubiPhraseCode(const std::vector<std::string>& fullCodes);
