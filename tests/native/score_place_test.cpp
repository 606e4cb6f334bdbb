#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "practice/data/score.h"
#include "practice/data/score_place.h"
#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"

namespace {

std::string Get(const std::string& path) {
  TBytes b;
  EXPECT_TRUE(ReadFileBytes(path, b));
  return std::string(b.begin(), b.end());
}

// A program folder and a user folder (not made yet) of their own, and a
// probe that says which folders take new files.
class ScorePlace : public ::testing::Test {
protected:
  void SetUp() override {
    root = ::testing::TempDir() + "score_place_" + std::to_string(getpid()) + "/";
    program = root + "program/";
    user = root + "home/Local/Sunvelo/Tapmira/";
    ASSERT_TRUE(ForceDirectories(program));
  }
  void TearDown() override {
    for (const std::string& f : {program + ScoreFileName, user + ScoreFileName}) RemoveFile(f);
    for (const std::string& d : {user, root + "home/Local/Sunvelo/", root + "home/Local/", root + "home/", program, root})
      rmdir(d.c_str());
  }
  TScorePlace Choose() {
    return ChooseScorePlace(program, user, [this](const std::string& folder) {
      return folder == program ? programTakesFiles : userTakesFiles;
    });
  }
  void Put(const std::string& path, const std::string& text) { ASSERT_TRUE(WriteFileBytes(path, text.data(), text.size())); }

  std::string root, program, user;
  bool programTakesFiles = true, userTakesFiles = true;
};

const std::string kHistory = "h1\r\nh2\r\n" + FormatScoreLine({"bob", "英文(大)", "0:1:0", "9字", "100%", "0", "9字/分", "d", ""}) + "\r\n";

}  // namespace

TEST_F(ScorePlace, BesideTheProgramWhereItsFolderTakesFiles) {
  Put(program + ScoreFileName, kHistory);
  const TScorePlace place = Choose();
  EXPECT_EQ(place.Path, program + ScoreFileName);
  EXPECT_FALSE(place.InUserFolder || place.StartedNow || place.Unwritable);
  std::vector<TSearchRec> entries;
  EXPECT_FALSE(ListDirectory(root + "home/", entries)) << "no user folder made";
}

// A folder the learner may only read lost every run: the history moves to
// the user's own folder, starting from the file beside the program, once.
TEST_F(ScorePlace, TheUsersFolderWhereTheProgramsRefusesStartingFromACopy) {
  Put(program + ScoreFileName, kHistory);
  programTakesFiles = false;
  TScorePlace place = Choose();
  EXPECT_EQ(place.Path, user + ScoreFileName);
  EXPECT_TRUE(place.InUserFolder);
  EXPECT_TRUE(place.StartedNow);
  EXPECT_EQ(place.CopiedFrom, program + ScoreFileName);
  EXPECT_FALSE(place.Unwritable);
  EXPECT_EQ(Get(user + ScoreFileName), kHistory);

  // Later starts keep to it, even where the program's folder takes files again.
  Put(user + ScoreFileName, kHistory + "more\r\n");
  for (bool takes : {false, true}) {
    programTakesFiles = takes;
    place = Choose();
    EXPECT_EQ(place.Path, user + ScoreFileName);
    EXPECT_TRUE(place.InUserFolder);
    EXPECT_FALSE(place.StartedNow);
    EXPECT_EQ(Get(user + ScoreFileName), kHistory + "more\r\n");
  }
}

TEST_F(ScorePlace, ANewHistoryInTheUsersFolderHasItsHeaderLines) {
  programTakesFiles = false;
  TScorePlace place = Choose();
  EXPECT_TRUE(place.StartedNow);
  EXPECT_EQ(place.CopiedFrom, "");
  EXPECT_EQ(Get(user + ScoreFileName), std::string(StandardScoreHeader1) + "\r\n" + StandardScoreHeader2() + "\r\n");
  place = Choose();
  EXPECT_FALSE(place.StartedNow) << "made once";
  EXPECT_FALSE(FileExists(program + ScoreFileName));
}

TEST_F(ScorePlace, NowhereToWriteReadsTheProgramsFile) {
  Put(program + ScoreFileName, kHistory);
  programTakesFiles = false;
  ASSERT_TRUE(ForceDirectories(root + "home/"));
  Put(root + "home/Local", "a file where a folder should be");
  TScorePlace place = Choose();
  EXPECT_TRUE(place.Unwritable);
  EXPECT_EQ(place.Path, program + ScoreFileName);
  EXPECT_FALSE(place.InUserFolder || place.StartedNow);
  RemoveFile(root + "home/Local");
  place = ChooseScorePlace(program, "", [](const std::string&) { return false; });
  EXPECT_TRUE(place.Unwritable) << "no user folder at all";
  EXPECT_EQ(place.Path, program + ScoreFileName);
}

TEST_F(ScorePlace, FoldersAreMadeAndProbedForNewFiles) {
  EXPECT_FALSE(FolderTakesNewFiles(user));
  EXPECT_TRUE(ForceDirectories(user));
  EXPECT_TRUE(ForceDirectories(user)) << "made already";
  EXPECT_TRUE(FolderTakesNewFiles(user));
  std::vector<TSearchRec> left;
  ASSERT_TRUE(ListDirectory(user, left));
  EXPECT_TRUE(left.empty()) << "the probe leaves nothing";
  EXPECT_FALSE(ForceDirectories(""));
}
