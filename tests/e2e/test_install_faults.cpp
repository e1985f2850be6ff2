// INSTALL_FAULTS.EXE, the twin of INSTALL.EXE whose file operations can fail one at a time, on the
// three paths that change files: a fresh installation, a reinstallation over a folder that holds
// the user's own projects and an edited sample, and removal through the UnInstall command. Each
// path runs once plainly to count its operations, then once per operation with exactly that one
// failing. Afterwards the user's files are as they were, every program file and shortcut is its old
// or its new content whole (or, where the path may remove it, gone), no temporary file is left, a
// message told the user, and the next plain run does its work. With VARNEL_FAULT_SWEEP=all every
// operation fails once; otherwise the first, a middle and the last one.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <vector>

#include "installer/install_fault_plan.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/install_steps.h"

using namespace e2e;

namespace {

enum class Sweep { kInstall, kReinstall, kUninstall };

const char* const kProgramFiles[] = {"QUILLOW.EXE", "README.TXT", "README.ICO", "SAMPLE.VRL", "UNINSTL.ICO",
                                     "INSTALL.EXE"};
// Where the user's own files live below the install folder.
const char* const kUserFiles[] = {"SAMPLE.VRL", "MINE.VRL", "Older\\OLD.VRL"};
const char* const kGroupLinks[] = {"Varnel.lnk", "Read Me.lnk", "UnInstall.lnk"};
const char* const kLinkTargets[] = {"QUILLOW.EXE", "README.TXT", "INSTALL.EXE"};
constexpr const char* kUsersLink = "Added by the user.lnk";
const char* const kFailureOpenings[] = {"Copying from:",
                                        "Source File:",
                                        "The Path to the Folder you Specified:",
                                        "There was an error while creating",
                                        "Conditions Prevented Proper Installation.",
                                        "Varnel could not be UnInstalled completely."};
const std::string kAbsent = "<absent>";
// Stands for a shortcut that this installation wrote.
const std::string kNewLink = "<new link>";

std::string Content(const std::string& path) { return FileExists(path) ? ReadWholeFile(path) : kAbsent; }

bool IsFailureMessage(const std::string& text) {
  for (const char* opening : kFailureOpenings) {
    if (text.rfind(opening, 0) == 0) return true;
  }
  return false;
}

bool AnyFailureMessage(const std::vector<std::string>& shown) {
  for (const std::string& text : shown) {
    if (IsFailureMessage(text)) return true;
  }
  return false;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "  " + line + "\n";
  return all;
}

// Every file below folder (ends with a backslash), as paths relative to it.
void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& files) {
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA((folder + "*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(folder + name + "\\", prefix + name + "\\", files);
    else files.push_back(prefix + name);
  } while (FindNextFileA(listing, &found));
  FindClose(listing);
}

void RemoveFlatFolder(const std::string& folder) {
  std::vector<std::string> files;
  ListFiles(folder + "\\", "", files);
  for (const std::string& name : files) DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

// The target of a shortcut as the shell reads it; empty when the file is no whole shell link.
std::string LinkTarget(const std::string& path) {
  static const bool initialised = SUCCEEDED(CoInitialize(nullptr));
  if (!initialised) return "";
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return "";
  }
  std::string target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char buffer[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide, STGM_READ)) && link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) {
      target = buffer;
    }
    file->Release();
  }
  link->Release();
  return target;
}

// Process ids of every INSTALL.EXE running in this prefix: the twin runs under that name, and so
// does the copy it starts from TEMP for removal.
std::set<DWORD> RunningInstallers() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const std::string path = entry.szExeFile;
    const std::string base = path.substr(path.find_last_of("\\/") + 1);
    if (lstrcmpiA(base.c_str(), "INSTALL.EXE") == 0) ids.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// Which operations fail, one run each: every one with VARNEL_FAULT_SWEEP=all, those of a list
// such as "4,9" (to look at one failure again), else the first, a middle and the last one.
std::set<long> ChosenFaults(long count) {
  const char* choice = std::getenv("VARNEL_FAULT_SWEEP");
  std::set<long> chosen;
  if (choice != nullptr && std::string(choice) == "all") {
    for (long n = 1; n <= count; ++n) chosen.insert(n);
  } else if (choice != nullptr && choice[0] != '\0') {
    for (const char* next = choice; *next != '\0';) {
      char* end = nullptr;
      const long n = std::strtol(next, &end, 10);
      if (n >= 1 && n <= count) chosen.insert(n);
      next = *end != '\0' ? end + 1 : end;
    }
  } else {
    chosen = {1, (count + 1) / 2, count};
  }
  return chosen;
}

// The plan in shared memory that every process of the twin reads.
class FaultPlanBlock {
 public:
  FaultPlanBlock()
      : mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FaultPlan),
                                    kFaultPlanName)),
        plan_(mapping_ != nullptr ? static_cast<FaultPlan*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0,
                                                                          sizeof(FaultPlan)))
                                  : nullptr) {}
  ~FaultPlanBlock() {
    if (plan_ != nullptr) UnmapViewOfFile(plan_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
  }
  FaultPlanBlock(const FaultPlanBlock&) = delete;
  FaultPlanBlock& operator=(const FaultPlanBlock&) = delete;

  bool Valid() const { return plan_ != nullptr; }
  // Counting starts afresh; operation failAt fails, none for 0.
  void Arm(long failAt) {
    ZeroMemory(plan_, sizeof(FaultPlan));
    plan_->failAt = failAt;
  }
  long Count() const { return plan_->count; }
  bool Injected() const { return plan_->injected != 0; }
  std::string Operation(long number) const {
    return number >= 1 && number <= kFaultPlanRecords ? std::string(plan_->operations[number - 1]) : "?";
  }

 private:
  HANDLE mapping_;
  FaultPlan* plan_;
};

class InstallFaults : public testing::Test {
 protected:
  void SetUp() override {
    EndLeftoverPrograms();
    ASSERT_TRUE(plan_.Valid());
    set_ = MakeScratchFolder("fault-set");
    for (const char* name : kSetFiles) {
      if (std::string(name) == "INSTALL.EXE") continue;
      CopyFileA((SetSource() + "\\" + name).c_str(), (set_ + name).c_str(), FALSE);
    }
    const std::string twin = WindowsPathOf("VARNEL_FAULT_INSTALLER", "INSTALL_FAULTS.EXE");
    ASSERT_TRUE(CopyFileA(twin.c_str(), (set_ + "INSTALL.EXE").c_str(), FALSE)) << twin;
    for (const char* name : kProgramFiles) {
      newBytes_[name] = ReadWholeFile(set_ + (std::string(name) == "QUILLOW.EXE" ? "QUILLOW.EX_" : name));
    }
    theirs_["SAMPLE.VRL"] = ReadWholeFile(set_ + "SAMPLE.VRL").replace(0, 7, "Edited!");
    theirs_["MINE.VRL"] = "my project";
    theirs_["Older\\OLD.VRL"] = "an older project";
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    tempCopy_ = std::string(windows) + "\\TEMP\\INSTALL.EXE";
    target_ = MakeScratchFolder("fault-target") + "QUILLOW";
  }
  void TearDown() override { EndLeftoverPrograms(); }

  std::string Old(const std::string& name) const { return "old " + name; }

  // The state before a run of the path: for a reinstallation an older installation with the
  // user's projects and shortcuts; for removal this build's installation with the same.
  void Prepare(Sweep sweep) {
    EndLeftoverPrograms();
    MakeScratchFolder("fault-target");
    ClearSettings();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteFileA(DesktopLink().c_str());
    RemoveFlatFolder(Group());
    if (sweep == Sweep::kInstall) return;
    const std::string folder = target_ + "\\";
    CreateDirectoryA(target_.c_str(), nullptr);
    CreateDirectoryA((folder + "Older").c_str(), nullptr);
    for (const char* name : kProgramFiles) {
      WriteWholeFile(folder + name, sweep == Sweep::kReinstall ? Old(name) : newBytes_[name]);
    }
    for (const auto& [name, bytes] : theirs_) WriteWholeFile(folder + name, bytes);
    // A program file that an older installation left read-only.
    if (sweep == Sweep::kReinstall) SetFileAttributesA((folder + "QUILLOW.EXE").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteWholeFile(DesktopLink(), Old("Varnel.lnk"));
    CreateDirectoryA(Group().c_str(), nullptr);
    for (const char* name : kGroupLinks) WriteWholeFile(Group() + "\\" + name, Old(name));
    WriteWholeFile(Group() + "\\" + kUsersLink, Old(kUsersLink));
    SetSetting("Configure", "ThisProgramDir", folder);
    // The copy that an earlier removal left in TEMP.
    WriteWholeFile(tempCopy_, Old("uninstaller"));
  }

  // Answers what the installer shows until no INSTALL.EXE runs any more, and returns the texts of
  // its message boxes in order: the wizard installs into the target, the removal is confirmed,
  // and a wizard that was handed back another folder is left with Exit.
  std::vector<std::string> DriveToTheEnd() {
    std::vector<std::string> shown;
    std::set<HWND> pressed;
    const bool ended = WaitUntil(
        [&] {
          const std::set<DWORD> installers = RunningInstallers();
          if (installers.empty()) return true;
          for (HWND window : FindWindowsByCaption("Varnel")) {
            if (installers.count(ProcessOfWindow(window)) == 0 || ClassName(window) != "#32770") continue;
            if (GetDlgItem(window, kWizardNext) != nullptr) {
              if (pressed.insert(window).second) {
                SetWindowTextA(GetDlgItem(window, kWizardFolder), target_.c_str());
                Press(window, kWizardNext);
              } else if (ControlText(window, kWizardFolder) != target_ &&
                         pressed.insert(GetDlgItem(window, kWizardExit)).second) {
                Press(window, kWizardExit);
              }
            } else if (GetDlgItem(window, kUninstallFinish) != nullptr) {
              if (pressed.insert(window).second) Press(window, kUninstallFinish);
            } else if (const std::string text = MessageBoxText(window); !text.empty()) {
              shown.push_back(text);
              AnswerMessageBox(window, text == "Do you really want to UnInstall Varnel?" ? "Yes" : "OK");
              WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 10000);
            }
          }
          return false;
        },
        120000);
    EXPECT_TRUE(ended) << "the installer did not end; it showed:\n" << Joined(shown) << DescribeTopLevelWindows();
    // The board that a finished installation starts has nothing to do here.
    EndLeftoverPrograms();
    return shown;
  }

  std::vector<std::string> Run(Sweep sweep) {
    if (sweep == Sweep::kUninstall) Start(target_ + "\\INSTALL.EXE", "UnInstall", target_);
    else Start(set_ + "INSTALL.EXE", "", set_);
    return DriveToTheEnd();
  }

  // What a run of the path may leave of a file: what it held before or what a finished run leaves,
  // each whole; a finished run leaves only the latter. New shortcuts hold file times, so they are
  // judged by what the shell reads from them.
  void Expect(const std::string& path, const std::string& before, const std::string& after, bool finished,
              const char* linkTarget, std::vector<std::string>& lost) {
    const std::string content = Content(path);
    if (content == after || (!finished && content == before)) return;
    const bool newLinkAllowed = after == kNewLink || (!finished && before == kNewLink);
    if (newLinkAllowed && content != kAbsent && LinkTarget(path) == target_ + "\\" + linkTarget) return;
    lost.push_back(path + ": " + (content == kAbsent ? content : std::to_string(content.size()) + " other bytes"));
  }

  void CheckFiles(Sweep sweep, bool finished, std::vector<std::string>& lost, std::vector<std::string>& stray) {
    const std::string folder = target_ + "\\";
    const bool removal = sweep == Sweep::kUninstall;
    std::set<std::string> known;
    for (const char* name : kProgramFiles) {
      if (sweep != Sweep::kInstall && std::string(name) == "SAMPLE.VRL") continue;
      known.insert(name);
      const std::string before = sweep == Sweep::kInstall ? kAbsent : removal ? newBytes_[name] : Old(name);
      Expect(folder + name, before, removal ? kAbsent : newBytes_[name], finished, nullptr, lost);
    }
    if (sweep != Sweep::kInstall) {
      for (const auto& [name, bytes] : theirs_) {
        known.insert(name);
        Expect(folder + name, bytes, removal ? kAbsent : bytes, finished, nullptr, lost);
      }
    }
    const std::string shortcutAfter = removal ? kAbsent : kNewLink;
    Expect(DesktopLink(), sweep == Sweep::kInstall ? kAbsent : Old("Varnel.lnk"), shortcutAfter, finished,
           "QUILLOW.EXE", lost);
    for (size_t i = 0; i < std::size(kGroupLinks); ++i) {
      const std::string path = Group() + "\\" + kGroupLinks[i];
      // A reinstallation removes the old group before it makes the new one.
      if (sweep == Sweep::kReinstall && !finished && !FileExists(path)) continue;
      Expect(path, sweep == Sweep::kInstall ? kAbsent : Old(kGroupLinks[i]), shortcutAfter, finished, kLinkTargets[i],
             lost);
    }
    Expect(Group() + "\\" + kUsersLink, sweep == Sweep::kInstall ? kAbsent : Old(kUsersLink), kAbsent, finished,
           nullptr, lost);
    if (removal) {
      // The copy in TEMP runs the removal and stays; a copy that failed is gone.
      if (finished || FileExists(tempCopy_)) {
        Expect(tempCopy_, Old("uninstaller"), newBytes_["INSTALL.EXE"], finished, nullptr, lost);
      }
      if (finished && FileExists(target_)) lost.push_back(target_ + ": still there");
    }
    // Nothing else: a temporary copy or shortcut left behind shows up here.
    std::vector<std::string> files;
    ListFiles(folder, "", files);
    bool moreThanThePrograms = FileExists(folder + "Older");
    for (const std::string& name : files) {
      if (known.count(name) == 0) stray.push_back(folder + name);
      if (name != "QUILLOW.EXE" && name != "INSTALL.EXE") moreThanThePrograms = true;
    }
    // A removal cut short leaves the program and the installer while anything else is left, so
    // that the next UnInstall finds the installation and can finish.
    const bool programsThere = FileExists(folder + "QUILLOW.EXE") && FileExists(folder + "INSTALL.EXE");
    if (removal && moreThanThePrograms && !programsThere) {
      stray.push_back(folder + ": left without its program files, where the next UnInstall cannot find it");
    }
    files.clear();
    ListFiles(Group() + "\\", "", files);
    for (const std::string& name : files) {
      if (name != kUsersLink && name != kGroupLinks[0] && name != kGroupLinks[1] && name != kGroupLinks[2]) {
        stray.push_back(Group() + "\\" + name);
      }
    }
    if (FileExists(DesktopLink() + ".new")) stray.push_back(DesktopLink() + ".new");
  }

  // The next plain run after a failure: an installation must install whole; a removal must remove
  // everything, by itself where the folder is still an installation, else after a new one.
  void PlainRunAfterwards(Sweep sweep, const std::string& label) {
    plan_.Arm(0);
    const bool stillInstalled = FileExists(target_ + "\\QUILLOW.EXE") && FileExists(target_ + "\\INSTALL.EXE");
    if (sweep != Sweep::kUninstall || !stillInstalled) {
      const std::vector<std::string> shown = Run(Sweep::kInstall);
      EXPECT_FALSE(AnyFailureMessage(shown)) << label << ": the next installation failed:\n" << Joined(shown);
    }
    if (sweep == Sweep::kUninstall) {
      const std::vector<std::string> shown = Run(Sweep::kUninstall);
      EXPECT_TRUE(!shown.empty() && shown.back() == "Varnel has been UnInstalled.")
          << label << ": the next removal did not finish:\n" << Joined(shown);
    }
    std::vector<std::string> lost, stray;
    CheckFiles(sweep, true, lost, stray);
    EXPECT_TRUE(lost.empty() && stray.empty())
        << label << ": after the next plain run:\n" << Joined(lost) << Joined(stray);
  }

  // Counts the path's operations in a plain run, then fails each chosen one in turn; prints the
  // sweep's line.
  void SweepFaults(Sweep sweep, const char* name) {
    Prepare(sweep);
    plan_.Arm(0);
    const std::vector<std::string> plain = Run(sweep);
    const long count = plan_.Count();
    std::vector<std::string> operations;
    for (long n = 1; n <= count; ++n) operations.push_back(plan_.Operation(n));
    ASSERT_FALSE(AnyFailureMessage(plain)) << "the plain run failed:\n" << Joined(plain);
    ASSERT_GT(count, 0);
    ASSERT_LE(count, kFaultPlanRecords);
    {
      std::vector<std::string> lost, stray;
      CheckFiles(sweep, true, lost, stray);
      ASSERT_TRUE(lost.empty() && stray.empty()) << "after the plain run:\n" << Joined(lost) << Joined(stray);
    }
    const std::set<long> chosen = ChosenFaults(count);
    if (chosen.size() == static_cast<size_t>(count)) {
      for (long n = 1; n <= count; ++n) std::printf("%s operation %ld: %s\n", name, n, operations[n - 1].c_str());
    }
    int injected = 0;
    size_t filesLost = 0;
    for (long n : chosen) {
      const std::string label = std::string(name) + " fault " + std::to_string(n) + " (" + operations[n - 1] + ")";
      Prepare(sweep);
      plan_.Arm(n);
      const std::vector<std::string> shown = Run(sweep);
      if (plan_.Injected()) ++injected;
      EXPECT_TRUE(plan_.Injected()) << label << ": never reached";
      EXPECT_EQ(plan_.Operation(n), operations[n - 1]) << label << ": another operation came at this place";
      EXPECT_TRUE(AnyFailureMessage(shown)) << label << ": no message told of it; shown:\n" << Joined(shown);
      std::vector<std::string> lost, stray;
      CheckFiles(sweep, false, lost, stray);
      filesLost += lost.size();
      EXPECT_TRUE(lost.empty()) << label << ": files lost or damaged:\n" << Joined(lost);
      EXPECT_TRUE(stray.empty()) << label << ": files left behind:\n" << Joined(stray);
      PlainRunAfterwards(sweep, label);
    }
    std::printf("fault sweep: %s: %ld operations, %d faults injected, %zu files lost\n", name, count, injected,
                filesLost);
    std::fflush(stdout);
  }

  FaultPlanBlock plan_;
  std::string set_;
  std::string target_;
  std::string tempCopy_;
  std::map<std::string, std::string> newBytes_;
  std::map<std::string, std::string> theirs_;
};

TEST_F(InstallFaults, Install) { SweepFaults(Sweep::kInstall, "install"); }

TEST_F(InstallFaults, Reinstall) { SweepFaults(Sweep::kReinstall, "reinstall"); }

TEST_F(InstallFaults, Uninstall) { SweepFaults(Sweep::kUninstall, "uninstall"); }

}  // namespace
