#include "practice/main/score_store.h"

#include <windows.h>
#include <shlobj.h>

#include "practice/data/quoted.h"
#include "practice/data/score_place.h"
#include "practice/main/practice_state.h"
#include "toolkit/base/file_io.h"
#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/message_box.h"
#include "toolkit/win/resources.h"

namespace {
void Tell(const std::string& text) { ShowMessageBox(text, "提示", MB_OK | MB_ICONWARNING); }

// A folder's name in GBK, by its short form where the long one has
// characters GBK lacks; empty when neither will do.
std::string GbkFolderName(const std::wstring& folder) {
  std::string name = WideToGbk(folder);
  if (GbkToWide(name) == folder) return name;
  wchar_t shortName[MAX_PATH];
  const DWORD n = GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "";
  name = WideToGbk(shortName);
  return GbkToWide(name) == shortName ? name : "";
}

const char* const kNotKept = "成绩不能保存，本次练习的成绩在退出后不会保留。";

// Where the scores are kept, told when it is not where it always was.
void TellScorePlace(const TScorePlace& place, const std::string& programFolder) {
  if (place.StartedNow)
    Tell("程序所在的文件夹" + Quoted(programFolder) + "不允许写入，成绩改为保存在" + Quoted(place.Path) + "中" +
         (place.CopiedFrom.empty() ? "。" : "，原有的成绩已复制过去。"));
  if (place.Unwritable)
    Tell("程序所在的文件夹" + Quoted(programFolder) + "和用户的应用数据文件夹都不允许写入：" + kNotKept);
}

// A file that was read but takes no writes (read-only, or held by another program).
void TellUnwritableFile(const std::string& path) {
  if (FileExists(path) && !FileAcceptsWrites(path))
    Tell("成绩文件" + Quoted(path) + "不能写入（它是只读文件，或正被其他程序使用）：" + kNotKept);
}

// What the reader dropped, as the learner is told it.
std::string DroppedLines(const TScoreTable& table) {
  std::string text;
  if (table.DamagedLines > 0)
    text += "成绩文件" + Quoted(ScoreFileName) + "中有" + std::to_string(table.DamagedLines) + "行已损坏（第" +
            std::to_string(table.FirstDamagedLine) + "行起），不能作为成绩读入，已跳过；其余的成绩照常读入。";
  if (table.ExcessLines > 0)
    text += "成绩文件" + Quoted(ScoreFileName) + "中的成绩超过" + std::to_string(MaxScoreRecords / 10000) +
            "万条，其后的" + std::to_string(table.ExcessLines) + "行未读入。";
  return text;
}

// Where the file with dropped lines was copied (at start-up, or by a later rewrite).
void TellScoreBackup(const std::string& backup) {
  if (backup.empty()) return;
  Tell(DroppedLines(Practice.Scores) + "\n原文件已另存为" + Quoted(backup) + "，这些行都保留在其中；成绩文件中已去掉这些行。");
}
}  // namespace

std::string UserScoreFolder() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return "";
  const std::string folder = GbkFolderName(appData);
  return folder.empty() ? folder : folder + "\\Sunvelo\\Tapmira\\";
}

std::string ScoreFilePath() { return Practice.ScorePath.empty() ? ProgramFolder() + ScoreFileName : Practice.ScorePath; }

void OpenScoreHistory() {
  const std::string programFolder = ProgramFolder();
  const TScorePlace place = ChooseScorePlace(programFolder, UserScoreFolder());
  Practice.ScorePath = place.Path;
  TellScorePlace(place, programFolder);
  const TScoreFileOpening opening = OpenScoreFile(place.Path, Practice.Scores);
  if (!opening.Error.empty())
    Tell(DroppedLines(Practice.Scores) + "\n" + opening.Error +
         "。成绩文件仍保留这些行，删除成绩不能保存；新的成绩照常保存。");
  TellScoreBackup(opening.BackupPath);
  if (!place.Unwritable) TellUnwritableFile(place.Path);
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
