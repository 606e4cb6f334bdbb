#pragma once
// The checks of what the drill sets hold and which readings the files give a
// character, and of the sources of the readings decided by hand.
#include <string>

#include "practice/data/dict_load.h"
#include "tools/datacheck/second_reference.h"
#include "tools/dictgen/decisions.h"
#include "tools/dictgen/mainland.h"
#include "tools/dictgen/standard.h"

// "wbs.dat" and "PYs.dat" hold the 3,500 common characters only, the most
// frequent first (in wbOne's order), none skipped before the last they hold.
void CheckDrillSets(const StandardTables& tables, const TDictionaries& d, const ProblemSink& problem);

// Every reading a phrase gives a character is among the character's readings
// in "PYOne.dat" (a neutral tone of the word's own aside), and a drill
// character has the same readings in "PYs.dat"; every reading in "PYOne.dat" is
// one a mainland dictionary gives the character (IsMainlandReading), or a first
// reading decided by hand with its sources or of a character no such dictionary
// lists (IsReadingOfUnlistedCharacter).
void CheckReadingsOfCharacters(const StandardTables& tables, const Cedict& cedict, const DecisionList& firstReadings,
                               const TDictionaries& d, const ProblemSink& problem);

// Every hand decision of `listName` names its sources, and they hold (SourceProblem).
void CheckDecisionSources(const std::string& listName, const DecisionList& list, const std::vector<std::string>& bad,
                          const Cedict& cedict, const StandardTables& tables, const ProblemSink& problem);
