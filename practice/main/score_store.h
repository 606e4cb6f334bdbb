#pragma once
// The score file, kept in step with the history in memory (Practice.Scores):
// its place chosen and the file read at start-up, each finished run's record
// appended, rewritten after a deletion and at shut-down. Problems are told in
// message boxes.
#include <string>

// The file chosen at start-up (beside the program until then).
std::string ScoreFilePath();
// The user's own folder for it, in the local application data (ending in a
// path separator); empty when the system names none.
std::string UserScoreFolder();

// Start-up: chooses the file's place (ChooseScorePlace) and reads it
// (OpenScoreFile); tells the learner, once, where the scores are kept when
// that is new or they cannot be kept, and of lines it could not read and
// where the file was copied. Raises EScoreFileError when the file cannot be read.
void OpenScoreHistory();

// Appends the record a finished run has just added.
void StoreLastScore();

// Rewrites the whole file from a history that was read; nothing for one that was not.
void SaveScoreHistory();
