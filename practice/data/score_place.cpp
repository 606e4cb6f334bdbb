#include "practice/data/score_place.h"

#include "practice/data/score.h"
#include "toolkit/base/directory.h"
#include "toolkit/base/file_io.h"

const char* const ScoreFileName = "svlScore.dat";

bool FolderTakesNewFiles(const std::string& folder) {
  TTempFile probe(folder + "svlScoreTemp.dat");
  return probe.Write(TBytes());
}

namespace {
// The user's file, started from the program's; false (nothing left behind) when it cannot be made.
bool StartUserFile(const std::string& programFile, const std::string& userFile) {
  if (FileExists(programFile)) return CopyFileBytes(programFile, userFile);
  const std::string headers = std::string(StandardScoreHeader1) + "\r\n" + StandardScoreHeader2() + "\r\n";
  if (WriteFileBytes(userFile, headers.data(), headers.size())) return true;
  RemoveFile(userFile);
  return false;
}
}  // namespace

TScorePlace ChooseScorePlace(const std::string& programFolder, const std::string& userFolder,
                             const std::function<bool(const std::string&)>& takesNewFiles) {
  const std::string programFile = programFolder + ScoreFileName;
  const std::string userFile = userFolder.empty() ? std::string() : userFolder + ScoreFileName;
  TScorePlace place;
  place.Path = programFile;
  if (!userFile.empty() && FileExists(userFile)) {
    place.Path = userFile;
    place.InUserFolder = true;
  } else if (!takesNewFiles(programFolder)) {
    if (userFile.empty() || !ForceDirectories(userFolder) || !StartUserFile(programFile, userFile)) {
      place.Unwritable = true;
      return place;
    }
    place.Path = userFile;
    place.InUserFolder = true;
    place.StartedNow = true;
    if (FileExists(programFile)) place.CopiedFrom = programFile;
  }
  return place;
}
