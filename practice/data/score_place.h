#pragma once
// Where the score file is kept: beside the program, or, where the program's
// folder takes no new file (a folder the user may only read), in a folder of
// the user's own.
#include <functional>
#include <string>

extern const char* const ScoreFileName;  // "svlScore.dat"

struct TScorePlace {
  std::string Path;           // the score file to read and write
  bool InUserFolder = false;  // Path is in the user's folder
  bool StartedNow = false;    // the user's file was made by this choice
  std::string CopiedFrom;     // the program folder's file it was copied from; empty for a new one
  bool Unwritable = false;    // neither folder takes the file: Path (the program's) is only read
};

// A new file can be made in `folder` (one is made and removed at once).
bool FolderTakesNewFiles(const std::string& folder);

// The user's file once it exists: one history, whichever folder takes files
// later. Otherwise the program's, where its folder takes new files.
// Otherwise the user's, made now in `userFolder` (created as needed) as a
// copy of the program's file, or with the standard header lines when there
// is none. Folders end in a path separator.
TScorePlace ChooseScorePlace(const std::string& programFolder, const std::string& userFolder,
                             const std::function<bool(const std::string&)>& takesNewFiles = FolderTakesNewFiles);
