#include "practice/main/score_store.h"

#include <windows.h>

#include "practice/main/practice_state.h"
#include "toolkit/win/message_box.h"
#include "toolkit/win/resources.h"

namespace {
const char* const kScoreFileName = "svlScore.dat";

void Tell(const std::string& text) { ShowMessageBox(text, "提示", MB_OK | MB_ICONWARNING); }

std::string Quoted(const std::string& text) { return "“" + text + "”"; }

// What the reader dropped, as the learner is told it.
std::string DroppedLines(const TScoreTable& table) {
  std::string text;
  if (table.DamagedLines > 0)
    text += "成绩文件" + Quoted(kScoreFileName) + "中有" + std::to_string(table.DamagedLines) + "行已损坏（第" +
            std::to_string(table.FirstDamagedLine) + "行起），不能作为成绩读入，已跳过；其余的成绩照常读入。";
  if (table.ExcessLines > 0)
    text += "成绩文件" + Quoted(kScoreFileName) + "中的成绩超过" + std::to_string(MaxScoreRecords / 10000) +
            "万条，其后的" + std::to_string(table.ExcessLines) + "行未读入。";
  return text;
}

// Where the file with dropped lines was copied (at start-up, or by a later rewrite).
void TellScoreBackup(const std::string& backup) {
  if (backup.empty()) return;
  Tell(DroppedLines(Practice.Scores) + "\n原文件已另存为" + Quoted(backup) + "，这些行都保留在其中；成绩文件中已去掉这些行。");
}
}  // namespace

std::string ScoreFilePath() { return ProgramFolder() + kScoreFileName; }

void OpenScoreHistory() {
  const TScoreFileOpening opening = OpenScoreFile(ScoreFilePath(), Practice.Scores);
  if (!opening.Error.empty())
    Tell(DroppedLines(Practice.Scores) + "\n" + opening.Error +
         "。成绩文件仍保留这些行，删除成绩不能保存；新的成绩照常保存。");
  TellScoreBackup(opening.BackupPath);
}

// A crash loses no more than the run in progress.
void StoreLastScore() {
  try {
    StoreLastScoreRecord(ScoreFilePath(), Practice.Scores);
  } catch (const EScoreFileError& e) {
    Tell(e.Message());
  }
}

void SaveScoreHistory() {
  if (!Practice.Scores.Loaded) return;
  try {
    TellScoreBackup(WriteScoreFile(ScoreFilePath(), Practice.Scores));
  } catch (const EScoreFileError& e) {
    ShowMessageBox(e.Message(), "失败", MB_OK);
  }
}
