// Loading and saving the board's options and current project in the settings store.
#ifndef VARNEL_DESKTOP_SETTINGS_H
#define VARNEL_DESKTOP_SETTINGS_H

// Subkeys and value names of the settings key.
constexpr const char* kConfigureKey = "Configure";
constexpr const char* kFilesKey = "Files";
constexpr const char* kOptionsKey = "Options";
constexpr const char* kHandlesKey = "Handles";
constexpr const char* kThisProgramDirValue = "ThisProgramDir";
constexpr const char* kCurrentValue = "Current";
constexpr const char* kTransHandleValue = "TransHandle";
constexpr const char* kSampleProjectName = "SAMPLE.VRL";

// Reads the current project (unless started with NewSession) and the six options.
void LoadSettings();
// Writes the current project and the six options.
void SaveSettings();

#endif
