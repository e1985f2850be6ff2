// Consolidating projects: the sort character, the order, and that no failing step can lose or
// duplicate a slot.
#include "projects/consolidation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"

namespace {

namespace fs = std::filesystem;

TEST(SortCharacter, SkipsLeadingPunctuationFoldsAtoZAndGivesZeroForNothing) {
  EXPECT_EQ(SortCharacter("apple"), 'A');
  EXPECT_EQ(SortCharacter("Zebra"), 'Z');
  EXPECT_EQ(SortCharacter("-Notes"), 'N');
  EXPECT_EQ(SortCharacter("42"), '4');
  EXPECT_EQ(SortCharacter(" lead"), ' ');
  EXPECT_EQ(SortCharacter("--x"), '-');
  EXPECT_EQ(SortCharacter("\xE4pfel"), 0xE4);
  EXPECT_EQ(SortCharacter("\xFF"), 0xFF);
  EXPECT_EQ(SortCharacter(""), 0);
  EXPECT_EQ(SortCharacter("!"), 0);
}

TEST(ConsolidationOrder, IsAStablePermutationByCharacterWithEmptyNamesLast) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<SortKeys> keys(1 + random() % 6);
    for (SortKeys& project : keys) {
      for (unsigned char& key : project) key = static_cast<unsigned char>(random() % 4 == 0 ? 0 : random() % 256);
    }
    const std::vector<SlotRef> order = ConsolidationOrder(keys);
    ASSERT_EQ(order.size(), keys.size() * kSlotCount);
    std::vector<int> seen(order.size(), 0);
    for (std::size_t i = 0; i < order.size(); ++i) {
      ++seen[order[i].project * kSlotCount + order[i].slot];
      if (i == 0) continue;
      const unsigned char before = keys[order[i - 1].project][order[i - 1].slot];
      const unsigned char now = keys[order[i].project][order[i].slot];
      const int rankBefore = before == 0 ? 256 : before;
      const int rankNow = now == 0 ? 256 : now;
      ASSERT_LE(rankBefore, rankNow);
      if (rankBefore == rankNow) {
        ASSERT_LT(order[i - 1].project * kSlotCount + order[i - 1].slot, order[i].project * kSlotCount + order[i].slot);
      }
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int count) { return count == 1; }));
  }
}

// Project files in a scratch folder, written from slot names (each slot's text names its origin).
class Consolidation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "varnel-consolidate-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern + "/";
    read_ = std::make_unique<ProjectPage>();
    build_ = std::make_unique<ProjectPage>();
  }
  void TearDown() override { fs::remove_all(folder_); }

  void WriteProject(const std::string& entry, const std::vector<std::string>& names) {
    auto page = std::make_unique<ProjectPage>();
    ClearPage(*page);
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
      CopyBounded(page->names[slot], names[slot].c_str(), kButtonNameSize);
      CopyBounded(page->texts[slot], (entry + " slot " + std::to_string(slot)).c_str(), kTextFieldSize);
    }
    std::ofstream(folder_ + entry, std::ios::binary).write(reinterpret_cast<const char*>(page.get()), kProjectPageSize);
  }

  std::string Bytes(const std::string& entry) const {
    std::ifstream in(folder_ + entry, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string NameAt(const std::string& entry, int slot) const { return Bytes(entry).c_str() + 32 * slot; }
  std::string TextAt(const std::string& entry, int slot) const { return Bytes(entry).c_str() + 1056 + 10240 * slot; }

  std::vector<std::string> FolderFiles() const {
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(folder_)) names.push_back(file.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  ConsolidationResult Run(const std::vector<std::string>& entries, ConsolidationFiles& files) {
    return ConsolidateProjectFiles(folder_, entries, *read_, *build_, files, nullptr);
  }

  std::string folder_;
  std::unique_ptr<ProjectPage> read_;
  std::unique_ptr<ProjectPage> build_;
  DiskFiles disk_;
};

TEST_F(Consolidation, DealsTheOrderedSlotsOverTheProjectsInListOrder) {
  WriteProject("First.vrl", {"Zebra", "apple", "Mango", "", "-Notes"});
  WriteProject("Second.vrl", {"banana", "42", " space", "Avocado", "Apricot"});
  const ConsolidationResult result = Run({"First.vrl", "Second.vrl"}, disk_);
  ASSERT_EQ(result.outcome, ConsolidationResult::Outcome::Done) << result.failedPath;

  const std::vector<std::string> expected = {" space", "42", "apple", "Avocado", "Apricot", "banana", "Mango", "-Notes",
                                             "Zebra"};
  for (std::size_t slot = 0; slot < expected.size(); ++slot) EXPECT_EQ(NameAt("First.vrl", slot), expected[slot]);
  // A slot travels whole, and slots without a name follow the named ones, in their order.
  EXPECT_EQ(TextAt("First.vrl", 2), "First.vrl slot 1");
  EXPECT_EQ(TextAt("First.vrl", 9), "First.vrl slot 3");
  EXPECT_EQ(TextAt("Second.vrl", 32), "");
  EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"First.vrl", "Second.vrl"}));
  // Two reads for the survey; the build reads a project again only when the order moves into it:
  // Second (" space", "42"), First ("apple"), Second ("Avocado" to "banana"), First ("Mango" to
  // its empty slots), Second (its empty slots).
  EXPECT_EQ(result.reads, 2 + 5);
}

TEST_F(Consolidation, ASingleProjectKeepsItsOwnSlots) {
  WriteProject("Only.vrl", {"b", "a", "", "c"});
  ASSERT_EQ(Run({"Only.vrl"}, disk_).outcome, ConsolidationResult::Outcome::Done);
  EXPECT_EQ(NameAt("Only.vrl", 0), "a");
  EXPECT_EQ(TextAt("Only.vrl", 0), "Only.vrl slot 1");
  EXPECT_EQ(TextAt("Only.vrl", 3), "Only.vrl slot 2");
}

// Fails the chosen operation (counting from 0); a failing write leaves half a file, as a full
// disk would.
class FailingFiles : public ConsolidationFiles {
 public:
  explicit FailingFiles(int failAt) : failAt_(failAt) {}
  int Count() const { return count_; }

  bool Read(const std::string& path, ProjectPage& page) override { return Next() && disk_.Read(path, page); }
  bool WriteWhole(const std::string& path, const ProjectPage& page) override {
    if (Next()) return disk_.WriteWhole(path, page);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(&page), kProjectPageSize / 2);
    return false;
  }
  bool Copy(const std::string& from, const std::string& to) override { return Next() && disk_.Copy(from, to); }
  bool Replace(const std::string& from, const std::string& to) override { return Next() && disk_.Replace(from, to); }
  bool Remove(const std::string& path) override { return disk_.Remove(path); }

 private:
  bool Next() { return count_++ != failAt_; }
  int failAt_;
  int count_ = 0;
  DiskFiles disk_;
};

TEST_F(Consolidation, AFailureAtAnyStepLeavesEveryProjectAsItWasAndNoFileBehind) {
  const std::vector<std::string> entries = {"A.vrl", "B.vrl", "C.vrl"};
  auto prepare = [&] {
    WriteProject("A.vrl", {"m", "c", "x"});
    WriteProject("B.vrl", {"b", "", "a"});
    WriteProject("C.vrl", {"z"});
  };
  prepare();
  std::map<std::string, std::string> before;
  for (const std::string& entry : entries) before[entry] = Bytes(entry);
  FailingFiles counting(-1);
  ASSERT_EQ(Run(entries, counting).outcome, ConsolidationResult::Outcome::Done);
  const int operations = counting.Count();
  ASSERT_GT(operations, 10);

  for (int failAt = 0; failAt < operations; ++failAt) {
    SCOPED_TRACE("operation " + std::to_string(failAt));
    prepare();
    FailingFiles failing(failAt);
    const ConsolidationResult result = Run(entries, failing);
    EXPECT_NE(result.outcome, ConsolidationResult::Outcome::Done);
    EXPECT_FALSE(result.failedPath.empty());
    for (const std::string& entry : entries) EXPECT_EQ(Bytes(entry), before[entry]) << entry;
    EXPECT_EQ(FolderFiles(), entries);
  }
}

}  // namespace
