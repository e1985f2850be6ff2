// The backdrop and the three modes of the installer.
#include "installer/backdrop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "desktop/bounded_copy.h"
#include "desktop/dpi_scale.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/screen_dpi.h"
#include "desktop/settings_keys.h"
#include "desktop/waits.h"
#include "installer/board_launch.h"
#include "installer/ini_migration.h"
#include "installer/contained_delete.h"
#include "installer/install_files.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"
#include "installer/installer_ids.h"
#include "installer/shell_entries.h"
#include "installer/uninstall.h"
#include "installer/wizard.h"

namespace {

constexpr int kBannerWidth = 480;
constexpr int kBannerHeight = 344;
constexpr const char* kInstallingCaptionFormat = "%s Installation";
constexpr const char* kUninstallingCaptionFormat = "%s UnInstalling";
constexpr const char* kNoticeCaptionFormat = "%s, %s";
constexpr const char* kNotice =
    "Varnel keeps 33 texts ready behind 33 copy buttons: a click puts a text on the clipboard and, "
    "if you want, pastes it straight into the program you were working in.\n\n"
    "This program will install Varnel on your computer: it copies the program and its files into a "
    "folder of your choice, puts a shortcut on your desktop and a Varnel group with the shortcuts "
    "Varnel, Read Me and UnInstall into your Start menu, and registers Varnel in the list of "
    "installed programs, from where it can be removed again.\n\n"
    "Copyright Kestrune. All rights reserved.";
constexpr const char* kNotProper = "Conditions Prevented Proper Installation.";
constexpr const char* kGroupError = "There was an error while creating the group.";
constexpr const char* kDesktopError = "There was an error while creating the shortcut on the desktop.";
constexpr const char* kInstalled =
    "Varnel is installed on your Hard-Drive.\n\nYou will notice that a Varnel Group has been Created and there are "
    "several icons in it. Among the icons you should see [Varnel], [Readme], and [UnInstall].";
constexpr const char* kStartFromShortcut = "\n\nStart Varnel from its shortcut on the desktop or in the Start menu.";
constexpr const char* kFirstStartArgument = "InstallingTheProgram";
constexpr const char* kNotStartedFormat =
    "Varnel is installed, but it could not be started from:\n%s\nStart it from its shortcut on the desktop.";
constexpr const char* kTempFolder = "\\TEMP";

}  // namespace

BackdropDialog::BackdropDialog() : TableDialog(IDD_BACKDROP) {
  icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_INSTALL), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  banner_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER));
}

BackdropDialog::~BackdropDialog() {
  if (banner_ != nullptr) DeleteObject(banner_);
}

std::span<const BackdropDialog::MessageRow> BackdropDialog::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_PAINT, &BackdropDialog::OnPaint},
      {WM_SIZE, &BackdropDialog::OnSize},
      {WM_QUERYDRAGICON, &BackdropDialog::OnQueryDragIcon},
      {WM_CTLCOLORDLG, &BackdropDialog::OnControlColour},
  };
  return rows;
}

std::span<const BackdropDialog::CommandRow> BackdropDialog::CommandTable() const {
  static const CommandRow rows[] = {
      {ID_START_INSTALL, ID_START_INSTALL, kAnyCode, &BackdropDialog::OnStartInstall},
      {ID_START_UNINSTALL, ID_START_UNINSTALL, kAnyCode, &BackdropDialog::OnStartUninstall},
  };
  return rows;
}

INT_PTR BackdropDialog::OnControlColour(WPARAM wParam, LPARAM) { return GreyControlColour(wParam); }

INT_PTR BackdropDialog::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  if (IsIconic(Handle())) {
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
  } else if (banner_ != nullptr) {
    // The banner grows with the dialogs in front of it, which would otherwise hide it whole.
    const int dpi = ScreenDpi();
    const int width = ScaleForDpi(kBannerWidth, dpi);
    const int height = ScaleForDpi(kBannerHeight, dpi);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, banner_);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, client.right / 2 - width / 2, client.bottom / 2 - height / 2, width, height, memory, 0, 0,
               kBannerWidth, kBannerHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  EndPaint(Handle(), &paint);
  return TRUE;
}

INT_PTR BackdropDialog::OnSize(WPARAM, LPARAM) {
  InvalidateRect(Handle(), nullptr, TRUE);
  return FALSE;
}

INT_PTR BackdropDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); }

BOOL BackdropDialog::OnInitDialog() {
  BackdropHandle = Handle();
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  fw::CenterOnDesktop(Handle());
  MigrateIniSettings();
  // Removal shows its own banner: the installation's would say "Installation".
  if (ModeFromCommandLine(CommandLineBuffer) == InstallMode::kUninstall) {
    HBITMAP removal = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_UNINSTALL_BANNER));
    if (removal != nullptr) {
      if (banner_ != nullptr) DeleteObject(banner_);
      banner_ = removal;
    }
  }
  switch (ModeFromCommandLine(CommandLineBuffer)) {
    case InstallMode::kRelay:
      Relay();
      break;
    case InstallMode::kUninstall:
      ShowAs(kUninstallingCaptionFormat, ID_START_UNINSTALL);
      break;
    case InstallMode::kInstall:
      ShowAs(kInstallingCaptionFormat, ID_START_INSTALL);
      break;
  }
  return TRUE;
}

void BackdropDialog::ShowAs(const char* captionFormat, int command) {
  char caption[64];
  std::snprintf(caption, sizeof(caption), captionFormat, kProgramName);
  SetWindowTextA(Handle(), caption);
  ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  UpdateWindow(Handle());
  // Posted, so that the maximised backdrop is on the screen before any dialog opens.
  PostMessageA(Handle(), WM_COMMAND, command, 0);
}

void BackdropDialog::Relay() {
  PumpWait(128, 1);
  char folder[kFolderSize] = {};
  RegReadString(kConfigureKey, kThisProgramDirValue, "", folder, kFolderSize);
  TrimPathTail(folder);
  char temp[kFolderSize] = {};
  GetWindowsDirectoryA(temp, kFolderReadLimit);
  TrimPathTail(temp);
  char tempFolder[kFolderSize + 8];
  std::snprintf(tempFolder, sizeof(tempFolder), "%s%s", temp, kTempFolder);
  std::snprintf(CopySource, sizeof(CopySource), "%s%s", folder, kInstallerFileName);
  std::snprintf(CopyTarget, sizeof(CopyTarget), "%s%s", tempFolder, kInstallerFileName);
  char text[1024];
  if (!PathExists(CopySource)) {
    std::snprintf(text, sizeof(text), kMissingFormat, CopySource);
    ShowMessage(Handle(), text, kInstallCaption, MB_ICONERROR);
    EndDialog(IDCANCEL);
    return;
  }
  // A copy of an earlier removal that cannot go is most likely still running: the new one could
  // not be made either.
  const bool earlierCopyGone =
      !PathExists(CopyTarget) || (ClearReadOnly(CopyTarget) && DeleteFileAt(CopyTarget) == DeleteOutcome::kDeleted);
  if (!earlierCopyGone || !install_files::Copy(CopySource, CopyTarget)) {
    if (earlierCopyGone) DiscardFile(CopyTarget);
    std::snprintf(text, sizeof(text), kCopyFailedFormat, CopySource, CopyTarget, CopyTarget);
    ShowMessage(Handle(), text, kInstallCaption, MB_ICONERROR);
    EndDialog(IDCANCEL);
    return;
  }
  ShellExecuteA(Handle(), "open", CopyTarget, kUninstallArgument, tempFolder, SW_SHOW);
  EndDialog(IDCANCEL);
}

void BackdropDialog::OnStartInstall(int, int, HWND) {
  PumpWait(1000, 1);
  char caption[64];
  std::snprintf(caption, sizeof(caption), kNoticeCaptionFormat, kProgramName, kProgramVersion);
  ShowMessage(Handle(), kNotice, caption, 240);
  InstallWizardDialog wizard;
  if (wizard.RunModal(Handle()) != IDOK) {
    ShowMessage(Handle(), kNotProper, kInstallCaption, MB_ICONWARNING);
    EndDialog(IDCANCEL);
    return;
  }
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  char program[kFolderSize + 16], readme[kFolderSize + 16], readmeIcon[kFolderSize + 16];
  char installer[kFolderSize + 16], uninstallIcon[kFolderSize + 16];
  std::snprintf(program, sizeof(program), "%s%s", InstallFolder, kProgramFileName);
  std::snprintf(readme, sizeof(readme), "%s\\README.TXT", InstallFolder);
  std::snprintf(readmeIcon, sizeof(readmeIcon), "%s\\README.ICO", InstallFolder);
  std::snprintf(installer, sizeof(installer), "%s%s", InstallFolder, kInstallerFileName);
  std::snprintf(uninstallIcon, sizeof(uninstallIcon), "%s\\UNINSTL.ICO", InstallFolder);
  CreateShellEntries(program, readme, readmeIcon, installer, uninstallIcon);
  PumpWait(512, 1);
  // Decided before the final message, so that the message can say when the board is not started.
  BoardLauncher launcher;
  char installed[640];
  std::snprintf(installed, sizeof(installed), "%s%s", kInstalled, launcher.WillStart() ? "" : kStartFromShortcut);
  ShowMessage(Handle(), installed, kInstallCaption, MB_ICONINFORMATION);
  if (!launcher.WillStart()) {
    EndDialog(IDOK);
    return;
  }
  SetCurrentDirectoryA(InstallFolder);
  if (launcher.Start(Handle(), program, kFirstStartArgument, InstallFolder) != 1) {
    char text[512];
    std::snprintf(text, sizeof(text), kNotStartedFormat, program);
    ShowMessage(Handle(), text, kInstallCaption, MB_ICONERROR);
  }
  EndDialog(IDOK);
}

void BackdropDialog::CreateShellEntries(const char* program, const char* readme, const char* readmeIcon,
                                        const char* installer, const char* uninstallIcon) {
  HWND owner = Handle();
  const char* folder = InstallFolder;
  const bool desktopMade =
      CreateShellEntry(owner, CSIDL_COMMON_DESKTOPDIRECTORY, program, "", kGroupName, folder, program, 0) == 1;
  PumpWait(64, 1);
  // The group is made anew: an old one whose files could not all go is a failed step too. A
  // subfolder the user made in it stays, and so does the group folder around it.
  bool groupMade = RemoveShellEntry(owner, CSIDL_COMMON_PROGRAMS, kGroupName, 1) == 1 ||
                   !ShellEntryExists(owner, CSIDL_COMMON_PROGRAMS, kGroupName, 1);
  PumpWait(64, 1);
  groupMade &= CreateShellEntry(owner, CSIDL_COMMON_PROGRAMS, "", "", kGroupName, "", "", 1) == 1 ||
               ShellEntryExists(owner, CSIDL_COMMON_PROGRAMS, kGroupName, 1);
  PumpWait(64, 1);
  groupMade &= CreateShellEntry(owner, CSIDL_COMMON_PROGRAMS, program, "", kGroupName, folder, program, 0) == 1;
  PumpWait(64, 1);
  groupMade &= CreateShellEntry(owner, CSIDL_COMMON_PROGRAMS, readme, "", "Read Me", folder, readmeIcon, 0) == 1;
  PumpWait(64, 1);
  groupMade &= CreateShellEntry(owner, CSIDL_COMMON_PROGRAMS, installer, kRelayArgument, "UnInstall", folder,
                                uninstallIcon, 0) == 1;
  // An earlier version put its shortcuts in the installing account's own folders: beside the new
  // ones for every user they would show twice. They go only once the new ones are there.
  if (desktopMade) RemoveShellEntry(owner, CSIDL_DESKTOP, kGroupName, 0);
  if (groupMade) RemoveShellEntry(owner, CSIDL_PROGRAMS, kGroupName, 1);
  // Every step is judged, not only the last: no missing shortcut is passed over in silence.
  if (!desktopMade) ShowMessage(owner, kDesktopError, kInstallCaption, MB_ICONERROR);
  if (!groupMade) ShowMessage(owner, kGroupError, kInstallCaption, MB_ICONERROR);
}

void BackdropDialog::OnStartUninstall(int, int, HWND) { RunUninstallCommand(Handle(), *this); }
