// Generates the dictionary files of the program: Wubi 86 codes from the
// system's input-method data, mainland readings (go-pinyin, CC-CEDICT) and
// mainland character and word frequencies; plus the picture and sound lists the media generator
// works from.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "practice/data/dict_cipher.h"
#include "practice/data/dict_load.h"
#include "practice/data/dict_parse.h"
#include "tools/dictgen/gbk.h"
#include "tools/dictgen/mainland.h"
#include "tools/dictgen/sources.h"
#include "tools/dictgen/standard.h"

namespace {

const char kKeyOrder[] = "gfdsahjklmtrewqyuiopnbvcx";

struct Options {
  std::string wubi, wubiCodes, terra, terraSimp, goPinyin, cedict, junda, words, firstReadings, wordReadings, standard,
      roots, out, gen;
};

[[noreturn]] void Fail(const std::string& msg) {
  std::cerr << "dictgen: " << msg << "\n";
  std::exit(1);
}

std::vector<std::string> BodyLinesOrFail(const std::string& path) {
  std::vector<std::string> lines;
  if (!BodyLines(path, "...", lines)) Fail("cannot read " + path);
  return lines;
}

std::string Gbk(const std::string& utf8) {
  std::string g;
  if (!Utf8ToGbk(utf8, g)) Fail("no GBK code for " + utf8);
  return g;
}

// ---- Wubi 86 source ----

long long MaxWeight(const std::vector<CodeEntry>& v) {
  long long w = 0;
  for (const auto& e : v) w = std::max(w, e.weight);
  return w;
}

// Full code first (the longest, the one the picture spells out), then the short
// codes from the shortest up; slots left over repeat the list.
std::vector<std::string> OrderCodes(std::vector<CodeEntry> v) {
  std::stable_sort(v.begin(), v.end(), [](const CodeEntry& a, const CodeEntry& b) {
    if (a.code.size() != b.code.size()) return a.code.size() > b.code.size();
    return a.weight > b.weight;
  });
  std::vector<std::string> codes{v[0].code};
  std::vector<CodeEntry> rest(v.begin() + 1, v.end());
  std::stable_sort(rest.begin(), rest.end(), [](const CodeEntry& a, const CodeEntry& b) {
    if (a.code.size() != b.code.size()) return a.code.size() < b.code.size();
    return a.weight > b.weight;
  });
  for (const auto& e : rest)
    if (codes.size() < 4 && std::find(codes.begin(), codes.end(), e.code) == codes.end()) codes.push_back(e.code);
  for (std::size_t i = 0; codes.size() < 4; ++i) codes.push_back(codes[i]);
  return codes;
}

// ---- Pinyin source ----

struct PinyinSource {
  std::map<std::string, std::vector<Reading>> chars;          // most likely first
  std::map<std::string, std::vector<std::string>> phrases;   // simplified phrase -> syllables
};

bool IsSyllable(const std::string& s) {
  if (s.size() < 2 || s.back() < '1' || s.back() > '5') return false;
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] < 'a' || s[i] > 'z') return false;
  return true;
}

PinyinSource ReadPinyin(const std::string& terra, const std::string& terraSimp) {
  PinyinSource src;
  for (const std::string& line : BodyLinesOrFail(terra)) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() < 2 || Utf8Chars(f[0]).size() != 1 || !IsSyllable(f[1])) continue;
    double pct = f.size() > 2 && !f[2].empty() ? std::atof(f[2].c_str()) : 50.0;
    auto& v = src.chars[f[0]];
    bool seen = false;
    for (auto& r : v)
      if (r.syllable == f[1]) seen = true;
    if (!seen) v.push_back({f[1], pct});
  }
  for (auto& kv : src.chars)
    std::stable_sort(kv.second.begin(), kv.second.end(),
                     [](const Reading& a, const Reading& b) { return a.percent > b.percent; });
  for (const std::string& line : BodyLinesOrFail(terraSimp)) {
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() < 2) continue;
    std::vector<std::string> chars = Utf8Chars(f[0]);
    std::vector<std::string> syl = Split(f[1], ' ');
    if (chars.size() < 2 || chars.size() != syl.size()) continue;
    bool ok = true;
    for (const auto& s : syl) ok = ok && IsSyllable(s);
    if (ok && !src.phrases.count(f[0])) src.phrases[f[0]] = syl;
  }
  return src;
}

// The source is written in traditional characters: a simplified character that
// stands for a traditional one takes that one's readings, since its own entry
// describes an older, rarer use (开 of 開 reads kai1, not jian1).
void UseTraditionalReadings(PinyinSource& py, const std::vector<std::string>& chars, const std::string& gen) {
  const std::string in = gen + "/chars_simp.txt", out = gen + "/chars_trad.txt";
  std::string list;
  for (const auto& c : chars) list += c + "\n";
  if (!WriteFileBytes(in, list.data(), list.size())) Fail("cannot write " + in);
  std::string cmd = "opencc -c s2t.json -i '" + in + "' -o '" + out + "'";
  if (std::system(cmd.c_str()) != 0) Fail("opencc failed");
  std::ifstream trad(out);
  std::string line;
  std::map<std::string, std::vector<Reading>> replaced;
  for (std::size_t i = 0; std::getline(trad, line) && i < chars.size(); ++i) {
    if (line == chars[i]) continue;
    auto t = py.chars.find(line);
    if (t != py.chars.end() && !t->second.empty()) replaced[chars[i]] = t->second;
  }
  for (auto& kv : replaced) py.chars[kv.first] = kv.second;
  std::remove(in.c_str());
  std::remove(out.c_str());
}

// "hao3" -> "hǎo" (UTF-8): the tone mark on a or e, on the o of "ou", else on the last vowel.
std::string ToneMarked(const std::string& syllable) {
  static const char* marks[6][4] = {{"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"}, {"ī", "í", "ǐ", "ì"},
                                    {"ō", "ó", "ǒ", "ò"}, {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}};
  static const char vowels[] = "aeiouv";
  int tone = syllable.back() - '0';
  std::string letters = syllable.substr(0, syllable.size() - 1);
  std::size_t at = std::string::npos;
  if (letters.find('a') != std::string::npos) at = letters.find('a');
  else if (letters.find('e') != std::string::npos) at = letters.find('e');
  else if (letters.find("ou") != std::string::npos) at = letters.find("ou");
  else at = letters.find_last_of("iouv");
  std::string out;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    char c = letters[i];
    int v = int(std::strchr(vowels, c) ? std::strchr(vowels, c) - vowels : -1);
    if (i == at && tone >= 1 && tone <= 4 && v >= 0) out += marks[v][tone - 1];
    else if (c == 'v') out += "ü";
    else out += c;
  }
  return out;
}

std::string Toneless(const std::string& syllable) { return syllable.substr(0, syllable.size() - 1); }

// ---- line writers (fixed columns, see the data notes) ----

std::string PadTo(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string WbCodesColumns(const std::vector<std::string>& codes) {
  std::string line;
  for (int i = 0; i < 4; ++i) line += PadTo(codes[std::size_t(i)], 4);
  return PadTo(line, 23);  // columns 17-23 blank
}

// Hint in 1-11, column 12 blank, character 13-14, 15-17 blank, sound from 18.
bool PYsLine(const std::string& ch, const Reading& r, std::string& line) {
  std::string hint;
  if (!Utf8ToGbk(ToneMarked(r.syllable), hint) || hint.size() > 11) return false;
  line = PadTo(hint, 12) + Gbk(ch) + "   " + r.syllable;
  return true;
}

// A phrase line: typed pinyin in 1-12, the phrase padded to `phraseWidth`, the
// tone-marked hint (at most `hintMax` bytes) padded to `hintWidth`, then the
// sound names separated by blanks.
bool PhraseLine(const std::string& phrase, const std::vector<std::string>& syl, int phraseWidth, int hintMax,
                int hintWidth, std::string& line) {
  std::string typed, hintUtf8, sounds;
  for (std::size_t i = 0; i < syl.size(); ++i) {
    typed += Toneless(syl[i]);
    hintUtf8 += (i ? " " : "") + ToneMarked(syl[i]);
    sounds += (i ? " " : "") + syl[i];
  }
  std::string hint;
  if (typed.size() > 12 || !Utf8ToGbk(hintUtf8, hint) || static_cast<int>(hint.size()) > hintMax) return false;
  line = PadTo(typed, 12) + PadTo(Gbk(phrase), phraseWidth) + PadTo(hint, hintWidth) + sounds;
  return true;
}

// Pinyin 1-12, phrase 13-16, 17-18 blank, hint 19-37, 38-39 blank, sounds from 40.
bool PYTwoLine(const std::string& phrase, const std::vector<std::string>& syl, std::string& line) {
  return PhraseLine(phrase, syl, 6, 19, 21, line);
}

// Pinyin 1-12, phrase 13-20, 21-32 blank, hint 33-81, 82-84 blank, sounds from 85.
bool PYMultiLine(const std::string& phrase, const std::vector<std::string>& syl, std::string& line) {
  return PhraseLine(phrase, syl, 20, 49, 52, line);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  if (!WriteFileBytes(path, bytes.data(), bytes.size())) Fail("cannot write " + path);
}

void WriteEnciphered(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  TBytes plain(text.begin(), text.end());
  TBytes cipher = EncipherBytes(plain);
  WriteFile(path, std::string(cipher.begin(), cipher.end()));
}


struct Sources {
  WubiSource wb;
  PinyinSource terra;                                         // readings of characters the others lack
  std::map<std::string, std::vector<std::string>> goPinyin;  // character -> readings, most common first
  Cedict cedict;
  std::map<std::string, long long> junda, words;  // character and word frequencies
  std::map<std::string, std::string> wordTags;     // part of speech of each word
  std::map<std::string, std::vector<std::string>> firstReadings, wordReadings;  // hand-kept corrections
  StandardTables standard;  // the 3,500 common characters, the standard dictionaries' readings
};

// A drill character: one of the 3,500 common characters of the 2013 table.
bool IsDrillCharacter(const Sources& s, const std::string& ch) { return IsCommonCharacter(s.standard, ch); }

bool MainlandReading(const Sources& s, const std::string& ch, const std::string& syllable) {
  return IsMainlandReading(s.standard, s.cedict, ch, syllable);
}

// Readings of a character in mainland order, before their shares are known:
// go-pinyin's order, its tone changes of 一 and 不 left out, readings after the
// first only when a mainland dictionary gives the character that reading too.
// Characters outside go-pinyin keep the Pinyin table's readings.
std::vector<Reading> CharacterReadings(const Sources& s, const std::string& ch, bool& fromMainland) {
  auto go = s.goPinyin.find(ch);
  fromMainland = go != s.goPinyin.end();
  if (!fromMainland) {
    auto t = s.terra.chars.find(ch);
    return t == s.terra.chars.end() ? std::vector<Reading>{} : t->second;
  }
  auto attested = [&](const std::string& syl) { return MainlandReading(s, ch, syl); };
  std::vector<std::string> order = go->second;
  CitationTones(std::vector<std::string>(order.size(), ch), order);
  auto first = s.firstReadings.find(ch);
  if (first != s.firstReadings.end()) order.insert(order.begin(), first->second[0]);
  std::vector<Reading> v;
  for (const auto& syl : order) {
    bool seen = std::any_of(v.begin(), v.end(), [&](const Reading& r) { return r.syllable == syl; });
    if (!seen && (v.empty() || attested(syl))) v.push_back({syl, v.empty() ? 100.0 : 0.0});
  }
  return v;
}

struct Word {
  std::string text;
  long long count;
  std::string code;               // Wubi 86, by the rule
  std::vector<std::string> syl;   // reading
};

// Words of CC-CEDICT with a mainland frequency, made of known characters,
// most frequent first; Japanese, Taiwanese and Internet-only words left out.
std::vector<Word> WordsByFrequency(const Sources& s, const std::map<std::string, int>& recordOf,
                                   const std::map<std::string, std::vector<Reading>>& readings,
                                   const std::map<std::string, std::string>& fullCode, int& corrected) {
  std::vector<Word> words;
  corrected = 0;
  for (const auto& kv : s.words) {
    std::vector<std::string> chars = Utf8Chars(kv.first);
    if (chars.size() < 2 || chars.size() > 4) continue;
    bool known = true;
    for (const auto& c : chars) known = known && recordOf.count(c) && readings.count(c) && !readings.at(c).empty();
    auto it = s.cedict.find(kv.first);
    if (!known || it == s.cedict.end()) continue;
    std::vector<CedictEntry> entries;
    for (const auto& e : it->second)
      if (!IsForeignOrWebOnly(e)) entries.push_back(e);
    std::vector<std::string> first, codes;
    for (const auto& c : chars) first.push_back(readings.at(c)[0].syllable), codes.push_back(fullCode.at(c));
    Word w{kv.first, kv.second, WubiPhraseCode(codes), {}};
    if (w.code.size() != 4 || !ChooseReading(entries, first, w.syl)) continue;
    auto fixed = s.wordReadings.find(kv.first);
    if (fixed != s.wordReadings.end()) w.syl = fixed->second;
    CitationTones(chars, w.syl);
    auto listed = s.wb.phraseCodes.find(kv.first);
    if (listed != s.wb.phraseCodes.end() &&
        std::find(listed->second.begin(), listed->second.end(), w.code) == listed->second.end())
      ++corrected;
    words.push_back(w);
  }
  std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.count > b.count; });
  return words;
}

// Each character's readings ranked by how often it is read so in the chosen
// words, weighted by the words' frequencies; a hand-checked first reading leads.
// The sources cannot tell how a character used as a word of its own is read:
// a function word's use (都, 了, 为) counts for its first reading in mainland
// order, a noun's or verb's (佛) not at all.
void RankByWords(const Sources& s, const std::vector<Word>& words,
                 std::map<std::string, std::vector<Reading>>& readings) {
  std::map<std::string, std::map<std::string, double>> weight;
  for (const auto& w : words) {
    std::vector<std::string> chars = Utf8Chars(w.text);
    for (std::size_t i = 0; i < chars.size(); ++i) weight[chars[i]][w.syl[i]] += double(w.count);
  }
  for (auto& kv : readings) {
    if (kv.second.empty()) continue;
    auto alone = s.words.find(kv.first);
    auto tag = s.wordTags.find(kv.first);
    if (alone != s.words.end() && tag != s.wordTags.end() && IsFunctionWordTag(tag->second))
      weight[kv.first][kv.second[0].syllable] += double(alone->second);
    auto first = s.firstReadings.find(kv.first);
    RankReadings(kv.second, weight[kv.first], first == s.firstReadings.end() ? "" : first->second[0],
                 [&](const std::string& syl) { return MainlandReading(s, kv.first, syl); });
  }
}

void WriteShortCodesAndRoots(const Options& o, const WubiSource& wb, const std::map<std::string, int>& recordOf) {
  const std::string out = o.out + "/";
  auto shortCode = [&](const std::string& code, std::string& ch) {
    return ShortCodeCharacter(wb, code, ch) && recordOf.count(ch);
  };
  std::string wb1, wb2;
  for (const char* k = kKeyOrder; *k; ++k) {
    std::string ch;
    if (!shortCode(std::string(1, *k), ch)) Fail(std::string("no level-1 code ") + *k);
    wb1 += Gbk(ch) + *k + "\r\n";
  }
  for (const char* a = kKeyOrder; *a; ++a)
    for (const char* b = kKeyOrder; *b; ++b) {
      std::string code{*a, *b}, ch;
      if (!shortCode(code, ch)) continue;
      char number[9];
      std::snprintf(number, sizeof number, "%8d", recordOf.at(ch));
      wb2 += Gbk(ch) + code + "    " + number + "\r\n";
    }
  WriteFile(out + "wb1.dat", wb1);
  WriteFile(out + "wb2.dat", wb2);

  // Roots: 5-byte records, enciphered; the count the loader derives must land
  // on the last real root, so a root is repeated when the sizes demand it.
  std::vector<std::string> roots;
  {
    std::vector<std::string> lines;
    if (!ListLines(o.roots, lines)) Fail("cannot read " + o.roots);
    for (const std::string& line : lines) {
      std::vector<std::string> f = Split(line, '\t');
      if (f.size() != 2 || f[0].size() != 1) Fail("bad root line: " + line);
      for (const auto& r : Split(f[1], ' ')) {
        std::string g;
        if (Utf8ToGbk(r, g) && g.size() == 2) roots.push_back(g + f[0] + "\r\n");
      }
    }
  }
  for (std::size_t first = 0;; ++first) {
    std::size_t n = roots.size(), blocks = (n * 5 + 7) / 8;
    std::size_t count = blocks * 8 / 5 - 1;
    if (count < n) blocks += 1, count = blocks * 8 / 5 - 1;
    if (count == n) {
      std::string plain;
      for (const auto& r : roots) plain += r;
      plain.append(blocks * 8 - plain.size(), ' ');
      TBytes cipher = EncipherBytes(TBytes(plain.begin(), plain.end()));
      WriteFile(out + "wbzg.dat", std::string(cipher.begin(), cipher.end()));
      break;
    }
    roots.push_back(roots[first]);
  }
}

void WriteMediaLists(const Options& o, const std::string& pictures) {
  const std::string out = o.out + "/";
  TDictionaries d;
  TDictLoadResult res = LoadDictionaries(out, d);
  if (res.Status != TDictLoadStatus::Ok) Fail("generated files do not load: " + res.Message());
  std::set<std::string> sounds;
  const std::size_t pre = std::strlen(kSoundPrefix);
  auto add = [&](const std::string& s) {
    if (s.size() > pre) sounds.insert(s.substr(pre));
  };
  for (int r = 1; r <= d.PYsTable.Count(); ++r) add(d.PYsTable[r].SoundName);
  for (int r = 1; r <= d.PYOneTable.Count(); ++r) add(d.PYOneTable[r].SoundName);
  for (int r = 1; r <= d.PYTwoTable.Count(); ++r)
    for (int k = 1; k <= 2; ++k) add(d.PYTwoTable[r].SoundNames[k]);
  for (int r = 1; r <= d.PYMultiTable.Count(); ++r)
    for (int k = 1; k <= kPYMultiSounds; ++k) add(d.PYMultiTable[r].SoundNames[k]);
  std::string soundList;
  for (const auto& s : sounds) soundList += s + "\n";
  WriteFile(o.gen + "/sounds.txt", soundList);
  WriteFile(o.gen + "/pictures.tsv", pictures);

  std::cout << "dictgen: wb1 " << d.Wb1Buffer.Count << ", wb2 " << d.Wb2Buffer.Count << ", wbzg "
            << d.WbzgBuffer.Count << ", wbOne " << d.WbOneTable.Count() << ", wbs " << d.WbsTable.Count()
            << ", wbTwo " << d.WbTwoTable.Count() << ", wbMulti " << d.WbMultiTable.Count() << ", PYs "
            << d.PYsTable.Count() << ", PYOne " << d.PYOneTable.Count() << ", PYTwo " << d.PYTwoTable.Count()
            << ", PYMulti " << d.PYMultiTable.Count() << ", sounds " << sounds.size() << "\n";
}

void Generate(const Options& o) {
  Sources s;
  if (!ReadWubi(o.wubi, s.wb)) Fail("cannot read " + o.wubi);
  s.terra = ReadPinyin(o.terra, o.terraSimp);
  if (!ReadGoPinyin(o.goPinyin, s.goPinyin) || s.goPinyin.empty()) Fail("cannot read " + o.goPinyin);
  if (!ReadCedict(o.cedict, s.cedict) || s.cedict.empty()) Fail("cannot read " + o.cedict);
  if (!ReadCounts(o.junda, s.junda) || s.junda.empty()) Fail("cannot read " + o.junda);
  if (!ReadCounts(o.words, s.words, &s.wordTags) || s.words.empty()) Fail("cannot read " + o.words);
  if (!ReadReadingList(o.firstReadings, s.firstReadings)) Fail("cannot read " + o.firstReadings);
  if (!ReadReadingList(o.wordReadings, s.wordReadings)) Fail("cannot read " + o.wordReadings);
  if (!ReadStandardTables(o.standard, s.standard)) Fail("cannot read " + o.standard);
  WubiDecisions decided;
  if (!ReadWubiDecisions(o.wubiCodes, decided)) Fail("cannot read " + o.wubiCodes);
  const WubiSource& wb = s.wb;
  const std::string out = o.out + "/";

  // Characters by mainland frequency (the rest by the Wubi table's weight): the
  // order of wbOne and so the picture numbers.
  std::vector<std::string> chars;
  for (const auto& kv : wb.chars)
    if (IsGb2312(kv.first)) chars.push_back(kv.first);
  auto frequency = [&](const std::string& c) {
    auto j = s.junda.find(c);
    return std::make_pair(j == s.junda.end() ? -1LL : j->second, MaxWeight(wb.chars.at(c)));
  };
  std::stable_sort(chars.begin(), chars.end(),
                   [&](const std::string& a, const std::string& b) { return frequency(a) > frequency(b); });
  if (chars.size() > size_t(TWbOneTable::Capacity)) chars.resize(TWbOneTable::Capacity);
  ApplyWubiDecisions(decided, s.wb);
  KeepShortCodesUnique(chars, s.wb);
  UseTraditionalReadings(s.terra, chars, o.gen);
  std::map<std::string, int> recordOf;
  std::map<std::string, std::string> fullCode;
  std::vector<std::string> wbOne, wbs;
  std::string pictures;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    std::vector<std::string> codes = OrderCodes(wb.chars.at(chars[i]));
    int no = int(i + 1);
    recordOf[chars[i]] = no;
    fullCode[chars[i]] = codes[0];
    std::string line = WbCodesColumns(codes) + Gbk(chars[i]);
    wbOne.push_back(line);
    bool drill = wbs.size() < size_t(TWbsTable::Capacity) && IsDrillCharacter(s, chars[i]);
    if (drill) wbs.push_back(line + "   " + std::to_string(no));
    pictures += std::to_string(no) + "\t" + chars[i] + "\t" + codes[0] + (drill ? "\tdrill\n" : "\n");
  }
  WriteEnciphered(out + "wbOne.dat", wbOne);
  WriteEnciphered(out + "wbs.dat", wbs);
  WriteShortCodesAndRoots(o, wb, recordOf);

  std::map<std::string, std::vector<Reading>> readings;
  int outside = 0;
  for (const auto& ch : chars) {
    bool mainland = false;
    readings[ch] = CharacterReadings(s, ch, mainland);
    outside += !mainland;
  }
  int corrected = 0;
  std::vector<Word> words = WordsByFrequency(s, recordOf, readings, fullCode, corrected);
  RankByWords(s, words, readings);

  std::vector<std::string> wbTwo, wbMulti, pyTwo, pyMulti;
  std::map<std::string, std::set<std::string>> phraseSyllables;  // character -> its readings in the phrase tables
  for (const auto& w : words) {
    std::vector<std::string> wordChars = Utf8Chars(w.text);
    bool two = wordChars.size() == 2;
    std::vector<std::string>& wbList = two ? wbTwo : wbMulti;
    std::vector<std::string>& pyList = two ? pyTwo : pyMulti;
    std::size_t wbCap = two ? TWbTwoTable::Capacity : TWbMultiTable::Capacity;
    std::size_t pyCap = two ? TPYTwoTable::Capacity : TPYMultiTable::Capacity;
    std::string line;
    if (wbList.size() < wbCap) wbList.push_back(PadTo(w.code, 12) + Gbk(w.text));
    if (pyList.size() < pyCap && (two ? PYTwoLine(w.text, w.syl, line) : PYMultiLine(w.text, w.syl, line))) {
      pyList.push_back(line);
      for (std::size_t i = 0; i < wordChars.size(); ++i) phraseSyllables[wordChars[i]].insert(w.syl[i]);
    }
  }
  WriteEnciphered(out + "wbTwo.dat", wbTwo);
  WriteEnciphered(out + "wbMulti.dat", wbMulti);
  WriteEnciphered(out + "PYTwo.dat", pyTwo);
  WriteEnciphered(out + "PYMulti.dat", pyMulti);

  // Single-character readings: the first, every one the phrase tables use and
  // the likely others, at most four per character.
  std::map<std::string, std::vector<Reading>> kept;
  std::vector<std::string> pyOne;
  for (const auto& ch : chars) {
    kept[ch] = KeptReadings(readings[ch], phraseSyllables[ch], 1.0, 4);
    std::vector<std::string> lines;
    for (const auto& r : kept[ch]) {
      std::string line;
      if (PYsLine(ch, r, line)) lines.push_back(line);
    }
    if (pyOne.size() + lines.size() > size_t(TPYOneTable::Capacity)) break;
    pyOne.insert(pyOne.end(), lines.begin(), lines.end());
  }
  WriteEnciphered(out + "PYOne.dat", pyOne);

  // Drill characters: first the 19 groups of alternative spellings (17 pairs,
  // then 2 triples) of common characters with distinct spellings; then every
  // drill character, most common first, with each of its readings the groups
  // lack, as many characters as the table takes.
  auto distinct = [&](const std::string& ch, std::size_t want, double minPercent, std::vector<Reading>& group) {
    std::set<std::string> spellings;
    group.clear();
    for (const auto& r : kept[ch]) {
      std::string line;
      if (r.percent >= minPercent && !spellings.count(Toneless(r.syllable)) && PYsLine(ch, r, line)) {
        spellings.insert(Toneless(r.syllable));
        group.push_back(r);
      }
    }
    if (group.size() < want) return false;
    group.resize(want);
    return true;
  };
  std::vector<std::string> pairs, triples;
  std::map<std::string, std::set<std::string>> grouped;  // character -> its readings in the groups
  auto addGroup = [&](const std::string& ch, const std::vector<Reading>& group, std::vector<std::string>& lines) {
    for (const auto& r : group) {
      std::string line;
      PYsLine(ch, r, line);
      lines.push_back(line);
      grouped[ch].insert(r.syllable);
    }
  };
  for (const auto& ch : chars) {
    std::vector<Reading> group;
    if (!IsDrillCharacter(s, ch)) continue;
    if (triples.size() < 6 && distinct(ch, 3, 1.0, group)) addGroup(ch, group, triples);
    else if (pairs.size() < 34 && distinct(ch, 2, 5.0, group)) addGroup(ch, group, pairs);
    if (pairs.size() == 34 && triples.size() == 6) break;
  }
  if (pairs.size() != 34 || triples.size() != 6) Fail("not enough polyphonic characters for the groups");
  std::vector<std::string> pys = pairs;
  pys.insert(pys.end(), triples.begin(), triples.end());
  for (const auto& ch : chars) {
    if (!IsDrillCharacter(s, ch)) continue;
    std::vector<std::string> lines;
    for (const auto& r : kept[ch]) {
      std::string line;
      if (!grouped[ch].count(r.syllable) && PYsLine(ch, r, line)) lines.push_back(line);
    }
    if (pys.size() + lines.size() > size_t(TPYsTable::Capacity)) break;
    pys.insert(pys.end(), lines.begin(), lines.end());
  }
  WriteEnciphered(out + "PYs.dat", pys);
  std::cout << "dictgen: " << outside << " characters outside go-pinyin keep the Pinyin table's readings; "
            << corrected << " listed phrase codes disagree with the 86 rule and are computed\n";
  WriteMediaLists(o, pictures);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string k = argv[i], v = argv[i + 1];
    if (k == "--wubi") o.wubi = v;
    else if (k == "--wubi-codes") o.wubiCodes = v;
    else if (k == "--terra") o.terra = v;
    else if (k == "--terra-simp") o.terraSimp = v;
    else if (k == "--go-pinyin") o.goPinyin = v;
    else if (k == "--cedict") o.cedict = v;
    else if (k == "--junda") o.junda = v;
    else if (k == "--words") o.words = v;
    else if (k == "--first-readings") o.firstReadings = v;
    else if (k == "--word-readings") o.wordReadings = v;
    else if (k == "--standard") o.standard = v;
    else if (k == "--roots") o.roots = v;
    else if (k == "--out") o.out = v;
    else if (k == "--gen") o.gen = v;
    else Fail("unknown option " + k);
  }
  if (o.wubi.empty() || o.wubiCodes.empty() || o.terra.empty() || o.terraSimp.empty() || o.goPinyin.empty() || o.cedict.empty() ||
      o.junda.empty() || o.words.empty() || o.firstReadings.empty() || o.wordReadings.empty() || o.standard.empty() ||
      o.roots.empty() || o.out.empty() || o.gen.empty())
    Fail("usage: dictgen --wubi F --wubi-codes F --terra F --terra-simp F --go-pinyin F --cedict F --junda F --words F "
         "--first-readings F --word-readings F --standard F "
         "--roots F --out DIR --gen DIR");
  Generate(o);
  return 0;
}
