// Subkeys and value names under the settings key, as both programs read and write them.
#ifndef VARNEL_DESKTOP_SETTINGS_KEYS_H
#define VARNEL_DESKTOP_SETTINGS_KEYS_H

constexpr const char* kConfigureKey = "Configure";
constexpr const char* kFilesKey = "Files";
constexpr const char* kOptionsKey = "Options";
constexpr const char* kHandlesKey = "Handles";
constexpr const char* kThisProgramDirValue = "ThisProgramDir";
constexpr const char* kCurrentValue = "Current";
constexpr const char* kTransHandleValue = "TransHandle";
constexpr const char* kSampleProjectName = "SAMPLE.VRL";
// ThisProgramDir holds at most this many characters.
constexpr int kProgramDirMaxLength = 230;

#endif
