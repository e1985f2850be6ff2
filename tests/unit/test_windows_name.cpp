// Tests for the Windows-name table, its fallback forms and the About box's texts.
#include "desktop/windows_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WindowsName(unsigned long platform, unsigned long major, unsigned long minor,
                        unsigned long build = 0) {
  char name[kWindowsNameSize];
  FormatWindowsName(name, sizeof(name), platform, major, minor, build);
  return name;
}

std::string Description(const char* windowsName, int bitness, const char* cpu) {
  char text[kSystemDescriptionSize];
  FormatSystemDescription(text, sizeof(text), windowsName, bitness, cpu);
  return text;
}

struct NameRow {
  unsigned long platform;
  unsigned long major;
  unsigned long minor;
  const char* name;
};

TEST(WindowsName, NamesEveryRowOfTheTable) {
  const NameRow rows[] = {
      {0, 3, 1, "Windows 3.1"},       {0, 7, 1, "Windows 3.1"},     {0, 3, 11, "Windows 3.11"},
      {1, 4, 0, "Windows 95"},        {1, 4, 10, "Windows 98"},     {1, 4, 90, "Windows ME"},
      {2, 3, 51, "Windows NT 3.51"},  {2, 4, 0, "Windows NT 4.0"},  {2, 5, 0, "Windows 2000"},
      {2, 5, 1, "Windows XP"},        {2, 6, 0, "Windows Vista"},   {2, 6, 1, "Windows 7 or 2008 R2"},
      {2, 5, 2, "Windows Server 2003 family"},
      {2, 6, 2, "Windows 8"},         {2, 6, 3, "Windows 8.1"},
  };
  for (const NameRow& row : rows) {
    EXPECT_EQ(WindowsName(row.platform, row.major, row.minor), row.name)
        << row.platform << " " << row.major << "." << row.minor;
  }
}

TEST(WindowsName, TellsElevenFromTenByTheBuild) {
  EXPECT_EQ(WindowsName(2, 10, 0, 10240), "Windows 10");
  EXPECT_EQ(WindowsName(2, 10, 0, 19045), "Windows 10");
  EXPECT_EQ(WindowsName(2, 10, 0, 21999), "Windows 10");
  EXPECT_EQ(WindowsName(2, 10, 0, 22000), "Windows 11");
  EXPECT_EQ(WindowsName(2, 10, 0, 26100), "Windows 11");
  // The build matters only for 10.0: an 8.1 with a large build is still 8.1.
  EXPECT_EQ(WindowsName(2, 6, 3, 22000), "Windows 8.1");
  EXPECT_EQ(WindowsName(2, 10, 1, 22000), "Windows Unknown(3) PF2 10.1");
}

TEST(WindowsName, FallsBackToTheFormOfItsPlatform) {
  const NameRow rows[] = {
      {0, 3, 0, "Windows Unknown(1) PF0 3.0"},   {1, 4, 20, "Windows Unknown(2) PF1 4.20"},
      {1, 5, 0, "Windows Unknown(2) PF1 5.0"},   {2, 4, 10, "Windows Unknown(3) PF2 4.10"},
      {2, 6, 4, "Windows Unknown(3) PF2 6.4"},   {2, 11, 0, "Windows Unknown(3) PF2 11.0"},
      {2, 2, 0, "Windows Unknown(3) PF2 2.0"},   {3, 6, 1, "Windows Unknown(4) PF3 6.1"},
  };
  for (const NameRow& row : rows) {
    EXPECT_EQ(WindowsName(row.platform, row.major, row.minor), row.name)
        << row.platform << " " << row.major << "." << row.minor;
  }
}

TEST(WindowsName, LongestFormFitsItsBuffer) {
  char name[kWindowsNameSize];
  const int length =
      FormatWindowsName(name, sizeof(name), 4294967295UL, 4294967295UL, 4294967295UL, 4294967295UL);
  EXPECT_LT(length, static_cast<int>(kWindowsNameSize));
  EXPECT_EQ(std::string(name), "Windows Unknown(4) PF4294967295 4294967295.4294967295");
}

TEST(SystemDescription, NamesBitnessAndProcessor) {
  EXPECT_EQ(Description(WindowsName(2, 5, 1).c_str(), 32, "x86"), "Windows XP, 32bit, CPU: x86");
  EXPECT_EQ(Description(WindowsName(2, 6, 1).c_str(), 64, "AMD64"), "Windows 7 or 2008 R2, 64bit, CPU: AMD64");
  EXPECT_EQ(Description(WindowsName(1, 4, 10).c_str(), 32, "x86"), "Windows 98, 32bit, CPU: x86");
}

TEST(SystemDescription, IsCutTo127Characters) {
  const std::string cpu(200, 'C');
  const std::string text = Description("Windows XP", 64, cpu.c_str());
  ASSERT_EQ(text.size(), kSystemDescriptionSize - 1);
  EXPECT_EQ(text, ("Windows XP, 64bit, CPU: " + cpu).substr(0, kSystemDescriptionSize - 1));
}

TEST(AboutText, PutsTheVersionLineAboveTheDescription) {
  char text[kAboutTextSize];
  FormatAboutText(text, sizeof(text), "09.12.01", 2, 5, 1, "Windows XP, 32bit, CPU: x86");
  EXPECT_EQ(std::string(text), "Version: 09.12.01 - Windows Type: 2.5.1\nWindows XP, 32bit, CPU: x86");
}

}  // namespace
