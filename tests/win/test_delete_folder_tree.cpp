// DeleteFolderTree against the real file system: a whole tree of the program's files goes, the
// user's files and a dotted folder stay and are named, a path that would reach MAX_PATH stops the
// deletion instead of being built, and a file in use stops it while the program files are still
// there.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "installer/uninstall.h"

namespace {

int DeleteFolderTree(const char* path) {
  RemovalReport report;
  return ::DeleteFolderTree(path, report);
}

std::string Described(const PathList& list) {
  char text[2048] = {};
  list.Describe(text, sizeof(text));
  return text;
}

std::string ScratchFolder(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void Touch(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  CloseHandle(file);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The ANSI calls stop at MAX_PATH even with the long-path prefix; the wide ones do not.
std::wstring LongPath(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

TEST(DeleteFolderTree, RemovesFilesSubfoldersAndTheFolder) {
  const std::string root = ScratchFolder("dft-whole");
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  Touch(root + "\\a.vrl");
  Touch(root + "\\sub\\b.vrl");
  Touch(root + "\\sub\\b.tmp");
  Touch(root + "\\QUILLOW.EXE.new");
  EXPECT_NE(DeleteFolderTree(root.c_str()), 0);
  EXPECT_FALSE(Exists(root));
}

TEST(DeleteFolderTree, KeepsAndNamesWhatIsNotTheProgramsOwn) {
  const std::string root = ScratchFolder("dft-theirs");
  CreateDirectoryA((root + "\\Photos").c_str(), nullptr);
  for (const char* name : {"\\A.VRL", "\\QUILLOW.EXE", "\\taxes.xls", "\\x.tmp", "\\Photos\\pic.jpg"}) {
    Touch(root + name);
  }
  RemovalReport report;
  EXPECT_EQ(DeleteFolderTree(root.c_str(), report), 0);
  EXPECT_FALSE(Exists(root + "\\A.VRL"));
  EXPECT_FALSE(Exists(root + "\\QUILLOW.EXE"));
  const std::string kept = Described(report.kept);
  // A .tmp without its project is no consolidation's.
  for (const char* name : {"\\taxes.xls", "\\x.tmp", "\\Photos\\pic.jpg"}) {
    EXPECT_TRUE(Exists(root + name)) << name;
    EXPECT_NE(kept.find(root + name + "\n"), std::string::npos) << kept;
  }
  EXPECT_TRUE(report.failed.Empty());
}

TEST(DeleteFolderTree, AFolderWhoseNameBeginsWithADotStaysAndSoDoesItsParent) {
  const std::string root = ScratchFolder("dft-dotted");
  CreateDirectoryA((root + "\\.settings").c_str(), nullptr);
  Touch(root + "\\.settings\\kept.txt");
  RemovalReport report;
  EXPECT_EQ(DeleteFolderTree(root.c_str(), report), 0);
  EXPECT_TRUE(Exists(root + "\\.settings\\kept.txt"));
  EXPECT_EQ(Described(report.kept), root + "\\.settings\n");
}

// Another program's handle without sharing: the file cannot be deleted until it is closed.
HANDLE Hold(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(DeleteFolderTree, AFileInUseStopsItBeforeTheProgramAndABoardInUseKeepsTheInstaller) {
  const std::string root = ScratchFolder("dft-in-use");
  for (const char* name : {"\\A.VRL", "\\QUILLOW.EXE", "\\INSTALL.EXE", "\\Z.VRL"}) Touch(root + name);
  HANDLE project = Hold(root + "\\Z.VRL");
  ASSERT_NE(project, INVALID_HANDLE_VALUE);
  EXPECT_EQ(DeleteFolderTree(root.c_str()), 0);
  CloseHandle(project);
  EXPECT_TRUE(Exists(root + "\\QUILLOW.EXE"));
  EXPECT_TRUE(Exists(root + "\\INSTALL.EXE"));

  HANDLE board = Hold(root + "\\QUILLOW.EXE");
  ASSERT_NE(board, INVALID_HANDLE_VALUE);
  EXPECT_EQ(DeleteFolderTree(root.c_str()), 0);
  CloseHandle(board);
  EXPECT_FALSE(Exists(root + "\\A.VRL"));
  EXPECT_TRUE(Exists(root + "\\INSTALL.EXE"));
  EXPECT_NE(DeleteFolderTree(root.c_str()), 0);
  EXPECT_FALSE(Exists(root));
}

TEST(DeleteFolderTree, NeverBuildsAPathOfMaxPathCharacters) {
  const std::string root = ScratchFolder("dft-long");
  // Made through the long-path prefix, which the deletion itself never uses.
  std::string deep = root;
  while (deep.size() < MAX_PATH + 20) {
    deep += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  EXPECT_EQ(DeleteFolderTree(root.c_str()), 0);
  EXPECT_TRUE(Exists(root));
  EXPECT_NE(GetFileAttributesW(LongPath(deep).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
