// Decisions of the installer that need no windows: path trimming, the install modes, the default
// folder, the progress bar, the old settings file's lines, and which folders removal may empty.
#ifndef VARNEL_INSTALLER_INSTALL_LOGIC_H
#define VARNEL_INSTALLER_INSTALL_LOGIC_H

#include <cstddef>

#include "desktop/settings_keys.h"

// Removes trailing line feeds, carriage returns, blanks and backslashes, in place.
void TrimPathTail(char* text);
// As TrimPathTail, and forward slashes too.
void TrimPathTailAnySlash(char* text);

enum class InstallMode { kInstall, kRelay, kUninstall };
// The whole argument string decides, compared exactly.
InstallMode ModeFromCommandLine(const char* commandLine);

constexpr const char* kRelayArgument = "UnInstall";
constexpr const char* kUninstallArgument = "UnInstall2";

// "?:\Program Files\QUILLOW" on the drive of sourceFolder (its first character).
void FormDefaultFolder(const char* sourceFolder, char* output, std::size_t size);

// The longest install folder, without its trailing backslash, that every reader holds whole: the
// board keeps ThisProgramDir, backslash included, in kProgramDirMaxLength characters, and the
// uninstaller and the relay read at least as much.
constexpr std::size_t kInstallFolderMaxLength = kProgramDirMaxLength - 1;

// Cuts text after its last backslash (the backslash goes too); text without one stays.
void CutAtLastBackslash(char* text);

// Appends "\" unless text already ends in one. False when it would not fit.
bool AppendTrailingBackslash(char* text, std::size_t size);

// The progress bar's text after one more file: 14 more bars, never more than 250 characters.
constexpr const char* kProgressUnit = "||||||||||||||";
constexpr std::size_t kProgressMaxLength = 250;
void AdvanceProgress(char* bar, std::size_t size);

// One line of an old settings file, as MigrateIniSettings acts on it.
struct IniLineResult {
  enum Kind { kSkip, kSection, kValue } kind = kSkip;
};
// Reads one piece of at most a line (already cut at CR and LF by the caller or not): a section
// header updates section; a value line before any section is skipped, since it would land in the
// settings root. For kValue, name and data receive the parts split at the first "=".
IniLineResult::Kind ParseIniLine(char* line, char* section, std::size_t sectionSize, char* name,
                                 std::size_t nameSize, char* data, std::size_t dataSize);

// Why removal refuses a folder named by the registry. Only a folder that holds the board program
// may be emptied: a damaged or edited value must never make the uninstaller empty a drive, the
// Windows folder or someone's documents.
bool MayRemoveInstallFolder(const char* trimmedFolder, const char* trimmedWindowsFolder, bool folderExists,
                            bool holdsProgramFile);

// The files that make a folder an installation, in the order in which removal deletes them after
// everything else in their folder. A file in use (most often that of the running board) then stops
// the removal while the folder still holds the program and the installer, so that the next
// UnInstall finds the installation and can finish.
constexpr const char* kRemovedLast[] = {"QUILLOW.EXE", "INSTALL.EXE"};
bool IsRemovedLast(const char* fileName);

#endif
