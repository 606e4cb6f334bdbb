#pragma once
// Readers of the mainland sources: the character readings of go-pinyin, the
// CC-CEDICT word list (as written by export_sources.mjs) and the frequency lists,
// and the rules that pick a word's reading.
#include <map>
#include <string>
#include <vector>

// "hǎo" -> "hao3", "me" -> "me5", "lǜ" -> "lv4"; empty when the text is not
// plain pinyin of one syllable.
std::string NumberedSyllable(const std::string& marked);
// A CC-CEDICT syllable as a sound name: lower case, u: as v; empty when it is
// not a syllable of its own (letters, symbols, erhua r5).
std::string CedictSyllable(const std::string& s);

// go-pinyin's table: character -> its readings, most common first (tone digits).
bool ReadGoPinyin(const std::string& path, std::map<std::string, std::vector<std::string>>& out);

struct CedictEntry {
  std::vector<std::string> syllables;  // as sound names
  bool proper = false;                 // capitalised: a name
  std::vector<std::string> senses;
};
using Cedict = std::map<std::string, std::vector<CedictEntry>>;  // simplified headword -> entries
// Entries of one to four characters whose syllables all read.
bool ReadCedict(const std::string& path, Cedict& out);

// "text<TAB>count" or "text count [tag]" lines.
bool ReadCounts(const std::string& path, std::map<std::string, long long>& out);

// Hand-kept corrections: "text<TAB>syllables" lines, '#' starts a comment.
bool ReadReadingList(const std::string& path, std::map<std::string, std::vector<std::string>>& out);

// 一 and 不 keep their citation tones (yi1, bu4) wherever a source writes a tone change.
void CitationTones(const std::vector<std::string>& chars, std::vector<std::string>& syllables);

// A variant, cross-reference or surname entry, which says nothing of its own.
bool IsVariantEntry(const CedictEntry& e);
// Senses that are all Japanese, Taiwanese or Internet usage.
bool IsForeignOrWebOnly(const CedictEntry& e);

// The reading of a word among its entries: entries of its own before variants,
// common words before names, entries not starting with a neutral tone, then
// the entry with the most senses, then the one
// with more neutral tones (the everyday word: 东西 dong1 xi5), then the one
// agreeing most with the characters' first readings. False when none reads.
bool ChooseReading(const std::vector<CedictEntry>& entries, const std::vector<std::string>& firstReadings,
                   std::vector<std::string>& syllables);
