#include <gtest/gtest.h>

#include <cwchar>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "practice/main/score_store.h"
#include "program_fixture.h"
#include "program_process.h"
#include "prompt_box.h"
#include "read_only_mount.h"
#include "toolkit/base/directory.h"
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
    FreshProgramStart();
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

// A damaged file used to be copied, and the learner told, at every start
// until something rewrote it: a kill before the exit left another copy each
// time. It is rewritten without those lines at once.
TEST_F(ScoreHistory, ADamagedFileIsCleanAfterOneStartThoughTheProgramIsKilled) {
  const std::string bob = FormatScoreLine(Score("bob", "30字/分")), carl = FormatScoreLine(Score("carl", "50字/分"));
  const std::string text = Lines({"h1", "h2", bob, "garbage", carl});
  const std::string folder = Folder("score_damaged_killed", text);
  Start(folder);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_NE(boxes.Calls[0].Text.find("svlScore.bak"), std::string::npos) << boxes.Calls[0].Text;
  EXPECT_NE(boxes.Calls[0].Text.find("成绩文件中已去掉这些行"), std::string::npos) << boxes.Calls[0].Text;
  EXPECT_EQ(FileText(folder + "svlScore.dat"), Lines({"h1", "h2", bob, carl}));
  Stop();  // killed: no shut-down
  boxes.Calls.clear();
  Start(folder);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_FALSE(FileExists(folder + "svlScore2.bak"));
  EXPECT_EQ(FileText(folder + "svlScore.bak"), text);
  EXPECT_EQ(Practice.Scores.ScoreCount, 2);
}

// A read-only score file lost every run with only a word after each.
TEST_F(ScoreHistory, AReadOnlyScoreFileIsToldAtStartUp) {
  const std::string folder = Folder("score_readonly", Lines({"h1", "h2", FormatScoreLine(Score("bob", "30字/分"))}));
  TReadOnlyFile readOnly(folder + "svlScore.dat");
  if (!readOnly.Made()) GTEST_SKIP() << readOnly.Why();
  Start(folder);
  ASSERT_EQ(boxes.Calls.size(), 1u);
  EXPECT_NE(boxes.Calls[0].Text.find(folder + "svlScore.dat”不能写入"), std::string::npos) << boxes.Calls[0].Text;
  EXPECT_EQ(Practice.Scores.ScoreCount, 1);
}

// Once the scores are kept in the user's own folder they stay there, even
// where the program's folder takes files again: one history, one file.
TEST_F(ScoreHistory, TheUsersOwnFileOnceMadeIsTheHistory) {
  const std::string user = UserScoreFolder();
  ASSERT_NE(user, "");
  ASSERT_TRUE(ForceDirectories(user));
  const std::string bob = FormatScoreLine(Score("bob", "30字/分")), carl = FormatScoreLine(Score("carl", "50字/分"));
  const std::string own = Lines({"u1", "u2", carl});
  ASSERT_TRUE(WriteFileBytes(user + "svlScore.dat", own.data(), own.size()));
  const std::string folder = Folder("score_owner", Lines({"h1", "h2", bob}));
  Start(folder);
  EXPECT_TRUE(boxes.Calls.empty());
  ASSERT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].User, "carl");
  ASSERT_TRUE(AppendScoreRecord(Practice.Scores, Score("dora", "70字/分")));
  StoreLastScore();
  Close();
  EXPECT_EQ(FileText(user + "svlScore.dat"), Lines({"u1", "u2", carl, FormatScoreLine(Score("dora", "70字/分"))}));
  EXPECT_EQ(FileText(folder + "svlScore.dat"), Lines({"h1", "h2", bob})) << "left as it was";
  RemoveFile(user + "svlScore.dat");
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

TEST_F(ScoreHistory, ADeletedScoreStaysDeletedWhenTheProgramIsKilled) {
  const std::string bob = FormatScoreLine(Score("bob", "30字/分")), carl = FormatScoreLine(Score("carl", "50字/分"));
  const std::string folder = Folder("score_killed", Lines({"h1", "h2", bob, carl, bob}));
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Sunvelo\\Tapmira", true));
    reg.WriteString("Users", "abc;bob;carl;");
    reg.WriteString("CurrentUser", "abc");
  }
  ProgramProcess program(folder);
  ASSERT_TRUE(program.Started());
  HWND main = program.Window(L"TForm1");
  ASSERT_NE(main, nullptr);
  // 退出 opens the menu; its second item is 查询打字成绩.
  HWND exitButton = ChildWithText(main, L"退出");
  ASSERT_NE(exitButton, nullptr);
  PostMiddleClick(exitButton);
  HWND menu = program.Window(L"#32768", 10000);
  ASSERT_NE(menu, nullptr);
  // A click on the middle item; the menu's loop reads the point in screen coordinates.
  RECT r;
  GetWindowRect(menu, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(menu, WM_LBUTTONUP, 0, at);
  HWND query = program.Window(L"TForm3", 10000);
  ASSERT_NE(query, nullptr);
  HWND users = ComboWithItems(query, 4);  // 所有用户, abc, bob, carl
  ASSERT_NE(users, nullptr);
  SendMessageW(users, CB_SETCURSEL, 2, 0);
  HWND deleteButton = ChildWithText(query, L"删除当前成绩");
  ASSERT_NE(deleteButton, nullptr);
  PostMiddleClick(deleteButton);
  const std::string deleted = Lines({"h1", "h2", carl});
  for (int waited = 0; waited < 10000 && FileText(folder + "svlScore.dat") != deleted; waited += 50) Sleep(50);
  program.Kill();

  EXPECT_EQ(FileText(folder + "svlScore.dat"), deleted);
  EXPECT_FALSE(FileExists(folder + "svlScore.dat.new"));
  Start(folder);
  std::unique_ptr<TForm3> again(CreateFormObject<TForm3>(Application));
  ASSERT_EQ(again->ListView1->Items()->Count(), 1);
  EXPECT_EQ(again->ListView1->Items()->Item(0)->SubItems().at(6), "carl");
  EXPECT_TRUE(boxes.Calls.empty());
}

// A run's record appended to a score file of 0 bytes became its first
// header line, and the next start read no record.
TEST_F(ScoreHistory, ARunStoredInAnEmptyFileSurvivesAKill) {
  const std::string folder = Folder("score_empty", "");
  {
    ProgramProcess program(folder);
    ASSERT_TRUE(program.Started());
    HWND main = program.Window(L"TForm1");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PlayAMinute(program, main));
  }
  Start(folder);
  EXPECT_TRUE(boxes.Calls.empty());
  ASSERT_EQ(Practice.Scores.ScoreCount, 1);
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].PracticeType, "英文(小)");
  EXPECT_EQ(Practice.Scores.ScoreRecords[1].TimeUsed, "0:1:0");
  EXPECT_EQ(Practice.Scores.ScoreHeader1, StandardScoreHeader1);
}

}  // namespace
