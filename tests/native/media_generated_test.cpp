// Checks the media the build generated (build/native/gen and appdata) the
// way the program and its modules use them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build_dir.h"
#include "tools/mediagen/lists.h"

using namespace mediagen;

namespace {

uint32_t Le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | (unsigned char)s[at + i];
  return v;
}

struct Wav {
  uint32_t format = 0, channels = 0, rate = 0, bits = 0, data_bytes = 0;
  std::string data;
};

bool ParseWav(const std::string& f, Wav& w) {
  if (f.size() < 12 || f.compare(0, 4, "RIFF") || f.compare(8, 4, "WAVE")) return false;
  for (size_t p = 12; p + 8 <= f.size();) {
    std::string id = f.substr(p, 4);
    uint32_t len = Le(f, p + 4, 4);
    if (p + 8 + len > f.size()) return false;
    if (id == "fmt ") {
      w.format = Le(f, p + 8, 2);
      w.channels = Le(f, p + 10, 2);
      w.rate = Le(f, p + 12, 4);
      w.bits = Le(f, p + 22, 2);
    } else if (id == "data") {
      w.data_bytes = len;
      w.data = f.substr(p + 8, len);
    }
    p += 8 + len + (len & 1);
  }
  return w.format && w.data_bytes;
}

// The resource files a module script names, in its order.
std::vector<std::string> RcFiles(const std::string& rc) {
  std::vector<std::string> files;
  std::istringstream in(rc);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string name, type;
    words >> name >> type;
    size_t q = line.find(" \"");
    if ((type != "WAV" && type != "GIF") || q == std::string::npos) continue;
    files.push_back(line.substr(q + 2, line.size() - q - 3));
  }
  return files;
}

class MediaGenerated : public ::testing::Test {
 protected:
  void SetUp() override {
    build_ = BuildDir();
    ASSERT_FALSE(build_.empty());
  }
  std::string Read(const std::string& rel) {
    std::string s;
    EXPECT_TRUE(ReadText(build_ + "/" + rel, s)) << rel << " (is the media step built?)";
    return s;
  }
  std::string build_;
};

}  // namespace

TEST_F(MediaGenerated, SoundsAreShortTrimmedPcm) {
  std::vector<std::string> files = RcFiles(Read("gen/WavRes.rc"));
  ASSERT_GE(files.size(), 3u);
  for (const auto& path : files) {
    std::string f;
    ASSERT_TRUE(ReadText(path, f)) << path;
    Wav w;
    ASSERT_TRUE(ParseWav(f, w)) << path;
    EXPECT_EQ(w.format, 1u) << path;
    EXPECT_EQ(w.channels, 1u) << path;
    EXPECT_EQ(w.rate, 11025u) << path;
    EXPECT_EQ(w.bits, 16u) << path;
    double seconds = w.data_bytes / 2.0 / w.rate;
    EXPECT_GT(seconds, 0.02) << path;
    EXPECT_LT(seconds, 1.5) << path;
    // Trimmed: sound within the first 20 ms.
    int peak = 0;
    for (size_t i = 0; i + 1 < w.data.size() && i < 2 * 220; i += 2)
      peak = std::max(peak, std::abs(int(int16_t(Le(w.data, i, 2)))));
    EXPECT_GT(peak, 300) << path;
  }
}

TEST_F(MediaGenerated, PictureModulesSplitTheListedPictures) {
  std::vector<std::string> first = RcFiles(Read("gen/wbrc1.rc")), second = RcFiles(Read("gen/wbrc2.rc"));
  ASSERT_FALSE(first.empty());
  for (const auto& p : first) {
    int n = std::atoi(p.substr(p.rfind('/') + 1).c_str());
    EXPECT_TRUE(n > 0 && n < 3500) << p;
    std::string gif;
    ASSERT_TRUE(ReadText(p, gif)) << p;
    EXPECT_EQ(gif.compare(0, 6, "GIF89a"), 0) << p;
  }
  for (const auto& p : second) EXPECT_GE(std::atoi(p.substr(p.rfind('/') + 1).c_str()), 3500) << p;
}

TEST_F(MediaGenerated, MusicIsAboutAMinuteOfSmallMp3) {
  for (const char* name : {"appdata/Test0.mp3", "appdata/Test1.mp3"}) {
    std::string f = Read(name);
    ASSERT_GT(f.size(), 4u);
    size_t at = f.compare(0, 3, "ID3") == 0 ? 10 + ((f[6] & 0x7F) << 21 | (f[7] & 0x7F) << 14 |
                                                     (f[8] & 0x7F) << 7 | (f[9] & 0x7F))
                                           : 0;
    ASSERT_LT(at + 1, f.size());
    EXPECT_EQ((unsigned char)f[at], 0xFF) << name;  // an MPEG frame starts here
    EXPECT_EQ((unsigned char)f[at + 1] & 0xE0, 0xE0) << name;
    // 48 kbit/s: 50 to 75 seconds is 300 to 450 KB.
    EXPECT_GT(f.size(), 300000u) << name;
    EXPECT_LT(f.size(), 450000u) << name;
  }
}
