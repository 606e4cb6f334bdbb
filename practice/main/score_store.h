#pragma once
// The score file beside the program, kept in step with the history in memory
// (Practice.Scores): read at start-up, each finished run's record appended,
// rewritten after a deletion and at shut-down. Problems are told in message boxes.
#include <string>

std::string ScoreFilePath();

// Start-up: reads the file (OpenScoreFile) and tells the learner, once, of
// lines it could not read and where the file was copied. Raises
// EScoreFileError when the file cannot be read.
void OpenScoreHistory();

// Appends the record a finished run has just added.
void StoreLastScore();

// Rewrites the whole file from a history that was read; nothing for one that was not.
void SaveScoreHistory();
