#pragma once
// The main window started outside a test, for the benchmarks and the
// demonstration that drive it.
#include <cstdio>
#include <string>

#include "practice/main/Unit1.h"
#include "practice/main/practice_state.h"
#include "program_fixture.h"

// The main window over `folder` (the program's folder from now on), shown;
// null, with a line on standard output, when start-up failed.
inline TForm1* ShowMainWindow(const std::string& folder) {
  SetProgramFolderOverride(folder);
  TForm1* form = CreateFormObject<TForm1>(Application);
  if (!Practice.StartedUp) {
    std::printf("start-up failed\n");
    return nullptr;
  }
  form->Show();
  return form;
}
