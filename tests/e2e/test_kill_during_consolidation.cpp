// A board killed outright while it consolidates many projects: whatever moment the kill lands on,
// the next start shows every slot of the projects exactly once across them (finishing or undoing
// the consolidation), and leaves no temporary file or journal behind. VARNEL_KILL_ROUNDS sets the
// number of kills (the long run makes 200); VARNEL_KILL_SEED repeats a run's moments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <set>

#include "projects/consolidation_journal.h"
#include "tests/e2e/board_steps.h"
#include "tests/e2e/kill_steps.h"

using namespace e2e;

namespace {

constexpr int kProjects = 40;
constexpr UINT kConsolidateCommand = 32780;
constexpr const char* kCompleted = "An interrupted consolidation of projects was completed.";

struct Slot {
  std::string name;
  std::string text;
  bool operator<(const Slot& other) const { return name != other.name ? name < other.name : text < other.text; }
  bool operator==(const Slot& other) const { return name == other.name && text == other.text; }
};

std::string ProjectName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "P%02d.vrl", n);
  return name;
}

// Names under many sort characters, a few empty; every text differs from every other.
std::vector<Slot> OriginalSlots(std::mt19937& random) {
  static const char* const kStarts[] = {"", "-", " ", "4", "Re: "};
  std::vector<Slot> slots;
  for (int i = 0; i < kProjects * 33; ++i) {
    Slot slot;
    if (random() % 6 != 0) {
      slot.name = kStarts[random() % 5];
      slot.name += static_cast<char>('A' + random() % 26);
      slot.name += "name";
    }
    if (random() % 7 != 0) slot.text = "text " + std::to_string(i) + std::string(random() % 3000, 'x');
    slots.push_back(slot);
  }
  return slots;
}

// Deals the slots over the projects in a new random order, so that every consolidation moves them.
void WriteShuffled(const std::string& folder, std::vector<Slot> slots, std::mt19937& random) {
  std::shuffle(slots.begin(), slots.end(), random);
  for (int n = 0; n < kProjects; ++n) {
    std::string names[33];
    std::string texts[33];
    for (int i = 0; i < 33; ++i) {
      names[i] = slots[n * 33 + i].name;
      texts[i] = slots[n * 33 + i].text;
    }
    ASSERT_TRUE(WriteWholeFile(folder + ProjectName(n), ProjectBytes(names, texts)));
  }
}

std::vector<Slot> SlotsInProjects(const std::string& folder) {
  std::vector<Slot> slots;
  for (int n = 0; n < kProjects; ++n) {
    const std::string bytes = ReadWholeFile(folder + ProjectName(n));
    if (bytes.size() != kProjectBytes) continue;
    for (int i = 0; i < 33; ++i) slots.push_back({NameInFile(bytes, i), TextInFile(bytes, i)});
  }
  return slots;
}

HWND MessageBoxOf(BoardSession& session) {
  for (HWND window : TopLevelWindowsOf(session.Program().id)) {
    if (ClassName(window) == "#32770" && WindowText(window) == "Varnel" && IsVisible(window)) return window;
  }
  return nullptr;
}

// Starts the board, answering the message boxes of its start; returns their texts.
std::string StartAnswering(BoardSession& session) {
  std::string shown;
  // Under a heavy load Wine now and then refuses to start a process at the first try.
  EXPECT_TRUE(WaitUntil([&] { return session.Launch(); }, 10000)) << "the board could not be launched";
  const bool started = WaitUntil(
      [&] {
        if (HWND box = MessageBoxOf(session)) {
          shown += MessageBoxText(box);
          if (shown == kCompleted && WaitUntilSettled(box)) Screenshot("interrupted-consolidation-completed");
          AnswerMessageBox(box, "OK");
          WaitUntil([&] { return !IsWindow(box); }, 5000);
        }
        return FindWindowByCaption(session.Program().id, "Varnel >") != nullptr;
      },
      20000);
  EXPECT_TRUE(started) << "the board did not start";
  session.WaitForBoardWindow(1000);
  return shown;
}

// Opens Consolidate Projects and chooses every project, as a double-click on each would.
HWND ChooseAllProjects(BoardSession& session) {
  PostCommand(session, kConsolidateCommand);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Consolidate Projects", 5000);
  if (dialog == nullptr) return nullptr;
  HWND all = GetDlgItem(dialog, 1160);
  for (int n = 0; n < kProjects; ++n) {
    const std::string name = ProjectName(n);
    const std::wstring wide(name.begin(), name.end());
    const LRESULT index =
        SendMessageW(all, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageA(all, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1160, LBN_DBLCLK), reinterpret_cast<LPARAM>(all));
  }
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, 1163), LB_GETCOUNT, 0, 0), kProjects);
  return dialog;
}

}  // namespace

TEST(KillDuringConsolidation, EverySlotIsInExactlyOneProjectAfterTheNextStartAndNoFileIsLeft) {
  const int rounds = NumberFromEnvironment("VARNEL_KILL_ROUNDS", 4);
  const unsigned seed = static_cast<unsigned>(NumberFromEnvironment("VARNEL_KILL_SEED", static_cast<int>(GetTickCount())));
  std::mt19937 random(seed);

  BoardSession session("kill-during-consolidation");
  session.UseCurrentProject("Alpha.vrl", TaggedProject("Alpha"));
  SetSetting("Options", "UseSystemTray", "0");
  std::vector<Slot> original = OriginalSlots(random);
  WriteShuffled(session.Folder(), original, random);
  std::sort(original.begin(), original.end());
  const auto filesBefore = FolderContents(session.Folder());
  std::set<std::string> expectedNames;
  for (const auto& [name, ignored] : filesBefore) expectedNames.insert(name);

  // How long one consolidation takes here, so that the kills spread over the whole of it.
  ASSERT_TRUE(session.Start());
  HWND dialog = ChooseAllProjects(session);
  ASSERT_NE(dialog, nullptr);
  LARGE_INTEGER before;
  LARGE_INTEGER after;
  QueryPerformanceCounter(&before);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1164, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 30000));
  QueryPerformanceCounter(&after);
  const double consolidationMs = Milliseconds(before, after);
  ASSERT_EQ(SlotsInProjects(session.Folder()).size(), original.size());
  Kill(session.Program());

  int completed = 0;
  int journals = 0;
  int textsChecked = 0;
  int lost = 0;
  int doubled = 0;
  int strays = 0;
  for (int round = 1; round <= rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
    WriteShuffled(session.Folder(), original, random);
    EXPECT_EQ(StartAnswering(session), "");
    dialog = ChooseAllProjects(session);
    ASSERT_NE(dialog, nullptr);
    std::uniform_real_distribution<double> moment(0.0, consolidationMs * 1.2);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1164, BN_CLICKED), 0);
    SpinFor(moment(random));
    Kill(session.Program());
    journals += FileExists(session.Folder() + "consolidation.jnl") ? 1 : 0;

    const std::string shown = StartAnswering(session);
    EXPECT_TRUE(shown.empty() || shown == kCompleted) << shown;
    completed += shown == kCompleted ? 1 : 0;
    std::vector<Slot> now = SlotsInProjects(session.Folder());
    std::sort(now.begin(), now.end());
    std::vector<Slot> missing;
    std::vector<Slot> extra;
    std::set_difference(original.begin(), original.end(), now.begin(), now.end(), std::back_inserter(missing));
    std::set_difference(now.begin(), now.end(), original.begin(), original.end(), std::back_inserter(extra));
    for (const Slot& slot : original) textsChecked += slot.text.empty() ? 0 : 1;
    for (const Slot& slot : missing) lost += slot.text.empty() ? 0 : 1;
    for (const Slot& slot : extra) doubled += slot.text.empty() ? 0 : 1;
    EXPECT_TRUE(missing.empty() && extra.empty())
        << missing.size() << " slots missing, " << extra.size() << " slots twice or changed";
    for (const auto& [name, ignored] : FolderContents(session.Folder())) {
      if (expectedNames.count(name) == 0) {
        ++strays;
        ADD_FAILURE() << name << " was left behind";
      }
    }
    Kill(session.Program());
  }
  std::printf(
      "kill during consolidation: %d kills over %.1f ms consolidations of %d projects, seed %u: %d left a journal, %d "
      "completed at the next start, %d texts checked, %d texts lost, %d texts doubled, %d stray files\n",
      rounds, consolidationMs, kProjects, seed, journals, completed, textsChecked, lost, doubled, strays);
  EXPECT_EQ(lost, 0);
}

// The moment between the first and the last replacement, made exactly: the journal sealed, the
// first project replaced, the second still in its temporary. The next start completes it and
// says so once; the start after that says nothing.
TEST(KillDuringConsolidation, AConsolidationCutShortAmongItsReplacementsIsCompletedAtTheNextStart) {
  BoardSession session("cut-among-replacements");
  session.UseCurrentProject("Alpha.vrl", TaggedProject("Alpha"));
  SetSetting("Options", "UseSystemTray", "0");
  const std::vector<std::string> entries = {"First.vrl", "Second.vrl"};
  const std::string newFirst = TaggedProject("new First");
  const std::string newSecond = TaggedProject("new Second");
  auto page = std::make_unique<ProjectPage>();
  std::vector<std::uint64_t> checksums;
  for (const std::string* bytes : {&newFirst, &newSecond}) {
    std::memcpy(page.get(), bytes->data(), kProjectBytes);
    checksums.push_back(PageChecksum(*page));
  }
  const std::string plan = JournalPlanText(entries);
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "consolidation.jnl", plan + JournalSealText(plan, checksums)));
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "First.vrl", newFirst));
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "Second.vrl", TaggedProject("old Second")));
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "Second.tmp", newSecond));

  EXPECT_EQ(StartAnswering(session), kCompleted);
  EXPECT_TRUE(Holds(session.Folder() + "First.vrl", newFirst));
  EXPECT_TRUE(Holds(session.Folder() + "Second.vrl", newSecond));
  auto files = FolderContents(session.Folder());
  EXPECT_EQ(files.size(), 3u) << "the journal or a temporary was left";
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(StartAnswering(session), "");
  EXPECT_TRUE(session.CloseAndWait());
}
