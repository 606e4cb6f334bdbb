// The program copied into a folder the learner may only read, as
// "C:\Program Files\..." is for a standard user on Windows: here a read-only
// bind mount of a copy of the program's folder (read_only_mount.h).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "practice/data/score.h"
#include "practice/data/score_place.h"
#include "program_process.h"
#include "read_only_mount.h"
#include "screenshot.h"
#include "toolkit/base/directory.h"

namespace {

// The names and sizes of a folder's files.
std::vector<std::string> Listing(const std::string& folder) {
  std::vector<TSearchRec> entries;
  ListDirectory(folder, entries);
  std::vector<std::string> names;
  for (const TSearchRec& e : entries) names.push_back(e.Name + " " + std::to_string(e.Size));
  return names;
}

class ReadOnlyProgramFolder : public ::testing::Test {
protected:
  void SetUp() override {
    FreshProgramStart();
    source = CopyProgramFolder("readonly_scores");
    for (const char* f : {"svlScore.dat", "svlScore.bak"}) RemoveFile(source + f);
    mount = std::make_unique<TReadOnlyMount>(source);
    if (!mount->Made()) GTEST_SKIP() << mount->Why();
    folder = mount->Path();
  }
  void TearDown() override {
    mount.reset();
    RemoveFile(UserScoreFolder() + ScoreFileName);
  }
  std::string source, folder;
  std::unique_ptr<TReadOnlyMount> mount;
};

TEST_F(ReadOnlyProgramFolder, TheProgramStartsAndKeepsItsScoresInTheUsersFolder) {
  const std::string bob =
      FormatScoreLine({"bob", "英文(大)", "0:1:0", "60字", "100%", "0", "60字/分", "2026年1月2日3时4分 星期五", ""});
  const std::string history = "h1\r\nh2\r\n" + bob + "\r\n";
  ASSERT_TRUE(WriteFileBytes(source + ScoreFileName, history.data(), history.size()));
  ASSERT_FALSE(FolderTakesNewFiles(folder)) << "the folder refuses new files";
  const std::vector<std::string> before = Listing(folder);
  const std::string userFile = UserScoreFolder() + ScoreFileName;
  {
    ProgramProcess program(folder);
    ASSERT_TRUE(program.Started());
    HWND box = program.Window(L"#32770");
    ASSERT_NE(box, nullptr);
    const std::string told = BoxText(box);
    // Painted in full before its picture is taken.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
    SaveWindowShot(box, ArtefactFolder() + "score-place-told.bmp");
    EXPECT_NE(told.find("成绩改为保存在“" + userFile + "”中，原有的成绩已复制过去"), std::string::npos) << told;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = program.Window(L"TForm1");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PlayAMinute(program, main));
  }  // killed
  TScoreTable kept;
  ReadScoreFile(userFile, kept);
  ASSERT_EQ(kept.ScoreCount, 2);
  EXPECT_EQ(kept.ScoreRecords[1].User, "bob");
  EXPECT_EQ(kept.ScoreRecords[2].PracticeType, "英文(小)");
  {
    // Shown without a word first: the scores' place was told once.
    ProgramProcess again(folder);
    HWND main = again.Window(L"TForm1");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PlayAMinute(again, main));
  }
  ReadScoreFile(userFile, kept);
  ASSERT_EQ(kept.ScoreCount, 3);
  EXPECT_EQ(kept.ScoreRecords[3].PracticeType, "英文(小)");
  EXPECT_EQ(Listing(folder), before) << "nothing written beside the program";
  TBytes programHistory;
  ASSERT_TRUE(ReadFileBytes(source + ScoreFileName, programHistory));
  EXPECT_EQ(std::string(programHistory.begin(), programHistory.end()), history);
}

}  // namespace
