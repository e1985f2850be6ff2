// Tests for the project record's layout and for reading and saving project files.
#include "projects/page_file.h"

#include <gtest/gtest.h>


#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "projects/file_system.h"
#include "projects/save_backup.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<char>;

std::size_t OffsetOf(const ProjectPage& page, const char* field) {
  return static_cast<std::size_t>(field - reinterpret_cast<const char*>(&page));
}

TEST(ProjectPageLayout, PlacesLastSlotAtFileOffsets) {
  const auto page = std::make_unique<ProjectPage>();
  EXPECT_EQ(OffsetOf(*page, page->names[32]), 32u * 32u);
  EXPECT_EQ(OffsetOf(*page, page->texts[0]), 1056u);
  EXPECT_EQ(OffsetOf(*page, page->texts[32]), 1056u + 10240u * 32u);
  EXPECT_EQ(OffsetOf(*page, page->texts[32]) + kTextFieldSize, kProjectPageSize);
}

TEST(ProjectPageLayout, CopyBoundedCutsFieldsWithoutTouchingNeighbours) {
  auto page = std::make_unique<ProjectPage>();
  ClearPage(*page);
  CopyBounded(page->names[0], std::string(40, 'c').c_str(), kButtonNameSize);
  CopyBounded(page->texts[0], std::string(12000, 't').c_str(), kTextFieldSize);
  EXPECT_EQ(std::string(page->names[0]), std::string(31, 'c'));
  EXPECT_EQ(std::string(page->texts[0]), std::string(10239, 't'));
  EXPECT_EQ(page->names[1][0], '\0');
  EXPECT_EQ(page->texts[1][0], '\0');
}

class ProjectFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "varnel-page-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    path_ = (folder_ / "Project.vrl").string();
    temporary_ = (folder_ / "Project.~vr").string();
    page_ = std::make_unique<ProjectPage>();
    loaded_ = std::make_unique<ProjectPage>();
  }

  void TearDown() override {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }

  static void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  static Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static Bytes PatternBytes(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
      bytes[i] = static_cast<char>(i % 251 + 1);
    }
    return bytes;
  }

  static Bytes PageBytes(const ProjectPage& page) {
    const char* begin = reinterpret_cast<const char*>(&page);
    return Bytes(begin, begin + sizeof page);
  }

  void FillPage() {
    ClearPage(*page_);
    for (int slot = 0; slot < kSlotCount; ++slot) {
      std::snprintf(page_->names[slot], kButtonNameSize, "Caption %d", slot);
      std::snprintf(page_->texts[slot], kTextFieldSize, "Text of slot %d\r\nsecond line", slot);
    }
  }

  bool TemporaryLeftBehind() const { return fs::exists(fs::symlink_status(temporary_)); }

  fs::path folder_;
  std::string path_;
  std::string temporary_;
  std::unique_ptr<ProjectPage> page_;
  std::unique_ptr<ProjectPage> loaded_;
};

TEST_F(ProjectFileTest, SavedPageReadsBackIdentically) {
  FillPage();
  ASSERT_EQ(WriteProjectFileSafely(path_.c_str(), *page_), SaveResult::Ok);
  EXPECT_EQ(ReadBytes(path_), PageBytes(*page_));
  EXPECT_FALSE(TemporaryLeftBehind());

  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(PageBytes(*loaded_), PageBytes(*page_));
}

TEST_F(ProjectFileTest, ShortFileFailsAndKeepsBytesFollowedByZeros) {
  const Bytes bytes = PatternBytes(kProjectPageSize - 1);
  WriteBytes(path_, bytes);
  std::memset(loaded_.get(), 0x55, sizeof *loaded_);

  FileFailure failure;
  EXPECT_EQ(ReadProjectFile(path_.c_str(), *loaded_, &failure), 0);
  EXPECT_EQ(failure.problem, FileProblem::TooShort);
  Bytes expected = bytes;
  expected.push_back('\0');
  EXPECT_EQ(PageBytes(*loaded_), expected);
}

TEST_F(ProjectFileTest, LongFileLoadsItsFirstPageAndSavingCutsTheRest) {
  FillPage();
  Bytes bytes = PageBytes(*page_);
  const Bytes tail = PatternBytes(400000 - kProjectPageSize);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  WriteBytes(path_, bytes);

  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(PageBytes(*loaded_), PageBytes(*page_));
  ASSERT_EQ(WriteProjectFileSafely(path_.c_str(), *loaded_), SaveResult::Ok);
  EXPECT_EQ(ReadBytes(path_), PageBytes(*page_));
}

TEST_F(ProjectFileTest, ZeroFileLoadsEmptyPageAndMissingFileFails) {
  WriteBytes(path_, Bytes(kProjectPageSize, '\0'));
  std::memset(loaded_.get(), 'x', sizeof *loaded_);
  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(PageBytes(*loaded_), Bytes(kProjectPageSize, '\0'));

  EXPECT_EQ(ReadProjectFile((folder_ / "Missing.vrl").string().c_str(), *loaded_), 0);
  EXPECT_EQ(ReadProjectFile(nullptr, *loaded_), 0);
}

TEST_F(ProjectFileTest, FieldsWithoutTerminatorAreCutAtTheirLastByte) {
  WriteBytes(path_, Bytes(kProjectPageSize, 'x'));
  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    EXPECT_EQ(std::strlen(loaded_->names[slot]), kButtonNameSize - 1) << slot;
    EXPECT_EQ(std::strlen(loaded_->texts[slot]), kTextFieldSize - 1) << slot;
  }
}

TEST_F(ProjectFileTest, ReadOnlyFileNeitherLoadsNorSaves) {
  const Bytes original = PatternBytes(kProjectPageSize);
  WriteBytes(path_, original);
  // Also as root, for whom the permissions themselves stop nothing.
  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  FileFailure failure;
  EXPECT_EQ(ReadProjectFile(path_.c_str(), *loaded_, &failure), 0);
  EXPECT_EQ(failure.problem, FileProblem::ReadOnly);
  FillPage();
  failure = {};
  EXPECT_EQ(WriteProjectFileSafely(path_.c_str(), *page_, &failure), SaveResult::OpenFailed);
  EXPECT_EQ(failure.problem, FileProblem::ReadOnly);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_FALSE(TemporaryLeftBehind());
}

TEST_F(ProjectFileTest, TargetThatIsAFolderIsNotReplaced) {
  fs::create_directory(path_);
  FillPage();
  FileFailure failure;
  EXPECT_EQ(WriteProjectFileSafely(path_.c_str(), *page_, &failure), SaveResult::OpenFailed);
  EXPECT_EQ(failure.problem, FileProblem::NotAFile);
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_FALSE(TemporaryLeftBehind());
}

TEST_F(ProjectFileTest, FailedWritesLeaveOldFileAndNoTemporary) {
  const Bytes original = PatternBytes(kProjectPageSize);
  WriteBytes(path_, original);
  FillPage();

  // A folder in the temporary's place makes creating the temporary fail; it must survive.
  fs::create_directory(temporary_);
  EXPECT_EQ(WriteProjectFileSafely(path_.c_str(), *page_), SaveResult::WriteFailed);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_TRUE(fs::is_directory(temporary_));
  fs::remove(temporary_);

  // Writing through a link to a full device fails part-way, after the temporary was created.
  if (!fs::exists("/dev/full")) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  fs::create_symlink("/dev/full", temporary_);
  FileFailure failure;
  EXPECT_EQ(WriteProjectFileSafely(path_.c_str(), *page_, &failure), SaveResult::WriteFailed);
  EXPECT_EQ(failure.problem, FileProblem::DiskFull);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_FALSE(TemporaryLeftBehind());
}

bool RefuseReplace(const char*, const char*) { return false; }

// As a virtualised target or a network share: denied, though nobody holds the file.
bool RefuseReplaceForGood(const char*, const char*) {
  errno = EACCES;
  return false;
}

std::uintmax_t replacedTemporarySize = 0;
bool MeasureThenReplace(const char* temporaryPath, const char* targetPath) {
  replacedTemporarySize = fs::file_size(temporaryPath);
  return ReplaceFileWith(temporaryPath, targetPath);
}

TEST_F(ProjectFileTest, FailedReplaceLeavesOldFileAndNoTemporary) {
  const Bytes original = PatternBytes(kProjectPageSize);
  WriteBytes(path_, original);
  FillPage();
  EXPECT_EQ(WriteProjectFileThrough(path_.c_str(), *page_, RefuseReplace), SaveResult::ReplaceFailed);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_FALSE(TemporaryLeftBehind());
}

TEST_F(ProjectFileTest, ReplaceRefusedForGoodWritesAnExistingProjectInPlace) {
  const std::string backup = (folder_ / "Project.~vb").string();
  const Bytes original = PatternBytes(kProjectPageSize);
  WriteBytes(path_, original);
  FillPage();
  ASSERT_EQ(WriteProjectFileThrough(path_.c_str(), *page_, RefuseReplaceForGood), SaveResult::Ok);
  EXPECT_EQ(ReadBytes(path_), PageBytes(*page_));
  EXPECT_FALSE(TemporaryLeftBehind());
  EXPECT_FALSE(fs::exists(backup));

  // A new project, or one that is not exactly a page long, keeps the refusal.
  const std::string fresh = (folder_ / "Fresh.vrl").string();
  FileFailure failure;
  EXPECT_EQ(WriteProjectFileThrough(fresh.c_str(), *page_, RefuseReplaceForGood, &failure), SaveResult::ReplaceFailed);
  EXPECT_EQ(failure.problem, FileProblem::AccessDenied);
  EXPECT_FALSE(fs::exists(fresh));
  Bytes longer = PatternBytes(kProjectPageSize + 10);
  WriteBytes(path_, longer);
  EXPECT_EQ(WriteProjectFileThrough(path_.c_str(), *page_, RefuseReplaceForGood), SaveResult::ReplaceFailed);
  EXPECT_EQ(ReadBytes(path_), longer);

  // Nor is another project's backup of the same stem written over.
  WriteBytes(path_, original);
  auto other = std::make_unique<ProjectPage>();
  ClearPage(*other);
  Bytes otherBackup = PageBytes(*other);
  const std::string trailer = BackupTrailer(*other, "Project.txt");
  otherBackup.insert(otherBackup.end(), trailer.begin(), trailer.end());
  WriteBytes(backup, otherBackup);
  EXPECT_EQ(WriteProjectFileThrough(path_.c_str(), *page_, RefuseReplaceForGood), SaveResult::ReplaceFailed);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_EQ(ReadBytes(backup), otherBackup);
  EXPECT_FALSE(TemporaryLeftBehind());
}

// What a kill in the middle of writing in place leaves: a half-written project, its complete
// backup, the temporary. The next read puts the old page back; a backup cut short is only removed.
TEST_F(ProjectFileTest, ReadingResolvesTheBackupOfASaveCutShort) {
  const std::string backup = (folder_ / "Project.~vb").string();
  const Bytes original = PatternBytes(kProjectPageSize);
  auto old = std::make_unique<ProjectPage>();
  std::memcpy(old.get(), original.data(), kProjectPageSize);
  Bytes complete = original;
  const std::string trailer = BackupTrailer(*old, "Project.vrl");
  complete.insert(complete.end(), trailer.begin(), trailer.end());
  FillPage();
  Bytes halfWritten = PageBytes(*page_);
  std::copy(original.begin() + kProjectPageSize / 2, original.end(), halfWritten.begin() + kProjectPageSize / 2);

  WriteBytes(path_, halfWritten);
  WriteBytes(backup, complete);
  WriteBytes(temporary_, PageBytes(*page_));
  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_FALSE(fs::exists(backup));
  EXPECT_FALSE(TemporaryLeftBehind());

  // Cut short by a single byte: the project was never touched.
  const Bytes cut(complete.begin(), complete.end() - 1);
  WriteBytes(path_, PageBytes(*page_));
  WriteBytes(backup, cut);
  ASSERT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(ReadBytes(path_), PageBytes(*page_));
  EXPECT_FALSE(fs::exists(backup));

  // A link in the backup's place is not followed to remove what it reaches.
  const std::string elsewhere = (folder_ / "elsewhere.txt").string();
  WriteBytes(elsewhere, cut);
  fs::create_symlink(elsewhere, backup);
  EXPECT_EQ(ReadProjectFile(path_.c_str(), *loaded_), 1);
  EXPECT_EQ(ReadBytes(elsewhere), cut);
  EXPECT_TRUE(fs::is_symlink(backup));
  fs::remove(backup);

  // Another project's backup is left alone; a project named like a backup is no backup.
  const std::string lookalike = (folder_ / "Named.~vb").string();
  WriteBytes(lookalike, original);
  EXPECT_EQ(ReadProjectFile(lookalike.c_str(), *loaded_), 1);
  EXPECT_EQ(ReadBytes(lookalike), original);
  WriteBytes(backup, complete);
  const std::string sameStem = (folder_ / "Project.txt").string();
  WriteBytes(sameStem, PageBytes(*page_));
  EXPECT_EQ(ReadProjectFile(sameStem.c_str(), *loaded_), 1);
  EXPECT_EQ(ReadBytes(sameStem), PageBytes(*page_));
  EXPECT_EQ(ReadBytes(backup), complete);
}

TEST(ReplaceRefusedForGood, OnlyWhenAccessIsDeniedToAFileNobodyHolds) {
  EXPECT_TRUE(ReplaceRefusedForGood({FileProblem::AccessDenied, 5}));
  for (FileProblem problem : {FileProblem::InUse, FileProblem::ReadOnly, FileProblem::NotFound, FileProblem::DiskFull,
                              FileProblem::PathTooLong, FileProblem::Other}) {
    EXPECT_FALSE(ReplaceRefusedForGood({problem, 0})) << static_cast<int>(problem);
  }
  char out[kPathBufferSize];
  ASSERT_EQ(BackupPathFor("C:\\my.dir\\Project.vrl", out, sizeof out), 1);
  EXPECT_STREQ(out, "C:\\my.dir\\Project.~vb");
}

TEST_F(ProjectFileTest, TemporaryIsCompleteBeforeItReplacesTarget) {
  FillPage();
  replacedTemporarySize = 0;
  ASSERT_EQ(WriteProjectFileThrough(path_.c_str(), *page_, MeasureThenReplace), SaveResult::Ok);
  EXPECT_EQ(replacedTemporarySize, kProjectPageSize);
}

TEST_F(ProjectFileTest, RefusesPathsWhoseTemporaryIsUnusable) {
  FillPage();
  const std::string longPath = (folder_ / std::string(255 - folder_.string().size(), 'n')).string();
  FileFailure failure;
  EXPECT_EQ(WriteProjectFileSafely(longPath.c_str(), *page_, &failure), SaveResult::OpenFailed);
  EXPECT_EQ(failure.problem, FileProblem::PathTooLong);
  EXPECT_FALSE(fs::exists(longPath));

  // Saving a file named like its own temporary would truncate it before the copy is complete.
  const std::string lookalike = (folder_ / "Old.~VR").string();
  const Bytes original = PatternBytes(kProjectPageSize);
  WriteBytes(lookalike, original);
  EXPECT_EQ(WriteProjectFileSafely(lookalike.c_str(), *page_), SaveResult::OpenFailed);
  EXPECT_EQ(ReadBytes(lookalike), original);
  EXPECT_EQ(WriteProjectFileSafely(nullptr, *page_), SaveResult::OpenFailed);
}

TEST(TemporaryPathFor, ReplacesOnlyTheFileNamesExtension) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Varnel\\Project.vrl", "C:\\Varnel\\Project.~vr"},
      {"C:\\my.dir\\Project", "C:\\my.dir\\Project.~vr"},
      {"/tmp/a.b/c", "/tmp/a.b/c.~vr"},
      {"C:\\x/y.z\\name.two.vrl", "C:\\x/y.z\\name.two.~vr"},
      {"trailing.", "trailing.~vr"},
      {"plain", "plain.~vr"},
  };
  for (const auto& c : cases) {
    char out[kPathBufferSize];
    ASSERT_EQ(TemporaryPathFor(c.path, out, sizeof out), 1) << c.path;
    EXPECT_STREQ(out, c.expected);
  }
}

TEST(TemporaryPathFor, FailsWithEmptyResultWhenItDoesNotFit) {
  char out[kPathBufferSize];
  const std::string fits(kPathBufferSize - 5, 'p');
  ASSERT_EQ(TemporaryPathFor(fits.c_str(), out, sizeof out), 1);
  EXPECT_EQ(std::strlen(out), kPathBufferSize - 1);

  const std::string tooLong = fits + "q.vrl";
  EXPECT_EQ(TemporaryPathFor(tooLong.c_str(), out, sizeof out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(TemporaryPathFor(nullptr, out, sizeof out), 0);
}

}  // namespace
