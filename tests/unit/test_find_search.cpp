// Find in Projects without its window: the text test, the slot tests, resuming, and reading files.
#include "projects/find_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

// First in this file, before any test resets it: the board can run Find before its start-up resets
// the state, which must then already cover all projects.
TEST(FindState, CoversAllProjectsFromTheProgramsStart) {
  EXPECT_EQ(FindState.allProjects, 1);
  EXPECT_EQ(FindState.lastScope, kScopeNone);
}

TEST(ContainsText, MatchCaseComparesBytesAndOtherwiseOnlyAToZFold) {
  EXPECT_EQ(ContainsText("say Hello there", "Hello", 1), 1);
  EXPECT_EQ(ContainsText("say Hello there", "hello", 1), 0);
  EXPECT_EQ(ContainsText("say HELLO", "hello", 0), 1);
  EXPECT_EQ(ContainsText("abc", "ABC", 0), 1);
  EXPECT_EQ(ContainsText("x[y", "x{y", 0), 0) << "[ and { differ by the case bit but are no letters";
  EXPECT_EQ(ContainsText("caf\xC9", "caf\xE9", 0), 0) << "accented letters do not fold";
}

// Shift JIS (code page 932): two-byte characters start with 81 to 9F or E0 to FC, and their
// second byte may be a letter or another character's first byte.
TEST(ContainsText, UnderADoubleByteCodePageMatchesWholeCharactersAndFoldsSingleByteLettersOnly) {
  const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  const LeadBytes cp932 = LeadBytes::FromRanges(ranges, sizeof ranges);
  // "\x9F\x82" is one character; "\x82\x9F\x82\x9F" two others that hold its bytes across them.
  EXPECT_EQ(ContainsText("\x82\x9F\x82\x9F", "\x9F\x82", 1, cp932), 0);
  EXPECT_EQ(ContainsText("\x82\x9F\x82\x9F", "\x9F\x82", 0, cp932), 0);
  // The second bytes 41 and 61 are the letters A and a, but belong to two different characters.
  EXPECT_EQ(ContainsText("\x83\x61", "\x83\x41", 0, cp932), 0);
  EXPECT_EQ(ContainsText("\x83\x41", "a", 0, cp932), 0);
  EXPECT_EQ(ContainsText("\x83\x41", "A", 1, cp932), 0);
  // A match may not end inside a character either.
  EXPECT_EQ(ContainsText("x\x83\x41", "x\x83", 1, cp932), 0);

  EXPECT_EQ(ContainsText("\x82\xA0\x83\x41\x82\xA0", "\x83\x41", 1, cp932), 1);
  EXPECT_EQ(ContainsText("\x82\xA0Say \x83\x41" "BC", "say \x83\x41" "bc", 0, cp932), 1);
  EXPECT_EQ(ContainsText("\x82\xA0Say \x83\x41" "BC", "say \x83\x41" "bc", 1, cp932), 0);
  EXPECT_EQ(ContainsText("abc\x82", "C\x82", 0, cp932), 1) << "a lead byte at the end stands alone";
  EXPECT_EQ(ContainsText("\x82\x9F", "", 0, cp932), 1);
  // The same bytes under a single-byte code page are single characters.
  EXPECT_EQ(ContainsText("\x82\x9F\x82\x9F", "\x9F\x82", 1, LeadBytes()), 1);
  EXPECT_EQ(ContainsText("\x83\x41", "a", 0, LeadBytes()), 1);
}

// The result names the project by what follows the last backslash, and a backslash's byte as the
// second byte of a character (0x83 0x5C in code page 932) is no backslash.
TEST(ProjectNameShown, ABackslashByteInsideACharacterEndsNoFolder) {
  const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  UseLeadBytes(LeadBytes::FromRanges(ranges, sizeof ranges));
  const std::string shown = ProjectNameShown("C:\\Projects\\\x83\x5C.vrl");
  UseLeadBytes(LeadBytes());
  EXPECT_EQ(shown, "\x83\x5C.vrl");
  EXPECT_EQ(std::string(ProjectNameShown("C:\\Projects\\\x83\x5C.vrl")), ".vrl");
  EXPECT_EQ(std::string(ProjectNameShown("Alpha.vrl")), "Alpha.vrl");
}

TEST(ContainsText, FindsAtTheVeryEndButNeverPastTheHaystack) {
  EXPECT_EQ(ContainsText("abcdef", "DEF", 0), 1);
  EXPECT_EQ(ContainsText("abcde", "def", 0), 0);
  EXPECT_EQ(ContainsText("ab", "abc", 1), 0);
  // A caption that fills its 32 bytes without a NUL ends at its width, not in the next one.
  auto page = std::make_unique<ProjectPage>();
  ClearPage(*page);
  std::memset(page->names[0], 'x', kButtonNameSize);
  std::memcpy(page->names[1], "yz", 2);
  EXPECT_EQ(FieldView(page->names[0]).size(), kButtonNameSize);
  EXPECT_EQ(ContainsText(FieldView(page->names[0]), "xy", 0), 0);
}

// Projects by name; a name without a page cannot be read. Counts the reads.
class FakeLibrary : public ProjectSource {
 public:
  std::vector<std::string> names;
  std::map<std::string, std::shared_ptr<ProjectPage>> pages;
  std::map<std::string, int> reads;

  ProjectPage& Add(const std::string& name, bool readable = true) {
    names.push_back(name);
    auto page = std::make_shared<ProjectPage>();
    ClearPage(*page);
    if (readable) pages[name] = page;
    return *page;
  }
  int ProjectCount() override { return static_cast<int>(names.size()); }
  int ProjectName(int index, char* name, std::size_t size) override {
    return std::snprintf(name, size, "%s", names.at(index).c_str()) > 0 ? 1 : 0;
  }
  int ReadProject(const char* name, ProjectPage& page) override {
    ++reads[name];
    if (pages.count(name) == 0) return 0;
    page = *pages[name];
    return 1;
  }
};

class FindSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFindState();
    ASSERT_EQ(AllocateFindBuffer(), 1);
    ClearPage(*current_);
    std::snprintf(FindState.searchText, kSearchTextSize, "%s", "key");
  }
  void TearDown() override { ReleaseFindBuffer(); }
  // The slot of the match, or -1 after "Search Complete.".
  int Press(int button) { return RunFind(FindState, *current_, library_, button) == 1 ? FindState.slot : -1; }
  std::unique_ptr<ProjectPage> current_ = std::make_unique<ProjectPage>();
  FakeLibrary library_;
};

TEST_F(FindSearch, FieldsChooseWhatIsTested) {
  std::snprintf(current_->names[4], kButtonNameSize, "Key name");
  std::snprintf(current_->texts[7], kTextFieldSize, "a key text");
  FindState.allProjects = 0;
  FindState.fields = kFindInTextFields;
  EXPECT_EQ(Press(IDC_FIND_FIRST), 7);
  FindState.fields = kFindInButtons;
  EXPECT_EQ(Press(IDC_FIND_FIRST), 4);
  FindState.matchCase = 1;
  EXPECT_EQ(Press(IDC_FIND_FIRST), -1);
}

TEST_F(FindSearch, CurrentProjectResumesAfterTheLastMatchAndCompletesAfterSlot33) {
  std::snprintf(current_->texts[3], kTextFieldSize, "key");
  std::snprintf(current_->names[32], kButtonNameSize, "key");
  FindState.allProjects = 0;
  EXPECT_EQ(Press(IDC_FIND_FIRST), 3);
  EXPECT_EQ(Press(IDC_FIND_NEXT), 32);
  EXPECT_EQ(Press(IDC_FIND_NEXT), -1);
  EXPECT_EQ(FindState.lastScope, kScopeNone);
  EXPECT_EQ(Press(IDC_FIND_NEXT), 3) << "without a last scope Find Next starts over";
}

TEST_F(FindSearch, AllProjectsGoInListOrderReadingEachOnceAndSkippingUnreadable) {
  std::snprintf(library_.Add("A.vrl").texts[1], kTextFieldSize, "key");
  std::snprintf(library_.pages["A.vrl"]->texts[32], kTextFieldSize, "key");
  library_.Add("B.vrl", false);
  std::snprintf(library_.Add("C.vrl").names[0], kButtonNameSize, "KEY");
  EXPECT_EQ(Press(IDC_FIND_FIRST), 1);
  EXPECT_EQ(Press(IDC_FIND_NEXT), 32);
  EXPECT_EQ(Press(IDC_FIND_NEXT), 0);
  EXPECT_STREQ(FindState.projectName, "C.vrl");
  EXPECT_EQ(Press(IDC_FIND_NEXT), -1);
  EXPECT_EQ(library_.reads, (std::map<std::string, int>{{"A.vrl", 1}, {"B.vrl", 1}, {"C.vrl", 1}}));
}

TEST_F(FindSearch, AChangeOfScopeStartsOver) {
  std::snprintf(library_.Add("A.vrl").texts[5], kTextFieldSize, "key");
  std::snprintf(library_.pages["A.vrl"]->texts[9], kTextFieldSize, "key");
  std::snprintf(current_->texts[0], kTextFieldSize, "key");
  std::snprintf(current_->texts[6], kTextFieldSize, "key");
  EXPECT_EQ(Press(IDC_FIND_FIRST), 5);
  FindState.allProjects = 0;
  EXPECT_EQ(Press(IDC_FIND_NEXT), 0);
  FindState.allProjects = 1;
  EXPECT_EQ(Press(IDC_FIND_NEXT), 5);
}

TEST(ReadProjectToSearch, ReadsOneWholeProjectOfALongerFileAndSkipsAShorterOne) {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnel-find-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path folder = pattern;
  std::string bytes(kProjectPageSize + 1000, 'k');  // no field has a NUL
  std::ofstream(folder / "Long.vrl", std::ios::binary) << bytes;
  std::ofstream(folder / "Short.vrl", std::ios::binary) << bytes.substr(0, kProjectPageSize - 1);
  auto page = std::make_unique<ProjectPage>();
  const std::string prefix = folder.string() + "/";
  EXPECT_EQ(ReadProjectToSearch(prefix.c_str(), "Short.vrl", *page), 0);
  EXPECT_EQ(ReadProjectToSearch(prefix.c_str(), "Missing.vrl", *page), 0);
  ASSERT_EQ(ReadProjectToSearch(prefix.c_str(), "Long.vrl", *page), 1);
  EXPECT_EQ(std::string(page->texts[32]), std::string(kTextFieldSize - 1, 'k'));
  std::filesystem::remove_all(folder);
}

}  // namespace
