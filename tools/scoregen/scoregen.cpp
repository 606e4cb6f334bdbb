// Writes a score file of made-up finished runs: every practice type, users
// with Latin and Chinese names, article names short and long.
//   scoregen OUT COUNT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "practice/data/score.h"
#include "practice/rules/practice_types.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: scoregen OUT COUNT\n");
    return 2;
  }
  const int count = std::atoi(argv[2]);
  const char* users[] = {"abc", "bob", "张三", "李四", "Carol Ann"};
  const char* articles[] = {"1.静夜思", "2.The Fox", "3."};
  TScoreTable table;
  table.Loaded = true;
  table.ScoreHeader1 = StandardScoreHeader1;
  table.ScoreHeader2 = StandardScoreHeader2();
  for (int i = 0; i < count; ++i) {
    TFinishedRun run;
    run.User = users[i % 5];
    run.PracticeType = i % 23;
    run.TypeCaption = PracticeTypeCaption(run.PracticeType);
    run.ElapsedSeconds = 60 + i * 97 % 3600;
    run.TotalCount = i * 37 % 900;
    run.Accuracy = i % 7 == 0 ? 0 : 100.0 - i * 3 % 41 / 4.0;
    run.ErrorCount = i * 5 % 23;
    run.ArticleChoice = i % 11 == 10 ? "4." + std::string(60, 'x') + "长文章名" + std::string(60, 'y')
                                     : articles[i % 3];
    run.EndTime = {2020 + i % 7, 1 + i % 12, 1 + i * 7 % 28, i % 24, i * 13 % 60, i % 7};
    AppendScoreRecord(table, MakeScoreRecord(run));
  }
  try {
    WriteScoreFile(argv[1], table);
  } catch (const EScoreFileError& e) {
    std::fprintf(stderr, "scoregen: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
