#pragma once
// Readers of the mainland sources: the character readings of go-pinyin, the
// CC-CEDICT word list (as written by export_sources.mjs) and the frequency lists,
// and the rules that pick a word's reading.
#include <functional>
#include <map>
#include <set>
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

// "text<TAB>count" or "text count [tag]" lines; the part-of-speech tags too when asked.
bool ReadCounts(const std::string& path, std::map<std::string, long long>& out,
                std::map<std::string, std::string>* tags = nullptr);

// A part-of-speech tag of a function word (adverb, preposition, conjunction,
// particle, interjection, pronoun, measure word, numeral, direction): used on
// its own, such a character is read in its common reading (都 dou1, 了 le5),
// whereas a noun or verb alone says nothing of its reading (佛).
bool IsFunctionWordTag(const std::string& tag);

// Hand-kept corrections: "text<TAB>syllables" lines (their sources may follow
// in further columns), '#' starts a comment.
bool ReadReadingList(const std::string& path, std::map<std::string, std::vector<std::string>>& out);

// 一 and 不 keep their citation tones (yi1, bu4) wherever a source writes a tone change.
void CitationTones(const std::vector<std::string>& chars, std::vector<std::string>& syllables);

// A variant, cross-reference or surname entry, which says nothing of its own.
bool IsVariantEntry(const CedictEntry& e);
// Senses that are all Japanese, Taiwanese or Internet usage.
bool IsForeignOrWebOnly(const CedictEntry& e);

// One reading of a character and its share (percent) of the character's uses in words.
struct Reading {
  std::string syllable;  // letters and tone digit, e.g. "hao3"
  double percent;
};

// The readings CC-CEDICT gives a character in mainland entries of its own (not
// names, variants, cross-references, nor Taiwanese or other foreign usage
// only), in its order.
std::vector<std::string> CedictCharacterReadings(const Cedict& cedict, const std::string& ch);

// Orders a character's readings, most common first: `weight` is how often the
// character is read so in words (summed word frequencies). Readings met in words
// join the list where `mainland` says a mainland dictionary gives the character
// that reading (every one when it is empty), but a neutral tone only counts
// where the character has it of its own (a particle's 的 de5, not 孩子's zi5);
// with word evidence, the readings go by weight (ties keep the given order);
// `preferred` (a hand-checked first reading, or empty) leads whatever the words
// say. Shares become percentages, the first always 100.
using ReadingTest = std::function<bool(const std::string& syllable)>;
void RankReadings(std::vector<Reading>& readings, const std::map<std::string, double>& weight,
                  const std::string& preferred, const ReadingTest& mainland = {});

// Whether a character with the readings `readings` reads `syllable` in a word:
// a tone 1-4 must be one of them; a neutral tone is the word's own when a
// reading is spelled alike (孩子 zi5 of 子 zi3), else it must be one too (猛地 de5).
bool ReadsInWord(const std::vector<std::string>& readings, const std::string& syllable);

// The readings a character keeps, in the ranked order of `ranked`: the first;
// every one its phrases read it with (`phraseSyllables`, as ReadsInWord takes
// them: a syllable no ranked reading has joins at the end); and those of at
// least `minPercent`, as far as `most` allows (the phrases' come first).
std::vector<Reading> KeptReadings(const std::vector<Reading>& ranked, const std::set<std::string>& phraseSyllables,
                                  double minPercent, std::size_t most);

// The reading of a word among its entries: entries of its own before variants,
// common words before names, entries not starting with a neutral tone, then
// the entry with the most senses, then the one
// with more neutral tones (the everyday word: 东西 dong1 xi5), then the one
// agreeing most with the characters' first readings. False when none reads.
bool ChooseReading(const std::vector<CedictEntry>& entries, const std::vector<std::string>& firstReadings,
                   std::vector<std::string>& syllables);
