#include "rc_writer.h"

namespace mediagen {

bool RcText(const std::vector<RcEntry>& entries, std::string& out, std::string& error) {
  out.clear();
  for (const auto& e : entries) {
    bool ok = !e.name.empty() && !e.type.empty();
    for (char c : e.name + e.type)
      ok &= (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok || (e.name[0] >= '0' && e.name[0] <= '9')) {
      error = "resource name \"" + e.name + "\" or type \"" + e.type + "\" is not an identifier";
      return false;
    }
    for (char c : e.path)
      if (c == '"' || c == '\\' || c == '\n' || (unsigned char)c < 0x20) {
        error = "path \"" + e.path + "\" cannot be written into a resource script";
        return false;
      }
    out += e.name + " " + e.type + " \"" + e.path + "\"\n";
  }
  return true;
}

std::string VersionBlock(const std::string& file_name, const std::string& description) {
  return "1 VERSIONINFO\nFILEVERSION 1,0,0,0\nPRODUCTVERSION 1,0,0,0\nFILETYPE 2\nBEGIN\n"
         "  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"040904B0\"\n    BEGIN\n"
         "      VALUE \"FileDescription\", \"" + description + "\"\n"
         "      VALUE \"OriginalFilename\", \"" + file_name + "\"\n"
         "      VALUE \"ProductName\", \"Tapmira\"\n"
         "    END\n  END\n"
         "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", 0x409, 1200\n  END\nEND\n";
}

void PictureRcEntries(const std::vector<int>& numbers, const std::string& dir,
                      std::vector<RcEntry>& first, std::vector<RcEntry>& second) {
  first.clear();
  second.clear();
  for (int n : numbers) {
    RcEntry e{"MywbGIF" + std::to_string(n), "GIF", dir + "/" + std::to_string(n) + ".gif"};
    (n < kSecondPictureModuleFrom ? first : second).push_back(e);
  }
}

std::vector<RcEntry> SoundRcEntries(const std::vector<std::string>& names, const std::string& dir) {
  std::vector<RcEntry> v{{"MyWAVabc", "WAV", dir + "/abc.wav"},
                         {"MyWAVywerror", "WAV", dir + "/ywerror.wav"}};
  for (const auto& n : names) v.push_back({"MyPyWAV" + n, "WAV", dir + "/py/" + n + ".wav"});
  return v;
}

}  // namespace mediagen
