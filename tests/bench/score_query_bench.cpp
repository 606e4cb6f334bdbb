// The score query over a history of 1,000,000 records: opening the dialog
// (every record listed and the first rows drawn), a query by user and type,
// and column sorts (by date, by speed), each timed through the dialog's own handlers.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "practice/main/practice_state.h"
#include "practice/rules/practice_types.h"
#include "users/Unit3.h"
#include "win/app_support.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void MakeHistory(int count) {
  const char* users[] = {"abc", "bob", "carol", "张三", "李四"};
  SplitUserList(Practice.Users, "abc;bob;carol;张三;李四;");
  Practice.Users.CurrentUser = "abc";
  TScoreTable& t = Practice.Scores;
  t = TScoreTable{};
  t.Loaded = true;
  t.ScoreRecords.reserve(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i < count; ++i) {
    TFinishedRun run;
    run.User = users[i % 5];
    run.PracticeType = (i * 7) % 23;
    run.TypeCaption = PracticeTypeCaption(run.PracticeType);
    run.ElapsedSeconds = 60 + i % 3541;
    run.TotalCount = (i * 37) % 4000;
    run.Accuracy = (i % 10001) / 100.0;
    run.ErrorCount = i % 97;
    run.ArticleChoice = "3.文章" + std::to_string(i % 50);
    run.EndTime = {2020 + i % 7, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 7};
    AppendScoreRecord(t, MakeScoreRecord(run));
  }
}

}  // namespace

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  const int records = 1000000;
  MakeHistory(records);
  std::printf("history of %d records made\n", Practice.Scores.ScoreCount);
  std::fflush(stdout);

  auto t0 = std::chrono::steady_clock::now();
  std::unique_ptr<TForm3> dialog;
  try {
    dialog.reset(CreateFormObject<TForm3>(Application));
  } catch (const std::exception& e) {
    std::printf("the dialog could not be made: %s\n", e.what());
    return 1;
  }
  dialog->Show();

  UpdateWindow(dialog->ListView1->Handle());
  Pump();
  const double open = Seconds(t0);
  const int listed = dialog->ListView1->Items()->Count();

  dialog->ComboBox1->SetItemIndex(dialog->ComboBox1->Items()->IndexOf("bob"));
  dialog->ComboBox2->SetItemIndex(0);
  t0 = std::chrono::steady_clock::now();
  dialog->Button1Click(dialog->Button1);
  UpdateWindow(dialog->ListView1->Handle());
  Pump();
  const double query = Seconds(t0);
  const int queried = dialog->ListView1->Items()->Count();

  dialog->ComboBox1->SetItemIndex(0);
  dialog->Button1Click(dialog->Button1);
  t0 = std::chrono::steady_clock::now();
  dialog->ListView1ColumnClick(dialog->ListView1, dialog->ListView1->Columns()->Items(6));  // 统计日期
  UpdateWindow(dialog->ListView1->Handle());
  Pump();
  const double sortByDate = Seconds(t0);
  t0 = std::chrono::steady_clock::now();
  dialog->ListView1ColumnClick(dialog->ListView1, dialog->ListView1->Columns()->Items(5));  // 速度
  UpdateWindow(dialog->ListView1->Handle());
  Pump();
  const double sortBySpeed = Seconds(t0);

  std::printf("score query over %d records: open %.3f s (%d rows), query by user %.3f s (%d rows), "
              "sort by date %.3f s, sort by speed %.3f s\n",
              records, open, listed, query, queried, sortByDate, sortBySpeed);
  for (const auto& call : boxes.Calls) std::printf("message: %s\n", call.Text.c_str());
  return listed == records && queried == records / 5 ? 0 : 1;
}
