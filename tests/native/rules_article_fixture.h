#pragma once
// Article runs over files in a scratch program folder, and row rooms of a
// given size, shared by the article-rule tests.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/native/rules_fixture.h"

namespace fs = std::filesystem;

// A scratch program folder with "English/" and "Chinese/" article folders.
struct ArticleFolder {
  fs::path root;
  ArticleFolder() {
    root = fs::temp_directory_path() / ("tapmira-articles-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "English");
    fs::create_directories(root / "Chinese");
  }
  ~ArticleFolder() { fs::remove_all(root); }
  std::string Folder() const { return root.string() + "/"; }
  std::string Write(const std::string& kind, const std::string& name, const std::string& bytes) {
    fs::path p = root / kind / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
};

// A room of `bytes` bytes, and of `pixels` pixels where each byte is `perByte` wide.
inline TRowRoom Room(int bytes, int pixels = 0, int perByte = 0) {
  TRowRoom room;
  room.MaxBytes = bytes;
  room.Pixels = pixels;
  if (perByte) room.SetMeasure([perByte](unsigned code) { return code > 0xFF ? 2 * perByte : perByte; });
  return room;
}

inline const std::string kZhong = "\xD6\xD0";  // 中
inline const std::string kGuo = "\xB9\xFA";    // 国

// Runs of the article types over files in a scratch folder.
struct ArticleRun : RulesFixture {
  ArticleFolder dir;
  // Starts `type` on an article with this text (types 19, 21, 22) or the digits (20).
  TFeedback StartArticle(int type, const std::string& text = "") {
    const std::string kind = type == 19 ? "English" : "Chinese";
    if (type != 20) dir.Write(kind, "a.txt", text);
    session.SetArticleList(ListArticleFiles(dir.Folder(), type == 19 ? 1 : type == 21 ? 3 : 4));
    RestartClock();
    return session.Button1Click({type, 4, type == 20 ? -1 : 0, "1.a"});
  }
  // Types `typed` into the active row and releases the key; follows an End.
  TFeedback Release(const std::string& typed) {
    TFeedback fb = session.ArticleKeyUp(screen().Article.ActiveRow, typed);
    if (fb.Action == TWindowAction::End) session.Button2Click();
    return fb;
  }
  bool Running() const { return screen().Phase != TRunPhase::Idle; }
};

