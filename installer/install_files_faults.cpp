// The fault-injecting twin of install_files.cpp, linked only into INSTALL_FAULTS.EXE, a test build
// of the installer that is never shipped. Without the test's plan in shared memory it acts as the
// plain calls do. With it, every operation counts itself, and the one that the plan names fails
// the way a full disk or another program's open handle makes it fail, leaving behind what such a
// failure can leave: a copy cut off halfway, a shortcut file with only its first bytes.
#include <cstdio>
#include <vector>

#include "installer/install_fault_plan.h"
#include "installer/install_files.h"

namespace {

FaultPlan* OpenPlan() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kFaultPlanName);
  if (mapping == nullptr) return nullptr;
  // The view stays mapped for the life of the process.
  return static_cast<FaultPlan*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FaultPlan)));
}

FaultPlan* Plan() {
  static FaultPlan* plan = OpenPlan();
  return plan;
}

// Counts and records the operation; true when it is the one to fail.
bool Fails(const char* verb, const char* path, const char* other = nullptr) {
  FaultPlan* plan = Plan();
  if (plan == nullptr) return false;
  const long number = InterlockedIncrement(&plan->count);
  if (number <= kFaultPlanRecords) {
    std::snprintf(plan->operations[number - 1], kFaultPlanRecordSize, "%s %s%s%s", verb, path,
                  other != nullptr ? " -> " : "", other != nullptr ? other : "");
  }
  if (number != plan->failAt) return false;
  plan->injected = 1;
  return true;
}

void WriteBytes(const char* path, const std::vector<char>& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// A copy that ran out of disk space halfway.
void CopyFirstHalf(const char* from, const char* to) {
  std::vector<char> bytes;
  FILE* file = std::fopen(from, "rb");
  if (file != nullptr) {
    char block[4096];
    std::size_t read = 0;
    while ((read = std::fread(block, 1, sizeof(block), file)) > 0) bytes.insert(bytes.end(), block, block + read);
    std::fclose(file);
  }
  bytes.resize(bytes.size() / 2);
  WriteBytes(to, bytes);
}

bool FailWith(DWORD error) {
  SetLastError(error);
  return false;
}

}  // namespace

namespace install_files {

bool CreateFolder(const char* path) {
  if (Fails("create folder", path)) return FailWith(ERROR_ACCESS_DENIED);
  return CreateDirectoryA(path, nullptr) != FALSE;
}

bool Copy(const char* from, const char* to) {
  if (Fails("copy", from, to)) {
    CopyFirstHalf(from, to);
    return FailWith(ERROR_DISK_FULL);
  }
  return CopyFileA(from, to, FALSE) != FALSE;
}

bool Move(const char* from, const char* to) {
  if (Fails("move", from, to)) return FailWith(ERROR_SHARING_VIOLATION);
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DeleteOpened(HANDLE file, const char* path) {
  if (Fails("delete", path)) return FailWith(ERROR_SHARING_VIOLATION);
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

bool RemoveFolder(const char* path) {
  if (Fails("remove folder", path)) return FailWith(ERROR_SHARING_VIOLATION);
  return RemoveDirectoryA(path) != FALSE;
}

bool SetAttributes(const char* path, DWORD attributes) {
  if (Fails("set attributes of", path)) return FailWith(ERROR_ACCESS_DENIED);
  return SetFileAttributesA(path, attributes) != FALSE;
}

HRESULT SaveShortcut(IPersistFile* link, const wchar_t* path) {
  char narrow[MAX_PATH + 1] = {};
  WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, MAX_PATH, nullptr, nullptr);
  if (Fails("save shortcut", narrow)) {
    // The first bytes of a link's header, and nothing after them.
    WriteBytes(narrow, std::vector<char>{'L', '\0', '\0', '\0', '\x01', '\x14', '\x02', '\0'});
    return STG_E_MEDIUMFULL;
  }
  return link->Save(path, TRUE);
}

}  // namespace install_files
