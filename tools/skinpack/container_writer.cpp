#include "container_writer.h"

#include <stdexcept>

#include "lzh_encoder.h"
#include "skin/portable/skin_reader.h"

namespace {
void PutInt32(std::vector<std::uint8_t>& out, std::int64_t value) {
  auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
}  // namespace

std::vector<std::uint8_t> LayOutContainer(const std::vector<TSkinEntry>& entries, int version) {
  const int extra = TSkinReader::ExtraBlockLength(version);
  if (extra < 0) throw std::invalid_argument("unknown container version " + std::to_string(version));
  if (entries.size() > static_cast<std::size_t>(TSkinReader::MaxEntries))
    throw std::invalid_argument("a container holds at most 1001 entries");
  std::string names;
  for (const TSkinEntry& e : entries) {
    if (e.name.find_first_of("\r\n") != std::string::npos) throw std::invalid_argument("an entry name holds a line break");
    names += e.name + "\r\n";
  }
  std::vector<std::uint8_t> out;
  PutInt32(out, version);
  PutInt32(out, static_cast<std::int64_t>(names.size()));
  out.insert(out.end(), 8 + extra, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const TSkinEntry& e : entries) PutInt32(out, static_cast<std::int64_t>(e.bytes.size()));
  for (const TSkinEntry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
  return out;
}

std::vector<std::uint8_t> CompressContainer(const std::vector<std::uint8_t>& decoded) {
  std::vector<std::uint8_t> out;
  PutInt32(out, static_cast<std::int64_t>(decoded.size()));
  std::vector<std::uint8_t> code = LzhEncode(decoded);
  out.insert(out.end(), code.begin(), code.end());
  return out;
}

std::vector<std::uint8_t> PackContainer(const std::vector<TSkinEntry>& entries, int version) {
  return CompressContainer(LayOutContainer(entries, version));
}
