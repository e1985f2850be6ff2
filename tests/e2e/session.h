// A running board in a scratch folder of its own, ended at the end of the test.
#ifndef VARNEL_TESTS_E2E_SESSION_H
#define VARNEL_TESTS_E2E_SESSION_H

#include <string>

#include "tests/e2e/driver.h"

namespace e2e {

class BoardSession {
 public:
  // Prepares folder name with the registry pointing at it; the caller may add files and
  // settings before Start.
  explicit BoardSession(const std::string& name);
  ~BoardSession();
  BoardSession(const BoardSession&) = delete;
  BoardSession& operator=(const BoardSession&) = delete;

  // Writes a project file into the folder and records it as the current project; returns its path.
  std::string UseCurrentProject(const std::string& fileName, const std::string& bytes);

  // Starts the program and waits for its board to appear and settle; false when no board appeared.
  bool Start(const std::string& arguments = "");
  // Starts the program without waiting for its board; Board() is set once it is found.
  bool Launch(const std::string& arguments = "");
  HWND WaitForBoardWindow(DWORD timeoutMs = 15000);
  // Closes the board through its close box, declining the name prompt that a board without a
  // file shows, and waits for the program to end.
  bool CloseAndWait(DWORD timeoutMs = 15000);

  const std::string& Folder() const { return folder_; }
  HWND Board() const { return board_; }
  Process& Program() { return process_; }
  HWND Item(int id) const { return GetDlgItem(board_, id); }

 private:
  std::string folder_;
  Process process_;
  HWND board_ = nullptr;
};

}  // namespace e2e

#endif
