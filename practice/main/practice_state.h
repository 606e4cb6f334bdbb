#pragma once
// The practice program's state that lives for the whole run: the dictionary
// tables, the score history, the user list and the settings, shared by the main
// window and the user and score dialogs.
#include <string>

#include "practice/data/dict_load.h"
#include "practice/data/score.h"
#include "practice/data/settings.h"
#include "practice/data/user_list.h"

struct HINSTANCE__;

struct TPracticeState {
  TDictionaries Dictionaries;
  TScoreTable Scores;
  std::string ScorePath;  // the file the history is kept in, chosen at start-up (TScorePlace)
  TUserList Users;
  TSettings Settings;
  std::string DesignCaption;  // the main window's caption as designed
  HINSTANCE__* SoundModule = nullptr;     // "WavRes.dll"
  HINSTANCE__* PictureModule1 = nullptr;  // "wbrc1.dll"
  HINSTANCE__* PictureModule2 = nullptr;  // "wbrc2.dll"
  bool SoundDevice = false;   // a wave output device existed at start-up
  bool StartedUp = false;     // every step of start-up ran
};

extern TPracticeState Practice;
