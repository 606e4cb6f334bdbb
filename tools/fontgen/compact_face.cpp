#include "compact_face.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace fontgen {
namespace {
constexpr std::uint16_t kWindows = 3, kUnicodeBmp = 1, kEnglishUs = 0x409;

struct TNameRecord {
  std::uint16_t Platform, Encoding, Language, Id;
  Bytes Text;
  bool operator<(const TNameRecord& o) const {
    return std::tie(Platform, Encoding, Language, Id) < std::tie(o.Platform, o.Encoding, o.Language, o.Id);
  }
};

std::vector<TNameRecord> ReadNames(const Bytes& name) {
  const std::size_t count = U16(name, 2), strings = U16(name, 4);
  std::vector<TNameRecord> records;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + 12 * i;
    const std::size_t length = U16(name, at + 8), offset = strings + U16(name, at + 10);
    if (offset > name.size() || length > name.size() - offset) throw EFontFormat("name string out of the table");
    records.push_back({U16(name, at), U16(name, at + 2), U16(name, at + 4), U16(name, at + 6),
                       Bytes(name.begin() + static_cast<std::ptrdiff_t>(offset),
                             name.begin() + static_cast<std::ptrdiff_t>(offset + length))});
  }
  return records;
}

Bytes WriteNames(std::vector<TNameRecord> records) {
  std::sort(records.begin(), records.end());
  Bytes table(6 + 12 * records.size());
  PutU16(table, 2, static_cast<std::uint16_t>(records.size()));
  PutU16(table, 4, static_cast<std::uint16_t>(table.size()));
  Bytes strings;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TNameRecord& r = records[i];
    const std::size_t at = 6 + 12 * i;
    PutU16(table, at, r.Platform);
    PutU16(table, at + 2, r.Encoding);
    PutU16(table, at + 4, r.Language);
    PutU16(table, at + 6, r.Id);
    PutU16(table, at + 8, static_cast<std::uint16_t>(r.Text.size()));
    PutU16(table, at + 10, static_cast<std::uint16_t>(strings.size()));
    strings.insert(strings.end(), r.Text.begin(), r.Text.end());
  }
  table.insert(table.end(), strings.begin(), strings.end());
  return table;
}

Bytes Utf16(const std::string& ascii) {
  Bytes b;
  for (char c : ascii) {
    b.push_back(0);
    b.push_back(static_cast<std::uint8_t>(c));
  }
  return b;
}

std::string Ascii(const Bytes& utf16) {
  std::string s;
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) s += utf16[i] == 0 ? static_cast<char>(utf16[i + 1]) : '?';
  return s;
}

bool IsEnglishWindows(const TNameRecord& r) {
  return r.Platform == kWindows && r.Encoding == kUnicodeBmp && r.Language == kEnglishUs;
}
}  // namespace

std::string NameOf(const TFace& face, int id) {
  for (const TNameRecord& r : ReadNames(face.Table("name")))
    if (IsEnglishWindows(r) && r.Id == id) return Ascii(r.Text);
  return "";
}

int FindFace(const Bytes& file, const std::string& family) {
  const int n = FaceCount(file);
  for (int i = 0; i < n; ++i)
    if (NameOf(ReadFace(file, i), 1) == family) return i;
  return -1;
}

void MakeCompact(TFace& face, const std::string& family, double ascent, double descent) {
  const std::string sub = NameOf(face, 2).empty() ? "Regular" : NameOf(face, 2);
  std::vector<TNameRecord> names;
  for (TNameRecord& r : ReadNames(face.Table("name")))
    if (r.Platform == kWindows && r.Id != 1 && r.Id != 3 && r.Id != 4 && r.Id != 6 && r.Id != 16 && r.Id != 17)
      if (r.Id != 2 || IsEnglishWindows(r)) names.push_back(std::move(r));
  std::string postscript = family + "-" + sub;
  postscript.erase(std::remove(postscript.begin(), postscript.end(), ' '), postscript.end());
  const std::pair<std::uint16_t, std::string> own[] = {
      {1, family}, {3, postscript}, {4, sub == "Regular" ? family : family + " " + sub}, {6, postscript}};
  for (const auto& [id, text] : own) names.push_back({kWindows, kUnicodeBmp, kEnglishUs, id, Utf16(text)});
  if (NameOf(face, 2).empty()) names.push_back({kWindows, kUnicodeBmp, kEnglishUs, 2, Utf16(sub)});
  face.Table("name") = WriteNames(std::move(names));

  const double units = U16(face.Table("head"), 18);
  const auto up = static_cast<std::int16_t>(std::lround(ascent * units));
  const auto down = static_cast<std::int16_t>(std::lround(descent * units));
  Bytes& os2 = face.Table("OS/2");
  PutU16(os2, 68, static_cast<std::uint16_t>(up));
  PutU16(os2, 70, static_cast<std::uint16_t>(-down));
  PutU16(os2, 72, 0);
  PutU16(os2, 74, static_cast<std::uint16_t>(up));
  PutU16(os2, 76, static_cast<std::uint16_t>(down));
  Bytes& hhea = face.Table("hhea");
  PutU16(hhea, 4, static_cast<std::uint16_t>(up));
  PutU16(hhea, 6, static_cast<std::uint16_t>(-down));
  PutU16(hhea, 8, 0);
}

void SetCrispUpTo(TFace& face, int ppem) {
  constexpr std::uint16_t kGridFit = 1, kSmooth = 2, kSymmetricGridFit = 4, kSymmetricSmooth = 8;
  Bytes gasp(12);
  PutU16(gasp, 0, 1);  // version
  PutU16(gasp, 2, 2);  // ranges
  PutU16(gasp, 4, static_cast<std::uint16_t>(ppem));
  PutU16(gasp, 6, kGridFit);
  PutU16(gasp, 8, 0xFFFF);
  PutU16(gasp, 10, kGridFit | kSmooth | kSymmetricGridFit | kSymmetricSmooth);
  face.Tables["gasp"] = gasp;
}

void DropLayoutTables(TFace& face) {
  face.Tables.erase("GSUB");
  face.Tables.erase("GPOS");
}

}  // namespace fontgen
