#include "tools/dictgen/standard.h"

#include <algorithm>
#include <cstdlib>
#include "tools/dictgen/mainland.h"
#include "tools/dictgen/sources.h"

namespace {

const int kCommonCharacters = 3500;

// "U+597D" -> "好" (characters of the basic plane; empty otherwise).
std::string CodePointText(const std::string& field) {
  if (field.compare(0, 2, "U+") != 0) return "";
  char* end = nullptr;
  unsigned long cp = std::strtoul(field.c_str() + 2, &end, 16);
  if (*end || cp < 0x800 || cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return "";
  std::string s;
  s += char(0xE0 | (cp >> 12));
  s += char(0x80 | ((cp >> 6) & 0x3F));
  s += char(0x80 | (cp & 0x3F));
  return s;
}

// "132.140:hǎo 133.010:hào", "10520.010:dà,dài", "1092.070*,1092.071:sóng": a
// place (the first of several, without its mark) and its readings; readings
// that are no plain syllable (ḿ, ê̄) are left out.
std::vector<DictionaryEntry> Entries(const std::string& value) {
  std::vector<DictionaryEntry> out;
  for (const auto& item : Split(value, ' ')) {
    std::size_t colon = item.find(':');
    if (colon == std::string::npos) continue;
    std::string place = item.substr(0, std::min(colon, item.find_first_of(",*")));
    for (const auto& r : Split(item.substr(colon + 1), ',')) {
      std::string s = NumberedSyllable(r);
      if (!s.empty()) out.push_back({place, s});
    }
  }
  return out;
}

}  // namespace

bool ReadStandardTables(const std::string& path, StandardTables& out) {
  std::vector<std::string> lines;
  if (!ListLines(path, lines)) return false;
  for (const std::string& line : lines) {
    std::vector<std::string> f = Split(line, '\t');
    std::string ch = f.size() == 3 ? CodePointText(f[0]) : "";
    if (ch.empty()) continue;
    if (f[1] == "kTGH") {
      std::size_t colon = f[2].find(':');  // "2013:1234"
      if (colon != std::string::npos) out.tableNumber[ch] = std::atoi(f[2].c_str() + colon + 1);
    } else if (f[1] == "kTGHZ2013") {
      out.standard[ch] = Entries(f[2]);
    } else if (f[1] == "kXHC1983") {
      out.xhc[ch] = Entries(f[2]);
    } else if (f[1] == "kHanyuPinyin") {
      out.hdz[ch] = Entries(f[2]);
    } else if (f[1] == "kMandarin") {
      for (const auto& r : Split(f[2], ' '))
        if (!NumberedSyllable(r).empty()) out.mandarin[ch].push_back({"", NumberedSyllable(r)});
    }
  }
  return !out.tableNumber.empty();
}

bool IsCommonCharacter(const StandardTables& t, const std::string& ch) {
  auto it = t.tableNumber.find(ch);
  return it != t.tableNumber.end() && it->second >= 1 && it->second <= kCommonCharacters;
}

bool GivesReading(const CharacterEntries& dictionary, const std::string& ch, const std::string& syllable,
                  const std::string& place) {
  auto it = dictionary.find(ch);
  return it != dictionary.end() && std::any_of(it->second.begin(), it->second.end(), [&](const DictionaryEntry& e) {
           return e.syllable == syllable && (place.empty() || e.place == place);
         });
}

bool IsMainlandReading(const StandardTables& t, const Cedict& cedict, const std::string& ch, const std::string& syllable) {
  std::vector<std::string> c = CedictCharacterReadings(cedict, ch);
  return GivesReading(t.standard, ch, syllable) || GivesReading(t.xhc, ch, syllable) ||
         std::find(c.begin(), c.end(), syllable) != c.end();
}

bool IsReadingOfUnlistedCharacter(const StandardTables& t, const Cedict& cedict, const std::string& ch,
                                  const std::string& syllable) {
  bool listed = t.standard.count(ch) || t.xhc.count(ch) || !CedictCharacterReadings(cedict, ch).empty();
  return !listed && (GivesReading(t.hdz, ch, syllable) || GivesReading(t.mandarin, ch, syllable));
}
