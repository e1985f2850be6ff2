// A board killed outright while it saves: whatever moment the kill lands on, the project file is
// whole and holds either the texts it had or the texts being saved, and the next start shows it.
// Also where every replace is refused for good (the board's fault-injecting twin), so that saves
// write in place behind a backup: the next start undoes a write cut short and leaves nothing else.
// VARNEL_KILL_ROUNDS sets the number of kills (the long run makes 200); VARNEL_KILL_SEED repeats
// a run's moments.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/e2e/board_steps.h"
#include "tests/e2e/kill_steps.h"
#include "tests/e2e/shared_fault_plan.h"

using namespace e2e;

namespace {

constexpr int kTextLength = 10000;
constexpr UINT kSaveCommand = 32772;

// Every text of a generation differs from the same slot's text in every other generation from
// its first characters on, so a file that mixed two saves could not pass for either.
std::string GenerationText(int generation, int slot) {
  std::string text = "generation " + std::to_string(generation) + " slot " + std::to_string(slot) + " ";
  const char filler = static_cast<char>('a' + (generation * 7 + slot) % 26);
  text.resize(kTextLength, filler);
  return text;
}

std::string GenerationProject(int generation) {
  std::string names[33];
  std::string texts[33];
  for (int slot = 0; slot < 33; ++slot) {
    names[slot] = "kept " + std::to_string(slot);
    texts[slot] = GenerationText(generation, slot);
  }
  return ProjectBytes(names, texts);
}

// The generation whose texts the bytes hold in every slot, or -1.
int GenerationInFile(const std::string& bytes, int candidateA, int candidateB) {
  if (bytes.size() != kProjectBytes) return -1;
  for (int candidate : {candidateA, candidateB}) {
    if (bytes == GenerationProject(candidate)) return candidate;
  }
  return -1;
}

bool BoardShowsGeneration(const BoardSession& session, int generation) {
  for (int slot = 0; slot < 33; ++slot) {
    if (FieldText(session, slot) != GenerationText(generation, slot)) return false;
  }
  return true;
}

// Starts the board, answering the notice that a save of project was undone at start-up; counts
// the notices.
bool StartAfterKill(BoardSession& session, const std::string& project, int& undoneNotices) {
  if (!session.Launch()) return false;
  return WaitUntil(
      [&] {
        if (HWND box = FindMessageBoxStartingWith(session.Program().id, "An interrupted save was undone:\n")) {
          if (undoneNotices == 0 && WaitUntilSettled(box)) Screenshot("save-undone-at-start");
          EXPECT_EQ(MessageBoxText(box), "An interrupted save was undone:\n" + project +
                                             "\nThe project holds its texts as they were before that save.");
          if (AnswerMessageBox(box, "OK")) ++undoneNotices;
          WaitUntil([&] { return !IsWindow(box); }, 5000);
        }
        return session.WaitForBoardWindow(0) != nullptr;
      },
      20000);
}

// Saves once and returns how long it took (0 when the board did not become idle), so that the
// kills spread over the whole of a save.
double TimeOneSave(BoardSession& session) {
  LARGE_INTEGER before;
  LARGE_INTEGER after;
  QueryPerformanceCounter(&before);
  PostCommand(session, kSaveCommand);
  if (!WaitForBoardIdle(session)) return 0.0;
  QueryPerformanceCounter(&after);
  return Milliseconds(before, after);
}

// The save's temporary files and backups left in the folder.
std::string Leftovers(const std::string& folder) {
  std::string left;
  for (const auto& [name, ignored] : FolderContents(folder)) {
    if (name.size() > 4 && (name.substr(name.size() - 4) == ".~vr" || name.substr(name.size() - 4) == ".~vb")) {
      left += name + " ";
    }
  }
  return left;
}

}  // namespace

TEST(KillDuringSave, TheProjectFileIsAlwaysWholeAndTheNextStartShowsIt) {
  const int rounds = NumberFromEnvironment("VARNEL_KILL_ROUNDS", 4);
  const unsigned seed = static_cast<unsigned>(NumberFromEnvironment("VARNEL_KILL_SEED", static_cast<int>(GetTickCount())));
  std::mt19937 random(seed);

  BoardSession session("kill-during-save");
  const std::string path = session.UseCurrentProject("Kept.vrl", GenerationProject(0));
  SetSetting("Options", "UseSystemTray", "0");

  // How long one save takes here, so that the kills spread over the whole of it and a little past.
  ASSERT_TRUE(session.Start());
  const double saveMs = TimeOneSave(session);
  ASSERT_GT(saveMs, 0.0) << "the save did not end";
  ASSERT_TRUE(Holds(path, GenerationProject(0)));
  Kill(session.Program());

  int fileGeneration = 0;
  int keptOld = 0;
  int tookNew = 0;
  int lost = 0;
  for (int round = 1; round <= rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
    ASSERT_TRUE(session.Launch());
    ASSERT_NE(session.WaitForBoardWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return BoardShowsGeneration(session, fileGeneration); }, 10000))
        << "the start after a kill does not show the saved texts of generation " << fileGeneration;

    for (int slot = 0; slot < 33; ++slot) SetText(session.Item(1071 + 2 * slot), GenerationText(round, slot));
    std::uniform_real_distribution<double> moment(0.0, saveMs * 1.5);
    PostCommand(session, kSaveCommand);
    SpinFor(moment(random));
    Kill(session.Program());

    const std::string bytes = ReadWholeFile(path);
    const int found = GenerationInFile(bytes, fileGeneration, round);
    if (found < 0) {
      ++lost;
      ADD_FAILURE() << "after the kill the project holds " << Brief(bytes);
      ASSERT_TRUE(WriteWholeFile(path, GenerationProject(fileGeneration)));
      continue;
    }
    (found == round ? tookNew : keptOld) += 1;
    fileGeneration = found;
  }
  ASSERT_TRUE(session.Launch());
  ASSERT_NE(session.WaitForBoardWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return BoardShowsGeneration(session, fileGeneration); }, 10000))
      << "the start after the last kill does not show the saved texts of generation " << fileGeneration;
  std::printf("kill during save: %d kills over %.1f ms saves, seed %u: %d kept the old texts, %d the new, %d files lost\n",
              rounds, saveMs, seed, keptOld, tookNew, lost);
  EXPECT_EQ(lost, 0);
}

TEST(KillDuringSave, WhereEveryReplaceIsRefusedTheNextStartUndoesAWriteInPlaceCutShort) {
  const int rounds = NumberFromEnvironment("VARNEL_KILL_ROUNDS", 3);
  const unsigned seed = static_cast<unsigned>(NumberFromEnvironment("VARNEL_KILL_SEED", static_cast<int>(GetTickCount())));
  std::mt19937 random(seed);
  SharedPlan plan;
  ASSERT_TRUE(plan.Valid());
  plan.RefuseReplaces(true);

  BoardSession session("kill-during-save-in-place");
  const std::string path = session.UseCurrentProject("Kept.vrl", GenerationProject(0));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(CopyFileA(FaultProgramPath().c_str(), (session.Folder() + "QUILLOW.EXE").c_str(), FALSE))
      << FaultProgramPath();

  // The save writes in place, unasked: no message, the new texts on disk, nothing beside them.
  ASSERT_TRUE(session.Start());
  for (int slot = 0; slot < 33; ++slot) SetText(session.Item(1071 + 2 * slot), GenerationText(1, slot));
  const double saveMs = TimeOneSave(session);
  ASSERT_GT(saveMs, 0.0) << "the save did not end";
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 0);
  ASSERT_EQ(box, nullptr) << MessageBoxText(box);
  ASSERT_TRUE(Holds(path, GenerationProject(1)));
  EXPECT_EQ(Leftovers(session.Folder()), "");
  Kill(session.Program());

  int fileGeneration = 1;
  int undoneNotices = 0;
  int tookNew = 0;
  int lost = 0;
  for (int round = 2; round <= rounds + 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
    // The start after the kill puts the project together before it shows it.
    ASSERT_TRUE(StartAfterKill(session, path, undoneNotices));
    const int found = GenerationInFile(ReadWholeFile(path), fileGeneration, round - 1);
    if (found < 0) {
      ++lost;
      ADD_FAILURE() << "after the kill and a start the project holds " << Brief(ReadWholeFile(path));
      break;
    }
    tookNew += found == round - 1 && found != fileGeneration ? 1 : 0;
    fileGeneration = found;
    EXPECT_TRUE(WaitUntil([&] { return BoardShowsGeneration(session, fileGeneration); }, 10000))
        << "the start after a kill does not show the saved texts of generation " << fileGeneration;
    EXPECT_EQ(Leftovers(session.Folder()), "") << "left after the start";
    if (round == rounds + 2) break;

    // A save posted while the board still starts up would wait for it, and the kill would land
    // before the save began.
    WaitUntilSettled(session.Board());
    ASSERT_TRUE(WaitForBoardIdle(session));
    for (int slot = 0; slot < 33; ++slot) SetText(session.Item(1071 + 2 * slot), GenerationText(round, slot));
    // One save's length varies a lot here between runs: the moments reach well past the measured one.
    std::uniform_real_distribution<double> moment(0.0, saveMs * 2.5);
    PostCommand(session, kSaveCommand);
    SpinFor(moment(random));
    Kill(session.Program());
  }
  EXPECT_TRUE(session.CloseAndWait());
  std::printf("kill during saves in place: %d kills over %.1f ms saves, seed %u: %d took the new texts, %d undone at "
              "the next start, %d files lost\n",
              rounds, saveMs, seed, tookNew, undoneNotices, lost);
  EXPECT_EQ(lost, 0);
}
