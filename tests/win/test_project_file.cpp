// Saving and loading the board's project against the real Windows file system: the save never
// destroys the last good file, and a failed save says so.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "projects/project_file.h"
#include "projects/page_file.h"

namespace {

std::string Folder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  std::string folder = std::string(temp) + "varnel-project-file\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

ProjectPage& PageWith(const char* caption) {
  static ProjectPage page;
  ClearPage(page);
  std::snprintf(page.names[32], sizeof(page.names[32]), "%s", caption);
  std::snprintf(page.texts[32], sizeof(page.texts[32]), "%s text\r\nline", caption);
  return page;
}

BOOL CALLBACK FindVisibleMessageBox(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// Answers the next message box of this thread with OK and records its text.
std::string lastBoxText;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleMessageBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[512] = {};
    char name[16] = {};
    GetClassNameA(child, name, sizeof(name));
    GetWindowTextA(child, text, sizeof(text));
    if (std::strcmp(name, "Static") == 0 && std::strlen(text) > lastBoxText.size()) lastBoxText = text;
  }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(ProjectFileOnWindows, SaveReplacesTheOldFileWholeAndLeavesNoTemporary) {
  const std::string path = Folder() + "Replace.vrl";
  Write(path, std::string(400000, 'x'));
  ASSERT_EQ(SaveProjectFile(path.c_str(), PageWith("new"), 0), 1);
  const std::string saved = Bytes(path);
  ASSERT_EQ(saved.size(), kProjectPageSize);
  EXPECT_EQ(std::string(saved.c_str() + 32 * 32), "new");
  EXPECT_EQ(GetFileAttributesA((Folder() + "Replace.~vr").c_str()), INVALID_FILE_ATTRIBUTES);

  ProjectPage& loaded = PageWith("");
  ASSERT_EQ(LoadProjectFile(path.c_str(), loaded, 0), 1);
  EXPECT_STREQ(loaded.texts[32], "new text\r\nline");
  DeleteFileA(path.c_str());
}

TEST(ProjectFileOnWindows, FailingWriteKeepsTheOldFileAndReportsTheError) {
  const std::string path = Folder() + "Blocked.vrl";
  const std::string temporary = Folder() + "Blocked.~vr";
  const std::string old = std::string(kProjectPageSize, 'o');
  Write(path, old);
  // A folder where the temporary file would go: the write cannot even begin.
  CreateDirectoryA(temporary.c_str(), nullptr);

  lastBoxText.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
  EXPECT_EQ(SaveProjectFile(path.c_str(), PageWith("lost"), 0), 0);
  KillTimer(nullptr, timer);
  EXPECT_EQ(lastBoxText, "Error saving:\n" + path + "\nAccess to the file or its folder is denied.");
  EXPECT_EQ(Bytes(path), old);

  RemoveDirectoryA(temporary.c_str());
  DeleteFileA(path.c_str());
}

TEST(ProjectFileOnWindows, FileInUseByAnotherProgramIsNotReplaced) {
  const std::string path = Folder() + "Locked.vrl";
  const std::string old = std::string(kProjectPageSize, 'k');
  Write(path, old);
  // Another program has the file open without sharing it.
  HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
  lastBoxText.clear();
  EXPECT_EQ(SaveProjectFile(path.c_str(), PageWith("blocked"), 0), 0);
  KillTimer(nullptr, timer);
  CloseHandle(locked);
  EXPECT_EQ(Bytes(path), old);
  EXPECT_EQ(lastBoxText, "Error saving:\n" + path + "\nThe file is in use by another program.");
  EXPECT_EQ(GetFileAttributesA((Folder() + "Locked.~vr").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(path.c_str());
}

TEST(ProjectFileOnWindows, AFileTooShortToLoadLeavesThePageAsItWas) {
  const std::string path = Folder() + "Short.vrl";
  Write(path, std::string(kProjectPageSize - 1, 's'));
  ProjectPage& page = PageWith("kept");
  EXPECT_EQ(LoadProjectFile(path.c_str(), page, 0), 0);
  EXPECT_STREQ(page.names[32], "kept");
  EXPECT_EQ(page.names[0][0], '\0') << "the page holds part of the file";
  DeleteFileA(path.c_str());
}
