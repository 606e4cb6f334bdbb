#pragma once
// The 23 practice types, the test lengths and the checks a run start makes.
#include <string>

const int kPracticeTypeCount = 23;

// Caption of practice type 0..22 (what a score record stores); empty otherwise.
std::string PracticeTypeCaption(int type);

inline bool IsDrillType(int type) { return type >= 0 && type <= 2; }
inline bool IsCodeType(int type) { return type >= 3 && type <= 16; }
inline bool IsGameType(int type) { return type == 17 || type == 18; }
inline bool IsArticleType(int type) { return type >= 19 && type <= 22; }
// Hits of these types are KeyHits, of the code types CodeHits.
inline bool IsKeyType(int type) { return IsDrillType(type) || IsGameType(type); }
// Types with two items on screen (Label1 and Label3).
inline bool IsPhraseType(int type) { return type == 5 || type == 6 || type == 11 || type == 16; }
// Number of items on screen: 4, 2 in the phrase types, 0 in games and articles.
int ItemCountOfType(int type);

// Seconds of test-length item 0..4 ("1分钟".."60分钟"); 0 for no item.
int TestLengthOfItem(int item);

// Why a run cannot start: the message-box text ("提示" box), empty when it can.
// `articleItem` is the article chooser's item index (-1 none).
std::string StartChoiceError(int type, int lengthItem, int articleItem);
