// Installer decisions without windows.
#include "installer/install_logic.h"

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"

namespace {

void TrimTail(char* text, const char* removable) {
  if (text == nullptr) return;
  std::size_t length = std::strlen(text);
  while (length > 0 && std::strchr(removable, text[length - 1]) != nullptr) text[--length] = '\0';
}

constexpr const char* kDefaultFolderTemplate = "?:\\Program Files\\QUILLOW";

}  // namespace

void TrimPathTail(char* text) { TrimTail(text, "\n\r \\"); }

void TrimPathTailAnySlash(char* text) { TrimTail(text, "\n\r \\/"); }

InstallMode ModeFromCommandLine(const char* commandLine) {
  if (commandLine == nullptr) return InstallMode::kInstall;
  if (std::strcmp(commandLine, kRelayArgument) == 0) return InstallMode::kRelay;
  if (std::strcmp(commandLine, kUninstallArgument) == 0) return InstallMode::kUninstall;
  return InstallMode::kInstall;
}

void FormDefaultFolder(const char* sourceFolder, char* output, std::size_t size) {
  CopyBounded(output, kDefaultFolderTemplate, size);
  if (size > 1 && sourceFolder != nullptr && sourceFolder[0] != '\0') output[0] = sourceFolder[0];
}

void CutAtLastBackslash(char* text) {
  if (text == nullptr) return;
  char* last = std::strrchr(text, '\\');
  if (last != nullptr) *last = '\0';
}

bool AppendTrailingBackslash(char* text, std::size_t size) {
  const std::size_t length = std::strlen(text);
  if (length > 0 && text[length - 1] == '\\') return true;
  if (length + 2 > size) return false;
  text[length] = '\\';
  text[length + 1] = '\0';
  return true;
}

void AdvanceProgress(char* bar, std::size_t size) {
  if (bar == nullptr || size == 0) return;
  char grown[kProgressMaxLength + 32];
  std::snprintf(grown, sizeof(grown), "%s%s", bar, kProgressUnit);
  if (std::strlen(grown) > kProgressMaxLength) grown[kProgressMaxLength] = '\0';
  CopyBounded(bar, grown, size);
}

IniLineResult::Kind ParseIniLine(char* line, char* section, std::size_t sectionSize, char* name,
                                 std::size_t nameSize, char* data, std::size_t dataSize) {
  line[std::strcspn(line, "\r")] = '\0';
  line[std::strcspn(line, "\n")] = '\0';
  if (line[0] == '[') {
    char* close = std::strrchr(line, ']');
    if (close != nullptr) *close = '\0';
    CopyBounded(section, line + 1, sectionSize);
    return IniLineResult::kSection;
  }
  if (line[0] == ';' || line[0] == '\0') return IniLineResult::kSkip;
  if (section[0] == '\0') return IniLineResult::kSkip;
  char* equals = std::strchr(line, '=');
  if (equals != nullptr) *equals = '\0';
  CopyBounded(name, line, nameSize);
  CopyBounded(data, equals != nullptr ? equals + 1 : "", dataSize);
  return IniLineResult::kValue;
}

bool MayRemoveInstallFolder(const char* trimmedFolder, const char* trimmedWindowsFolder, bool folderExists,
                            bool holdsProgramFile) {
  if (trimmedFolder == nullptr || trimmedFolder[0] == '\0' || !folderExists) return false;
  // "C:" is what trimming leaves of a drive root; "\\server" and "\" name no install folder either.
  if (std::strchr(trimmedFolder, '\\') == nullptr) return false;
  if (trimmedWindowsFolder != nullptr && EqualIgnoringCase(trimmedFolder, trimmedWindowsFolder)) return false;
  return holdsProgramFile;
}

bool IsRemovedLast(const char* fileName) {
  for (const char* name : kRemovedLast) {
    if (EqualIgnoringCase(fileName, name)) return true;
  }
  return false;
}
