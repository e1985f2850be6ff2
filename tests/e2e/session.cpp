// A running board in a scratch folder.
#include "tests/e2e/session.h"

namespace e2e {

BoardSession::BoardSession(const std::string& name) : folder_(MakeScratchFolder(name)) { PrepareSettings(folder_); }

BoardSession::~BoardSession() {
  if (process_.handle != nullptr && !WaitForExit(process_, 0)) {
    if (board_ != nullptr && IsWindow(board_)) PostMessageA(board_, WM_CLOSE, 0, 0);
    if (!WaitForExit(process_, 5000)) {
      // A message box of the close path may still be waiting for an answer.
      Kill(process_);
    }
  }
  Close(process_);
}

bool BoardSession::Start(const std::string& arguments) {
  process_ = StartBoard(folder_, arguments);
  if (process_.handle == nullptr) return false;
  board_ = WaitForBoard(process_);
  return board_ != nullptr;
}

bool BoardSession::CloseAndWait(DWORD timeoutMs) {
  if (board_ == nullptr) return false;
  PostMessageA(board_, WM_SYSCOMMAND, SC_CLOSE, 0);
  return WaitForExit(process_, timeoutMs);
}

}  // namespace e2e
