// A running board in a scratch folder.
#include "tests/e2e/session.h"

#include <gtest/gtest.h>

namespace e2e {

BoardSession::BoardSession(const std::string& name) : folder_(MakeScratchFolder(name)) { PrepareSettings(folder_); }

BoardSession::~BoardSession() {
  if (process_.handle != nullptr && !WaitForExit(process_, 0)) {
    if (board_ != nullptr && IsWindow(board_)) CloseBoard(board_, 5000);
    // A message box may still be waiting for an answer.
    Kill(process_);
  }
  Close(process_);
}

std::string BoardSession::UseCurrentProject(const std::string& fileName, const std::string& bytes) {
  const std::string path = folder_ + fileName;
  if (!WriteWholeFile(path, bytes)) ADD_FAILURE() << "could not write " << path;
  SetSetting("Files", "Current", path);
  return path;
}

bool BoardSession::Start(const std::string& arguments) {
  if (!Launch(arguments) || WaitForBoardWindow() == nullptr) return false;
  // The splash leaves just after the board appears, and the board's repaint then moves the focus
  // to its combo box: a case that acts at once would lose its first click or keys to that.
  WaitUntilSettled(board_);
  return true;
}

bool BoardSession::Launch(const std::string& arguments) {
  process_ = StartBoard(folder_, arguments);
  return process_.handle != nullptr;
}

HWND BoardSession::WaitForBoardWindow(DWORD timeoutMs) {
  board_ = WaitForBoard(process_, timeoutMs);
  return board_;
}

bool BoardSession::CloseAndWait(DWORD timeoutMs) {
  if (board_ == nullptr) return false;
  return CloseBoard(board_, timeoutMs);
}

}  // namespace e2e
