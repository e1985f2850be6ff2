// Consolidating projects: the sort character, the order, and that no failing step can lose or
// duplicate a slot.
#include "projects/consolidation.h"
#include "projects/consolidation_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

  ConsolidationResult Run(const std::vector<std::string>& entries) {
    return ConsolidateProjectFiles(folder_, entries, *read_, *build_, nullptr);
  }

  std::string folder_;
  std::unique_ptr<ProjectPage> read_;
  std::unique_ptr<ProjectPage> build_;
};

TEST_F(Consolidation, DealsTheOrderedSlotsOverTheProjectsInListOrder) {
  WriteProject("First.vrl", {"Zebra", "apple", "Mango", "", "-Notes"});
  WriteProject("Second.vrl", {"banana", "42", " space", "Avocado", "Apricot"});
  const ConsolidationResult result = Run({"First.vrl", "Second.vrl"});
  ASSERT_EQ(result.outcome, ConsolidationResult::Outcome::Done) << result.failedPath;

  const std::vector<std::string> expected = {" space", "42", "apple", "Avocado", "Apricot", "banana", "Mango", "-Notes",
                                             "Zebra"};
  for (std::size_t slot = 0; slot < expected.size(); ++slot) EXPECT_EQ(NameAt("First.vrl", slot), expected[slot]);
  // A slot travels whole, and slots without a name follow the named ones, in their order.
  EXPECT_EQ(TextAt("First.vrl", 2), "First.vrl slot 1");
  EXPECT_EQ(TextAt("First.vrl", 9), "First.vrl slot 3");
  EXPECT_EQ(TextAt("Second.vrl", 32), "");
  EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"First.vrl", "Second.vrl"}));
  // Each project is opened once: the survey's streams stay open for the build, while the order
  // moves between them.
  EXPECT_EQ(result.openings, 2);
}

TEST_F(Consolidation, ASingleProjectKeepsItsOwnSlots) {
  WriteProject("Only.vrl", {"b", "a", "", "c"});
  ASSERT_EQ(Run({"Only.vrl"}).outcome, ConsolidationResult::Outcome::Done);
  EXPECT_EQ(NameAt("Only.vrl", 0), "a");
  EXPECT_EQ(TextAt("Only.vrl", 0), "Only.vrl slot 1");
  EXPECT_EQ(TextAt("Only.vrl", 3), "Only.vrl slot 2");
}

}  // namespace

namespace {

TEST(ConsolidationJournal, ACutJournalIsNeverCompleteAndKeepsOnlyWholeEntries) {
  const std::vector<std::string> entries = {"First.vrl", "Second.vrl"};
  const std::string plan = JournalPlanText(entries);
  const std::string text = plan + JournalSealText(plan, {0x1234, 0xabcdef});
  const JournalContents whole = ParseJournal(text);
  ASSERT_TRUE(whole.complete);
  EXPECT_EQ(whole.entries, entries);
  EXPECT_EQ(whole.checksums, (std::vector<std::uint64_t>{0x1234, 0xabcdef}));
  for (std::size_t cut = 0; cut < text.size(); ++cut) {
    const JournalContents part = ParseJournal(text.substr(0, cut));
    EXPECT_FALSE(part.complete) << cut;
    for (const std::string& entry : part.entries) EXPECT_TRUE(entry == entries[0] || entry == entries[1]) << cut;
    EXPECT_EQ(part.planned, cut >= plan.size()) << cut;
  }
  std::string altered = text;
  altered[plan.size() + 20] = altered[plan.size() + 20] == '1' ? '2' : '1';
  EXPECT_FALSE(ParseJournal(altered).complete);
}

}  // namespace

// A consolidation cut short at each of its stages, then finished as the next start finishes it.
TEST_F(Consolidation, AnInterruptedConsolidationIsFinishedOrUndoneAndAForeignJournalIsLeftAlone) {
  WriteProject("First.vrl", {"b", "a"});
  WriteProject("Second.vrl", {"c"});
  const std::vector<std::string> entries = {"First.vrl", "Second.vrl"};
  const std::string first = Bytes("First.vrl");
  const std::string second = Bytes("Second.vrl");
  ProjectPage& scratch = *read_;

  // Planned, one temporary written: undone, the projects as they were.
  ASSERT_TRUE(WriteJournalPlan(folder_, entries));
  std::ofstream(folder_ + "First.tmp", std::ios::binary) << "half a temporary";
  EXPECT_EQ(FinishConsolidationJournal(folder_, scratch).outcome, JournalOutcome::RolledBack);
  EXPECT_EQ(FolderFiles(), entries);
  EXPECT_EQ(Bytes("First.vrl"), first);

  // Sealed, First already replaced: Second takes its replacement too.
  ASSERT_EQ(Run(entries).outcome, ConsolidationResult::Outcome::Done);
  const std::string newFirst = Bytes("First.vrl");
  const std::string newSecond = Bytes("Second.vrl");
  std::ofstream(folder_ + "Second.vrl", std::ios::binary) << second;
  std::ofstream(folder_ + "Second.tmp", std::ios::binary) << newSecond;
  ProjectPage& page = *build_;
  std::vector<std::uint64_t> checksums;
  for (const std::string* bytes : {&newFirst, &newSecond}) {
    std::memcpy(&page, bytes->data(), kProjectPageSize);
    checksums.push_back(PageChecksum(page));
  }
  ASSERT_TRUE(WriteJournalPlan(folder_, entries));
  ASSERT_TRUE(SealJournal(folder_, entries, checksums));
  EXPECT_EQ(FinishConsolidationJournal(folder_, scratch).outcome, JournalOutcome::Completed);
  EXPECT_EQ(FolderFiles(), entries);
  EXPECT_EQ(Bytes("First.vrl"), newFirst);
  EXPECT_EQ(Bytes("Second.vrl"), newSecond);

  // A replacement that does not match its checksum is never put in place.
  ASSERT_TRUE(WriteJournalPlan(folder_, entries));
  ASSERT_TRUE(SealJournal(folder_, entries, checksums));
  std::ofstream(folder_ + "Second.vrl", std::ios::binary) << second;
  std::ofstream(folder_ + "Second.tmp", std::ios::binary) << first;
  const JournalResolution broken = FinishConsolidationJournal(folder_, scratch);
  EXPECT_EQ(broken.outcome, JournalOutcome::Unresolved);
  // Until it is finished, the board saves nothing into the projects it lists.
  EXPECT_TRUE(PendingConsolidationLists(folder_, "second.VRL"));
  EXPECT_FALSE(PendingConsolidationLists(folder_, "Third.vrl"));
  EXPECT_EQ(Bytes("Second.tmp"), first);
  EXPECT_EQ(Bytes("Second.vrl"), second);
  // And no consolidation starts over it.
  EXPECT_EQ(Run(entries).outcome, ConsolidationResult::Outcome::Unresolved);
  fs::remove(folder_ + "Second.tmp");
  fs::remove(ConsolidationJournalPath(folder_));

  EXPECT_FALSE(PendingConsolidationLists(folder_, "Second.vrl"));
  std::ofstream(ConsolidationJournalPath(folder_), std::ios::binary) << "someone else's notes";
  EXPECT_EQ(FinishConsolidationJournal(folder_, scratch).outcome, JournalOutcome::Unresolved);
  EXPECT_EQ(Bytes("consolidation.jnl"), "someone else's notes");
}

// Nothing is written over a file that is not ours, nor into a read-only project.
TEST_F(Consolidation, AReadOnlyProjectOrATemporaryInTheWayStopsItBeforeAnythingIsWritten) {
  WriteProject("First.vrl", {"b", "a"});
  WriteProject("Second.vrl", {"c"});
  const std::vector<std::string> entries = {"First.vrl", "Second.vrl"};
  const std::string first = Bytes("First.vrl");
  std::ofstream(folder_ + "Second.tmp", std::ios::binary) << "left by something else";
  ConsolidationResult result = Run(entries);
  EXPECT_EQ(result.outcome, ConsolidationResult::Outcome::Failed);
  EXPECT_EQ(result.failedPath, folder_ + "Second.tmp");
  EXPECT_EQ(result.cause.problem, FileProblem::Exists);
  EXPECT_EQ(Bytes("Second.tmp"), "left by something else");
  fs::remove(folder_ + "Second.tmp");

  fs::permissions(folder_ + "Second.vrl", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                 fs::perm_options::remove);
  result = Run(entries);
  EXPECT_EQ(result.outcome, ConsolidationResult::Outcome::ReadOnlyProject);
  EXPECT_EQ(result.failedPath, folder_ + "Second.vrl");
  EXPECT_EQ(result.cause.problem, FileProblem::ReadOnly);
  EXPECT_EQ(Bytes("First.vrl"), first);
  EXPECT_EQ(FolderFiles(), entries);
}
