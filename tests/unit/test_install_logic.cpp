// The installer's decisions: trimming, modes, the default folder, progress, the old settings
// file's lines and which folders removal may empty.
#include "installer/install_logic.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Trimmed(std::string text, bool anySlash = false) {
  if (anySlash) TrimPathTailAnySlash(text.data());
  else TrimPathTail(text.data());
  return text.c_str();
}

TEST(TrimPathTail, RemovesMixedTailRepeatedlyAndKeepsForwardSlashes) {
  EXPECT_EQ(Trimmed("C:\\Program Files\\QUILLOW\\ \r\n\\"), "C:\\Program Files\\QUILLOW");
  EXPECT_EQ(Trimmed("C:\\"), "C:");
  EXPECT_EQ(Trimmed("\\\\ \r\n"), "");
  EXPECT_EQ(Trimmed("C:/Windows/"), "C:/Windows/");
}

TEST(TrimPathTail, AnySlashFormRemovesForwardSlashesToo) {
  EXPECT_EQ(Trimmed("C:\\Windows/\\/ ", true), "C:\\Windows");
  EXPECT_EQ(Trimmed("//", true), "");
}

TEST(InstallMode, WholeArgumentComparedExactly) {
  EXPECT_EQ(ModeFromCommandLine("UnInstall"), InstallMode::kRelay);
  EXPECT_EQ(ModeFromCommandLine("UnInstall2"), InstallMode::kUninstall);
  EXPECT_EQ(ModeFromCommandLine("uninstall"), InstallMode::kInstall);
  EXPECT_EQ(ModeFromCommandLine("UnInstall "), InstallMode::kInstall);
  EXPECT_EQ(ModeFromCommandLine(""), InstallMode::kInstall);
}

TEST(DefaultFolder, TakesTheDriveOfTheSourceFolder) {
  char folder[261];
  FormDefaultFolder("E:\\set", folder, sizeof(folder));
  EXPECT_STREQ(folder, "E:\\Program Files\\QUILLOW");
}

TEST(Proposal, LastProjectGivesItsFolderAndStoredFolderGetsOneBackslash) {
  char path[261] = "D:\\Data\\notes.vrl";
  CutAtLastBackslash(path);
  EXPECT_STREQ(path, "D:\\Data");
  EXPECT_TRUE(AppendTrailingBackslash(path, sizeof(path)));
  EXPECT_TRUE(AppendTrailingBackslash(path, sizeof(path)));
  EXPECT_STREQ(path, "D:\\Data\\");
}

TEST(Progress, FourteenBarsPerFileAndNeverBeyond250) {
  char bar[251] = {};
  for (int i = 0; i < 3; ++i) AdvanceProgress(bar, sizeof(bar));
  EXPECT_EQ(std::string(bar), std::string(42, '|'));
  for (int i = 0; i < 20; ++i) AdvanceProgress(bar, sizeof(bar));
  EXPECT_EQ(std::string(bar), std::string(250, '|'));
}

struct IniRun {
  char section[259] = {};
  std::string stored;  // "section|name|data;" for every value stored
  void Feed(std::string line) {
    char buffer[259];
    snprintf(buffer, sizeof(buffer), "%s", line.c_str());
    char name[259];
    char data[259];
    if (ParseIniLine(buffer, section, sizeof(section), name, sizeof(name), data, sizeof(data)) ==
        IniLineResult::kValue) {
      stored += std::string(section) + "|" + name + "|" + data + ";";
    }
  }
};

TEST(IniLines, SectionsValuesCommentsAndBlankLines) {
  IniRun run;
  for (const char* line : {"Orphan=1\r\n", "[Options]]x\n", "; comment\n", "\n", "\r\n", "TopMost=0\r\n",
                           "Key=\n", "a=b=c\n", "NoEquals\n", "[Files]\n", "Current=C:\\x.vrl"}) {
    run.Feed(line);
  }
  EXPECT_EQ(run.stored,
            "Options]|TopMost|0;Options]|Key|;Options]|a|b=c;Options]|NoEquals|;Files|Current|C:\\x.vrl;");
}

TEST(IniLines, LongLineArrivesInPiecesEachItsOwnLine) {
  IniRun run;
  run.Feed("[S]");
  const std::string first = "name=" + std::string(253, 'x');  // one piece of 258 characters
  run.Feed(first);
  run.Feed("rest=tail\n");
  EXPECT_EQ(run.stored, "S|name|" + std::string(253, 'x') + ";S|rest|tail;");
}

TEST(RemovalRefusals, OnlyAnExistingFolderWithTheProgramInIt) {
  EXPECT_TRUE(MayRemoveInstallFolder("C:\\Program Files\\QUILLOW", "C:\\windows", true, true));
  EXPECT_FALSE(MayRemoveInstallFolder("C:\\Users\\ann\\Documents", "C:\\windows", true, false));
  EXPECT_FALSE(MayRemoveInstallFolder("C:", "C:\\windows", true, true));
  EXPECT_FALSE(MayRemoveInstallFolder("C:\\WINDOWS", "C:\\windows", true, true));
  EXPECT_FALSE(MayRemoveInstallFolder("", "C:\\windows", true, true));
  EXPECT_FALSE(MayRemoveInstallFolder("C:\\Gone", "C:\\windows", false, false));
}

TEST(RemovalOrder, TheProgramAndTheInstallerGoLastInAnyLetterCase) {
  EXPECT_TRUE(IsRemovedLast("QUILLOW.EXE"));
  EXPECT_TRUE(IsRemovedLast("install.exe"));
  EXPECT_FALSE(IsRemovedLast("QUILLOW.EX_"));
  EXPECT_FALSE(IsRemovedLast("MINE.VRL"));
}

}  // namespace
