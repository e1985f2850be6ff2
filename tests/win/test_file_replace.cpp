// Replacing a project file while another program has it open: a reader that lets go within a
// second, as a virus scanner does, does not make the save fail, one that holds on does; the wait
// keeps dispatching the program's messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

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

// About as long as a virus scanner keeps a freshly written file.
DWORD CALLBACK CloseAfterASecond(LPVOID reader) {
  Sleep(1000);
  CloseHandle(static_cast<HANDLE>(reader));
  return 0;
}

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

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
  HANDLE closer = CreateThread(nullptr, 0, CloseAfterASecond, reader, 0, nullptr);
  ASSERT_NE(closer, nullptr);
  timerTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CountTick);
  EXPECT_TRUE(ReplaceFileWith(temporary_.c_str(), target_.c_str()));
  KillTimer(nullptr, timer);
  EXPECT_GT(timerTicks, 0) << "no message was dispatched while the replace waited";
  WaitForSingleObject(closer, INFINITE);
  CloseHandle(closer);
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
