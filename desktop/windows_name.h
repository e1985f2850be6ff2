// What the About box says about the system: the Windows name for a platform identifier and
// version, the one-line system description and the About text. Plain C++, tested natively.
#ifndef VARNEL_DESKTOP_WINDOWS_NAME_H
#define VARNEL_DESKTOP_WINDOWS_NAME_H

#include <cstddef>

// Room for the longest name: a fallback form with three ten-digit numbers.
constexpr std::size_t kWindowsNameSize = 64;
constexpr std::size_t kCpuNameSize = 32;
constexpr std::size_t kSystemDescriptionSize = 128;
constexpr std::size_t kAboutTextSize = 256;

// "Windows " and the name of the platform and version, or one of the four "Unknown" forms for
// what the table does not know. Windows 11 still reports 10.0 and is told apart by its build
// number. The results of these three are what snprintf returns.
int FormatWindowsName(char* buffer, std::size_t size, unsigned long platform, unsigned long major,
                      unsigned long minor, unsigned long build);

// "<Windows name>, <32bit or 64bit>, CPU: <cpu>"; any bitness but 64 reads as 32bit.
int FormatSystemDescription(char* buffer, std::size_t size, const char* windowsName, int bitness,
                            const char* cpuName);

// The About box's two lines: the version with the Windows version numbers, then the description.
int FormatAboutText(char* buffer, std::size_t size, const char* version, unsigned long platform,
                    unsigned long major, unsigned long minor, const char* description);

#endif
