// The wizard and the copy of the installation set.
#include "installer/wizard.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/settings_keys.h"
#include "installer/contained_delete.h"
#include "installer/install_files.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"
#include "installer/installer_ids.h"
#include "installer/set_check.h"
#include "installer/uninstall.h"

namespace {

constexpr const char* kPromptFormat = "Select a Drive and a Path to the Folder where you want %s to be Installed.";
constexpr const char* kLabelFormat = "Installing %s to the following Folder . . . ";
constexpr const char* kCaptionFormat = "%s Installation";
constexpr const char* kBrowseTitleFormat = "Select a Path for Installing %s";
constexpr const char* kBrowseSuffix = "\\QUILLOW";
constexpr const char* kTooLongFormat =
    "The Path you Specified is to long.\n\nPlease select a folder of at most %d characters.";
constexpr const char* kSameFolder =
    "You can not install from the same directory that you are installing to.\n\nPlease select a different directory.";
constexpr const char* kNotCreatedFormat =
    "The Path to the Folder you Specified:\n%s\ncould not be created.\n\nThe Folder will be set to:\n%s";

struct InstallFile {
  const char* source;
  const char* target;
};
constexpr InstallFile kInstallSet[] = {
    {"\\QUILLOW.EX_", "\\QUILLOW.EXE"}, {"\\README.TXT", "\\README.TXT"},   {"\\README.ICO", "\\README.ICO"},
    {"\\SAMPLE.VRL", "\\SAMPLE.VRL"},   {"\\UNINSTL.ICO", "\\UNINSTL.ICO"}, {"\\INSTALL.EXE", "\\INSTALL.EXE"},
};

bool SameBytes(const char* left, const char* right) {
  FILE* a = std::fopen(left, "rb");
  FILE* b = std::fopen(right, "rb");
  bool same = a != nullptr && b != nullptr;
  while (same) {
    const int x = std::fgetc(a);
    const int y = std::fgetc(b);
    if (x != y) same = false;
    if (x == EOF || y == EOF) break;
  }
  if (a != nullptr) std::fclose(a);
  if (b != nullptr) std::fclose(b);
  return same;
}

bool IsSampleProject(const char* target) {
  const std::size_t length = std::strlen(target);
  const std::size_t nameLength = std::strlen(kSampleProjectName);
  return length > nameLength && target[length - nameLength - 1] == '\\' &&
         EqualIgnoringCase(target + length - nameLength, kSampleProjectName);
}

// The administrator-account help fits only a refusal for want of rights.
void ShowPermissionsHelpFor(HWND owner, DWORD error) {
  if (error == ERROR_ACCESS_DENIED) ShowMessage(owner, kPermissionsHelp, kInstallCaption, MB_ICONINFORMATION);
}

void ShowCopyFailure(DWORD error) {
  CopyFailureError = error;
  char text[1024];
  std::snprintf(text, sizeof(text), kCopyFailedFormat, CopySource, CopyTarget, CopyTarget);
  ShowMessage(WizardHandle, text, kInstallCaption, MB_ICONERROR);
}

// The move replaces whatever stands under the target's name. Only a plain file of the folder has
// its read-only attribute cleared first: under Wine that would change a link's target instead.
bool ClearTargetsReadOnly(const char* target) {
  char folder[kFolderSize];
  CopyBounded(folder, target, sizeof(folder));
  char* name = std::strrchr(folder, '\\');
  if (name == nullptr) return ClearReadOnly(target);
  *name++ = '\0';
  char realFolder[MAX_PATH + 1];
  if (!RealFolderPath(folder, realFolder, sizeof(realFolder))) return ClearReadOnly(target);
  const EntryCheck check = CheckEntry(target, realFolder, name);
  return check == EntryCheck::kElsewhere || check == EntryCheck::kGone || ClearReadOnly(target);
}

void AdvanceProgressBar() {
  char bar[kProgressMaxLength + 1] = {};
  GetDlgItemTextA(WizardHandle, IDC_WIZARD_PROGRESS, bar, 250);
  AdvanceProgress(bar, sizeof(bar));
  SetDlgItemTextA(WizardHandle, IDC_WIZARD_PROGRESS, bar);
  RedrawWindow(WizardHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// "?:\Program Files\QUILLOW" on the installer's drive, or, where that drive has no such folder
// (a stick, a network share), the system's own program-files folder: a proposal that can never
// be created would only be proposed again.
void ProposeDefaultFolder(char* folder) {
  FormDefaultFolder(SourceFolder, folder, kFolderSize);
  char parent[kFolderSize];
  CopyBounded(parent, folder, sizeof(parent));
  CutAtLastBackslash(parent);
  if (PathExists(parent)) return;
  char programFiles[MAX_PATH + 1] = {};
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles))) {
    TrimPathTail(programFiles);
    char proposal[MAX_PATH + 16];
    std::snprintf(proposal, sizeof(proposal), "%s%s", programFiles, kBrowseSuffix);
    if (std::strlen(proposal) <= kInstallFolderMaxLength) CopyBounded(folder, proposal, kFolderSize);
  }
}

// Reads without a default, so that looking for a proposal writes nothing.
void ProposeFolder(char* proposal) {
  proposal[0] = '\0';
  if (RegReadString(kConfigureKey, kThisProgramDirValue, nullptr, proposal, kFolderSize) < 1) {
    if (RegReadString(kFilesKey, kCurrentValue, nullptr, proposal, kFolderSize) > 0) CutAtLastBackslash(proposal);
  }
  if (proposal[0] == '\0' || !PathExists(proposal)) ProposeDefaultFolder(proposal);
  TrimPathTail(proposal);
}

}  // namespace

int CopyInstallFile() {
  SetDlgItemTextA(WizardHandle, IDC_WIZARD_SOURCE, CopySource);
  SetDlgItemTextA(WizardHandle, IDC_WIZARD_TARGET, CopyTarget);
  if (!PathExists(CopySource)) {
    CopyFailureError = ERROR_FILE_NOT_FOUND;
    char text[512];
    std::snprintf(text, sizeof(text), kMissingFormat, CopySource);
    ShowMessage(WizardHandle, text, kInstallCaption, MB_ICONERROR);
    return 0;
  }
  // A project the user has edited is theirs: a reinstall keeps it.
  if (IsSampleProject(CopyTarget) && PathExists(CopyTarget) && !SameBytes(CopySource, CopyTarget)) {
    AdvanceProgressBar();
    return 1;
  }
  char temporary[kFolderSize + 8];
  if (std::snprintf(temporary, sizeof(temporary), "%s%s", CopyTarget, kTemporarySuffix) >= MAX_PATH) {
    ShowCopyFailure(ERROR_FILENAME_EXCED_RANGE);
    return 0;
  }
  // A copy left by an installation that was cut off goes first; where it cannot, the new copy
  // could not be made there either. A link under that name is never written through.
  if (PathExists(temporary) && (!ClearReadOnly(temporary) || DeleteFileAt(temporary) != DeleteOutcome::kDeleted)) {
    ShowCopyFailure(GetLastError());
    return 0;
  }
  if (!install_files::Copy(CopySource, temporary)) {
    const DWORD error = GetLastError();
    DiscardFile(temporary);
    ShowCopyFailure(error);
    return 0;
  }
  if (!ClearTargetsReadOnly(CopyTarget) || !install_files::Move(temporary, CopyTarget)) {
    const DWORD error = GetLastError();
    DiscardFile(temporary);
    ShowCopyFailure(error);
    return 0;
  }
  AdvanceProgressBar();
  return 1;
}

InstallWizardDialog::InstallWizardDialog() : TableDialog(IDD_WIZARD) {}

std::span<const InstallWizardDialog::MessageRow> InstallWizardDialog::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_CTLCOLORDLG, &InstallWizardDialog::OnControlColour},
      {WM_CTLCOLORSTATIC, &InstallWizardDialog::OnControlColour},
      {WM_CTLCOLORBTN, &InstallWizardDialog::OnControlColour},
  };
  return rows;
}

std::span<const InstallWizardDialog::CommandRow> InstallWizardDialog::CommandTable() const {
  static const CommandRow rows[] = {
      {IDC_WIZARD_BROWSE, IDC_WIZARD_BROWSE, BN_CLICKED, &InstallWizardDialog::OnBrowse},
      {IDC_WIZARD_NEXT, IDC_WIZARD_NEXT, BN_CLICKED, &InstallWizardDialog::OnNext},
      {IDC_WIZARD_EXIT, IDC_WIZARD_EXIT, BN_CLICKED, &InstallWizardDialog::OnExit},
  };
  return rows;
}

INT_PTR InstallWizardDialog::OnControlColour(WPARAM wParam, LPARAM) { return GreyControlColour(wParam); }

BOOL InstallWizardDialog::OnInitDialog() {
  WizardHandle = Handle();
  char text[256];
  std::snprintf(text, sizeof(text), kCaptionFormat, kProgramName);
  SetWindowTextA(Handle(), text);
  std::snprintf(text, sizeof(text), kPromptFormat, kProgramName);
  SetItemText(IDC_WIZARD_PROMPT, text);
  std::snprintf(text, sizeof(text), kLabelFormat, kProgramName);
  SetItemText(IDC_WIZARD_LABEL, text);
  fw::CenterOnDesktop(Handle());
  FindSetFolder(SourceFolder, kFolderReadLimit);
  ProposeFolder(InstallFolder);
  SetItemText(IDC_WIZARD_FOLDER, InstallFolder);
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_WIZARD_NEXT)), TRUE);
  return FALSE;
}

void InstallWizardDialog::OnBrowse(int, int, HWND) {
  char title[128];
  std::snprintf(title, sizeof(title), kBrowseTitleFormat, kProgramName);
  BROWSEINFOA info = {};
  info.hwndOwner = Handle();
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST items = SHBrowseForFolderA(&info);
  if (items == nullptr) return;
  char path[MAX_PATH + 1] = {};
  SHGetPathFromIDListA(items, path);
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(items);
    allocator->Release();
  }
  CopyBounded(InstallFolder, path, kFolderReadLimit);
  std::size_t length = std::strlen(InstallFolder);
  while (length > 0 && (InstallFolder[length - 1] == '\\' || InstallFolder[length - 1] == ' ')) {
    InstallFolder[--length] = '\0';
  }
  char withSuffix[kFolderSize + 16];
  std::snprintf(withSuffix, sizeof(withSuffix), "%s%s", InstallFolder, kBrowseSuffix);
  CopyBounded(InstallFolder, withSuffix, kFolderSize);
  SetItemText(IDC_WIZARD_FOLDER, InstallFolder);
}

void InstallWizardDialog::OnNext(int, int, HWND) {
  char folder[kFolderSize + 64] = {};
  ItemText(IDC_WIZARD_FOLDER, folder, sizeof(folder));
  // One limit for every reader of the folder: the board, the relay and the uninstaller would
  // otherwise find a cut folder that does not exist.
  if (std::strlen(folder) > kInstallFolderMaxLength) {
    char text[160];
    std::snprintf(text, sizeof(text), kTooLongFormat, static_cast<int>(kInstallFolderMaxLength));
    ShowMessage(Handle(), text, kInstallCaption, MB_ICONERROR);
    return;
  }
  CopyBounded(InstallFolder, folder, kFolderSize);
  if (EqualIgnoringCase(InstallFolder, SourceFolder)) {
    ShowMessage(Handle(), kSameFolder, kInstallCaption, MB_ICONINFORMATION);
    return;
  }
  // A damaged set is refused before anything is made or copied.
  if (!CheckInstallSet(Handle(), SourceFolder)) {
    EndDialog(IDCANCEL);
    return;
  }
  bool createdFolder = false;
  DWORD createError = ERROR_SUCCESS;
  if (!PathExists(InstallFolder)) {
    createdFolder = install_files::CreateFolder(InstallFolder);
    if (!createdFolder) createError = GetLastError();
  }
  const DWORD attributes = GetFileAttributesA(InstallFolder);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    char defaultFolder[kFolderSize];
    ProposeDefaultFolder(defaultFolder);
    char text[768];
    std::snprintf(text, sizeof(text), kNotCreatedFormat, InstallFolder, defaultFolder);
    ShowMessage(Handle(), text, kInstallCaption, MB_ICONERROR);
    CopyBounded(InstallFolder, defaultFolder, kFolderSize);
    SetItemText(IDC_WIZARD_FOLDER, InstallFolder);
    ShowPermissionsHelpFor(Handle(), createError);
    return;
  }
  char stored[kFolderSize + 2];
  CopyBounded(stored, InstallFolder, sizeof(stored));
  AppendTrailingBackslash(stored, sizeof(stored));

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  char root[4] = {SourceFolder[0], ':', '\\', '\0'};
  SetCurrentDirectoryA(root);
  for (const InstallFile& file : kInstallSet) {
    std::snprintf(CopySource, sizeof(CopySource), "%s%s", SourceFolder, file.source);
    std::snprintf(CopyTarget, sizeof(CopyTarget), "%s%s", InstallFolder, file.target);
    if (CopyInstallFile() == 0) {
      ShowPermissionsHelpFor(Handle(), CopyFailureError);
      // A folder made for this installation and left empty goes again; one that holds files
      // stays, as does every setting: the earlier installation, if any, still works.
      if (createdFolder) install_files::RemoveFolder(InstallFolder);
      EndDialog(IDCANCEL);
      return;
    }
  }
  // Only a whole installation takes over the folder that the board and removal use.
  RegWriteString(kConfigureKey, kThisProgramDirValue, stored);
  WriteUninstallEntry(stored);
  EndDialog(IDOK);
}

void InstallWizardDialog::OnExit(int, int, HWND) { EndDialog(IDCANCEL); }
