// The Windows-name table and the About box's texts.
#include "desktop/windows_name.h"

#include <cstdio>

namespace {

constexpr const char* kWindowsPrefix = "Windows ";
constexpr const char* kUnknownForms[] = {
    "%sUnknown(1) PF%lu %lu.%lu",
    "%sUnknown(2) PF%lu %lu.%lu",
    "%sUnknown(3) PF%lu %lu.%lu",
    "%sUnknown(4) PF%lu %lu.%lu",
};
constexpr const char* kNt3Format = "%sNT 3.%lu";
constexpr const char* kDescriptionFormat = "%s, %s, CPU: %s";
constexpr const char* kAboutFormat = "Version: %s - Windows Type: %lu.%lu.%lu\n%s";

struct NamedVersion {
  unsigned long platform;
  unsigned long major;  // kAnyMajor: every major version of the platform
  unsigned long minor;
  const char* name;
  unsigned long firstBuild = 0;  // the row names only this build and later ones
};
constexpr unsigned long kAnyMajor = ~0UL;
constexpr unsigned long kFirstWindows11Build = 22000;

constexpr NamedVersion kNamedVersions[] = {
    {0, kAnyMajor, 1, "3.1"},
    {0, kAnyMajor, 11, "3.11"},
    {1, 4, 0, "95"},
    {1, 4, 10, "98"},
    {1, 4, 90, "ME"},
    {2, 4, 0, "NT 4.0"},
    {2, 5, 0, "2000"},
    {2, 5, 1, "XP"},
    {2, 5, 2, "Server 2003 family"},
    {2, 6, 0, "Vista"},
    {2, 6, 1, "7 or 2008 R2"},
    // Windows reports 6.2 for everything newer to a program whose manifest does not name it.
    {2, 6, 2, "8"},
    {2, 6, 3, "8.1"},
    // Later rows first: the first row that matches names the version.
    {2, 10, 0, "11", kFirstWindows11Build},
    {2, 10, 0, "10"},
};

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

int FormatWindowsName(char* buffer, std::size_t size, unsigned long platform, unsigned long major,
                      unsigned long minor, unsigned long build) {
  for (const NamedVersion& row : kNamedVersions) {
    if (row.platform == platform && (row.major == kAnyMajor || row.major == major) && row.minor == minor &&
        build >= row.firstBuild) {
      return std::snprintf(buffer, size, "%s%s", kWindowsPrefix, row.name);
    }
  }
  if (platform == 2 && major == 3) return std::snprintf(buffer, size, kNt3Format, kWindowsPrefix, minor);
  // Platforms 0 to 2 have a form of their own; every other identifier shares the last one.
  const unsigned long form = platform <= 2 ? platform : 3;
  return std::snprintf(buffer, size, kUnknownForms[form], kWindowsPrefix, platform, major, minor);
}

int FormatSystemDescription(char* buffer, std::size_t size, const char* windowsName, int bitness,
                            const char* cpuName) {
  return std::snprintf(buffer, size, kDescriptionFormat, OrEmpty(windowsName), bitness == 64 ? "64bit" : "32bit",
                       OrEmpty(cpuName));
}

int FormatAboutText(char* buffer, std::size_t size, const char* version, unsigned long platform,
                    unsigned long major, unsigned long minor, const char* description) {
  return std::snprintf(buffer, size, kAboutFormat, OrEmpty(version), platform, major, minor, OrEmpty(description));
}
