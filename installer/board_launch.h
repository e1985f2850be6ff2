// Starting the board at the end of an installation with the user's own token.
#ifndef VARNEL_INSTALLER_BOARD_LAUNCH_H
#define VARNEL_INSTALLER_BOARD_LAUNCH_H

#include <windows.h>

struct IShellDispatch2;

// What the installer found out about its token and the desktop's shell before it starts the board.
// The shell's dispatch object is held from the look until the start.
class BoardLauncher {
 public:
  BoardLauncher();
  ~BoardLauncher();
  BoardLauncher(const BoardLauncher&) = delete;
  BoardLauncher& operator=(const BoardLauncher&) = delete;

  // False when the board will not be started at all: the user then starts it from its shortcut.
  bool WillStart() const;
  // Starts program with argument in folder. 1 or 0.
  int Start(HWND owner, const char* program, const char* argument, const char* folder);

 private:
  bool throughShell_ = false;
  bool willStart_ = true;
  IShellDispatch2* shell_ = nullptr;
};

#endif
