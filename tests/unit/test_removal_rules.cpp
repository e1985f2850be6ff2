// What removal may delete, how a handle's final path is compared, and the set's record.
#include "installer/removal_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installer/install_logic.h"
#include "installer/set_record.h"

namespace {

TEST(ProgramsOwnFiles, TheSetProjectsAndTheProgramsTemporariesOnly) {
  for (const char* name : {"QUILLOW.EXE", "readme.txt", "SAMPLE.VRL", "Mine.vrl", "x.~vr", "x.~vb", "x.~bk", "QUILLOW.EXE.new"}) {
    EXPECT_TRUE(IsProgramsOwnFile(name, false)) << name;
  }
  for (const char* name : {"taxes.xls", "data.txt", "pic.jpg", ".vrl", "notes.new", "vrl", "QUILLOW.EX_", ""}) {
    EXPECT_FALSE(IsProgramsOwnFile(name, false)) << name;
  }
  // A .tmp is a consolidation's only beside its project.
  EXPECT_FALSE(IsProgramsOwnFile("x.tmp", false));
  EXPECT_TRUE(IsProgramsOwnFile("x.tmp", true));
  char project[32];
  ProjectOfTemporary("Work 1.TMP", project, sizeof(project));
  EXPECT_STREQ(project, "Work 1.vrl");
  ProjectOfTemporary("x.txt", project, sizeof(project));
  EXPECT_STREQ(project, "");
}

TEST(FinalPathIs, TheSamePlaceOnADriveOrShareInAnyLetterCase) {
  EXPECT_TRUE(FinalPathIs("\\\\?\\C:\\Program Files\\QUILLOW\\a.vrl", "c:\\program files\\quillow\\A.VRL"));
  EXPECT_TRUE(FinalPathIs("C:\\x\\a.vrl", "C:\\x\\a.vrl"));
  EXPECT_TRUE(FinalPathIs("\\\\?\\UNC\\server\\share\\a.vrl", "\\\\server\\share\\a.vrl"));
  // A link's target elsewhere, and Wine's name for a place outside its drives.
  EXPECT_FALSE(FinalPathIs("\\\\?\\D:\\Data\\taxes.xls", "C:\\x\\README.TXT"));
  EXPECT_FALSE(FinalPathIs("\\\\?\\C:\\x\\inner.txt", "C:\\x\\innerlink.txt"));
  EXPECT_FALSE(FinalPathIs("\\\\?\\unix\\tmp\\precious.txt", "unix\\tmp\\precious.txt"));
  EXPECT_FALSE(FinalPathIs("\\\\?\\UNC\\server\\share\\a", "C:\\a"));
  EXPECT_FALSE(FinalPathIs("\\\\?\\C:\\x", ""));
}

TEST(InstallFolderLimit, LeavesRoomForTheTrailingBackslashTheBoardReads) {
  EXPECT_EQ(kInstallFolderMaxLength + 1, static_cast<std::size_t>(kProgramDirMaxLength));
}

TEST(SetRecord, ReadsEachFilesSizeAndChecksum) {
  const std::string text = "QUILLOW.EX_ 503808 fe9b8452\nREADME.TXT 5574 69dd9dea\r\n\n";
  SetFileRecord records[kSetRecordCapacity];
  ASSERT_EQ(ParseSetRecord(text.data(), text.size(), records, kSetRecordCapacity), 2);
  EXPECT_STREQ(records[0].name, "QUILLOW.EX_");
  EXPECT_EQ(records[0].size, 503808ul);
  EXPECT_EQ(records[0].crc, 0xfe9b8452u);
  EXPECT_STREQ(records[1].name, "README.TXT");
  EXPECT_EQ(records[1].crc, 0x69dd9deau);
}

TEST(SetRecord, RefusesMalformedLinesAndTooManyFiles) {
  SetFileRecord records[2];
  for (const std::string text : {"A 12\n", "A -1 00000000\n", "A 12 1234\n", "A 12 0000000g\n", "A 12 00000000 x\n"}) {
    EXPECT_EQ(ParseSetRecord(text.data(), text.size(), records, 2), -1) << text;
  }
  const std::string three = "A 1 00000000\nB 2 00000000\nC 3 00000000\n";
  EXPECT_EQ(ParseSetRecord(three.data(), three.size(), records, 2), -1);
}

TEST(SetRecord, Crc32IsGzipsAndContinuesOverPieces) {
  EXPECT_EQ(Crc32(0, "123456789", 9), 0xcbf43926u);
  EXPECT_EQ(Crc32(Crc32(0, "1234", 4), "56789", 5), 0xcbf43926u);
  EXPECT_EQ(Crc32(0, "", 0), 0u);
}

}  // namespace
