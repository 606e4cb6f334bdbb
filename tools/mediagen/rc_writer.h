// Resource scripts for the resource-only modules.
#pragma once

#include <string>
#include <vector>

namespace mediagen {

constexpr int kSecondPictureModuleFrom = 3500;

struct RcEntry {
  std::string name, type, path;
};

// One "NAME TYPE "path"" line per entry; false when a name or path cannot be
// written into a resource script.
bool RcText(const std::vector<RcEntry>& entries, std::string& out, std::string& error);

// A version resource, so that even a module without entries links.
std::string VersionBlock(const std::string& file_name, const std::string& description);

// The picture modules' entries: numbers below 3500 go to the first, the rest
// to the second; each picture file is dir/<number>.gif.
void PictureRcEntries(const std::vector<int>& numbers, const std::string& dir,
                      std::vector<RcEntry>& first, std::vector<RcEntry>& second);

// The sound module's entries: the key-hit and error sounds, then one
// pronunciation per sound name; the pronunciations are dir/py/<name>.wav.
std::vector<RcEntry> SoundRcEntries(const std::vector<std::string>& names, const std::string& dir);

}  // namespace mediagen
