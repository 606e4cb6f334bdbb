// Program entry: the application and its one main window. Whatever goes wrong
// here is shown before the program ends, never dropped.
#include "practice/main/Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return RunMainBlock([] {
    TApplication app;
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
    return app.ExitCode();
  });
}
