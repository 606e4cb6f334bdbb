#include "practice/main/practice_state.h"

TPracticeState Practice;
