#pragma once
// OpenType files (single fonts and collections) as tables by tag: read one
// face of a file, write a single-font file back.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fontgen {

using Bytes = std::vector<std::uint8_t>;

struct EFontFormat : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One font: its sfnt version and its tables by four-letter tag.
struct TFace {
  std::uint32_t Version = 0;
  std::map<std::string, Bytes> Tables;
  const Bytes& Table(const std::string& tag) const;
  Bytes& Table(const std::string& tag);
};

// The number of faces in `file` (1 for a single font).
int FaceCount(const Bytes& file);
// Face `index` of `file`; throws EFontFormat when the file is damaged.
TFace ReadFace(const Bytes& file, int index);
// A single-font file of `face`, with table checksums and the head table's
// checksum adjustment.
Bytes WriteFace(const TFace& face);
// The sum of big-endian 32-bit words (zero-padded).
std::uint32_t TableChecksum(const Bytes& data);

// Big-endian access within bounds.
std::uint16_t U16(const Bytes& b, std::size_t at);
std::uint32_t U32(const Bytes& b, std::size_t at);
void PutU16(Bytes& b, std::size_t at, std::uint16_t v);
void PutU32(Bytes& b, std::size_t at, std::uint32_t v);

}  // namespace fontgen
