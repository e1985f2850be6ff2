// Replacing a project file while another program has it open: a reader that lets go within a
// second, as a virus scanner does, does not make the save fail, one that holds on does; the wait
// keeps answering messages sent by other threads and leaves posted ones for after.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "desktop/waits.h"
#include "projects/file_system.h"

namespace {

std::string PathInTemp(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  return std::string(temp) + name;
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Opened as a reader that shares reading and writing but not deleting, which is what refuses a
// move over the file.
HANDLE OpenAsReader(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

int postedHandled = 0;
int sentHandled = 0;
constexpr UINT kPosted = WM_APP + 1;
constexpr UINT kSent = WM_APP + 2;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPosted) ++postedHandled;
  if (message == kSent) ++sentHandled;
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Holder {
  HANDLE reader;
  HWND window;
  bool answered;
};

// About as long as a virus scanner keeps a freshly written file; meanwhile another thread asks
// the waiting one something.
DWORD CALLBACK CloseAfterASecond(LPVOID parameter) {
  Holder* holder = static_cast<Holder*>(parameter);
  Sleep(500);
  DWORD_PTR ignored = 0;
  holder->answered = SendMessageTimeoutA(holder->window, kSent, 0, 0, SMTO_NORMAL, 400, &ignored) != 0;
  Sleep(500);
  CloseHandle(holder->reader);
  return 0;
}

class FileReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(target_, "old");
    Write(temporary_, "new");
  }
  void TearDown() override {
    DeleteFileA(target_.c_str());
    DeleteFileA(temporary_.c_str());
  }
  const std::string target_ = PathInTemp("varnel-replace.vrl");
  const std::string temporary_ = PathInTemp("varnel-replace.~vr");
};

TEST_F(FileReplace, WaitsOutAReaderThatLetsGoWithinASecondDispatchingMessages) {
  HANDLE reader = OpenAsReader(target_);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_EQ(MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING), FALSE)
      << "the reader did not stand in the move's way";
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountingProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VarnelReplaceWait";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("VarnelReplaceWait", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  Holder holder = {reader, window, false};
  postedHandled = sentHandled = 0;
  // Stands for a command posted before or during the wait: a close, the tray's Exit.
  PostMessageA(window, kPosted, 0, 0);
  HANDLE closer = CreateThread(nullptr, 0, CloseAfterASecond, &holder, 0, nullptr);
  ASSERT_NE(closer, nullptr);
  EXPECT_TRUE(ReplaceFileWith(temporary_.c_str(), target_.c_str()));
  WaitForSingleObject(closer, INFINITE);
  CloseHandle(closer);
  EXPECT_TRUE(holder.answered) << "a message sent by another thread was not answered while the replace waited";
  EXPECT_EQ(sentHandled, 1);
  EXPECT_EQ(postedHandled, 0) << "a posted message was dispatched in the middle of the replace";
  DispatchPendingMessages();
  EXPECT_EQ(postedHandled, 1);
  DestroyWindow(window);
  EXPECT_EQ(Bytes(target_), "new");
}

TEST_F(FileReplace, GivesUpOnAReaderThatHoldsOn) {
  HANDLE reader = OpenAsReader(target_);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ReplaceFileWith(temporary_.c_str(), target_.c_str()));
  const DWORD cause = GetLastError();
  EXPECT_TRUE(cause == ERROR_SHARING_VIOLATION || cause == ERROR_ACCESS_DENIED) << "last error " << cause;
  CloseHandle(reader);
  EXPECT_EQ(Bytes(target_), "old");
  EXPECT_EQ(Bytes(temporary_), "new");
}

}  // namespace
