#pragma once
// Writes skin containers: named entries laid out as the reader expects, then compressed.
#include <cstdint>
#include <string>
#include <vector>

struct TSkinEntry {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// The decoded layout: version, names length, 8 zero bytes, the version's extra
// block (zeros), the names (each line ending in CR LF), the sizes, the entries.
std::vector<std::uint8_t> LayOutContainer(const std::vector<TSkinEntry>& entries, int version = 70000);
// The container as stored: int32 decoded size, then the LZHUF code stream.
std::vector<std::uint8_t> CompressContainer(const std::vector<std::uint8_t>& decoded);
std::vector<std::uint8_t> PackContainer(const std::vector<TSkinEntry>& entries, int version = 70000);
