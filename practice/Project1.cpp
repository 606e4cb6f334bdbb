// Program entry: the application and its one main window.
#include "practice/main/Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication app;
  Application->Initialize();
  Guarded([] { Application->CreateForm(Form1); });
  Application->Run();
  return 0;
}
