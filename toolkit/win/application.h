#pragma once
// The application: start, the main form, the message loop, the error report.
#include <windows.h>

#include <string>

#include "toolkit/win/form.h"

class TApplication : public TComponent {
  TK_CLASS(TApplication)
public:
  explicit TApplication(TComponent* owner = nullptr);
  ~TApplication() override;

  // Common controls, the toolkit's classes, the hidden application window
  // (which carries the program's icon).
  void Initialize();
  template <class T>
  void CreateForm(T*& ref) {
    ref = CreateFormObject<T>(this);
    if (!mainForm_) mainForm_ = ref;
  }
  // Shows the main form and runs the message loop until Terminate; returns at
  // once when there is no main form.
  void Run();
  // Ends the message loop; the first call's `exitCode` is the program's (ExitCode).
  void Terminate(int exitCode = 0);
  bool Terminated() const { return terminated_; }
  int ExitCode() const { return exitCode_; }
  // One message: false when the loop must end (WM_QUIT).
  bool HandleMessage();
  void ProcessMessages();
  // Key messages routed to controls before dispatch (CN_KEYDOWN, CN_SYSKEYDOWN;
  // Alt+letter as CN_SYSCHAR, which the form hands round as CM_DIALOGCHAR);
  // true when eaten.
  bool IsKeyMsg(MSG& msg);

  TCustomForm* MainForm() const { return mainForm_; }
  void FormDestroyed(TCustomForm* f);
  HWND Handle() const { return handle_; }
  std::string ExeName() const;
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }

private:
  bool ProcessMessage(MSG& msg);
  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  int exitCode_ = 0;
  std::string title_;
};

extern TApplication* Application;

// The program's icon at the system's large or small icon size: its MAINICON
// resource, else the system's application icon. Shared: never destroyed.
HICON ProgramIcon(bool small);

// Registers every toolkit class for the form reader (called by Initialize).
void RegisterToolkitClasses();
