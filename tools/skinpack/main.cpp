// skinpack FOLDER OUTPUT: packs one INI description and its 24-bit BMP images
// into a skin container, and checks that it decodes back to the same bytes.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "container_writer.h"
#include "skin/portable/skin_reader.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Is24BitBmp(const std::vector<std::uint8_t>& b) {
  return b.size() >= 54 && b[0] == 'B' && b[1] == 'M' && (b[28] | b[29] << 8) == 24;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::vector<TSkinEntry> ReadFolder(const fs::path& folder) {
  std::vector<TSkinEntry> entries;
  int descriptions = 0;
  for (const auto& item : fs::directory_iterator(folder)) {
    if (!item.is_regular_file()) continue;
    const std::string name = item.path().filename().string();
    const std::string ext = Lower(item.path().extension().string());
    TSkinEntry entry{name, ReadFile(item.path())};
    if (ext == ".ini") {
      ++descriptions;
    } else if (ext == ".bmp") {
      if (!Is24BitBmp(entry.bytes)) throw std::runtime_error(name + " is not a 24-bit BMP image");
    } else {
      throw std::runtime_error(name + " is neither the description nor a BMP image");
    }
    entries.push_back(std::move(entry));
  }
  if (descriptions != 1) throw std::runtime_error("the folder must hold exactly one .ini description");
  // The description first, then the images by name: the same folder packs the same way.
  std::sort(entries.begin(), entries.end(), [](const TSkinEntry& a, const TSkinEntry& b) {
    bool ai = Lower(a.name).find(".ini") != std::string::npos, bi = Lower(b.name).find(".ini") != std::string::npos;
    return ai != bi ? ai : a.name < b.name;
  });
  return entries;
}

void CheckDecodes(const std::vector<std::uint8_t>& container, const std::vector<TSkinEntry>& entries) {
  TMemoryStream stream;
  stream.WriteBuffer(container.data(), static_cast<std::int64_t>(container.size()));
  TSkinReader reader;
  std::string failure;
  reader.OnReport = [&failure](const std::string& m) { failure = m; };
  if (!reader.Load(stream)) throw std::runtime_error("the container does not decode: " + failure);
  for (const TSkinEntry& e : entries) {
    TMemoryStream out;
    reader.GetEntry(e.name, out);
    if (out.Size() != static_cast<std::int64_t>(e.bytes.size()) ||
        !std::equal(e.bytes.begin(), e.bytes.end(), out.Memory()))
      throw std::runtime_error(e.name + " does not decode back to its bytes");
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: skinpack FOLDER OUTPUT\n";
    return 2;
  }
  try {
    std::vector<TSkinEntry> entries = ReadFolder(argv[1]);
    std::vector<std::uint8_t> container = PackContainer(entries);
    CheckDecodes(container, entries);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(container.data()), static_cast<std::streamsize>(container.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    std::cout << "skinpack: " << entries.size() << " entries, " << container.size() << " bytes\n";
  } catch (const std::exception& e) {
    std::cerr << "skinpack: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
