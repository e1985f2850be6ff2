// Registry access for the settings store: text values under SettingsRoot, read with defaults.
#include "desktop/registry.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/waits.h"

int RegistryBusy = 0;

namespace {

// Values longer than this count as missing.
constexpr DWORD kValueLimit = 260;
constexpr unsigned kBusyPollMs = 20;
constexpr int kIntTextSize = 128;

// SettingsRoot\subkey, or SettingsRoot alone for no subkey. False when the path does not fit:
// a cut path would name some other key.
bool SettingsPath(const char* subkey, char* path, std::size_t size) {
  const int length = (subkey == nullptr || subkey[0] == '\0')
                         ? std::snprintf(path, size, "%s", SettingsRoot)
                         : std::snprintf(path, size, "%s\\%s", SettingsRoot, subkey);
  return length >= 0 && static_cast<std::size_t>(length) < size;
}

HKEY OpenSettingsKey(const char* subkey) {
  char path[512];
  if (!SettingsPath(subkey, path, sizeof path)) return nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

HKEY CreateSettingsKey(const char* subkey) {
  char path[512];
  if (!SettingsPath(subkey, path, sizeof path)) return nullptr;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

// The value's data as a terminated string, or false when it is missing or over the limit. The
// buffer has one byte beyond the limit because RegQueryValueEx terminates neither binary data
// nor strings stored without their NUL.
bool QueryValueText(const char* subkey, const char* valueName, char (&text)[kValueLimit + 1]) {
  text[0] = '\0';
  HKEY key = OpenSettingsKey(subkey);
  if (key == nullptr) return false;
  DWORD type = REG_NONE;
  DWORD size = kValueLimit;
  const LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || size > kValueLimit) {
    text[0] = '\0';
    return false;
  }
  text[size] = '\0';
  return true;
}

}  // namespace

int RegReadString(const char* subkey, const char* valueName, const char* defaultValue, char* output,
                  int outputSize) {
  if (output == nullptr || outputSize <= 0) return 0;
  const std::size_t capacity = static_cast<std::size_t>(outputSize);
  char text[kValueLimit + 1];
  if (QueryValueText(subkey, valueName, text) && text[0] != '\0') {
    CopyBounded(output, text, capacity);
    return static_cast<int>(std::strlen(output));
  }
  if (defaultValue == nullptr) {
    output[0] = '\0';
    return 0;
  }
  CopyBounded(output, defaultValue, capacity);
  RegWriteString(subkey, valueName, output);
  return static_cast<int>(std::strlen(output));
}

long RegValueSize(const char* subkey, const char* valueName) {
  HKEY key = OpenSettingsKey(subkey);
  if (key == nullptr) return -1;
  DWORD size = 0;
  const LONG status = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? static_cast<long>(size) : -1;
}

int RegWriteString(const char* subkey, const char* valueName, const char* value) {
  while (RegistryBusy != 0) PumpWait(kBusyPollMs, 0);
  RegistryBusy = 1;

  HKEY key = nullptr;
  if (value != nullptr) {
    key = CreateSettingsKey(subkey);
    if (key != nullptr) {
      RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>(std::strlen(value) + 1));
    }
  } else if (valueName != nullptr) {
    key = OpenSettingsKey(subkey);
    if (key != nullptr) RegDeleteValueA(key, valueName);
  } else if (subkey != nullptr && subkey[0] != '\0') {
    // An empty name would make RegDeleteKey remove the settings root itself.
    key = OpenSettingsKey(nullptr);
    if (key != nullptr) RegDeleteKeyA(key, subkey);
  }

  if (key == nullptr) {
    RegistryBusy = 0;
    return 0;
  }
  RegCloseKey(key);
  RegistryBusy = 0;
  return 1;
}

int RegReadInt(const char* subkey, const char* valueName, int defaultValue) {
  char defaultText[16];
  FormatInt(defaultText, sizeof defaultText, defaultValue);
  char text[kIntTextSize];
  RegReadString(subkey, valueName, defaultText, text, sizeof text);
  return ParseSignedDecimal(text);
}

int RegWriteInt(const char* subkey, const char* valueName, int value) {
  char text[16];
  FormatInt(text, sizeof text, value);
  return RegWriteString(subkey, valueName, text);
}
