// Reads every generated dictionary file the way the program loads it and
// reports what a learner would trip over. Exit status 1 when anything is wrong.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>
#include <unistd.h>

#include "practice/data/dict_cipher.h"
#include "practice/data/dict_load.h"
#include "practice/data/dict_parse.h"
#include "tools/datacheck/file_views.h"
#include "tools/datacheck/reading_rules.h"
#include "tools/datacheck/second_reference.h"
#include "tools/dictgen/gbk.h"
#include "tools/dictgen/mainland.h"
#include "tools/dictgen/sources.h"

namespace {

const char* const kFiles[] = {"wb1.dat", "wb2.dat", "wbzg.dat", "wbOne.dat", "wbs.dat", "wbTwo.dat",
                              "wbMulti.dat", "PYs.dat", "PYOne.dat", "PYTwo.dat", "PYMulti.dat"};
const char kKeyOrder[] = "gfdsahjklmtrewqyuiopnbvcx";

int problems = 0;

void Problem(const std::string& where, const std::string& what) {
  if (++problems <= 200) std::cerr << "datacheck: " << where << ": " << what << "\n";
}

std::string Show(const std::string& gbk) {
  std::string u;
  return GbkToUtf8(gbk, u) ? u : "<not GBK>";
}

std::string At(const char* file, int record) { return std::string(file) + " record " + std::to_string(record); }

// One or more double-byte GBK characters and nothing else.
bool IsGbkChars(const std::string& s, std::size_t chars) {
  if (s.size() != 2 * chars) return false;
  for (std::size_t i = 0; i < s.size(); i += 2)
    if (static_cast<unsigned char>(s[i]) < 0x81) return false;
  std::string u;
  return GbkToUtf8(s, u);
}

bool IsLowerLetters(const std::string& s, char last = 'z') {
  if (s.empty()) return false;
  for (char c : s)
    if (c < 'a' || c > last) return false;
  return true;
}

// A sound name: letters and a tone digit 1-5 after the prefix.
bool IsSoundName(const std::string& s, std::string& syllable) {
  std::size_t pre = std::strlen(kSoundPrefix);
  if (s.compare(0, pre, kSoundPrefix) != 0 || s.size() < pre + 2) return false;
  syllable = s.substr(pre);
  char tone = syllable.back();
  return tone >= '1' && tone <= '5' && IsLowerLetters(syllable.substr(0, syllable.size() - 1));
}

// The tone-marked hint spelled without marks, ü as v.
std::string Unmarked(const std::string& gbk) {
  static const std::map<std::string, char> base = {
      {"ā", 'a'}, {"á", 'a'}, {"ǎ", 'a'}, {"à", 'a'}, {"ē", 'e'}, {"é", 'e'}, {"ě", 'e'}, {"è", 'e'},
      {"ī", 'i'}, {"í", 'i'}, {"ǐ", 'i'}, {"ì", 'i'}, {"ō", 'o'}, {"ó", 'o'}, {"ǒ", 'o'}, {"ò", 'o'},
      {"ū", 'u'}, {"ú", 'u'}, {"ǔ", 'u'}, {"ù", 'u'}, {"ǖ", 'v'}, {"ǘ", 'v'}, {"ǚ", 'v'}, {"ǜ", 'v'},
      {"ü", 'v'}};
  std::string u, out;
  if (!GbkToUtf8(gbk, u)) return "<not GBK>";
  for (const auto& c : Utf8Chars(u)) {
    auto it = base.find(c);
    if (it != base.end()) out += it->second;
    else if (c != " ") out += c;
  }
  return out;
}

std::string Toneless(const std::string& syllable) { return syllable.substr(0, syllable.size() - 1); }

// Lines of a deciphered text as the loader splits them; the tail after the
// last CR LF must be the cipher's zero padding.
void CheckText(const std::string& folder, const char* file, int minLength, int capacity, int loaded) {
  TBytes plain;
  if (!DecipherFile(folder + file, plain)) return Problem(file, "cannot be read");
  std::string text(plain.begin(), plain.end());
  std::size_t end = text.rfind("\r\n");
  std::string tail = end == std::string::npos ? text : text.substr(end + 2);
  if (tail.size() >= 8 || tail.find_first_not_of('\0') != std::string::npos)
    Problem(file, "text does not end with CR LF and the cipher padding");
  int lines = 0;
  for (std::size_t pos = 0; end != std::string::npos && pos < end + 2;) {
    std::size_t e = text.find("\r\n", pos);
    std::string line = text.substr(pos, e - pos);
    ++lines;
    if (int(line.size()) < minLength) Problem(At(file, lines), "line shorter than " + std::to_string(minLength));
    if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) Problem(At(file, lines), "stray CR, LF or zero byte");
    pos = e + 2;
  }
  if (lines > capacity) Problem(file, std::to_string(lines) + " lines, more than the capacity " + std::to_string(capacity));
  if (loaded != lines && lines <= capacity)
    Problem(file, "loader read " + std::to_string(loaded) + " of " + std::to_string(lines) + " lines");
  std::cout << "  " << file << ": " << loaded << " of " << capacity << "\n";
}

struct Context {
  WubiSource wubi;
  std::map<std::string, std::string> rootKey;  // GBK root -> key
  std::set<std::string> sounds;                // sounds.txt
  std::map<int, std::string> pictures;         // pictures.tsv: number -> GBK character
};

// The 86 rule's code of a word from the full codes of the Wubi table.
std::string RuleCode(const Context& c, const std::string& word) {
  std::vector<std::string> full;
  for (const auto& ch : Utf8Chars(word)) {
    auto it = c.wubi.chars.find(ch);
    full.push_back(it == c.wubi.chars.end() ? "" : FullCode(it->second));
  }
  return WubiPhraseCode(full);
}

template <class R>
void CheckWbCodes(const Context& c, const char* file, int r, const R& rec) {
  std::string u;
  if (!IsGbkChars(rec.Character, 1)) return Problem(At(file, r), "character is not one GBK character: " + Show(rec.Character));
  GbkToUtf8(rec.Character, u);
  auto src = c.wubi.chars.find(u);
  std::set<std::string> known;
  if (src != c.wubi.chars.end())
    for (const auto& e : src->second) known.insert(e.code);
  for (int i = 1; i <= 4; ++i) {
    if (!IsLowerLetters(rec.Codes[i], 'y') || rec.Codes[i].size() > 4)
      Problem(At(file, r), "code " + std::to_string(i) + " is not 1-4 lower-case letters: '" + rec.Codes[i] + "'");
    else if (!known.count(rec.Codes[i]))
      Problem(At(file, r), "code " + rec.Codes[i] + " is not a Wubi 86 code of " + u);
    if (rec.Codes[i].size() > rec.Codes[1].size()) Problem(At(file, r), "the first code is not the full code");
  }
}

void CheckWubi(const Context& c, const TDictionaries& d, std::set<int>& pictureNos) {
  std::map<std::string, int> recordOf;
  std::map<std::string, std::string> shortCodeOf;  // a short code -> the character that has it
  for (int r = 1; r <= d.WbOneTable.Count(); ++r) {
    const auto& rec = d.WbOneTable[r];
    CheckWbCodes(c, "wbOne.dat", r, rec);
    for (int i = 2; i <= 4; ++i) {
      if (rec.Codes[i].size() >= rec.Codes[1].size()) continue;
      auto held = shortCodeOf.emplace(rec.Codes[i], rec.Character);
      if (held.first->second != rec.Character)
        Problem(At("wbOne.dat", r), "short code " + rec.Codes[i] + " also belongs to " + Show(held.first->second));
    }
    if (!recordOf.emplace(rec.Character, r).second) Problem(At("wbOne.dat", r), "character repeated: " + Show(rec.Character));
    pictureNos.insert(r);  // the Wubi hint shows the picture of a record number
  }
  pictureNos.insert(1);
  for (int r = 1; r <= d.WbsTable.Count(); ++r) {
    const auto& rec = d.WbsTable[r];
    CheckWbCodes(c, "wbs.dat", r, rec);
    auto it = recordOf.find(rec.Character);
    if (it == recordOf.end() || it->second != rec.PictureNo)
      Problem(At("wbs.dat", r), "picture number " + std::to_string(rec.PictureNo) + " is not the wbOne record of " + Show(rec.Character));
    pictureNos.insert(rec.PictureNo);
  }
  auto phrases = [&](const char* file, int r, const std::string& code, const std::string& word, std::size_t lo, std::size_t hi) {
    std::string u;
    if (word.size() < 2 * lo || word.size() > 2 * hi || word.size() % 2 || !IsGbkChars(word, word.size() / 2))
      return Problem(At(file, r), "word is not " + std::to_string(lo) + "-" + std::to_string(hi) + " GBK characters: " + Show(word));
    GbkToUtf8(word, u);
    if (code.size() != 4 || !IsLowerLetters(code, 'y')) return Problem(At(file, r), "code is not 4 lower-case letters: " + code);
    std::string rule = RuleCode(c, u);
    if (code != rule) Problem(At(file, r), code + " of " + u + " is not the 86 rule's code " + rule);
  };
  for (int r = 1; r <= d.WbTwoTable.Count(); ++r) phrases("wbTwo.dat", r, d.WbTwoTable[r].Code, d.WbTwoTable[r].Word, 2, 2);
  for (int r = 1; r <= d.WbMultiTable.Count(); ++r) phrases("wbMulti.dat", r, d.WbMultiTable[r].Code, d.WbMultiTable[r].Word, 3, 4);

  // Level-1 codes: every key once, in key order, the source's character.
  if (d.Wb1Buffer.Count != 25) Problem("wb1.dat", std::to_string(d.Wb1Buffer.Count) + " records, not 25");
  for (int k = 0; k < d.Wb1Buffer.Count && k < 25; ++k) {
    const char* rec = d.Wb1Buffer.Record(k, kWb1RecordSize);
    std::string ch(rec, 2), key(1, rec[2]), want, u;
    if (!IsGbkChars(ch, 1)) Problem(At("wb1.dat", k), "not a GBK character");
    if (key != std::string(1, kKeyOrder[k])) Problem(At("wb1.dat", k), "key '" + key + "' out of order or not lower case");
    if (!ShortCodeCharacter(c.wubi, key, want) || !Utf8ToGbk(want, u) || u != ch)
      Problem(At("wb1.dat", k), "level-1 code " + key + " is " + want + " in Wubi 86, not " + Show(ch));
  }
  std::set<std::string> level2;
  if (d.Wb2Buffer.Count > 625) Problem("wb2.dat", "more than 625 records");
  for (int k = 0; k < d.Wb2Buffer.Count; ++k) {
    const char* rec = d.Wb2Buffer.Record(k, kWb2RecordSize);
    std::string ch(rec, 2), code(rec + 2, 2), want, g;
    std::string number = Trim(std::string(rec + 8, 8));
    if (!IsGbkChars(ch, 1)) Problem(At("wb2.dat", k), "not a GBK character");
    if (!IsLowerLetters(code, 'y')) Problem(At("wb2.dat", k), "code is not two lower-case letters");
    if (!level2.insert(code).second) Problem(At("wb2.dat", k), "code repeated: " + code);
    if (!ShortCodeCharacter(c.wubi, code, want) || !Utf8ToGbk(want, g) || g != ch)
      Problem(At("wb2.dat", k), "level-2 code " + code + " is " + want + " in Wubi 86, not " + Show(ch));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
      Problem(At("wb2.dat", k), "picture number is not an integer: '" + number + "'");
    else {
      int no = std::atoi(number.c_str());
      auto it = recordOf.find(ch);
      if (it == recordOf.end() || it->second != no) Problem(At("wb2.dat", k), "picture number is not the wbOne record of " + Show(ch));
      pictureNos.insert(no);
    }
  }
  if (d.Wb1Buffer.Data.size() != std::size_t(d.Wb1Buffer.Count) * kWb1RecordSize + 1) Problem("wb1.dat", "size is not a whole number of records");
  if (d.Wb2Buffer.Data.size() != std::size_t(d.Wb2Buffer.Count) * kWb2RecordSize + 1) Problem("wb2.dat", "size is not a whole number of records");
  const std::pair<const TBinaryBuffer*, const char*> buffers[] = {
      {&d.Wb1Buffer, "wb1.dat"}, {&d.Wb2Buffer, "wb2.dat"}, {&d.WbzgBuffer, "wbzg.dat"}};
  for (const auto& b : buffers)
    if (std::strlen(reinterpret_cast<const char*>(b.first->Data.data())) + 1 != b.first->Data.size())
      Problem(b.second, "a zero byte ends the buffer early");

  for (int k = 0; k < d.WbzgBuffer.Count; ++k) {
    const char* rec = d.WbzgBuffer.Record(k, kWbzgRecordSize);
    std::string root(rec, 2), key(1, rec[2]);
    auto it = c.rootKey.find(root);
    if (!IsGbkChars(root, 1)) Problem(At("wbzg.dat", k), "root is not a GBK character");
    else if (it == c.rootKey.end() || it->second != key)
      Problem(At("wbzg.dat", k), "root " + Show(root) + " is not on key '" + key + "' in the root table");
  }
  std::cout << "  wb1.dat: " << d.Wb1Buffer.Count << ", wb2.dat: " << d.Wb2Buffer.Count << " of 625, wbzg.dat: "
            << d.WbzgBuffer.Count << "\n";
}

template <class R>
void CheckReading(const char* file, int r, const R& rec, std::set<std::string>& sounds) {
  std::string syl;
  if (!IsGbkChars(rec.Character, 1)) Problem(At(file, r), "character is not one GBK character: " + Show(rec.Character));
  if (!IsSoundName(rec.SoundName, syl)) return Problem(At(file, r), "bad sound name " + rec.SoundName);
  sounds.insert(syl);
  if (rec.Pinyin != Toneless(syl) || !IsLowerLetters(rec.Pinyin))
    Problem(At(file, r), "pinyin '" + rec.Pinyin + "' does not match its sound " + syl);
  if (Unmarked(rec.HintSpelling) != rec.Pinyin) Problem(At(file, r), "hint " + Show(rec.HintSpelling) + " does not spell " + rec.Pinyin);
}

template <class R>
void CheckPhraseReading(const char* file, int r, const R& rec, int maxSounds, std::size_t lo, std::size_t hi,
                        std::set<std::string>& sounds) {
  std::size_t n = rec.Phrase.size() / 2;
  if (n < lo || n > hi || !IsGbkChars(rec.Phrase, n)) return Problem(At(file, r), "phrase is not " + std::to_string(lo) + "-" + std::to_string(hi) + " GBK characters: " + Show(rec.Phrase));
  std::string typed;
  for (int k = 1; k <= maxSounds; ++k) {
    std::string syl;
    if (std::size_t(k) > n) {
      if (!rec.SoundNames[k].empty()) Problem(At(file, r), "more sound names than characters");
      continue;
    }
    if (!IsSoundName(rec.SoundNames[k], syl)) return Problem(At(file, r), "bad sound name '" + rec.SoundNames[k] + "'");
    sounds.insert(syl);
    typed += Toneless(syl);
  }
  if (rec.Pinyin != typed) Problem(At(file, r), "pinyin '" + rec.Pinyin + "' does not match its sounds");
  if (Unmarked(rec.HintSpelling) != typed) Problem(At(file, r), "hint " + Show(rec.HintSpelling) + " does not spell " + typed);
}

void CheckPinyin(const TDictionaries& d, std::set<std::string>& sounds) {
  for (int r = 1; r <= d.PYsTable.Count(); ++r) CheckReading("PYs.dat", r, d.PYsTable[r], sounds);
  std::map<std::string, int> lastOf, runs;
  for (int r = 1; r <= d.PYOneTable.Count(); ++r) {
    const auto& rec = d.PYOneTable[r];
    CheckReading("PYOne.dat", r, rec, sounds);
    auto it = lastOf.find(rec.Character);
    if (it != lastOf.end() && it->second != r - 1) Problem(At("PYOne.dat", r), "readings of " + Show(rec.Character) + " are not consecutive");
    if (++runs[rec.Character] > 4) Problem(At("PYOne.dat", r), "more than four readings of " + Show(rec.Character));
    lastOf[rec.Character] = r;
  }
  for (int r = 1; r <= d.PYTwoTable.Count(); ++r) CheckPhraseReading("PYTwo.dat", r, d.PYTwoTable[r], 2, 2, 2, sounds);
  for (int r = 1; r <= d.PYMultiTable.Count(); ++r) CheckPhraseReading("PYMulti.dat", r, d.PYMultiTable[r], kPYMultiSounds, 3, 4, sounds);

  // Each group: the readings of one character, with different spellings.
  for (int g = 1; g <= kPinyinGroupCount; ++g) {
    int slots = g <= 17 ? 2 : 3;
    int first = g <= 17 ? 2 * g - 1 : g == 18 ? 35 : 38;
    std::set<std::string> spellings;
    for (int s = 1; s <= slots; ++s) {
      const auto& grp = d.PinyinGroups[g];
      if (grp.Pinyins[s].empty() || grp.SoundNames[s].empty()) Problem("PYs.dat group " + std::to_string(g), "empty slot");
      spellings.insert(grp.Pinyins[s]);
      if (first + s - 1 <= d.PYsTable.Count() && d.PYsTable[first + s - 1].Character != d.PYsTable[first].Character)
        Problem("PYs.dat group " + std::to_string(g), "slots are not one character");
    }
    if (int(spellings.size()) != slots) Problem("PYs.dat group " + std::to_string(g), "spellings are not all different");
  }
}

// The hand-checked list (data/dict/known.txt): readings, codes and what the
// drill and phrase lists hold or leave out.
void CheckKnown(const std::string& path, const Context& c, const TDictionaries& d) {
  std::vector<std::string> lines;
  if (!ListLines(path, lines)) return Problem(path, "cannot be read");
  const std::map<std::string, std::string> firstReading = FirstReadings(d), wordReading = WordReadings(d),
                                           wordCode = WordCodes(d);
  std::set<std::string> wbs, pys;
  for (int r = 1; r <= d.WbsTable.Count(); ++r) wbs.insert(Utf8(d.WbsTable[r].Character));
  for (int r = 1; r <= d.PYsTable.Count(); ++r) pys.insert(Utf8(d.PYsTable[r].Character));
  int checks = 0;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    const std::string where = "known " + line;
    ++checks;
    if (f[0] == "reading" && f.size() == 3) {
      bool word = Utf8Chars(f[1]).size() > 1;
      const auto& table = word ? wordReading : firstReading;
      auto it = table.find(f[1]);
      if (it == table.end()) Problem(where, "not in the files");
      else if (it->second != f[2]) Problem(where, "the files read " + it->second);
    } else if (f[0] == "code" && f.size() == 3) {
      // Words outside the lists are checked against the rule the generator applies.
      auto it = wordCode.find(f[1]);
      std::string code = it != wordCode.end() ? it->second : RuleCode(c, f[1]);
      if (code != f[2]) Problem(where, (it != wordCode.end() ? "the files give " : "the 86 rule gives ") + code);
    } else if ((f[0] == "drill" || f[0] == "notdrill") && f.size() == 2) {
      for (const auto& ch : Utf8Chars(f[1]))
        if ((wbs.count(ch) && pys.count(ch)) != (f[0] == "drill"))
          Problem(where, ch + (f[0] == "drill" ? " is not drilled in both wbs.dat and PYs.dat" : " is drilled"));
    } else if ((f[0] == "phrase" || f[0] == "notphrase") && f.size() >= 2) {
      for (std::size_t i = 1; i < f.size(); ++i)
        for (const auto& w : Split(f[i], ' '))
          if ((wordReading.count(w) && wordCode.count(w)) != (f[0] == "phrase"))
            Problem(where, w + (f[0] == "phrase" ? " is missing from the phrase lists" : " is in the phrase lists"));
    } else {
      Problem(where, "not understood");
    }
  }
  std::cout << "  " << checks << " hand-checked readings, codes and selections\n";
}

// The drill sets, the readings of characters and the sources of the hand decisions.
void CheckSelectionsAndSources(const std::string& gen, const std::string& lists, const TDictionaries& d) {
  StandardTables tables;
  Cedict cedict;
  if (!ReadStandardTables(gen + "/standard_tables.txt", tables)) return Problem(gen + "/standard_tables.txt", "cannot be read");
  if (!ReadCedict(gen + "/cedict.txt", cedict) || cedict.empty()) return Problem(gen + "/cedict.txt", "cannot be read");
  DecisionList decided[2];
  std::vector<std::string> bad[2];
  const char* names[2] = {"first-readings.txt", "word-readings.txt"};
  for (int i = 0; i < 2; ++i)
    if (!ReadDecisionList(lists + "/" + names[i], decided[i], bad[i])) return Problem(lists + "/" + names[i], "cannot be read");
  CheckDrillSets(tables, d, Problem);
  CheckReadingsOfCharacters(tables, cedict, decided[0], d, Problem);
  std::cout << "datacheck: sources of the hand decisions\n";
  for (int i = 0; i < 2; ++i) CheckDecisionSources(names[i], decided[i], bad[i], cedict, tables, Problem);
}

// The second references and the hand-checked lists that decide where they differ.
void CompareWithReferences(const std::string& wubiReference, const std::string& pinyinChars,
                           const std::string& pinyinWords, const std::string& lists, const WubiDecisions& wubiDecided,
                           const TDictionaries& d) {
  WubiReference wubi;
  PinyinReference pinyin;
  ReadingDecisions readingsDecided;
  if (!ReadWubiReference(wubiReference, wubi)) return Problem(wubiReference, "cannot be read");
  if (!ReadReferenceReadings(pinyinChars, pinyin.chars)) return Problem(pinyinChars, "cannot be read");
  if (!ReadReferenceReadings(pinyinWords, pinyin.words)) return Problem(pinyinWords, "cannot be read");
  if (!ReadReadingList(lists + "/first-readings.txt", readingsDecided.firstReadings))
    return Problem(lists + "/first-readings.txt", "cannot be read");
  if (!ReadReadingList(lists + "/word-readings.txt", readingsDecided.wordReadings))
    return Problem(lists + "/word-readings.txt", "cannot be read");
  CompareWithWubiReference(wubi, wubiDecided, d, Problem);
  CompareWithPinyinReference(pinyin, readingsDecided, d, Problem);
}

std::string Arg(int argc, char** argv, const char* name, const char* fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  std::string appdata = Arg(argc, argv, "--appdata", DATACHECK_APPDATA);
  std::string gen = Arg(argc, argv, "--gen", DATACHECK_GEN);
  std::string wubi = Arg(argc, argv, "--wubi", DATACHECK_WUBI);
  std::string roots = Arg(argc, argv, "--roots", DATACHECK_ROOTS);
  std::string known = Arg(argc, argv, "--known", DATACHECK_KNOWN);
  std::string wubiReference = Arg(argc, argv, "--wubi-reference", DATACHECK_WUBI_REFERENCE);
  std::string pinyinChars = Arg(argc, argv, "--pinyin-chars", DATACHECK_PINYIN_CHARS);
  std::string pinyinWords = Arg(argc, argv, "--pinyin-words", DATACHECK_PINYIN_WORDS);
  std::string lists = Arg(argc, argv, "--lists", DATACHECK_LISTS);

  Context c;
  // The source table with the codes decided by hand, as the generator reads it.
  WubiDecisions wubiDecided;
  if (!ReadWubi(wubi, c.wubi)) Problem(wubi, "cannot be read");
  if (!ReadWubiDecisions(lists + "/wubi-codes.txt", wubiDecided)) Problem(lists + "/wubi-codes.txt", "cannot be read");
  ApplyWubiDecisions(wubiDecided, c.wubi);
  {
    std::vector<std::string> rootLines;
    if (!ListLines(roots, rootLines)) Problem(roots, "cannot be read");
    for (const std::string& line : rootLines) {
      std::vector<std::string> f = Split(line, '\t');
      if (f.size() != 2) continue;
      for (const auto& r : Split(f[1], ' ')) {
        std::string g;
        if (Utf8ToGbk(r, g)) c.rootKey[g] = f[0];
      }
    }
    std::ifstream snd(gen + "/sounds.txt");
    if (!snd) Problem("sounds.txt", "cannot be read");
    std::string line, prev;
    while (std::getline(snd, line)) {
      if (!prev.empty() && line <= prev) Problem("sounds.txt", "not sorted and unique at " + line);
      c.sounds.insert(prev = line);
    }
    std::ifstream pic(gen + "/pictures.tsv");
    if (!pic) Problem("pictures.tsv", "cannot be read");
    while (std::getline(pic, line)) {
      std::vector<std::string> f = Split(line, '\t');
      std::string g;
      if (f.size() < 3 || f.size() > 4 || !Utf8ToGbk(f[1], g)) Problem("pictures.tsv", "bad line " + line);
      else c.pictures[std::atoi(f[0].c_str())] = g;
    }
  }

  // Load a private copy, so the loader's temporary files touch nothing else.
  char tmpl[] = "/tmp/datacheck.XXXXXX";
  if (!mkdtemp(tmpl)) return Problem("/tmp", "no temporary folder"), 1;
  std::string folder = std::string(tmpl) + "/";
  for (const char* f : kFiles) {
    TBytes b;
    if (!ReadFileBytes(appdata + "/" + f, b) || !WriteFileBytes(folder + f, b.data(), b.size())) Problem(f, "cannot be copied");
  }
  TDictionaries d;
  TDictLoadResult res = LoadDictionaries(folder, d);
  for (const char* f : kFiles) {
    if (FileExists(folder + TempDictionaryName(f))) Problem(f, "temporary file left behind");
    RemoveFile(folder + f);
  }
  rmdir(tmpl);
  if (res.Status != TDictLoadStatus::Ok) {
    Problem(res.FileName, "does not load: " + Show(res.Reason));
  } else {
    std::cout << "datacheck: records read against capacities\n";
    CheckText(appdata + "/", "wbOne.dat", kWbOneMinLine, TWbOneTable::Capacity, d.WbOneTable.Count());
    CheckText(appdata + "/", "wbs.dat", kWbsMinLine, TWbsTable::Capacity, d.WbsTable.Count());
    CheckText(appdata + "/", "wbTwo.dat", kWbTwoMinLine, TWbTwoTable::Capacity, d.WbTwoTable.Count());
    CheckText(appdata + "/", "wbMulti.dat", kWbMultiMinLine, TWbMultiTable::Capacity, d.WbMultiTable.Count());
    CheckText(appdata + "/", "PYs.dat", kPYsMinLine, TPYsTable::Capacity, d.PYsTable.Count());
    CheckText(appdata + "/", "PYOne.dat", kPYOneMinLine, TPYOneTable::Capacity, d.PYOneTable.Count());
    CheckText(appdata + "/", "PYTwo.dat", kPYTwoMinLine, TPYTwoTable::Capacity, d.PYTwoTable.Count());
    CheckText(appdata + "/", "PYMulti.dat", kPYMultiMinLine, TPYMultiTable::Capacity, d.PYMultiTable.Count());
    std::set<int> pictureNos;
    std::set<std::string> sounds;
    CheckWubi(c, d, pictureNos);
    CheckPinyin(d, sounds);
    CheckKnown(known, c, d);
    CheckSelectionsAndSources(gen, lists, d);
    CompareWithReferences(wubiReference, pinyinChars, pinyinWords, lists, wubiDecided, d);
    for (const auto& s : sounds)
      if (!c.sounds.count(s)) Problem("sounds.txt", "no sound for " + s);
    for (int no : pictureNos)
      if (!c.pictures.count(no)) Problem("pictures.tsv", "no picture " + std::to_string(no));
    for (int r = 1; r <= d.WbOneTable.Count(); ++r)
      if (c.pictures.count(r) && c.pictures[r] != d.WbOneTable[r].Character)
        Problem("pictures.tsv", "picture " + std::to_string(r) + " is not of wbOne record " + std::to_string(r));
    std::cout << "  " << sounds.size() << " sound names, " << pictureNos.size() << " picture numbers\n";
  }
  std::cout << "datacheck: " << problems << " problem(s)\n";
  return problems ? 1 : 0;
}
