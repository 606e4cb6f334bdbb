#pragma once
// Listing the entries of a folder by GBK path.
#include <cstdint>
#include <string>
#include <vector>

// File attribute bits, as the system reports them.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;

struct TSearchRec {
  std::string Name;  // GBK; without the folder
  int Attr = 0;      // fa* bits (elsewhere than Windows: faDirectory or faArchive)
  std::int64_t Size = 0;
  bool IsDirectory() const { return (Attr & faDirectory) != 0; }
};

// Every entry of the folder except "." and "..", in the order the system returns
// them. False (and no entries) when the folder cannot be read. On Windows a name
// that has no GBK spelling is given by its short name when the system has one.
bool ListDirectory(const std::string& folder, std::vector<TSearchRec>& entries);

// Makes the folder and every missing folder above it. True when it exists at the end.
bool ForceDirectories(const std::string& folder);
