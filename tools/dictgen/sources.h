#pragma once
// Readers of the input-method source tables (UTF-8), shared by the data tools.
#include <map>
#include <string>
#include <vector>

std::vector<std::string> Split(const std::string& s, char sep);
// Lines after the "..." that ends a table's header, comments and blank lines left out;
// empty when the file cannot be read.
bool BodyLines(const std::string& path, std::vector<std::string>& lines);
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

// The Wubi 86 code of a word from its characters' full codes: two letters of each
// of two characters; one each of the first two and two of the third; or one each
// of the first three and the last. Empty when a code is too short.
std::string WubiPhraseCode(const std::vector<std::string>& fullCodes);
