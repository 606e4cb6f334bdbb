#include "sfnt.h"

namespace fontgen {

const Bytes& TFace::Table(const std::string& tag) const {
  auto it = Tables.find(tag);
  if (it == Tables.end()) throw EFontFormat("the font has no '" + tag + "' table");
  return it->second;
}

Bytes& TFace::Table(const std::string& tag) {
  auto it = Tables.find(tag);
  if (it == Tables.end()) throw EFontFormat("the font has no '" + tag + "' table");
  return it->second;
}

std::uint16_t U16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) throw EFontFormat("read past the end of the data");
  return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) << 16 | U16(b, at + 2);
}

void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
  if (at + 2 > b.size()) throw EFontFormat("write past the end of the data");
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  PutU16(b, at, static_cast<std::uint16_t>(v >> 16));
  PutU16(b, at + 2, static_cast<std::uint16_t>(v));
}

std::uint32_t TableChecksum(const Bytes& data) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < data.size(); i += 4) {
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < 4; ++k) word = word << 8 | (i + k < data.size() ? data[i + k] : 0);
    sum += word;
  }
  return sum;
}

namespace {
constexpr std::uint32_t kCollection = 0x74746366;  // 'ttcf'

std::size_t FaceOffset(const Bytes& file, int index) {
  if (U32(file, 0) != kCollection) {
    if (index != 0) throw EFontFormat("a single font has only face 0");
    return 0;
  }
  if (index < 0 || index >= FaceCount(file)) throw EFontFormat("no face " + std::to_string(index));
  return U32(file, 12 + 4 * static_cast<std::size_t>(index));
}
}  // namespace

int FaceCount(const Bytes& file) {
  if (U32(file, 0) != kCollection) return 1;
  const std::uint32_t n = U32(file, 8);
  if (n == 0 || n > 1000) throw EFontFormat("implausible face count");
  return static_cast<int>(n);
}

TFace ReadFace(const Bytes& file, int index) {
  const std::size_t at = FaceOffset(file, index);
  TFace face;
  face.Version = U32(file, at);
  const int tables = U16(file, at + 4);
  for (int i = 0; i < tables; ++i) {
    const std::size_t record = at + 12 + 16 * static_cast<std::size_t>(i);
    std::string tag;
    for (std::size_t k = 0; k < 4; ++k) tag += static_cast<char>(file.at(record + k));
    const std::size_t offset = U32(file, record + 8), length = U32(file, record + 12);
    if (offset > file.size() || length > file.size() - offset) throw EFontFormat("table '" + tag + "' out of the file");
    face.Tables[tag] = Bytes(file.begin() + static_cast<std::ptrdiff_t>(offset),
                             file.begin() + static_cast<std::ptrdiff_t>(offset + length));
  }
  return face;
}

Bytes WriteFace(const TFace& source) {
  TFace face = source;
  if (face.Tables.count("head")) PutU32(face.Table("head"), 8, 0);
  const auto n = static_cast<std::uint16_t>(face.Tables.size());
  std::uint16_t power = 1, log2 = 0;
  while (power * 2 <= n) power = static_cast<std::uint16_t>(power * 2), ++log2;
  Bytes out(12 + 16 * std::size_t(n));
  PutU32(out, 0, face.Version);
  PutU16(out, 4, n);
  PutU16(out, 6, static_cast<std::uint16_t>(power * 16));
  PutU16(out, 8, log2);
  PutU16(out, 10, static_cast<std::uint16_t>(n * 16 - power * 16));
  std::size_t record = 12, headAt = 0;
  for (const auto& [tag, data] : face.Tables) {  // std::map: tags in ascending order
    if (tag.size() != 4) throw EFontFormat("bad table tag '" + tag + "'");
    if (tag == "head") headAt = out.size();
    for (std::size_t k = 0; k < 4; ++k) out[record + k] = static_cast<std::uint8_t>(tag[k]);
    PutU32(out, record + 4, TableChecksum(data));
    PutU32(out, record + 8, static_cast<std::uint32_t>(out.size()));
    PutU32(out, record + 12, static_cast<std::uint32_t>(data.size()));
    record += 16;
    out.insert(out.end(), data.begin(), data.end());
    out.resize((out.size() + 3) & ~std::size_t(3), 0);
  }
  if (face.Tables.count("head")) PutU32(out, headAt + 8, 0xB1B0AFBAu - TableChecksum(out));
  return out;
}

}  // namespace fontgen
