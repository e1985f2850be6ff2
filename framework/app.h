// Application object: the program's instance, its command line, and the thread's message filter
// that sees every message a dialog loop, a message box or a menu is about to process.
#ifndef VARNEL_FRAMEWORK_APP_H
#define VARNEL_FRAMEWORK_APP_H

#include <windows.h>

namespace fw {

class App {
 public:
  App();
  virtual ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Called from WinMain. Installs the message filter, runs InitInstance, and returns the exit code.
  int Run(HINSTANCE instance, const char* commandLine);

  HINSTANCE Instance() const { return instance_; }
  const char* CommandLine() const { return commandLine_; }

  static App* Current();

  // Our modal loop offers each message to the filter itself and then lets the dialog manager
  // see it, which calls the filter hook again; the message named here is let through the hook
  // once without being offered a second time.
  static void MarkAlreadyFiltered(const MSG* msg);

  // Sees a message before a modal loop of the thread processes it (code is a MSGF_ value).
  // Returns true when the message was consumed and must not be processed further.
  virtual bool ProcessMessageFilter(int code, MSG* msg);

 protected:
  // Returns false when the program should end without a message loop of its own.
  virtual bool InitInstance() = 0;
  virtual int ExitInstance() { return 0; }

 private:
  static LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_ = nullptr;
  const char* commandLine_ = "";
  HHOOK filterHook_ = nullptr;
};

}  // namespace fw

#endif
