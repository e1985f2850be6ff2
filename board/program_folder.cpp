// Reading the program folder from the registry, with the program's own folder in reserve.
#include "board/program_folder.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/settings_keys.h"
#include "state/board_state.h"

namespace {

constexpr const char* kFolderProblemFormat =
    "The program folder in the registry (Configure\\ThisProgramDir) %s. Projects are kept in the "
    "program's own folder instead:\n%s";

void UseBackslashes(char* path) {
  for (; *path != '\0'; ++path) {
    if (*path == '/') *path = '\\';
  }
}

// Appends the closing backslash the rest of the program relies on; false when it does not fit.
bool EndWithBackslash(char* folder, std::size_t size) {
  const std::size_t length = std::strlen(folder);
  if (length > 0 && folder[length - 1] == '\\') return true;
  if (length + 2 > size) return false;
  folder[length] = '\\';
  folder[length + 1] = '\0';
  return true;
}

ProgramFolderProblem ProblemOf(const char* configured) {
  const std::size_t length = std::strlen(configured);
  if (length == 0) return ProgramFolderProblem::Missing;
  if (length > static_cast<std::size_t>(kProgramDirMaxLength)) return ProgramFolderProblem::TooLong;
  const DWORD attributes = GetFileAttributesA(configured);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return ProgramFolderProblem::NotAFolder;
  }
  return ProgramFolderProblem::None;
}

// The folder QUILLOW.EXE runs from, ending in a backslash; empty when it does not fit.
void OwnFolder(char* folder, std::size_t size) {
  char module[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  folder[0] = '\0';
  if (length == 0 || length >= MAX_PATH) return;
  char* lastSlash = std::strrchr(module, '\\');
  if (lastSlash == nullptr) return;
  lastSlash[1] = '\0';
  if (std::strlen(module) <= static_cast<std::size_t>(kProgramDirMaxLength)) CopyBounded(folder, module, size);
}

}  // namespace

ProgramFolderProblem LoadProgramFolder() {
  // A value too long to read would count as missing and be replaced by the empty default: it is
  // measured first and left as the user wrote it.
  char configured[kPathSize] = {};
  const bool tooLong = RegValueSize(kConfigureKey, kThisProgramDirValue) > kProgramDirMaxLength + 1;
  if (!tooLong) RegReadString(kConfigureKey, kThisProgramDirValue, "", configured, sizeof(configured));
  UseBackslashes(configured);
  const ProgramFolderProblem problem = tooLong ? ProgramFolderProblem::TooLong : ProblemOf(configured);
  std::memset(ProgramFolder, 0, sizeof(ProgramFolder));
  if (problem == ProgramFolderProblem::None) {
    CopyBounded(ProgramFolder, configured, sizeof(ProgramFolder));
  } else {
    OwnFolder(ProgramFolder, sizeof(ProgramFolder));
  }
  if (!EndWithBackslash(ProgramFolder, sizeof(ProgramFolder))) ProgramFolder[0] = '\0';
  if (ProgramFolder[0] != '\0') SetCurrentDirectoryA(ProgramFolder);
  return problem;
}

void ReportProgramFolderProblem(ProgramFolderProblem problem) {
  const char* what = nullptr;
  switch (problem) {
    case ProgramFolderProblem::Missing: what = "is missing"; break;
    case ProgramFolderProblem::NotAFolder: what = "names no folder"; break;
    case ProgramFolderProblem::TooLong: what = "is too long"; break;
    case ProgramFolderProblem::None: return;
  }
  char message[kPathSize + 192];
  std::snprintf(message, sizeof(message), kFolderProblemFormat, what, ProgramFolder);
  MessageBoxA(BoardHandle, message, kProgramName, MB_ICONWARNING);
}
