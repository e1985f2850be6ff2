// What the installer's suites share: the installation set of this build, the shell folders and the
// uninstall entry the installer writes, and the installer's message boxes and dialogs as a user
// meets them.
#ifndef VARNEL_TESTS_E2E_INSTALL_STEPS_H
#define VARNEL_TESTS_E2E_INSTALL_STEPS_H

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/e2e/driver.h"

namespace e2e {

inline const char* const kSetFiles[] = {"QUILLOW.EX_", "README.TXT", "README.ICO",
                                        "SAMPLE.VRL",  "UNINSTL.ICO", "INSTALL.EXE"};
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
constexpr const char* kInstalledText =
    "Varnel is installed on your Hard-Drive.\n\nYou will notice that a Varnel Group has been Created and there are "
    "several icons in it. Among the icons you should see [Varnel], [Readme], and [UnInstall].";
constexpr int kWizardFolder = 1003;
constexpr int kWizardNext = 1007;
constexpr int kWizardExit = 1008;
constexpr int kUninstallFinish = 1011;

// A path handed over by CTest as a Linux path, as Windows programs name it.
inline std::string WindowsPathOf(const char* variable, const std::string& fallback) {
  const char* value = std::getenv(variable);
  std::string path = value != nullptr ? value : fallback;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The installation set that this build lays out.
inline std::string SetSource() { return WindowsPathOf("VARNEL_INSTALL_SET", "set"); }

inline std::string ShellFolder(int kind) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, kind, FALSE);
  return path;
}
// The shortcuts are made for every user of the PC.
inline std::string DesktopLink() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Varnel.lnk"; }
inline std::string Group() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Varnel"; }
// Where earlier versions put them: the folders of the account that ran the installer.
inline std::string UserDesktopLink() { return ShellFolder(CSIDL_DESKTOP) + "\\Varnel.lnk"; }
inline std::string UserGroup() { return ShellFolder(CSIDL_PROGRAMS) + "\\Varnel"; }

// The system's program-files folder, where the wizard falls back to when the installer's drive
// has none.
inline std::string ProgramFilesFolder() { return ShellFolder(CSIDL_PROGRAM_FILES); }

// Lays the set out in folder (ends with a backslash) as an installation leaves it.
inline void LayOutInstallation(const std::string& set, const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : kSetFiles) {
    const std::string target = std::string(name) == "QUILLOW.EX_" ? "QUILLOW.EXE" : name;
    CopyFileA((set + name).c_str(), (folder + target).c_str(), FALSE);
  }
}

inline std::string UninstallValue(const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
  char data[1024] = {};
  DWORD size = sizeof(data);
  DWORD type = 0;
  const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return "<missing>";
  // The stored length counts the terminating NUL.
  if (size != std::strlen(data) + 1) return "<bad length>";
  return data;
}

// A message box of any process rather than one of our dialogs, which share its class (the
// backdrop shares its caption too, but shows no text).
inline bool IsMessageBox(HWND window, const std::string& caption) {
  return ClassName(window) == "#32770" && WindowText(window) == caption && GetDlgItem(window, kWizardNext) == nullptr &&
         GetDlgItem(window, kUninstallFinish) == nullptr && !MessageBoxText(window).empty();
}

// A visible message box with this caption and text; any text when text is empty.
inline HWND WaitForBox(const std::string& caption, const std::string& text, DWORD timeoutMs = 20000) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : FindWindowsByCaption(caption)) {
          if (IsMessageBox(window, caption) && (text.empty() || MessageBoxText(window) == text)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

inline HWND WaitForDialogWith(const std::string& caption, int controlId, DWORD timeoutMs = 20000) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : FindWindowsByCaption(caption)) {
          if (GetDlgItem(window, controlId) != nullptr) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

inline std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

inline void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Answers the box and waits until it has gone, so that the next box of the same caption is not
// mistaken for it.
inline bool Answer(const std::string& caption, const std::string& text, const std::string& button) {
  HWND box = WaitForBox(caption, text);
  EXPECT_NE(box, nullptr) << "no box \"" << text << "\"\n" << DescribeTopLevelWindows();
  if (box == nullptr || !AnswerMessageBox(box, button)) return false;
  return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 10000);
}

}  // namespace e2e

#endif
