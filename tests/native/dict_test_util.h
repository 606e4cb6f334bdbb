#pragma once
// A private folder of dictionary files for the loader tests.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>
#include <dirent.h>
#include <string>
#include <vector>
#include "practice/data/dict_cipher.h"
#include "toolkit/base/file_io.h"

class TDictFolder {
public:
  TDictFolder() {
    char tmpl[] = "/tmp/dicttest.XXXXXX";
    if (mkdtemp(tmpl)) path_ = std::string(tmpl) + "/";
  }
  ~TDictFolder() {
    for (const auto& f : Files()) std::remove((path_ + f).c_str());
    rmdir(path_.c_str());
  }
  const std::string& Path() const { return path_; }

  void WritePlain(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(WriteFileBytes(path_ + name, bytes.empty() ? "" : bytes.data(), bytes.size()));
  }
  void WriteEnciphered(const std::string& name, const std::string& plain) const {
    TBytes cipher = EncipherBytes(TBytes(plain.begin(), plain.end()));
    static const std::uint8_t none = 0;
    ASSERT_TRUE(WriteFileBytes(path_ + name, cipher.empty() ? &none : cipher.data(), cipher.size()));
  }
  void WriteLines(const std::string& name, const std::vector<std::string>& lines) const {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    WriteEnciphered(name, text);
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(path_.c_str())) {
      while (dirent* e = readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
      closedir(d);
    }
    return names;
  }

private:
  std::string path_;
};
