// Saving a project and consolidating projects with each of their file operations failing in turn,
// and with their first write cut short: every project file afterwards holds its old bytes or its
// new ones, whole, no temporary file is left, and the caller is told of every failure that kept
// the new content from its place. The failing operations are projects/file_operations_faults.cpp.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "projects/consolidation.h"
#include "projects/consolidation_journal.h"
#include "projects/fault_plan.h"
#include "projects/page_file.h"
#include "projects/save_backup.h"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every replace refused for good (access denied), as on a virtualised target, while this is set.
bool refuseReplaces = false;

void Arm(int failAt, bool shortWrite) {
  *ActiveFaultPlan() = {1, 0, failAt, shortWrite ? 1 : 0, 0, refuseReplaces ? 1 : 0};
}

FaultPlan Disarm() {
  ActiveFaultPlan()->armed = 0;
  return *ActiveFaultPlan();
}

// What a run told its caller: whether it reported a failure, and a file it says it left behind.
struct Outcome {
  bool reported = false;
  std::string leftBehind;
};

std::unique_ptr<ProjectPage> TaggedPage(const std::string& tag, std::initializer_list<const char*> names) {
  auto page = std::make_unique<ProjectPage>();
  ClearPage(*page);
  int slot = 0;
  for (const char* name : names) {
    CopyBounded(page->names[slot], name, kButtonNameSize);
    CopyBounded(page->texts[slot], (tag + " " + std::to_string(slot)).c_str(), kTextFieldSize);
    ++slot;
  }
  return page;
}

// A file's bytes, or nothing for a file that is not there.
std::optional<std::string> Lookup(const Files& files, const std::string& name) {
  const auto found = files.find(name);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

std::string BytesOf(const ProjectPage& page) {
  return std::string(reinterpret_cast<const char*>(&page), kProjectPageSize);
}

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every run waits for the disk at each flush: a memory file system, where there is one, keeps
    // the few hundred runs quick.
    const fs::path root = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (root / "varnel-file-faults-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern + "/";
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // Every file of the folder with its bytes.
  Files Contents() const {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      std::string bytes(fs::file_size(entry.path()), '\0');
      std::ifstream(entry.path(), std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      files[entry.path().filename().string()] = bytes;
    }
    return files;
  }

  void Clear() {
    for (const auto& entry : fs::directory_iterator(folder_)) fs::remove(entry.path());
  }

  // Runs the path once to count its operations, then once with each operation failing and once
  // with its first write short, preparing the files in the emptied folder before every run. allOrNothing: the files
  // must be all old or all new together. Prints the figures and returns the files lost.
  int Sweep(const std::string& name, const std::function<void()>& prepare, const std::function<Outcome()>& run,
            bool allOrNothing) {
    Clear();
    prepare();
    const Files before = Contents();
    Arm(-1, false);
    const Outcome counted = run();
    const int operations = Disarm().operations;
    const Files after = Contents();
    EXPECT_FALSE(counted.reported) << name << " failed without a fault";
    EXPECT_NE(before, after) << name << " changed nothing";

    int faults = 0;
    int shortWrites = 0;
    int lost = 0;
    for (int run_ = 0; run_ <= operations; ++run_) {
      const bool shortWrite = run_ == operations;
      SCOPED_TRACE(name +
                   (shortWrite ? ": the first write short" : ": operation " + std::to_string(run_) + " failing"));
      Clear();
      prepare();
      Arm(shortWrite ? -1 : run_, shortWrite);
      const Outcome outcome = run();
      const FaultPlan plan = Disarm();
      // A path without writes cannot be cut short.
      if (shortWrite && plan.injected == 0) continue;
      EXPECT_EQ(plan.injected, 1) << "the fault never came";
      (shortWrite ? shortWrites : faults) += plan.injected;

      Files now = Contents();
      if (!outcome.leftBehind.empty()) {
        EXPECT_EQ(now.erase(fs::path(outcome.leftBehind).filename().string()), 1u) << outcome.leftBehind;
      }
      for (const auto& [file, bytes] : now) {
        if (before.count(file) == 0 && after.count(file) == 0) ADD_FAILURE() << file << " was left behind";
      }
      Files projects = before;
      projects.insert(after.begin(), after.end());
      for (const auto& [file, ignored] : projects) {
        const std::optional<std::string> held = Lookup(now, file);
        if (held != Lookup(before, file) && held != Lookup(after, file)) {
          ADD_FAILURE() << file << " holds neither its old nor its new bytes";
          ++lost;
        }
      }
      if (allOrNothing) EXPECT_TRUE(now == before || now == after) << "some projects changed and some did not";
      // Told of the failure exactly when the new content did not take its place, or a file stayed.
      EXPECT_EQ(outcome.reported, now != after || !outcome.leftBehind.empty());
    }
    std::printf("fault sweep: %s: %d operations, %d faults injected (+%d short write), %d files lost\n", name.c_str(),
                operations, faults, shortWrites, lost);
    return lost;
  }

  std::string folder_;
};

TEST_F(FileFaults, SavingANewOrAnExistingProjectNeverLosesIt) {
  const auto old = TaggedPage("old", {"a", "b"});
  const auto fresh = TaggedPage("new", {"c"});
  const std::string path = folder_ + "Alpha.vrl";
  const auto save = [&] { return Outcome{WriteProjectFileSafely(path.c_str(), *fresh) != SaveResult::Ok, ""}; };

  EXPECT_EQ(Sweep(
                "save to a new file", [&] { fs::remove(path); }, save, false),
            0);
  EXPECT_EQ(Sweep(
                "save over a project", [&] { Write("Alpha.vrl", BytesOf(*old)); }, save, false),
            0);
}

// Where every replace is refused for good the project is written in place behind a backup; a
// failure at any step puts the old page back at once.
TEST_F(FileFaults, SavingInPlaceWhereTheReplaceIsRefusedNeverLosesTheProject) {
  const auto old = TaggedPage("old", {"a", "b"});
  const auto fresh = TaggedPage("new", {"c"});
  const std::string path = folder_ + "Alpha.vrl";
  const auto save = [&] { return Outcome{WriteProjectFileSafely(path.c_str(), *fresh) != SaveResult::Ok, ""}; };
  refuseReplaces = true;
  EXPECT_EQ(Sweep(
                "save in place over a project", [&] { Write("Alpha.vrl", BytesOf(*old)); }, save, false),
            0);
  refuseReplaces = false;
}

// The next read after a kill in the middle of writing in place: whatever fails while the old page
// is put back, the project is left half written only with its complete backup beside it.
TEST_F(FileFaults, UndoingASaveCutShortNeverLosesTheOldPage) {
  const auto old = TaggedPage("old", {"a", "b"});
  const auto fresh = TaggedPage("new", {"c"});
  std::string halfWritten = BytesOf(*fresh);
  halfWritten.replace(kProjectPageSize / 2, std::string::npos, BytesOf(*old).substr(kProjectPageSize / 2));
  const std::string path = folder_ + "Alpha.vrl";
  const auto prepare = [&] {
    Write("Alpha.vrl", halfWritten);
    Write("Alpha.~vb", BytesOf(*old) + BackupTrailer(*old, "Alpha.vrl"));
    Write("Alpha.~vr", BytesOf(*fresh));
  };
  const auto undo = [&] { return Outcome{RestoreInterruptedSave(path.c_str()) != BackupOutcome::Restored, ""}; };
  EXPECT_EQ(Sweep("undo a save cut short", prepare, undo, false), 0);
  // Without a fault: the old page is back, and nothing else is left.
  Clear();
  prepare();
  EXPECT_FALSE(undo().reported);
  EXPECT_EQ(Contents(), (Files{{"Alpha.vrl", BytesOf(*old)}}));
}

TEST_F(FileFaults, ConsolidatingTwoProjectsIsAllOrNothing) {
  const std::vector<std::string> entries = {"A.vrl", "B.vrl"};
  auto read = std::make_unique<ProjectPage>();
  auto build = std::make_unique<ProjectPage>();
  const auto prepare = [&] {
    Write("A.vrl", BytesOf(*TaggedPage("A", {"m", "c", "x"})));
    Write("B.vrl", BytesOf(*TaggedPage("B", {"b", "", "a"})));
  };
  const auto consolidate = [&] {
    const ConsolidationResult result = ConsolidateProjectFiles(folder_, entries, *read, *build, nullptr);
    const bool done = result.outcome == ConsolidationResult::Outcome::Done;
    EXPECT_EQ(done, result.failedPath.empty()) << "a failure must name its file";
    if (!done) EXPECT_NE(result.cause.problem, FileProblem::None) << "a failure must say why";
    return Outcome{!done || !result.leftBehind.empty(), result.leftBehind};
  };
  EXPECT_EQ(Sweep("consolidate two projects", prepare, consolidate, true), 0);
}

// The next start finishing a consolidation killed after First took its replacement: whatever
// fails, every project holds its old or its new bytes and the journal stays until all are new;
// also where every replace is refused for good and the replacement is written in place.
TEST_F(FileFaults, FinishingAnInterruptedConsolidationNeverLosesAReplacement) {
  const auto newFirst = TaggedPage("new A", {"c", "m"});
  const auto oldSecond = TaggedPage("B", {"b"});
  const auto newSecond = TaggedPage("new B", {"b"});
  const std::vector<std::string> entries = {"A.vrl", "B.vrl"};
  const auto prepare = [&] {
    Write("A.vrl", BytesOf(*newFirst));
    Write("B.vrl", BytesOf(*oldSecond));
    Write("B.tmp", BytesOf(*newSecond));
    ASSERT_TRUE(WriteJournalPlan(folder_, entries));
    ASSERT_TRUE(SealJournal(folder_, entries, {PageChecksum(*newFirst), PageChecksum(*newSecond)}));
  };
  auto scratch = std::make_unique<ProjectPage>();
  const auto finish = [&] {
    const JournalResolution resolution = FinishConsolidationJournal(folder_, *scratch);
    EXPECT_NE(resolution.outcome, JournalOutcome::RolledBack);
    return Outcome{resolution.outcome != JournalOutcome::Completed, ""};
  };
  EXPECT_EQ(Sweep("finish an interrupted consolidation", prepare, finish, false), 0);
  refuseReplaces = true;
  EXPECT_EQ(Sweep("finish an interrupted consolidation in place", prepare, finish, false), 0);
  refuseReplaces = false;
}

}  // namespace
