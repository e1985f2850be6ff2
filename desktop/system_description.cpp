// The description of the system that the About box shows.
#include "desktop/system_description.h"

#include <windows.h>

#include <cstring>

#include "desktop/bounded_copy.h"

unsigned long WindowsPlatformId = 0;
unsigned long WindowsMajorVersion = 0;
unsigned long WindowsMinorVersion = 0;
char CpuName[kCpuNameSize] = "x86";
char SystemDescription[kSystemDescriptionSize] = {};

namespace {

constexpr const char* kEnvironmentKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kArchitectureValue = "PROCESSOR_ARCHITECTURE";
// Also what a user without administrative rights sees: the key does not open with full access.
constexpr const char* kDefaultArchitecture = "AMD64";
constexpr DWORD kArchitectureValueSize = 32;
constexpr DWORD kVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionInfoSize);

// Looked up at run time: Windows before XP SP2 has no such export, and the program still starts there.
using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

}  // namespace

int ProcessBitness() {
  // A 64-bit build is no WOW64 process, yet it runs on 64-bit Windows all the same.
  if constexpr (sizeof(void*) == 8) return 64;
  HMODULE kernel = GetModuleHandleA("kernel32");
  if (kernel == nullptr) return 32;
  // Through the generic function type, which the compiler accepts as a go-between for any other.
  const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
  BOOL wow64 = FALSE;
  if (isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64) return 64;
  return 32;
}

void ReadProcessorArchitecture() {
  char value[kArchitectureValueSize];
  CopyBounded(value, kDefaultArchitecture, sizeof(value));
  HKEY key = nullptr;
  // Read access only: the key belongs to the system, and a board that is not elevated would be
  // refused full access and name the default instead of the processor.
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    DWORD size = kArchitectureValueSize;
    if (RegQueryValueExA(key, kArchitectureValue, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
      CopyBounded(value, kDefaultArchitecture, sizeof(value));
    }
    RegCloseKey(key);
  }
  // A value stored without its terminator fills all 32 bytes: the bounded copy stops before the end.
  CopyBounded(CpuName, value, sizeof(CpuName));
}

void DescribeSystem() {
  const int bitness = ProcessBitness();
  if (bitness == 64) ReadProcessorArchitecture();

  OSVERSIONINFOA version;
  std::memset(&version, 0, sizeof(version));
  version.dwOSVersionInfoSize = kVersionInfoSize;
  GetVersionExA(&version);
  WindowsPlatformId = version.dwPlatformId;
  WindowsMajorVersion = version.dwMajorVersion;
  WindowsMinorVersion = version.dwMinorVersion;

  char windowsName[kWindowsNameSize];
  FormatWindowsName(windowsName, sizeof(windowsName), WindowsPlatformId, WindowsMajorVersion, WindowsMinorVersion,
                    version.dwBuildNumber);
  FormatSystemDescription(SystemDescription, sizeof(SystemDescription), windowsName, bitness, CpuName);
}
