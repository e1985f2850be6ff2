// The installation set, checked against the build's record before the copy.
#include "installer/set_check.h"

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"
#include "installer/installer_ids.h"
#include "installer/set_record.h"

namespace {

constexpr const char* kSetProgramName = "\\QUILLOW.EX_";
constexpr const char* kDamagedFormat =
    "The installation file:\n%s\nis damaged. Copy the installation set again and start INSTALL.EXE from there.";

// Size and CRC-32 of the whole file; false when it cannot be read.
bool Measure(const char* path, unsigned long& size, std::uint32_t& crc) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  size = 0;
  crc = 0;
  char block[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, block, sizeof(block), &read, nullptr) != FALSE) && read > 0) {
    crc = Crc32(crc, block, read);
    size += read;
  }
  CloseHandle(file);
  return ok;
}

void ShowDamaged(HWND owner, const char* path) {
  char text[600];
  std::snprintf(text, sizeof(text), kDamagedFormat, path);
  ShowMessage(owner, text, kInstallCaption, MB_ICONERROR);
}

}  // namespace

void FindSetFolder(char* folder, int size) {
  char own[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    CutAtLastBackslash(own);
    char program[MAX_PATH + 16];
    std::snprintf(program, sizeof(program), "%s%s", own, kSetProgramName);
    if (static_cast<int>(std::strlen(own)) < size && PathExists(program)) {
      CopyBounded(folder, own, size);
      return;
    }
  }
  folder[0] = '\0';
  GetCurrentDirectoryA(size, folder);
  TrimPathTail(folder);
}

bool CheckInstallSet(HWND owner, const char* folder) {
  SetFileRecord records[kSetRecordCapacity];
  int count = -1;
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_SET_RECORD), MAKEINTRESOURCEA(10));
  HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
  const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (text != nullptr) count = ParseSetRecord(text, SizeofResource(nullptr, resource), records, kSetRecordCapacity);
  if (count <= 0) {
    // Without its record the installer itself is not whole.
    char own[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    ShowDamaged(owner, own);
    return false;
  }
  for (int i = 0; i < count; ++i) {
    char path[MAX_PATH + 1];
    if (std::snprintf(path, sizeof(path), "%s\\%s", folder, records[i].name) >= MAX_PATH) return false;
    if (!PathExists(path)) {
      char message[600];
      std::snprintf(message, sizeof(message), kMissingFormat, path);
      ShowMessage(owner, message, kInstallCaption, MB_ICONERROR);
      return false;
    }
    unsigned long size = 0;
    std::uint32_t crc = 0;
    if (!Measure(path, size, crc) || size != records[i].size || crc != records[i].crc) {
      ShowDamaged(owner, path);
      return false;
    }
  }
  return true;
}
