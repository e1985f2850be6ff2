// INSTALL.EXE from this build's installation set, as a user runs it: install into the proposed
// folder, the files, registry, shortcuts and list entry it leaves, a reinstall, its refusals (a
// damaged set, a folder too long for its readers) which change nothing, and removal through the
// UnInstall shortcut's command with the limits of what removal may delete: only the program's own
// files, never through a link, never while the board runs.
// The folder browser cannot be read from another process under Wine: every case installs into
// the proposed folder and none presses Browse.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/driver.h"
#include "tests/e2e/install_steps.h"

using namespace e2e;

namespace {

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* unix = toUnix != nullptr ? toUnix(wide) : nullptr;
  if (unix == nullptr) return windowsPath;
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Runs a Linux command line through the shell and returns what it printed. Wine starts it apart
// from the pipe of RunAndCapture, so the output travels through a file, renamed when whole.
std::string RunLinux(const std::string& command) {
  const std::string folder = WorkRoot() + "linux-output\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string output = folder + "out.txt";
  DeleteFileA(output.c_str());
  const std::string unixFolder = UnixPath(folder);
  RunAndCapture("/bin/sh -c \"" + command + " > '" + unixFolder + "/out.part' 2>&1; mv '" + unixFolder +
                "/out.part' '" + unixFolder + "/out.txt'\"");
  WaitUntil([&] { return FileExists(output); }, 10000);
  return ReadWholeFile(output);
}

class Install : public testing::Test {
 protected:
  void SetUp() override {
    EndLeftoverPrograms();
    ClearSettings();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    for (const std::string& link : {DesktopLink(), UserDesktopLink()}) DeleteFileA(link.c_str());
    for (const std::string& group : {Group(), UserGroup()}) {
      for (const char* name : {"Varnel.lnk", "Read Me.lnk", "UnInstall.lnk"}) {
        DeleteFileA((group + "\\" + name).c_str());
      }
      RemoveDirectoryA(group.c_str());
    }
    set_ = MakeScratchFolder("install-set");
    for (const char* name : kSetFiles) CopyFileA((SetSource() + "\\" + name).c_str(), (set_ + name).c_str(), FALSE);
    target_ = MakeScratchFolder("install-target") + "QUILLOW";
    // The proposal the wizard takes first; only a folder that exists is proposed.
    CreateDirectoryA(target_.c_str(), nullptr);
    SetSetting("Configure", "ThisProgramDir", target_ + "\\");
  }
  void TearDown() override { EndLeftoverPrograms(); }

  // Runs INSTALL.EXE from the set up to the wizard, by default with the set as working folder;
  // returns the wizard.
  HWND OpenWizard(const std::string& workingFolder = "") {
    installer_ = Start(set_ + "INSTALL.EXE", "", workingFolder.empty() ? set_ : workingFolder);
    HWND notice = WaitForBox("Varnel, 09.12.01", "");
    EXPECT_NE(notice, nullptr) << DescribeTopLevelWindows();
    if (notice == nullptr) return nullptr;
    Screenshot("install-backdrop");
    const std::vector<HWND> backdrops = TopLevelWindowsOf(installer_.id);
    EXPECT_TRUE(std::any_of(backdrops.begin(), backdrops.end(), [](HWND window) {
      const RECT rect = WindowRectOnScreen(window);
      return WindowText(window) == "Varnel Installation" && rect.right - rect.left >= GetSystemMetrics(SM_CXSCREEN);
    })) << "the backdrop does not cover the screen";
    AnswerMessageBox(notice, "OK");
    WaitUntil([&] { return !IsWindow(notice) || !IsWindowVisible(notice); }, 10000);
    HWND wizard = WaitForDialogWith("Varnel Installation", 1007);
    EXPECT_NE(wizard, nullptr) << DescribeTopLevelWindows();
    return wizard;
  }

  // Presses Next and answers the end of a successful installation, then the board's greeting,
  // and closes the board that the installer started.
  void NextToTheEnd(HWND wizard) {
    Press(wizard, 1007);
    ASSERT_TRUE(Answer("Varnel Installation", kInstalledText, "OK"));
    EXPECT_TRUE(WaitForExit(installer_, 15000));
    HWND greeting = WaitForBox("Varnel", "Select [Ok] to start Varnel");
    ASSERT_NE(greeting, nullptr) << "the installed program was not started with InstallingTheProgram";
    Process board;
    board.id = ProcessOfWindow(greeting);
    board.handle = OpenProcess(PROCESS_ALL_ACCESS, FALSE, board.id);
    AnswerMessageBox(greeting, "OK");
    HWND window = WaitForBoard(board);
    EXPECT_NE(window, nullptr);
    if (window != nullptr) CloseBoard(window);
    EndLeftoverPrograms();
  }

  // Answers a refusal of Next that ends the wizard, and checks that nothing was written: no
  // setting changed, no folder made.
  void ExpectRefusedWithoutChanges(const std::string& refusal, const std::string& folder) {
    ASSERT_TRUE(Answer("Varnel Installation", refusal, "OK"));
    ASSERT_TRUE(Answer("Varnel Installation", "Conditions Prevented Proper Installation.", "OK"));
    EXPECT_TRUE(WaitForExit(installer_, 10000));
    EXPECT_EQ(GetSetting("Configure", "ThisProgramDir"), target_ + "\\");
    EXPECT_EQ(GetSetting("Files", "Current"), "<missing>");
    EXPECT_FALSE(FileExists(folder));
  }

  std::string set_;
  std::string target_;
  Process installer_;
};

// Writes a Unix symbolic link at windowsLink to windowsTarget, as a user of the Linux side could.
void MakeLink(const std::string& windowsTarget, const std::string& windowsLink) {
  RunLinux("ln -sfn '" + UnixPath(windowsTarget) + "' '" + UnixPath(windowsLink) + "'");
}

TEST_F(Install, IntoTheProposedFolderThenUninstallThroughTheShortcutsCommand) {
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  EXPECT_EQ(ControlText(wizard, 1003), target_);
  // A long folder ends in an ellipsis rather than being cut, and "100 %" is not wrapped at its blank.
  EXPECT_EQ(GetWindowLongA(GetDlgItem(wizard, 1003), GWL_STYLE) & SS_ELLIPSISMASK, SS_PATHELLIPSIS);
  HWND full = FindWindowExA(wizard, nullptr, "Static", "100 %");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(GetWindowLongA(full, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
  Screenshot("install-wizard", wizard);
  NextToTheEnd(wizard);

  const std::string folder = target_ + "\\";
  EXPECT_EQ(ReadWholeFile(folder + "QUILLOW.EXE"), ReadWholeFile(set_ + "QUILLOW.EX_"));
  for (const char* name : {"README.TXT", "README.ICO", "SAMPLE.VRL", "UNINSTL.ICO", "INSTALL.EXE"}) {
    EXPECT_EQ(ReadWholeFile(folder + name), ReadWholeFile(set_ + name)) << name;
  }
  EXPECT_EQ(GetSetting("Configure", "ThisProgramDir"), folder);

  EXPECT_EQ(UninstallValue("DisplayName"), "Varnel");
  EXPECT_EQ(UninstallValue("UninstallString"), "\"" + target_ + "\\INSTALL.EXE\" UnInstall");
  EXPECT_EQ(UninstallValue("InstallLoaction"), target_);
  EXPECT_EQ(UninstallValue("Publisher"), "Kestrune");
  EXPECT_NE(RunAndCapture("uninstaller.exe --list").find("Varnel"), std::string::npos);

  struct Link {
    std::string path, target, arguments, icon;
  };
  const Link links[] = {
      {DesktopLink(), folder + "QUILLOW.EXE", "", folder + "QUILLOW.EXE"},
      {Group() + "\\Varnel.lnk", folder + "QUILLOW.EXE", "", folder + "QUILLOW.EXE"},
      {Group() + "\\Read Me.lnk", folder + "README.TXT", "", folder + "README.ICO"},
      {Group() + "\\UnInstall.lnk", folder + "INSTALL.EXE", "UnInstall", folder + "UNINSTL.ICO"},
  };
  // For every user: nothing in the installing account's own folders.
  EXPECT_FALSE(FileExists(UserDesktopLink()));
  EXPECT_FALSE(FileExists(UserGroup()));
  for (const Link& link : links) {
    const std::string info = RunLinux("/usr/bin/lnkinfo '" + UnixPath(link.path) + "'");
    EXPECT_NE(info.find(link.target), std::string::npos) << link.path << "\n" << info;
    EXPECT_NE(info.find(": " + target_ + "\n"), std::string::npos) << link.path << "\n" << info;
    EXPECT_NE(info.find(link.icon), std::string::npos) << link.path << "\n" << info;
    if (!link.arguments.empty()) {
      EXPECT_NE(info.find(": " + link.arguments + "\n"), std::string::npos) << info;
    }
  }

  // The UnInstall shortcut's command; No changes nothing.
  Start(folder + "INSTALL.EXE", "UnInstall", folder);
  ASSERT_TRUE(Answer("Varnel", "Do you really want to UnInstall Varnel?", "No"));
  EXPECT_TRUE(WaitUntil([&] { return FindWindowsByCaption("Varnel UnInstalling").empty(); }, 10000));
  EXPECT_TRUE(FileExists(folder + "QUILLOW.EXE"));
  EXPECT_TRUE(FileExists(DesktopLink()));

  Start(folder + "INSTALL.EXE", "UnInstall", folder);
  ASSERT_TRUE(Answer("Varnel", "Do you really want to UnInstall Varnel?", "Yes"));
  HWND confirm = WaitForDialogWith("Varnel UnInstall", 1011);
  ASSERT_NE(confirm, nullptr) << DescribeTopLevelWindows();
  EXPECT_NE(ControlText(confirm, 1009).find("Doing this will remove folder:\n" + target_ + "\n"), std::string::npos);
  // The relay runs the copy in the Windows TEMP folder, outside the folder it deletes.
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_TRUE(FileExists(std::string(windows) + "\\TEMP\\INSTALL.EXE"));
  Screenshot("uninstall-confirm", confirm);
  Press(confirm, 1011);
  ASSERT_TRUE(Answer("Varnel", "Varnel has been UnInstalled.", "OK"));
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(target_); }, 5000));
  EXPECT_FALSE(FileExists(DesktopLink()));
  EXPECT_FALSE(FileExists(Group()));
  // Removal leaves the list entry, as it leaves the settings.
  EXPECT_NE(RunAndCapture("uninstaller.exe --list").find("Varnel"), std::string::npos);
}

TEST_F(Install, ReinstallKeepsTheUsersProjectsAndReplacesAReadOnlyProgram) {
  const std::string folder = target_ + "\\";
  WriteWholeFile(folder + "QUILLOW.EXE", "old program");
  SetFileAttributesA((folder + "QUILLOW.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string edited = ReadWholeFile(set_ + "SAMPLE.VRL").replace(0, 7, "Edited!");
  WriteWholeFile(folder + "SAMPLE.VRL", edited);
  WriteWholeFile(folder + "MINE.VRL", "my project");
  CreateDirectoryA(Group().c_str(), nullptr);
  WriteWholeFile(Group() + "\\Added by the user.lnk", "link");
  // A subfolder keeps the old group folder; the group is still made, judged by its shortcuts.
  CreateDirectoryA((Group() + "\\Tools").c_str(), nullptr);
  // An earlier version's shortcuts in the installing account's own folders.
  CreateDirectoryA(UserGroup().c_str(), nullptr);
  WriteWholeFile(UserGroup() + "\\Varnel.lnk", "shortcut");
  WriteWholeFile(UserDesktopLink(), "shortcut");
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  NextToTheEnd(wizard);
  EXPECT_TRUE(FileExists(Group() + "\\Tools"));
  RemoveDirectoryA((Group() + "\\Tools").c_str());
  EXPECT_EQ(ReadWholeFile(folder + "QUILLOW.EXE"), ReadWholeFile(set_ + "QUILLOW.EX_"));
  EXPECT_EQ(ReadWholeFile(folder + "SAMPLE.VRL"), edited);
  EXPECT_EQ(ReadWholeFile(folder + "MINE.VRL"), "my project");
  EXPECT_FALSE(FileExists(folder + "QUILLOW.EXE.new"));
  // The group is made again with exactly its three shortcuts.
  EXPECT_FALSE(FileExists(Group() + "\\Added by the user.lnk"));
  EXPECT_TRUE(FileExists(Group() + "\\UnInstall.lnk"));
  EXPECT_FALSE(FileExists(UserGroup())) << "the earlier per-user group stayed beside the new one";
  EXPECT_FALSE(FileExists(UserDesktopLink()));
}

TEST_F(Install, AMissingFileStopsTheInstallationBeforeAnythingIsCopied) {
  DeleteFileA((set_ + "SAMPLE.VRL").c_str());
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  Press(wizard, 1007);
  ASSERT_TRUE(Answer("Varnel Installation", "Source File:\n" + set_ + "SAMPLE.VRL\nis missing!", "OK"));
  // The administrator-account help is for refusals for want of rights only.
  ASSERT_TRUE(Answer("Varnel Installation", "Conditions Prevented Proper Installation.", "OK"));
  EXPECT_TRUE(WaitForExit(installer_, 10000));
  for (const char* name : {"QUILLOW.EXE", "README.TXT", "README.ICO"}) EXPECT_FALSE(FileExists(target_ + "\\" + name));
}

TEST_F(Install, ADamagedSetIsRefusedNamingTheFile) {
  const std::string program = ReadWholeFile(set_ + "QUILLOW.EX_");
  ASSERT_GT(program.size(), 4096u);
  WriteWholeFile(set_ + "QUILLOW.EX_", program.substr(0, 4096));
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  Press(wizard, 1007);
  ExpectRefusedWithoutChanges("The installation file:\n" + set_ +
                                  "QUILLOW.EX_\nis damaged. Copy the installation set again and start INSTALL.EXE "
                                  "from there.",
                              target_ + "\\QUILLOW.EXE");
}

TEST_F(Install, AFailedInstallationLeavesTheEarlierOneWorking) {
  LayOutInstallation(set_, target_ + "\\");
  DeleteFileA((set_ + "README.ICO").c_str());
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  const std::string other = MakeScratchFolder("install-target-b") + "QUILLOW";
  RemoveDirectoryA(other.c_str());
  SetWindowTextA(GetDlgItem(wizard, 1003), other.c_str());
  Press(wizard, 1007);
  ExpectRefusedWithoutChanges("Source File:\n" + set_ + "README.ICO\nis missing!", other);
  EXPECT_EQ(ReadWholeFile(target_ + "\\QUILLOW.EXE"), ReadWholeFile(set_ + "QUILLOW.EX_"));
}

TEST_F(Install, AFolderLongerThanEveryReaderHoldsIsRefusedBeforeAnythingIsWritten) {
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  // The board holds 230 characters with the trailing backslash.
  std::string tooLong = target_ + "\\";
  tooLong += std::string(230 - tooLong.size(), 'L');
  SetWindowTextA(GetDlgItem(wizard, 1003), tooLong.c_str());
  Screenshot("install-wizard-long-folder", wizard);
  Press(wizard, 1007);
  ASSERT_TRUE(Answer("Varnel Installation",
                     "The Path you Specified is to long.\n\nPlease select a folder of at most 229 characters.", "OK"));
  EXPECT_TRUE(IsWindow(wizard));
  EXPECT_FALSE(FileExists(tooLong));
  EXPECT_EQ(GetSetting("Configure", "ThisProgramDir"), target_ + "\\");
  Press(wizard, 1008);
  ASSERT_TRUE(Answer("Varnel Installation", "Conditions Prevented Proper Installation.", "OK"));
}

TEST_F(Install, TheSetBesideTheInstallerIsTakenFromAnyWorkingFolder) {
  HWND wizard = OpenWizard(MakeScratchFolder("install-elsewhere"));
  ASSERT_NE(wizard, nullptr);
  NextToTheEnd(wizard);
  EXPECT_EQ(ReadWholeFile(target_ + "\\QUILLOW.EXE"), ReadWholeFile(set_ + "QUILLOW.EX_"));
}

TEST_F(Install, AReinstallNeverDeletesThroughALinkInTheGroupOrTheFolder) {
  const std::string outside = MakeScratchFolder("install-outside-group");
  WriteWholeFile(outside + "notes.lnk", "precious shortcut");
  WriteWholeFile(outside + "readme.txt", "precious text");
  SetFileAttributesA((outside + "readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  CreateDirectoryA(Group().c_str(), nullptr);
  MakeLink(outside + "notes.lnk", Group() + "\\Notes.lnk");
  LayOutInstallation(set_, target_ + "\\");
  DeleteFileA((target_ + "\\README.TXT").c_str());
  MakeLink(outside + "readme.txt", target_ + "\\README.TXT");
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  NextToTheEnd(wizard);
  EXPECT_EQ(ReadWholeFile(outside + "notes.lnk"), "precious shortcut");
  EXPECT_EQ(ReadWholeFile(outside + "readme.txt"), "precious text");
  // The link was replaced, not changed through: its target keeps its attributes too.
  EXPECT_NE(GetFileAttributesA((outside + "readme.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  SetFileAttributesA((outside + "readme.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadWholeFile(target_ + "\\README.TXT"), ReadWholeFile(set_ + "README.TXT"));
  for (const char* name : {"Varnel.lnk", "Read Me.lnk", "UnInstall.lnk"}) EXPECT_TRUE(FileExists(Group() + "\\" + name));
  RunLinux("rm -f '" + UnixPath(Group() + "\\Notes.lnk") + "'");
}

TEST_F(Install, TheSourceFolderIsRefusedInAnyLetterCase) {
  std::string lower = set_.substr(0, set_.size() - 1);
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  SetSetting("Configure", "ThisProgramDir", lower);
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  Press(wizard, 1007);
  ASSERT_TRUE(Answer("Varnel Installation",
                     "You can not install from the same directory that you are installing to.\n\nPlease select a "
                     "different directory.",
                     "OK"));
  EXPECT_TRUE(IsWindow(wizard));
  Press(wizard, 1008);
  ASSERT_TRUE(Answer("Varnel Installation", "Conditions Prevented Proper Installation.", "OK"));
  EXPECT_TRUE(WaitForExit(installer_, 10000));
}

TEST_F(Install, AFolderThatCannotBeCreatedFallsBackToTheDefaultFolder) {
  HWND wizard = OpenWizard();
  ASSERT_NE(wizard, nullptr);
  const std::string unreachable = target_ + "\\missing\\QUILLOW";
  SetWindowTextA(GetDlgItem(wizard, 1003), unreachable.c_str());
  Press(wizard, 1007);
  // Where the installer's drive has no program-files folder (the build's drive here), the
  // system's is proposed instead.
  const std::string drivesOwn = set_.substr(0, 1) + ":\\Program Files";
  const std::string fallback = (FileExists(drivesOwn) ? drivesOwn : ProgramFilesFolder()) + "\\QUILLOW";
  ASSERT_TRUE(Answer("Varnel Installation",
                     "The Path to the Folder you Specified:\n" + unreachable +
                         "\ncould not be created.\n\nThe Folder will be set to:\n" + fallback,
                     "OK"));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(wizard, 1003) == fallback; }, 5000));
  // A missing parent is no matter of rights: no administrator-account help.
  EXPECT_EQ(WaitForBox("Varnel Installation", "", 2000), nullptr);
  EXPECT_FALSE(FileExists(target_ + "\\missing"));
  Press(wizard, 1008);
  ASSERT_TRUE(Answer("Varnel Installation", "Conditions Prevented Proper Installation.", "OK"));
}

TEST_F(Install, AnOldSettingsFileIsImportedWhileTheSettingsKeyIsMissing) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string ini = std::string(windows) + "\\quillow.ini";
  WriteWholeFile(ini, "Stray=1\r\n[Options]\r\n; comment\r\n\r\nTopMost=0\r\nKey=\r\na=b=c\r\n");
  ClearSettings();
  installer_ = Start(set_ + "INSTALL.EXE", "", set_);
  HWND notice = WaitForBox("Varnel, 09.12.01", "");
  DeleteFileA(ini.c_str());
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(GetSetting("Options", "TopMost"), "0");
  EXPECT_EQ(GetSetting("Options", "Key"), "");
  EXPECT_EQ(GetSetting("Options", "a"), "b=c");
  HKEY root = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &root), ERROR_SUCCESS);
  EXPECT_NE(RegQueryValueExA(root, "Stray", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(root);
  EXPECT_EQ(GetSetting("Options", "Stray"), "<missing>");
}

// Removal started directly in its second step, on folders that the registry names.
class Removal : public Install {
 protected:
  void RunRemoval() {
    installer_ = Start(set_ + "INSTALL.EXE", "UnInstall2", set_);
    ASSERT_TRUE(Answer("Varnel", "Do you really want to UnInstall Varnel?", "Yes"));
  }

  // Presses Finish and returns the text of the message that ends the removal, answered.
  std::string FinishAndReadTheReport(const std::string& screenshot = "") {
    HWND confirm = WaitForDialogWith("Varnel UnInstall", 1011);
    EXPECT_NE(confirm, nullptr) << DescribeTopLevelWindows();
    if (confirm == nullptr) return "";
    if (!screenshot.empty() && WaitUntil([&] { return IsWindowVisible(confirm) != FALSE; }, 5000) &&
        WaitUntilSettled(confirm)) {
      Screenshot(screenshot, confirm);
    }
    Press(confirm, 1011);
    HWND box = WaitForBox("Varnel", "");
    EXPECT_NE(box, nullptr) << DescribeTopLevelWindows();
    if (box == nullptr) return "";
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, "OK");
    EXPECT_TRUE(WaitForExit(installer_, 10000));
    return text;
  }
};

constexpr const char* kKeptOpening =
    "Varnel could not be UnInstalled completely. These are not its own files, or lead outside its folder, and were "
    "left in place:\n";

TEST_F(Removal, NeverDeletesThroughALinkInTheFolderOrTheGroup) {
  const std::string folder = target_ + "\\";
  LayOutInstallation(set_, folder);
  const std::string outside = MakeScratchFolder("install-outside");
  WriteWholeFile(outside + "keep.vrl", "keep me");
  WriteWholeFile(outside + "precious.txt", "precious");
  WriteWholeFile(outside + "notes.lnk", "precious shortcut");
  // Under Wine a link to a file looks like a plain file, and deleting it by name deletes its target.
  DeleteFileA((folder + "README.TXT").c_str());
  MakeLink(outside + "precious.txt", folder + "README.TXT");
  MakeLink(outside + "keep.vrl", folder + "OLD.VRL");
  MakeLink(outside, folder + "Projects");
  ASSERT_TRUE(FileExists(folder + "Projects\\keep.vrl"));
  CreateDirectoryA(Group().c_str(), nullptr);
  WriteWholeFile(Group() + "\\UnInstall.lnk", "shortcut");
  MakeLink(outside + "notes.lnk", Group() + "\\Notes.lnk");
  // The per-user group of an earlier version goes through the same checks.
  CreateDirectoryA(UserGroup().c_str(), nullptr);
  MakeLink(outside + "notes.lnk", UserGroup() + "\\Varnel.lnk");
  RunRemoval();
  const std::string report = FinishAndReadTheReport();
  EXPECT_EQ(report.rfind(kKeptOpening, 0), 0u) << report;
  for (const std::string& kept : {folder + "README.TXT", folder + "OLD.VRL", folder + "Projects",
                                  Group() + "\\Notes.lnk", UserGroup() + "\\Varnel.lnk"}) {
    EXPECT_NE(report.find(kept + "\n"), std::string::npos) << kept << "\n" << report;
  }
  EXPECT_EQ(ReadWholeFile(outside + "keep.vrl"), "keep me");
  EXPECT_EQ(ReadWholeFile(outside + "precious.txt"), "precious");
  EXPECT_EQ(ReadWholeFile(outside + "notes.lnk"), "precious shortcut");
  EXPECT_FALSE(FileExists(folder + "QUILLOW.EXE"));
  EXPECT_FALSE(FileExists(Group() + "\\UnInstall.lnk"));
  // No Win32 call removes a symbolic link under Wine; the next cases need the folders empty.
  RunLinux("rm -f '" + UnixPath(folder + "README.TXT") + "' '" + UnixPath(folder + "OLD.VRL") + "' '" +
           UnixPath(folder + "Projects") + "' '" + UnixPath(Group() + "\\Notes.lnk") + "' '" +
           UnixPath(UserGroup() + "\\Varnel.lnk") + "'");
}

TEST_F(Removal, TakesThePerUserShortcutsOfAnEarlierVersionToo) {
  LayOutInstallation(set_, target_ + "\\");
  const char* const names[] = {"Varnel.lnk", "Read Me.lnk", "UnInstall.lnk"};
  for (const std::string& group : {Group(), UserGroup()}) {
    CreateDirectoryA(group.c_str(), nullptr);
    for (const char* name : names) WriteWholeFile(group + "\\" + name, "shortcut");
  }
  for (const std::string& link : {DesktopLink(), UserDesktopLink()}) WriteWholeFile(link, "shortcut");
  RunRemoval();
  EXPECT_EQ(FinishAndReadTheReport(), "Varnel has been UnInstalled.");
  for (const std::string& gone : {DesktopLink(), UserDesktopLink(), Group(), UserGroup()}) {
    EXPECT_FALSE(FileExists(gone)) << gone;
  }
}

TEST_F(Removal, DeletesOnlyTheProgramsOwnFilesAndNamesTheRest) {
  // An existing data folder that the wizard proposed, with a name long enough to wrap in dialog 132.
  const std::string data = MakeScratchFolder("install-data-" + std::string(120, 'd'));
  LayOutInstallation(set_, data);
  CreateDirectoryA((data + "Photos").c_str(), nullptr);
  const char* const theirs[] = {"taxes.xls", "data.txt", "Photos\\pic.jpg"};
  for (const char* name : theirs) WriteWholeFile(data + name, std::string("theirs: ") + name);
  WriteWholeFile(data + "MINE.VRL", "my project");
  WriteWholeFile(data + "MINE.~vr", "a save cut off");
  SetSetting("Configure", "ThisProgramDir", data);
  RunRemoval();
  const std::string report = FinishAndReadTheReport("uninstall-confirm-long-folder");
  EXPECT_EQ(report.rfind(kKeptOpening, 0), 0u) << report;
  for (const char* name : theirs) {
    EXPECT_EQ(ReadWholeFile(data + name), std::string("theirs: ") + name);
    EXPECT_NE(report.find(data + name + "\n"), std::string::npos) << name << "\n" << report;
  }
  for (const char* name : {"MINE.VRL", "MINE.~vr", "QUILLOW.EXE", "INSTALL.EXE", "SAMPLE.VRL", "README.TXT"}) {
    EXPECT_FALSE(FileExists(data + name)) << name;
  }
}

TEST_F(Removal, NothingIsRemovedWhileTheBoardRuns) {
  const std::string folder = target_ + "\\";
  LayOutInstallation(set_, folder);
  WriteWholeFile(folder + "MINE.VRL", "my project");
  Process board = Start(folder + "QUILLOW.EXE", "", folder);
  HWND window = WaitForBoard(board);
  ASSERT_NE(window, nullptr) << DescribeTopLevelWindows();
  RunRemoval();
  EXPECT_EQ(FinishAndReadTheReport(), "Varnel is running. Close it and UnInstall again: nothing has been removed.");
  EXPECT_EQ(ReadWholeFile(folder + "MINE.VRL"), "my project");
  for (const char* name : kSetFiles) {
    EXPECT_TRUE(FileExists(folder + (std::string(name) == "QUILLOW.EX_" ? "QUILLOW.EXE" : name))) << name;
  }
  CloseBoard(window);
}

TEST_F(Removal, AFolderWithoutTheProgramIsNeverEmptied) {
  const std::string documents = MakeScratchFolder("install-documents");
  WriteWholeFile(documents + "letter.txt", "dear");
  SetSetting("Configure", "ThisProgramDir", documents);
  RunRemoval();
  ASSERT_TRUE(Answer("Varnel",
                     "The installation of Varnel that you are UnInstalling from:\n" + documents + "\ncan not be found.",
                     "OK"));
  EXPECT_TRUE(WaitForExit(installer_, 10000));
  EXPECT_EQ(ReadWholeFile(documents + "letter.txt"), "dear");
}

}  // namespace
