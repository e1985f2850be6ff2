// The board's options and current project in the settings store.
#include "desktop/settings.h"

#include <cstdio>

#include "desktop/registry.h"
#include "state/board_state.h"

void LoadSettings() {
  if (NewSessionStart == 1) {
    CurrentProjectPath[0] = '\0';
  } else {
    char fallback[kPathSize];
    std::snprintf(fallback, sizeof(fallback), "%s%s", ProgramFolder, kSampleProjectName);
    RegReadString(kFilesKey, kCurrentValue, fallback, CurrentProjectPath, kPathSize);
    for (char* c = CurrentProjectPath; *c != '\0'; ++c) {
      if (*c == '/') *c = '\\';
    }
  }
  MinOnEachCopy = RegReadInt(kOptionsKey, "MinOnEachCopy", MinOnEachCopy);
  TopMost = RegReadInt(kOptionsKey, "TopMost", TopMost);
  UseSystemTray = RegReadInt(kOptionsKey, "UseSystemTray", UseSystemTray);
  WantToolTip = RegReadInt(kOptionsKey, "WantToolTip", WantToolTip);
  HideInTrayOnStartup = RegReadInt(kOptionsKey, "HideInTrayOnStartup", HideInTrayOnStartup);
  AutoPaste = RegReadInt(kOptionsKey, "AutoPaste", AutoPaste);
}

void SaveSettings() {
  RegWriteString(kFilesKey, kCurrentValue, CurrentProjectPath);
  RegWriteInt(kOptionsKey, "UseSystemTray", UseSystemTray);
  RegWriteInt(kOptionsKey, "WantToolTip", WantToolTip);
  RegWriteInt(kOptionsKey, "HideInTrayOnStartup", HideInTrayOnStartup);
  RegWriteInt(kOptionsKey, "AutoPaste", AutoPaste);
  RegWriteInt(kOptionsKey, "MinOnEachCopy", MinOnEachCopy);
  RegWriteInt(kOptionsKey, "TopMost", TopMost);
}
