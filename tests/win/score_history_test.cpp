#include <gtest/gtest.h>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "program_fixture.h"
#include "prompt_box.h"
#include "users/Unit3.h"

namespace {

svlScoreSet Score(const std::string& user, const std::string& speed) {
  return {user, "英文(大)", "0:1:0", "60字", "100%", "0", speed, "2026年1月2日3时4分 星期五", ""};
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string FileText(const std::string& path) {
  TBytes b;
  ReadFileBytes(path, b);
  return std::string(b.begin(), b.end());
}

// The main window started on a program folder the test prepared.
class ScoreHistory : public ::testing::Test {
protected:
  void SetUp() override {
    FreshApplication();
    Practice = TPracticeState{};
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Sunvelo\\Tapmira");
  }
  void TearDown() override {
    Stop();
    SetProgramFolderOverride("");
  }
  // A copy of the program folder holding `scores` as its score file.
  std::string Folder(const std::string& name, const std::string& scores) {
    const std::string folder = CopyProgramFolder(name);
    for (const char* f : {"svlScore.dat", "svlScore.dat.new", "svlScore.bak", "svlScore2.bak"}) RemoveFile(folder + f);
    EXPECT_TRUE(WriteFileBytes(folder + "svlScore.dat", scores.data(), scores.size()));
    return folder;
  }
  void Start(const std::string& folder) {
    Stop();
    FreshApplication();
    Practice = TPracticeState{};
    SetProgramFolderOverride(folder);
    form = CreateFormObject<TForm1>(Application);
    ASSERT_TRUE(Practice.StartedUp);
  }
  // Shut-down as closing the window does it.
  void Close() {
    TCloseAction action = TCloseAction::caFree;
    form->FormClose(form, action);
    Stop();
  }
  void Stop() {
    delete form;
    form = nullptr;
  }
  TForm1* form = nullptr;
  TMessageBoxRecorder boxes{IDOK};
};

TEST_F(ScoreHistory, DamagedLinesAreSkippedToldOnceAtStartUpAndKeptInACopy) {
  const std::string good = FormatScoreLine(Score("bob", "30字/分"));
  const std::string cut = FormatScoreLine(Score("ann", "40字/分")).substr(0, 150);
  const std::string text = Lines({"h1", "h2", good, cut, "", FormatScoreLine(Score("carl", "50字/分")), "\x01\x02 junk",
                                  FormatScoreLine(Score("dora", "60字/分"))});
  const std::string folder = Folder("score_damaged", text);
  {
    RealMessageBoxes real;
    TPromptAnswer ok;
    ok.Key = VK_RETURN;
    ok.Shot = "score-damaged-lines.bmp";
    TAnswerPrompt answering(ok);
    Start(folder);
    ASSERT_TRUE(ok.Answered);
    EXPECT_NE(ok.Text.find("2行已损坏"), std::string::npos) << ok.Text;
    EXPECT_NE(ok.Text.find("第4行"), std::string::npos) << ok.Text;
    EXPECT_NE(ok.Text.find(folder + "svlScore.bak"), std::string::npos) << ok.Text;
  }
  ASSERT_EQ(Practice.Scores.ScoreCount, 3) << "the records after a damaged line are read";
  EXPECT_EQ(Practice.Scores.ScoreRecords[3].User, "dora");
  EXPECT_EQ(FileText(folder + "svlScore.bak"), text);
  std::unique_ptr<TForm3> query(CreateFormObject<TForm3>(Application));
  EXPECT_EQ(query->ListView1->Items()->Count(), 3);
  query.reset();
  Close();
  EXPECT_TRUE(boxes.Calls.empty()) << "told once, at start-up";
  EXPECT_EQ(FileText(folder + "svlScore.dat"), Lines({"h1", "h2", good, FormatScoreLine(Score("carl", "50字/分")),
                                                      FormatScoreLine(Score("dora", "60字/分"))}));
  Start(folder);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_FALSE(FileExists(folder + "svlScore2.bak"));
}

TEST_F(ScoreHistory, ARewriteLeftOverIsRemovedAtStartUp) {
  const std::string text = Lines({"h1", "h2", FormatScoreLine(Score("bob", "30字/分"))});
  const std::string folder = Folder("score_leftover", text);
  ASSERT_TRUE(WriteFileBytes(folder + "svlScore.dat.new", text.data(), 100));  // a rewrite cut short
  Start(folder);
  EXPECT_FALSE(FileExists(folder + "svlScore.dat.new"));
  EXPECT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_TRUE(boxes.Calls.empty());
}

}  // namespace
