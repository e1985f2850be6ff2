// Tests for turning a typed project name into the path of its file.
#include "projects/project_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "desktop/bounded_copy.h"

namespace {

constexpr char kFolder[] = "C:\\Varnel\\";
constexpr char kDropped[] = "\n\r\"#%'()*+,/:;<=>?[\\]^`{|}~";

struct Outcome {
  int result;
  std::string buffer;
};

Outcome Build(const std::string& typed, const char* folder = kFolder) {
  char buffer[kPathBufferSize];
  CopyBounded(buffer, typed.c_str(), sizeof buffer);
  const int result = BuildProjectPath(buffer, folder);
  return {result, buffer};
}

void ExpectPath(const std::string& typed, const std::string& name) {
  const Outcome outcome = Build(typed);
  EXPECT_EQ(outcome.result, 1) << '"' << typed << '"';
  EXPECT_EQ(outcome.buffer, kFolder + name + ".vrl") << '"' << typed << '"';
}

void ExpectRefused(const std::string& typed, const char* folder = kFolder) {
  const Outcome outcome = Build(typed, folder);
  EXPECT_EQ(outcome.result, 0) << '"' << typed << '"';
  EXPECT_EQ(outcome.buffer, typed) << "buffer changed";
}

TEST(BuildProjectPath, CutsAtFirstFullStop) {
  ExpectPath("a.b.c", "a");
  ExpectPath("Report.txt", "Report");
  ExpectPath("Report .txt", "Report");
  ExpectRefused(".hidden");
}

TEST(BuildProjectPath, KeepsOnlyLastSpaceOfEachRun) {
  ExpectPath("  My   Project  ", " My Project");
  ExpectPath(" a", " a");
  ExpectPath("a *", "a ");
  ExpectPath("a *b", "a b");
  ExpectPath("a* b", "a b");
  ExpectRefused(" ");
  ExpectRefused("   ");
}

TEST(BuildProjectPath, DropsEachForbiddenCharacter) {
  ASSERT_EQ(std::strlen(kDropped), 27u);
  for (const char* c = kDropped; *c != '\0'; ++c) {
    ExpectPath(std::string("a") + *c + "b", "ab");
    ExpectRefused(std::string(3, *c));
  }
  ExpectRefused("***");
  ExpectRefused("?");
}

TEST(BuildProjectPath, KeepsEveryOtherByteIncludingHighOnes) {
  for (int byte = 1; byte <= 0xFF; ++byte) {
    const char c = static_cast<char>(byte);
    if (c == '.' || c == ' ' || std::strchr(kDropped, c) != nullptr) {
      continue;
    }
    ExpectPath(std::string("a") + c + "b", std::string("a") + c + "b");
  }
}

TEST(BuildProjectPath, RefusesDeviceNamesInAnyCase) {
  std::string devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "conout$"};
  for (const std::string& device : devices) {
    ExpectRefused(device);
    ExpectRefused(device + " ");
    ExpectRefused(device + ".txt");
  }
  for (char digit : std::string("0123456789\xB9\xB2\xB3")) {
    ExpectRefused(std::string("COM") + digit);
    ExpectRefused(std::string("lpt") + digit);
  }
  // A space before a dropped character survives, and Windows ignores it after a device name.
  ExpectRefused("CON ?");
  ExpectRefused("lpt\xB2  *");
  ExpectRefused("con");
  ExpectRefused("nUl");
  ExpectRefused("Com7");
  // Dropped characters are removed before the comparison.
  ExpectRefused("C*ON");
}

TEST(BuildProjectPath, AcceptsNamesThatOnlyResembleDevices) {
  ExpectPath("  CON  ", " CON");
  ExpectPath("COM\xB4", "COM\xB4");
  ExpectPath("LPT10", "LPT10");
  ExpectPath("CONSOLE", "CONSOLE");
  ExpectPath("COM", "COM");
}

TEST(BuildProjectPath, LimitsWholePathTo255Characters) {
  const std::string folder(200, 'f');
  const Outcome fits = Build(std::string(51, 'n'), folder.c_str());
  EXPECT_EQ(fits.result, 1);
  EXPECT_EQ(fits.buffer, folder + std::string(51, 'n') + ".vrl");
  EXPECT_EQ(fits.buffer.size(), 255u);

  ExpectRefused(std::string(52, 'n'), folder.c_str());
  ExpectRefused(std::string(255, 'n'), "");
}

TEST(BuildProjectPath, RefusesMissingArguments) {
  ExpectRefused("name", nullptr);
  EXPECT_EQ(BuildProjectPath(nullptr, kFolder), 0);
}

}  // namespace

TEST(IsRootedPath, OnlyPathsIndependentOfTheCurrentFolder) {
  for (const char* rooted : {"C:\\p\\a.vrl", "z:\\a.vrl", "\\SAMPLE.VRL", "\\\\server\\share\\a.vrl"}) {
    EXPECT_TRUE(IsRootedPath(rooted)) << rooted;
  }
  for (const char* other : {"Dw1", "a.vrl", "C:a.vrl", "1:\\a.vrl", "", "C:"}) EXPECT_FALSE(IsRootedPath(other)) << other;
  EXPECT_FALSE(IsRootedPath(nullptr));
}

