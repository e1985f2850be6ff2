// The old settings file's import.
#include "installer/ini_migration.h"

#include <windows.h>

#include <cstdio>

#include "desktop/registry.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"

void MigrateIniSettings() {
  char windows[kFolderSize] = {};
  GetWindowsDirectoryA(windows, 245);
  TrimPathTailAnySlash(windows);
  char path[kFolderSize + 16];
  std::snprintf(path, sizeof(path), "%s\\quillow.ini", windows);
  if (!PathExists(path)) return;
  HKEY root = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsRoot, 0, KEY_ALL_ACCESS, &root) == ERROR_SUCCESS) {
    RegCloseKey(root);
    return;
  }
  FILE* file = std::fopen(path, "rt");
  if (file == nullptr) return;
  // 258 characters a piece: a longer line arrives in pieces, each taken as a line of its own.
  char line[259];
  char section[259] = {};
  char name[259];
  char data[259];
  while (std::fgets(line, sizeof(line), file) != nullptr) {
    if (ParseIniLine(line, section, sizeof(section), name, sizeof(name), data, sizeof(data)) == IniLineResult::kValue) {
      RegWriteString(section, name, data);
    }
  }
  std::fclose(file);
}
