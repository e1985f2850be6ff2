// Removal's rules without windows.
#include "installer/removal_rules.h"

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"

namespace {

constexpr const char* kProjectExtension = ".vrl";
constexpr const char* kOwnExtensions[] = {".vrl", ".~vr", ".~vb", ".~bk"};
constexpr const char* kConsolidationTemporary = ".tmp";
// The suffix under which the installer writes a file before it replaces the installed one.
constexpr const char* kInstallerTemporary = ".new";

bool EndsWith(const char* text, const char* tail) {
  const std::size_t length = std::strlen(text);
  const std::size_t tailLength = std::strlen(tail);
  return length > tailLength && EqualIgnoringCase(text + length - tailLength, tail);
}

bool IsInstalledFile(const char* name) {
  for (const char* installed : kInstalledFiles) {
    if (EqualIgnoringCase(name, installed)) return true;
  }
  return false;
}

}  // namespace

bool IsProgramsOwnFile(const char* name, bool projectOfSameStemExists) {
  if (name == nullptr || name[0] == '\0') return false;
  if (IsInstalledFile(name)) return true;
  for (const char* extension : kOwnExtensions) {
    if (EndsWith(name, extension)) return true;
  }
  if (EndsWith(name, kConsolidationTemporary)) return projectOfSameStemExists;
  if (EndsWith(name, kInstallerTemporary)) {
    char installed[64];
    const std::size_t stem = std::strlen(name) - std::strlen(kInstallerTemporary);
    if (stem >= sizeof(installed)) return false;
    std::snprintf(installed, sizeof(installed), "%.*s", static_cast<int>(stem), name);
    return IsInstalledFile(installed);
  }
  return false;
}

void ProjectOfTemporary(const char* name, char* output, std::size_t size) {
  if (size == 0) return;
  output[0] = '\0';
  if (name == nullptr || !EndsWith(name, kConsolidationTemporary)) return;
  const std::size_t stem = std::strlen(name) - std::strlen(kConsolidationTemporary);
  if (stem + std::strlen(kProjectExtension) + 1 > size) return;
  std::snprintf(output, size, "%.*s%s", static_cast<int>(stem), name, kProjectExtension);
}

bool FinalPathIs(const char* finalPath, const char* expected) {
  if (finalPath == nullptr || expected == nullptr || expected[0] == '\0') return false;
  constexpr const char* kUncPrefix = "\\\\?\\UNC\\";
  constexpr const char* kLocalPrefix = "\\\\?\\";
  if (std::strncmp(finalPath, kUncPrefix, std::strlen(kUncPrefix)) == 0) {
    // "\\?\UNC\server\share" names "\\server\share".
    return std::strncmp(expected, "\\\\", 2) == 0 &&
           EqualIgnoringCase(finalPath + std::strlen(kUncPrefix), expected + 2);
  }
  if (std::strncmp(finalPath, kLocalPrefix, std::strlen(kLocalPrefix)) == 0) finalPath += std::strlen(kLocalPrefix);
  // Only a path on a drive letter names a place Windows programs can reach again by that name.
  if (!(finalPath[0] != '\0' && finalPath[1] == ':')) return false;
  return EqualIgnoringCase(finalPath, expected);
}
